// The drawing toolbox: dashes, patterns, gradients, frames, grey colours and the preview's
// background. Pictures and palettes of the resource module are in draw_tools_resources.cpp.
#include "preview/draw_tools.h"

#include "core/device/service_table.h"

#include <algorithm>

using namespace preview_colour;

namespace {

// Checkerboard (a 50 % dither) and diagonal lines rising to the right every 4 pixels.
constexpr uint8_t kChecker[48] = {
    0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55,
    0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55,
    0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55};
constexpr uint8_t kDiagonal[48] = {
    0x11, 0x11, 0x11, 0x11, 0x22, 0x22, 0x22, 0x22, 0x44, 0x44, 0x44, 0x44, 0x88, 0x88, 0x88, 0x88,
    0x11, 0x11, 0x11, 0x11, 0x22, 0x22, 0x22, 0x22, 0x44, 0x44, 0x44, 0x44, 0x88, 0x88, 0x88, 0x88,
    0x11, 0x11, 0x11, 0x11, 0x22, 0x22, 0x22, 0x22, 0x44, 0x44, 0x44, 0x44, 0x88, 0x88, 0x88, 0x88};

// The runs of one dash period: mark, gap, mark, gap ... in pixels.
struct DashStyle {
    int runs[6];
    int count;
};
constexpr DashStyle kDashStyles[4] = {
    {{4, 4}, 2},                 // dash
    {{1, 2}, 2},                 // dot
    {{5, 1, 2, 1}, 4},           // dash-dot
    {{5, 1, 2, 1, 2, 1}, 6},     // dash-dot-dot
};

// A pattern brush over one of the monochrome patterns, with its bitmap.
struct PatternBrush {
    explicit PatternBrush(const uint8_t* bits) {
        // CreateBitmap rows are word aligned; 32 pixels make 4 bytes, a whole number of words.
        bitmap = CreateBitmap(32, 12, 1, 1, bits);
        brush = bitmap ? CreatePatternBrush(bitmap) : nullptr;
    }
    ~PatternBrush() {
        if (brush) DeleteObject(brush);
        if (bitmap) DeleteObject(bitmap);
    }
    PatternBrush(const PatternBrush&) = delete;
    PatternBrush& operator=(const PatternBrush&) = delete;
    HBITMAP bitmap;
    HBRUSH brush;
};

// Fills with a pattern in text colour `on` and background colour `off`, restoring the DC.
void FillWithPattern(HDC dc, const uint8_t* bits, const RECT& area, COLORREF on, COLORREF off) {
    PatternBrush pattern(bits);
    if (!pattern.brush) return;
    const int mode = SetBkMode(dc, OPAQUE);
    const COLORREF text = SetTextColor(dc, on);
    const COLORREF back = SetBkColor(dc, off);
    FillRect(dc, &area, pattern.brush);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
    SetBkMode(dc, mode);
}

}  // namespace

ClipRestorer::ClipRestorer(HDC dc) : dc_(dc), saved_(CreateRectRgn(0, 0, 0, 0)), hadClip_(false) {
    if (saved_) hadClip_ = GetClipRgn(dc, saved_) == 1;
}

ClipRestorer::~ClipRestorer() {
    SelectClipRgn(dc_, hadClip_ ? saved_ : nullptr);
    if (saved_) DeleteObject(saved_);
}

void LimitTo(HDC dc, int left, int top, int right, int bottom) {
    HRGN region = CreateRectRgn(left, top, right, bottom);
    if (!region) return;
    ExtSelectClipRgn(dc, region, RGN_AND);
    DeleteObject(region);
}

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return;
    RECT area = {left, top, right, bottom};
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void CmDrawTools::DrawDashPeriod(HDC dc, POINT origin, int* position, BOOL vertical, BOOL paintGaps, int style) {
    if (!position || style < 0 || style > 3) return;
    const DashStyle& dashes = kDashStyles[style];
    int at = *position;
    for (int i = 0; i < dashes.count; ++i) {
        const bool mark = i % 2 == 0;
        const int run = dashes.runs[i];
        if (mark || paintGaps) {
            const COLORREF colour = mark ? kGrey : kWhite;
            if (vertical)
                FillSolid(dc, origin.x, origin.y + at, origin.x + 1, origin.y + at + run, colour);
            else
                FillSolid(dc, origin.x + at, origin.y, origin.x + at + run, origin.y + 1, colour);
        }
        at += run;
    }
    *position = at;
}

const uint8_t* CmDrawTools::GetCheckerPattern() const { return kChecker; }
const uint8_t* CmDrawTools::GetDiagonalPattern() const { return kDiagonal; }

void CmDrawTools::FillPatternRect(HDC dc, int x, int y, int width, int height, COLORREF foreground,
                                  COLORREF background, COLORREF, int penWidth) {
    PatternBrush pattern(kChecker);
    HPEN pen = penWidth == -1 ? nullptr : CreatePen(PS_SOLID, penWidth, foreground);
    HGDIOBJ chosenPen = pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(NULL_PEN);
    if (!pattern.brush || !chosenPen) {
        if (pen) DeleteObject(pen);
        return;
    }
    const int mode = SetBkMode(dc, OPAQUE);
    const COLORREF text = SetTextColor(dc, foreground);
    const COLORREF back = SetBkColor(dc, background);
    HGDIOBJ oldBrush = SelectObject(dc, pattern.brush);
    HGDIOBJ oldPen = SelectObject(dc, chosenPen);
    Rectangle(dc, x, y, x + width, y + height);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
    SetBkMode(dc, mode);
    if (pen) DeleteObject(pen);
}

void CmDrawTools::FillGradient(HDC dc, int x, int y, int width, int height, COLORREF from, COLORREF to, int steps,
                               int direction) {
    // No steps leaves nothing to divide by: the band is the starting colour alone.
    if (steps <= 0) {
        FillSolid(dc, x, y, x + width, y + height, from);
        return;
    }
    auto channel = [&](int shift, int i) {
        const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        return static_cast<DWORD>((a + i * ((b - a) / steps)) & 0xFF) << shift;
    };
    for (int i = 0; i <= steps; ++i) {
        const COLORREF colour = channel(0, i) | channel(8, i) | channel(16, i);
        if (direction == 1) {
            const int top = y + ((height * 100 / (steps + 1)) * i) / 100;
            FillSolid(dc, x, top, x + width, y + height, colour);
        } else {
            const int left = x + ((width * 100 / (steps + 1)) * i) / 100;
            FillSolid(dc, left, y, x + width, y + height, colour);
        }
    }
}

SIZE CmDrawTools::GetBitmapSize(UIDEVDATA* ctx, UINT bitmapId) {
    SIZE size = {0, 0};
    HBITMAP bitmap = ctx ? ctx->svc->LoadBitmap(ctx, bitmapId) : nullptr;
    if (!bitmap) return size;
    BITMAP info = {};
    if (GetObjectA(bitmap, sizeof info, &info)) size = {info.bmWidth, info.bmHeight};
    DeleteObject(bitmap);
    return size;
}

COLORREF CmDrawTools::ToGrey(COLORREF colour) const {
    const unsigned weighted = (61u * GetGValue(colour) + 10u * GetBValue(colour) + 29u * GetRValue(colour)) & 0xFFFF;
    const BYTE grey = static_cast<BYTE>(weighted / 100);
    return RGB(grey, grey, grey);
}

int CmDrawTools::GetDisplayColorBits() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return bits;
}

void CmDrawTools::DrawBackground(HDC dc, const RECT& client, DWORD parts, const PreviewGeometry& geometry) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    if (!face || !shadow || !light) return;
    RECT all = {0, 0, client.right - client.left, client.bottom - client.top};
    FillRect(dc, &all, face);
    const int height = (parts & 1) ? geometry.UpperHeight() + geometry.LowerHeight() : geometry.UpperHeight();
    auto separator = [&](int at) {
        RECT dark = {0, at, geometry.Width(), at + 1};
        RECT bright = {0, at + 1, geometry.Width(), at + 2};
        FillRect(dc, &dark, shadow);
        FillRect(dc, &bright, light);
    };
    if (parts & 4) separator(height - 2);
    DrawSunkenFrame(dc, 0, 0, geometry.Width(), height);
    int top = 2;
    if (parts & 2) {
        separator(geometry.SeparatorY());
        top = geometry.SeparatorY() + 2 + 2;
    }
    RECT free = {2, top, geometry.PictureWidth(), geometry.PictureHeight()};
    if (free.right > free.left && free.bottom > free.top) FillWithPattern(dc, kDiagonal, free, kWhite, kCyan);
}

void CmDrawTools::DrawSunkenFrame(HDC dc, int x, int y, int width, int height) {
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    if (!shadow || !light) return;
    RECT top = {x, y, x + width, y + 1};
    RECT left = {x, y, x + 1, y + height};
    RECT right = {x + width - 1, y + 2, x + width, y + height};
    RECT bottom = {x + 2, y + height - 1, x + width, y + height};
    FillRect(dc, &top, shadow);
    FillRect(dc, &left, shadow);
    FillRect(dc, &right, light);
    FillRect(dc, &bottom, light);
}

BOOL CmDrawTools::GetWindowFont(HWND window, LOGFONTA* font) {
    if (!font) return FALSE;
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!handle) handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return handle && GetObjectA(handle, sizeof *font, font) == sizeof *font;
}

HRGN CmDrawTools::GetClipRegion(HDC dc) {
    RECT box;
    if (GetClipBox(dc, &box) == ERROR) return nullptr;
    return CreateRectRgn(box.left, box.top, box.right, box.bottom);
}

void CmDrawTools::FillHatched(HDC dc, int x, int y, int width, int height, const PreviewGeometry& geometry) {
    ClipRestorer restore(dc);
    LimitTo(dc, x, y, x + width, y + height);
    RECT area = {2, 2, geometry.PictureWidth(), geometry.PictureHeight()};
    FillWithPattern(dc, kDiagonal, area, kWhite, kCyan);
}

void CmDrawTools::DrawDashedLine(HDC dc, POINT start, int length, int style, BOOL vertical, BOOL paintGaps) {
    if (length < 0 || style < 0 || style > 3) return;
    ClipRestorer restore(dc);
    if (vertical)
        LimitTo(dc, start.x, start.y, start.x + 1, start.y + length + 1);
    else
        LimitTo(dc, start.x, start.y, start.x + length + 1, start.y + 1);
    for (int position = 0; position <= length;) DrawDashPeriod(dc, start, &position, vertical, paintGaps, style);
}
