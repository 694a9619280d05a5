// The lstr string functions. As on the original, a null pointer is answered (0 or null)
// rather than followed. lstrcmpA and lstrcmpiA order as the system's word sort does in the
// cases the driver meets: punctuation before digits before letters, letters without regard to
// case, and for lstrcmpA a lower-case letter before its capital when nothing else differs.
#include "platform/kernel/code_page.h"

#include <windows.h>

#include <cstring>

namespace {

// Primary sort weight: class in the high byte, the upper-cased byte below.
int Weight(BYTE b) {
    BYTE u = kernel::UpperByte(b);
    int klass = b < 0x20 ? 0 : (u >= '0' && u <= '9') ? 2 : (u >= 'A' && u <= 'Z') || u >= 0xC0 ? 3 : b >= 0x80 ? 4 : 1;
    return klass << 8 | u;
}

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

int Compare(LPCSTR a, LPCSTR b, bool caseMatters) {
    if (!a || !b) return a == b ? 0 : a ? 1 : -1;
    const auto* x = reinterpret_cast<const BYTE*>(a);
    const auto* y = reinterpret_cast<const BYTE*>(b);
    int caseOrder = 0;
    for (;; ++x, ++y) {
        if (!*x || !*y) {
            if (*x || *y) return *x ? 1 : -1;
            return caseMatters ? caseOrder : 0;
        }
        if (int d = Weight(*x) - Weight(*y)) return Sign(d);
        // The trail bytes of one double-byte character compare as they are, never folded.
        if (kernel::IsLeadByteHere(*x) && x[1] && y[1]) {
            ++x;
            ++y;
            if (*x != *y) return *x < *y ? -1 : 1;
            continue;
        }
        // The same letter in another case: lower case first, decided only when all else ties.
        if (caseOrder == 0 && *x != *y) caseOrder = kernel::LowerByte(*x) == *x ? -1 : 1;
    }
}

}  // namespace

extern "C" int WINAPI lstrlenA(LPCSTR lpString) { return lpString ? static_cast<int>(std::strlen(lpString)) : 0; }

extern "C" LPSTR WINAPI lstrcpyA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2) return nullptr;
    return std::strcpy(lpString1, lpString2);
}

extern "C" LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength) {
    if (!lpString1 || !lpString2) return nullptr;
    if (iMaxLength <= 0) return lpString1;
    size_t n = strnlen(lpString2, static_cast<size_t>(iMaxLength - 1));
    std::memmove(lpString1, lpString2, n);
    lpString1[n] = '\0';
    return lpString1;
}

extern "C" LPSTR WINAPI lstrcatA(LPSTR lpString1, LPCSTR lpString2) {
    if (!lpString1 || !lpString2) return nullptr;
    return std::strcat(lpString1, lpString2);
}

extern "C" int WINAPI lstrcmpA(LPCSTR lpString1, LPCSTR lpString2) { return Compare(lpString1, lpString2, true); }

extern "C" int WINAPI lstrcmpiA(LPCSTR lpString1, LPCSTR lpString2) { return Compare(lpString1, lpString2, false); }
