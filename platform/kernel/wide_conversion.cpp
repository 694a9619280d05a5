// MultiByteToWideChar and WideCharToMultiByte for code pages 1252, 20127 (US-ASCII), 65001
// (UTF-8) and 932. For 932 only a minimal table is kept: ASCII, the half-width katakana, the
// ideographic space, the full-width digits and Latin letters, hiragana, katakana and the
// user-defined area (lead bytes 0xF0-0xF9, U+E000 on). Any other double-byte character reads
// as U+30FB, and characters outside the table write as the default character, as unmappable
// characters do on the original. No best-fit mapping is made in any code page.
#include "platform/kernel/code_page.h"

#include "platform/kernel/host_error.h"
#include <windows.h>

#include <string>

namespace {

constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t kUnknown932 = 0x30FB;

struct Range932 {
    WORD first, last;   // double-byte codes
    char16_t unicode;   // of first
};

// Runs in which consecutive codes map to consecutive characters.
constexpr Range932 kRanges932[] = {
    {0x8140, 0x8140, 0x3000}, {0x824F, 0x8258, 0xFF10}, {0x8260, 0x8279, 0xFF21}, {0x8281, 0x829A, 0xFF41},
    {0x829F, 0x82F1, 0x3041}, {0x8340, 0x837E, 0x30A1}, {0x8380, 0x8396, 0x30E0}};

bool ValidTrail(BYTE b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Position of a trail byte among the 188 valid ones.
int TrailIndex(BYTE b) { return b - 0x40 - (b > 0x7F ? 1 : 0); }
BYTE TrailOf(int index) { return static_cast<BYTE>(index + 0x40 + (index >= 0x3F ? 1 : 0)); }

UINT Resolve(UINT codePage) {
    if (codePage == CP_ACP || codePage == CP_THREAD_ACP) return kernel::ActiveCodePage();
    if (codePage == CP_OEMCP) return kernel::ActiveCodePage() == 932 ? 932 : 0;
    return codePage == 1252 || codePage == 20127 || codePage == 65001 || codePage == 932 ? codePage : 0;
}

// Decodes one character at s[i]; advances i. valid is cleared for bytes the code page lacks.
char32_t Decode(UINT cp, const BYTE* s, size_t n, size_t& i, bool& valid) {
    BYTE b = s[i++];
    valid = true;
    if (b < 0x80) return b;
    switch (cp) {
    case 1252: return b < 0xA0 ? kCp1252High[b - 0x80] : b;
    case 20127: valid = false; return u'?';
    case 932: {
        if (b >= 0xA1 && b <= 0xDF) return 0xFF61 + (b - 0xA1);
        if (!kernel::IsLeadByteIn(932, b) || i >= n || !ValidTrail(s[i])) {
            valid = false;
            return kUnknown932;
        }
        BYTE t = s[i++];
        WORD code = static_cast<WORD>(b << 8 | t);
        if (b >= 0xF0 && b <= 0xF9) return 0xE000 + (b - 0xF0) * 188 + TrailIndex(t);
        for (const auto& r : kRanges932)
            if (code >= r.first && code <= r.last) return r.unicode + (code - r.first);
        return kUnknown932;
    }
    default: {  // UTF-8
        int extra = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : -1;
        char32_t c = extra == 3 ? b & 0x07 : extra == 2 ? b & 0x0F : b & 0x1F;
        if (extra < 0 || i + static_cast<size_t>(extra) > n) {
            valid = false;
            return 0xFFFD;
        }
        for (int k = 0; k < extra; ++k) {
            if ((s[i] & 0xC0) != 0x80) {
                valid = false;
                return 0xFFFD;
            }
            c = c << 6 | (s[i++] & 0x3F);
        }
        bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
        if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            valid = false;
            return 0xFFFD;
        }
        return c;
    }
    }
}

// Encodes one character; false when the code page has no bytes for it.
bool Encode(UINT cp, char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return true;
    }
    switch (cp) {
    case 1252:
        if (c >= 0xA0 && c <= 0xFF) {
            out += static_cast<char>(c);
            return true;
        }
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] == c) {
                out += static_cast<char>(0x80 + k);
                return true;
            }
        }
        return false;
    case 932:
        if (c >= 0xFF61 && c <= 0xFF9F) {
            out += static_cast<char>(0xA1 + (c - 0xFF61));
            return true;
        }
        if (c >= 0xE000 && c < 0xE000 + 10 * 188) {
            out += static_cast<char>(0xF0 + (c - 0xE000) / 188);
            out += static_cast<char>(TrailOf(static_cast<int>((c - 0xE000) % 188)));
            return true;
        }
        for (const auto& r : kRanges932) {
            if (c >= r.unicode && c <= static_cast<char32_t>(r.unicode + (r.last - r.first))) {
                WORD code = static_cast<WORD>(r.first + (c - r.unicode));
                out += static_cast<char>(code >> 8);
                out += static_cast<char>(code & 0xFF);
                return true;
            }
        }
        return false;
    case 65001:
        if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (c & 0x3F));
        return true;
    default:
        return false;
    }
}

// The converted text into the caller's buffer, or only its length when the buffer's size is 0;
// nothing is written when it does not fit.
template <typename Char>
int HandOut(const std::basic_string<Char>& out, Char* buffer, int capacity) {
    if (capacity == 0) return static_cast<int>(out.size());
    if (out.size() > static_cast<size_t>(capacity)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    out.copy(buffer, out.size());
    return static_cast<int>(out.size());
}

}  // namespace

static int MultiByteToWideCharBody(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar) {
    UINT cp = Resolve(CodePage);
    if (!cp || !lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags & ~DWORD(MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    size_t n = cbMultiByte == -1 ? std::char_traits<char>::length(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const auto* s = reinterpret_cast<const BYTE*>(lpMultiByteStr);
    std::u16string out;
    for (size_t i = 0; i < n;) {
        bool valid = true;
        char32_t c = Decode(cp, s, n, i, valid);
        if (!valid && (dwFlags & MB_ERR_INVALID_CHARS)) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return HandOut(out, lpWideCharStr, cchWideChar);
}

static int WideCharToMultiByteBody(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar) {
    UINT cp = Resolve(CodePage);
    if (!cp || !lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr) || (cp == 65001 && (lpDefaultChar || lpUsedDefaultChar))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwFlags & ~DWORD(WC_COMPOSITECHECK | WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_NO_BEST_FIT_CHARS)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    size_t n = cchWideChar == -1 ? std::char_traits<char16_t>::length(lpWideCharStr) + 1
                                 : static_cast<size_t>(cchWideChar);
    char fallback = lpDefaultChar ? *lpDefaultChar : '?';
    bool usedDefault = false;
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        char32_t c = lpWideCharStr[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && lpWideCharStr[i + 1] >= 0xDC00 && lpWideCharStr[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (lpWideCharStr[++i] - 0xDC00);
        else if (cp == 65001 && c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;  // a lone surrogate
        if (!Encode(cp, c, out)) {
            out += fallback;
            usedDefault = true;
        }
    }
    if (lpUsedDefaultChar) *lpUsedDefaultChar = usedDefault;
    return HandOut(out, lpMultiByteStr, cbMultiByte);
}

extern "C" int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar) {
    return kernel::NoThrow<int>(0, [&] {
        return MultiByteToWideCharBody(CodePage, dwFlags, lpMultiByteStr, cbMultiByte, lpWideCharStr, cchWideChar);
    });
}

extern "C" int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                          LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                          LPBOOL lpUsedDefaultChar) {
    return kernel::NoThrow<int>(0, [&] {
        return WideCharToMultiByteBody(CodePage, dwFlags, lpWideCharStr, cchWideChar, lpMultiByteStr, cbMultiByte,
                                       lpDefaultChar, lpUsedDefaultChar);
    });
}
