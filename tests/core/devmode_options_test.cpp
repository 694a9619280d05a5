// Options of the private device mode: every row round-trips at its width by number and by id,
// a null buffer resets, unknown options refuse and touch nothing.
#include "core/devmode/devmode_options.h"
#include "devmode_test_support.h"

#include <gtest/gtest.h>

using namespace devmode;

TEST(DevmodeOptions, EveryOptionRoundTripsAtItsWidthByNumberAndById) {
    auto dm = defaultDevmode();
    for (const OptionRow& row : kOptionRows) {
        auto value = pattern(row.width, static_cast<uint8_t>(row.id));
        uint32_t setKey = row.number ? row.number : row.id;
        ASSERT_TRUE(SetOption(dm.data(), dm.size(), setKey, value.data(), value.size())) << std::hex << row.id;
        std::vector<uint8_t> out(row.width + 4, 0xEE);  // asks for more than the width
        ASSERT_TRUE(GetOption(dm.data(), dm.size(), row.id, out.data(), out.size()));
        EXPECT_TRUE(std::equal(value.begin(), value.end(), out.begin())) << std::hex << row.id;
        EXPECT_EQ(out[row.width], 0xEE) << "copied past the width of " << std::hex << row.id;
    }
    // Nothing written for one option disturbed another.
    for (const OptionRow& row : kOptionRows) {
        std::vector<uint8_t> out(row.width);
        ASSERT_TRUE(GetOption(dm.data(), dm.size(), row.number ? row.number : row.id, out.data(), out.size()));
        EXPECT_EQ(out, pattern(row.width, static_cast<uint8_t>(row.id))) << std::hex << row.id;
    }
}

TEST(DevmodeOptions, ShortValuesAreZeroExtendedAndNullResets) {
    auto dm = defaultDevmode(), fresh = defaultDevmode();
    uint32_t flags = 0xFFFFFFFF;
    ASSERT_TRUE(SetOption(dm.data(), dm.size(), 100, &flags, sizeof flags));
    uint16_t low = 0x1234;
    ASSERT_TRUE(SetOption(dm.data(), dm.size(), 100, &low, sizeof low));
    GetOption(dm.data(), dm.size(), 100, &flags, sizeof flags);
    EXPECT_EQ(flags, 0x1234u);
    for (uint32_t key : {157u, 261u, 262u, 332u, 0x30025u}) {
        auto junk = pattern(findOption(key)->width, 3);
        SetOption(dm.data(), dm.size(), key, junk.data(), junk.size());
        ASSERT_TRUE(SetOption(dm.data(), dm.size(), key, nullptr, 0)) << key;
    }
    uint32_t colour = 0;
    GetOption(dm.data(), dm.size(), 157, &colour, sizeof colour);
    EXPECT_EQ(colour, 0x808080u);
    SetOption(dm.data(), dm.size(), 100, nullptr, 4);
    EXPECT_EQ(dm, fresh);
}

TEST(DevmodeOptions, UnknownOptionsAndForeignBuffersRefuseWithoutTouching) {
    auto dm = defaultDevmode();
    const auto before = dm;
    for (uint32_t key : {0u, 99u, 103u, 113u, 333u, 0x10000u, 0x20000u, 0x20004u, 0x90001u, 0xC0000u, 0x1020001u}) {
        uint8_t out[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        EXPECT_FALSE(GetOption(dm.data(), dm.size(), key, out, sizeof out)) << std::hex << key;
        EXPECT_EQ(out[0], 1);
        EXPECT_FALSE(SetOption(dm.data(), dm.size(), key, out, sizeof out)) << std::hex << key;
    }
    EXPECT_EQ(dm, before);
    uint32_t out = 7;
    EXPECT_FALSE(GetOption(dm.data(), 300, 190, &out, 4)) << "device mode cut before the section";
    dm[kOffDriverExtra] = 72;
    dm[kOffDriverExtra + 1] = 0;
    EXPECT_FALSE(GetOption(dm.data(), 190, &out, 4)) << "bounded by its own dmDriverExtra";
    dm[148] = 'X';
    EXPECT_FALSE(GetOption(dm.data(), dm.size(), 190, &out, 4)) << "not our private part";
    EXPECT_EQ(out, 7u);
}
