// The painter on the picture size of the previews (240 by 240): solid and pattern fills, blits
// with the common raster operations, a stretch to the shown size, text, and a whole preview-like
// picture drawn off screen and copied in one blit, as the preview control paints.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kSize = 240;

struct Picture {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(kSize, kSize, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ~Picture() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

HBRUSH checkerBrush() {
    static const BYTE rows[48] = {0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA,
                                  0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55,
                                  0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA,
                                  0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55};
    HBITMAP pattern = CreateBitmap(32, 12, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);
    return brush;
}

void SolidFill(benchmark::State& state) {
    Picture p;
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 0));
    RECT all{0, 0, kSize, kSize};
    for (auto _ : state) FillRect(p.dc, &all, brush);
    DeleteObject(brush);
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
BENCHMARK(SolidFill);

void PatternFill(benchmark::State& state) {
    Picture p;
    HBRUSH brush = checkerBrush();
    RECT all{0, 0, kSize, kSize};
    for (auto _ : state) FillRect(p.dc, &all, brush);
    DeleteObject(brush);
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
BENCHMARK(PatternFill);

void Blit(benchmark::State& state) {
    Picture src, dst;
    for (auto _ : state) BitBlt(dst.dc, 0, 0, kSize, kSize, src.dc, 0, 0, DWORD(state.range(0)));
    state.SetItemsProcessed(state.iterations() * kSize * kSize);
}
BENCHMARK(Blit)->Arg(SRCCOPY)->Arg(SRCAND)->Arg(SRCPAINT)->Arg(0x00B8074A /* PSDPxax */)->Arg(0x00E20746 /* DSPDxax */);

void Stretch(benchmark::State& state) {
    Picture src;
    HDC dst = CreateCompatibleDC(nullptr);
    HBITMAP shown = CreateBitmap(kSize * 3 / 2, kSize * 3 / 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dst, shown);
    for (auto _ : state)
        StretchBlt(dst, 0, 0, kSize * 3 / 2, kSize * 3 / 2, src.dc, 0, 0, kSize, kSize, SRCCOPY);
    SelectObject(dst, old);
    DeleteObject(shown);
    DeleteDC(dst);
}
BENCHMARK(Stretch);

void Text(benchmark::State& state) {
    Picture p;
    HFONT font = CreateFontA(-11, 0, LONG(state.range(0)), 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Sans Serif");
    HGDIOBJ old = SelectObject(p.dc, font);
    SetBkMode(p.dc, TRANSPARENT);
    const char* text = "Letter 8.5 x 11 in, 2 copies";
    for (auto _ : state) TextOutA(p.dc, 4, 100, text, int(std::strlen(text)));
    SelectObject(p.dc, old);
    DeleteObject(font);
}
BENCHMARK(Text)->Arg(0)->Arg(450);

// A picture like the page preview: face colour, hatched area, a sheet with shadow, text lines in
// a pattern, a page symbol, a caption, then the copy to the control at 150 %.
void PreviewPicture(benchmark::State& state) {
    Picture p;
    HDC shown = CreateCompatibleDC(nullptr);
    HBITMAP shownBitmap = CreateBitmap(360, 360, 1, 32, nullptr);
    HGDIOBJ oldShown = SelectObject(shown, shownBitmap);
    HBRUSH face = CreateSolidBrush(RGB(192, 192, 192)), white = CreateSolidBrush(RGB(255, 255, 255));
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128)), checker = checkerBrush();
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    for (auto _ : state) {
        RECT all{0, 0, kSize, kSize};
        FillRect(p.dc, &all, face);
        SetTextColor(p.dc, RGB(255, 255, 255));
        SetBkColor(p.dc, RGB(0, 255, 255));
        RECT area{2, 2, kSize - 2, kSize - 2};
        FillRect(p.dc, &area, checker);
        RECT sheet{40, 20, 200, 220};
        FillRect(p.dc, &sheet, white);
        HGDIOBJ oldPen = SelectObject(p.dc, pen);
        MoveToEx(p.dc, 200, 21, nullptr);
        LineTo(p.dc, 200, 221);
        LineTo(p.dc, 40, 221);
        SetTextColor(p.dc, RGB(128, 128, 128));
        SetBkColor(p.dc, RGB(192, 192, 192));
        for (int y = 40; y < 200; y += 6) {
            RECT line{50, y, 190, y + 1};
            FillRect(p.dc, &line, checker);
        }
        HGDIOBJ oldBrush = SelectObject(p.dc, grey);
        Ellipse(p.dc, 120, 120, 170, 170);
        Rectangle(p.dc, 60, 130, 100, 170);
        SelectObject(p.dc, oldBrush);
        SelectObject(p.dc, oldPen);
        SetBkMode(p.dc, TRANSPARENT);
        SetTextColor(p.dc, RGB(0, 0, 0));
        RECT caption{0, 222, kSize, kSize};
        DrawTextA(p.dc, "Letter", -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        StretchBlt(shown, 0, 0, 360, 360, p.dc, 0, 0, kSize, kSize, SRCCOPY);
    }
    for (HGDIOBJ o : {HGDIOBJ(face), HGDIOBJ(white), HGDIOBJ(grey), HGDIOBJ(checker), HGDIOBJ(pen)}) DeleteObject(o);
    SelectObject(shown, oldShown);
    DeleteObject(shownBitmap);
    DeleteDC(shown);
}
BENCHMARK(PreviewPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
