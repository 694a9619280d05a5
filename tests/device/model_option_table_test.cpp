// The per-model request lists, the deck count a version gives and the option mask it implies,
// read back from a device-option data area as the printer stores it.
#include "core/devmode/device_option_block.h"
#include "device/config/model_option_table.h"
#include "device/devinfo_queries.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

struct Dop {
    std::array<uint8_t, devopt::kDataSize> bytes{};
    MutableByteView View() { return MutableByteView(bytes.data(), bytes.size()); }
    uint32_t U32(size_t at) {
        uint32_t v = 0;
        View().u32(at, v);
        return v;
    }
    int16_t Deck() {
        int16_t v = 0;
        View().s16(devopt::kDeckCount, v);
        return v;
    }
};

// A model without a list builds none; the short form leaves out the requests it has no room for.
TEST(ModelOptionTable, UnlistedModelsBuildNoneAndTheShortFormDropsItsRequests) {
    ModelOptionTable none;
    EXPECT_FALSE(BuildModelOptionTable(9999, 12, false, none));
    ModelOptionTable t;
    ASSERT_TRUE(BuildModelOptionTable(1030, 0, true, t));
    std::vector<uint16_t> ids;
    for (uint32_t i = 0; i < t.requestCount; ++i) ids.push_back(t.requests[i].attribute);
    EXPECT_EQ(ids, (std::vector<uint16_t>{1056, 115, 2131, 2150, 2152, 2153, 1082})) << "no 2058, no 2163";
    DevInfoAttributePair pairs[kModelOptionRequestLimit];
    uint32_t n = 0;
    ModelOptionPairs(t, pairs, n);
    ASSERT_EQ(n, 7u);
    EXPECT_EQ(pairs[6].object, 101u);
    EXPECT_EQ(pairs[6].attribute, 1082);
}

TEST(ModelOptionTable, VersionHighByteGivesTheDeckCount) {
    struct Case {
        uint16_t model;
        uint16_t version;
        bool pseudo;
        int16_t deck;
    };
    for (auto c : {Case{2047, 0x0300, false, 3}, Case{2047, 0x01FF, false, 1}, Case{2047, 0x0900, false, 4},
                   Case{2048, 0x0300, false, 2}, Case{2010, 0x0300, false, 3}, Case{2010, 0x0200, false, 2},
                   Case{1025, 0x0200, false, 1}, Case{2044, 0x0000, false, 2}, Case{2032, 0x0500, false, 0},
                   Case{2059, 0x0500, false, 1}, Case{2065, 0x0000, true, 2}, Case{2065, 0x0000, false, 1}}) {
        ModelDefaultsInput in{c.model, 256, 9, c.pseudo};
        EXPECT_EQ(DeckCountFromVersion(in, c.version), c.deck) << c.model << " " << c.version;
    }
    struct Engine {
        uint16_t model, version;
        int16_t deck;
        bool known;
    };
    for (auto c : {Engine{1009, 0x0302, 3, true}, Engine{1003, 0x0302, 1, true}, Engine{1015, 0x5000, 4, true},
                   Engine{1015, 0x4F00, 3, true}, Engine{1018, 0x0000, 3, true}, Engine{1018, 0x0500, 7, true},
                   Engine{1019, 0x5000, 5, true}, Engine{2059, 0x0300, 0, false}}) {
        bool known = false;
        EXPECT_EQ(DeckCountFromEngineVersion(c.model, c.version, known), c.deck) << c.model;
        EXPECT_EQ(known, c.known) << c.model;
    }
}

TEST(ModelOptionTable, MaskRulesAddUpAndKeepTheLowBits) {
    struct Case {
        uint16_t model;
        int16_t deck;
        uint32_t language;
        uint32_t w1, w2;
    };
    for (auto c : {Case{1006, 4, 256, 0x7C00 | 0x180200 | 0x2000FC, 0}, Case{1006, 0, 256, 0x20, 0},
                   Case{1009, 0, 256, 0x40020, 0}, Case{2047, 4, 256, 0x7187EFD | 1u << 23 | 1u << 27, 0x9},
                   Case{2047, 4, 512, 0x7187EFD | 1u << 27, 0x9}, Case{2031, 1, 272, 0x1C6E3C, 0},
                   Case{2059, 1, 256, 0x1C00080 | 3, 0}, Case{2071, 1, 272, 0x7187EFD | 3, 0},
                   Case{2072, 1, 256, 0x7986EED | 3, 6}, Case{4242, 1, 256, 3, 0}}) {
        Dop d;
        d.View().put_s16(devopt::kDeckCount, c.deck);
        d.View().put_u32(devopt::kOptionMaskA, 0xFFFFFFFF);
        d.View().put_u32(devopt::kOptionMaskB, 0xFFFFFFFF);
        SetModelOptionDefaults(d.View(), {c.model, c.language, 9, false});
        EXPECT_EQ(d.U32(devopt::kOptionMaskA), c.w1 | 3) << c.model << ": bits 0 and 1 survive";
        EXPECT_EQ(d.U32(devopt::kOptionMaskB), c.w2) << c.model;
    }
    Dop d;
    d.View().put_u16(devopt::kDeviceNameVariant, 1);
    SetModelOptionDefaults(d.View(), {1003, 256, 9, false});
    EXPECT_EQ(d.U32(devopt::kOptionMaskA), 0x24u) << "the name variant of model 1003";
    SetModelOptionDefaults(d.View(), {2069, 256, 9, false});
    EXPECT_EQ(d.Deck(), 1);
}

TEST(ModelOptionTable, RemapGivesLargeDeckPapersTheDefaultPaperOnlyWithoutTheDeckBit) {
    auto slots = [](Dop& d, std::initializer_list<std::pair<uint16_t, uint16_t>> codePaper) {
        size_t k = 0;
        for (auto [code, paper] : codePaper) {
            size_t at = devopt::kSourceSlots + k++ * devopt::kSourceSlotSize;
            d.View().put_u16(at + devopt::kSlotSourceCode, code);
            d.View().put_u16(at + devopt::kSlotPaperSize, paper);
        }
    };
    auto paper = [](Dop& d, size_t k) {
        uint16_t v = 0;
        d.View().u16(devopt::kSourceSlots + k * devopt::kSourceSlotSize + devopt::kSlotPaperSize, v);
        return v;
    };
    Dop d;
    slots(d, {{1, 4327}, {2, 4328}, {3, 9}, {0, 4327}});
    d.View().put_s16(devopt::kDeckCount, 1);
    EXPECT_TRUE(SetModelOptionDefaults(d.View(), {2037, 256, 1, false}));
    EXPECT_EQ(paper(d, 0), 1);
    EXPECT_EQ(paper(d, 1), 1);
    EXPECT_EQ(paper(d, 2), 9);
    EXPECT_EQ(paper(d, 3), 4327) << "the walk ends at the empty slot";

    Dop full;
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        size_t at = devopt::kSourceSlots + k * devopt::kSourceSlotSize;
        full.View().put_u16(at + devopt::kSlotSourceCode, 7);
        full.View().put_u16(at + devopt::kSlotPaperSize, 4327);
    }
    full.View().put_s16(devopt::kDeckCount, 2);
    EXPECT_FALSE(SetModelOptionDefaults(full.View(), {2037, 256, 1, false})) << "bit 24 set: no remap";
    EXPECT_EQ(paper(full, 0), 4327);
    full.View().put_s16(devopt::kDeckCount, 1);
    EXPECT_TRUE(SetModelOptionDefaults(full.View(), {2037, 256, 1, false}));
    EXPECT_EQ(paper(full, 7), 1) << "eight full slots, none past them";
}

}  // namespace
