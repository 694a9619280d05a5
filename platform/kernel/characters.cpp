// Code-page queries and character stepping: GetACP, the lead-byte tests, CharNextA and
// CharPrevA (a double-byte character is one step, and no step goes past a NUL), and case
// conversion that leaves trail bytes alone.
#include "platform/kernel/code_page.h"

#include <windows.h>

namespace {

bool KnownSingleByte(UINT codePage) {
    switch (codePage) {
    case 437: case 850: case 1250: case 1251: case 1252: case 1253: case 1254: case 1255: case 1256:
    case 1257: case 1258: case 10000: case 20127: case 28591: case 65001:
        return true;
    default:
        return false;
    }
}

template <BYTE (*Convert)(BYTE)>
LPSTR ConvertCase(LPSTR text) {
    // A pointer whose high word is zero carries a single character in its low byte.
    if (!IS_INTRESOURCE(text)) {
        for (BYTE* p = reinterpret_cast<BYTE*>(text); *p; ++p) {
            if (kernel::IsLeadByteHere(*p)) {
                if (!p[1]) break;
                ++p;
            } else {
                *p = Convert(*p);
            }
        }
        return text;
    }
    auto c = static_cast<BYTE>(reinterpret_cast<UINT_PTR>(text));
    return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(Convert(c)));
}

}  // namespace

extern "C" UINT WINAPI GetACP(void) { return kernel::ActiveCodePage(); }

extern "C" UINT WINAPI GetOEMCP(void) { return kernel::ActiveCodePage() == 932 ? 932 : 437; }

extern "C" BOOL WINAPI IsDBCSLeadByte(BYTE TestChar) { return kernel::IsLeadByteHere(TestChar); }

extern "C" BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
    switch (CodePage) {
    case CP_ACP: case CP_THREAD_ACP: return kernel::IsLeadByteHere(TestChar);
    case CP_OEMCP: return kernel::IsLeadByteIn(GetOEMCP(), TestChar);
    case 932: return kernel::IsLeadByteIn(932, TestChar);
    case 936: case 949: case 950: return TestChar >= 0x81 && TestChar <= 0xFE;
    default:
        if (!KnownSingleByte(CodePage)) SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

extern "C" LPSTR WINAPI CharNextA(LPCSTR lpsz) {
    if (!lpsz || !*lpsz) return const_cast<LPSTR>(lpsz);
    // A lead byte followed by the NUL is one character of its own: the NUL is not skipped.
    if (kernel::IsLeadByteHere(static_cast<BYTE>(lpsz[0])) && lpsz[1]) return const_cast<LPSTR>(lpsz + 2);
    return const_cast<LPSTR>(lpsz + 1);
}

extern "C" LPSTR WINAPI CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent) {
    if (!lpszStart || !lpszCurrent || lpszCurrent <= lpszStart) return const_cast<LPSTR>(lpszStart);
    // Only a walk from the start tells a trail byte from a lead byte.
    LPCSTR p = lpszStart;
    for (;;) {
        LPCSTR next = CharNextA(p);
        if (next >= lpszCurrent || next == p) return const_cast<LPSTR>(p);
        p = next;
    }
}

extern "C" LPSTR WINAPI CharUpperA(LPSTR lpsz) { return ConvertCase<kernel::UpperByte>(lpsz); }

extern "C" LPSTR WINAPI CharLowerA(LPSTR lpsz) { return ConvertCase<kernel::LowerByte>(lpsz); }
