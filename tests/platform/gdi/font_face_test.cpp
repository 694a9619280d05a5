// Outline faces from the system's font files: face names map to sans, serif and monospaced
// files, sizes and weights change the extents, rotation keeps to the reference point, and the
// built-in glyphs take over when no font file is there.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using drvtest::Canvas;

namespace {

struct Selected {
    HDC dc;
    HFONT font;
    HGDIOBJ old;
    Selected(HDC d, const char* face, int height, int weight = FW_NORMAL, int escapement = 0)
        : dc(d), font(CreateFontA(height, 0, escapement, escapement, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face)),
          old(SelectObject(d, font)) {}
    ~Selected() {
        SelectObject(dc, old);
        DeleteObject(font);
    }
};

SIZE extent(HDC dc, const char* text) {
    SIZE s{};
    GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &s);
    return s;
}

}  // namespace

TEST(GdiFontFace, NamesMapToTheirKindAndExtentsGrowWithHeightAndWeight) {
    Canvas c(4, 4);
    const char* sample = "Wide and narrow iiil";
    auto width = [&](const char* face, const char* text) {
        Selected f(c.dc, face, -16);
        return extent(c.dc, text).cx;
    };
    EXPECT_EQ(width("Courier New", "iiii"), width("Courier New", "WWWW"));  // monospaced
    EXPECT_LT(width("Arial", "iiii"), width("Arial", "WWWW"));
    EXPECT_EQ(width("Helvetica", sample), width("Arial", sample));
    EXPECT_EQ(width("MS Sans Serif", sample), width("Arial", sample));
    EXPECT_EQ(width("No Such Face", sample), width("Arial", sample));
    EXPECT_EQ(width("", sample), width("Arial", sample));
    EXPECT_NE(width("Times New Roman", sample), width("Arial", sample));

    SIZE previous{0, 0};
    for (int height : {8, 12, 20, 40, -60}) {
        Selected f(c.dc, "Arial", height);
        SIZE s = extent(c.dc, "Printer settings");
        EXPECT_GT(s.cx, previous.cx) << height;
        EXPECT_GT(s.cy, previous.cy) << height;
        previous = s;
    }
    for (const char* face : {"Arial", "Times New Roman"}) {
        LONG normal, bold;
        {
            Selected f(c.dc, face, 24);
            normal = extent(c.dc, "Printer settings").cx;
        }
        Selected f(c.dc, face, 24, FW_BOLD);
        bold = extent(c.dc, "Printer settings").cx;
        EXPECT_GT(bold, normal) << face;
    }
}

TEST(GdiFontFace, RotatedTextStaysOnItsSideAndTheBuiltInGlyphsTakeOverWithoutFontFiles) {
    // Left and top alignment: the baseline runs from the reference point along the escapement
    // and the cell lies on its clockwise side.
    struct Case { int escapement; bool left, above; };
    for (auto k : {Case{0, false, false}, Case{900, false, true}, Case{1800, true, true}, Case{2700, true, false}}) {
        Canvas c(120, 120);
        SetBkMode(c.dc, TRANSPARENT);
        Selected f(c.dc, "Arial", 20, FW_NORMAL, k.escapement);
        TextOutA(c.dc, 60, 60, "HHHH", 4);
        RECT r = c.inkBox();
        ASSERT_LT(r.left, r.right) << k.escapement;
        EXPECT_TRUE(k.left ? r.right <= 61 : r.left >= 59) << k.escapement;
        EXPECT_TRUE(k.above ? r.bottom <= 61 : r.top >= 59) << k.escapement;
        bool along = k.escapement % 1800 == 0;
        EXPECT_EQ(r.right - r.left > r.bottom - r.top, along) << k.escapement;
    }

    Canvas c(40, 20);
    auto monospaced = [&] {
        Selected f(c.dc, "Courier New", 16);
        return extent(c.dc, "iiii").cx == extent(c.dc, "WWWW").cx;
    };
    drvtest::SetFontDirectory("/nonexistent-font-folder");
    EXPECT_FALSE(monospaced());  // the built-in glyphs are proportional whatever the name
    {
        Selected f(c.dc, "Arial", 10);
        TEXTMETRICA tm;
        ASSERT_TRUE(GetTextMetricsA(c.dc, &tm));
        EXPECT_EQ(tm.tmHeight, 10);
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 9);  // the built-in cell: 9 rows of 10
        SetBkMode(c.dc, TRANSPARENT);
        TextOutA(c.dc, 2, 2, "Hi", 2);
        EXPECT_LT(c.inkBox().left, 40);
    }
    drvtest::SetFontDirectory(nullptr);
    EXPECT_TRUE(monospaced());
}

TEST(GdiFontFace, EachFaceInksItsOwnLineAndKeptGlyphsBelongToTheirFaceSizeAndStyle) {
    Canvas c(260, 150);
    SetBkMode(c.dc, TRANSPARENT);
    int y = 2;
    for (const char* face : {"Arial", "Times New Roman", "Courier New", "MS Sans Serif", "Unknown"}) {
        for (int weight : {FW_NORMAL, FW_BOLD}) {
            Selected f(c.dc, face, -12, weight);
            std::string text = std::string(face) + (weight == FW_BOLD ? " bold" : "") + ": Letter A4 300 dpi";
            TextOutA(c.dc, 2, y, text.c_str(), int(text.size()));
            // The line's ink starts at the reference point and ends within its extent.
            RECT drawn = c.inkBox({0, y, 260, y + 14});
            EXPECT_LT(drawn.left, drawn.right) << text << ": nothing drawn";
            EXPECT_GE(drawn.left, 2) << text;
            EXPECT_LE(drawn.left, 4) << text;
            EXPECT_GE(drawn.right, 2 + extent(c.dc, text.c_str()).cx - 3) << text;
            EXPECT_LE(drawn.right, 2 + extent(c.dc, text.c_str()).cx) << text;
            y += 14;
        }
    }
    c.save("text_faces");

    // Glyphs are rendered once and kept: drawing other faces, sizes and styles in between must
    // not change what the first one draws, and none may draw another's glyphs.
    struct Look { const char* face; int height, weight; };
    const Look looks[] = {{"Arial", -12, FW_NORMAL}, {"Arial", -13, FW_NORMAL}, {"Times New Roman", -12, FW_NORMAL},
                          {"Arial", -12, FW_BOLD}, {"Arial", -12, FW_NORMAL}};
    std::vector<std::vector<COLORREF>> pictures;
    for (const Look& look : looks) {
        // One letter on one baseline: a glyph kept under the wrong key would draw the same pixels.
        Canvas c(30, 24);
        SetBkMode(c.dc, TRANSPARENT);
        SetTextAlign(c.dc, TA_LEFT | TA_BASELINE);
        Selected f(c.dc, look.face, look.height, look.weight);
        TextOutA(c.dc, 4, 18, "W", 1);
        pictures.push_back(c.pixels());
    }
    EXPECT_EQ(pictures[0], pictures[4]);
    for (int i = 1; i < 4; ++i) EXPECT_NE(pictures[0], pictures[std::size_t(i)]) << looks[i].face << " " << looks[i].height;
}
