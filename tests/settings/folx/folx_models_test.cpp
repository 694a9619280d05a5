// The page-composition requests that depend on the model, the driver data and the model section:
// the colour model's outlined watermark, the media ids of the trays, the lists whose count and
// entries must agree, and the refusals that must leave the settings as they were.
#include "tests/settings/folx/folx_fixture.h"

#include "core/devmode/model_section.h"
#include "settings/folx/folx_records.h"

namespace {

TEST_F(Folx, ColourModelMarksAnOutlinedWatermark) {
    DWORD size = 0;
    HANDLE colour = VomelDeviceModeInit(drvtest::kBundledPcl5cPrinter, nullptr, &size);
    ASSERT_NE(colour, nullptr);
    std::vector<uint8_t> dm(size);
    VomelDeviceModeTerm(colour);
    colour = VomelDeviceModeInit(drvtest::kBundledPcl5cPrinter, reinterpret_cast<LPDEVMODEA>(dm.data()), &size);
    ASSERT_NE(colour, nullptr);
    auto* ctx = static_cast<UIDEVDATA*>(colour);
    const uint32_t flags = 0x1 | 0x10;
    ctx->svc->SetOption(ctx, dm.data(), 150, &flags, 4);
    std::vector<uint8_t> record(folx::stamp::kSize, 0);
    ASSERT_EQ(VomelDeviceMode(colour, reinterpret_cast<LPDEVMODEA>(dm.data()), 2, 1071, record.data()), 0);
    EXPECT_EQ(U32(record, folx::stamp::kFlags), ((1u + 8u) & ~0x08u) | 0x40u);
    // 1057 is not supported even here, and its data stays as it was.
    uint32_t word = 0xABABABAB;
    EXPECT_EQ(VomelDeviceMode(colour, reinterpret_cast<LPDEVMODEA>(dm.data()), 2, 1057, &word), 2);
    EXPECT_EQ(word, 0xABABABABu);
    VomelDeviceModeTerm(colour);
}

TEST_F(Folx, ListsAgreeWithTheirCountsAndMediaIdsFollowTheTrayFlag) {
    const DWORD count = Get(0x814);
    ASSERT_GT(count, 0u);
    const std::vector<uint8_t> list = Record(0x815, size_t{count} * folx::paper::kSize);
    for (DWORD i = 0; i < count; ++i) {
        const size_t at = size_t{i} * folx::paper::kSize;
        EXPECT_NE(U16(list, at), 0u) << i;
        EXPECT_FALSE(Text(list, at + folx::paper::kName, folx::paper::kNameSize).empty()) << i;
    }
    const std::vector<uint8_t> path = Record(0x47F, 256);
    EXPECT_EQ(Text(path, 0, 256).rfind("Software\\Vomel\\", 0), 0u);
    EXPECT_NE(Text(path, 0, 256).find("\\Vomel Kelvaro PCL5e"), std::string::npos);
    const std::vector<uint8_t> matching = Record(0x47C, folx::colour::kSize);
    EXPECT_EQ(U32(matching, folx::colour::kMediaWord), 0u);

    namespace m = devmode::model;
    Priv().put_u8(m::kMediaByte, 0x2);
    Priv().put_u16(361, 22);
    Priv().put_u16(351, 7);
    SetOption32(110, 0);
    EXPECT_EQ(Get(0x46F), 22u);
    EXPECT_EQ(Get(0x478), 7u);
    EXPECT_EQ(Get(0x475), 1u);
    // Clearing the media resets the tray words.
    EXPECT_EQ(Set(0x46E, 0), 0);
    EXPECT_EQ(Priv16(361), 2u);
    EXPECT_EQ(Priv16(351), 2u);
    EXPECT_EQ(Priv16(803), 0u);
}

TEST_F(Folx, RefusedSetsChangeNothing) {
    namespace m = devmode::model;
    struct Case {
        const char* what;
        DWORD code;
        uint32_t value;
        void (*prepare)(Folx&);
    } const cases[] = {
        {"duplex booklet while paper sources are mixed", 0x802, 2,
         [](Folx& t) { t.SetOption16(201, 3); }},
        {"duplex while sources per page", 0x802, 1, [](Folx& t) {
             t.SetOption16(124, 0);
             t.SetOption16(201, 4);
         }},
        {"pages a sheet under the output word", 0x806, 2,
         [](Folx& t) { t.Priv().put_u16(devmode::model::kOutputWord, 1); }},
        {"poster while the page-list state is set", 0x806, 0x20,
         [](Folx& t) { t.Priv().put_u16(devmode::model::kPageTableState, 0x1); }},
        {"poster in booklet", 0x806, 0x10, [](Folx& t) { t.SetOption16(124, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare(*this);
        // A set request first brings the settings in step with the derived bits.
        Set(0x999, 0);
        const std::vector<uint8_t> before = devmode;
        EXPECT_EQ(Set(c.code, c.value), 7);
        EXPECT_EQ(devmode, before);
        Priv().put_u16(m::kOutputWord, 0);
        Priv().put_u16(m::kPageTableState, 0);
        SetOption16(201, 0);
        SetOption16(124, 0);
    }
}

TEST_F(Folx, PageListStateRoundTrips) {
    namespace m = devmode::model;
    SetOption16(201, 5);
    const struct {
        DWORD code;
        uint32_t value;
    } cases[] = {{0x48E, 0x200}, {0x48E, 0x400}, {0x48F, 0x1300}, {0x48F, 0x1400}, {0x490, 2}, {0x490, 4}};
    for (const auto& c : cases) {
        ASSERT_EQ(Set(c.code, c.value), 0) << std::hex << c.code;
        if (c.code == 0x490) SetOption16(201, 5);
        EXPECT_EQ(Get(c.code), c.value) << std::hex << c.code;
    }
    // The guard byte hands the codes to the common adapter, which knows them without a value.
    Priv().put_u8(m::kListFlags, 1);
    EXPECT_EQ(Get(0x48E), 0u);
}

}  // namespace
