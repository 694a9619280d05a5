// Selecting, describing and deleting GDI objects.
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"
#include "platform/gdi/region_object.h"

#include <algorithm>
#include <cstring>

using namespace gdi;

namespace {

int copyOut(const void* from, int size, int c, void* pv) {
    if (!pv) return size;
    if (c <= 0) return 0;
    int n = std::min(c, size);
    std::memcpy(pv, from, std::size_t(n));
    return n;
}

}  // namespace

extern "C" HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    Dc* dc = DcOf(hdc);
    Object* o = LookupAny(h);
    if (!dc || !o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (o->kind == Kind::Region) {
        int type = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return type == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(LONG_PTR(type));
    }
    if (o->kind == Kind::Palette || o->kind == Kind::Dc) return nullptr;
    return Select(*dc, o);
}

extern "C" BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    Object* o = LookupAny(ho);
    if (!o || o->kind == Kind::Dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (o->stock) return TRUE;
    if (o->selections > 0) {
        // A bitmap in use by a memory DC stays; pens, brushes, fonts and palettes go when released.
        if (o->kind == Kind::Bitmap) return FALSE;
        o->deletePending = true;
        return TRUE;
    }
    Destroy(o);
    return TRUE;
}

extern "C" DWORD WINAPI GetObjectType(HGDIOBJ h) {
    Object* o = LookupAny(h);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (o->kind == Kind::Dc && static_cast<Dc*>(o)->type == Dc::Type::Memory) return OBJ_MEMDC;
    return DWORD(o->kind);
}

extern "C" HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    Dc* dc = DcOf(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->state.pen;
    case OBJ_BRUSH: return dc->state.brush;
    case OBJ_FONT: return dc->state.font;
    case OBJ_PAL: return dc->state.palette;
    case OBJ_BITMAP: return dc->state.bitmap;
    default: return nullptr;
    }
}

extern "C" int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    Object* o = LookupAny(h);
    if (!o) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (o->kind) {
    case Kind::Pen: {
        auto* p = static_cast<Pen*>(o);
        LOGPEN lp{p->style, {p->width, 0}, p->color};
        return copyOut(&lp, sizeof lp, c, pv);
    }
    case Kind::Brush: {
        auto* b = static_cast<Brush*>(o);
        LOGBRUSH lb{b->style, b->color, ULONG_PTR(b->hatch)};
        return copyOut(&lb, sizeof lb, c, pv);
    }
    case Kind::Font: return copyOut(&static_cast<Font*>(o)->logical, sizeof(LOGFONTA), c, pv);
    case Kind::Palette: {
        WORD n = WORD(static_cast<Palette*>(o)->entries.size());
        return copyOut(&n, sizeof n, c, pv);
    }
    case Kind::Bitmap: {
        auto* bm = static_cast<Bitmap*>(o);
        const Surface& s = *bm->surface;
        DIBSECTION ds{};
        ds.dsBm.bmWidth = s.width;
        ds.dsBm.bmHeight = s.height;
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = WORD(s.bpp);
        ds.dsBm.bmWidthBytes = bm->dibSection ? LONG((s.width * s.bpp + 31) / 32 * 4) : WidthBytes(s.width, s.bpp);
        if (bm->dibSection) {
            ds.dsBm.bmBits = s.stride < 0 ? s.bits + (s.height - 1) * s.stride : s.bits;
            ds.dsBmih = bm->dibHeader;
            if (c >= int(sizeof(DIBSECTION))) return copyOut(&ds, sizeof ds, c, pv);
        }
        return copyOut(&ds.dsBm, sizeof(BITMAP), c, pv);
    }
    default: return 0;
    }
}
