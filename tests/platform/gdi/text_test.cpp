// Text: metrics in both height conventions, extents that match what is drawn, alignment about
// the reference point, rotation about it, and DrawTextA's layout flags.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using drvtest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct UseFont {
    HDC dc;
    HFONT font;
    HGDIOBJ old;
    UseFont(HDC d, int height, int weight = FW_NORMAL, int escapement = 0, BYTE italic = 0, BYTE underline = 0)
        : dc(d), font(CreateFontA(height, 0, escapement, escapement, weight, italic, underline, 0, ANSI_CHARSET, 0, 0, 0,
                                  0, "Sans Serif")),
          old(SelectObject(d, font)) {}
    ~UseFont() {
        SelectObject(dc, old);
        DeleteObject(font);
    }
};

}  // namespace

TEST(GdiText, HeightsInBothConventionsAndMetrics) {
    Canvas c(4, 4);
    struct Case { int height; LONG cell; };  // the cell of a negative height depends on the face
    for (auto k : {Case{20, 20}, Case{-18, 0}, Case{10, 10}, Case{-9, 0}}) {
        UseFont f(c.dc, k.height);
        TEXTMETRICA tm;
        ASSERT_TRUE(GetTextMetricsA(c.dc, &tm));
        if (k.cell) {
            EXPECT_EQ(tm.tmHeight, k.cell) << k.height;
        }
        EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
        if (k.height < 0) {
            EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -k.height);
        }
        SIZE size;
        GetTextExtentPoint32A(c.dc, "Wi", 2, &size);
        EXPECT_EQ(size.cy, tm.tmHeight);
    }
    UseFont f(c.dc, 10);
    SIZE narrow, wide, both;
    GetTextExtentPoint32A(c.dc, "i", 1, &narrow);
    GetTextExtentPoint32A(c.dc, "W", 1, &wide);
    GetTextExtentPoint32A(c.dc, "iW", 2, &both);
    EXPECT_LT(narrow.cx, wide.cx);  // proportional
    EXPECT_EQ(both.cx, narrow.cx + wide.cx);
    UseFont bold(c.dc, 10, FW_BOLD);
    SIZE boldWide;
    GetTextExtentPoint32A(c.dc, "W", 1, &boldWide);
    EXPECT_GE(boldWide.cx, wide.cx);
}

TEST(GdiText, DrawnTextFitsItsExtentAndFollowsTheAlignment) {
    Canvas c(120, 40);
    UseFont f(c.dc, 20);
    SetBkMode(c.dc, TRANSPARENT);
    SIZE size;
    GetTextExtentPoint32A(c.dc, "Hg", 2, &size);
    TextOutA(c.dc, 10, 5, "Hg", 2);
    RECT ink = c.inkBox();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + size.cx);
    TEXTMETRICA tm;
    GetTextMetricsA(c.dc, &tm);
    EXPECT_GT(ink.top, 5);                 // the cell has room above the capitals
    EXPECT_LT(ink.top, 5 + tm.tmAscent / 2);
    EXPECT_LE(ink.bottom, 5 + size.cy);    // the descender of g stays in the cell
    EXPECT_GT(ink.bottom, 5 + 16);         // ... and reaches below the baseline

    Canvas d(120, 40);
    UseFont g(d.dc, 20);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextAlign(d.dc, TA_RIGHT | TA_BASELINE);
    TextOutA(d.dc, 100, 30, "H", 1);
    RECT right = d.inkBox();
    EXPECT_EQ(right.bottom, 30);           // H stands on the baseline
    EXPECT_LE(right.right, 100);
    EXPECT_GE(right.right, 96);
}

TEST(GdiText, OpaqueBackgroundFillsTheCell) {
    Canvas c(60, 20);
    UseFont f(c.dc, 12);
    SetBkColor(c.dc, RGB(0, 0, 255));
    TextOutA(c.dc, 2, 2, "ab", 2);
    SIZE size;
    GetTextExtentPoint32A(c.dc, "ab", 2, &size);
    EXPECT_EQ(c.at(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(c.at(2 + size.cx - 1, 2 + size.cy - 1), RGB(0, 0, 255));
    EXPECT_EQ(c.at(2 + size.cx, 2), kWhite);
}

TEST(GdiText, RotatedTextTurnsAboutItsReferencePoint) {
    // At 90 degrees the baseline runs upward from the reference point and the cell lies to its
    // right (the top of the letters faces left).
    Canvas c(60, 80);
    UseFont f(c.dc, 16, FW_NORMAL, 900);
    SetBkMode(c.dc, TRANSPARENT);
    SIZE size;
    GetTextExtentPoint32A(c.dc, "HHH", 3, &size);
    TextOutA(c.dc, 20, 70, "HHH", 3);
    RECT ink = c.inkBox();
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + size.cy + 1);
    EXPECT_LE(ink.bottom, 71);
    EXPECT_GE(ink.top, 70 - size.cx - 1);
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);  // taller than wide

    Canvas d(80, 80);
    UseFont g(d.dc, 16, FW_NORMAL, 450);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextAlign(d.dc, TA_CENTER | TA_BASELINE);
    TextOutA(d.dc, 40, 40, "HHHH", 4);
    RECT diag = d.inkBox();
    // Centred on the reference point, the diagonal run passes close to it.
    EXPECT_NEAR((diag.left + diag.right) / 2.0, 40, 6);
    EXPECT_NEAR((diag.top + diag.bottom) / 2.0, 40, 6);
    d.save("text_rotated_45");
}

TEST(GdiText, DrawTextLayoutFlags) {
    Canvas c(100, 60);
    UseFont f(c.dc, 10);
    SetBkMode(c.dc, TRANSPARENT);
    TEXTMETRICA tm;
    GetTextMetricsA(c.dc, &tm);
    SIZE size;
    GetTextExtentPoint32A(c.dc, "word", 4, &size);

    RECT calc{0, 0, 0, 0};
    EXPECT_EQ(DrawTextA(c.dc, "word", -1, &calc, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(calc.right, size.cx);
    SIZE two;
    GetTextExtentPoint32A(c.dc, "word word", 9, &two);
    RECT wrap{0, 0, two.cx, 0};
    EXPECT_EQ(DrawTextA(c.dc, "word word word", -1, &wrap, DT_CALCRECT | DT_WORDBREAK), 2 * tm.tmHeight);
    RECT lines{0, 0, 100, 0};
    EXPECT_EQ(DrawTextA(c.dc, "a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * tm.tmHeight);

    RECT box{0, 0, 100, 30};
    DrawTextA(c.dc, "word", 4, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT ink = c.inkBox();
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 50, 2);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 15, 2);

    char path[] = "C:\\folder\\deeper\\file.txt";
    RECT narrow{0, 40, size.cx * 3, 60};
    DrawTextA(c.dc, path, -1, &narrow, DT_PATH_ELLIPSIS | DT_SINGLELINE | DT_MODIFYSTRING);
    EXPECT_NE(std::strstr(path, "..."), nullptr) << path;
    EXPECT_NE(std::strstr(path, "file.txt"), nullptr) << path;
    EXPECT_EQ(c.inkBox().right <= 100, true);
}

TEST(GdiText, PrefixUnderlinesTheMarkedLetterAndEachStyleInksItsOwnLine) {
    Canvas plain(40, 20), marked(40, 20);
    for (Canvas* c : {&plain, &marked}) SetBkMode(c->dc, TRANSPARENT);
    RECT r{0, 0, 40, 20};
    DrawTextA(plain.dc, "Ok", -1, &r, DT_SINGLELINE);
    DrawTextA(marked.dc, "&Ok", -1, &r, DT_SINGLELINE);
    RECT a = plain.inkBox(), b = marked.inkBox();
    EXPECT_GT(b.bottom, a.bottom);  // the underline lies below the letters
    RECT none{0, 0, 40, 20};
    Canvas literal(40, 20);
    SetBkMode(literal.dc, TRANSPARENT);
    DrawTextA(literal.dc, "&Ok", -1, &none, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(literal.inkBox().right, a.right);  // the & is drawn

    Canvas c(240, 120);
    SetBkMode(c.dc, TRANSPARENT);
    int y = 2;
    struct Style { int height, weight; BYTE italic, underline; };
    for (auto s : {Style{-11, FW_NORMAL, 0, 0}, Style{-11, FW_BOLD, 0, 0}, Style{16, FW_NORMAL, 1, 0},
                   Style{20, FW_NORMAL, 0, 1}, Style{30, FW_BOLD, 0, 0}}) {
        UseFont f(c.dc, s.height, s.weight, 0, s.italic, s.underline);
        const char* text = "Preview 0123 Quick brown fox, jumps!";
        TextOutA(c.dc, 2, y, text, int(std::strlen(text)));
        TEXTMETRICA tm;
        GetTextMetricsA(c.dc, &tm);
        SIZE size;
        GetTextExtentPoint32A(c.dc, text, int(std::strlen(text)), &size);
        // Each line's ink lies in its own cell, from the reference point to about its extent.
        RECT ink = c.inkBox({0, y, 240, std::min<LONG>(120, y + tm.tmHeight)});
        EXPECT_LT(ink.left, ink.right) << s.height << ": nothing drawn";
        EXPECT_GE(ink.left, 2) << s.height;
        EXPECT_LE(ink.left, 4) << s.height;
        EXPECT_LE(ink.right, 2 + size.cx + (s.italic ? tm.tmHeight / 3 : 0)) << s.height;
        if (s.underline) {
            // The underline runs unbroken below the baseline.
            int row = y + tm.tmAscent + 1;
            while (row < y + tm.tmHeight && c.row(row, 4, 200, RGB(0, 0, 0)).find('.') != std::string::npos) ++row;
            EXPECT_LT(row, y + tm.tmHeight) << "no underline";
        }
        y += tm.tmHeight + 2;
    }
    c.save("text_styles");
}

TEST(GdiText, FamiliesAreEnumerated) {
    Canvas c(1, 1);
    std::string names;
    auto collect = [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM p) -> int {
        auto* out = reinterpret_cast<std::string*>(p);
        *out += std::string(lf->lfFaceName) + (type == TRUETYPE_FONTTYPE ? ";" : "?");
        return 1;
    };
    EXPECT_EQ(EnumFontFamiliesA(c.dc, nullptr, collect, LPARAM(&names)), 1);
    EXPECT_EQ(names, "Sans Serif;Serif;Monospace;Book Serif;Rounded Sans;Typewriter;");
    names.clear();
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "serif");
    EnumFontFamiliesExA(c.dc, &lf, collect, LPARAM(&names), 0);
    EXPECT_EQ(names, "Serif;");
    // Only a printer the spooler knows has an information context of its own.
    EXPECT_EQ(CreateICA("KELVAR5E.DRV", "No such printer", nullptr, nullptr), nullptr);
}

TEST(GdiText, ExtTextOutOpaqueClippedAndUpdatingThePosition) {
    Canvas c(80, 20);
    UseFont f(c.dc, 16);
    SetBkColor(c.dc, RGB(0, 255, 0));
    SetBkMode(c.dc, TRANSPARENT);
    RECT r{10, 2, 20, 18};
    ExtTextOutA(c.dc, 5, 2, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWW", 4, nullptr);
    EXPECT_EQ(c.at(10, 2), RGB(0, 255, 0));   // the rectangle is filled whatever the mode
    EXPECT_EQ(c.at(9, 10), RGB(255, 255, 255));
    EXPECT_EQ(c.inkBox().left, 10);    // ink starts at the clip, not at x = 5
    EXPECT_EQ(c.inkBox().right, 20);

    Canvas d(80, 20);
    UseFont g(d.dc, 16);
    SetBkMode(d.dc, TRANSPARENT);
    SetTextAlign(d.dc, TA_UPDATECP);
    MoveToEx(d.dc, 3, 0, nullptr);
    TextOutA(d.dc, 0, 0, "ab", 2);
    SIZE size;
    GetTextExtentPoint32A(d.dc, "ab", 2, &size);
    POINT pos;
    GetCurrentPositionEx(d.dc, &pos);
    EXPECT_EQ(pos.x, 3 + size.cx);
}
