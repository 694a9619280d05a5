// The mixed-paper sheets' drawing: a sheet this small shows its pages' content and nothing of
// watermarks, borders or numbers, which would not be readable.
#include "preview/mixed_paper_drawing_set.h"

#include "data/resources/drvopui_ids.h"

void PvMixedPaperDrawingSet::DrawContents(HDC dc, UIDEVDATA*, CmDrawPaperTools* tools, const PvRect& picture,
                                          const PvRect* fitted, const PvRect*, int count, DWORD flags) {
    const PaperPictureSettings& s = *settings_;
    ClipRestorer restoreClip(dc);
    LimitTo(dc, picture.x + 2, picture.y + 2, picture.x + picture.width - 2, picture.y + picture.height - 2);
    const int spacing = (s.layout >= 4 && s.layout <= 7) ? 3 : (s.layout == 8 || s.layout == 9) ? 2 : 4;
    for (int i = 0; i < count && i < kMaxCells; ++i)
        if (flags & 1) tools->DrawPageContent(dc, fitted[i], s.contentDirection & 3, s.colour, spacing, TRUE);
}

void PvMixedPaperDrawingSet::DrawPunch(UIDEVDATA* ctx, HDC dc, CmDrawPaperTools* tools, const PvRect& sheet) {
    tools->DrawPunchHoles(ctx, dc, sheet, settings_->punchEdge, settings_->punchKind, IDB_PUNCH_HOLE_SMALL);
}
