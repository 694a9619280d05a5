// Regions as y-x bands: rows of equal spans grouped into bands sorted top to bottom, each with
// sorted, disjoint, non-touching spans. Clipping, the region functions and FrameRgn use it.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace gdi {

struct Span {
    int left;
    int right;  // exclusive
};

struct Band {
    int top;
    int bottom;  // exclusive
    std::vector<Span> spans;
};

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    static Region Combine(const Region& a, const Region& b, int mode);

    bool empty() const { return bands_.empty(); }
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int type() const;
    RECT box() const;
    bool contains(int x, int y) const;
    bool intersects(const RECT& r) const;
    void offset(int dx, int dy);
    std::vector<RECT> rects() const;
    bool operator==(const Region& o) const;

    const std::vector<Band>& bands() const { return bands_; }
    // The band holding row y, or null.
    const Band* bandAt(int y) const;

    // Calls f(y0, y1, left, right) for every piece of the rectangle inside the region.
    template <class F>
    void forEachInRect(const RECT& r, F&& f) const {
        for (const Band& b : bands_) {
            if (b.bottom <= r.top) continue;
            if (b.top >= r.bottom) break;
            int y0 = b.top > r.top ? b.top : r.top;
            int y1 = b.bottom < r.bottom ? b.bottom : r.bottom;
            for (const Span& s : b.spans) {
                if (s.right <= r.left) continue;
                if (s.left >= r.right) break;
                f(y0, y1, s.left > r.left ? s.left : r.left, s.right < r.right ? s.right : r.right);
            }
        }
    }

private:
    void append(int top, int bottom, std::vector<Span>&& spans);
    std::vector<Band> bands_;
};

}  // namespace gdi
