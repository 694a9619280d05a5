// What a brush or pen lays down, resolved for one target: a solid pixel or a pattern tiled from
// the brush origin (with a mask where a hatch leaves the background alone), and the span and
// rectangle fills every shape is made of. Coordinates here are surface coordinates.
#pragma once

#include "platform/gdi/dc.h"

#include <cstdint>
#include <vector>

namespace gdi {

struct Paint {
    enum Mode { None, Solid, Pattern } mode = None;
    std::uint32_t color = 0;
    std::vector<std::uint32_t> pattern;
    std::vector<std::uint8_t> mask;  // empty: every pattern pixel is painted
    int width = 0, height = 0;
    int originX = 0, originY = 0;

    // The pattern pixels of row y from x over n pixels into out (n pixels).
    void patternRow(int x, int y, int n, std::uint32_t* out) const;
};

Paint SolidPaint(std::uint32_t pixel);
// A brush (the DC's own or one the caller names) resolved for the target; none for null.
Paint BrushPaint(Dc& dc, const Target& t, const Brush* brush);
// The brush selected into the DC.
inline Paint BrushPaint(Dc& dc, const Target& t) { return BrushPaint(dc, t, Dc::current<Brush>(dc.state.brush)); }

// Fills a span or a rectangle through the clip with a binary raster operation.
void FillSpan(const Target& t, int y, int x0, int x1, const Paint& paint, int rop2);
void FillRectangle(const Target& t, const RECT& r, const Paint& paint, int rop2);
// Fills a rectangle with a ternary raster operation that uses no source (PatBlt).
void PatRectangle(const Target& t, const RECT& r, const Paint& paint, std::uint8_t ropIndex);

}  // namespace gdi
