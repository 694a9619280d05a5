// Media tables, bit sets, media-library rules and capability bits.
#include "model/capability_bits.h"
#include "model/media_bit_set.h"
#include "model/media_library.h"
#include "model/media_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(MediaTable, IndexesFollowTheModelsTable) {
    struct Case { uint16_t media, model; int index; };
    for (auto c : {Case{2, 2059, 0}, Case{15, 2071, 6}, Case{9, 2065, 3}, Case{5, 2059, -1},
                   Case{2, 7, -1}, Case{kNoMedia, 2059, -1}, Case{kNoMedia, 7, -1}})
        EXPECT_EQ(MediaTable_IndexOf(c.media, c.model), c.index) << c.media << " on " << c.model;
    const MediaRecord* table = MediaTable_ForModel(2059);
    EXPECT_STREQ(table[0].name, "Plain");
    EXPECT_EQ(table[49].mediaId, kNoMedia);
    const MediaRecord* none = MediaTable_ForModel(1);
    for (size_t i = 0; i < kMediaTableEntries; ++i) EXPECT_EQ(none[i].mediaId, kNoMedia);
}

TEST(MediaBitSet, WalksAreIndependentAndStayInRange) {
    uint8_t set[kMediaBitSetBytes] = {};
    for (unsigned i : {0u, 7u, 8u, 63u, 99u, 100u, 127u, 1000u}) MediaBitSet_SetBit(set, i, 1);
    EXPECT_EQ(set[12] & 0xF0, 0);  // bits 100 and up were not set
    MediaBitSet_SetBit(set, 7, 0);
    set[13] = 0xFF;  // a stored set may carry bits past the limit; the walk never reports them

    MediaBitWalk a, b;
    std::vector<int> seen;
    for (uint8_t bit = MediaBitSet_NextBit(a, set); bit != kMediaBitEnd; bit = MediaBitSet_NextBit(a, nullptr)) {
        seen.push_back(bit);
        if (seen.size() == 1) {
            EXPECT_EQ(MediaBitSet_NextBit(b, set), 0);  // a second walk starts afresh
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 8, 63, 99}));
    EXPECT_EQ(MediaBitSet_NextBit(b, nullptr), 8);
    EXPECT_EQ(MediaBitSet_NextBit(a, nullptr), kMediaBitEnd);
    MediaBitWalk never;
    EXPECT_EQ(MediaBitSet_NextBit(never, nullptr), kMediaBitEnd);
}

TEST(MediaLibrary, RulesRefuseWhatTheUnitsCannotTakeAndAllowTheRest) {
    struct Case { int op; uint16_t size, type; int allowed; };
    for (auto c : {Case{kMediaOpDuplex, 7, 2, 1}, Case{kMediaOpDuplex, 2, 4, 0}, Case{kMediaOpDuplex, 2, 12, 0},
                   Case{kMediaOpStaple, 7, 15, 0}, Case{kMediaOpStaple, 7, 3, 1}, Case{kMediaOpPunch, 2, 12, 0},
                   Case{kMediaOpBooklet, 1, 2, 0}, Case{kMediaOpBooklet, 7, 2, 1}, Case{kMediaOpLayout, 1, 15, 0},
                   Case{kMediaOpLayout, 7, 9, 1}, Case{99, 1, 4, 1}})
        EXPECT_EQ(MediaLibrary_Dispatch(c.op, 2059, c.size, c.type, 7), c.allowed) << c.op << "/" << c.type;
}

TEST(CapabilityBits, OneBitPerMediaWithFallbacks) {
    struct Case { int16_t value; uint32_t bit; };
    for (auto c : {Case{-2, 0}, Case{-1, 1}, Case{2, 4}, Case{15, 0x100}, Case{7, 2}, Case{-3, 2}, Case{0, 2}})
        EXPECT_EQ(PaperSourceToCapabilityBit(c.value), c.bit) << c.value;
}
