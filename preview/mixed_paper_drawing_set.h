// `PvMixedPaperDrawingSet`: the drawing set of one sheet of a mixed-paper job's picture. The job's
// four sheets are drawn one after the other through one set, each small: only the page content of
// its cells, and the small punch hole.
#pragma once

#include "preview/paper_drawing_set.h"

class PvMixedPaperDrawingSet : public CmPvPaperDrawingSet {
public:
    using CmPvPaperDrawingSet::CmPvPaperDrawingSet;
    void DrawContents(HDC dc, UIDEVDATA* ctx, CmDrawPaperTools* tools, const PvRect& picture, const PvRect* fitted,
                      const PvRect* full, int count, DWORD flags) override;
    void DrawPunch(UIDEVDATA* ctx, HDC dc, CmDrawPaperTools* tools, const PvRect& sheet) override;
};
