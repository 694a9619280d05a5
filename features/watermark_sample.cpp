// The watermark dialog's sample: one page with its mock content and the chosen preset drawn as
// the page pictures draw a watermark, with light guide lines for the page's middle and a margin,
// so that the user can see where the watermark sits.
#include "features/watermark_page.h"

#include "core/memory/chunk_pool.h"
#include "preview/paper_drawing_set.h"

#include <algorithm>
#include <cstring>

using namespace watermark;

namespace {

constexpr COLORREF kGuide = RGB(192, 192, 192);
constexpr int kGuideInset = 6;
// A page of A4's proportions, 210 by 297.
constexpr int kPageWide = 210, kPageHigh = 297;

PictureWatermark* PictureOf(const WaterMarkRecord& r) {
    auto* mark = static_cast<PictureWatermark*>(g_chunkPool.Alloc(sizeof(PictureWatermark)));
    std::memset(mark, 0, sizeof *mark);
    std::memcpy(mark->text, r.text, strnlen(r.text, sizeof mark->text));
    mark->horizontalOffset = r.x;
    mark->verticalOffset = r.y;
    mark->angleMode = static_cast<int16_t>(r.rotationMode == 1 || r.rotationMode == 2 ? r.rotationMode : 0);
    mark->onTop = static_cast<int16_t>(r.layerChoice == 1 ? 0 : 1);
    mark->frameStyle = static_cast<int16_t>(r.frameKind == 3 ? 2 : r.frameKind == 1 ? 1 : 0);
    mark->firstPageOnly = static_cast<int16_t>(r.flag ? 1 : 0);
    mark->colour = r.colour;
    // The size is in points; the picture scales the font with the page.
    mark->font.lfHeight = -r.font.height * 4;
    mark->font.lfEscapement = mark->font.lfOrientation = r.rotationMode == 3 ? r.font.escapement : 0;
    mark->font.lfWeight = r.font.weight;
    mark->font.lfItalic = r.font.italic;
    mark->font.lfCharSet = r.font.charSet;
    std::memcpy(mark->font.lfFaceName, r.font.faceName, std::min(sizeof mark->font.lfFaceName - 1, kFaceRoom));
    mark->scaleDivisor = 100;
    return mark;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

void CmWaterMarkProc::DrawSample(UIDEVDATA* ctx, HDC dc, const RECT& area, const WaterMarkRecord& record) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (!dc || width < 20 || height < 20) return;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    // The page as large as fits, centred, with room for its shadow.
    int pageHigh = height - 10, pageWide = pageHigh * kPageWide / kPageHigh;
    if (pageWide > width - 10) pageWide = width - 10, pageHigh = pageWide * kPageHigh / kPageWide;
    const int x = area.left + (width - pageWide) / 2, y = area.top + (height - pageHigh) / 2;

    PreviewGeometry geometry = {};
    geometry.values[6] = area.right;
    geometry.values[7] = area.bottom;
    {
        CmPvPaperDrawingSet drawing(nullptr, &geometry);
        PaperPictureSettings& s = drawing.Settings();
        s.x = static_cast<int16_t>(x);
        s.y = static_cast<int16_t>(y);
        s.width = static_cast<int16_t>(pageWide);
        s.height = static_cast<int16_t>(pageHigh);
        s.horizontalScale = s.verticalScale = s.scaling = 100;
        s.colour = 1;
        s.watermark = 1;
        drawing.SetWatermark(PictureOf(record));
        drawing.DrawPicture(ctx, dc);
    }
    HPEN pen = CreatePen(PS_SOLID, 1, kGuide);
    HGDIOBJ old = SelectObject(dc, pen);
    const int left = x + kGuideInset, top = y + kGuideInset;
    const int right = x + pageWide - kGuideInset, bottom = y + pageHigh - kGuideInset;
    Line(dc, left, top, right, top);
    Line(dc, right, top, right, bottom);
    Line(dc, right, bottom, left, bottom);
    Line(dc, left, bottom, left, top);
    Line(dc, x + pageWide / 2, top, x + pageWide / 2, bottom);
    Line(dc, left, y + pageHigh / 2, right, y + pageHigh / 2);
    SelectObject(dc, old);
    DeleteObject(pen);
}
