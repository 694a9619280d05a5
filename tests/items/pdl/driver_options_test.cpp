// The driver's own request codes through VomelDeviceMode on the bundled printer: every list's
// size, count and entries agree, fixed values and switches answer as the device allows, size
// classes keep their bounds, a paper-source set that fails changes nothing, and the page lists of
// the private page table are each sorted without repeats, their counts kept, the other list of the
// same entries left alone, and numbers out of range refused before anything changes. Callers
// that size their buffers by the library's own answers: every code is asked its size (and count),
// then its value or list into a buffer of exactly that many bytes, ending at an inaccessible page
// and, a second time, followed by a canary; nothing is read or written past what was announced.
#include "driver_option_fixture.h"

#include "core/devmode/model_section.h"
#include "drvtest/guarded_buffer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

namespace model = devmode::model;

constexpr DWORD kListCodes[] = {0x10012, 0x10013, 0x1000F, 0x1003B, 0x10117, 0x100E7,
                                0x10118, 0x1011C, 0x1013C, 0x1005D, 0x10132};

TEST_F(DriverOptions, EveryListFillsExactlyTheCountItsCountRequestGave) {
    for (DWORD code : kListCodes) ExpectListAgrees(code);
    ExpectListAgrees(0x10012, 7);
    // With the page-list extras, the paired sources and the size classes the lists grow.
    SetDopBit(980, 1);
    SetDopBit(980, 3);
    SetDopBit(1, 0);
    SetDopBit(983, 3);
    Priv().put_u16(model::kPrivateFlags, 1);
    for (DWORD code : kListCodes) ExpectListAgrees(code);
    DWORD count = 0;
    EXPECT_EQ(Ask(1, 0x1011C, &count), 0);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(Ask(1, 0x10118, &count), 0);
    EXPECT_EQ(count, 0u) << "the named pair of 0x10118 needs private flag bit 0 clear";
}

TEST_F(DriverOptions, SupportedCodesListTheSameCodesAsCodesAndAsPairs) {
    DWORD count = 0;
    ASSERT_EQ(Ask(1, 0x10012, &count), 0);
    std::vector<DWORD> codes(count), pairs(2 * count);
    ASSERT_EQ(Ask(4, 0x10012, codes.data()), 0);
    ASSERT_EQ(Ask(7, 0x10012, pairs.data()), 0);
    ASSERT_GE(count, 48u);
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(pairs[2 * i], codes[i]) << i;
    EXPECT_EQ(codes[0], 0x10000u);
    EXPECT_EQ(codes[47], 0x1012Eu);
    EXPECT_EQ(pairs[2 * 31 + 1], static_cast<DWORD>(-2)) << "0x10113";
    auto listed = [&](DWORD code) { return std::find(codes.begin(), codes.end(), code) != codes.end(); };
    EXPECT_TRUE(listed(0x10032)) << "department accounts of the model";
    EXPECT_TRUE(listed(0x10005)) << "own code answering its size";
    EXPECT_FALSE(listed(0x10016)) << "own code answering 2";
    EXPECT_FALSE(listed(0x10139)) << "size classes without the device's option";
}

TEST_F(DriverOptions, FixedValuesAnswerFromTheDeviceAndTheModel) {
    struct Case { DWORD code; LONG answer; DWORD value; };
    for (Case c : {Case{0x10005, 0, 1}, Case{0x1000B, 0, 3}, Case{0x10010, 0, 1}, Case{0x10016, 2, 0},
                   Case{0x10040, 0, 7}, Case{0x10042, 0, 0}, Case{0x10044, 2, 0}, Case{0x1004A, 0, 0xFFFFFFFF},
                   Case{0x10050, 0, 350}, Case{0x10056, 0, 0}, Case{0x100CA, 0, 1}, Case{0x100DD, 0, 1},
                   Case{0x1010A, 0, 0}, Case{0x1010E, 0, 127}, Case{0x10112, 2, 0}, Case{0x10115, 0, 9999},
                   Case{0x1012E, 0, 1}, Case{0x1013D, 2, 0}, Case{0x1013F, 0, 0}, Case{0x1003E, 0, 0},
                   Case{0x1002C, 0, 0}, Case{0x10045, 2, 0}}) {
        DWORD word = 0xABABABAB;
        EXPECT_EQ(Ask(2, c.code, &word), c.answer) << std::hex << c.code;
        DWORD expected = c.answer == 0 ? c.value : 0xABABABABu;  // a refused request writes nothing
        EXPECT_EQ(word, expected) << std::hex << c.code;
    }
    DWORD size = 0;
    EXPECT_EQ(Ask(0, 0x100DD, &size), 0);
    EXPECT_EQ(size, 4u);  // the word the get writes
    EXPECT_EQ(Set(0x10005, 1), 3);
    // Options of the device turn codes on.
    SetDopBit(981, 6);
    SetDopBit(983, 3);
    SetDopBit(980, 7);
    EXPECT_EQ(Get(0x10112), 9999u);
    EXPECT_EQ(Get(0x10045), 100u);
    DWORD pair[2] = {};
    ASSERT_EQ(Ask(2, 0x1013D, pair), 0);
    EXPECT_EQ(pair[0], 200u);
    EXPECT_EQ(pair[1], 10u);
    // A null buffer is refused, also where the value is fixed.
    EXPECT_EQ(Ask(2, 0x1010E, nullptr), 1);
    EXPECT_EQ(Ask(2, 0x100E8, nullptr), 1);
}

TEST_F(DriverOptions, SwitchesKeepTheirBitsAndRefuseOtherValues) {
    EXPECT_EQ(Get(0x1001B), 2u);
    EXPECT_EQ(Set(0x1001B, 1), 0);
    EXPECT_TRUE(Option32(220) & (1u << 10));
    EXPECT_EQ(Dm()->dmTTOption, DMTT_DOWNLOAD_OUTLINE);
    EXPECT_EQ(Get(0x1001B), 1u);
    EXPECT_EQ(Set(0x1001B, 3), 2);
    EXPECT_EQ(Set(0x1001B, 2), 0);
    EXPECT_EQ(Dm()->dmTTOption, DMTT_DOWNLOAD);

    EXPECT_EQ(Set(0x1001A, 1), 0);
    EXPECT_EQ(Option32(220) & ((1u << 11) | (1u << 13)), 1u << 11);
    EXPECT_EQ(Ask(6, 0x1001A, nullptr), 0);
    // The classic device class only; this printer is not.
    EXPECT_EQ(Set(0x10017, 2), 2);
    EXPECT_EQ(Set(0x1001C, 0), 2) << "the model keeps no three-way field";
    EXPECT_EQ(Set(0x10063, 1), 2);
    SetDopBit(982, 7);
    EXPECT_EQ(Set(0x10063, 1), 0);
    EXPECT_EQ(Get(0x10063), 1u);
    EXPECT_EQ(Set(0x10063, 2), 2);
}

TEST_F(DriverOptions, SizeClassesKeepTheirBoundsWhileFree) {
    DWORD wide[2] = {2569, 3640}, fits[2] = {2570, 3640}, out[2] = {};
    EXPECT_EQ(Ask(3, 0x10139, fits), 2) << "no size classes on the device";
    SetDopBit(983, 3);
    EXPECT_EQ(Ask(3, 0x10139, fits), 3) << "class not free";
    Priv().put_u16(model::kLargeClassState, 256);
    EXPECT_EQ(Ask(3, 0x10139, wide), 2);
    EXPECT_EQ(Ask(3, 0x10139, fits), 0);
    ASSERT_EQ(Ask(2, 0x10139, out), 0);
    EXPECT_EQ(out[0], 2570u);
    EXPECT_EQ(out[1], 3640u);
    EXPECT_EQ(Priv16(1179), 2570);
    DWORD bounds[6] = {};
    ASSERT_EQ(Ask(2, 0x10130, bounds), 0);
    EXPECT_EQ(bounds[0], 2570u);
    EXPECT_EQ(bounds[5], 2030u);
    EXPECT_EQ(Ask(6, 0x1013B, nullptr), 3) << "small class not free";
}

TEST_F(DriverOptions, PaperSourceSettingsChangeNothingWhenOneEntryIsRefused) {
    DWORD count = 0;
    ASSERT_EQ(Ask(1, 0x1000F, &count), 0);
    ASSERT_GT(count, 1u);
    std::vector<uint8_t> entries(12 * count), again(12 * count);
    ASSERT_EQ(Ask(4, 0x1000F, entries.data()), 0);
    std::vector<uint8_t> bad = entries;
    MutableByteView(bad.data() + 12 * (count - 1), 12).put_u16(2, 9999);  // a paper the printer lacks
    EXPECT_EQ(Ask(3, 0x1000F, bad.data()), 2);
    ASSERT_EQ(Ask(4, 0x1000F, again.data()), 0);
    EXPECT_EQ(again, entries);
    bad = entries;
    MutableByteView(bad.data(), 12).put_u16(6, 77);  // a media the device data does not name
    EXPECT_EQ(Ask(3, 0x1000F, bad.data()), 2);
    ASSERT_EQ(Ask(4, 0x1000F, again.data()), 0);
    EXPECT_EQ(again, entries);
}

TEST_F(DriverOptions, SourceTablesAnswerTheirFixedEntriesAndCapabilityBits) {
    DWORD count = 0;
    ASSERT_EQ(Ask(1, 0x1003B, &count), 0);
    EXPECT_EQ(count, 6u);
    uint8_t trays[36] = {};
    ASSERT_EQ(Ask(4, 0x1003B, trays), 0);
    const uint8_t expected[6] = {0x11, 0x00, 0xC8, 0x00, 0xD0, 0x07};  // type 17, 200, 2000
    EXPECT_EQ(std::memcmp(trays, expected, 6), 0);
    EXPECT_EQ(trays[30], 5);

    ASSERT_EQ(Ask(1, 0x10013, &count), 0);
    std::vector<uint8_t> list(72 * count);
    ASSERT_EQ(Ask(4, 0x10013, list.data()), 0);
    bool defaultSeen = false;
    for (size_t i = 0; i < count; ++i) {
        ByteView entry(list.data() + 72 * i, 72);
        uint32_t flags = 0;
        entry.u32(68, flags);
        EXPECT_NE(entry.data()[4], 0) << "source " << i << " has a name";
        EXPECT_EQ(entry.data()[4 + 31], 0);
        defaultSeen |= (flags & 1) != 0;
    }
    EXPECT_TRUE(defaultSeen) << "the device data's default source is marked";

    ASSERT_EQ(Ask(1, 0x1013C, &count), 0);
    std::vector<DWORD> caps(3 * count, 0x5A5A5A5A);
    ASSERT_EQ(Ask(4, 0x1013C, caps.data()), 0);
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(caps[3 * i + 2], 0x5A5A5A5Au) << "the caller's third word stays";
        if (caps[3 * i] == 1) {
            EXPECT_EQ(caps[3 * i + 1], 0x3u) << "tray 1";
        }
    }
    SetDopBit(2, 0);
    ASSERT_EQ(Ask(4, 0x1013C, caps.data()), 0);
    for (size_t i = 0; i < count; ++i) {
        if (caps[3 * i] == 1) {
            EXPECT_EQ(caps[3 * i + 1], 0x3000Cu) << "tray 1 with paired sources";
        }
    }
}

TEST_F(DriverOptions, PrivateSwitchesAndTheFinishingSwitch) {
    namespace model = devmode::model;
    Priv().put_u8(model::kRuleClearedByte, 7);
    EXPECT_EQ(Set(0x100CB, 1), 0);
    uint32_t word = 0;
    Priv().u32(model::kPrivateFlagWord, word);
    EXPECT_TRUE(word & (1u << 14));
    EXPECT_EQ(Priv().data()[model::kRuleClearedByte], 0);
    EXPECT_EQ(Priv16(model::kSetByCodeWord), 1);
    EXPECT_EQ(Get(0x100CB), 1u);
    EXPECT_EQ(Set(0x100CB, 2), 2);
    EXPECT_EQ(Ask(6, 0x100CB, nullptr), 0);
    EXPECT_EQ(Get(0x100CB), 0u);

    EXPECT_EQ(Set(0x10015, 1), 2) << "the model lists its sources instead";
    SetOption32(190, 0x800);
    EXPECT_EQ(Get(0x10041), 1u);
    EXPECT_EQ(Set(0x10041, 5), 2);
    DWORD user[41] = {};
    EXPECT_EQ(Ask(3, 0x100EA, user), 2) << "the job operations offer no secured user here";
}

class PageLists : public DriverOptions {
public:
    void SetUp() override {
        DriverOptions::SetUp();
        SetDopBit(980, 1);  // list B and the extra source pair
        SetDopBit(980, 3);  // list A
    }
    uint32_t Entry(size_t i) {
        uint32_t v = 0;
        Priv().u32(model::kPageTable + 4 * i, v);
        return v;
    }
    std::vector<DWORD> List(std::initializer_list<DWORD> head) {
        std::vector<DWORD> pages(100, 0);
        std::copy(head.begin(), head.end(), pages.begin());
        return pages;
    }
};

TEST_F(PageLists, ListASortsItsFieldAndLeavesListBAlone) {
    std::vector<DWORD> b = List({7, 2});
    ASSERT_EQ(Ask(3, 0x100C8, b.data()), 0);
    std::vector<DWORD> a = List({5, 3, 5, 0, 9});
    ASSERT_EQ(Ask(3, 0x10043, a.data()), 0);
    std::vector<DWORD> read(100, 0xAB);
    ASSERT_EQ(Ask(2, 0x10043, read.data()), 0);
    EXPECT_EQ(std::vector<DWORD>(read.begin(), read.begin() + 4), (std::vector<DWORD>{3, 5, 9, 0}));
    EXPECT_EQ(Priv().data()[model::kListACount], 3);
    // List B keeps its own sorted numbers in the same entries.
    EXPECT_EQ((Entry(0) >> 10) & 0x3FF, 2u);
    EXPECT_EQ((Entry(1) >> 10) & 0x3FF, 7u);
    EXPECT_EQ(Priv().data()[model::kListBCount], 2);
    EXPECT_EQ(Option32(201) & 0xFFFF, 5u);

    // Out of range, negative included: refused, the table unchanged.
    std::vector<uint8_t> before(devmode.begin(), devmode.end());
    for (DWORD bad : {1000u, 0xFFFFFFFFu}) {
        std::vector<DWORD> pages = List({4, bad});
        EXPECT_EQ(Ask(3, 0x10043, pages.data()), 2) << bad;
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), devmode.begin()));
    EXPECT_EQ(Ask(6, 0x10043, nullptr), 0);
    EXPECT_EQ(Priv().data()[model::kListACount], 0);
    EXPECT_EQ((Entry(1) >> 10) & 0x3FF, 7u);
}

TEST_F(PageLists, PageSourceListTakesTheFirstPairThatIsNotPageOne) {
    std::vector<DWORD> pairs(200, 0);
    for (size_t i = 0; i < 100; ++i) pairs[2 * i] = 1, pairs[2 * i + 1] = 0x10001;
    ASSERT_EQ(Ask(3, 0x10117, pairs.data()), 0);
    EXPECT_EQ(Priv16(model::kListBSourceWord), 404) << "all pages 1: the first pair's source";
    EXPECT_EQ((Entry(0) >> 10) & 0x3FF, 0u);
    std::vector<DWORD> read(200, 0);
    ASSERT_EQ(Ask(2, 0x10117, read.data()), 0);
    EXPECT_EQ(read[1], 0x10001u);

    pairs.assign(200, 0);
    pairs[0] = 1, pairs[1] = 1;
    pairs[2] = 12, pairs[3] = 3;
    pairs[4] = 4, pairs[5] = 3;
    ASSERT_EQ(Ask(3, 0x10117, pairs.data()), 0);
    EXPECT_EQ(Priv16(model::kListBSourceWord), 3);
    EXPECT_EQ((Entry(0) >> 10) & 0x3FF, 4u);
    EXPECT_EQ((Entry(1) >> 10) & 0x3FF, 12u);
    pairs[3] = 266;  // a large-capacity id the printer does not have
    EXPECT_EQ(Ask(3, 0x10117, pairs.data()), 2);
    pairs[3] = 0x10002;  // a pair the device's paired sources do not offer
    EXPECT_EQ(Ask(3, 0x10117, pairs.data()), 2);
}

TEST_F(PageLists, ListsOfThirtyKeepTheSecondInsideTheFirst) {
    std::vector<DWORD> a(30, 0), b(30, 0), read(30, 0);
    a[0] = 20, a[1] = 10, a[2] = 20;
    ASSERT_EQ(Ask(3, 0x100EC, a.data()), 0);
    ASSERT_EQ(Ask(2, 0x100EC, read.data()), 0);
    EXPECT_EQ(std::vector<DWORD>(read.begin(), read.begin() + 3), (std::vector<DWORD>{10, 20, 0}));
    b[0] = 30;
    EXPECT_EQ(Ask(3, 0x100ED, b.data()), 3);
    a[0] = 1000;
    EXPECT_EQ(Ask(3, 0x100EC, a.data()), 2);
    DWORD size = 0;
    EXPECT_EQ(Ask(0, 0x100EC, &size), 0);
    EXPECT_EQ(size, 120u);
}

constexpr uint32_t kLargestAnnounced = 1u << 20;
constexpr uint8_t kCanary = 0xA5;

class CallerBuffers : public DriverOptions {
protected:
    // Asks `kind` into a buffer of exactly `bytes`, once behind a guard page and once with a
    // canary after it; false (with the code named) when the canary was touched.
    void ExpectFits(DWORD kind, DWORD code, size_t bytes) {
        {
            drvtest::GuardedBuffer guarded(bytes);
            ASSERT_NE(guarded.data(), nullptr);
            Ask(kind, code, guarded.data());
        }
        std::vector<uint8_t> buffer(bytes + 16, kCanary);
        std::memset(buffer.data(), 0, bytes);
        Ask(kind, code, buffer.data());
        for (size_t i = bytes; i < buffer.size(); ++i)
            if (buffer[i] != kCanary) {
                ADD_FAILURE() << std::hex << "code 0x" << code << " kind " << kind << std::dec << " announced " << bytes
                              << " bytes and wrote byte " << i;
                return;
            }
    }

    // The size request into one guarded word; 0 when the code answers no size.
    uint32_t AnnouncedSize(DWORD code) {
        drvtest::GuardedBuffer word(sizeof(uint32_t));
        if (Ask(0, code, word.data()) != 0) return 0;
        uint32_t size = 0;
        std::memcpy(&size, word.data(), sizeof size);
        return size <= kLargestAnnounced ? size : 0;
    }

    void WalkCodes(DWORD first, DWORD last, int& answered) {
        for (DWORD code = first; code <= last; ++code) {
            const uint32_t size = AnnouncedSize(code);
            if (!size) continue;
            ++answered;
            ExpectFits(2, code, size);
            drvtest::GuardedBuffer countWord(sizeof(uint32_t));
            if (Ask(1, code, countWord.data()) != 0) continue;
            uint32_t count = 0;
            std::memcpy(&count, countWord.data(), sizeof count);
            if (uint64_t{count} * size <= kLargestAnnounced) ExpectFits(4, code, size_t{count} * size);
        }
    }
};

// The driver's own codes and every option key of the items: the size a caller is told holds
// what the get (and the list) writes.
TEST_F(CallerBuffers, EveryCodeWritesNoMoreThanItsSizeRequestAnnounced) {
    int answered = 0;
    WalkCodes(0x10000, 0x10FFF, answered);    // the driver's codes and the application codes
    WalkCodes(0x100000, 0x10FFFF, answered);  // 0x100000 plus an item id
    EXPECT_GT(answered, 100);

    // A device whose configuration found every option the driver's own codes ask about: the
    // codes it gates answer too.
    for (size_t offset : {0, 1, 2, 9, 35, 37, 980, 981, 982, 983, 984, 986, 988, 989, 1038}) Dop().put_u8(offset, 0xFF);
    int gated = 0;
    WalkCodes(0x10000, 0x10157, gated);
    EXPECT_GT(gated, answered / 10);
}

// The batch query reads its code list no further than its output area: the list and its
// terminator must lie before it, else the answer is 1 and nothing is written.
TEST_F(CallerBuffers, BatchQueryReadsItsListNoFurtherThanTheOutputArea) {
    // words: the whole caller's buffer.
    struct Case { std::vector<uint32_t> words; LONG answer; };
    const Case cases[] = {
        {{0}, 1},                                   // one word: no room for a list at all
        {{4}, 1},                                   // the output over the list's first word
        {{12, 0x10000, 0x1004E, 0xEEEEEEEE}, 1},    // no terminator before the output area
        {{12, 0x10000, 0, 0xEEEEEEEE}, 0},          // one code, ended; the size goes to word 3
    };
    for (const Case& c : cases) {
        for (DWORD kind : {0u, 1u, 2u, 4u}) {
            const size_t bytes = c.words.size() * 4;
            drvtest::GuardedBuffer buffer(bytes);
            ASSERT_NE(buffer.data(), nullptr);
            std::memcpy(buffer.data(), c.words.data(), bytes);
            // A get that succeeds needs the room its size request announced, not given here.
            if ((kind == 2 || kind == 4) && c.answer == 0) continue;
            const LONG answer = Ask(kind, 0x10051, buffer.data());
            EXPECT_EQ(answer, c.answer) << c.words[0] << " kind " << kind;
            if (answer != 0) {
                EXPECT_EQ(std::memcmp(buffer.data(), c.words.data(), bytes), 0) << "written";
            }
        }
    }
}

}  // namespace
