// Page lists of the private page table through VomelDeviceMode: each list sorted without
// repeats, its count kept, the other list of the same entries left alone, and numbers out of
// range refused before anything changes.
#include "driver_option_fixture.h"

#include "core/devmode/model_section.h"

namespace {

namespace model = devmode::model;

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

}  // namespace
