// The paper tools' mock page: a header band, text lines, a picture symbol with three shapes,
// page numbers with a halo, colour swatches and the overlay picture of a poster cell.
#include "preview/paper_tools.h"

#include "core/helpers/drawing.h"
#include "data/resources/drvopui_ids.h"

#include <algorithm>
#include <cstdio>

using namespace preview_colour;

namespace {

struct SymbolColours {
    COLORREF face, secondFace, shadow, triangle, circle, square;
};

// A solid brush and a pen of one colour, selected for the life of the object.
class SolidTools {
public:
    SolidTools(HDC dc, COLORREF colour)
        : dc_(dc), brush_(CreateSolidBrush(colour)), pen_(CreatePen(PS_SOLID, 1, colour)) {
        if (brush_ && pen_) {
            oldBrush_ = SelectObject(dc, brush_);
            oldPen_ = SelectObject(dc, pen_);
        }
    }
    ~SolidTools() {
        if (oldBrush_) SelectObject(dc_, oldBrush_);
        if (oldPen_) SelectObject(dc_, oldPen_);
        if (brush_) DeleteObject(brush_);
        if (pen_) DeleteObject(pen_);
    }
    SolidTools(const SolidTools&) = delete;
    SolidTools& operator=(const SolidTools&) = delete;
    bool Ready() const { return oldBrush_ != nullptr; }

private:
    HDC dc_;
    HBRUSH brush_;
    HPEN pen_;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
};

}  // namespace

void CmDrawPaperTools::GetContentGeometry(const PvRect& cell, int direction, int* band, int* symbol,
                                          RECT* symbolRect) {
    const int length = (direction == 1 || direction == 3) ? cell.width : cell.height;
    const int b = std::max(length * 25 / 1000 + 1, 2);
    const int s = std::min(cell.width, cell.height) * 40 / 100;
    POINT at;
    switch (direction) {
        case 1: at = {cell.x + 2 + b, cell.y + cell.height - s}; break;
        case 2: at = {cell.x + cell.width - s, cell.y + cell.height - b - s - 2}; break;
        case 3: at = {cell.x + cell.width - b - s - 2, cell.y}; break;
        default: at = {cell.x, cell.y + 2 + b}; break;
    }
    if (band) *band = b;
    if (symbol) *symbol = s;
    if (symbolRect) *symbolRect = {at.x, at.y, at.x + s, at.y + s};
}

void CmDrawPaperTools::DrawPageContent(HDC dc, const PvRect& cell, int direction, BOOL colour, int spacing,
                                       BOOL drawSymbol) {
    if (!tools_) return;
    const COLORREF first = colour ? kBlue : kGrey, second = colour ? kNavy : kGrey;
    int b = 0, s = 0;
    GetContentGeometry(cell, direction, &b, &s, nullptr);
    const int x = cell.x, y = cell.y, w = cell.width, h = cell.height;
    switch (direction) {
        case 1:
            tools_->FillPatternRect(dc, x, y, b + 1, h + 1, first, second, 0, -1);
            DrawTextLines(dc, {x + b + 2, y, w - b - 2, h}, TRUE, colour, spacing);
            if (drawSymbol && s > 2) DrawPageSymbol(dc, x + b + 2, y + h - s, s, s, direction, colour, TRUE);
            break;
        case 2:
            tools_->FillPatternRect(dc, x, y + h - b, w + 1, b + 1, first, second, 0, -1);
            DrawTextLines(dc, {x, y, w, h - b - 2}, FALSE, colour, spacing);
            if (drawSymbol && s > 2) DrawPageSymbol(dc, x + w - s, y + h - s - b - 2, s, s, direction, colour, TRUE);
            break;
        case 3:
            tools_->FillPatternRect(dc, x + w - b, y, b + 1, h + 1, first, second, 0, -1);
            DrawTextLines(dc, {x, y, w - b - 2, h}, TRUE, colour, spacing);
            if (drawSymbol && s > 2) DrawPageSymbol(dc, x + w - s - b - 2, y, s, s, direction, colour, TRUE);
            break;
        default:
            tools_->FillPatternRect(dc, x, y, w + 1, b + 1, first, second, 0, -1);
            DrawTextLines(dc, {x, y + b + 2, w, h - b - 2}, FALSE, colour, spacing);
            if (drawSymbol && s > 2) DrawPageSymbol(dc, x, y + b + 2, s, s, direction, colour, TRUE);
            break;
    }
}

void CmDrawPaperTools::DrawOverlayPicture(HDC dc, UIDEVDATA* ctx, const PvRect& cell, BOOL colour, int spacing,
                                          HPALETTE palette) {
    if (!tools_) return;
    DrawTextLines(dc, cell, FALSE, colour, spacing);
    const SIZE size = tools_->GetBitmapSize(ctx, IDB_OVERLAY_SIZE);
    if (size.cx <= 0 || size.cy <= 0) return;
    const int x = cell.x + cell.width / 2 - size.cx / 2;
    const int y = cell.y + (cell.height * 3 / 4) / 2 - size.cy / 2;
    ClipRestorer restore(dc);
    LimitTo(dc, cell.x, cell.y, cell.x + cell.width, cell.y + cell.height * 3 / 4);
    if (!colour)
        tools_->DrawBitmapResource(ctx, dc, x, y, IDB_OVERLAY_PICTURE, palette);
    else if (!palette)
        DrawBitmap(ctx, dc, x, y, IDB_OVERLAY_PICTURE);
    else
        DrawDibResourceSized(ctx, dc, x, y, size.cx, size.cy, IDB_OVERLAY_PICTURE);
}

void CmDrawPaperTools::DrawPageSymbol(HDC dc, int x, int y, int width, int height, int direction, BOOL colour,
                                      BOOL drawShapes) {
    if (!tools_ || width <= 0 || height <= 0) return;
    const bool paletteDisplay = tools_->GetDisplayColorBits() < 9;
    SymbolColours c;
    if (paletteDisplay) {
        c = colour ? SymbolColours{kYellow, kWhite, 0x008080, 0x008000, kCyan, kRed}
                   : SymbolColours{kSilver, kWhite, kGrey, kGrey, kSilver, kBlack};
    } else {
        c = {0x66CCFF, 0x66FFFF, 0x006699, 0x33CC33, 0xFFCC33, 0x3333FF};
        if (!colour)
            for (COLORREF* each : {&c.face, &c.secondFace, &c.shadow, &c.triangle, &c.circle, &c.square})
                *each = tools_->ToGrey(*each);
    }
    FillSolid(dc, x, y, x + width, y + height, kWhite);
    const int d = width * 2 / 100, e = d + 1;
    RECT inner;
    POINT offset;
    switch (direction) {
        case 1: inner = {x + 1, y + d + 2, x + width - e - 1, y + height - 1}; offset = {e, -e}; break;
        case 2: inner = {x + d + 2, y + d + 2, x + width - 1, y + height - 1}; offset = {-e, -e}; break;
        case 3: inner = {x + d + 2, y + 1, x + width - 1, y + height - e - 1}; offset = {-e, e}; break;
        default: inner = {x + 1, y + 1, x + width - e - 1, y + height - e - 1}; offset = {e, e}; break;
    }
    if (direction == 2 || direction == 3) c.face = c.secondFace;
    FillSolid(dc, inner.left + offset.x, inner.top + offset.y, inner.right + offset.x, inner.bottom + offset.y,
              c.shadow);
    const int iw = inner.right - inner.left, ih = inner.bottom - inner.top;
    if (iw <= 0 || ih <= 0) return;
    if (paletteDisplay)
        tools_->FillPatternRect(dc, inner.left, inner.top, iw + 1, ih + 1, c.face, c.secondFace, 0, -1);
    else
        tools_->FillGradient(dc, inner.left, inner.top, iw, ih, c.face, c.secondFace, 8,
                             (direction == 0 || direction == 2) ? 0 : 1);
    if (!drawShapes) return;
    auto px = [&](int percent) { return inner.left + iw * percent / 100; };
    auto py = [&](int percent) { return inner.top + ih * percent / 100; };
    auto pyw = [&](int percent) { return inner.top + iw * percent / 100; };
    {
        const int side = iw * 40 / 100;
        static constexpr int kSquare[4][2] = {{15, 30}, {30, 45}, {45, 30}, {30, 15}};
        const int sx = px(kSquare[direction & 3][0]), sy = py(kSquare[direction & 3][1]);
        SolidTools tools(dc, c.square);
        if (tools.Ready()) Rectangle(dc, sx, sy, sx + side, sy + side);
    }
    {
        const int t = ih * 40 / 100, half = t * 577 / 1000;
        POINT apex, p1, p2;
        switch (direction & 3) {
            case 1: apex = {px(5), pyw(40)}; p1 = {apex.x + t, apex.y - half}; p2 = {apex.x + t, apex.y + half}; break;
            case 2: apex = {px(40), pyw(95)}; p1 = {apex.x - half, apex.y - t}; p2 = {apex.x + half, apex.y - t}; break;
            case 3: apex = {px(95), pyw(60)}; p1 = {apex.x - t, apex.y - half}; p2 = {apex.x - t, apex.y + half}; break;
            default: apex = {px(60), pyw(5)}; p1 = {apex.x - half, apex.y + t}; p2 = {apex.x + half, apex.y + t}; break;
        }
        const POINT triangle[3] = {apex, p1, p2};
        SolidTools tools(dc, c.triangle);
        if (tools.Ready()) Polygon(dc, triangle, 3);
    }
    {
        const int diameter = iw * 45 / 100;
        static constexpr int kCircle[4][2] = {{47, 50}, {50, 8}, {8, 5}, {5, 47}};
        const int cx = px(kCircle[direction & 3][0]), cy = py(kCircle[direction & 3][1]);
        if (diameter >= 6) {
            SolidTools tools(dc, c.circle);
            if (tools.Ready()) Ellipse(dc, cx, cy, cx + diameter, cy + diameter);
        } else if (diameter >= 3) {
            // Too small for an ellipse: a rounded square of two crossing bars.
            FillSolid(dc, cx + 1, cy, cx + diameter - 1, cy + diameter, c.circle);
            FillSolid(dc, cx, cy + 1, cx + diameter, cy + diameter - 1, c.circle);
        } else if (diameter > 0) {
            FillSolid(dc, cx, cy, cx + diameter, cy + diameter, c.circle);
        }
    }
}

void CmDrawPaperTools::DrawTextLines(HDC dc, const PvRect& area, BOOL vertical, BOOL colour, int spacing) {
    if (!tools_ || spacing <= 0 || area.width <= 0 || area.height <= 0) return;
    const COLORREF ink = colour ? kBlue : kGrey;
    const int count = std::max((vertical ? area.width + 2 : area.height + 2) / spacing, 1);
    for (int i = 0; i < count; ++i) {
        // A 1-pixel line of the checkerboard: Rectangle with no pen fills one less than it spans.
        if (vertical)
            tools_->FillPatternRect(dc, area.x + i * spacing, area.y, 2, area.height + 1, ink, kSilver, 0, -1);
        else
            tools_->FillPatternRect(dc, area.x, area.y + i * spacing, area.width + 1, 2, ink, kSilver, 0, -1);
    }
}

void CmDrawPaperTools::DrawPageNumber(HDC dc, int x, int y, int width, int height, int number) {
    char text[12];
    const int length = std::snprintf(text, sizeof text, "%d", number);
    if (length <= 0) return;
    SIZE extent = {0, 0};
    if (!GetTextExtentPoint32A(dc, text, length, &extent)) return;
    const int left = x + (width - extent.cx) / 2, top = y + (height - extent.cy) / 2;
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previous = SetTextColor(dc, kWhite);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) TextOutA(dc, left + dx, top + dy, text, length);
    SetTextColor(dc, kNavy);
    TextOutA(dc, left, top, text, length);
    SetTextColor(dc, previous);
    SetBkMode(dc, mode);
}

void CmDrawPaperTools::FillColourScheme(HDC dc, const PvRect& area, const DWORD* scheme, BOOL colour) {
    if (!tools_ || !scheme) return;
    COLORREF first = scheme[1], second = scheme[0] ? scheme[1] : scheme[2];
    if (!colour) {
        first = tools_->ToGrey(first);
        second = tools_->ToGrey(second);
    }
    tools_->FillPatternRect(dc, area.x, area.y, area.width + 1, area.height + 1, first, second, 0, -1);
}
