// Font families: the screen's outline families, each drawn by the system's font file of its kind
// (or the built-in face when there is none), and, on a printer's information context, the
// printer's resident device fonts as well, which nothing here can draw and only a printer holds.
#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"

#include <cstring>
#include <strings.h>

using namespace gdi;

namespace {

struct Family {
    const char* name;
    BYTE pitchAndFamily;
};

constexpr Family kFamilies[] = {
    {"Sans Serif", VARIABLE_PITCH | FF_SWISS},
    {"Serif", VARIABLE_PITCH | FF_ROMAN},
    {"Monospace", FIXED_PITCH | FF_MODERN},
    {"Book Serif", VARIABLE_PITCH | FF_ROMAN},
    {"Rounded Sans", VARIABLE_PITCH | FF_SWISS},
    {"Typewriter", FIXED_PITCH | FF_MODERN},
};

// The resident fonts every printer of this machine reports: fixed-size bitmap faces of the
// device, reported as device fonts and never as outline fonts.
constexpr Family kDeviceFonts[] = {
    {"Courier", FIXED_PITCH | FF_MODERN},
    {"CG Times", VARIABLE_PITCH | FF_ROMAN},
    {"Univers", VARIABLE_PITCH | FF_SWISS},
    {"Letter Gothic", FIXED_PITCH | FF_MODERN},
    {"Line Printer", FIXED_PITCH | FF_MODERN},
};

int enumerateDevice(const char* only, FONTENUMPROCA proc, LPARAM lParam) {
    for (const Family& f : kDeviceFonts) {
        if (only && *only && strcasecmp(only, f.name) != 0) continue;
        ENUMLOGFONTEXA elf{};
        LOGFONTA& lf = elf.elfLogFont;
        lf.lfHeight = 50;  // 12 points at 300 dots per inch
        lf.lfWidth = (f.pitchAndFamily & FIXED_PITCH) ? 30 : 0;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = ANSI_CHARSET;
        lf.lfOutPrecision = OUT_DEVICE_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = f.pitchAndFamily;
        std::strncpy(lf.lfFaceName, f.name, LF_FACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfFullName), f.name, LF_FULLFACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfStyle), "Regular", LF_FACESIZE - 1);
        NEWTEXTMETRICEXA tm{};
        tm.ntmTm.tmHeight = 50;
        tm.ntmTm.tmAscent = 40;
        tm.ntmTm.tmDescent = 10;
        tm.ntmTm.tmAveCharWidth = 30;
        tm.ntmTm.tmMaxCharWidth = 30;
        tm.ntmTm.tmWeight = FW_NORMAL;
        tm.ntmTm.tmDigitizedAspectX = tm.ntmTm.tmDigitizedAspectY = 300;
        tm.ntmTm.tmFirstChar = kGlyphFirst;
        tm.ntmTm.tmLastChar = kGlyphLast;
        tm.ntmTm.tmDefaultChar = '?';
        tm.ntmTm.tmBreakChar = ' ';
        tm.ntmTm.tmPitchAndFamily =
            BYTE((f.pitchAndFamily & 0xF0) | TMPF_DEVICE | ((f.pitchAndFamily & FIXED_PITCH) ? 0 : TMPF_FIXED_PITCH));
        tm.ntmTm.tmCharSet = ANSI_CHARSET;
        if (!proc(&lf, reinterpret_cast<const TEXTMETRICA*>(&tm), DEVICE_FONTTYPE, lParam)) return 0;
    }
    return 1;
}

int enumerate(const char* only, BYTE charset, FONTENUMPROCA proc, LPARAM lParam) {
    int result = 1;
    for (const Family& f : kFamilies) {
        if (only && *only && strcasecmp(only, f.name) != 0) continue;
        ENUMLOGFONTEXA elf{};
        LOGFONTA& lf = elf.elfLogFont;
        LOGFONTA named{};
        std::strncpy(named.lfFaceName, f.name, LF_FACESIZE - 1);
        Face face = FaceOf(named);
        lf.lfHeight = face.height;
        lf.lfWidth = face.averageWidth();
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = charset == DEFAULT_CHARSET ? ANSI_CHARSET : charset;
        lf.lfOutPrecision = OUT_TT_PRECIS;
        lf.lfQuality = PROOF_QUALITY;
        lf.lfPitchAndFamily = f.pitchAndFamily;
        std::strncpy(lf.lfFaceName, f.name, LF_FACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfFullName), f.name, LF_FULLFACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfStyle), "Regular", LF_FACESIZE - 1);
        std::strncpy(reinterpret_cast<char*>(elf.elfScript), "Western", LF_FACESIZE - 1);
        NEWTEXTMETRICEXA tm{};
        tm.ntmTm.tmHeight = face.height;
        tm.ntmTm.tmAscent = face.ascent;
        tm.ntmTm.tmDescent = face.descent;
        tm.ntmTm.tmInternalLeading = face.internalLeading;
        tm.ntmTm.tmAveCharWidth = face.averageWidth();
        tm.ntmTm.tmMaxCharWidth = face.maxWidth();
        tm.ntmTm.tmWeight = FW_NORMAL;
        tm.ntmTm.tmDigitizedAspectX = tm.ntmTm.tmDigitizedAspectY = 96;
        tm.ntmTm.tmFirstChar = kGlyphFirst;
        tm.ntmTm.tmLastChar = kGlyphLast;
        tm.ntmTm.tmDefaultChar = '?';
        tm.ntmTm.tmBreakChar = ' ';
        tm.ntmTm.tmPitchAndFamily = BYTE((f.pitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE |
                                         ((f.pitchAndFamily & FIXED_PITCH) ? 0 : TMPF_FIXED_PITCH));
        tm.ntmTm.tmCharSet = lf.lfCharSet;
        tm.ntmTm.ntmSizeEM = 2048;
        tm.ntmTm.ntmCellHeight = UINT(face.height);
        tm.ntmTm.ntmAvgWidth = UINT(face.averageWidth());
        result = proc(&lf, reinterpret_cast<const TEXTMETRICA*>(&tm), TRUETYPE_FONTTYPE, lParam);
        if (!result) break;
    }
    return result;
}

}  // namespace

extern "C" int WINAPI EnumFontFamiliesA(HDC hdc, LPCSTR lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lpProc) return 0;
    if (dc->printer && !enumerateDevice(lpLogfont, lpProc, lParam)) return 0;
    return enumerate(lpLogfont, ANSI_CHARSET, lpProc, lParam);
}

extern "C" int WINAPI EnumFontFamiliesExA(HDC hdc, LPLOGFONTA lpLogfont, FONTENUMPROCA lpProc, LPARAM lParam, DWORD) {
    Dc* dc = DcOf(hdc);
    if (!dc || !lpProc || !lpLogfont) return 0;
    char name[LF_FACESIZE];
    std::memcpy(name, lpLogfont->lfFaceName, LF_FACESIZE);
    name[LF_FACESIZE - 1] = 0;
    if (dc->printer && !enumerateDevice(name, lpProc, lParam)) return 0;
    return enumerate(name, lpLogfont->lfCharSet, lpProc, lParam);
}
