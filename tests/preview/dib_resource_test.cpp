// Picture resources are claims about their own size: anything that is not a whole 8-bit DIB
// within its bytes is refused before a byte of it is read or drawn.
#include "preview/dib_resource.h"
#include "preview/draw_tools.h"

#include "drvtest/canvas.h"

#include <cstring>
#include <vector>

using drvtest::Canvas;

namespace {

// A 3 x 2 picture with a 4-entry table: red, green, blue, white.
std::vector<uint8_t> Picture() {
    std::vector<uint8_t> bytes(40 + 16 + 8, 0);
    const uint32_t header[] = {40, 3, 2};
    std::memcpy(bytes.data(), header, sizeof header);
    bytes[12] = 1;
    bytes[14] = 8;
    bytes[32] = 4;  // colours used
    const uint8_t table[16] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
    std::memcpy(bytes.data() + 40, table, sizeof table);
    const uint8_t bits[8] = {0, 1, 2, 0, 3, 3, 3, 0};
    std::memcpy(bytes.data() + 56, bits, sizeof bits);
    return bytes;
}

TEST(DibResource, OnlyWholeEightBitPicturesAreDrawn) {
    CmDrawTools tools;
    Canvas canvas(8, 8);
    DibLayout layout;
    ASSERT_TRUE(ReadDibLayout(Picture().data(), Picture().size(), layout));
    EXPECT_EQ(layout.bitsOffset, 56u);
    ASSERT_TRUE(DrawGreyDib(tools, canvas.dc, 0, 0, 3, 2, Picture().data(), Picture().size(), GetProcessHeap(), nullptr));
    EXPECT_EQ(canvas.at(0, 0), RGB(255, 255, 255));  // the bottom-up row of white
    EXPECT_EQ(canvas.at(0, 1), RGB(73, 73, 73));     // red in grey
    EXPECT_EQ(canvas.at(1, 1), RGB(155, 155, 155));  // green in grey

    struct Forgery {
        const char* fault;
        void (*apply)(std::vector<uint8_t>&);
    };
    const Forgery forgeries[] = {
        {"cut in the header", [](std::vector<uint8_t>& b) { b.resize(30); }},
        {"cut in the bits", [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); }},
        {"24 bits", [](std::vector<uint8_t>& b) { b[14] = 24; }},
        {"compressed", [](std::vector<uint8_t>& b) { b[16] = 1; }},
        {"257 colours", [](std::vector<uint8_t>& b) { b[32] = 1; b[33] = 1; }},
        {"header size past the end", [](std::vector<uint8_t>& b) { b[0] = 0xF0; b[1] = 0xFF; }},
        {"huge width", [](std::vector<uint8_t>& b) { b[4] = b[5] = b[6] = 0xFF; b[7] = 0x7F; }},
        {"lowest height", [](std::vector<uint8_t>& b) { b[8] = b[9] = b[10] = 0; b[11] = 0x80; }},
        {"no width", [](std::vector<uint8_t>& b) { b[4] = 0; }},
    };
    for (const Forgery& forgery : forgeries) {
        std::vector<uint8_t> bytes = Picture();
        forgery.apply(bytes);
        canvas.fill(RGB(0, 0, 0));
        EXPECT_FALSE(ReadDibLayout(bytes.data(), bytes.size(), layout)) << forgery.fault;
        EXPECT_FALSE(DrawGreyDib(tools, canvas.dc, 0, 0, 3, 2, bytes.data(), bytes.size(), GetProcessHeap(), nullptr))
            << forgery.fault;
        EXPECT_EQ(canvas.countOther(0, 0, 8, 8, RGB(0, 0, 0)), 0) << forgery.fault;
    }
}

}  // namespace
