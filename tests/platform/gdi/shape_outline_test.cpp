// Curved shapes against their analytic outlines over a grid of sizes and angles: every pixel
// well inside a closed shape is painted, every pixel well outside is not, the one-pixel pen runs
// along the whole outline, and the fill meets the edge with neither gap nor spill. Within one
// pixel of the outline either answer is right: that is where the edge rules decide.
#include "drvtest/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <vector>

using drvtest::Canvas;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kPen = RGB(255, 0, 0), kBrush = RGB(0, 0, 255);
constexpr double kTolerance = 1.0;
constexpr int kMargin = 4;

struct P {
    double x, y;
};

enum class Kind { Ellipse, RoundRect, Arc, Pie, Chord };

const char* nameOf(Kind k) {
    switch (k) {
    case Kind::Ellipse: return "Ellipse";
    case Kind::RoundRect: return "RoundRect";
    case Kind::Arc: return "Arc";
    case Kind::Pie: return "Pie";
    case Kind::Chord: return "Chord";
    }
    return "?";
}

// One call: the box (left, top, size), and the radials' directions in degrees counterclockwise
// from the right, or the corner ellipse of a round rectangle.
struct Case {
    Kind kind;
    int width, height;
    double from = 0, to = 0;
    int cornerW = 0, cornerH = 0;

    std::string describe() const {
        std::ostringstream s;
        s << nameOf(kind) << " " << width << "x" << height << " from " << from << " to " << to << " corner "
          << cornerW << "x" << cornerH;
        return s.str();
    }
};

// The outline in pixel-centre coordinates: the box less its right and bottom edges, an ellipse
// inscribed in it, and radials that meet the ellipse where the ray towards the radial point does.
struct Outline {
    std::vector<P> points;
    bool closed = true;
};

Outline outlineOf(const Case& c) {
    double left = kMargin, top = kMargin, right = kMargin + c.width - 1, bottom = kMargin + c.height - 1;
    double cx = (left + right) / 2, cy = (top + bottom) / 2, rx = (right - left) / 2, ry = (bottom - top) / 2;
    const int steps = 256;
    Outline o;
    auto onEllipse = [&](double ex, double ey, double ax, double ay, double t) {
        return P{ex + ax * std::cos(t), ey - ay * std::sin(t)};
    };
    if (c.kind == Kind::Ellipse) {
        for (int i = 0; i < steps; ++i) o.points.push_back(onEllipse(cx, cy, rx, ry, 2 * std::numbers::pi * i / steps));
        return o;
    }
    if (c.kind == Kind::RoundRect) {
        double ax = std::min(c.cornerW / 2.0, rx), ay = std::min(c.cornerH / 2.0, ry);
        P centres[4] = {{right - ax, top + ay}, {left + ax, top + ay}, {left + ax, bottom - ay}, {right - ax, bottom - ay}};
        for (int k = 0; k < 4; ++k)
            for (int i = 0; i <= steps / 4; ++i)
                o.points.push_back(onEllipse(centres[k].x, centres[k].y, ax, ay, std::numbers::pi / 2 * (k + double(i) / (steps / 4))));
        return o;
    }
    auto param = [&](double degrees) {
        double phi = degrees * std::numbers::pi / 180;
        return std::atan2(rx * std::sin(phi), ry * std::cos(phi));
    };
    double t0 = param(c.from), t1 = param(c.to);
    double extent = std::fmod(t1 - t0 + 4 * std::numbers::pi, 2 * std::numbers::pi);
    if (extent < 1e-9) extent = 2 * std::numbers::pi;
    int n = std::max(2, int(steps * extent / (2 * std::numbers::pi)));
    if (c.kind == Kind::Pie) o.points.push_back({cx, cy});
    for (int i = 0; i <= n; ++i) o.points.push_back(onEllipse(cx, cy, rx, ry, t0 + extent * i / n));
    o.closed = c.kind != Kind::Arc;
    return o;
}

// Signed distance (negative inside a closed outline) from every pixel centre of a w by h picture,
// kept only where it matters: beyond kReach from the outline only the sign counts.
constexpr double kReach = kTolerance + 1.5;

std::vector<double> distances(const Outline& o, int w, int h) {
    std::vector<double> d(std::size_t(w * h), 1e9);
    std::size_t n = o.points.size(), last = o.closed ? n : n - 1;
    for (std::size_t i = 0; i < last; ++i) {
        // Points a quarter pixel apart stand for the segment: near enough for a one-pixel band.
        P a = o.points[i], b = o.points[(i + 1) % n];
        int pieces = std::max(1, int(std::ceil(std::hypot(b.x - a.x, b.y - a.y) * 4)));
        for (int k = 0; k <= pieces; ++k) {
            P p{a.x + (b.x - a.x) * k / pieces, a.y + (b.y - a.y) * k / pieces};
            for (int y = std::max(0, int(std::floor(p.y - kReach))); y <= std::min(h - 1, int(std::ceil(p.y + kReach))); ++y)
                for (int x = std::max(0, int(std::floor(p.x - kReach))); x <= std::min(w - 1, int(std::ceil(p.x + kReach))); ++x) {
                    double& slot = d[std::size_t(y * w + x)];
                    slot = std::min(slot, std::hypot(x - p.x, y - p.y));
                }
        }
    }
    if (!o.closed) return d;
    for (int y = 0; y < h; ++y) {
        // Even-odd crossings of the row through the pixel centres.
        std::vector<double> xs;
        for (std::size_t i = 0; i < n; ++i) {
            P a = o.points[i], b = o.points[(i + 1) % n];
            if ((a.y > y) != (b.y > y)) xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int x = std::max(0, int(std::ceil(xs[k]))); x < std::min<double>(w, xs[k + 1]); ++x)
                d[std::size_t(y * w + x)] = -d[std::size_t(y * w + x)];
    }
    return d;
}

void draw(const Canvas& canvas, const Case& c) {
    HPEN pen = CreatePen(PS_SOLID, 1, kPen);
    HBRUSH brush = CreateSolidBrush(kBrush);
    HGDIOBJ oldPen = SelectObject(canvas.dc, pen), oldBrush = SelectObject(canvas.dc, brush);
    int l = kMargin, t = kMargin, r = kMargin + c.width, b = kMargin + c.height;
    double cx = (l + r - 1) / 2.0, cy = (t + b - 1) / 2.0;
    // Radial points well outside the box, so rounding them cannot turn the ray.
    auto radial = [&](double degrees) {
        double phi = degrees * std::numbers::pi / 180;
        return POINT{LONG(std::lround(cx + 1000 * std::cos(phi))), LONG(std::lround(cy - 1000 * std::sin(phi)))};
    };
    POINT a = radial(c.from), z = radial(c.to);
    switch (c.kind) {
    case Kind::Ellipse: Ellipse(canvas.dc, l, t, r, b); break;
    case Kind::RoundRect: RoundRect(canvas.dc, l, t, r, b, c.cornerW, c.cornerH); break;
    case Kind::Arc: Arc(canvas.dc, l, t, r, b, a.x, a.y, z.x, z.y); break;
    case Kind::Pie: Pie(canvas.dc, l, t, r, b, a.x, a.y, z.x, z.y); break;
    case Kind::Chord: Chord(canvas.dc, l, t, r, b, a.x, a.y, z.x, z.y); break;
    }
    SelectObject(canvas.dc, oldPen);
    SelectObject(canvas.dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// White pixels the outside cannot reach through white ones: holes left inside the edge.
int enclosedBackground(const std::vector<COLORREF>& pixels, int w, int h) {
    auto at = [&](int x, int y) { return pixels[std::size_t(y * w + x)]; };
    std::vector<char> seen(std::size_t(w * h), 0);
    std::vector<std::pair<int, int>> stack{{0, 0}};
    seen[0] = 1;
    while (!stack.empty()) {
        auto [x, y] = stack.back();
        stack.pop_back();
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || seen[std::size_t(ny * w + nx)] || at(nx, ny) != kWhite) continue;
            seen[std::size_t(ny * w + nx)] = 1;
            stack.push_back({nx, ny});
        }
    }
    int holes = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) holes += at(x, y) == kWhite && !seen[std::size_t(y * w + x)];
    return holes;
}

// Every failure of one case as text, empty when the picture is right.
std::string check(const Case& c) {
    int w = c.width + 2 * kMargin, h = c.height + 2 * kMargin;
    Canvas canvas(w, h);
    draw(canvas, c);
    Outline o = outlineOf(c);
    std::vector<double> distance = distances(o, w, h);
    std::vector<COLORREF> pixels = canvas.pixels();
    auto at = [&](int x, int y) { return pixels[std::size_t(y * w + x)]; };
    std::ostringstream faults;
    int reported = 0;
    auto fault = [&](const std::string& what, int x, int y) {
        if (reported++ < 4) faults << "  " << what << " at " << x << "," << y << "\n";
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF px = at(x, y);
            double d = distance[std::size_t(y * w + x)];
            if (d > kTolerance && px != kWhite) fault("painted outside", x, y);
            if (o.closed && d < -kTolerance && px == kWhite) fault("unpainted inside", x, y);
            if (o.closed && d < -kTolerance - 1 && px != kBrush) fault("pen inside the fill", x, y);
            if (px == kBrush) {
                // The fill stops at the pen: no brush pixel touches the background.
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h && at(nx, ny) == kWhite) fault("fill spills past the edge", x, y);
                }
            }
        }
    // The pen covers the outline: a pen pixel near every point of it.
    for (P p : o.points) {
        bool near = false;
        for (int y = int(std::floor(p.y - 1)); y <= int(std::ceil(p.y + 1)) && !near; ++y)
            for (int x = int(std::floor(p.x - 1)); x <= int(std::ceil(p.x + 1)) && !near; ++x)
                near = std::hypot(x - p.x, y - p.y) <= kTolerance + 0.5 && at(x, y) == kPen;
        if (!near) fault("outline without pen", int(std::lround(p.x)), int(std::lround(p.y)));
    }
    if (int holes = o.closed ? enclosedBackground(pixels, w, h) : 0) fault(std::to_string(holes) + " unpainted pixels enclosed", 0, 0);
    if (reported) {
        canvas.save("outline_fault_" + std::to_string(int(c.kind)) + "_" + std::to_string(c.width) + "x" +
                    std::to_string(c.height) + "_" + std::to_string(int(c.from)) + "_" + std::to_string(int(c.to)));
        return c.describe() + ": " + std::to_string(reported) + " faults\n" + faults.str();
    }
    return "";
}

std::vector<std::pair<int, int>> sizes() { return {{7, 7}, {12, 12}, {20, 11}, {13, 26}, {32, 32}, {41, 22}}; }

}  // namespace

TEST(GdiShapeOutlines, EveryCurvedShapeFollowsItsOutlineAndAChordFillsTheSideItsArcIsOn) {
    for (auto [w, h] : sizes()) {
        EXPECT_EQ(check({Kind::Ellipse, w, h}), "");
        for (auto [cw, ch] : {std::pair{4, 4}, {10, 6}, {w, h}})
            EXPECT_EQ(check({Kind::RoundRect, w, h, 0, 0, cw, ch}), "");
    }

    const std::pair<double, double> angles[] = {{0, 90}, {90, 0}, {30, 150}, {200, 340}, {45, 315}, {120, 60},
                                                {0, 180}, {270, 100}};
    for (auto [w, h] : sizes())
        for (auto [from, to] : angles)
            for (Kind k : {Kind::Arc, Kind::Pie, Kind::Chord}) EXPECT_EQ(check({k, w, h, from, to}), "");

    // Counterclockwise from the bottom right to the top left the arc runs over the top right:
    // Chord draws the arc that Arc draws with the same arguments, and fills that side.
    Canvas chord(40, 40), arc(40, 40);
    HBRUSH brush = CreateSolidBrush(kBrush);
    HGDIOBJ old = SelectObject(chord.dc, brush);
    Chord(chord.dc, 10, 10, 30, 26, 30, 26, 10, 10);
    Arc(arc.dc, 10, 10, 30, 26, 30, 26, 10, 10);
    SelectObject(chord.dc, old);
    DeleteObject(brush);
    EXPECT_EQ(chord.at(24, 14), kBrush);  // inside, on the arc's side of the chord
    EXPECT_EQ(chord.at(14, 22), kWhite);  // inside the ellipse, on the other side
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (arc.at(x, y) != kWhite) {
                EXPECT_NE(chord.at(x, y), kWhite) << x << "," << y;
            }
}
