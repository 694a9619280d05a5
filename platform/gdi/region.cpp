// Boolean operations on banded regions: both operands are cut at every band edge of either, the
// spans of each slice are combined, and equal neighbouring slices are merged back into one band.
#include "platform/gdi/region.h"

#include <algorithm>
#include <climits>

namespace gdi {
namespace {

bool inside(const std::vector<Span>& spans, std::size_t& i, int x) {
    while (i < spans.size() && spans[i].right <= x) ++i;
    return i < spans.size() && spans[i].left <= x;
}

std::vector<Span> combineSpans(const std::vector<Span>& a, const std::vector<Span>& b, int mode) {
    std::vector<int> xs;
    xs.reserve(2 * (a.size() + b.size()));
    for (const Span& s : a) xs.insert(xs.end(), {s.left, s.right});
    for (const Span& s : b) xs.insert(xs.end(), {s.left, s.right});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<Span> out;
    std::size_t ia = 0, ib = 0;
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        bool inA = inside(a, ia, xs[k]), inB = inside(b, ib, xs[k]);
        bool keep = mode == RGN_AND ? (inA && inB)
                    : mode == RGN_OR ? (inA || inB)
                    : mode == RGN_XOR ? (inA != inB)
                                      : (inA && !inB);
        if (!keep) continue;
        if (!out.empty() && out.back().right == xs[k]) out.back().right = xs[k + 1];
        else out.push_back({xs[k], xs[k + 1]});
    }
    return out;
}

const std::vector<Span>& spansAt(const std::vector<Band>& bands, std::size_t& i, int y) {
    static const std::vector<Span> none;
    while (i < bands.size() && bands[i].bottom <= y) ++i;
    return i < bands.size() && bands[i].top <= y ? bands[i].spans : none;
}

bool sameSpans(const std::vector<Span>& a, const std::vector<Span>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Span& x, const Span& y) { return x.left == y.left && x.right == y.right; });
}

}  // namespace

Region::Region(const RECT& r) {
    // Kept to a range where moving a region cannot overflow.
    auto c = [](LONG v) { return v < -(1 << 28) ? -(1 << 28) : v > (1 << 28) ? (1 << 28) : int(v); };
    RECT k{c(r.left), c(r.top), c(r.right), c(r.bottom)};
    if (k.left < k.right && k.top < k.bottom) bands_.push_back({k.top, k.bottom, {{k.left, k.right}}});
}

void Region::append(int top, int bottom, std::vector<Span>&& spans) {
    if (spans.empty() || top >= bottom) return;
    if (!bands_.empty() && bands_.back().bottom == top && sameSpans(bands_.back().spans, spans)) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back({top, bottom, std::move(spans)});
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
    if (mode == RGN_COPY) return a;
    std::vector<int> ys;
    for (const Band& band : a.bands_) ys.insert(ys.end(), {band.top, band.bottom});
    for (const Band& band : b.bands_) ys.insert(ys.end(), {band.top, band.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region out;
    std::size_t ia = 0, ib = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const auto& sa = spansAt(a.bands_, ia, ys[k]);
        const auto& sb = spansAt(b.bands_, ib, ys[k]);
        out.append(ys[k], ys[k + 1], combineSpans(sa, sb, mode));
    }
    return out;
}

int Region::type() const {
    if (bands_.empty()) return NULLREGION;
    return bands_.size() == 1 && bands_[0].spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::box() const {
    if (bands_.empty()) return RECT{0, 0, 0, 0};
    RECT r{INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom};
    for (const Band& b : bands_) {
        r.left = std::min<LONG>(r.left, b.spans.front().left);
        r.right = std::max<LONG>(r.right, b.spans.back().right);
    }
    return r;
}

const Band* Region::bandAt(int y) const {
    auto it = std::upper_bound(bands_.begin(), bands_.end(), y, [](int v, const Band& b) { return v < b.bottom; });
    return it != bands_.end() && it->top <= y ? &*it : nullptr;
}

bool Region::contains(int x, int y) const {
    const Band* b = bandAt(y);
    if (!b) return false;
    for (const Span& s : b->spans)
        if (x >= s.left && x < s.right) return true;
    return false;
}

bool Region::intersects(const RECT& r) const {
    bool any = false;
    forEachInRect(r, [&](int, int, int, int) { any = true; });
    return any;
}

void Region::offset(int dx, int dy) {
    const int limit = 1 << 28;
    dx = dx < -limit ? -limit : dx > limit ? limit : dx;
    dy = dy < -limit ? -limit : dy > limit ? limit : dy;
    for (Band& b : bands_) {
        b.top += dy;
        b.bottom += dy;
        for (Span& s : b.spans) {
            s.left += dx;
            s.right += dx;
        }
    }
}

std::vector<RECT> Region::rects() const {
    std::vector<RECT> out;
    for (const Band& b : bands_)
        for (const Span& s : b.spans) out.push_back({s.left, b.top, s.right, b.bottom});
    return out;
}

bool Region::operator==(const Region& o) const {
    if (bands_.size() != o.bands_.size()) return false;
    for (std::size_t i = 0; i < bands_.size(); ++i)
        if (bands_[i].top != o.bands_[i].top || bands_[i].bottom != o.bands_[i].bottom ||
            !sameSpans(bands_[i].spans, o.bands_[i].spans))
            return false;
    return true;
}

}  // namespace gdi
