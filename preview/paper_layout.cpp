// Where the pages of a picture go: the cells of a booklet spread, a centre strip, a single scaled
// page or an n-up grid, fitted to the sheet's aspect; the page number each cell shows; and the
// colour schemes of the sample sheet.
#include "preview/paper_drawing_set.h"

#include <algorithm>

namespace {

constexpr DWORD kColourSchemes[9][3] = {
    {0, 0x00FF00, 0xFFFFFF}, {0, 0x00FF00, 0x00FFFF}, {0, 0x00FFFF, 0xFFFFFF},
    {0, 0xFFFF00, 0xFFFFFF}, {1, 0xBFBFBF, 0x000000}, {0, 0x0000FF, 0xFFFFFF},
    {0, 0xFF0000, 0xFFFFFF}, {0, 0xFF0000, 0xFF00FF}, {0, 0xFF00FF, 0xFFFFFF}};

// Layouts whose cells are turned against the sheet (two, six and eight pages per sheet).
bool SwapsAspect(int layout) { return layout == 1 || layout == 2 || (layout >= 4 && layout <= 7); }

}  // namespace

const DWORD* CmPvPaperDrawingSet::GetColourScheme(int index) const {
    return index >= 0 && index < 9 ? kColourSchemes[index] : nullptr;
}

PageOrder CmPvPaperDrawingSet::GetPageOrder() const {
    PageOrder order{};
    const PaperPictureSettings& s = *settings_;
    // Any combination without a table of its own numbers its cells row by row, so a layout of
    // more than four pages never shows a cell without its number.
    for (int i = 0; i < kMaxCells; ++i) order[i] = i + 1;
    if (s.sampleSheet == 1) {
        order.fill(1);
        return order;
    }
    if (s.booklet || s.centreStrip || s.layout == 0) return order;
    if (s.layout == 1 || s.layout == 2) {
        if (s.order == 1 || s.order == 3) {
            order[0] = 2;
            order[1] = 1;
        }
        return order;
    }
    if (s.layout < 3 || s.layout > 9 || s.order < 4 || s.order > 7) return order;
    const GridShape grid = LayoutGrid(s.layout, false);
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            int number;
            switch (s.order) {
                case 5: number = c * grid.rows + r + 1; break;
                case 6: number = r * grid.columns + (grid.columns - 1 - c) + 1; break;
                case 7: number = (grid.columns - 1 - c) * grid.rows + r + 1; break;
                default: number = r * grid.columns + c + 1; break;
            }
            order[r * grid.columns + c] = number;
        }
    return order;
}

void CmPvPaperDrawingSet::FitToAspect(int a, int b, PvRect* cell, BOOL swap) {
    if (!cell) return;
    if (swap) std::swap(a, b);
    // A sheet without a side has no aspect to fit to.
    if (a <= 0 || b <= 0) return;
    const int fittedHeight = static_cast<int>(static_cast<long long>(cell->width) * b / a);
    if (cell->height < fittedHeight) {
        const int fittedWidth = static_cast<int>(static_cast<long long>(cell->height) * a / b);
        cell->x += (cell->width - fittedWidth + 1) / 2;
        cell->width = fittedWidth;
    } else {
        cell->y += (cell->height - fittedHeight + 1) / 2;
        cell->height = fittedHeight;
    }
}

void CmPvPaperDrawingSet::LayoutCells(int x, int y, int width, int height, PvRect* cells, int* count, BOOL fit) {
    const PaperPictureSettings& s = *settings_;
    int n = 0;
    BOOL swap = FALSE;
    if (s.booklet) {
        swap = TRUE;
        n = 2;
        if (s.booklet == 2) {
            cells[0] = {x + 8, y + 8, width - 14, height / 2 - 15};
            cells[1] = {x + 8, y + height / 2 + 8, width - 14, height / 2 - 15};
        } else {
            cells[0] = {x + 8, y + 8, (width - 28) / 2, height - 15};
            cells[1] = {x + (width - 28) / 2 + 22, y + 8, (width - 28) / 2, height - 15};
        }
    } else if (s.centreStrip) {
        swap = TRUE;
        n = 2;
        if (s.centreStrip == 2) {
            cells[0] = {x + 8, y + 8, width - 14, height / 2 - 15};
            cells[1] = {x + 8, y + height / 2 + 12, width - 14, height / 2 - 15};
        } else {
            cells[0] = {x + 8, y + 8, (width - 33) / 2, height - 15};
            cells[1] = {x + (width - 33) / 2 + 27, y + 8, (width - 33) / 2, height - 15};
        }
    } else if (s.sampleSheet != 1 && s.layout == 0) {
        int m = std::min(s.horizontalScale, s.verticalScale);
        if (m == 0) m = 1;
        const int w = static_cast<int>((static_cast<long long>(width - 15) * 100 / m) * s.scaling / 100);
        const int h = static_cast<int>((static_cast<long long>(height - 15) * 100 / m) * s.scaling / 100);
        PvRect one = {x + 8, y + 8, w, h};
        if (s.centre == 1) {
            one.x = std::max(x + (width - w) / 2 + 1, x + 8);
            one.y = std::max(y + (height - h) / 2 + 1, y + 8);
        }
        cells[0] = one;
        *count = 1;
        return;
    } else {
        const GridShape grid = s.sampleSheet == 1 ? GridShape{3, 3} : LayoutGrid(s.layout, false);
        swap = s.sampleSheet != 1 && SwapsAspect(s.layout);
        const int cellWidth = (width - 5 * grid.columns - 9) / grid.columns;
        const int cellHeight = (height - 5 * grid.rows - 9) / grid.rows;
        for (int r = 0; r < grid.rows; ++r)
            for (int c = 0; c < grid.columns && n < kMaxCells; ++c)
                cells[n++] = {x + 7 + c * (cellWidth + 5), y + 7 + r * (cellHeight + 5), cellWidth, cellHeight};
    }
    if (fit)
        for (int i = 0; i < n; ++i) FitToAspect(width, height, &cells[i], swap);
    *count = n;
}
