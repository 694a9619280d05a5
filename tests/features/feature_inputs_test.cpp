// What the feature dialogs take from a person and keep in the settings: page-list texts, the
// insertion table's rules over the model section's bytes, the typed numbers and the media checks.
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "features/feature_numbers.h"
#include "features/insertion_table.h"
#include "features/media_checks.h"
#include "features/page_list.h"
#include "model/media_library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace model = devmode::model;

TEST(PageList, RangesAreReadAndMalformedTextsRefusedWhole) {
    using Ranges = std::vector<PageRange>;
    EXPECT_EQ(ParsePageList("1,3,5-7"), (Ranges{{1, 1}, {3, 3}, {5, 7}}));
    EXPECT_EQ(ParsePageList(" 12 - 14 , 999"), (Ranges{{12, 14}, {999, 999}}));
    EXPECT_EQ(ParsePageList(""), Ranges{});
    EXPECT_EQ(ParsePageList("   "), Ranges{});
    for (const char* bad : {"5-3", "01", "1,,2", "1000", ",1", "1,", "1-2-3", "-4", "4-", "0", "3-0", "1;2", "a",
                            "1-01", "+1", "1.5", ","})
        EXPECT_FALSE(ParsePageList(bad)) << bad;
    EXPECT_FALSE(ParsePageList(std::string(kPageListTextLimit + 1, '1')));
}

class Insertion : public ::testing::Test {
protected:
    std::vector<uint8_t> bytes = std::vector<uint8_t>(devmode::kModelSectionSize, 0);
    InsertionTable table{MutableByteView(bytes.data(), bytes.size()), 4};
    uint32_t Word(size_t i) const {
        return uint32_t(bytes[model::kPageTable + 4 * i]) | uint32_t(bytes[model::kPageTable + 4 * i + 1]) << 8 |
               uint32_t(bytes[model::kPageTable + 4 * i + 2]) << 16 | uint32_t(bytes[model::kPageTable + 4 * i + 3]) << 24;
    }
};

TEST_F(Insertion, EachKindKeepsItsOwnFieldAndCounter) {
    ASSERT_TRUE(table.Add(0, 5, 5));
    ASSERT_TRUE(table.Add(1, 7, 7));
    ASSERT_TRUE(table.Add(2, 9, 9));
    EXPECT_EQ(Word(0), (9u) | (5u << 10) | (7u << 20));
    EXPECT_EQ(bytes[model::kListBCount], 1);  // kind 0
    EXPECT_EQ(bytes[model::kThirdCount], 1);  // kind 1
    EXPECT_EQ(bytes[model::kListACount], 1);  // kind 2
    // The lookup reads the field of the kind it is asked for.
    EXPECT_EQ(table.FindInsertPageEntry(0, 5), 0);
    EXPECT_EQ(table.FindInsertPageEntry(1, 7), 0);
    EXPECT_EQ(table.FindInsertPageEntry(2, 9), 0);
    EXPECT_EQ(table.FindInsertPageEntry(1, 9), -1);
    EXPECT_EQ(table.FindInsertPageEntry(2, 5), -1);
}

TEST_F(Insertion, PageOneIsNoInsertionOfKindsZeroAndOneAndARepeatMovesToTheEnd) {
    ASSERT_TRUE(table.Add(0, 1, 1));
    ASSERT_TRUE(table.Add(1, 1, 1));
    EXPECT_EQ(table.Pages(0), (std::vector<uint16_t>{0, 0, 0, 0}));
    EXPECT_EQ(table.Count(1), 0);
    ASSERT_TRUE(table.Add(2, 1, 1));
    EXPECT_EQ(table.Pages(2), (std::vector<uint16_t>{1, 0, 0, 0}));

    ASSERT_TRUE(table.Add(0, 4, 6));
    ASSERT_TRUE(table.Add(0, 4, 4));
    EXPECT_EQ(table.Pages(0), (std::vector<uint16_t>{5, 6, 4, 0}));
    EXPECT_EQ(table.Count(0), 3);
    EXPECT_EQ(table.Compact(0), 3);
    EXPECT_EQ(table.Pages(0), (std::vector<uint16_t>{4, 5, 6, 0}));
}

TEST_F(Insertion, AFullTableRefusesTheAddAndKeepsWhatItHeld) {
    ASSERT_TRUE(table.Add(2, 10, 13));
    const std::vector<uint8_t> full = bytes;
    EXPECT_FALSE(table.Add(2, 14, 14));
    EXPECT_EQ(bytes, full);
    EXPECT_EQ(table.Pages(2), (std::vector<uint16_t>{10, 11, 12, 13}));
    // A page it holds still moves; that needs no room.
    EXPECT_TRUE(table.Add(2, 10, 10));
    EXPECT_EQ(table.Pages(2), (std::vector<uint16_t>{11, 12, 13, 10}));
    table.Remove(2, {12, 10});
    EXPECT_EQ(table.Pages(2), (std::vector<uint16_t>{11, 13, 0, 0}));
    EXPECT_EQ(table.Count(2), 2);
}

TEST_F(Insertion, AShortSectionIsNeverTouched) {
    std::vector<uint8_t> shortSection(model::kPageTable + 8, 0);
    InsertionTable small(MutableByteView(shortSection.data(), shortSection.size()), 4);
    EXPECT_FALSE(small.Add(2, 3, 3));
    EXPECT_EQ(small.Compact(2), 0);
    EXPECT_TRUE(small.Pages(2).empty());
    EXPECT_EQ(small.FindInsertPageEntry(2, 3), -1);
}

TEST(FeatureNumbers, AdjustmentsAndShiftsAreCheckedByTheirRules) {
    struct Case { const char* text; bool adjustment; };
    for (auto c : {Case{"12.5", true}, Case{"-3", true}, Case{"+6553.5", true}, Case{"6553.6", false},
                   Case{"1-", false}, Case{"--1", false}, Case{"1.2.3", false}, Case{"", false}, Case{".", false},
                   Case{"12,5", false}, Case{"99999999999", false}, Case{"0.04", true}})
        EXPECT_EQ(IsValidAdjustment(c.text, '.'), c.adjustment) << c.text;
    EXPECT_TRUE(IsValidAdjustment("1,5", ','));

    struct Shift { const char* text; bool required; uint16_t unit; bool valid; };
    for (auto s : {Shift{"", false, 0, true}, Shift{"", true, 0, false}, Shift{"254", true, 0, true},
                   Shift{"255", true, 0, false}, Shift{"-1", true, 0, false}, Shift{"+12.5", true, 0, true},
                   Shift{"1", true, 1, true}, Shift{"1.01", true, 1, false}, Shift{"70000", true, 0, false}})
        EXPECT_EQ(IsValidShift(s.text, '.', s.required, s.unit), s.valid) << s.text << " unit " << s.unit;
}

TEST(MediaChecks, EachSettingAsksItsUnitsTestInTurn) {
    MediaRecord transparency{};
    transparency.mediaType = 4;
    MediaRecord heavy{};
    heavy.mediaType = 23;
    MediaRecord plain{};
    plain.mediaType = 6;
    struct Case { const char* what; MediaCheckSettings settings; const MediaRecord* media; bool suits; };
    const Case cases[] = {
        {"no finishing", {2059}, &transparency, true},
        {"two-sided transparency", {2059, 0, 0, 0, 0x1}, &transparency, false},
        {"two-sided plain type", {2059, 0, 0, 0, 0x1}, &plain, true},
        {"two-sided with any media", {2059, 0, 0, 0, 0x1, 0x40}, &transparency, true},
        {"stapled heavy on 2065 paper 18", {2065, 0, 0, 0, 0x10, 0, 18}, &heavy, false},
        {"stapled heavy on 2065 other paper", {2065, 0, 0, 0, 0x10, 0, 17}, &heavy, true},
        {"punched transparency", {2059, 0, 0, 0, 0x20}, &transparency, false},
        {"restricted to the kind-2 list", {2059, 0, 0, 0, 0x80}, &plain, false},
    };
    for (const Case& c : cases) EXPECT_EQ(MediaSuitsSettings(c.settings, *c.media), c.suits) << c.what;
    EXPECT_NE(MediaLibrary_PairTest(2059, 6), 0);
}

}  // namespace
