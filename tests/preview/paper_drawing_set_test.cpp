// Composed page pictures: cells where the layout puts them, page numbers in the order's cells,
// mirrored and turned copies, finishing drawn on the sheet, and no GDI object left behind. Every
// picture is saved under the build folder.
#include "preview/paper_drawing_set.h"

#include "drvtest/canvas.h"
#include "drvtest/fixture_device.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using drvtest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

class PaperDrawingSet : public ::testing::Test {
protected:
    // Draws one picture of a 120 x 160 sheet at (20, 20) with the settings the test sets.
    void Compose(Canvas& canvas, const std::function<void(CmPvPaperDrawingSet&)>& set) {
        PreviewGeometry geometry = {};
        geometry.values[6] = canvas.width;
        geometry.values[7] = canvas.height;
        CmPvPaperDrawingSet drawing(nullptr, &geometry);
        PaperPictureSettings& s = drawing.Settings();
        s.x = 20;
        s.y = 20;
        s.width = 120;
        s.height = 160;
        s.horizontalScale = s.verticalScale = 100;
        s.scaling = 100;
        set(drawing);
        drawing.DrawPicture(fixture_.Device(), canvas.dc);
    }
    static PictureWatermark* Watermark(const char* text, int16_t angleMode) {
        auto* mark = static_cast<PictureWatermark*>(g_chunkPool.Alloc(sizeof(PictureWatermark)));
        std::memset(mark, 0, sizeof *mark);
        std::memcpy(mark->text, text, std::strlen(text));
        mark->angleMode = angleMode;
        mark->colour = RGB(255, 0, 0);
        mark->font.lfHeight = -400;
        mark->scaleDivisor = 100;
        return mark;
    }

    drvtest::FixtureDevice fixture_{kKindUserInterface};
};

TEST_F(PaperDrawingSet, CellsAndPageOrdersFollowTheLayout) {
    CmPvPaperDrawingSet drawing(nullptr, nullptr);
    PaperPictureSettings& s = drawing.Settings();
    s.layout = 3;
    PvRect cells[CmPvPaperDrawingSet::kMaxCells];
    int count = 0;
    drawing.LayoutCells(0, 0, 100, 140, cells, &count, FALSE);
    ASSERT_EQ(count, 4);
    const int expected[4][2] = {{7, 7}, {52, 7}, {7, 72}, {52, 72}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cells[i].x, expected[i][0]);
        EXPECT_EQ(cells[i].y, expected[i][1]);
        EXPECT_EQ(cells[i].width, 40);
        EXPECT_EQ(cells[i].height, 60);
    }
    struct Case {
        int layout, order;
        std::vector<int> numbers;
    };
    for (const Case& c : {Case{1, 1, {2, 1}}, Case{2, 2, {1, 2}}, Case{3, 5, {1, 3, 2, 4}}, Case{3, 6, {2, 1, 4, 3}},
                          Case{3, 7, {3, 1, 4, 2}}, Case{4, 6, {3, 2, 1, 6, 5, 4}},
                          Case{9, 7, {13, 9, 5, 1, 14, 10, 6, 2, 15, 11, 7, 3, 16, 12, 8, 4}},
                          // Without a table of their own, cells are numbered row by row.
                          Case{8, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}}, Case{9, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}}) {
        s.layout = static_cast<int16_t>(c.layout);
        s.order = static_cast<int16_t>(c.order);
        const PageOrder order = drawing.GetPageOrder();
        EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + c.numbers.size()), c.numbers)
            << c.layout << "/" << c.order;
    }
    // Two landscape pages stand one above the other on their tall sheet, and each layout's cells
    // form the grid its page borders are framed by.
    s.layout = 2;
    drawing.LayoutCells(0, 0, 100, 140, cells, &count, FALSE);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(cells[0].x, 7);
    EXPECT_EQ(cells[0].y, 7);
    EXPECT_EQ(cells[1].x, 7);
    EXPECT_EQ(cells[1].y, 72);
    EXPECT_EQ(cells[1].width, 86);
    for (int16_t layout = 1; layout <= 9; ++layout) {
        s.layout = layout;
        drawing.LayoutCells(0, 0, 100, 140, cells, &count, FALSE);
        const GridShape grid = LayoutGrid(layout, false);
        ASSERT_EQ(count, grid.columns * grid.rows) << layout;
        EXPECT_EQ(cells[grid.columns - 1].y, cells[0].y) << layout << ": the first row";
        if (grid.rows > 1) {
            EXPECT_GT(cells[grid.columns].y, cells[0].y) << layout << ": the second row";
        }
    }
    // A sheet without a side has no aspect: the cell stays as it was.
    PvRect cell = {1, 2, 30, 40};
    drawing.FitToAspect(0, 100, &cell, FALSE);
    drawing.FitToAspect(100, 0, &cell, TRUE);
    EXPECT_EQ(cell.width, 30);
    EXPECT_EQ(cell.height, 40);
    EXPECT_EQ(drawing.GetColourScheme(9), nullptr);
    EXPECT_EQ(drawing.GetColourScheme(4)[0], 1u);
}

TEST_F(PaperDrawingSet, EveryLayoutAndFinishingDrawsOnTheSheetAndLeavesNoObject) {
    struct Picture {
        std::string name;
        std::function<void(CmPvPaperDrawingSet&)> set;
    };
    std::vector<Picture> pictures;
    for (int layout = 0; layout <= 9; ++layout)
        pictures.push_back({"layout_" + std::to_string(layout), [layout](CmPvPaperDrawingSet& d) {
                                auto& s = d.Settings();
                                s.layout = static_cast<int16_t>(layout);
                                s.order = 4;
                                s.borderKind = static_cast<int16_t>(layout % 2 ? 9 : layout + 1);
                                s.colour = layout % 2;
                            }});
    pictures.push_back({"booklet", [](CmPvPaperDrawingSet& d) { d.Settings().booklet = 1; d.Settings().saddleStitch = 1; }});
    pictures.push_back({"booklet_stacked", [](CmPvPaperDrawingSet& d) { d.Settings().booklet = 2; }});
    pictures.push_back({"poster", [](CmPvPaperDrawingSet& d) { d.Settings().poster = 2; d.Settings().colour = 1; }});
    pictures.push_back({"sample_sheet", [](CmPvPaperDrawingSet& d) { d.Settings().sampleSheet = 1; d.Settings().colour = 1; }});
    pictures.push_back({"centre_strip", [](CmPvPaperDrawingSet& d) { d.Settings().centreStrip = 1; }});
    pictures.push_back({"finishing", [](CmPvPaperDrawingSet& d) {
                            auto& s = d.Settings();
                            s.staplePosition = 1;
                            s.punchEdge = 2;
                            s.punchKind = 5;
                            s.marginEdge = 3;
                            s.marginWidth = 8;
                        }});
    pictures.push_back({"fold_over_back_page", [](CmPvPaperDrawingSet& d) {
                            auto& s = d.Settings();
                            s.layout = 3;
                            s.order = 4;
                            s.foldOverEdge = 4;
                            s.stripWidth = 40;
                            s.foldOverBackPage = 1;
                        }});
    for (int16_t mode : {1, 2, 0})
        pictures.push_back({"watermark_" + std::to_string(mode), [mode](CmPvPaperDrawingSet& d) {
                                auto& s = d.Settings();
                                s.layout = mode == 0 ? 0 : 3;
                                s.watermark = 1;
                                s.contentDirection = mode;
                                d.SetWatermark(Watermark("DRAFT", mode));
                            }});
    // Degenerate settings draw their degenerate form, never trap.
    pictures.push_back({"degenerate", [](CmPvPaperDrawingSet& d) {
                            auto& s = d.Settings();
                            s.horizontalScale = s.verticalScale = 0;
                            s.layout = 12;
                            s.punchEdge = 1;
                            s.punchKind = 5;
                            s.foldOverEdge = 3;
                            s.stripWidth = 0;
                        }});
    for (const Picture& picture : pictures) {
        const size_t objects = drvtest::LiveGdiObjects();
        {
            Canvas canvas(180, 220, RGB(0, 128, 128));
            Compose(canvas, picture.set);
            canvas.save("picture_" + picture.name);
            // The sheet: grey top edge, black shadow on the right, and never anything far outside.
            if (picture.name != "centre_strip") {
                EXPECT_EQ(canvas.at(30, 20), kGrey) << picture.name;
            }
            // A strip folded over the right edge leaves the sheet beyond the fold clear.
            if (picture.name.rfind("fold", 0) != 0 && picture.name != "centre_strip") {
                EXPECT_EQ(canvas.at(140, 100), kBlack) << picture.name;
            }
            EXPECT_EQ(canvas.countOther(0, 200, 180, 20, RGB(0, 128, 128)), 0) << picture.name;
            EXPECT_GT(canvas.countOther(22, 22, 116, 156, kWhite), 0) << picture.name;
        }
        EXPECT_EQ(drvtest::LiveGdiObjects(), objects) << picture.name;
    }
}

TEST_F(PaperDrawingSet, MirrorsAndTurnsAreTheSameCopyReadBackwards) {
    auto picture = [&](int16_t mirror, int16_t turn, Canvas& canvas) {
        Compose(canvas, [=](CmPvPaperDrawingSet& d) {
            auto& s = d.Settings();
            s.layout = 4;
            s.order = 4;
            s.mirror = mirror;
            s.turn = turn;
        });
    };
    Canvas plain(180, 220), left(180, 220), down(180, 220), halfTurn(180, 220), mirrorTurned(180, 220);
    picture(0, 0, plain);
    picture(1, 0, left);
    picture(2, 0, down);
    picture(0, 1, halfTurn);
    picture(1, 1, mirrorTurned);
    halfTurn.save("mirror_half_turn");
    // The copy covers (21, 21) to (138, 178): 118 x 158 pixels from the off-screen picture.
    int leftDiffers = 0, downDiffers = 0, turnDiffers = 0, sameAsDown = 0;
    for (int y = 21; y < 179; ++y)
        for (int x = 21; x < 139; ++x) {
            const int mx = 21 + 138 - x, my = 21 + 178 - y;
            leftDiffers += left.at(x, y) != plain.at(mx, y);
            downDiffers += down.at(x, y) != plain.at(x, my);
            turnDiffers += halfTurn.at(x, y) != plain.at(mx, my);
            sameAsDown += mirrorTurned.at(x, y) != down.at(x, y);
        }
    EXPECT_EQ(leftDiffers, 0);
    EXPECT_EQ(downDiffers, 0);
    EXPECT_EQ(turnDiffers, 0);
    EXPECT_EQ(sameAsDown, 0);
    EXPECT_GT(plain.countOther(21, 21, 118, 158, kWhite), 1000);
}

}  // namespace
