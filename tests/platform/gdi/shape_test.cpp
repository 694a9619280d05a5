// Lines and shapes: the last pixel of a line is left out, rectangles and ellipses stay inside
// their box less its right and bottom edges, polygons fill by the alternate or winding rule,
// and an XOR pen touches each joint of a polyline once.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using drvtest::Canvas;

namespace {

constexpr COLORREF kBlack = 0, kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

struct Tools {
    HDC dc;
    HGDIOBJ oldPen, oldBrush;
    HPEN pen;
    HBRUSH brush;
    Tools(HDC d, HPEN p, HBRUSH b) : dc(d), oldPen(SelectObject(d, p)), oldBrush(SelectObject(d, b)), pen(p), brush(b) {}
    ~Tools() {
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
};

}  // namespace

TEST(GdiShapes, LinesLeaveOutTheirLastPixel) {
    Canvas c(8, 8);
    MoveToEx(c.dc, 1, 1, nullptr);
    LineTo(c.dc, 5, 1);
    EXPECT_EQ(c.row(1, 0, 8, kBlack), ".####...");
    MoveToEx(c.dc, 5, 2, nullptr);
    LineTo(c.dc, 1, 2);  // right to left: 5..2
    EXPECT_EQ(c.row(2, 0, 8, kBlack), "..####..");
    MoveToEx(c.dc, 0, 4, nullptr);
    LineTo(c.dc, 3, 7);
    EXPECT_EQ(c.at(0, 4), kBlack);
    EXPECT_EQ(c.at(2, 6), kBlack);
    EXPECT_NE(c.at(3, 7), kBlack);
    POINT pos;
    GetCurrentPositionEx(c.dc, &pos);
    EXPECT_EQ(pos.x, 3);
}

TEST(GdiShapes, XorPolylineTouchesEachJointOnce) {
    Canvas c(6, 6);
    SetROP2(c.dc, R2_XORPEN);
    Tools tools(c.dc, CreatePen(PS_SOLID, 1, RGB(255, 255, 255)), CreateSolidBrush(0));
    POINT square[5] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}, {1, 1}};
    Polyline(c.dc, square, 5);
    EXPECT_EQ(c.row(1, 0, 6, kBlack), ".####.");
    EXPECT_EQ(c.row(2, 0, 6, kBlack), ".#..#.");
    EXPECT_EQ(c.row(4, 0, 6, kBlack), ".####.");
}

TEST(GdiShapes, RectangleEdgesWithAndWithoutPen) {
    Canvas c(8, 10);
    {
        Tools tools(c.dc, CreatePen(PS_SOLID, 1, kRed), CreateSolidBrush(kBlue));
        Rectangle(c.dc, 1, 1, 6, 4);
    }
    EXPECT_EQ(c.row(1, 0, 8, kRed), ".#####..");
    EXPECT_EQ(c.row(2, 0, 8, kRed, 'r', '.'), ".r...r..");
    EXPECT_EQ(c.row(2, 0, 8, kBlue, 'b', '.'), "..bbb...");
    EXPECT_EQ(c.row(3, 0, 8, kRed), ".#####..");
    EXPECT_EQ(c.row(4, 0, 8, kRed), "........");
    {
        // Without a pen the inside reaches from the left/top edge to right - 1 and bottom - 1.
        Tools tools(c.dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(kBlue));
        Rectangle(c.dc, 1, 5, 6, 8);
    }
    EXPECT_EQ(c.row(5, 0, 8, kBlue), ".####...");
    EXPECT_EQ(c.row(6, 0, 8, kBlue), ".####...");
    EXPECT_EQ(c.row(7, 0, 8, kBlue), "........");
}

TEST(GdiShapes, EllipseIsSymmetricAndStaysInItsBox) {
    Canvas c(24, 16);
    Tools tools(c.dc, CreatePen(PS_SOLID, 1, kRed), CreateSolidBrush(kBlue));
    Ellipse(c.dc, 2, 2, 22, 14);  // pixels 2..21 by 2..13
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            bool painted = c.at(x, y) != RGB(255, 255, 255);
            if (x < 2 || x > 21 || y < 2 || y > 13) {
                EXPECT_FALSE(painted) << x << "," << y;
            }
            EXPECT_EQ(painted, c.at(23 - x, y) != RGB(255, 255, 255)) << x << "," << y;
            EXPECT_EQ(painted, c.at(x, 15 - y) != RGB(255, 255, 255)) << x << "," << y;
        }
    EXPECT_EQ(c.at(2, 7), kRed);
    EXPECT_EQ(c.at(21, 8), kRed);
    EXPECT_EQ(c.at(11, 2), kRed);
    EXPECT_EQ(c.at(12, 13), kRed);
    EXPECT_EQ(c.at(12, 8), kBlue);
}

TEST(GdiShapes, PolygonFillModes) {
    // Two overlapping squares as one outline: the overlap is a hole under ALTERNATE only.
    POINT pts[10] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {3, 3}, {9, 3}, {9, 9}, {3, 9}, {3, 3}};
    for (int mode : {ALTERNATE, WINDING}) {
        Canvas c(10, 10);
        Tools tools(c.dc, CreatePen(PS_NULL, 1, 0), CreateSolidBrush(kBlue));
        SetPolyFillMode(c.dc, mode);
        Polygon(c.dc, pts, 10);
        EXPECT_EQ(c.at(1, 1), kBlue);
        EXPECT_EQ(c.at(8, 8), kBlue);
        EXPECT_EQ(c.at(4, 4) == kBlue, mode == WINDING) << mode;
        EXPECT_NE(c.at(6, 1), kBlue);  // right edge left out
    }
    Canvas c(10, 10);
    Tools tools(c.dc, CreatePen(PS_SOLID, 1, kRed), CreateSolidBrush(kBlue));
    INT counts[2] = {4, 4};
    POINT two[8] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {5, 5}, {9, 5}, {9, 9}, {5, 9}};
    PolyPolygon(c.dc, two, counts, 2);
    EXPECT_EQ(c.at(4, 4), kRed);
    EXPECT_EQ(c.at(2, 2), kBlue);
    EXPECT_EQ(c.at(9, 9), kRed);
}

TEST(GdiShapes, WidePensAndDashStyles) {
    Canvas c(40, 12);
    {
        Tools tools(c.dc, CreatePen(PS_SOLID, 3, kRed), CreateSolidBrush(0));
        MoveToEx(c.dc, 2, 2, nullptr);
        LineTo(c.dc, 30, 2);
    }
    EXPECT_EQ(c.at(10, 1), kRed);
    EXPECT_EQ(c.at(10, 2), kRed);
    EXPECT_EQ(c.at(10, 3), kRed);
    EXPECT_NE(c.at(10, 4), kRed);
    {
        Tools tools(c.dc, CreatePen(PS_DOT, 1, kBlack), CreateSolidBrush(0));
        SetBkMode(c.dc, TRANSPARENT);
        MoveToEx(c.dc, 0, 8, nullptr);
        LineTo(c.dc, 12, 8);
    }
    EXPECT_EQ(c.row(8, 0, 13, kBlack), "###...###...." );
    {
        Tools tools(c.dc, CreatePen(PS_DASH, 1, kBlack), CreateSolidBrush(0));
        MoveToEx(c.dc, 0, 10, nullptr);
        LineTo(c.dc, 30, 10);
    }
    EXPECT_EQ(c.row(10, 0, 30, kBlack), std::string(18, '#') + "......" + "######");
    c.save("shapes_wide_and_dotted");
}

TEST(GdiShapes, ExtremeCoordinatesAreDrawnClippedAndQuickly) {
    // Far-away points must neither overflow nor walk billions of pixels.
    Canvas c(16, 16);
    MoveToEx(c.dc, -2000000000, 8, nullptr);
    LineTo(c.dc, 2000000000, 8);
    EXPECT_EQ(c.row(8, 0, 16, 0), "################");
    MoveToEx(c.dc, -2000000000, -2000000000, nullptr);
    LineTo(c.dc, 2000000000, 2000000000);
    EXPECT_EQ(c.at(5, 5), 0u);
    Tools tools(c.dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreateSolidBrush(RGB(0, 0, 255)));
    Ellipse(c.dc, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    Arc(c.dc, -1000000000, -1000000000, 1000000000, 1000000000, 0, -5, 0, 5);
    EXPECT_EQ(c.at(3, 3), RGB(0, 0, 255));
    RECT huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    EXPECT_TRUE(DrawFocusRect(c.dc, &huge));
    EXPECT_TRUE(PatBlt(c.dc, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, BLACKNESS));
    SetViewportOrgEx(c.dc, INT32_MAX, INT32_MIN, nullptr);
    OffsetViewportOrgEx(c.dc, INT32_MAX, INT32_MAX, nullptr);
    EXPECT_EQ(SetPixel(c.dc, INT32_MAX, 0, 0), CLR_INVALID);
    POINT star[3] = {{INT32_MIN, 0}, {INT32_MAX, INT32_MAX}, {0, INT32_MIN}};
    EXPECT_TRUE(Polygon(c.dc, star, 3));
    EXPECT_TRUE(TextOutA(c.dc, INT32_MAX, INT32_MIN, "x", 1));
    std::vector<INT> far(64, INT32_MAX);
    EXPECT_TRUE(ExtTextOutA(c.dc, 0, 8, 0, nullptr, std::string(64, 'W').c_str(), 64, far.data()));
}
