// The drawing toolbox: grey weights, dash periods, gradients that cannot divide by zero, and
// resource pictures that are drawn in grey only when they are well-formed 8-bit DIBs.
#include "preview/draw_tools.h"

#include "drvtest/canvas.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"

using drvtest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

TEST(DrawTools, GreyKeepsBrightnessByTheWeights) {
    CmDrawTools tools;
    struct Case { COLORREF in, out; };
    for (auto c : {Case{0x0000FF, 0x494949}, Case{0xFFFFFF, 0xFFFFFF}, Case{0x00FF00, 0x9B9B9B}, Case{0, 0}})
        EXPECT_EQ(tools.ToGrey(c.in), c.out) << std::hex << c.in;
}

TEST(DrawTools, DashedLinesPaintTheirPeriodsWithinTheLength) {
    CmDrawTools tools;
    Canvas canvas(40, 12, RGB(0, 0, 0));
    tools.DrawDashedLine(canvas.dc, {0, 1}, 10, 0, FALSE, TRUE);
    for (int x = 0; x <= 10; ++x)
        EXPECT_EQ(canvas.at(x, 1), (x < 4 || x >= 8) ? kGrey : kWhite) << x;
    EXPECT_EQ(canvas.at(11, 1), RGB(0, 0, 0));  // clipped at length + 1
    // Without gaps painted, the gaps keep what was there; dots repeat every 3 pixels.
    tools.DrawDashedLine(canvas.dc, {2, 3}, 7, 1, TRUE, FALSE);
    for (int y = 0; y <= 7; ++y) EXPECT_EQ(canvas.at(2, 3 + y), y % 3 == 0 ? kGrey : RGB(0, 0, 0)) << y;
}

TEST(DrawTools, GradientsAndPatternsLeaveNoObjectBehind) {
    CmDrawTools tools;
    Canvas canvas(64, 32);
    const size_t objects = drvtest::LiveGdiObjects();
    tools.FillGradient(canvas.dc, 0, 0, 32, 32, RGB(0, 0, 0), RGB(200, 100, 50), 0, 1);  // no steps: one band
    EXPECT_EQ(canvas.at(31, 31), RGB(0, 0, 0));
    tools.FillGradient(canvas.dc, 32, 0, 32, 32, RGB(0, 0, 0), RGB(200, 100, 40), 4, 0);
    EXPECT_EQ(canvas.at(32, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(63, 5), RGB(200, 100, 40));
    tools.FillPatternRect(canvas.dc, 0, 0, 9, 9, RGB(255, 0, 0), RGB(0, 0, 255), 0, -1);
    EXPECT_NE(canvas.at(0, 0), canvas.at(1, 0));  // two colours in a checkerboard
    EXPECT_EQ(drvtest::LiveGdiObjects(), objects);
}

TEST(DrawTools, ResourcePicturesAreDrawnInGreyAndPalettesReadOnlyTheirTable) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    CmDrawTools tools;
    Canvas canvas(64, 32);
    const size_t objects = drvtest::LiveGdiObjects();
    const SIZE size = tools.GetBitmapSize(fixture.Device(), IDB_OVERLAY_PICTURE);
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 18);
    tools.DrawBitmapResource(fixture.Device(), canvas.dc, 0, 0, IDB_OVERLAY_PICTURE, nullptr);
    int coloured = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 24; ++x) {
            const COLORREF c = canvas.at(x, y);
            coloured += !(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c));
        }
    EXPECT_EQ(coloured, 0);
    EXPECT_GT(canvas.countOther(0, 0, 24, 18, kWhite), 100);
    // The profile buttons are 24-bit pictures: not an 8-bit DIB, so nothing is drawn.
    tools.DrawDibResource(fixture.Device(), canvas.dc, 32, 0, 16, 16, IDB_ADD_PROFILE, nullptr);
    EXPECT_EQ(canvas.countOther(32, 0, 16, 16, kWhite), 0);
    HPALETTE palette = tools.CreatePalette(fixture.Device(), IDB_PUNCH_HOLE, 256);
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY first = {};
    EXPECT_EQ(GetPaletteEntries(palette, 0, 1, &first), 1u);
    EXPECT_EQ(RGB(first.peRed, first.peGreen, first.peBlue), RGB(255, 0, 255));
    DeleteObject(palette);
    EXPECT_EQ(tools.CreatePalette(fixture.Device(), 1, 256), nullptr);
    canvas.save("draw_tools");
    EXPECT_EQ(drvtest::LiveGdiObjects(), objects);
}

}  // namespace
