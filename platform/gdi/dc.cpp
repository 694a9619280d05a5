// The device context's inner workings: what it draws into, its effective clip, the colour
// mapping of its target, and selection of objects into its state.
#include "platform/gdi/dc.h"

#include "platform/gdi/font.h"
#include "platform/gdi/stock.h"

#include <algorithm>

namespace gdi {

Dc::~Dc() {
    Deselected(LookupAny(state.pen));
    Deselected(LookupAny(state.brush));
    Deselected(LookupAny(state.font));
    Deselected(LookupAny(state.palette));
    if (auto* bm = As<Bitmap>(state.bitmap)) {
        if (bm->selectedInto == this) bm->selectedInto = nullptr;
        Deselected(bm);
    }
}

Dc* DcOf(HDC hdc) { return As<Dc>(hdc); }

Surface* Dc::drawSurface() const {
    if (type == Type::Info) return nullptr;
    if (type == Type::Memory) {
        auto* bm = current<Bitmap>(state.bitmap);
        return bm ? bm->surface.get() : nullptr;
    }
    return surface.get();
}

const Region& Dc::effectiveClip() {
    if (clipValid_) return effClip_;
    Surface* s = drawSurface();
    RECT bounds{0, 0, s ? s->width : 0, s ? s->height : 0};
    if (type != Type::Memory) {
        bounds.left = std::max<LONG>(bounds.left, area.left);
        bounds.top = std::max<LONG>(bounds.top, area.top);
        bounds.right = std::min<LONG>(bounds.right, area.right);
        bounds.bottom = std::min<LONG>(bounds.bottom, area.bottom);
    }
    effClip_ = Region(bounds);
    if (hasSystemClip) {
        Region system = systemClip;
        POINT o = deviceOrigin();
        system.offset(o.x, o.y);
        effClip_ = Region::Combine(effClip_, system, RGN_AND);
    }
    if (state.hasClip) {
        Region clip = state.clip;
        POINT o = deviceOrigin();
        clip.offset(o.x, o.y);
        effClip_ = Region::Combine(effClip_, clip, RGN_AND);
    }
    clipValid_ = true;
    return effClip_;
}

const Palette* Dc::palette() const {
    if (auto* p = current<Palette>(state.palette)) return p;
    return static_cast<const Palette*>(StockObject(DEFAULT_PALETTE));
}

bool Dc::target(Target& t) {
    Surface* s = drawSurface();
    if (!s) return false;
    t.surface = s;
    t.clip = &effectiveClip();
    POINT o = deviceOrigin();
    t.dx = o.x + state.viewportOrg.x - state.windowOrg.x;
    t.dy = o.y + state.viewportOrg.y - state.windowOrg.y;
    t.map.kind = s->mono() ? ColorMap::Mono : s->indexed() ? ColorMap::Indexed : ColorMap::Direct;
    t.map.palette = palette();
    return true;
}

std::uint32_t Dc::pixelFor(COLORREF color, const ColorMap& map) const {
    const Palette* pal = palette();
    std::uint32_t px;
    if ((color >> 24) == 0x01) {
        UINT i = color & 0xFFFF;
        px = pal->pixelAt(i < pal->entries.size() ? i : 0);
    } else {
        px = PixelOf(color & 0xFFFFFF);
    }
    return map(px);
}

HGDIOBJ Select(Dc& dc, Object* object) {
    HGDIOBJ* slot = nullptr;
    switch (object->kind) {
    case Kind::Pen: slot = reinterpret_cast<HGDIOBJ*>(&dc.state.pen); break;
    case Kind::Brush: slot = reinterpret_cast<HGDIOBJ*>(&dc.state.brush); break;
    case Kind::Font: slot = reinterpret_cast<HGDIOBJ*>(&dc.state.font); break;
    case Kind::Palette: slot = reinterpret_cast<HGDIOBJ*>(&dc.state.palette); break;
    case Kind::Bitmap: {
        auto* bm = static_cast<Bitmap*>(object);
        if (dc.type != Dc::Type::Memory) return nullptr;
        if (!bm->stock && bm->selectedInto && bm->selectedInto != &dc) return nullptr;
        auto* old = As<Bitmap>(dc.state.bitmap);
        if (old == bm) return dc.state.bitmap;
        if (old && old->selectedInto == &dc) old->selectedInto = nullptr;
        if (!bm->stock) bm->selectedInto = &dc;
        slot = reinterpret_cast<HGDIOBJ*>(&dc.state.bitmap);
        dc.clipChanged();
        break;
    }
    default: return nullptr;
    }
    HGDIOBJ old = *slot;
    if (old == object) return old;
    Selected(object);
    *slot = object;
    Deselected(LookupAny(old));
    return old;
}

void InitDcState(Dc& dc) {
    Select(dc, StockObject(BLACK_PEN));
    Select(dc, StockObject(WHITE_BRUSH));
    Select(dc, StockObject(SYSTEM_FONT));
    Select(dc, StockObject(DEFAULT_PALETTE));
    if (dc.type == Dc::Type::Memory) Select(dc, LookupAny(StockBitmap()));
}

}  // namespace gdi
