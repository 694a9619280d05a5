// The device-option block: numbered values at their widths, the data part, and the upgrade of a
// stored block that is older or damaged, and the merge of one process's changes into what others stored.
#include "core/helpers/byte_view.h"
#include "core/devmode/device_option_block.h"
#include "core/devmode/device_option_merge.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace devopt;

TEST(DeviceOptionBlock, ValuesRoundTripAtTheirWidthsAndStoredBlocksUpgradeOrAreRefused) {
    std::vector<uint8_t> block(kBlockSize);
    ASSERT_TRUE(buildDefaultBlock(block.data(), block.size()));
    struct Case { uint32_t id; size_t width; };
    for (auto c : {Case{0x201, 4}, Case{0x202, 2}, Case{0x203, 2}, Case{0x204, 2}, Case{0x205, 2}, Case{0x207, 2}}) {
        uint8_t in[4] = {0x11, 0x22, 0x33, 0x44}, out[6] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        ASSERT_TRUE(SetValue(block.data(), c.id, in, 4)) << std::hex << c.id;
        ASSERT_TRUE(GetValue(block.data(), c.id, out, sizeof out));
        EXPECT_EQ(0, std::memcmp(in, out, c.width)) << std::hex << c.id;
        EXPECT_EQ(out[c.width], 0xEE) << "copied past the width of " << std::hex << c.id;
    }
    uint32_t flags = 0;
    GetValue(block.data(), 513, &flags, 4);
    EXPECT_EQ(flags, 0x44332211u) << "ids in decimal are the same values";
    const auto before = block;
    uint32_t out = 5;
    for (uint32_t id : {0u, 0x200u, 0x208u, 0x10201u}) {
        EXPECT_FALSE(GetValue(block.data(), id, &out, 4));
        EXPECT_FALSE(SetValue(block.data(), id, &out, 4));
    }
    EXPECT_EQ(out, 5u);
    EXPECT_EQ(block, before);
    ASSERT_TRUE(SetValue(block.data(), 0x201, nullptr, 4));
    GetValue(block.data(), 0x201, &flags, 4);
    EXPECT_EQ(flags, 0u);

    std::vector<uint8_t> stored(kBlockSize);
    buildDefaultBlock(stored.data(), stored.size());
    uint16_t spooling = 2;
    SetValue(stored.data(), 0x207, &spooling, 2);
    blockData(stored.data())[kFinisherCode] = 21;
    // An older block: a data part of 600 bytes behind a larger header.
    std::vector<uint8_t> older(40 + 600, 0);
    std::copy(stored.begin(), stored.begin() + 32, older.begin());
    older[40] = 21;
    MutableByteView(older.data(), older.size()).put_u32(kOffTotalSize, uint32_t(older.size()));
    MutableByteView(older.data(), older.size()).put_s16(kOffDataOffset, 40);
    std::vector<uint8_t> up(kBlockSize, 0xAA);
    ASSERT_TRUE(upgradeBlock(older.data(), older.size(), up.data(), up.size()));
    EXPECT_EQ(blockData(up.data())[kFinisherCode], 21);
    EXPECT_EQ(blockSize(up.data()), kBlockSize);
    GetValue(up.data(), 0x207, &spooling, 2);
    EXPECT_EQ(spooling, 2);
    EXPECT_EQ(blockData(up.data())[700], 0);

    struct Damage { const char* what; size_t offset; int width; int32_t value; };
    for (auto c : {Damage{"size differs from the value", kOffTotalSize, 4, 5000}, Damage{"other version", kOffVersion, 4, 7},
                   Damage{"data inside the header", kOffDataOffset, 2, 20}, Damage{"data past the end", kOffDataOffset, 2, 4000},
                   Damage{"negative data offset", kOffDataOffset, 2, -32}}) {
        auto bad = stored;
        MutableByteView w(bad.data(), bad.size());
        c.width == 4 ? w.put_s32(c.offset, c.value) : w.put_s16(c.offset, int16_t(c.value));
        std::vector<uint8_t> target(kBlockSize, 0xAA);
        EXPECT_FALSE(upgradeBlock(bad.data(), bad.size(), target.data(), target.size())) << c.what;
        EXPECT_EQ(target[0], 0xAA) << c.what;
    }
    EXPECT_FALSE(upgradeBlock(stored.data(), 10, up.data(), up.size()));
}

// Two processes changed one block from the same stored one; the second's changes go over what
// the first stored: a number whole, a flag word bit by bit, and what it left alone stays.
TEST(DeviceOptionMerge, ChangesGoOverWhatOthersStoredFieldByField) {
    std::vector<uint8_t> base(kBlockSize), mine, stored;
    ASSERT_TRUE(buildDefaultBlock(base.data(), base.size()));
    MutableByteView(base.data(), base.size()).put_u32(kValueAreaEnd + kMemorySize, 0x100);
    mine = stored = base;
    MutableByteView m(mine.data(), mine.size()), s(stored.data(), stored.size());
    s.put_u32(kValueAreaEnd + kFlagWord, 0x1);         // the other process set bit 0 ...
    s.put_u32(kValueAreaEnd + kMemorySize, 0x200);     // ... and the memory size
    s.put_u16(kValueAreaEnd + kDeckCount, 3);          // ... and the deck count
    m.put_u32(kValueAreaEnd + kFlagWord, 0x8);         // this one sets bit 3 ...
    m.put_u32(kValueAreaEnd + kMemorySize, 0x001);     // ... and its own memory size
    mergeChanges(base.data(), mine.data(), stored.data());
    ByteView merged(stored.data(), stored.size());
    uint32_t flags = 0, memory = 0;
    int16_t decks = 0;
    merged.u32(kValueAreaEnd + kFlagWord, flags);
    merged.u32(kValueAreaEnd + kMemorySize, memory);
    merged.s16(kValueAreaEnd + kDeckCount, decks);
    EXPECT_EQ(flags, 0x9u);
    EXPECT_EQ(memory, 0x001u) << "a number is taken whole, never mixed byte by byte";
    EXPECT_EQ(decks, 3);
}
