// The paper tools' sheets, frames, borders and staples: the lines that outline a page picture.
#include "preview/paper_tools.h"

using namespace preview_colour;

namespace {

void Line(HDC dc, POINT from, POINT to, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen) return;
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

GridShape LayoutGrid(int layout, bool sampleSheet) {
    switch (layout) {
        // Two portrait pages side by side on a wide sheet; two landscape pages one above the other
        // on a tall one, as the picture turns the sheet for them.
        case 1: return {2, 1};
        case 2: return {1, 2};
        case 3: return {2, 2};
        case 4: return {3, 2};
        case 5: return {2, 3};
        case 6: return {4, 2};
        case 7: return {2, 4};
        case 8: return {3, 3};
        case 9: return {4, 4};
        default: return sampleSheet ? GridShape{3, 3} : GridShape{1, 1};
    }
}

void CmDrawPaperTools::DrawStapleLine(HDC dc, const POINT starts[3], const POINT ends[3]) {
    Line(dc, starts[0], ends[0], kRed);
    Line(dc, starts[1], ends[1], kRed);
    Line(dc, starts[2], ends[2], kDarkRed);
}

void CmDrawPaperTools::DrawStaple(HDC dc, POINT* point, BOOL vertical) {
    if (!point) return;
    if (!vertical) {
        point->x -= 4;
        point->y -= 1;
        const int x = point->x, y = point->y;
        FillSolid(dc, x, y, x + 7, y + 2, kRed);
        FillSolid(dc, x, y + 2, x + 7, y + 3, kDarkRed);
        FillSolid(dc, x + 7, y, x + 8, y + 3, kDarkRed);
    } else {
        point->x -= 1;
        point->y -= 4;
        const int x = point->x, y = point->y;
        FillSolid(dc, x, y, x + 2, y + 7, kRed);
        FillSolid(dc, x + 2, y, x + 3, y + 7, kDarkRed);
        FillSolid(dc, x, y + 7, x + 3, y + 8, kDarkRed);
    }
}

void CmDrawPaperTools::FrameRect(HDC dc, POINT origin, SIZE size, int d, COLORREF colour) {
    const int left = origin.x - d - 1, top = origin.y - d - 1;
    const int right = origin.x + size.cx + d, bottom = origin.y + size.cy + d;
    FillSolid(dc, left, top, right, top + 1, colour);
    FillSolid(dc, left, bottom, right, bottom + 1, colour);
    FillSolid(dc, left, top, left + 1, bottom + 1, colour);
    FillSolid(dc, right, top, right + 1, bottom + 1, colour);
}

void CmDrawPaperTools::DrawDashedBorder(HDC dc, POINT origin, SIZE size, int kind) {
    if (!tools_ || kind < 2 || kind > 5) return;
    const int style = kind - 2;
    const int left = origin.x - 1, top = origin.y - 1;
    const int right = origin.x + size.cx, bottom = origin.y + size.cy;
    tools_->DrawDashedLine(dc, {left, top}, size.cx + 1, style, FALSE, FALSE);
    tools_->DrawDashedLine(dc, {left, bottom}, size.cx + 1, style, FALSE, FALSE);
    tools_->DrawDashedLine(dc, {left, top}, size.cy + 1, style, TRUE, FALSE);
    tools_->DrawDashedLine(dc, {right, top}, size.cy + 1, style, TRUE, FALSE);
}

void CmDrawPaperTools::DrawDoubleBorder(HDC dc, POINT origin, SIZE size) {
    FrameRect(dc, origin, size, -1, kGrey);
    FrameRect(dc, origin, size, 1, kGrey);
}

void CmDrawPaperTools::DrawShadowBorder(HDC dc, POINT origin, SIZE size) {
    FrameRect(dc, origin, size, -1, kGrey);
    const int right = origin.x + size.cx, bottom = origin.y + size.cy;
    FillSolid(dc, right, origin.y + 1, right + 1, bottom + 1, kGrey);
    FillSolid(dc, origin.x + 1, bottom, right + 1, bottom + 1, kGrey);
}

void CmDrawPaperTools::DrawCellFrame(HDC dc, POINT origin, SIZE size, int d, DWORD corners) {
    FrameRect(dc, origin, size, d, kGrey);
    const int left = origin.x - d - 1, top = origin.y - d - 1;
    const int right = origin.x + size.cx + d, bottom = origin.y + size.cy + d;
    // Each side is erased in white except 3-pixel stubs at the corners the flags keep; an end
    // that is not kept is erased up to 1 pixel beyond the frame.
    const bool topLeft = corners & 1, topRight = corners & 2, bottomLeft = corners & 4, bottomRight = corners & 0x10;
    auto span = [](int from, int to, bool keepStart, bool keepEnd, int& a, int& b) {
        a = keepStart ? from + 3 : from - 1;
        b = keepEnd ? to - 2 : to + 2;
    };
    int a, b;
    span(left, right, topLeft, topRight, a, b);
    FillSolid(dc, a, top, b, top + 1, kWhite);
    span(left, right, bottomLeft, bottomRight, a, b);
    FillSolid(dc, a, bottom, b, bottom + 1, kWhite);
    span(top, bottom, topLeft, bottomLeft, a, b);
    FillSolid(dc, left, a, left + 1, b, kWhite);
    span(top, bottom, topRight, bottomRight, a, b);
    FillSolid(dc, right, a, right + 1, b, kWhite);
}

void CmDrawPaperTools::DrawFramedCell(HDC dc, POINT origin, SIZE size) {
    FrameRect(dc, origin, size, 0, kGrey);
    DrawCellFrame(dc, origin, size, 1, 0x17);
}

void CmDrawPaperTools::DrawBackSheet(HDC dc, const PvRect& sheet, int direction) {
    if (!tools_) return;
    PvRect back = sheet;
    if (direction == 1) {
        back = {sheet.x - 4, sheet.y + 4, sheet.width + 11, sheet.height + 1};
    } else if (direction == 2) {
        back = {sheet.x + 4, sheet.y - 4, sheet.width + 1, sheet.height + 11};
    } else {
        return;
    }
    tools_->FillPatternRect(dc, back.x, back.y, back.width, back.height, kYellow, kWhite, 0, -1);
    const int right = back.x + back.width, bottom = back.y + back.height;
    FillSolid(dc, back.x, back.y, right, back.y + 1, kGrey);
    FillSolid(dc, back.x, back.y, back.x + 1, bottom, kGrey);
    FillSolid(dc, right, back.y + 1, right + 1, bottom + 1, kBlack);
    FillSolid(dc, back.x + 1, bottom, right + 1, bottom + 1, kBlack);
    FillSolid(dc, right + 1, back.y + 2, right + 2, bottom + 2, kLightGrey);
    FillSolid(dc, back.x + 2, bottom + 1, right + 2, bottom + 2, kLightGrey);
}

void CmDrawPaperTools::DrawSheet(HDC dc, const PvRect& sheet) {
    const int right = sheet.x + sheet.width, bottom = sheet.y + sheet.height;
    FillSolid(dc, sheet.x, sheet.y, right, bottom, kWhite);
    FillSolid(dc, sheet.x, sheet.y, right, sheet.y + 1, kGrey);
    FillSolid(dc, sheet.x, sheet.y, sheet.x + 1, bottom, kGrey);
    FillSolid(dc, right, sheet.y + 1, right + 1, bottom + 1, kBlack);
    FillSolid(dc, sheet.x + 1, bottom, right + 1, bottom + 1, kBlack);
    FillSolid(dc, right + 1, sheet.y + 2, right + 2, bottom + 2, kLightGrey);
    FillSolid(dc, sheet.x + 2, bottom + 1, right + 2, bottom + 2, kLightGrey);
}

void CmDrawPaperTools::HatchEdge(HDC dc, const PvRect& sheet, int edge, int w) {
    if (!tools_ || w <= 0) return;
    const int right = sheet.x + sheet.width, bottom = sheet.y + sheet.height;
    RECT band;
    switch (edge) {
        case 1: band = {sheet.x + 1, sheet.y + 1, sheet.x + 1 + w, bottom}; break;
        case 2: band = {sheet.x + 1, sheet.y + 1, right, sheet.y + 1 + w}; break;
        case 3: band = {right - w, sheet.y + 1, right, bottom}; break;
        case 4: band = {sheet.x + 1, bottom - w, right, bottom}; break;
        default: return;
    }
    // The checkerboard with no outline: a null pen leaves Rectangle's right and bottom edges
    // open, so the rectangle is widened by one to cover the band.
    tools_->FillPatternRect(dc, band.left, band.top, band.right - band.left + 1, band.bottom - band.top + 1,
                            kMagenta, kWhite, 0, -1);
}

void CmDrawPaperTools::DrawStapleMarks(HDC dc, const PvRect& sheet, int position) {
    const int x = sheet.x, y = sheet.y, right = sheet.x + sheet.width, bottom = sheet.y + sheet.height;
    if (position >= 1 && position <= 4) {
        // Offsets of the top-left staple; the other corners mirror them.
        const POINT starts[3] = {{8, 1}, {8, 2}, {9, 2}};
        const POINT ends[3] = {{0, 9}, {1, 9}, {1, 10}};
        const bool fromRight = position == 3 || position == 4;
        const bool fromBottom = position == 2 || position == 4;
        POINT s[3], e[3];
        for (int i = 0; i < 3; ++i) {
            s[i] = {fromRight ? right - starts[i].x : x + starts[i].x, fromBottom ? bottom - starts[i].y : y + starts[i].y};
            e[i] = {fromRight ? right - ends[i].x : x + ends[i].x, fromBottom ? bottom - ends[i].y : y + ends[i].y};
        }
        DrawStapleLine(dc, s, e);
        return;
    }
    if (position < 5 || position > 8) return;
    const bool vertical = position == 5 || position == 7;
    const int length = vertical ? sheet.height : sheet.width;
    const int gap = length / 3 + 5;
    const int first = (length - gap) / 2;
    for (int i = 0; i < 2; ++i) {
        const int along = first + i * gap;
        POINT at;
        switch (position) {
            case 5: at = {x + 4, y + along}; break;
            case 6: at = {x + along, y + 4}; break;
            case 7: at = {right - 4, y + along}; break;
            default: at = {x + along, bottom - 4}; break;
        }
        DrawStaple(dc, &at, vertical);
    }
}

void CmDrawPaperTools::DrawPageBorder(HDC dc, const PvRect& page, const PvRect& cell, int index, int kind,
                                      int layout, BOOL sampleSheet) {
    const POINT origin = {page.x, page.y};
    const SIZE size = {page.width, page.height};
    switch (kind) {
        case 1: FrameRect(dc, origin, size, 0, kGrey); return;
        case 2:
        case 3:
        case 4:
        case 5: DrawDashedBorder(dc, origin, size, kind); return;
        case 6: DrawShadowBorder(dc, origin, size); return;
        case 8: DrawDoubleBorder(dc, origin, size); return;
        case 10: DrawFramedCell(dc, origin, size); return;
        case 9: break;
        default: return;
    }
    const POINT cellOrigin = {cell.x, cell.y};
    const SIZE cellSize = {cell.width, cell.height};
    if (layout == 0 && !sampleSheet) {
        DrawCellFrame(dc, cellOrigin, cellSize, 2, 0x17);
        return;
    }
    const GridShape grid = LayoutGrid(layout, sampleSheet);
    const int i = index;  // 1-based
    DWORD flags = 0;
    if (i % grid.columns == 1 || grid.columns == 1) flags |= 5;
    if (i % grid.columns == 0) flags |= 0x12;
    if (i <= grid.columns) flags |= 3;
    if (i > (grid.rows - 1) * grid.columns) flags |= 0x14;
    DrawCellFrame(dc, cellOrigin, cellSize, 2, flags);
}
