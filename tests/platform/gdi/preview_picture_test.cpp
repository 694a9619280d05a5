// A picture built the way the page previews draw theirs (patterns in two colours, a sheet with
// its shadow, pattern text lines, a gradient page symbol, staples, punch holes, a masked picture,
// a dashed border through a clip and a turned watermark), saved for a person to look at and
// checked at a few telling pixels.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

#include <cstring>

using drvtest::Canvas;

namespace {

HBRUSH patternBrush(const BYTE (&rows)[48]) {
    HBITMAP bm = CreateBitmap(32, 12, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(bm);
    DeleteObject(bm);
    return brush;
}

void fillPattern(HDC dc, const RECT& r, HBRUSH brush, COLORREF fore, COLORREF back) {
    SetTextColor(dc, fore);
    SetBkColor(dc, back);
    FillRect(dc, &r, brush);
}

}  // namespace

TEST(GdiPreviewPicture, PageWithContentStaplesAndWatermark) {
    BYTE checker[48], diagonal[48];
    for (int row = 0; row < 12; ++row)
        for (int k = 0; k < 4; ++k) {
            checker[row * 4 + k] = row % 2 ? 0x55 : 0xAA;
            diagonal[row * 4 + k] = BYTE(0x11 << (row % 4));
        }
    HBRUSH check = patternBrush(checker), diag = patternBrush(diagonal);
    std::size_t liveBefore = drvtest::LiveGdiObjects();
    Canvas c(240, 240, RGB(192, 192, 192));

    // Background: the free area in the diagonal pattern, white on cyan, inside a sunken frame.
    fillPattern(c.dc, RECT{2, 2, 238, 238}, diag, RGB(255, 255, 255), RGB(0, 255, 255));
    HPEN shadow = CreatePen(PS_SOLID, 1, RGB(128, 128, 128)), light = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ oldPen = SelectObject(c.dc, shadow);
    POINT topLeft[3] = {{0, 239}, {0, 0}, {240, 0}};
    Polyline(c.dc, topLeft, 3);
    SelectObject(c.dc, light);
    POINT bottomRight[3] = {{2, 239}, {239, 239}, {239, 1}};
    Polyline(c.dc, bottomRight, 3);

    // The sheet: white, grey top and left edges, a black and a light grey shadow.
    RECT sheet{40, 30, 190, 220};
    FillRect(c.dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT rightShadow{190, 31, 191, 221}, bottomShadow{41, 220, 191, 221};
    FillRect(c.dc, &rightShadow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(c.dc, &bottomShadow, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    // Header band in the checkerboard (blue on navy) and text lines (blue on silver).
    fillPattern(c.dc, RECT{45, 35, 186, 43}, check, RGB(0, 0, 255), RGB(0, 0, 128));
    for (int y = 48; y < 110; y += 4) fillPattern(c.dc, RECT{45, y, 186, y + 1}, check, RGB(0, 0, 255), RGB(192, 192, 192));

    // Page symbol: a gradient face in 8 bands, a square, a triangle and a circle.
    for (int i = 0; i <= 8; ++i) {
        HBRUSH band = CreateSolidBrush(RGB(102 + i * (102 - 102) / 8, 204 + i * (255 - 204) / 8, 255));
        RECT r{45 + 60 * i / 9, 115, 125, 175};
        FillRect(c.dc, &r, band);
        DeleteObject(band);
    }
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 51, 51));
    HBRUSH redBrush = CreateSolidBrush(RGB(255, 51, 51)), greenBrush = CreateSolidBrush(RGB(51, 204, 51)),
           blueBrush = CreateSolidBrush(RGB(51, 204, 255));
    SelectObject(c.dc, red);
    HGDIOBJ oldBrush = SelectObject(c.dc, redBrush);
    Rectangle(c.dc, 55, 140, 80, 165);
    SelectObject(c.dc, greenBrush);
    POINT triangle[3] = {{95, 120}, {82, 143}, {108, 143}};
    Polygon(c.dc, triangle, 3);
    SelectObject(c.dc, blueBrush);
    Ellipse(c.dc, 88, 140, 116, 168);

    // Staples (red with a dark red shadow) and three punch holes.
    HPEN staple = CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), stapleShadow = CreatePen(PS_SOLID, 1, RGB(128, 0, 0));
    SelectObject(c.dc, staple);
    MoveToEx(c.dc, 48, 31, nullptr);
    LineTo(c.dc, 40, 39);
    MoveToEx(c.dc, 48, 32, nullptr);
    LineTo(c.dc, 41, 39);
    SelectObject(c.dc, stapleShadow);
    MoveToEx(c.dc, 49, 32, nullptr);
    LineTo(c.dc, 41, 40);
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
    SelectObject(c.dc, GetStockObject(GRAY_BRUSH));
    for (int y : {70, 125, 180}) Ellipse(c.dc, 176, y, 185, y + 9);

    // A dashed border drawn through a one-pixel clip, as the dashed page borders are.
    SaveDC(c.dc);
    IntersectClipRect(c.dc, 39, 225, 192, 226);
    HPEN dashed = CreatePen(PS_DASH, 1, RGB(128, 128, 128));
    SelectObject(c.dc, dashed);
    SetBkMode(c.dc, TRANSPARENT);
    MoveToEx(c.dc, 30, 225, nullptr);
    LineTo(c.dc, 230, 225);
    RestoreDC(c.dc, -1);

    // A masked picture: AND the mask, OR the picture (a yellow diamond on black).
    Canvas image(16, 16, RGB(0, 0, 0)), mask(16, 16, RGB(255, 255, 255), 1);
    HPEN none = CreatePen(PS_NULL, 0, 0);
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    POINT diamond[4] = {{8, 0}, {16, 8}, {8, 16}, {0, 8}};
    for (Canvas* target : {&image, &mask}) {
        HGDIOBJ p = SelectObject(target->dc, none);
        HGDIOBJ b = SelectObject(target->dc, target == &image ? yellow : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        Polygon(target->dc, diamond, 4);
        SelectObject(target->dc, p);
        SelectObject(target->dc, b);
    }
    SetTextColor(c.dc, RGB(0, 0, 0));
    SetBkColor(c.dc, RGB(255, 255, 255));
    BitBlt(c.dc, 150, 190, 16, 16, mask.dc, 0, 0, SRCAND);
    BitBlt(c.dc, 150, 190, 16, 16, image.dc, 0, 0, SRCPAINT);

    // The watermark: turned text centred on the middle of the sheet, drawn through the sheet's clip.
    SaveDC(c.dc);
    IntersectClipRect(c.dc, sheet.left, sheet.top, sheet.right, sheet.bottom);
    SetViewportOrgEx(c.dc, 115, 125, nullptr);
    HFONT font = CreateFontA(-28, 0, 510, 510, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Sans Serif");
    SelectObject(c.dc, font);
    SetBkMode(c.dc, TRANSPARENT);
    SetTextColor(c.dc, RGB(160, 160, 160));
    SetTextAlign(c.dc, TA_CENTER | TA_BASELINE);
    ExtTextOutA(c.dc, 0, 10, 0, nullptr, "DRAFT", 5, nullptr);
    RestoreDC(c.dc, -1);

    // Page number with a white halo.
    SetBkMode(c.dc, TRANSPARENT);
    RECT number{160, 200, 190, 218};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            RECT r = number;
            OffsetRect(&r, dx, dy);
            SetTextColor(c.dc, RGB(255, 255, 255));
            DrawTextA(c.dc, "1", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    SetTextColor(c.dc, RGB(0, 0, 128));
    DrawTextA(c.dc, "1", -1, &number, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    SelectObject(c.dc, oldPen);
    SelectObject(c.dc, oldBrush);
    for (HGDIOBJ o : {HGDIOBJ(shadow), HGDIOBJ(light), HGDIOBJ(red), HGDIOBJ(redBrush), HGDIOBJ(greenBrush),
                      HGDIOBJ(blueBrush), HGDIOBJ(staple), HGDIOBJ(stapleShadow), HGDIOBJ(dashed), HGDIOBJ(none),
                      HGDIOBJ(yellow), HGDIOBJ(font)})
        EXPECT_TRUE(DeleteObject(o));
    c.save("preview_page");

    // The diagonal pattern: 1 bits take the background (cyan), row 2 is 0x44 (columns 1 and 5).
    EXPECT_EQ(c.at(5, 2), RGB(0, 255, 255));
    EXPECT_EQ(c.at(4, 2), RGB(255, 255, 255));
    EXPECT_EQ(c.at(158, 198), RGB(255, 255, 0));   // the diamond's middle
    EXPECT_EQ(c.at(150, 190), RGB(255, 255, 255)); // its masked corner keeps the sheet
    EXPECT_EQ(c.at(190, 100), RGB(0, 0, 0));       // the sheet's shadow
    EXPECT_EQ(c.at(40, 225), RGB(128, 128, 128));  // a dash of the border
    EXPECT_NE(c.at(30, 225), RGB(128, 128, 128)) << "outside the clip";
    // Only the canvases' own objects are alive beyond those made before (the images and the canvas).
    DeleteObject(check);
    DeleteObject(diag);
    EXPECT_EQ(drvtest::LiveGdiObjects(), liveBefore + 6 - 2);
}
