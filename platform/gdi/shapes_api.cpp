// Closed shapes: Rectangle, RoundRect, Ellipse, Arc, Pie, Chord, Polygon and PolyPolygon.
// Rectangles and ellipses are drawn row by row: the outline is the shape less the shape shrunk
// by the pen width, the inside is filled with the brush. The bounding box leaves out its right
// and bottom edges, and without a pen the inside reaches one pixel further up and left.
#include "platform/gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

using namespace gdi;

namespace {

enum class Shape { Rect, Round, Ellipse };

// Inclusive pixel box of a shape.
struct Box {
    double left, top, right, bottom;
    Box shrunk(double k) const { return {left + k, top + k, right - k, bottom - k}; }
    bool empty() const { return left > right || top > bottom; }
};

// The inclusive pixel range of row y inside the shape, if any.
std::optional<std::pair<int, int>> rowOf(Shape shape, const Box& b, double cw, double ch, int y) {
    if (b.empty() || y < b.top || y > b.bottom) return std::nullopt;
    if (shape == Shape::Rect) return std::make_pair(int(std::ceil(b.left)), int(std::floor(b.right)));
    double rx, ry, cy;
    if (shape == Shape::Ellipse) {
        rx = (b.right - b.left) / 2;
        ry = (b.bottom - b.top) / 2;
        cy = (b.top + b.bottom) / 2;
    } else {
        rx = std::min(cw / 2, (b.right - b.left) / 2);
        ry = std::min(ch / 2, (b.bottom - b.top) / 2);
        cy = y < b.top + ry ? b.top + ry : y > b.bottom - ry ? b.bottom - ry : y;
    }
    double dy = std::abs(y - cy) / (ry + 0.5);
    if (dy >= 1) return std::nullopt;
    double inset = rx + 0.5 - (rx + 0.5) * std::sqrt(1 - dy * dy);
    int x0 = int(std::lround(b.left + inset)), x1 = int(std::lround(b.right - inset));
    if (x0 > x1) return std::nullopt;
    return std::make_pair(x0, x1);
}

// Whether the radials coincide (a whole ellipse, as GDI draws it), and the sweep's extent in
// radians, counterclockwise on the screen from the start radial.
struct Sweep {
    bool full;
    double extent;
};

Sweep sweepOf(const Box& b, POINT from, POINT to) {
    double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    double s = std::atan2(-(from.y - cy), from.x - cx), e = std::atan2(-(to.y - cy), to.x - cx);
    double extent = std::fmod(e - s + 4 * std::numbers::pi, 2 * std::numbers::pi);
    return {extent == 0, extent};
}

// The point where the ray from the centre towards p meets the ellipse of the box.
POINT onEllipse(const Box& b, POINT p) {
    double cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    double rx = (b.right - b.left) / 2, ry = (b.bottom - b.top) / 2;
    double dx = p.x - cx, dy = p.y - cy;
    if (rx <= 0 || ry <= 0 || (dx == 0 && dy == 0)) return {LONG(std::lround(cx + rx)), LONG(std::lround(cy))};
    double k = 1 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
    return {LONG(std::lround(cx + dx * k)), LONG(std::lround(cy + dy * k))};
}

double cross(double ux, double uy, double wx, double wy) { return ux * wy - uy * wx; }

// What a sweep covers, bounded by the rays from the (pixel) centre through the (pixel) ends of the
// arc: the very lines a pie's pen draws, so that fill, arc and radials meet without gaps or spill.
// Counterclockwise on the screen (y down) is a negative cross product.
struct Sector {
    POINT c, a, z;
    bool full = false, wide = false, thin = false;

    Sector(POINT centre, POINT start, POINT end, Sweep sweep) : c(centre), a(start), z(end), full(sweep.full) {
        double ux = a.x - c.x, uy = a.y - c.y, vx = z.x - c.x, vy = z.y - c.y;
        double turn = cross(ux, uy, vx, vy);
        if (turn == 0 && ux * vx + uy * vy > 0) {
            // The ends fell on one ray: almost all of the ellipse or almost none of it.
            full = full || sweep.extent > std::numbers::pi;
            thin = !full;
        }
        wide = turn > 0;
    }
    bool contains(int x, int y) const {
        if (full) return true;
        double ux = a.x - c.x, uy = a.y - c.y, vx = z.x - c.x, vy = z.y - c.y, wx = x - c.x, wy = y - c.y;
        bool afterStart = cross(ux, uy, wx, wy) <= 0, beforeEnd = cross(wx, wy, vx, vy) <= 0;
        if (thin) return afterStart && beforeEnd && ux * wx + uy * wy >= 0;
        return wide ? afterStart || beforeEnd : afterStart && beforeEnd;
    }
    // The side of the chord from a to z that the arc runs on (nothing when the ends met on a
    // short arc).
    bool chordSide(int x, int y) const {
        if (full) return true;
        if (a.x == z.x && a.y == z.y) return false;
        return cross(z.x - a.x, z.y - a.y, x - a.x, y - a.y) >= 0;
    }
};

enum class Part { Closed, Arc, Pie, Chord };

bool drawShape(HDC hdc, Shape shape, Part part, int left, int top, int right, int bottom, int cw = 0, int ch = 0,
               POINT from = {}, POINT to = {}) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc) return false;
    if (!dc->target(t)) return true;
    left = Coord(left), top = Coord(top), right = Coord(right), bottom = Coord(bottom);
    cw = Coord(cw), ch = Coord(ch);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    left += t.dx, right += t.dx, top += t.dy, bottom += t.dy;
    from = {Coord(from.x) + t.dx, Coord(from.y) + t.dy};
    to = {Coord(to.x) + t.dx, Coord(to.y) + t.dy};
    Stroke stroke = MakeStroke(*dc, t);
    bool pen = stroke.paint.mode != Paint::None;
    Paint brush = part == Part::Arc ? Paint{} : BrushPaint(*dc, t);
    int w = pen ? stroke.width : 0;
    Box outer{double(left), double(top), double(right - 1), double(bottom - 1)};
    if (pen && w > 1 && (stroke.pen->kindOfLine() != PS_INSIDEFRAME)) {
        outer = {outer.left - (w - 1) / 2, outer.top - (w - 1) / 2, outer.right + w / 2, outer.bottom + w / 2};
    }
    Box inner = pen ? outer.shrunk(w) : Box{double(left), double(top), double(right - 2), double(bottom - 2)};
    Box geometry{double(left), double(top), double(right - 1), double(bottom - 1)};
    if (dc->state.arcDirection == AD_CLOCKWISE) std::swap(from, to);
    Sweep sweep = part == Part::Closed ? Sweep{true, 0} : sweepOf(geometry, from, to);
    POINT a = onEllipse(geometry, from), z = onEllipse(geometry, to);
    POINT centre{LONG(std::lround((geometry.left + geometry.right) / 2)), LONG(std::lround((geometry.top + geometry.bottom) / 2))};
    Sector sector(centre, a, z, sweep);
    auto inPart = [&](int x, int y) {
        switch (part) {
        case Part::Closed: return true;
        case Part::Arc:
        case Part::Pie: return sector.contains(x, y);
        case Part::Chord: return sector.chordSide(x, y);
        }
        return true;
    };
    // Only rows and columns that can show are walked.
    RECT box = t.clip->box();
    int y0 = std::max<int>(int(std::floor(outer.top)), box.top), y1 = std::min<int>(int(std::ceil(outer.bottom)), box.bottom);
    auto fillFiltered = [&](int y, int x0, int x1, const Paint& paint) {
        if (part == Part::Closed) {
            FillSpan(t, y, x0, x1, paint, paint.mode == Paint::Solid && &paint == &brush ? R2_COPYPEN : stroke.rop2);
            return;
        }
        for (int x = std::max<int>(x0, box.left); x < std::min<int>(x1, box.right); ++x)
            if (inPart(x, y)) FillSpan(t, y, x, x + 1, paint, &paint == &brush ? R2_COPYPEN : stroke.rop2);
    };
    for (int y = y0; y <= y1; ++y) {
        auto in = rowOf(shape, inner, cw - 2.0 * w, ch - 2.0 * w, y);
        if (in && brush.mode != Paint::None) fillFiltered(y, in->first, in->second + 1, brush);
        if (!pen) continue;
        auto out = rowOf(shape, outer, cw, ch, y);
        if (!out) continue;
        if (!in) {
            fillFiltered(y, out->first, out->second + 1, stroke.paint);
        } else {
            fillFiltered(y, out->first, in->first, stroke.paint);
            fillFiltered(y, in->second + 1, out->second + 1, stroke.paint);
        }
    }
    if (pen && (part == Part::Pie || part == Part::Chord) && !sweep.full) {
        POINT line[3] = {a, centre, z};
        if (part == Part::Pie) StrokePolyline(t, stroke, line, 3);
        else {
            POINT chord[2] = {a, z};
            StrokePolyline(t, stroke, chord, 2);
        }
        // The line leaves out its last pixel; unless the arc drew it, the edge needs it to close.
        auto out = rowOf(shape, outer, cw, ch, z.y), in = rowOf(shape, inner, cw - 2.0 * w, ch - 2.0 * w, z.y);
        bool onArc = out && z.x >= out->first && z.x <= out->second && !(in && z.x >= in->first && z.x <= in->second) &&
                     inPart(z.x, z.y);
        if (!onArc && w == 1) FillSpan(t, z.y, z.x, z.x + 1, stroke.paint, stroke.rop2);
    }
    return true;
}

bool drawPolygons(HDC hdc, const POINT* apt, const INT* counts, int polygons) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc || !apt || !counts || polygons <= 0) return false;
    if (!dc->target(t)) return true;
    try {
        std::vector<Outline> shapes;
        const POINT* p = apt;
        for (int i = 0; i < polygons; ++i) {
            if (counts[i] < 2) return false;
            Outline poly;
            for (int k = 0; k < counts[i]; ++k) poly.push_back({double(Coord(p[k].x) + t.dx), double(Coord(p[k].y) + t.dy)});
            shapes.push_back(std::move(poly));
            p += counts[i];
        }
        FillPolygons(t, shapes, dc->state.polyFill == WINDING, BrushPaint(*dc, t), R2_COPYPEN);
        Stroke stroke = MakeStroke(*dc, t);
        p = apt;
        for (int i = 0; i < polygons; ++i) {
            std::vector<POINT> closed(p, p + counts[i]);
            closed.push_back(p[0]);
            for (POINT& q : closed) q = {Coord(q.x) + t.dx, Coord(q.y) + t.dy};
            StrokePolyline(t, stroke, closed.data(), int(closed.size()));
            p += counts[i];
        }
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return true;
}

}  // namespace

extern "C" BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    return drawShape(hdc, Shape::Rect, Part::Closed, left, top, right, bottom);
}

extern "C" BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
    return drawShape(hdc, Shape::Round, Part::Closed, left, top, right, bottom, std::abs(width), std::abs(height));
}

extern "C" BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    return drawShape(hdc, Shape::Ellipse, Part::Closed, left, top, right, bottom);
}

extern "C" BOOL WINAPI Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return drawShape(hdc, Shape::Ellipse, Part::Arc, x1, y1, x2, y2, 0, 0, {x3, y3}, {x4, y4});
}

extern "C" BOOL WINAPI Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2) {
    return drawShape(hdc, Shape::Ellipse, Part::Pie, left, top, right, bottom, 0, 0, {xr1, yr1}, {xr2, yr2});
}

extern "C" BOOL WINAPI Chord(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return drawShape(hdc, Shape::Ellipse, Part::Chord, x1, y1, x2, y2, 0, 0, {x3, y3}, {x4, y4});
}

extern "C" BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt) {
    INT count = cpt;
    return drawPolygons(hdc, apt, &count, 1);
}

extern "C" BOOL WINAPI PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz) {
    return drawPolygons(hdc, apt, asz, csz);
}
