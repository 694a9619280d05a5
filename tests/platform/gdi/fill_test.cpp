// Fills: edge rules of rectangles, pattern brushes tiled from the brush origin, hatch brushes in
// both background modes, frames of rectangles and regions, inversion.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

using drvtest::Canvas;

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = 0, kRed = RGB(255, 0, 0);
}

TEST(GdiFill, RectanglesExcludeRightAndBottomEdges) {
    Canvas c(8, 8);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{2, 2, 5, 4};
    FillRect(c.dc, &r, red);
    EXPECT_EQ(c.row(1, 0, 8, kRed), "........");
    EXPECT_EQ(c.row(2, 0, 8, kRed), "..###...");
    EXPECT_EQ(c.row(3, 0, 8, kRed), "..###...");
    EXPECT_EQ(c.row(4, 0, 8, kRed), "........");
    RECT frame{1, 5, 7, 8};
    FrameRect(c.dc, &frame, red);
    EXPECT_EQ(c.row(5, 0, 8, kRed), ".######.");
    EXPECT_EQ(c.row(6, 0, 8, kRed), ".#....#.");
    EXPECT_EQ(c.row(7, 0, 8, kRed), ".######.");
    RECT inverted{0, 0, 2, 1};
    InvertRect(c.dc, &inverted);
    EXPECT_EQ(c.at(0, 0), kBlack);
    EXPECT_EQ(c.at(2, 0), kWhite);
    DeleteObject(red);
}

TEST(GdiFill, MonochromePatternTakesTextAndBackgroundFromTheBrushOrigin) {
    // 0 bits take the text colour, 1 bits the background, as the preview's checkerboard needs.
    const WORD rows[2] = {0xAAAA, 0x5555};
    HBITMAP pattern = CreateBitmap(2, 2, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    Canvas c(6, 2);
    SetTextColor(c.dc, kRed);
    SetBkColor(c.dc, kWhite);
    RECT r{0, 0, 6, 2};
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(c.row(0, 0, 6, kWhite, 'w', 'r'), "wrwrwr");
    EXPECT_EQ(c.row(1, 0, 6, kWhite, 'w', 'r'), "rwrwrw");
    SetBrushOrgEx(c.dc, 1, 0, nullptr);
    FillRect(c.dc, &r, brush);
    EXPECT_EQ(c.row(0, 0, 6, kWhite, 'w', 'r'), "rwrwrw");
    DeleteObject(brush);
}

TEST(GdiFill, HatchLeavesTheBackgroundAloneWhenTransparent) {
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, kRed);
    Canvas c(16, 1, RGB(0, 0, 255));
    SetBkColor(c.dc, kWhite);
    RECT r{0, 0, 16, 1};
    SetBkMode(c.dc, TRANSPARENT);
    FillRect(c.dc, &r, hatch);
    EXPECT_EQ(c.row(0, 0, 16, kRed), ".......#.......#");
    EXPECT_EQ(c.at(0, 0), RGB(0, 0, 255));
    SetBkMode(c.dc, OPAQUE);
    FillRect(c.dc, &r, hatch);
    EXPECT_EQ(c.at(0, 0), kWhite);
    DeleteObject(hatch);
}

TEST(GdiFill, PatBltRunsTernaryCodesWithThePattern) {
    struct Case { DWORD rop; COLORREF dest, brush, expected; };
    for (auto k : {Case{PATCOPY, RGB(1, 2, 3), RGB(10, 20, 30), RGB(10, 20, 30)},
                   Case{PATINVERT, RGB(0xF0, 0x0F, 0xFF), RGB(0xFF, 0xFF, 0x0F), RGB(0x0F, 0xF0, 0xF0)},
                   Case{DSTINVERT, RGB(0, 0xFF, 0x10), 0, RGB(0xFF, 0, 0xEF)},
                   Case{BLACKNESS, kWhite, kWhite, kBlack},
                   Case{WHITENESS, kBlack, kBlack, kWhite},
                   Case{0x00A000C9 /* DPa */, RGB(0xF0, 0xF0, 0xF0), RGB(0x3C, 0x0F, 0xFF), RGB(0x30, 0, 0xF0)}}) {
        Canvas c(2, 2, k.dest);
        HBRUSH b = CreateSolidBrush(k.brush);
        HGDIOBJ old = SelectObject(c.dc, b);
        EXPECT_TRUE(PatBlt(c.dc, 0, 0, 2, 2, k.rop));
        EXPECT_EQ(c.at(1, 1), k.expected) << std::hex << k.rop;
        SelectObject(c.dc, old);
        DeleteObject(b);
    }
    Canvas c(1, 1);
    EXPECT_FALSE(PatBlt(c.dc, 0, 0, 1, 1, SRCCOPY));  // needs a source
}

TEST(GdiFill, FrameRgnDrawsInsideTheRegionEdge) {
    Canvas c(10, 10);
    HRGN a = CreateRectRgn(1, 1, 5, 5), b = CreateRectRgn(3, 3, 9, 9);
    CombineRgn(a, a, b, RGN_OR);
    HBRUSH red = CreateSolidBrush(kRed);
    FrameRgn(c.dc, a, red, 1, 1);
    EXPECT_EQ(c.row(1, 0, 10, kRed), ".####.....");
    EXPECT_EQ(c.row(2, 0, 10, kRed), ".#..#.....");
    EXPECT_EQ(c.row(3, 0, 10, kRed), ".#...####.");
    EXPECT_EQ(c.row(4, 0, 10, kRed), ".##.....#.");
    EXPECT_EQ(c.row(5, 0, 10, kRed), "...#....#.");
    EXPECT_EQ(c.row(8, 0, 10, kRed), "...######.");
    c.save("frame_region");
    DeleteObject(red);
    DeleteObject(a);
    DeleteObject(b);
}

TEST(GdiFill, SystemColourBrushesFollowTheSystemColours) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_TRUE(DeleteObject(face));  // owned by the system: still usable afterwards
    Canvas c(4, 1);
    RECT r{0, 0, 2, 1};
    EXPECT_TRUE(FillRect(c.dc, &r, face));
    EXPECT_EQ(c.at(0, 0), GetSysColor(COLOR_BTNFACE));
    RECT index{2, 0, 4, 1};
    EXPECT_TRUE(FillRect(c.dc, &index, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)));
    EXPECT_EQ(c.at(3, 0), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
}

TEST(GdiFill, PatternCopiesKeepTheirPhaseThroughEveryBandOfTheClip) {
    // A 3 by 5 colour pattern from brush origin (2, 1), copied into a clip of two bands of
    // different widths: each pixel takes the pattern pixel its position names, rows repeating.
    Canvas pattern(3, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) SetPixel(pattern.dc, x, y, RGB(40 * x, 50 * y, 7));
    HBRUSH brush = CreatePatternBrush(pattern.bitmap);
    Canvas c(20, 24);
    HRGN clip = CreateRectRgn(1, 2, 19, 9), lower = CreateRectRgn(4, 9, 11, 23);
    CombineRgn(clip, clip, lower, RGN_OR);
    SelectClipRgn(c.dc, clip);
    SetBrushOrgEx(c.dc, 2, 1, nullptr);
    HGDIOBJ old = SelectObject(c.dc, brush);
    PatBlt(c.dc, 0, 0, 20, 24, PATCOPY);
    SelectObject(c.dc, old);
    SelectClipRgn(c.dc, nullptr);  // GetPixel reads only inside the clip
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 20; ++x) {
            bool inside = (y >= 2 && y < 9 && x >= 1 && x < 19) || (y >= 9 && y < 23 && x >= 4 && x < 11);
            COLORREF expected = inside ? RGB(40 * ((x + 1) % 3), 50 * ((y + 4) % 5), 7) : kWhite;
            ASSERT_EQ(c.at(x, y), expected) << x << "," << y;
        }
    DeleteObject(brush);
    DeleteObject(clip);
    DeleteObject(lower);
}
