// Resolving brushes for a target and filling spans. Rows are worked whole: a solid fill or invert
// is one loop over the row, a pattern copy copies rows laid out once; other operations go through
// a pattern row and the raster-operation loops.
#include "platform/gdi/paint.h"

#include "platform/gdi/rop.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace gdi {
namespace {

bool hatchBit(int hatch, int x, int y) {
    switch (hatch) {
    case HS_HORIZONTAL: return y == 7;
    case HS_VERTICAL: return x == 7;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 7 || y == 7;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
    }
}

int wrap(int v, int n) {
    int m = v % n;
    return m < 0 ? m + n : m;
}

constexpr int kRowChunk = 512;
// Patterns up to this many rows are laid out whole for a pattern copy.
constexpr int kTileRows = 64;

}  // namespace

void Paint::patternRow(int x, int y, int n, std::uint32_t* out) const {
    if (mode == Solid) {
        std::fill_n(out, n, color);
        return;
    }
    const std::uint32_t* row = pattern.data() + std::size_t(wrap(y - originY, height)) * width;
    int px = wrap(x - originX, width);
    for (int i = 0; i < n; ++i) {
        out[i] = row[px];
        if (++px == width) px = 0;
    }
}

Paint SolidPaint(std::uint32_t pixel) {
    Paint p;
    p.mode = Paint::Solid;
    p.color = pixel;
    return p;
}

Paint BrushPaint(Dc& dc, const Target& t, const Brush* brush) {
    Paint p;
    if (!brush || brush->style == BS_NULL) return p;
    if (brush->style == BS_SOLID) return SolidPaint(dc.pixelFor(brush->color, t.map));
    POINT o = dc.deviceOrigin();
    p.originX = o.x + dc.state.brushOrg.x;
    p.originY = o.y + dc.state.brushOrg.y;
    p.mode = Paint::Pattern;
    try {
        if (brush->style == BS_HATCHED) {
            p.width = p.height = 8;
            p.pattern.resize(64);
            std::uint32_t fore = dc.pixelFor(brush->color, t.map), back = dc.pixelFor(dc.state.bk, t.map);
            bool transparent = dc.state.bkMode == TRANSPARENT;
            if (transparent) p.mask.resize(64);
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 8; ++x) {
                    bool on = hatchBit(brush->hatch, x, y);
                    p.pattern[y * 8 + x] = on ? fore : back;
                    if (transparent) p.mask[y * 8 + x] = on;
                }
            return p;
        }
        p.width = brush->patternWidth;
        p.height = brush->patternHeight;
        p.pattern = brush->pattern;
        if (brush->patternMono) {
            std::uint32_t zero = dc.pixelFor(dc.state.text, t.map), one = dc.pixelFor(dc.state.bk, t.map);
            for (auto& px : p.pattern) px = px ? one : zero;
        } else if (t.map.kind != ColorMap::Direct) {
            for (auto& px : p.pattern) px = t.map(px);
        }
    } catch (...) {
        return Paint{};
    }
    if (p.width <= 0 || p.height <= 0 || p.pattern.size() < std::size_t(p.width) * p.height) return Paint{};
    return p;
}

static void fillRow(const Target& t, int y, int x0, int x1, const Paint& paint, int rop2) {
    std::uint32_t* d = t.surface->row(y) + x0;
    int n = x1 - x0;
    if (rop2 == R2_NOP) return;
    if (rop2 == R2_COPYPEN && paint.mode == Paint::Solid) {
        std::fill_n(d, n, paint.color);
        return;
    }
    std::uint32_t buffer[kRowChunk];
    for (int done = 0; done < n; done += kRowChunk) {
        int m = std::min(kRowChunk, n - done);
        paint.patternRow(x0 + done, y, m, buffer);
        const std::uint8_t* mask = nullptr;
        int mx = 0;
        if (!paint.mask.empty()) {
            mask = paint.mask.data() + std::size_t(wrap(y - paint.originY, paint.height)) * paint.width;
            mx = wrap(x0 + done - paint.originX, paint.width);
        }
        for (int i = 0; i < m; ++i) {
            if (mask) {
                bool on = mask[mx];
                if (++mx == paint.width) mx = 0;
                if (!on) continue;
            }
            std::uint32_t& px = d[done + i];
            std::uint32_t r = rop2 == R2_COPYPEN ? buffer[i] : Rop2(rop2, buffer[i], px);
            px = t.map.kind == ColorMap::Indexed && rop2 != R2_COPYPEN ? t.map(r) : r;
        }
    }
}

void FillSpan(const Target& t, int y, int x0, int x1, const Paint& paint, int rop2) {
    if (paint.mode == Paint::None || x0 >= x1) return;
    const Band* band = t.clip->bandAt(y);
    if (!band) return;
    for (const Span& s : band->spans) {
        if (s.right <= x0) continue;
        if (s.left >= x1) break;
        fillRow(t, y, std::max(x0, s.left), std::min(x1, s.right), paint, rop2);
    }
}

void FillRectangle(const Target& t, const RECT& r, const Paint& paint, int rop2) {
    if (paint.mode == Paint::None) return;
    t.clip->forEachInRect(r, [&](int y0, int y1, int x0, int x1) {
        for (int y = y0; y < y1; ++y) fillRow(t, y, x0, x1, paint, rop2);
    });
}

void PatRectangle(const Target& t, const RECT& r, const Paint& paint, std::uint8_t ropIndex) {
    bool usesPattern = RopUsesPattern(ropIndex);
    if (usesPattern && paint.mode == Paint::None) return;
    bool remap = t.map.kind == ColorMap::Indexed && ropIndex != 0xF0;
    if (!usesPattern || paint.mode == Paint::Solid) {
        // One colour or none: the rows are filled, or combined with one value, whole.
        std::uint32_t p = usesPattern ? paint.color : 0;
        if (!RopUsesDest(ropIndex)) {
            std::uint32_t value = Rop3(ropIndex, p, 0, 0);
            if (remap) value = t.map(value);
            t.clip->forEachInRect(r, [&](int y0, int y1, int x0, int x1) {
                for (int y = y0; y < y1; ++y) std::fill_n(t.surface->row(y) + x0, x1 - x0, value);
            });
            return;
        }
        if (ropIndex == 0x5A || ropIndex == 0x55) {  // PATINVERT, DSTINVERT
            t.clip->forEachInRect(r, [&](int y0, int y1, int x0, int x1) {
                for (int y = y0; y < y1; ++y) {
                    std::uint32_t* d = t.surface->row(y) + x0;
                    int n = x1 - x0;
                    if (ropIndex == 0x5A)
                        for (int i = 0; i < n; ++i) d[i] ^= p;
                    else
                        for (int i = 0; i < n; ++i) d[i] = ~d[i] & 0xFFFFFF;
                    if (remap)
                        for (int i = 0; i < n; ++i) d[i] = t.map(d[i]);
                }
            });
            return;
        }
    }
    if (paint.mode == Paint::Pattern && paint.mask.empty() && ropIndex == 0xF0 && paint.height <= kTileRows) {
        // A pattern copy: the few different rows are laid out once, then copied row by row. Out of
        // memory the row loop below does the same (a copy does not read what it overwrites).
        try {
            std::vector<std::uint32_t> tile;
            t.clip->forEachInRect(r, [&](int y0, int y1, int x0, int x1) {
                int n = x1 - x0, rows = std::min(paint.height, y1 - y0);
                tile.resize(std::size_t(rows) * std::size_t(n));
                for (int k = 0; k < rows; ++k) paint.patternRow(x0, y0 + k, n, tile.data() + std::size_t(k) * std::size_t(n));
                for (int y = y0, k = 0; y < y1; ++y) {
                    std::memcpy(t.surface->row(y) + x0, tile.data() + std::size_t(k) * std::size_t(n), std::size_t(n) * 4);
                    if (++k == rows) k = 0;
                }
            });
            return;
        } catch (const std::bad_alloc&) {
        }
    }
    std::uint32_t buffer[kRowChunk];
    t.clip->forEachInRect(r, [&](int y0, int y1, int x0, int x1) {
        for (int y = y0; y < y1; ++y) {
            std::uint32_t* d = t.surface->row(y);
            for (int x = x0; x < x1; x += kRowChunk) {
                int m = std::min(kRowChunk, x1 - x);
                if (usesPattern) paint.patternRow(x, y, m, buffer);
                if (!paint.mask.empty()) {
                    // A transparent hatch: only the pixels of its lines take part.
                    std::uint32_t old[kRowChunk];
                    std::copy_n(d + x, m, old);
                    Rop3Row(ropIndex, buffer, nullptr, d + x, m);
                    const std::uint8_t* mask = paint.mask.data() + std::size_t(wrap(y - paint.originY, paint.height)) * paint.width;
                    int mx = wrap(x - paint.originX, paint.width);
                    for (int i = 0; i < m; ++i) {
                        if (!mask[mx]) d[x + i] = old[i];
                        if (++mx == paint.width) mx = 0;
                    }
                } else {
                    Rop3Row(ropIndex, usesPattern ? buffer : nullptr, nullptr, d + x, m);
                }
                if (remap)
                    for (int i = 0; i < m; ++i) d[x + i] = t.map(d[x + i]);
            }
        }
    });
}

}  // namespace gdi
