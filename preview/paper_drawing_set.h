// `CmPvPaperDrawingSet`: composes one page picture from a `PaperPictureSettings` block: the sheet,
// the pages laid out on it (one page, n-up cells, a booklet spread, a sample sheet), each page's
// mock content, watermark, border and number, and the finishing on the sheet. The picture is
// drawn off screen and copied once into the target, mirrored or turned as the settings say.
#pragma once

#include "preview/paper_tools.h"

#include <array>

// The page numbers shown in the cells of a picture, row by row.
using PageOrder = std::array<int, 16>;

class CmPvPaperDrawingSet : public PoolObject {
public:
    static constexpr int kMaxCells = 16;

    CmPvPaperDrawingSet(HWND control, const PreviewGeometry* geometry);
    CmPvPaperDrawingSet(HWND control, const PreviewGeometry* geometry, HPALETTE palette);
    virtual ~CmPvPaperDrawingSet();
    CmPvPaperDrawingSet(const CmPvPaperDrawingSet&) = delete;
    CmPvPaperDrawingSet& operator=(const CmPvPaperDrawingSet&) = delete;

    // The settings the picture is drawn from; the set owns the block and its watermark record.
    PaperPictureSettings& Settings() { return *settings_; }
    // Hands a watermark record (from the pool) to the set, which frees it with itself.
    void SetWatermark(PictureWatermark* record);

    virtual CmDrawPaperTools* CreatePaperTools();
    // Content flags: bit 0 page content, 1 watermark, 2 page borders, 3 page numbers.
    virtual void Draw(HDC dc, UIDEVDATA* ctx, CmDrawPaperTools* tools, const PvRect& picture, const PvRect* fitted,
                      const PvRect* full, int count, DWORD flags);
    virtual void DrawContents(HDC dc, UIDEVDATA* ctx, CmDrawPaperTools* tools, const PvRect& picture,
                              const PvRect* fitted, const PvRect* full, int count, DWORD flags);
    virtual void DrawPunch(UIDEVDATA* ctx, HDC dc, CmDrawPaperTools* tools, const PvRect& sheet);
    // {solid flag, colour 1, colour 2} for 0 to 8, else null.
    virtual const DWORD* GetColourScheme(int index) const;
    virtual PageOrder GetPageOrder() const;
    virtual void LayoutCells(int x, int y, int width, int height, PvRect* cells, int* count, BOOL fit);
    virtual void FitToAspect(int a, int b, PvRect* cell, BOOL swap);
    // 0 and zeroed outputs without a fold-over edge, else 1.
    virtual int GetFoldOverArea(UIDEVDATA* ctx, PvRect* sheet, RECT* face, PvRect* strip, POINT* origin);
    virtual void DrawPicture(UIDEVDATA* ctx, HDC dc);

protected:
    HWND control_;
    PaperPictureSettings* settings_;
    PreviewGeometry geometry_;
    HPALETTE palette_;

private:
    // The strip width kept between the fold's corner picture and the sheet's far side.
    int ClampedStrip(UIDEVDATA* ctx, CmDrawPaperTools* tools) const;
};
