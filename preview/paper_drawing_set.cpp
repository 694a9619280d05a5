// Composing a page picture: the sheet and its finishing drawn in place, the pages drawn off
// screen into one bitmap and copied with one StretchBlt (mirrored through negative source
// extents), and a strip folded over an edge with the pages it shows on its back.
#include "preview/paper_drawing_set.h"

#include "core/memory/chunk_pool.h"
#include "data/resources/drvopui_ids.h"

#include <algorithm>
#include <cstring>

namespace {

template <typename Record>
Record* NewZeroed() {
    auto* record = static_cast<Record*>(g_chunkPool.Alloc(sizeof(Record)));
    std::memset(record, 0, sizeof(Record));
    return record;
}

template <typename Record>
void Release(Record* record) {
    if (record) g_chunkPool.Free(record, sizeof(Record));
}

// The font of page numbers: bold at 12, then regular at 12, 10, 8 and 6 while "00" does not fit
// the first cell; the smallest is taken unmeasured.
HFONT PageNumberFont(HDC dc, const LOGFONTA& base, const PvRect& cell) {
    static constexpr struct {
        int height, weight;
    } kSizes[] = {{12, 700}, {12, 400}, {10, 400}, {8, 400}, {6, 400}};
    LOGFONTA font = base;
    for (size_t i = 0; i < std::size(kSizes); ++i) {
        font.lfHeight = kSizes[i].height;
        font.lfWeight = kSizes[i].weight;
        HFONT made = CreateFontIndirectA(&font);
        if (!made || i + 1 == std::size(kSizes)) return made;
        HGDIOBJ old = SelectObject(dc, made);
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, "00", 2, &extent);
        SelectObject(dc, old);
        if (extent.cx <= cell.width + 2 && extent.cy <= cell.height + 2) return made;
        DeleteObject(made);
    }
    return nullptr;
}

}  // namespace

CmPvPaperDrawingSet::CmPvPaperDrawingSet(HWND control, const PreviewGeometry* geometry)
    : CmPvPaperDrawingSet(control, geometry, nullptr) {}

CmPvPaperDrawingSet::CmPvPaperDrawingSet(HWND control, const PreviewGeometry* geometry, HPALETTE palette)
    : control_(control), settings_(NewZeroed<PaperPictureSettings>()), geometry_{}, palette_(palette) {
    if (geometry) geometry_ = *geometry;
}

CmPvPaperDrawingSet::~CmPvPaperDrawingSet() {
    Release(settings_->watermarkRecord);
    Release(settings_);
}

void CmPvPaperDrawingSet::SetWatermark(PictureWatermark* record) {
    if (settings_->watermarkRecord != record) Release(settings_->watermarkRecord);
    settings_->watermarkRecord = record;
}

CmDrawPaperTools* CmPvPaperDrawingSet::CreatePaperTools() {
    try {
        auto* tools = new CmDrawPaperTools;
        if (tools->Tools()) return tools;
        delete tools;
    } catch (const PoolOutOfMemory&) {
    }
    return nullptr;
}

void CmPvPaperDrawingSet::DrawPunch(UIDEVDATA* ctx, HDC dc, CmDrawPaperTools* tools, const PvRect& sheet) {
    tools->DrawPunchHoles(ctx, dc, sheet, settings_->punchEdge, settings_->punchKind, IDB_PUNCH_HOLE);
}

int CmPvPaperDrawingSet::ClampedStrip(UIDEVDATA* ctx, CmDrawPaperTools* tools) const {
    const int cornerWidth = tools->Tools()->GetBitmapSize(ctx, IDB_FOLD_RIGHT_A).cx;
    return std::max(std::min<int>(settings_->stripWidth, settings_->width - 1), cornerWidth + 1);
}

int CmPvPaperDrawingSet::GetFoldOverArea(UIDEVDATA* ctx, PvRect* sheet, RECT* face, PvRect* strip, POINT* origin) {
    if (sheet) *sheet = {};
    if (face) *face = {};
    if (strip) *strip = {};
    if (origin) *origin = {};
    const int edge = settings_->foldOverEdge;
    if (edge < 1 || edge > 4) return 0;
    CmDrawPaperTools* tools = CreatePaperTools();
    if (!tools) return 0;
    const int w = ClampedStrip(ctx, tools);
    PvRect whole = {settings_->x, settings_->y, settings_->width, settings_->height};
    tools->GetFoldOverGeometry(ctx, whole, edge, w, nullptr, nullptr, strip, face, origin);
    switch (edge) {
        case 1: whole.y += w; whole.height -= w; break;
        case 2: whole.x += w; whole.width -= w; break;
        case 3: whole.height -= w; break;
        default: whole.width -= w; break;
    }
    if (sheet) *sheet = whole;
    delete tools;
    return 1;
}

void CmPvPaperDrawingSet::Draw(HDC dc, UIDEVDATA* ctx, CmDrawPaperTools* tools, const PvRect& picture,
                               const PvRect* fitted, const PvRect* full, int count, DWORD flags) {
    if (picture.width <= 2 || picture.height <= 2) return;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, picture.width, picture.height) : nullptr;
    if (!bitmap) {
        if (memory) DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    PvRect movedFitted[kMaxCells], movedFull[kMaxCells];
    count = std::clamp(count, 0, static_cast<int>(kMaxCells));
    for (int i = 0; i < count; ++i) {
        movedFitted[i] = fitted[i];
        movedFull[i] = full[i];
        movedFitted[i].x -= picture.x;
        movedFitted[i].y -= picture.y;
        movedFull[i].x -= picture.x;
        movedFull[i].y -= picture.y;
    }
    FillSolid(memory, 0, 0, picture.width, picture.height, preview_colour::kWhite);
    DrawContents(memory, ctx, tools, {0, 0, picture.width, picture.height}, movedFitted, movedFull, count, flags);

    const bool turn = settings_->turn == 1;
    const bool leftRight = (settings_->mirror == 1) != turn;
    const bool topBottom = (settings_->mirror == 2) != turn;
    const int w = picture.width, h = picture.height;
    StretchBlt(dc, picture.x + 1, picture.y + 1, w - 2, h - 2, memory, leftRight ? w - 1 : 1, topBottom ? h - 1 : 1,
               leftRight ? 2 - w : w - 2, topBottom ? 2 - h : h - 2, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void CmPvPaperDrawingSet::DrawContents(HDC dc, UIDEVDATA* ctx, CmDrawPaperTools* tools, const PvRect& picture,
                                       const PvRect* fitted, const PvRect* full, int count, DWORD flags) {
    const PaperPictureSettings& s = *settings_;
    ClipRestorer restoreClip(dc);
    LimitTo(dc, picture.x + 2, picture.y + 2, picture.x + picture.width - 2, picture.y + picture.height - 2);
    const PageOrder order = GetPageOrder();
    const bool numbered = (s.layout != 0 || s.sampleSheet == 1) && (flags & 8) && count > 0;

    HFONT numberFont = nullptr;
    HGDIOBJ oldFont = nullptr;
    if (numbered) {
        LOGFONTA base = {};
        tools->Tools()->GetWindowFont(control_ ? GetParent(control_) : nullptr, &base);
        numberFont = PageNumberFont(dc, base, fitted[0]);
        if (numberFont) oldFont = SelectObject(dc, numberFont);
    }
    const int spacing = (s.layout >= 4 && s.layout <= 7) ? 3 : (s.layout == 8 || s.layout == 9) ? 2 : 4;
    PictureWatermark* mark = s.watermark ? s.watermarkRecord : nullptr;
    const int direction = s.contentDirection & 3;

    for (int i = 0; i < count && i < kMaxCells; ++i) {
        PvRect content = fitted[i];
        if (s.borderKind) {
            content.x += 2;
            content.y += 2;
            content.width -= 4;
            content.height -= 4;
        }
        if (mark && (flags & 2) && mark->onTop == 0)
            tools->DrawWatermark(dc, content, picture, mark, order[i], s.colour, FALSE, direction);
        if (flags & 1) {
            if (s.poster) {
                tools->DrawOverlayPicture(dc, ctx, content, s.colour, spacing, palette_);
            } else if (s.sampleSheet == 1) {
                if (const DWORD* scheme = GetColourScheme(i)) tools->FillColourScheme(dc, content, scheme, s.colour);
            } else {
                tools->DrawPageContent(dc, content, direction, s.colour, spacing, TRUE);
            }
        }
        if (mark && (flags & 2))
            tools->DrawWatermark(dc, content, picture, mark, order[i], s.colour, mark->onTop == 0, direction);
        if ((flags & 4) && s.borderKind)
            tools->DrawPageBorder(dc, fitted[i], full[i], i + 1, s.borderKind, s.layout, s.sampleSheet == 1);
        if (numbered)
            tools->DrawPageNumber(dc, fitted[i].x, fitted[i].y, fitted[i].width, fitted[i].height, order[i]);
    }
    if (oldFont) SelectObject(dc, oldFont);
    if (numberFont) DeleteObject(numberFont);
}

void CmPvPaperDrawingSet::DrawPicture(UIDEVDATA* ctx, HDC dc) {
    CmDrawPaperTools* tools = CreatePaperTools();
    if (!tools) return;
    const PaperPictureSettings& s = *settings_;
    PvRect fitted[kMaxCells], full[kMaxCells];
    int count = 0, fullCount = 0;
    PvRect sheet = {s.x, s.y, s.width, s.height};
    if (s.centreStrip == 1) {
        sheet.x -= 2;
        sheet.width += 5;
    } else if (s.centreStrip == 2) {
        sheet.y -= 3;
        sheet.height += 5;
    }
    if (s.centreStrip) tools->DrawBackSheet(dc, sheet, s.centreStrip);
    LayoutCells(sheet.x, sheet.y, sheet.width, sheet.height, fitted, &count, TRUE);
    LayoutCells(sheet.x, sheet.y, sheet.width, sheet.height, full, &fullCount, FALSE);

    const int edge = (s.foldOverEdge >= 1 && s.foldOverEdge <= 4) ? s.foldOverEdge : 0;
    const int strip = edge ? ClampedStrip(ctx, tools) : 0;
    {
        // The sheet and what lies on it; with a fold-over edge the part beyond the fold stays clear.
        ClipRestorer sheetClip(dc);
        if (edge) {
            const int bw = tools->Tools()->GetBitmapSize(ctx, IDB_FOLD_RIGHT_A).cx;
            // Without a geometry the far limits are the sheet's own, past its shadow.
            const int farRight = geometry_.PictureWidth() > 0 ? geometry_.PictureWidth() : sheet.x + sheet.width + 4;
            const int farBottom = geometry_.PictureHeight() > 0 ? geometry_.PictureHeight() : sheet.y + sheet.height + 4;
            const int nearLeft = std::min(0, sheet.x - 4), nearTop = std::min(0, sheet.y - 4);
            switch (edge) {
                case 1: LimitTo(dc, nearLeft, sheet.y + bw + strip, farRight, farBottom); break;
                case 2: LimitTo(dc, sheet.x + bw + strip, nearTop, farRight, farBottom); break;
                case 3: LimitTo(dc, nearLeft, nearTop, farRight, sheet.y + sheet.height - bw - strip + 2); break;
                default: LimitTo(dc, nearLeft, nearTop, sheet.x + sheet.width - bw - strip + 2, farBottom); break;
            }
        }
        tools->DrawSheet(dc, sheet);
        Draw(dc, ctx, tools, sheet, fitted, full, count, 0x0F);
        tools->HatchEdge(dc, sheet, s.marginEdge, s.marginWidth);
        if (s.poster) tools->DrawPosterLines(dc, sheet, s.poster);
        if (s.booklet) tools->DrawBooklet(ctx, dc, sheet, s.booklet, s.saddleStitch == 1, geometry_);
        if (s.punchEdge) DrawPunch(ctx, dc, tools, sheet);
        if (s.staplePosition) tools->DrawStapleMarks(dc, sheet, s.staplePosition);
    }

    if (edge) {
        RECT face = {};
        POINT origin = {};
        tools->DrawFoldOver(ctx, dc, sheet, edge, strip, &face, &origin);
        if (s.foldOverBackPage == 1) {
            ClipRestorer faceClip(dc);
            LimitTo(dc, face.left, face.top, face.right, face.bottom);
            LayoutCells(origin.x, origin.y, sheet.width, sheet.height, fitted, &count, TRUE);
            LayoutCells(origin.x, origin.y, sheet.width, sheet.height, full, &fullCount, FALSE);
            const bool firstPageOnlyMark = s.watermark && s.watermarkRecord && s.watermarkRecord->firstPageOnly == 1;
            Draw(dc, ctx, tools, {origin.x, origin.y, sheet.width, sheet.height}, fitted, full, count,
                 firstPageOnlyMark ? 5 : 7);
        }
    }
    if (s.centreStrip) tools->DrawCentreStrip(ctx, dc, sheet, s.centreStrip, geometry_);
    delete tools;
}
