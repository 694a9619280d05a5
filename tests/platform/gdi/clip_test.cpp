// Clipping and coordinates: clip regions in device units, the clip rectangle functions in
// logical units, and the window and viewport origins.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

using drvtest::Canvas;

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
}

TEST(GdiClip, RegionsAndRectanglesLimitDrawing) {
    Canvas c(10, 3);
    HRGN rgn = CreateRectRgn(1, 0, 8, 3);
    EXPECT_EQ(SelectClipRgn(c.dc, rgn), SIMPLEREGION);
    DeleteObject(rgn);  // the DC keeps a copy
    EXPECT_EQ(ExcludeClipRect(c.dc, 3, 0, 5, 3), COMPLEXREGION);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT all{0, 0, 10, 3};
    FillRect(c.dc, &all, red);
    EXPECT_EQ(c.row(0, 0, 10, kRed), ".##..###..");
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 8);
    SelectClipRgn(c.dc, nullptr);
    IntersectClipRect(c.dc, 8, 1, 20, 2);
    FillRect(c.dc, &all, red);
    SelectClipRgn(c.dc, nullptr);  // GetPixel reads only inside the clip
    EXPECT_EQ(c.row(1, 0, 10, kRed), ".##..#####");
    EXPECT_EQ(c.row(2, 0, 10, kRed), ".##..###..");
    DeleteObject(red);
}

TEST(GdiClip, OriginsMoveDrawingAndClipRectanglesAreLogical) {
    Canvas c(10, 10);
    SetViewportOrgEx(c.dc, 5, 5, nullptr);
    SetWindowOrgEx(c.dc, 2, 2, nullptr);  // logical (2, 2) lands on device (5, 5)
    SetPixel(c.dc, 2, 2, kRed);
    EXPECT_EQ(GetPixel(c.dc, 2, 2), kRed);
    POINT p{2, 2};
    LPtoDP(c.dc, &p, 1);
    EXPECT_EQ(p.x, 5);
    IntersectClipRect(c.dc, 2, 2, 4, 4);  // device 5..7
    RECT box;
    GetClipBox(c.dc, &box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.bottom, 4);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    SetWindowOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(c.at(5, 5), kRed);
    EXPECT_EQ(GetPixel(c.dc, 4, 5), CLR_INVALID);  // outside the clip
}

TEST(GdiClip, SaveAndRestoreBringBackClipAndObjectsAndRegionsCombine) {
    Canvas c(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    int level = SaveDC(c.dc);
    EXPECT_EQ(level, 1);
    HGDIOBJ stockPen = SelectObject(c.dc, pen);
    IntersectClipRect(c.dc, 0, 0, 1, 1);
    SetTextColor(c.dc, kRed);
    EXPECT_TRUE(RestoreDC(c.dc, -1));
    EXPECT_EQ(GetCurrentObject(c.dc, OBJ_PEN), stockPen);
    EXPECT_EQ(GetTextColor(c.dc), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(c.dc, 3, 3), CLR_INVALID);
    EXPECT_FALSE(RestoreDC(c.dc, 1));
    EXPECT_TRUE(DeleteObject(pen));

    HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6), r = CreateRectRgn(0, 0, 0, 0);
    struct Case { int mode; int type; POINT in, out; };
    for (auto k : {Case{RGN_AND, SIMPLEREGION, {3, 3}, {1, 1}}, Case{RGN_OR, COMPLEXREGION, {5, 5}, {5, 0}},
                   Case{RGN_XOR, COMPLEXREGION, {1, 1}, {3, 3}}, Case{RGN_DIFF, COMPLEXREGION, {1, 3}, {3, 3}}}) {
        EXPECT_EQ(CombineRgn(r, a, b, k.mode), k.type) << k.mode;
        EXPECT_TRUE(PtInRegion(r, k.in.x, k.in.y)) << k.mode;
        EXPECT_FALSE(PtInRegion(r, k.out.x, k.out.y)) << k.mode;
    }
    CombineRgn(r, a, b, RGN_AND);
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.right, 4);
    CombineRgn(r, a, a, RGN_DIFF);
    EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
    EXPECT_EQ(CombineRgn(r, a, nullptr, RGN_OR), ERROR);
    for (HRGN h : {a, b, r}) DeleteObject(h);
}
