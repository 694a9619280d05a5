// Options of the private device mode: every row round-trips at its width by number and by id,
// a null buffer resets, unknown options refuse and touch nothing.
#include "core/devmode/devmode_options.h"
#include "core/devmode/devmode_check.h"
#include "devmode_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

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

// A whole current-form device mode takes a shorter way to its options, with a size handed in or
// by its own sizes; each damage to what that way checks must give the answers of the section
// directory's route.
TEST(DevmodeOptions, TheCurrentFormsShortWayAnswersAsTheDirectoryDoes) {
    struct Damage {
        size_t offset;  // SIZE_MAX: none
        uint16_t value;
        size_t sizeDelta;  // added to the size handed in
    };
    std::vector<Damage> damages = {{SIZE_MAX, 0, 0},  {SIZE_MAX, 0, size_t(-1)}, {SIZE_MAX, 0, 8},
                                   {kOffSize, 147, 0}, {kOffDriverExtra, kPrivateSize + 1, 0},
                                   {kOffDriverExtra, kPrivateSize - 1, 0}, {kOffSignature + 2, 'x', 0},
                                   {kOffPrivateVersion, kOldestPrivateVersion - 1, 0},
                                   {kOffPrivateVersion, kPrivateVersion + 1, 0}, {kOffPrivateVersion, kOldestPrivateVersion, 0}};
    for (unsigned section = kFirstSection; section <= kLastSection; ++section) {
        const unsigned i = section - kFirstSection;
        damages.push_back({directoryEntry(section), static_cast<uint16_t>(kSectionOffsets[i] + 2), 0});
        damages.push_back({directoryEntry(section) + 2, static_cast<uint16_t>(kSectionSizes[i] - 1), 0});
        damages.push_back({directoryEntry(section) + 2, 0, 0});
    }
    for (const Damage& d : damages) {
        auto dm = defaultDevmode();
        if (d.offset != SIZE_MAX) std::memcpy(dm.data() + d.offset, &d.value, sizeof d.value);
        const size_t size = dm.size() + d.sizeDelta;
        const size_t declared = declaredSize(dm.data());
        dm.resize(std::max({size, declared, dm.size()}));
        for (const OptionRow& row : kOptionRows) {
            SectionSpan span;
            const OptionPlace& place = kOptionPlaces[rowIndex(&row)];
            const bool held = locateSection(ByteView(dm.data(), size), place.section, span) &&
                              place.offset + row.width <= span.size;
            auto expected = dm;
            const auto value = pattern(row.width, static_cast<uint8_t>(row.id));
            if (held) std::memcpy(expected.data() + span.offset + place.offset, value.data(), row.width);
            std::vector<uint8_t> out(row.width, 0xEE);
            EXPECT_EQ(SetOption(dm.data(), size, row.id, value.data(), value.size()), held)
                << d.offset << " " << std::hex << row.id;
            EXPECT_EQ(dm, expected) << d.offset << " " << std::hex << row.id;
            EXPECT_EQ(GetOption(dm.data(), size, row.id, out.data(), out.size()), held);
            EXPECT_EQ(out, held ? value : std::vector<uint8_t>(row.width, 0xEE)) << d.offset << " " << std::hex << row.id;
            // Handed only the pointer, the device mode's own sizes bound the way.
            const bool heldByOwnSize = locateSection(ByteView(dm.data(), declared), place.section, span) &&
                                       place.offset + row.width <= span.size;
            const auto other = pattern(row.width, static_cast<uint8_t>(row.id + 1));
            if (heldByOwnSize) std::memcpy(expected.data() + span.offset + place.offset, other.data(), row.width);
            const uint32_t key = row.number ? row.number : row.id;
            EXPECT_EQ(SetOption(dm.data(), key, other.data(), other.size()), heldByOwnSize);
            EXPECT_EQ(dm, expected) << d.offset << " " << std::hex << row.id;
            std::vector<uint8_t> own(row.width, 0xEE);
            EXPECT_EQ(GetOption(dm.data(), row.id, own.data(), own.size()), heldByOwnSize);
            EXPECT_EQ(own, heldByOwnSize ? other : std::vector<uint8_t>(row.width, 0xEE))
                << d.offset << " " << std::hex << row.id;
        }
    }
}
