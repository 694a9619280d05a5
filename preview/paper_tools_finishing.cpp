// The paper tools' finishing: punch holes, strips folded over an edge, the centre strip between
// two pages, booklet folds and poster division lines. Counts and spacings that would divide by
// zero on a tiny or degenerate sheet draw their degenerate form instead.
#include "preview/paper_tools.h"

#include "core/helpers/drawing.h"
#include "data/resources/drvopui_ids.h"

using namespace preview_colour;

namespace {

// Draws a keyed picture centred on a point.
void CentredPicture(UIDEVDATA* ctx, HDC dc, POINT centre, SIZE size, UINT id) {
    DrawTransparentBitmap(ctx, dc, centre.x - size.cx / 2, centre.y - size.cy / 2, id, kMagenta);
}

}  // namespace

void CmDrawPaperTools::DrawCentreStrip(UIDEVDATA* ctx, HDC dc, const PvRect& sheet, int direction,
                                       const PreviewGeometry&) {
    if (!tools_ || (direction != 1 && direction != 2)) return;
    const int right = sheet.x + sheet.width, bottom = sheet.y + sheet.height;
    if (direction == 1) {
        const int x = sheet.x + sheet.width / 2 - 6;
        DrawTransparentBitmap(ctx, dc, x, sheet.y, IDB_STRIP_TOP, kMagenta);
        const int top = sheet.y + 10;
        FillSolid(dc, x + 3, top, x + 4, bottom, kGrey);
        FillSolid(dc, x + 4, top, x + 5, bottom, kLightGrey);
        tools_->FillPatternRect(dc, x + 5, top, 6, bottom - top + 1, kYellow, kSilver, 0, -1);
        FillSolid(dc, x + 10, top, x + 11, bottom, kGrey);
        DrawTransparentBitmap(ctx, dc, sheet.x + sheet.width / 2 - 10, bottom - 10, IDB_STRIP_BOTTOM, kMagenta);
    } else {
        const int y = sheet.y + sheet.height / 2 - 6;
        DrawTransparentBitmap(ctx, dc, sheet.x, y, IDB_STRIP_LEFT, kMagenta);
        const int left = sheet.x + 10;
        FillSolid(dc, left, y + 3, right, y + 4, kGrey);
        FillSolid(dc, left, y + 4, right, y + 5, kLightGrey);
        tools_->FillPatternRect(dc, left, y + 5, right - left + 1, 6, kYellow, kSilver, 0, -1);
        FillSolid(dc, left, y + 10, right, y + 11, kGrey);
        DrawTransparentBitmap(ctx, dc, right - 10, sheet.y + sheet.height / 2 - 10, IDB_STRIP_RIGHT, kMagenta);
    }
}

void CmDrawPaperTools::DrawPunchHoles(UIDEVDATA* ctx, HDC dc, const PvRect& sheet, int edge, int kind,
                                      UINT bitmapId) {
    if (!tools_ || edge < 1 || edge > 4) return;
    const SIZE hole = tools_->GetBitmapSize(ctx, bitmapId);
    if (hole.cx <= 0 || hole.cy <= 0) return;
    const bool acrossWidth = edge == 1 || edge == 3;
    const int full = acrossWidth ? sheet.width : sheet.height;
    int count = 0;
    int offsets[9];
    if (kind == 5) {
        // The multi-hole punch: as many holes (up to 9) as fit along the edge less 6 pixels at each end.
        const int length = full - 12;
        if (length <= 0) return;
        const int holeSize = acrossWidth ? hole.cx : hole.cy;
        count = 9;
        while (count > 1 && length < count * (holeSize + 1)) --count;
        if (count == 1) {
            offsets[0] = length / 2 + 6;
        } else {
            for (int i = 0; i < count; ++i) offsets[i] = i * length / (count - 1) + 6;
        }
    } else {
        count = (kind == 3 || kind == 4) ? kind : 2;
        int span = 0;
        switch (count) {
            case 2: span = full / 3 - 16; break;
            case 3: span = 2 * (full / 3); break;
            default: span = 3 * (full / 4 - 4); break;
        }
        for (int i = 0; i < count; ++i) offsets[i] = (full - span) / 2 + i * span / (count - 1);
    }
    for (int i = 0; i < count; ++i) {
        POINT centre;
        switch (edge) {
            case 1: centre = {sheet.x + offsets[i], sheet.y + 6}; break;
            case 2: centre = {sheet.x + 6, sheet.y + offsets[i]}; break;
            case 3: centre = {sheet.x + offsets[i], sheet.y + sheet.height - 6}; break;
            default: centre = {sheet.x + sheet.width - 6, sheet.y + offsets[i]}; break;
        }
        CentredPicture(ctx, dc, centre, hole, bitmapId);
    }
}

void CmDrawPaperTools::GetFoldOverGeometry(UIDEVDATA* ctx, const PvRect& sheet, int edge, int w, POINT* a,
                                           POINT* b, PvRect* strip, RECT* face, POINT* origin) {
    const SIZE corner = tools_ ? tools_->GetBitmapSize(ctx, IDB_FOLD_RIGHT_A) : SIZE{0, 0};
    const int bw = corner.cx, bh = corner.cy;
    const int x = sheet.x, y = sheet.y, width = sheet.width, height = sheet.height;
    POINT pa = {0, 0}, pb = {0, 0}, po = {0, 0};
    PvRect s;
    switch (edge) {
        case 1:
            pa = {x - bh + 2, y + w};
            pb = {x + width - bh + 2, y + w};
            s = {pa.x, pa.y, width + 1, w};
            po = {s.x, s.y - height + w};
            break;
        case 2:
            pa = {x + 2 + w, y - bh + 2};
            pb = {x + 2 + w, y + height - bh + 2};
            s = {pa.x, pa.y, w, height};
            po = {s.x - width + w, s.y};
            break;
        case 3:
            pa = {x - bh + 2, y + height - bw - w + 2};
            pb = {x + width - bh + 2, pa.y};
            s = {pa.x, y + height - 2 * w, width + 1, w};
            po = {s.x, s.y};
            break;
        case 4:
            pa = {x + width - bw - w + 2, y - bh + 2};
            pb = {pa.x, y + height - bh + 2};
            s = {x + width - 2 * w, pa.y, w, height};
            po = {s.x, s.y};
            break;
        default: break;
    }
    const int topInset = (edge == 1 || edge == 3) ? 3 : 2;
    if (a) *a = pa;
    if (b) *b = pb;
    if (strip) *strip = s;
    if (face) *face = {s.x + 3, s.y + topInset, s.x + s.width - 2, s.y + s.height - 2};
    if (origin) *origin = po;
}

void CmDrawPaperTools::DrawFoldOver(UIDEVDATA* ctx, HDC dc, const PvRect& sheet, int edge, int w, RECT* face,
                                    POINT* origin) {
    if (edge < 1 || edge > 4) return;
    POINT a, b;
    PvRect strip;
    GetFoldOverGeometry(ctx, sheet, edge, w, &a, &b, &strip, face, origin);
    DrawSheet(dc, strip);
    static constexpr UINT kCorners[5][2] = {{0, 0},
                                            {IDB_FOLD_TOP_A, IDB_FOLD_TOP_B},
                                            {IDB_FOLD_LEFT_A, IDB_FOLD_LEFT_B},
                                            {IDB_FOLD_BOTTOM_A, IDB_FOLD_BOTTOM_B},
                                            {IDB_FOLD_RIGHT_A, IDB_FOLD_RIGHT_B}};
    DrawTransparentBitmap(ctx, dc, a.x, a.y, kCorners[edge][0], kMagenta);
    DrawTransparentBitmap(ctx, dc, b.x, b.y, kCorners[edge][1], kMagenta);
}

void CmDrawPaperTools::DrawBooklet(UIDEVDATA* ctx, HDC dc, const PvRect& area, int direction, BOOL saddleStitch,
                                   const PreviewGeometry& geometry) {
    if (!tools_) return;
    const int right = area.x + area.width, bottom = area.y + area.height;
    const bool horizontal = direction == 2;
    if (horizontal) {
        const int fold = area.y + area.height / 2;
        FillSolid(dc, area.x, fold, right, fold + 1, kGrey);
        if (saddleStitch)
            for (int i = 1; i <= 2; ++i) {
                POINT at = {area.x + area.width * i / 3, fold};
                DrawStaple(dc, &at, FALSE);
            }
    } else {
        const int fold = area.x + area.width / 2;
        FillSolid(dc, fold, area.y, fold + 1, bottom, kGrey);
        if (saddleStitch)
            for (int i = 1; i <= 2; ++i) {
                POINT at = {fold, area.y + area.height * i / 3};
                DrawStaple(dc, &at, TRUE);
            }
    }
    struct Placed {
        UINT id;
        int x, y;  // 0 start, 1 centre, 2 end of the area, along each axis
    };
    const Placed vertical[6] = {{IDB_BOOKLET_FOLD_TOP, 1, 0},   {IDB_BOOKLET_FOLD_BOTTOM, 1, 2},
                                {IDB_BOOKLET_LEFT_TOP, 0, 0},   {IDB_BOOKLET_LEFT_BOTTOM, 0, 2},
                                {IDB_BOOKLET_RIGHT_TOP, 2, 0},  {IDB_BOOKLET_RIGHT_BOTTOM, 2, 2}};
    const Placed turned[6] = {{IDB_BOOKLET_FOLD_LEFT, 0, 1},    {IDB_BOOKLET_FOLD_RIGHT, 2, 1},
                              {IDB_BOOKLET_TOP_LEFT, 0, 0},     {IDB_BOOKLET_TOP_RIGHT, 2, 0},
                              {IDB_BOOKLET_BOTTOM_LEFT, 0, 2},  {IDB_BOOKLET_BOTTOM_RIGHT, 2, 2}};
    for (const Placed& picture : horizontal ? turned : vertical) {
        const SIZE size = tools_->GetBitmapSize(ctx, picture.id);
        if (size.cx <= 0 || size.cy <= 0) continue;
        auto place = [](int where, int start, int length, int extent) {
            return where == 0 ? start : where == 1 ? start + length / 2 - extent / 2 : start + length - extent;
        };
        const int x = place(picture.x, area.x, area.width, size.cx);
        const int y = place(picture.y, area.y, area.height, size.cy);
        tools_->FillHatched(dc, x, y, size.cx, size.cy, geometry);
        DrawTransparentBitmap(ctx, dc, x, y, picture.id, kMagenta);
    }
}

void CmDrawPaperTools::DrawPosterLines(HDC dc, const PvRect& sheet, int kind) {
    if (kind < 1 || kind > 3) return;
    const int n = kind + 1;
    const int right = sheet.x + sheet.width, bottom = sheet.y + sheet.height;
    for (int i = 1; i < n; ++i) {
        const int x = sheet.x + (sheet.width * 10 / n) * i / 10;
        FillSolid(dc, x, sheet.y, x + 1, bottom, kBlack);
        FillSolid(dc, x + 2, sheet.y, x + 3, bottom, kLightGrey);
        FillSolid(dc, x + 1, sheet.y, x + 2, bottom, kWhite);
        const int y = sheet.y + (sheet.height * 10 / n) * i / 10;
        FillSolid(dc, sheet.x, y, right, y + 1, kBlack);
        FillSolid(dc, sheet.x, y + 2, right, y + 3, kLightGrey);
        FillSolid(dc, sheet.x, y + 1, right, y + 2, kWhite);
    }
}
