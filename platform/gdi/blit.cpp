// The blit engine. The destination rectangle is walked through the clip row by row; each row's
// source pixels are gathered through a precomputed column table, converted to the target's
// format, and combined with pattern and destination by the raster operation. A plain copy of the
// same size between two surfaces of one kind copies rows straight.
#include "platform/gdi/blit.h"

#include "platform/gdi/paint.h"
#include "platform/gdi/rop.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gdi {
namespace {

constexpr int kChunk = 512;

// How source pixels become destination pixels.
struct Converter {
    enum Kind { Copy, MonoToColor, ColorToMono, Remap } kind = Copy;
    std::uint32_t zero = 0, one = 0xFFFFFF;  // MonoToColor
    std::uint32_t background = 0;            // ColorToMono
    ColorMap map;

    void operator()(std::uint32_t* p, int n) const {
        switch (kind) {
        case Copy: return;
        case MonoToColor:
            for (int i = 0; i < n; ++i) p[i] = p[i] ? one : zero;
            return;
        case ColorToMono:
            for (int i = 0; i < n; ++i) p[i] = (p[i] & 0xFFFFFF) == background ? 0xFFFFFF : 0;
            return;
        case Remap:
            for (int i = 0; i < n; ++i) p[i] = map(p[i]);
            return;
        }
    }
};

// For each destination pixel along one axis, the first source pixel it takes and how many: one
// (nearest neighbour), or when shrinking with a combining stretch mode, all the source pixels
// that fall on it.
struct AxisMap {
    std::vector<int> first;
    std::vector<int> count;
    bool unit = false;       // one to one, not mirrored: consecutive source pixels
    bool combining = false;  // some destination pixels take more than one source pixel
};

AxisMap axisMap(int count, int sourceCount, bool mirror, int start, bool combine) {
    AxisMap m;
    m.first.resize(static_cast<std::size_t>(count));
    m.count.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        int a = int((long long)i * sourceCount / count), b = a + 1;
        if (combine) b = std::max(b, int((long long)(i + 1) * sourceCount / count));
        m.first[std::size_t(i)] = start + (mirror ? sourceCount - b : a);
        m.count[std::size_t(i)] = b - a;
        m.combining = m.combining || b - a > 1;
    }
    m.unit = count == sourceCount && !mirror;
    return m;
}

// The run of destination indices whose source pixels lie inside [0, limit).
std::pair<int, int> validRun(const AxisMap& m, int limit) {
    auto ok = [&](int i) {
        return m.first[std::size_t(i)] >= 0 && m.first[std::size_t(i)] + m.count[std::size_t(i)] <= limit;
    };
    int first = 0, last = int(m.first.size());
    while (first < last && !ok(first)) ++first;
    while (last > first && !ok(last - 1)) --last;
    return {first, last};
}

// Gathers n source pixels of one row for destination columns from `at`, AND- or OR-combining
// the columns each destination pixel covers.
void gatherRow(const std::uint32_t* row, const AxisMap& xs, int at, int n, int mode, std::uint32_t* out) {
    const int* first = xs.first.data() + at;
    const int* count = xs.count.data() + at;
    if (xs.unit) {
        const std::uint32_t* from = row + first[0];
        for (int i = 0; i < n; ++i) out[i] = from[i] & 0xFFFFFF;
        return;
    }
    if (!xs.combining) {
        for (int i = 0; i < n; ++i) out[i] = row[first[i]] & 0xFFFFFF;
        return;
    }
    for (int i = 0; i < n; ++i) {
        std::uint32_t v = row[first[i]];
        for (int k = 1; k < count[i]; ++k) v = mode == WHITEONBLACK ? v | row[first[i] + k] : v & row[first[i] + k];
        out[i] = v & 0xFFFFFF;
    }
}

// Copies n pixels without their fourth byte: sixteen at a time, four loads ahead of four stores,
// where the processor has 128-bit registers.
void copyPixels(std::uint32_t* to, const std::uint32_t* from, int n) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0xFFFFFF);
    for (; i + 16 <= n; i += 16) {
        auto* in = reinterpret_cast<const __m128i*>(from + i);
        auto* out = reinterpret_cast<__m128i*>(to + i);
        __m128i a = _mm_loadu_si128(in), b = _mm_loadu_si128(in + 1), c = _mm_loadu_si128(in + 2), d = _mm_loadu_si128(in + 3);
        _mm_storeu_si128(out, _mm_and_si128(a, mask));
        _mm_storeu_si128(out + 1, _mm_and_si128(b, mask));
        _mm_storeu_si128(out + 2, _mm_and_si128(c, mask));
        _mm_storeu_si128(out + 3, _mm_and_si128(d, mask));
    }
#endif
    for (; i < n; ++i) to[i] = from[i] & 0xFFFFFF;
}

// A plain copy between two surfaces of one kind: each row of the source taken as it is (without
// the byte above the colour, which a DIB section's owner may have set).
void copyRows(const Target& t, const RECT& d, const Surface& s, int sx, int sy) {
    RECT area{std::max<LONG>(d.left, d.left - sx), std::max<LONG>(d.top, d.top - sy),
              std::min<LONG>(d.right, d.left + (s.width - sx)), std::min<LONG>(d.bottom, d.top + (s.height - sy))};
    t.clip->forEachInRect(area, [&](int y0, int y1, int x0, int x1) {
        for (int y = y0; y < y1; ++y) {
            const std::uint32_t* from = s.row(sy + (y - d.top)) + sx + (x0 - d.left);
            std::uint32_t* to = t.surface->row(y) + x0;
            copyPixels(to, from, x1 - x0);
        }
    });
}

}  // namespace

bool StretchInto(Dc& dst, int x, int y, int width, int height, const BlitSource* src, std::uint32_t rop,
                 const BlitMask* mask) {
    Target t;
    if (!dst.target(t)) return true;
    std::uint8_t fore = RopIndex(rop);
    std::uint8_t back = mask ? mask->backgroundRop : fore;
    bool usesSource = RopUsesSource(fore) || RopUsesSource(back);
    bool usesPattern = RopUsesPattern(fore) || RopUsesPattern(back);
    if (usesSource && (!src || !src->surface)) return false;
    if (width == 0 || height == 0) return true;
    x = Coord(x), y = Coord(y), width = Coord(width), height = Coord(height);

    RECT d{std::min(x, x + width) + t.dx, std::min(y, y + height) + t.dy, 0, 0};
    int w = std::abs(width), h = std::abs(height);
    d.right = d.left + w;
    d.bottom = d.top + h;

    Paint pattern;
    if (usesPattern) {
        pattern = BrushPaint(dst, t);
        if (pattern.mode == Paint::None) return true;
    }

    // The source, snapshotted when it is the destination itself so that overlapping copies read
    // the old pixels.
    std::shared_ptr<Surface> snapshot;
    const Surface* s = nullptr;
    AxisMap xs, ys;
    int combineMode = 0;
    Converter convert;
    int runX0 = 0, runX1 = w, runY0 = 0, runY1 = h;
    if (usesSource) {
        int sw = std::abs(Coord(src->width)), sh = std::abs(Coord(src->height));
        if (sw == 0 || sh == 0) return true;
        int sx = std::min(src->x, src->x + src->width), sy = std::min(src->y, src->y + src->height);
        s = src->surface;
        bool mirror = (width < 0) != (src->width < 0) || (height < 0) != (src->height < 0);
        if (fore == 0xCC && !mask && s != t.surface && sw == w && sh == h && !mirror && s->mono() == t.surface->mono() &&
            t.map.kind != ColorMap::Indexed) {
            copyRows(t, d, *s, sx, sy);
            return true;
        }
        if (s == t.surface) {
            snapshot = Surface::Create(s->width, s->height, s->bpp);
            if (!snapshot) return false;
            for (int row = 0; row < s->height; ++row) std::copy_n(s->row(row), s->width, snapshot->row(row));
            s = snapshot.get();
        }
        // Shrinking in the AND and OR modes keeps thin lines: the pixels left out are combined.
        int mode = dst.state.stretchMode;
        if (mode == BLACKONWHITE || mode == WHITEONBLACK) combineMode = mode;
        xs = axisMap(w, sw, (width < 0) != (src->width < 0), sx, combineMode && sw > w);
        ys = axisMap(h, sh, (height < 0) != (src->height < 0), sy, combineMode && sh > h);
        std::tie(runX0, runX1) = validRun(xs, s->width);
        std::tie(runY0, runY1) = validRun(ys, s->height);
        if (s->mono() && !t.surface->mono()) {
            convert.kind = Converter::MonoToColor;
            convert.zero = dst.pixelFor(dst.state.text, t.map);
            convert.one = dst.pixelFor(dst.state.bk, t.map);
        } else if (!s->mono() && t.surface->mono()) {
            convert.kind = Converter::ColorToMono;
            convert.background = src->background & 0xFFFFFF;
        } else if (t.map.kind == ColorMap::Indexed) {
            convert.kind = Converter::Remap;
            convert.map = t.map;
        }
    }
    RECT area{d.left + runX0, d.top + runY0, d.left + runX1, d.top + runY1};

    std::uint32_t srcBuf[kChunk], patBuf[kChunk], foreBuf[kChunk], backBuf[kChunk];
    bool remapResult = t.map.kind == ColorMap::Indexed && fore != 0xCC && fore != 0xF0;
    t.clip->forEachInRect(area, [&](int y0, int y1, int x0, int x1) {
        for (int yy = y0; yy < y1; ++yy) {
            std::uint32_t* drow = t.surface->row(yy);
            int row0 = usesSource ? ys.first[std::size_t(yy - d.top)] : 0;
            int rows = usesSource ? ys.count[std::size_t(yy - d.top)] : 0;
            for (int xx = x0; xx < x1; xx += kChunk) {
                int n = std::min(kChunk, x1 - xx);
                if (usesSource) {
                    gatherRow(s->row(row0), xs, xx - d.left, n, combineMode, srcBuf);
                    for (int k = 1; k < rows; ++k) {
                        gatherRow(s->row(row0 + k), xs, xx - d.left, n, combineMode, patBuf);
                        for (int i = 0; i < n; ++i) srcBuf[i] = combineMode == WHITEONBLACK ? srcBuf[i] | patBuf[i] : srcBuf[i] & patBuf[i];
                    }
                    convert(srcBuf, n);
                }
                if (usesPattern) pattern.patternRow(xx, yy, n, patBuf);
                std::uint32_t* out = drow + xx;
                const std::uint32_t* pp = usesPattern ? patBuf : nullptr;
                const std::uint32_t* sp = usesSource ? srcBuf : nullptr;
                if (!mask) {
                    Rop3Row(fore, pp, sp, out, n);
                } else {
                    std::copy_n(out, n, foreBuf);
                    std::copy_n(out, n, backBuf);
                    Rop3Row(fore, pp, sp, foreBuf, n);
                    Rop3Row(back, pp, sp, backBuf, n);
                    const Surface* m = mask->surface;
                    int my = mask->y + (yy - d.top);
                    for (int i = 0; i < n; ++i) {
                        int mx = mask->x + (xx + i - d.left);
                        bool on = my >= 0 && my < m->height && mx >= 0 && mx < m->width && m->row(my)[mx] != 0;
                        out[i] = on ? foreBuf[i] : backBuf[i];
                    }
                }
                if (remapResult)
                    for (int i = 0; i < n; ++i) out[i] = t.map(out[i]);
            }
        }
    });
    return true;
}

}  // namespace gdi
