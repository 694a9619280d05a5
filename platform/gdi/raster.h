// Rasterisation of outlines and areas into spans: polygons filled by pixel centres with the
// alternate or winding rule, lines stroked with the DC's pen (styled one-pixel lines by
// Bresenham with the last pixel left out, wide lines as filled outlines). Surface coordinates.
#pragma once

#include "platform/gdi/paint.h"

#include <vector>

namespace gdi {

struct PointF {
    double x, y;
};
using Outline = std::vector<PointF>;

// Fills the polygons as one area, so a pixel is painted once however many cover it.
void FillPolygons(const Target& t, const std::vector<Outline>& polygons, bool winding, const Paint& paint, int rop2);

// The pen as drawn on one target, with the dash state that runs on along a polyline.
struct Stroke {
    const Pen* pen = nullptr;
    Paint paint;       // the pen colour
    Paint gap;         // background of styled lines in OPAQUE mode, else None
    int rop2 = R2_COPYPEN;
    int width = 1;
    int styleIndex = 0;  // position within the dash pattern
};

Stroke MakeStroke(Dc& dc, const Target& t);
// Draws the connected segments through the points (surface coordinates).
void StrokePolyline(const Target& t, Stroke& stroke, const POINT* points, int count);

}  // namespace gdi
