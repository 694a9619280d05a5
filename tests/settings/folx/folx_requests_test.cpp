// The page-composition requests through the export: sizes, single values, the settings record
// agreeing with the single answers, the stamp and banner records byte for byte, set requests
// reaching the caller's device mode, and the model rules that follow every set.
#include "tests/settings/folx/folx_fixture.h"

#include "drvtest/guarded_buffer.h"

#include "core/devmode/model_section.h"
#include "settings/folx/folx_model_tables.h"
#include "settings/folx/folx_records.h"

#include <cstddef>
#include <cstring>

namespace {

namespace s = folx::stamp;

TEST_F(Folx, SizeQueriesAnswerTheRecordSizes) {
    struct Case {
        DWORD code;
        LONG answer;
        DWORD size;
    } const cases[] = {
        {1024, 0, 412}, {1071, 0, 0}, {0x488, 0, 964}, {0x821, 0, 4}, {0x491, 0, 200}, {0x999, 2, 0xABAB},
    };
    for (const Case& c : cases) {
        DWORD size = 0xABAB;
        EXPECT_EQ(Ask(0, c.code, &size), c.answer) << std::hex << c.code;
        EXPECT_EQ(size, c.size) << std::hex << c.code;
    }
    Priv().put_u8(devmode::model::kListFlags, 1);
    DWORD size = 0;
    EXPECT_EQ(Ask(0, 0x491, &size), 2);
}

TEST_F(Folx, SingleValuesFollowTheOptions) {
    struct Case {
        const char* what;
        DWORD option;
        uint32_t value;
        DWORD code;
        uint32_t expected;
    } const cases[] = {
        {"edging 1", 140, 1, 0x19, 0},
        {"edging 11", 140, 11, 0x19, 10},
        {"no setting behind it", 0, 0, 0x401, 0},
        {"mode word", 226, 1, 0x412, 0},
        {"poster 1", 128, 1, 0x417, 3},
        {"colour mode from bits", 231, 6, 0x81F, 1},
        {"resolution", 224, 1200, 0x80C, 1200},
        {"one", 0, 0, 0x40B, 1},
    };
    for (const Case& c : cases) {
        if (c.option) SetOption32(c.option, c.value);
        EXPECT_EQ(Get(c.code), c.expected) << c.what;
    }
}

TEST_F(Folx, DuplexValueFollowsTheDeviceModeAndUnsupportedCodesWriteNothing) {
    SetOption16(124, 0);
    Dm()->dmDuplex = 1;
    EXPECT_EQ(Get(0x802), 0u);
    Dm()->dmDuplex = 2;
    EXPECT_EQ(Get(0x802), 1u);
    for (DWORD code : {0x421u, 0x473u, 0x999u}) {
        DWORD word = 0xABABABAB;
        EXPECT_EQ(Ask(2, code, &word), 2) << std::hex << code;
        EXPECT_EQ(word, 0xABABABABu);
    }
    // 1057 on a monochrome model answers 2 and leaves the data.
    std::vector<uint8_t> record = Record(1057, 8, 2);
    EXPECT_EQ(U32(record, 0), 0xCDCDCDCDu);
}

TEST_F(Folx, SettingsRecordAgreesWithTheSingleAnswers) {
    SetOption16(226, 0);
    SetOption16(140, 5);
    Dm()->dmDuplex = 2;
    Dm()->dmCopies = 3;
    const std::vector<uint8_t> record = Record(1024, folx::settings::kSize);
    EXPECT_EQ(U32(record, 0), 1152u);
    EXPECT_EQ(U32(record, 384), 1u);
    EXPECT_EQ(U32(record, 192), 2u);
    EXPECT_EQ(U32(record, 376), 1u);
    EXPECT_EQ(U32(record, 184), 0u);
    const struct {
        size_t offset;
        DWORD code;
    } words[] = {{4, 0x17},   {12, 0x19},  {16, 0x404}, {44, 0x40B}, {112, 0x413}, {168, 0x402},
                 {196, 0x440}, {248, 0x420}, {264, 0x43B}, {260, 0x43A}, {368, 0x1B},  {392, 0x480}};
    for (const auto& w : words) EXPECT_EQ(U32(record, w.offset), Get(w.code)) << std::hex << w.code;
    EXPECT_EQ(U32(record, 12), 4u);
    EXPECT_EQ(U32(record, 196), 3u);
    // Codes that give nothing leave zeros, never the caller's bytes.
    EXPECT_EQ(U32(record, 92), 0u);
    EXPECT_EQ(U32(record, 108), 0u);
}

TEST_F(Folx, StampsSharingAPositionMakeOneRecord) {
    for (DWORD n : {141u, 142u, 143u}) SetOption16(n, 0x1004);
    SetOption32(150, 0);
    SetOption16(124, 0);
    DWORD size = 0;
    ASSERT_EQ(Ask(0, 1071, &size), 0);
    ASSERT_EQ(size, 662u);
    const std::vector<uint8_t> record = Record(1071, size);
    EXPECT_EQ(U32(record, s::kKind), 1024u);
    EXPECT_EQ(U32(record, s::kFlags), 5u);
    EXPECT_EQ(U32(record, s::kPosition), 9u);
    EXPECT_EQ(Text(record, s::kText, s::kTextSize), "\\D \\u \\n");
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(U32(record, s::kFixedWords + 4 * i), s::kFixed[i]) << i;
    EXPECT_EQ(U32(record, s::kOutlineWidth), 1u);
    EXPECT_EQ(record[297], 1);
    EXPECT_EQ(record[298], 1);
    // Poster pages carry no stamps: nothing is counted, nothing written.
    SetOption16(124, 5);
    ASSERT_EQ(Ask(0, 1071, &size), 0);
    EXPECT_EQ(size, 0u);
}

TEST_F(Folx, WatermarkRecordDoublesBackslashesAndPlacesItsWords) {
    SetOption32(150, 0x1 | 0x4 | 0x20);
    SetText(155, "a\\b", 32);
    SetOption16(159, static_cast<uint16_t>(-3900));
    SetOption32(158, (static_cast<uint32_t>(static_cast<uint16_t>(-7)) << 16) | 12);
    SetOption16(224, 600);
    uint8_t font[48] = {};
    font[0] = 36;
    std::memcpy(font + 13, "Arial", 5);
    Ctx()->svc->SetOption(Ctx(), Dm(), 156, font, sizeof font);
    SetOption16(141, 0x1002);
    const std::vector<uint8_t> records = Record(1071, 2 * s::kSize);
    EXPECT_EQ(U32(records, s::kPosition), 36u);
    EXPECT_EQ(Text(records, s::kText, s::kTextSize), "a\\\\b");
    EXPECT_EQ(U32(records, s::kFlags), 2u + 8u);
    EXPECT_EQ(S32(records, s::kAngle), -300);
    EXPECT_EQ(static_cast<int16_t>(U16(records, s::kHeight)), -360);
    EXPECT_EQ(Text(records, s::kFace, s::kFaceSize), "Arial");
    EXPECT_EQ(S32(records, s::kPositionX), 120);
    EXPECT_EQ(S32(records, s::kPositionY), 70);
    EXPECT_EQ(U32(records, s::kOutlineWidth), 600u * 36 / 1080);
    EXPECT_EQ(U32(records, s::kOutlineKind), 4u);
    EXPECT_EQ(U32(records, s::kSize + s::kPosition), 33u);
    EXPECT_EQ(Text(records, s::kSize + s::kText, s::kTextSize), "\\D");
}

TEST_F(Folx, SetRequestsRunTheModelRulesAndReachTheCallersDeviceMode) {
    EXPECT_EQ(Set(0x999, 1), 2);  // even a code without a set of its own runs them
    EXPECT_NE(CurrentOption(220) & 0x2000, 0u);
    EXPECT_EQ(Set(0x801, 7), 0);
    EXPECT_EQ(Dm()->dmCopies, 7);
    for (uint32_t v = 0; v < 8; ++v) {
        EXPECT_EQ(Set(0x81F, v), 0);
        EXPECT_EQ(Get(0x81F), v);
    }
    Dm()->dmOrientation = 1;
    EXPECT_EQ(Set(0x807, 1), 0);
    EXPECT_EQ(Option32(127) & 0xFFFF, 1u);
    Dm()->dmOrientation = 2;
    EXPECT_EQ(Set(0x807, 1), 0);
    EXPECT_EQ(Option32(127) & 0xFFFF, 3u);
    // Value 5 changes neither the method nor the switches.
    Dm()->dmICMMethod = 3;
    EXPECT_EQ(Set(0x820, 5), 0);
    EXPECT_EQ(Dm()->dmICMMethod, 3u);
    // A refused request leaves the caller's device mode as it was.
    SetOption16(226, 1);
    SetOption16(224, 1200);
    const std::vector<uint8_t> before = devmode;
    EXPECT_EQ(Set(0x816, 0), 7);
    EXPECT_EQ(devmode, before);
}

TEST_F(Folx, AReductionOverAnEmptyPageFails) {
    // The export makes the page fit the paper; the runner sees the session's settings as they are.
    uint8_t* current = Ctx()->svc->GetDevmode(Ctx(), 3);
    const auto set = [&](DWORD n, uint32_t v) { Ctx()->svc->SetOption(Ctx(), current, n, &v, 4); };
    set(110, 0x4 | 0x2);
    set(124, 0);
    set(112, 9);
    set(117, 8);
    uint8_t empty[8] = {};
    Ctx()->svc->SetOption(Ctx(), current, 115, empty, sizeof empty);
    uint8_t record[8];
    std::memset(record, 0xCD, sizeof record);
    EXPECT_EQ(FOLX::Run(Ctx(), 2, 0x406, record), 1);
    EXPECT_EQ(record[0], 0xCD);
    uint32_t one = 1;
    EXPECT_EQ(FOLX::Run(Ctx(), 3, 0x817, &one), 1);
    uint32_t flags = 0;
    Ctx()->svc->GetOption(Ctx(), current, 100, &flags, 4);
    EXPECT_EQ(flags & 0x100, 0u);
}

TEST_F(Folx, PageListKeepsAtMostAHundredNumbers) {
    namespace m = devmode::model;
    Priv().put_u16(m::kPageTableState, 0x4);
    std::vector<int16_t> numbers(120);
    for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = static_cast<int16_t>(i % 2 ? -(int(i) + 1) : int(i) + 1);
    ASSERT_EQ(Ask(3, 0x491, numbers.data()), 0);
    EXPECT_EQ(Priv().data()[m::kListBCount], 100);
    std::vector<uint8_t> list = Record(0x491, folx::kPageListSize);
    for (size_t i = 0; i < 100; ++i) ASSERT_EQ(U16(list, 2 * i), i + 1) << i;
    // Without a chosen field nothing changes.
    Priv().put_u16(m::kPageTableState, 0);
    const std::vector<uint8_t> before = devmode;
    int16_t one[2] = {5, 0};
    EXPECT_EQ(Ask(3, 0x491, one), 0);
    EXPECT_EQ(std::vector<uint8_t>(devmode.begin() + 400, devmode.end()), std::vector<uint8_t>(before.begin() + 400, before.end()));
}

TEST_F(Folx, BannerRecordOfAnUnlistedModelUsesOffsetZeroAndModelFlagsAnswerTheirCodes) {
    SetOption16(224, 600);
    const std::vector<uint8_t> record = Record(0x488, folx::banner::kSize);
    EXPECT_EQ(U16(record, 0), 256u);
    EXPECT_EQ(U16(record, 8), 3u);
    for (size_t line : folx::banner::kLines) {
        EXPECT_EQ(U16(record, line + folx::banner::kLeft), 100u * 600 / 254);
        EXPECT_EQ(Text(record, line + folx::banner::kFace, 32), "Courier (W1)");
        EXPECT_EQ(U16(record, line + folx::banner::kWeight), 400u);
    }
    EXPECT_EQ(static_cast<int16_t>(U16(record, 10)), -300);
    EXPECT_EQ(static_cast<int16_t>(U16(record, 328)), -100);
    EXPECT_EQ(Text(record, 68, 256), "\\u");
    EXPECT_EQ(Text(record, 386, 256), "\\h:\\m:\\s");
    EXPECT_EQ(Text(record, 704, 256), "\\f");
    EXPECT_EQ(U16(record, 62), 220u * 600 / 254);
    EXPECT_EQ(U16(record, 702), 565u * 600 / 254);

    namespace m = devmode::model;
    Priv().put_u32(m::kPrivateFlagWord, (1u << 20) | (1u << 23));
    EXPECT_EQ(Get(0x48A), 0u);
    EXPECT_EQ(Get(0x48C), 1u);
    Priv().put_u32(m::kPrivateFlagWord, 1u << 20);
    EXPECT_EQ(Get(0x48A), 1u);
    EXPECT_EQ(Get(0x48C), 0u);
    // The output word gates set 0x81B: otherwise the common answer (2), nothing of its own.
    Priv().put_u16(m::kOutputWord, 0);
    EXPECT_EQ(Set(0x81B, 4), 2);
    Priv().put_u16(m::kOutputWord, 1);
    EXPECT_EQ(Set(0x81B, 4), 0);
    EXPECT_EQ(Priv16(m::kOutputWord), 4u);
}

TEST_F(Folx, FinisherCodeOfThePageCompositionRunner) {
    const struct {
        uint8_t finisher;
        uint32_t expected;
    } cases[] = {{0x21, 3}, {0, 1}, {0x24, 0}};
    for (const auto& c : cases) {
        Dop().put_u8(0, c.finisher);
        uint32_t word = 0xAB;
        EXPECT_EQ(FOLX::Run(Ctx(), 2, 0x10078, &word), 0);
        EXPECT_EQ(word, c.expected) << int(c.finisher);
    }
}

// The page-composition codes that answer a size: the record they write fits it exactly, in a
// buffer that ends at an inaccessible page.
TEST_F(Folx, EveryRecordFitsTheSizeItsCodeAnnounced) {
    int sized = 0;
    for (DWORD code = 0; code < 0x2000; ++code) {
        drvtest::GuardedBuffer word(sizeof(uint32_t));
        if (Ask(0, code, word.data()) != 0) continue;
        uint32_t size = 0;
        std::memcpy(&size, word.data(), sizeof size);
        ++sized;
        if (size == 0 || size > 0x10000) continue;
        drvtest::GuardedBuffer record(size);
        Ask(2, code, record.data());
    }
    EXPECT_GE(sized, 4);
}

// A request without a data pointer has nothing to answer into: no page-composition code and no
// application code answers "done" to it, whatever the settings leave to say. Only setting a
// default (kind 6) takes no data.
TEST_F(Folx, NoRequestAnswersDoneWithoutData) {
    const std::vector<uint8_t> start = devmode;
    for (DWORD code = 0; code < 0x2000; ++code)
        for (DWORD kind : {0u, 2u, 3u}) {
            EXPECT_NE(Ask(kind, code, nullptr), 0) << std::hex << "host code 0x" << code << " kind " << kind;
            devmode = start;
        }
    for (DWORD code = 0x10000; code < 0x10200; ++code)
        for (DWORD kind : {0u, 1u, 2u, 3u, 4u, 7u, 8u}) {
            EXPECT_NE(Ask(kind, code, nullptr), 0) << std::hex << "code 0x" << code << " kind " << kind;
            devmode = start;
        }
}

TEST(FolxModelTables, FinisherListsAndBannerOffsets) {
    const folxmodel::Installed listed{0x7E8, 0x0B, 0, 0}, unlisted{0x123, 0x0B, 0, 0};
    EXPECT_TRUE(folxmodel::InFinisherList(listed, 1));
    EXPECT_FALSE(folxmodel::InFinisherList(listed, 2));
    EXPECT_FALSE(folxmodel::InFinisherList(unlisted, 1));
    EXPECT_FALSE(folxmodel::InFinisherList(unlisted, 2));
    EXPECT_EQ(folxmodel::BannerOffset(listed), 360u);
    EXPECT_EQ(folxmodel::BannerOffset({0x3ED, 0x01, 0x08, 0}), 200u);
    EXPECT_EQ(folxmodel::BannerOffset({0x3ED, 0x01, 0, 0}), 0u);
    EXPECT_TRUE(folxmodel::InFinisherList({0xBB9, 0x26, 0, 1}, 2));
    EXPECT_FALSE(folxmodel::InFinisherList({0xBB9, 0x26, 0, 0}, 2));
    EXPECT_TRUE(folxmodel::ClearsByte194({0x7DA, 0, 0x10, 0}, 8));
    EXPECT_FALSE(folxmodel::ClearsByte194({0x7DA, 0, 0, 0}, 8));
}

}  // namespace
