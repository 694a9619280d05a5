// Fonts and text output: CreateFontA/CreateFontIndirectA, TextOutA, ExtTextOutA, extents and
// metrics of the built-in face.
#include "platform/gdi/paint.h"
#include "platform/gdi/text_render.h"

#include <cstring>

using namespace gdi;

namespace {

Target clippedTo(const Target& t, const RECT& r, Region& storage) {
    storage = Region::Combine(*t.clip, Region(r), RGN_AND);
    Target c = t;
    c.clip = &storage;
    return c;
}

}  // namespace

extern "C" HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto f = std::unique_ptr<Font>(new (std::nothrow) Font);
    if (!f) return nullptr;
    f->logical = *lplf;
    f->logical.lfFaceName[LF_FACESIZE - 1] = 0;  // a name that fills the field is cut, not overrun
    return static_cast<HFONT>(Register(std::move(f)));
}

extern "C" HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                                    DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                                    DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality,
                                    DWORD iPitchAndFamily, LPCSTR pszFaceName) {
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = BYTE(bItalic != 0);
    lf.lfUnderline = BYTE(bUnderline != 0);
    lf.lfStrikeOut = BYTE(bStrikeOut != 0);
    lf.lfCharSet = BYTE(iCharSet);
    lf.lfOutPrecision = BYTE(iOutPrecision);
    lf.lfClipPrecision = BYTE(iClipPrecision);
    lf.lfQuality = BYTE(iQuality);
    lf.lfPitchAndFamily = BYTE(iPitchAndFamily);
    if (pszFaceName) std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

extern "C" BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                                   const INT* lpDx) {
    Dc* dc = DcOf(hdc);
    Target t;
    if (!dc || (c > 0 && !lpString) || c > 0x7FFFFFFF) return FALSE;
    if (!dc->target(t)) return TRUE;
    RECT box{};
    if (lprect) {
        box = {Coord(lprect->left) + t.dx, Coord(lprect->top) + t.dy, Coord(lprect->right) + t.dx,
               Coord(lprect->bottom) + t.dy};
        if (options & ETO_OPAQUE) FillRectangle(t, box, SolidPaint(dc->pixelFor(dc->state.bk, t.map)), R2_COPYPEN);
    }
    if (c == 0) return TRUE;
    Region storage;
    Target drawTo = (lprect && (options & ETO_CLIPPED)) ? clippedTo(t, box, storage) : t;
    Face face = FaceOfDc(*dc);
    bool updateCp = dc->state.textAlign & TA_UPDATECP;
    POINT ref = updateCp ? dc->state.position : POINT{x, y};
    TextPlacement at;
    at.x = Coord(ref.x) + t.dx;
    at.y = Coord(ref.y) + t.dy;
    at.align = dc->state.textAlign;
    at.opaque = dc->state.bkMode == OPAQUE;
    at.dx = lpDx;
    int width = RenderText(*dc, drawTo, face, at, lpString, int(c));
    if (updateCp) dc->state.position.x = Coord((long long)dc->state.position.x + width);
    return TRUE;
}

extern "C" BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0) return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, UINT(c), nullptr);
}

extern "C" BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    Dc* dc = DcOf(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    Face face = FaceOfDc(*dc);
    psizl->cx = face.textWidth(lpString, c);
    psizl->cy = face.height;
    return TRUE;
}

extern "C" BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR lpString, int c, LPSIZE lpsz) {
    return GetTextExtentPoint32A(hdc, lpString, c, lpsz);
}

extern "C" BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lptm) return FALSE;
    Face face = FaceOfDc(*dc);
    auto* font = As<Font>(dc->state.font);
    *lptm = TEXTMETRICA{};
    lptm->tmHeight = face.height;
    lptm->tmAscent = face.ascent;
    lptm->tmDescent = face.descent;
    lptm->tmInternalLeading = face.internalLeading;
    lptm->tmAveCharWidth = face.averageWidth();
    lptm->tmMaxCharWidth = face.maxWidth();
    lptm->tmWeight = face.weight;
    lptm->tmDigitizedAspectX = lptm->tmDigitizedAspectY = 96;
    lptm->tmFirstChar = kGlyphFirst;
    lptm->tmLastChar = kGlyphLast;
    lptm->tmDefaultChar = '?';
    lptm->tmBreakChar = ' ';
    lptm->tmItalic = face.italic;
    lptm->tmUnderlined = face.underline;
    lptm->tmStruckOut = face.strikeOut;
    // The low pitch bit set means variable pitch; the face is scalable like an outline font.
    lptm->tmPitchAndFamily = BYTE(TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | (font ? (font->logical.lfPitchAndFamily & 0xF0) : FF_SWISS));
    lptm->tmCharSet = font ? font->logical.lfCharSet : ANSI_CHARSET;
    return TRUE;
}

extern "C" int WINAPI GetTextFaceA(HDC hdc, int c, LPSTR lpName) {
    Dc* dc = DcOf(hdc);
    if (!dc) return 0;
    auto* font = As<Font>(dc->state.font);
    const char* name = font && font->logical.lfFaceName[0] ? font->logical.lfFaceName : "Sans Serif";
    int length = int(std::strlen(name));
    if (!lpName) return length + 1;
    if (c <= 0) return 0;
    int n = length < c - 1 ? length : c - 1;
    std::memcpy(lpName, name, std::size_t(n));
    lpName[n] = 0;
    return n + 1;
}
