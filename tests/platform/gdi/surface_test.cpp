// Device contexts over an area of a shared surface, as the window manager makes them: logical
// (0, 0) is the area's corner, nothing outside the area changes, and a system clip limits
// drawing beneath the caller's own clip.
#include "drvtest/canvas.h"

#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

using drvtest::Canvas;

TEST(GdiSurface, AreaDcDrawsOnlyInsideItsAreaAndSystemClip) {
    auto surface = gdi::Surface::Create(20, 10, 32);
    HDC dc = gdi::CreateSurfaceDC(surface, RECT{5, 2, 15, 8});
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, red);
    EXPECT_EQ(surface->row(2)[5], 0xFF0000u);
    EXPECT_EQ(surface->row(7)[14], 0xFF0000u);
    EXPECT_EQ(surface->row(1)[5], 0u);
    EXPECT_EQ(surface->row(2)[15], 0u);
    SetPixel(dc, 0, 0, RGB(0, 0, 255));
    EXPECT_EQ(surface->row(2)[5], 0x0000FFu);
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(box.bottom, 6);

    RECT paint[2] = {{0, 0, 2, 2}, {8, 4, 10, 6}};
    ASSERT_TRUE(gdi::SetSurfaceDCSystemClip(dc, paint, 2));
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &all, green);
    EXPECT_EQ(surface->row(3)[6], 0x00FF00u);
    EXPECT_EQ(surface->row(7)[14], 0x00FF00u);
    EXPECT_EQ(surface->row(4)[10], 0xFF0000u);  // outside the update rectangles
    gdi::SetSurfaceDCSystemClip(dc, nullptr, 0);
    gdi::SetSurfaceDCArea(dc, RECT{0, 0, 20, 10});
    SetPixel(dc, 0, 0, RGB(0, 0, 255));
    EXPECT_EQ(surface->row(0)[0], 0x0000FFu);
    DeleteObject(red);
    DeleteObject(green);
    DeleteDC(dc);
}
