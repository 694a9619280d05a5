// Creation of pens and brushes.
#include "platform/gdi/bitmap.h"
#include "platform/gdi/tools.h"

using namespace gdi;

namespace {

HPEN makePen(UINT style, int width, COLORREF color, std::vector<DWORD> user = {}) {
    int kind = int(style & PS_STYLE_MASK);
    if (kind > PS_INSIDEFRAME && kind != 7) {  // 7: PS_USERSTYLE
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto p = std::unique_ptr<Pen>(new (std::nothrow) Pen);
    if (!p) return nullptr;
    p->style = style;
    p->width = width < 0 ? 0 : width;
    p->color = color;
    p->userStyle = std::move(user);
    return static_cast<HPEN>(Register(std::move(p)));
}

HBRUSH makeBrush(UINT style, COLORREF color, int hatch) {
    auto b = std::unique_ptr<Brush>(new (std::nothrow) Brush);
    if (!b) return nullptr;
    b->style = style;
    b->color = color;
    b->hatch = hatch;
    return static_cast<HBRUSH>(Register(std::move(b)));
}

}  // namespace

extern "C" HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    return makePen(UINT(iStyle), cWidth, color);
}

extern "C" HPEN WINAPI CreatePenIndirect(const LOGPEN* plpen) {
    if (!plpen) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return makePen(plpen->lopnStyle, plpen->lopnWidth.x, plpen->lopnColor);
}

extern "C" HPEN WINAPI ExtCreatePen(DWORD iPenStyle, DWORD cWidth, const LOGBRUSH* plbrush, DWORD cStyle,
                                    const DWORD* pstyle) {
    if (!plbrush || cWidth > 0x7FFFFFFF || (cStyle && !pstyle) || cStyle > 16) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    UINT style = iPenStyle;
    if (plbrush->lbStyle == BS_NULL) style = (style & ~UINT(PS_STYLE_MASK)) | PS_NULL;
    return makePen(style, int(cWidth), plbrush->lbColor, std::vector<DWORD>(pstyle, pstyle + cStyle));
}

extern "C" HBRUSH WINAPI CreateSolidBrush(COLORREF color) { return makeBrush(BS_SOLID, color, 0); }

extern "C" HBRUSH WINAPI CreateHatchBrush(int iHatch, COLORREF color) {
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return makeBrush(BS_HATCHED, color, iHatch);
}

extern "C" HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
    auto* bm = As<Bitmap>(hbm);
    if (!bm) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto b = std::unique_ptr<Brush>(new (std::nothrow) Brush);
    if (!b) return nullptr;
    const Surface& s = *bm->surface;
    b->style = BS_PATTERN;
    b->patternWidth = s.width;
    b->patternHeight = s.height;
    b->patternMono = s.mono();
    try {
        b->pattern.reserve(std::size_t(s.width) * s.height);
        for (int y = 0; y < s.height; ++y) b->pattern.insert(b->pattern.end(), s.row(y), s.row(y) + s.width);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return static_cast<HBRUSH>(Register(std::move(b)));
}

extern "C" HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (!plbrush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: return makeBrush(BS_NULL, 0, 0);
    case BS_HATCHED: return CreateHatchBrush(int(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}
