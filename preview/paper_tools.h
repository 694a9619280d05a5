// `CmDrawPaperTools`: draws the elements of a page picture (sheets, borders, n-up cell frames,
// staples, punch holes, folded strips, booklets, poster lines, mock page content, page numbers,
// colour swatches and the rotated watermark) and carries the integer trigonometry they need.
// It owns one `CmDrawTools`; like it, it keeps no state between calls.
#pragma once

#include "preview/draw_tools.h"
#include "preview/picture_settings.h"

class CmDrawPaperTools : public PoolObject {
public:
    CmDrawPaperTools();
    virtual ~CmDrawPaperTools();
    CmDrawPaperTools(const CmDrawPaperTools&) = delete;
    CmDrawPaperTools& operator=(const CmDrawPaperTools&) = delete;

    virtual CmDrawTools* CreateDrawTools();
    CmDrawTools* Tools() const { return tools_; }

    // Integer trigonometry: angles in tenths of a degree, r x sin(angle) by a table of whole degrees.
    virtual int Sin(int r, int angle) const;
    virtual int Cos(int r, int angle) const;
    virtual unsigned ISqrt(unsigned n) const;
    // The vector's angle in whole degrees, -90 to 90.
    virtual int AtanDegrees(int dx, int dy) const;

    virtual void DrawStapleLine(HDC dc, const POINT starts[3], const POINT ends[3]);
    virtual void DrawStaple(HDC dc, POINT* point, BOOL vertical);
    virtual void FrameRect(HDC dc, POINT origin, SIZE size, int inset, COLORREF colour);
    virtual void DrawDashedBorder(HDC dc, POINT origin, SIZE size, int kind);
    virtual void DrawDoubleBorder(HDC dc, POINT origin, SIZE size);
    virtual void DrawShadowBorder(HDC dc, POINT origin, SIZE size);
    virtual void DrawCellFrame(HDC dc, POINT origin, SIZE size, int inset, DWORD corners);
    virtual void DrawFramedCell(HDC dc, POINT origin, SIZE size);
    virtual void DrawBackSheet(HDC dc, const PvRect& sheet, int direction);
    virtual void DrawCentreStrip(UIDEVDATA* ctx, HDC dc, const PvRect& sheet, int direction,
                                 const PreviewGeometry& geometry);
    virtual void DrawSheet(HDC dc, const PvRect& sheet);
    virtual void HatchEdge(HDC dc, const PvRect& sheet, int edge, int width);
    virtual void DrawStapleMarks(HDC dc, const PvRect& sheet, int position);
    virtual void DrawPunchHoles(UIDEVDATA* ctx, HDC dc, const PvRect& sheet, int edge, int kind, UINT bitmapId);
    virtual void DrawFoldOver(UIDEVDATA* ctx, HDC dc, const PvRect& sheet, int edge, int strip, RECT* face,
                              POINT* origin);
    virtual void GetFoldOverGeometry(UIDEVDATA* ctx, const PvRect& sheet, int edge, int strip, POINT* a, POINT* b,
                                     PvRect* stripRect, RECT* face, POINT* origin);
    virtual void DrawPageContent(HDC dc, const PvRect& cell, int direction, BOOL colour, int spacing,
                                 BOOL drawSymbol);
    virtual void DrawOverlayPicture(HDC dc, UIDEVDATA* ctx, const PvRect& cell, BOOL colour, int spacing,
                                    HPALETTE palette);
    virtual void GetContentGeometry(const PvRect& cell, int direction, int* band, int* symbol, RECT* symbolRect);
    virtual void DrawPageSymbol(HDC dc, int x, int y, int width, int height, int direction, BOOL colour,
                                BOOL drawShapes);
    virtual void DrawTextLines(HDC dc, const PvRect& area, BOOL vertical, BOOL colour, int spacing);
    virtual void DrawPageNumber(HDC dc, int x, int y, int width, int height, int number);
    virtual void DrawPageBorder(HDC dc, const PvRect& page, const PvRect& cell, int index, int kind, int layout,
                                BOOL sampleSheet);
    virtual void DrawBooklet(UIDEVDATA* ctx, HDC dc, const PvRect& area, int direction, BOOL saddleStitch,
                             const PreviewGeometry& geometry);
    virtual void DrawPosterLines(HDC dc, const PvRect& sheet, int kind);
    virtual void DrawWatermark(HDC dc, const PvRect& cell, const PvRect& picture, PictureWatermark* watermark,
                               int page, BOOL colour, BOOL limitToSymbol, int direction);
    // A scheme is {solid flag, colour 1, colour 2}.
    virtual void FillColourScheme(HDC dc, const PvRect& area, const DWORD* scheme, BOOL colour);

private:
    CmDrawTools* tools_;
};

// The n-up grid of a layout code (columns, rows); {1, 1} for codes without one.
struct GridShape {
    int columns;
    int rows;
};
GridShape LayoutGrid(int layout, bool sampleSheet);
