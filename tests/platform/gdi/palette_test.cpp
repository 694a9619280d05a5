// Palette displays: a test switches the screen to 8 bits per pixel; colours then map to the
// selected palette (the static colours by default, the halftone palette once selected).
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

using drvtest::Canvas;

namespace {

struct EightBitScreen {
    EightBitScreen() { drvtest::SetScreenBitsPerPixel(8); }
    ~EightBitScreen() { drvtest::SetScreenBitsPerPixel(32); }
};

}  // namespace

TEST(GdiPalette, EightBitScreenReportsAPaletteDevice) {
    EightBitScreen eight;
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), 8);
    EXPECT_TRUE(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256);
    HPALETTE halftone = CreateHalftonePalette(screen);
    HPALETTE old = SelectPalette(screen, halftone, FALSE);
    EXPECT_EQ(RealizePalette(screen), 256u);
    SelectPalette(screen, old, FALSE);
    DeleteDC(screen);
    DeleteObject(halftone);
    drvtest::SetScreenBitsPerPixel(32);
    HDC trueColour = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(trueColour, BITSPIXEL), 32);
    EXPECT_FALSE(GetDeviceCaps(trueColour, RASTERCAPS) & RC_PALETTE);
    DeleteDC(trueColour);
}

TEST(GdiPalette, ColoursMapToTheSelectedPaletteAndCreatePaletteChecksItsInput) {
    EightBitScreen eight;
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP hbm = CreateCompatibleBitmap(screen, 8, 8);
    BITMAP bm;
    GetObjectA(hbm, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 8);
    HGDIOBJ oldBitmap = SelectObject(mem, hbm);

    // The default palette holds the twenty static colours only.
    EXPECT_EQ(SetPixel(mem, 0, 0, RGB(200, 100, 50)), RGB(128, 128, 0));
    EXPECT_EQ(SetPixel(mem, 1, 0, RGB(250, 5, 5)), RGB(255, 0, 0));

    HPALETTE halftone = CreateHalftonePalette(mem);
    HGDIOBJ oldPalette = SelectPalette(mem, halftone, FALSE);
    RealizePalette(mem);
    EXPECT_EQ(SetPixel(mem, 2, 0, RGB(200, 100, 50)), RGB(204, 102, 51));
    UINT index = GetNearestPaletteIndex(halftone, RGB(204, 102, 51));
    PALETTEENTRY e;
    GetPaletteEntries(halftone, index, 1, &e);
    EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(204, 102, 51));
    EXPECT_EQ(SetPixel(mem, 3, 0, PALETTEINDEX(index)), RGB(204, 102, 51));

    // Brushes and blits from a true-colour source land on palette colours too.
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 90));
    RECT r{0, 1, 8, 8};
    FillRect(mem, &r, brush);
    EXPECT_EQ(GetPixel(mem, 4, 4), RGB(0, 204, 102));
    Canvas source(2, 2, RGB(90, 90, 250));
    BitBlt(mem, 0, 1, 2, 2, source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(mem, 1, 2), RGB(102, 102, 255));
    EXPECT_TRUE(drvtest::SavePng(mem, std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/palette_8bit.png"));

    DeleteObject(brush);
    SelectPalette(mem, static_cast<HPALETTE>(oldPalette), FALSE);
    SelectObject(mem, oldBitmap);
    DeleteObject(hbm);
    DeleteObject(halftone);
    DeleteDC(mem);
    DeleteDC(screen);

    struct {
        WORD version, count;
        PALETTEENTRY entries[2];
    } log{0x300, 2, {{1, 2, 3, 0}, {200, 201, 202, 0}}};
    HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
    ASSERT_NE(pal, nullptr);
    EXPECT_EQ(GetNearestPaletteIndex(pal, RGB(190, 190, 190)), 1u);
    WORD count = 0;
    EXPECT_EQ(GetObjectA(pal, sizeof count, &count), 2);
    EXPECT_EQ(count, 2);
    DeleteObject(pal);
    log.version = 0x200;
    EXPECT_EQ(CreatePalette(reinterpret_cast<LOGPALETTE*>(&log)), nullptr);
    log.version = 0x300;
    log.count = 0;
    EXPECT_EQ(CreatePalette(reinterpret_cast<LOGPALETTE*>(&log)), nullptr);
}
