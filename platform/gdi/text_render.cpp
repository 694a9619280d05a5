// Text rendering. The text is laid out in its own coordinates (u along the baseline, v down
// from the top of the cell) and turned by the escapement about the reference point; upright
// text without italic takes the direct path of pixel-aligned rectangles.
#include "platform/gdi/text_render.h"

#include "platform/gdi/paint.h"
#include "platform/gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace gdi {
namespace {

struct Layout {
    double cosA = 1, sinA = 0;
    double refX = 0, refY = 0;  // surface position of the reference point
    double u0 = 0, v0 = 0;      // the reference point in text coordinates
    bool upright = true;
    double slant = 0;           // italic: u grows by slant per pixel above the baseline
    double baseline = 0;

    PointF map(double u, double v) const {
        u += slant * (baseline - v);
        double du = u - u0, dv = v - v0;
        return {refX + du * cosA + dv * sinA, refY - du * sinA + dv * cosA};
    }
};

// A rectangle of text coordinates, drawn directly when upright, else as an outline.
struct Painter {
    const Target& t;
    const Layout& layout;
    std::vector<Outline> outlines;

    void add(double u0, double v0, double u1, double v1) {
        if (u1 <= u0 || v1 <= v0) return;
        if (layout.upright) {
            PointF a = layout.map(u0, v0), b = layout.map(u1, v1);
            outlines.push_back({a, {b.x, a.y}, b, {a.x, b.y}});
        } else {
            outlines.push_back({layout.map(u0, v0), layout.map(u1, v0), layout.map(u1, v1), layout.map(u0, v1)});
        }
    }

    void flush(const Paint& paint) {
        if (layout.upright) {
            for (const Outline& o : outlines)
                FillRectangle(t, RECT{LONG(std::lround(o[0].x)), LONG(std::lround(o[0].y)), LONG(std::lround(o[2].x)),
                                      LONG(std::lround(o[2].y))},
                              paint, R2_COPYPEN);
        } else {
            FillPolygons(t, outlines, true, paint, R2_COPYPEN);
        }
        outlines.clear();
    }
};

// Glyphs handed to the face at once: any ordinary run of text is one batch.
constexpr int kGlyphBatch = 512;
constexpr double kFar = 1 << 29;

// Lays glyph runs down in the text colour: straight into the rows when the glyph lies inside one
// rectangle of the clip (nearly always), else span by span through the clip.
class InkSink final : public GlyphSink {
public:
    InkSink(const Target& t, std::uint32_t pixel) : t_(t), ink_(SolidPaint(pixel)) {}

    void glyph(int x, int y, const GlyphImage& g) override {
        if (g.runs.empty()) return;
        RECT box{x + g.left, y + g.top, x + g.right, y + g.bottom};
        if (!within(box) && !findRect(box)) {
            for (const GlyphImage::Run& r : g.runs) FillSpan(t_, y + r.y, x + r.x0, x + r.x1, ink_, R2_COPYPEN);
            return;
        }
        for (const GlyphImage::Run& r : g.runs) std::fill_n(t_.surface->row(y + r.y) + x + r.x0, r.x1 - r.x0, ink_.color);
    }

private:
    bool within(const RECT& box) const {
        return box.left >= open_.left && box.right <= open_.right && box.top >= open_.top && box.bottom <= open_.bottom;
    }
    // The clip rectangle that holds the box, kept for the glyphs after it.
    bool findRect(const RECT& box) {
        const Band* band = t_.clip->bandAt(box.top);
        if (!band || band->bottom < box.bottom) return false;
        for (const Span& s : band->spans)
            if (s.left <= box.left && box.right <= s.right) {
                open_ = {s.left, band->top, s.right, band->bottom};
                return true;
            }
        return false;
    }

    const Target& t_;
    Paint ink_;
    RECT open_{0, 0, 0, 0};
};

}  // namespace

Face FaceOfDc(const Dc& dc) {
    auto* font = As<Font>(dc.state.font);
    return font ? FaceOf(font->logical) : FaceOf(LOGFONTA{});
}

int RenderText(Dc& dc, const Target& t, const Face& face, const TextPlacement& at, const char* text, int count) {
    long long total = 0;
    for (int i = 0; i < count; ++i) total += at.dx ? Coord(at.dx[i]) : face.advance((unsigned char)text[i]);
    int width = Coord(total);

    Layout layout;
    double angle = face.escapement / 10.0 * std::numbers::pi / 180;
    layout.cosA = std::cos(angle);
    layout.sinA = std::sin(angle);
    layout.upright = face.escapement == 0 && !face.italic;
    layout.refX = at.x;
    layout.refY = at.y;
    layout.baseline = face.ascent;
    layout.slant = face.italic && !face.outline ? 0.2 : 0;
    UINT horizontal = at.align & (TA_CENTER | TA_RIGHT), vertical = at.align & TA_BASELINE;
    layout.u0 = horizontal == TA_CENTER ? width / 2 : horizontal == TA_RIGHT ? width : 0;
    layout.v0 = vertical == TA_BASELINE ? face.ascent : vertical == TA_BOTTOM ? face.height : 0;

    Painter painter{t, layout, {}};
    if (at.opaque) {
        Layout box = layout;
        box.slant = 0;
        Painter cell{t, box, {}};
        cell.add(0, 0, width, face.height);
        cell.flush(SolidPaint(dc.pixelFor(dc.state.bk, t.map)));
    }
    double sx = face.scaleX, sy = face.scaleY;
    double pen = 0;
    if (face.outline) {
        InkSink ink(t, dc.pixelFor(dc.state.text, t.map));
        GlyphAt glyphs[kGlyphBatch];
        for (int done = 0; done < count; done += kGlyphBatch) {
            int batch = std::min(kGlyphBatch, count - done), n = 0;
            for (int i = 0; i < batch; ++i) {
                auto c = (unsigned char)text[done + i];
                PointF origin = layout.map(pen, face.ascent);
                // Glyphs far beyond any surface are left out before their pixels could overflow.
                if (std::fabs(origin.x) < kFar && std::fabs(origin.y) < kFar) glyphs[n++] = {c, origin.x, origin.y};
                pen += at.dx ? Coord(at.dx[done + i]) : face.advance(c);
            }
            face.outline->drawGlyphs(glyphs, n, angle, ink);
        }
        count = 0;
    }
    for (int i = 0; i < count; ++i) {
        auto c = (unsigned char)text[i];
        const std::uint8_t* rows = GlyphRows(c);
        int first = Face::firstColumn(c);
        for (int r = 0; r < kGlyphRows; ++r) {
            double v0 = std::round((r + 1) * sy), v1 = std::round((r + 2) * sy);
            for (int col = 0; col < 5;) {
                if (!(rows[r] & (0x10 >> col))) {
                    ++col;
                    continue;
                }
                int end = col;
                while (end < 5 && (rows[r] & (0x10 >> end))) ++end;
                painter.add(pen + std::round((col - first) * sx), v0, pen + std::round((end - first) * sx) + face.boldExtra, v1);
                col = end;
            }
        }
        pen += at.dx ? Coord(at.dx[i]) : face.advance(c);
    }
    double thickness = std::fmax(1, std::round(0.6 * sy));
    double underline = std::fmax(1, std::round(0.5 * sy)), strike = std::round(2.5 * sy);
    if (face.outline) {
        thickness = face.outline->metrics().underlineThickness;
        underline = face.outline->metrics().underlineOffset;
        strike = face.outline->metrics().strikeOffset;
    }
    if (face.underline) {
        double v = face.ascent + underline;
        painter.add(0, v, width, v + thickness);
    }
    if (face.strikeOut) {
        double v = face.ascent - strike;
        painter.add(0, v, width, v + thickness);
    }
    painter.flush(SolidPaint(dc.pixelFor(dc.state.text, t.map)));
    return width;
}

}  // namespace gdi
