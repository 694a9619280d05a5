// Blits: every ternary code against its truth table, the colour/monochrome conversions, the
// masked drawing of the preview pictures, mirroring stretches and overlapping copies.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

#include <cstdint>

using drvtest::Canvas;

namespace {

COLORREF expectedRop(std::uint8_t index, COLORREF p, COLORREF s, COLORREF d) {
    COLORREF r = 0;
    for (int bit = 0; bit < 24; ++bit) {
        int i = ((p >> bit & 1) << 2) | ((s >> bit & 1) << 1) | (d >> bit & 1);
        r |= COLORREF(index >> i & 1) << bit;
    }
    return r;
}

}  // namespace

TEST(GdiBlit, EveryTernaryCodeFollowsItsTruthTable) {
    const COLORREF p = RGB(0x0F, 0x33, 0x55), s = RGB(0x3C, 0x66, 0xF0), d = RGB(0x5A, 0xCC, 0x0F);
    Canvas src(1, 1, s), dst(1, 1);
    HBRUSH brush = CreateSolidBrush(p);
    HGDIOBJ old = SelectObject(dst.dc, brush);
    for (int index = 0; index < 256; ++index) {
        SetPixel(dst.dc, 0, 0, d);
        ASSERT_TRUE(BitBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, DWORD(index) << 16));
        ASSERT_EQ(dst.at(0, 0), expectedRop(std::uint8_t(index), p, s, d)) << index;
    }
    SelectObject(dst.dc, old);
    DeleteObject(brush);
}

TEST(GdiBlit, MonochromeConversionsUseTheDcColoursAndMasksKeepTheBackground) {
    // Colour to monochrome: the source background colour becomes 1 (white), the rest 0.
    Canvas colour(3, 1, RGB(0, 255, 0));
    SetPixel(colour.dc, 1, 0, RGB(255, 0, 255));
    SetBkColor(colour.dc, RGB(255, 0, 255));
    Canvas mono(3, 1, RGB(255, 255, 255), 1);
    BitBlt(mono.dc, 0, 0, 3, 1, colour.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mono.row(0, 0, 3, RGB(255, 255, 255)), ".#.");
    // Monochrome to colour: 0 takes the destination's text colour, 1 its background colour.
    Canvas back(3, 1);
    SetTextColor(back.dc, RGB(255, 0, 0));
    SetBkColor(back.dc, RGB(0, 0, 255));
    BitBlt(back.dc, 0, 0, 3, 1, mono.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(back.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(back.at(1, 0), RGB(0, 0, 255));

    // The preview's masked picture: AND the mask, then OR the picture (black where transparent).
    Canvas target(4, 1, RGB(0, 0, 255));
    Canvas image(4, 1, RGB(0, 0, 0));
    SetPixel(image.dc, 1, 0, RGB(255, 0, 0));
    SetPixel(image.dc, 2, 0, RGB(255, 255, 0));
    const BYTE maskBits[2] = {0x90, 0x00};  // 1..1: pixels 0 and 3 transparent
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
    HDC maskDc = CreateCompatibleDC(target.dc);
    HGDIOBJ old = SelectObject(maskDc, mask);
    SetTextColor(target.dc, RGB(0, 0, 0));
    SetBkColor(target.dc, RGB(255, 255, 255));
    BitBlt(target.dc, 0, 0, 4, 1, maskDc, 0, 0, SRCAND);
    BitBlt(target.dc, 0, 0, 4, 1, image.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(target.at(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(target.at(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(target.at(2, 0), RGB(255, 255, 0));
    EXPECT_EQ(target.at(3, 0), RGB(0, 0, 255));
    // MaskBlt does the same in one call: the image where the mask is 0 (background code SRCCOPY),
    // the destination where it is 1 (foreground code: destination).
    Canvas again(4, 1, RGB(0, 0, 255));
    EXPECT_TRUE(MaskBlt(again.dc, 0, 0, 4, 1, image.dc, 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY)));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(again.at(x, 0), target.at(x, 0)) << x;
    SelectObject(maskDc, old);
    DeleteDC(maskDc);
    DeleteObject(mask);
}

TEST(GdiBlit, StretchScalesMirrorsAndOverlappingCopiesReadTheOldPixels) {
    Canvas src(3, 1);
    SetPixel(src.dc, 0, 0, RGB(255, 0, 0));
    SetPixel(src.dc, 1, 0, RGB(0, 255, 0));
    SetPixel(src.dc, 2, 0, RGB(0, 0, 255));
    Canvas dst(6, 2);
    StretchBlt(dst.dc, 0, 0, 6, 1, src.dc, 0, 0, 3, 1, SRCCOPY);
    EXPECT_EQ(dst.row(0, 0, 6, RGB(0, 255, 0)), "..##..");
    EXPECT_EQ(dst.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.at(5, 0), RGB(0, 0, 255));
    StretchBlt(dst.dc, 3, 1, -3, 1, src.dc, 0, 0, 3, 1, SRCCOPY);  // covers x 0..2, mirrored
    EXPECT_EQ(dst.at(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(dst.at(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.at(3, 1), RGB(255, 255, 255));

    Canvas c(5, 1);
    for (int x = 0; x < 5; ++x) SetPixel(c.dc, x, 0, RGB(x * 50, 0, 0));
    BitBlt(c.dc, 1, 0, 4, 1, c.dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 5; ++x) EXPECT_EQ(c.at(x, 0), RGB((x - 1) * 50, 0, 0)) << x;
}

TEST(GdiBlit, ShrinkingKeepsThinLinesInTheCombiningModes) {
    Canvas src(4, 4);
    for (int y = 0; y < 4; ++y) SetPixel(src.dc, 1, y, RGB(0, 0, 0));  // a black column at x = 1
    struct Case { int mode; COLORREF expected; };
    for (auto k : {Case{BLACKONWHITE, RGB(0, 0, 0)}, Case{COLORONCOLOR, RGB(255, 255, 255)},
                   Case{WHITEONBLACK, RGB(255, 255, 255)}}) {
        Canvas dst(2, 2, RGB(9, 9, 9));
        SetStretchBltMode(dst.dc, k.mode);
        StretchBlt(dst.dc, 0, 0, 2, 2, src.dc, 0, 0, 4, 4, SRCCOPY);
        EXPECT_EQ(dst.at(0, 1), k.expected) << k.mode;  // column 0 covers source columns 0 and 1
    }
}

TEST(GdiBlit, CopiesAndInvertsLeaveOutTheByteAboveTheColour) {
    // A DIB section's owner may set the fourth byte of its pixels; what GDI draws never carries it.
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* srcBits = nullptr;
    void* dstBits = nullptr;
    HBITMAP src = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &srcBits, nullptr, 0);
    HBITMAP dst = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &dstBits, nullptr, 0);
    ASSERT_NE(src, nullptr);
    ASSERT_NE(dst, nullptr);
    auto* from = static_cast<std::uint32_t*>(srcBits);
    auto* to = static_cast<std::uint32_t*>(dstBits);
    for (int i = 0; i < 8; ++i) from[i] = 0xAB000000u | std::uint32_t(i * 0x102030);
    HDC srcDc = CreateCompatibleDC(nullptr), dstDc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = SelectObject(srcDc, src), oldDst = SelectObject(dstDc, dst);
    BitBlt(dstDc, 0, 0, 4, 2, srcDc, 0, 0, SRCCOPY);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(to[i], std::uint32_t(i * 0x102030)) << i;
    to[0] = 0xCD000000u;
    PatBlt(dstDc, 0, 0, 1, 1, DSTINVERT);
    EXPECT_EQ(to[0], 0x00FFFFFFu);
    SelectObject(srcDc, oldSrc);
    SelectObject(dstDc, oldDst);
    DeleteDC(srcDc);
    DeleteDC(dstDc);
    DeleteObject(src);
    DeleteObject(dst);
}
