// Scanline polygon fill: on each row the edges are cut at the pixel centre line; a pixel is
// inside when its centre is, by the alternate (even-odd) or winding (non-zero) rule.
#include "platform/gdi/raster.h"

#include <algorithm>
#include <cmath>

namespace gdi {

void FillPolygons(const Target& t, const std::vector<Outline>& polygons, bool winding, const Paint& paint, int rop2) {
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    double top = 1e300, bottom = -1e300;
    for (const Outline& p : polygons) {
        for (std::size_t i = 0; i < p.size(); ++i) {
            PointF a = p[i], b = p[(i + 1) % p.size()];
            if (a.y == b.y) continue;
            edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1} : Edge{b.x, b.y, a.x, a.y, -1});
            top = std::min({top, a.y, b.y});
            bottom = std::max({bottom, a.y, b.y});
        }
    }
    if (edges.empty()) return;
    RECT box = t.clip->box();
    int y0 = std::max<int>(int(std::ceil(top - 0.5)), box.top);
    int y1 = std::min<int>(int(std::ceil(bottom - 0.5)), box.bottom);
    std::vector<std::pair<double, int>> cuts;
    for (int y = y0; y < y1; ++y) {
        double yc = y + 0.5;
        cuts.clear();
        for (const Edge& e : edges)
            if (yc >= e.y0 && yc < e.y1) cuts.push_back({e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
        std::sort(cuts.begin(), cuts.end());
        int inside = 0;
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            inside = winding ? inside + cuts[i].second : inside ^ 1;
            if (inside == 0) continue;
            // Pixels whose centres lie in [left cut, right cut).
            double xa = std::max<double>(cuts[i].first, box.left - 1), xb = std::min<double>(cuts[i + 1].first, box.right + 1);
            int x0 = int(std::ceil(xa - 0.5)), x1 = int(std::ceil(xb - 0.5));
            // Neighbouring pieces of one covered run are joined so that a raster operation
            // touches each pixel once.
            while (winding && i + 2 < cuts.size() && inside + cuts[i + 1].second != 0) {
                inside += cuts[++i].second;
                x1 = int(std::ceil(std::min<double>(cuts[i + 1].first, box.right + 1) - 0.5));
            }
            FillSpan(t, y, x0, x1, paint, rop2);
        }
    }
}

}  // namespace gdi
