// The paper tools: integer trigonometry to the digit, punch holes where the spacing puts them
// (and never a division by zero on a short edge), and a watermark that stays inside its cell at
// any angle.
#include "preview/paper_tools.h"

#include "drvtest/canvas.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"

#include <cmath>
#include <cstring>

using drvtest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(PaperTools, TrigonometryIsExactInIntegers) {
    CmDrawPaperTools tools;
    struct Atan { int dx, dy, degrees; };
    for (auto c : {Atan{0, 5, 90}, Atan{0, 0, 90}, Atan{5, 0, 0}, Atan{1000, 1000, 44}, Atan{1000, -1000, -44},
                   Atan{-5, -5, 44}, Atan{4, 3, 36}, Atan{3, 4, 53}, Atan{1, 1000, 89}})
        EXPECT_EQ(tools.AtanDegrees(c.dx, c.dy), c.degrees) << c.dx << "," << c.dy;
    struct Sine { int r, angle, value; };
    for (auto c : {Sine{10000, 900, 10000}, Sine{10000, -300, -5000}, Sine{100, 1800, 0}, Sine{10000, 305, 5000},
                   Sine{10000, 2100, -5000}, Sine{10000, 3600 + 300, 5000}})
        EXPECT_EQ(tools.Sin(c.r, c.angle), c.value) << c.angle;
    EXPECT_EQ(tools.Cos(10000, 0), 10000);
    EXPECT_EQ(tools.Cos(10000, 1800), -10000);
    for (unsigned n : {0u, 1u, 15u, 16u, 17u, 99u, 100u, 4000000000u})
        EXPECT_EQ(tools.ISqrt(n), static_cast<unsigned>(std::sqrt(static_cast<double>(n)))) << n;
}

TEST(PaperTools, PunchHolesSitWhereTheSpacingPutsThem) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    CmDrawPaperTools tools;
    const size_t objects = drvtest::LiveGdiObjects();
    {
        Canvas canvas(140, 60);
        // The multi-hole punch along a top edge of 112: nine 9-pixel holes fit in 100.
        tools.DrawPunchHoles(fixture.Device(), canvas.dc, {10, 10, 112, 40}, 1, 5, IDB_PUNCH_HOLE);
        for (int offset : {6, 18, 31, 43, 56, 68, 81, 93, 106}) EXPECT_NE(canvas.at(10 + offset, 16), kWhite) << offset;
        for (int gap : {12, 24, 37, 49, 62, 74, 87, 99}) EXPECT_EQ(canvas.at(10 + gap, 16), kWhite) << gap;
        // Edges too short for two holes get one centred hole, or none; nothing divides by zero.
        Canvas small(60, 60);
        tools.DrawPunchHoles(fixture.Device(), small.dc, {0, 0, 25, 30}, 1, 5, IDB_PUNCH_HOLE);
        EXPECT_NE(small.at(12, 6), kWhite);
        EXPECT_EQ(small.countOther(0, 12, 60, 48, kWhite), 0);
        tools.DrawPunchHoles(fixture.Device(), small.dc, {30, 30, 10, 10}, 4, 5, IDB_PUNCH_HOLE);
        tools.DrawPunchHoles(fixture.Device(), small.dc, {30, 30, 0, 0}, 2, 3, IDB_PUNCH_HOLE);
        // Two holes on a left edge of 60: the span is 60 / 3 - 16 = 4, centred.
        Canvas two(40, 80);
        tools.DrawPunchHoles(fixture.Device(), two.dc, {0, 0, 40, 60}, 2, 2, IDB_PUNCH_HOLE);
        EXPECT_NE(two.at(6, 28), kWhite);
        EXPECT_NE(two.at(6, 32), kWhite);
        canvas.save("punch_holes");
    }
    EXPECT_EQ(drvtest::LiveGdiObjects(), objects);
}

TEST(PaperTools, WatermarksStayInTheirCellAtEveryAngle) {
    CmDrawPaperTools tools;
    PictureWatermark mark = {};
    std::memcpy(mark.text, "CONFIDENTIAL", 12);
    mark.colour = RGB(255, 0, 0);
    mark.font.lfHeight = -60;
    std::strcpy(mark.font.lfFaceName, "Arial");
    const size_t objects = drvtest::LiveGdiObjects();
    {
        Canvas canvas(4 * 110, 3 * 150);
        int n = 0;
        for (int mode : {1, 2, 0})
            for (int direction = 0; direction < 4; ++direction, ++n) {
                const PvRect cell = {10 + (n % 4) * 110, 10 + (n / 4) * 150, 90, 130};
                mark.angleMode = static_cast<int16_t>(mode);
                mark.frameStyle = static_cast<int16_t>(n % 3);
                mark.font.lfEscapement = 450;
                tools.DrawWatermark(canvas.dc, cell, {0, 0, 100, 140}, &mark, 1, TRUE, FALSE, direction);
                EXPECT_GT(canvas.countOther(cell.x, cell.y, cell.width, cell.height, kWhite), 30) << mode << "/" << direction;
            }
        // Nothing lands outside the cells.
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(canvas.countOther(column * 110, 0, 10, canvas.height, kWhite), 0) << column;
        // A divisor of 0 reads as 100, the first-page-only mark skips page 2, and an empty text draws nothing.
        Canvas other(100, 100);
        mark.scaleDivisor = 0;
        mark.firstPageOnly = 1;
        tools.DrawWatermark(other.dc, {0, 0, 100, 100}, {0, 0, 100, 100}, &mark, 2, FALSE, FALSE, 0);
        std::memset(mark.text, 0, sizeof mark.text);
        tools.DrawWatermark(other.dc, {0, 0, 100, 100}, {0, 0, 100, 100}, &mark, 1, FALSE, FALSE, 0);
        EXPECT_EQ(other.countOther(0, 0, 100, 100, kWhite), 0);
        canvas.save("watermarks");
    }
    EXPECT_EQ(drvtest::LiveGdiObjects(), objects);
}

}  // namespace
