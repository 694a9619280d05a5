// The process's active code page (1252 by default, 932 for tests of double-byte text) and the
// byte-level facts every string function needs from it: lead bytes and case folding.
#pragma once

#include <windef.h>

#include <string_view>

namespace kernel {

UINT ActiveCodePage();
// Only 1252 and 932 are supported; the user locale follows (0x0409, or 0x0411 for 932).
void SetActiveCodePage(UINT codePage);

// True when b starts a two-byte character in the code page (932: 0x81-0x9F and 0xE0-0xFC).
bool IsLeadByteIn(UINT codePage, BYTE b);
inline bool IsLeadByteHere(BYTE b) { return IsLeadByteIn(ActiveCodePage(), b); }

// Upper and lower case of a single-byte character of code page 1252; other bytes unchanged.
BYTE UpperByte(BYTE b);
BYTE LowerByte(BYTE b);

// Compares two texts without regard to case, one character at a time: trail bytes of
// double-byte characters are compared as they are. Result <0, 0 or >0.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

}  // namespace kernel
