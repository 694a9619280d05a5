// The checked byte view: little-endian reads and writes, and refusal at every edge, including
// offsets and lengths whose sum would overflow.
#include "core/helpers/byte_view.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(ByteView, ReadsAndWritesLittleEndianAndRefusesPastTheEnd) {
    uint8_t bytes[6] = {0x01, 0x02, 0x03, 0x84, 0x05, 0x06};
    ByteView view(bytes, sizeof bytes);
    uint16_t u = 0;
    uint32_t w = 0;
    int16_t s = 0;
    EXPECT_TRUE(view.u16(0, u) && u == 0x0201);
    EXPECT_TRUE(view.u32(0, w) && w == 0x84030201u);
    EXPECT_TRUE(view.s16(2, s) && s == int16_t(0x8403));
    w = 7;
    struct Case { size_t offset, length; bool inside; };
    for (auto c : {Case{0, 6, true}, Case{6, 0, true}, Case{5, 2, false}, Case{7, 0, false}, Case{SIZE_MAX, 2, false},
                   Case{2, SIZE_MAX, false}})
        EXPECT_EQ(view.contains(c.offset, c.length), c.inside) << c.offset << "+" << c.length;
    EXPECT_FALSE(view.u32(3, w));
    EXPECT_EQ(w, 7u) << "a refused read leaves the output alone";
    EXPECT_EQ(view.sub(4, 4).size(), 0u);
    EXPECT_FALSE(ByteView(nullptr, 100).u16(0, u));

    uint8_t out[4] = {};
    MutableByteView written(out, sizeof out);
    EXPECT_TRUE(written.put_u16(0, 0xBEEF));
    EXPECT_TRUE(written.put_s16(2, -2));
    EXPECT_FALSE(written.put_u32(1, 0));
    EXPECT_EQ(out[0], 0xEF);
    EXPECT_EQ(out[1], 0xBE);
    EXPECT_EQ(out[3], 0xFF);
}
