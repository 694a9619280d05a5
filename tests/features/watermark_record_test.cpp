// The stored form of a watermark preset: the exact bytes, the older layout, refused sizes and
// unterminated texts, and the mapping between a preset and the watermark options.
#include "features/watermark_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace watermark;

namespace {

WaterMarkRecord Sample() {
    WaterMarkRecord r;
    r.id = 0x0102;
    r.kind = kKindUser;
    CopyText(r.name, sizeof r.name, "Draft copy");
    CopyText(r.text, sizeof r.text, "DRAFT");
    r.x = -12, r.y = 34, r.angleWord = -390, r.rotationMode = 3;
    r.frameKind = 3, r.layerChoice = 1, r.flag = 1, r.colour = 0x00A0B0C0;
    r.font.height = 72, r.font.width = 5, r.font.escapement = 300, r.font.orientation = 300, r.font.weight = 400;
    r.font.italic = 1, r.font.charSet = 1, r.font.pitchAndFamily = 0x22;
    CopyText(r.font.faceName, sizeof r.font.faceName, "Arial");
    return r;
}

TEST(WaterMarkRecord, PacksTheStoredFieldsAtTheirOffsetsAndReadsThemBack) {
    uint8_t bytes[kRegRecordSize];
    PackRecord(Sample(), bytes);
    EXPECT_EQ(bytes[0], 0x02);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[2], 2);
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 4), "Draft copy");
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 37), "DRAFT");
    EXPECT_EQ(bytes[70], 0xF4);  // -12
    EXPECT_EQ(bytes[74] | bytes[75] << 8, 0xFE7A);  // -390
    EXPECT_EQ(bytes[84] | bytes[85] << 8 | bytes[86] << 16, 0xA0B0C0);
    EXPECT_EQ(bytes[88], 72);
    EXPECT_EQ(bytes[98], 1);      // italic
    EXPECT_EQ(bytes[105], 0x22);  // pitch and family
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 106), "Arial");

    WaterMarkRecord back;
    back.changeFlags = 7;
    ASSERT_TRUE(UnpackRecord(bytes, sizeof bytes, back));
    EXPECT_EQ(back.changeFlags, 0);
    uint8_t again[kRegRecordSize];
    PackRecord(back, again);
    EXPECT_EQ(std::memcmp(bytes, again, sizeof bytes), 0);
    EXPECT_TRUE(SameContent(back, Sample()));
}

TEST(WaterMarkRecord, ReadsTheOlderLayoutWithoutItsKindWord) {
    uint8_t current[kRegRecordSize];
    PackRecord(Sample(), current);
    std::vector<uint8_t> old(current, current + 2);
    old.insert(old.end(), current + 4, current + kRegRecordSize);
    ASSERT_EQ(old.size(), kOldRegRecordSize);
    WaterMarkRecord back;
    ASSERT_TRUE(UnpackRecord(old.data(), old.size(), back));
    EXPECT_EQ(back.kind, 0u);
    EXPECT_STREQ(back.name, "Draft copy");
    EXPECT_EQ(back.colour, 0xA0B0C0u);
    EXPECT_STREQ(back.font.faceName, "Arial");
}

TEST(WaterMarkRecord, RefusesEveryOtherSizeAndTerminatesFullTexts) {
    std::vector<uint8_t> bytes(kRegRecordSize + 1, 'A');
    WaterMarkRecord back;
    for (size_t size : {size_t{0}, size_t{1}, size_t{88}, kOldRegRecordSize - 1, kOldRegRecordSize + 1,
                        kRegRecordSize + 1})
        EXPECT_FALSE(UnpackRecord(bytes.data(), size, back)) << size;
    EXPECT_FALSE(UnpackRecord(nullptr, kRegRecordSize, back));
    ASSERT_TRUE(UnpackRecord(bytes.data(), kRegRecordSize, back));
    EXPECT_EQ(std::strlen(back.name), 32u);
    EXPECT_EQ(std::strlen(back.text), 32u);
    EXPECT_EQ(std::strlen(back.font.faceName), 32u);
}

TEST(WaterMarkRecord, OptionFlagsAndAnglesMapBothWays) {
    struct Case { uint32_t flags; int16_t angle; int16_t mode, angleWord; uint32_t frame, layer, flag; uint16_t draw; };
    for (const Case& c : {Case{0x200, 300, 3, -390, 0, 0, 0, 300}, Case{0x80 | 0x20, 0, 1, 0, 1, 0, 0, 450},
                          Case{0x100 | 0x60 | 0x10, 0, 2, 0, 3, 1, 0, static_cast<uint16_t>(-450)},
                          Case{0x400 | 0x08 | 0x10, 0, 0, 0, 0, 0, 1, 450},
                          Case{0x200, -300, 3, -330, 0, 0, 0, static_cast<uint16_t>(-300)}}) {
        WaterMarkRecord r;
        ApplyOptionFlags(c.flags, c.angle, r);
        EXPECT_EQ(r.rotationMode, c.mode) << std::hex << c.flags;
        EXPECT_EQ(r.angleWord, c.angleWord) << c.flags;
        EXPECT_EQ(r.frameKind, c.frame) << c.flags;
        EXPECT_EQ(r.layerChoice, c.layer) << c.flags;
        EXPECT_EQ(r.flag, c.flag) << c.flags;
        EXPECT_EQ(GetDrawAngle(r), c.draw) << c.flags;
        // Written back, the flags give the same record again, with 0x02 always set.
        const uint32_t written = MakeOptionFlags(r, 0x1);
        EXPECT_EQ(written & 0x3, 0x3u);
        WaterMarkRecord again;
        ApplyOptionFlags(written, c.angle, again);
        EXPECT_EQ(again.rotationMode, r.rotationMode);
        EXPECT_EQ(again.frameKind, r.frameKind);
        EXPECT_EQ(again.layerChoice, r.layerChoice);
        EXPECT_EQ(again.flag, r.flag);
    }
    EXPECT_EQ(EscapementOf(-390), 300);
    EXPECT_EQ(EscapementOf(-720), 0);
    EXPECT_EQ(EscapementOf(-330), 3300);  // the remainder keeps the dividend's sign
}

}  // namespace
