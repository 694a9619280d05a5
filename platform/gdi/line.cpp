// Stroking with a pen. One-pixel lines follow Bresenham and leave out their last pixel, so that
// joined segments touch each pixel once; dash styles run on across the segments of a polyline.
// Wider pens are filled outlines: a band per segment and a round cap at every point.
#include "platform/gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace gdi {
namespace {

// Dash patterns of the cosmetic styles, in pixels: on, off, on, off ...
struct DashPattern {
    int count;
    int lengths[6];
};

const DashPattern* dashesOf(int style) {
    static const DashPattern dash{2, {18, 6}}, dot{2, {3, 3}}, dashDot{4, {9, 6, 3, 6}},
        dashDotDot{6, {9, 3, 3, 3, 3, 3}};
    switch (style) {
    case PS_DASH: return &dash;
    case PS_DOT: return &dot;
    case PS_DASHDOT: return &dashDot;
    case PS_DASHDOTDOT: return &dashDotDot;
    default: return nullptr;
    }
}

// Whether the pixel at position `index` of the pattern is on.
bool dashOn(const DashPattern& d, int index) {
    int period = 0;
    for (int i = 0; i < d.count; ++i) period += d.lengths[i];
    int at = index % period;
    for (int i = 0; i < d.count; ++i) {
        if (at < d.lengths[i]) return (i & 1) == 0;
        at -= d.lengths[i];
    }
    return true;
}

void plot(const Target& t, int x, int y, const Paint& paint, int rop2) { FillSpan(t, y, x, x + 1, paint, rop2); }

// Cuts a segment that reaches past the clip box down to the part near it, so that a line to a
// far-away point costs no more than the pixels that can show. Answers false when nothing shows;
// `skipped` is the number of pixels cut from the start (the dash pattern runs on over them).
bool clipSegment(const RECT& box, POINT& a, POINT& b, int& skipped) {
    skipped = 0;
    double left = box.left - 1, top = box.top - 1, right = box.right, bottom = box.bottom;
    auto inside = [&](POINT p) { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; };
    if (inside(a) && inside(b)) return true;
    double x0 = a.x, y0 = a.y, ddx = double(b.x) - a.x, ddy = double(b.y) - a.y;
    double u0 = 0, u1 = 1;
    for (auto [p, q] : {std::pair{-ddx, x0 - left}, std::pair{ddx, right - x0}, std::pair{-ddy, y0 - top},
                        std::pair{ddy, bottom - y0}}) {
        if (p == 0) {
            if (q < 0) return false;
            continue;
        }
        double r = q / p;
        if (p < 0) u0 = std::max(u0, r);
        else u1 = std::min(u1, r);
        if (u0 > u1) return false;
    }
    POINT na{LONG(std::lround(x0 + u0 * ddx)), LONG(std::lround(y0 + u0 * ddy))};
    POINT nb{LONG(std::lround(x0 + u1 * ddx)), LONG(std::lround(y0 + u1 * ddy))};
    skipped = std::max(std::abs(na.x - a.x), std::abs(na.y - a.y));
    if (u1 < 1) {
        // The cut end lies outside the box, so drawing it (one step further) changes nothing.
        nb.x += ddx > 0 ? 1 : ddx < 0 ? -1 : 0;
        nb.y += ddy > 0 ? 1 : ddy < 0 ? -1 : 0;
    }
    a = na;
    b = nb;
    return true;
}

void thinLine(const Target& t, Stroke& s, POINT a, POINT b) {
    const DashPattern* dashes = dashesOf(s.pen->kindOfLine());
    int total = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)), skipped = 0;
    if (!clipSegment(t.clip->box(), a, b, skipped)) {
        s.styleIndex += total;
        return;
    }
    s.styleIndex += skipped;
    int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    // Straight unstyled runs are spans: the common case of frames and separators.
    if (!dashes && dy == 0) {
        if (dx) FillSpan(t, a.y, sx > 0 ? a.x : b.x + 1, sx > 0 ? b.x : a.x + 1, s.paint, s.rop2);
        return;
    }
    int err = dx - dy, x = a.x, y = a.y;
    int steps = dx > dy ? dx : dy;
    for (int i = 0; i < steps; ++i) {
        if (!dashes || dashOn(*dashes, s.styleIndex)) plot(t, x, y, s.paint, s.rop2);
        else if (s.gap.mode != Paint::None) plot(t, x, y, s.gap, s.rop2);
        ++s.styleIndex;
        int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

Outline disc(double cx, double cy, double r) {
    Outline p;
    int n = r < 3 ? 8 : r < 10 ? 16 : 32;
    for (int i = 0; i < n; ++i) {
        double a = 2 * std::numbers::pi * i / n;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return p;
}

Outline band(PointF a, PointF b, double half) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    double nx = -dy / len * half, ny = dx / len * half;
    Outline p{{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
    return p;
}

// Winding fills need every outline turning the same way.
void orient(Outline& p) {
    double area = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const PointF &a = p[i], &b = p[(i + 1) % p.size()];
        area += a.x * b.y - b.x * a.y;
    }
    if (area < 0) std::reverse(p.begin(), p.end());
}

}  // namespace

Stroke MakeStroke(Dc& dc, const Target& t) {
    Stroke s;
    s.pen = As<Pen>(dc.state.pen);
    s.rop2 = dc.state.rop2;
    if (!s.pen || s.pen->kindOfLine() == PS_NULL) return s;
    s.width = s.pen->width < 1 ? 1 : s.pen->width;
    s.paint = SolidPaint(dc.pixelFor(s.pen->color, t.map));
    if (dc.state.bkMode == OPAQUE && s.width == 1) s.gap = SolidPaint(dc.pixelFor(dc.state.bk, t.map));
    return s;
}

void StrokePolyline(const Target& t, Stroke& s, const POINT* points, int count) {
    if (!s.pen || s.paint.mode == Paint::None || count < 2) return;
    if (s.width == 1) {
        for (int i = 0; i + 1 < count; ++i) thinLine(t, s, points[i], points[i + 1]);
        return;
    }
    std::vector<Outline> outline;
    double half = s.width / 2.0;
    for (int i = 0; i < count; ++i) {
        PointF p{points[i].x + 0.5, points[i].y + 0.5};
        outline.push_back(disc(p.x, p.y, half));
        if (i + 1 < count && (points[i].x != points[i + 1].x || points[i].y != points[i + 1].y))
            outline.push_back(band(p, {points[i + 1].x + 0.5, points[i + 1].y + 0.5}, half));
    }
    for (Outline& p : outline) orient(p);
    FillPolygons(t, outline, true, s.paint, s.rop2);
}

}  // namespace gdi
