// The watermark of a page picture: its text rotated about the point its offsets give within the
// cell, scaled with the cell, in grey for a monochrome picture, with a circle or box around it.
#include "preview/paper_tools.h"

#include <algorithm>
#include <cstring>

namespace {

// The cell's share of a percentage, as the picture computes it: (size x 1000 / 100) x p / 1000.
int Percent(int size, int percent) { return static_cast<int>((static_cast<long long>(size) * 1000 / 100) * percent / 1000); }

}  // namespace

void CmDrawPaperTools::DrawWatermark(HDC dc, const PvRect& cell, const PvRect& picture, PictureWatermark* mark,
                                     int page, BOOL colour, BOOL limitToSymbol, int direction) {
    if (!mark || !tools_) return;
    char text[33] = {};
    const size_t length = strnlen(mark->text, sizeof mark->text);
    std::memcpy(text, mark->text, length);
    if (length == 0) return;
    if (mark->firstPageOnly == 1 && page != 1) return;

    ClipRestorer restoreClip(dc);
    if (limitToSymbol) {
        RECT symbol;
        GetContentGeometry(cell, direction, nullptr, nullptr, &symbol);
        LimitTo(dc, symbol.left, symbol.top, symbol.right, symbol.bottom);
    } else {
        LimitTo(dc, cell.x, cell.y, cell.x + cell.width, cell.y + cell.height);
    }

    const int u = 50 + mark->horizontalOffset, v = 50 - mark->verticalOffset;
    POINT centre;
    switch (direction) {
        case 1: centre = {cell.x + Percent(cell.width, v), cell.y + cell.height - Percent(cell.height, u)}; break;
        case 2: centre = {cell.x + cell.width - Percent(cell.width, u), cell.y + cell.height - Percent(cell.height, v)}; break;
        case 3: centre = {cell.x + cell.width - Percent(cell.width, v), cell.y + Percent(cell.height, u)}; break;
        default: centre = {cell.x + Percent(cell.width, u), cell.y + Percent(cell.height, v)}; break;
    }
    if (!colour) mark->colour = tools_->ToGrey(mark->colour);

    LOGFONTA font = mark->font;
    long long height = font.lfHeight < 0 ? -static_cast<long long>(font.lfHeight) : font.lfHeight;
    const int cellSide = std::max(cell.width, cell.height), pictureSide = std::max(picture.width, picture.height);
    if (cellSide > 0 && pictureSide > 0) height = height * cellSide / pictureSide;
    // A divisor of 0 is the picture's own scale, 100.
    const int divisor = mark->scaleDivisor ? mark->scaleDivisor : 100;
    height = std::max<long long>(((height * 16) / 100 * 100) / divisor, 1);
    font.lfHeight = static_cast<LONG>(std::min<long long>(height, 0x7FFF));

    int angle;
    if (mark->angleMode == 1) {
        const int a = AtanDegrees(cell.width, cell.height) * 10;
        angle = direction == 1 ? 1800 - a : direction == 2 ? a - 1800 : direction == 3 ? -a : a;
    } else if (mark->angleMode == 2) {
        const int a = AtanDegrees(cell.width, -cell.height) * 10;
        angle = direction == 1 ? -a : direction == 2 ? a + 1800 : direction == 3 ? -1800 - a : a;
    } else {
        static constexpr int kTurn[4] = {0, 900, 1800, -900};
        angle = font.lfEscapement + kTurn[direction & 3];
        while (angle > 1800) angle -= 3600;
        while (angle < -1800) angle += 3600;
    }
    font.lfEscapement = font.lfOrientation = angle;

    HFONT handle = CreateFontIndirectA(&font);
    if (!handle) return;
    HGDIOBJ oldFont = SelectObject(dc, handle);
    POINT oldOrigin;
    SetViewportOrgEx(dc, centre.x, centre.y, &oldOrigin);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, mark->colour);

    SIZE extent = {0, 0};
    GetTextExtentPointA(dc, text, static_cast<int>(length), &extent);
    const int h = extent.cy;
    const int w = extent.cx + (font.lfItalic ? h * 20 / 100 : 0);
    const int left = -(Cos(w, angle) + Sin(h, angle)) / 2, top = (Sin(w, angle) - Cos(h, angle)) / 2;
    ExtTextOutA(dc, left, top, 0, nullptr, text, static_cast<UINT>(length), nullptr);

    if (mark->frameStyle == 1 || mark->frameStyle == 2) {
        HPEN pen = CreatePen(PS_SOLID, std::max(h / 15, 1), mark->colour);
        if (pen) {
            HGDIOBJ oldPen = SelectObject(dc, pen);
            const int p = std::max(h / 15, 1);
            if (mark->frameStyle == 1) {
                const long long across = static_cast<long long>(w + 2 * p) * (w + 2 * p) +
                                         static_cast<long long>(h + 2 * p + 5) * (h + 2 * p + 5);
                int r = static_cast<int>(ISqrt(static_cast<unsigned>(std::min<long long>(across, 0xFFFFFFFFll))) / 2);
                if (font.lfItalic) r = r * 110 / 100;
                Arc(dc, -r, -r, r, r, r, 0, r, 0);
            } else {
                const int margin = h * (font.lfItalic ? 30 : 20) / 100;
                const int hw = w / 2 + margin, hh = h / 2 + margin;
                // The corners of the box around the text, turned with it (y grows downward).
                const POINT local[4] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
                POINT turned[5];
                for (int i = 0; i < 4; ++i) {
                    turned[i].x = Cos(local[i].x, angle) + Sin(local[i].y, angle);
                    turned[i].y = Cos(local[i].y, angle) - Sin(local[i].x, angle);
                }
                turned[4] = turned[0];
                Polyline(dc, turned, 5);
            }
            SelectObject(dc, oldPen);
            DeleteObject(pen);
        }
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, mode);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SelectObject(dc, oldFont);
    DeleteObject(handle);
}
