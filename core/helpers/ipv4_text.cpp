// The address text parser. Leading zeros are refused ("010" reads as octal to some tools and as
// decimal to others), and so are signs and spaces, so that one text means one address.
#include "core/helpers/ipv4_text.h"

BOOL IsIpv4Text(LPCSTR text, BYTE* out, DWORD size) {
    if (!text || !out || size < 4) return FALSE;
    BYTE parts[4];
    const char* p = text;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && *p++ != '.') return FALSE;
        if (*p < '0' || *p > '9') return FALSE;
        if (*p == '0' && p[1] >= '0' && p[1] <= '9') return FALSE;
        unsigned value = 0;
        int digits = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            if (++digits > 3 || (value = value * 10 + static_cast<unsigned>(*p - '0')) > 255) return FALSE;
        parts[part] = static_cast<BYTE>(value);
    }
    if (*p) return FALSE;
    for (int i = 0; i < 4; ++i) out[i] = parts[i];
    return TRUE;
}
