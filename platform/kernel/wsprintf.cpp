// wsprintfA and wvsprintfA: the Win32 format subset (%d %i %u %x %X %c %s and %S or %ls for
// wide strings; flags "-", "0" and "#"; a width; a precision; "l" and "h" sizes). The output is
// cut at 1,023 characters and a NUL, the original's 1,024-byte limit, so it never runs past
// that. Win32 LONG is 32 bits wide: "%ld" reads an int here, as it does there.
#include "platform/kernel/host_error.h"
#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <string>

namespace {

constexpr int kLimit = 1023;

struct Output {
    LPSTR buffer;
    int count = 0;
    void Put(char c) {
        if (count < kLimit) buffer[count++] = c;
    }
    void Pad(int n, char c) {
        for (; n > 0; --n) Put(c);
    }
};

// Writes body with the field's width and alignment; zeros go after the sign or prefix.
void Field(Output& out, const std::string& prefix, const std::string& body, int width, bool left, bool zero) {
    int pad = width - static_cast<int>(prefix.size() + body.size());
    if (!left && !zero) out.Pad(pad, ' ');
    for (char c : prefix) out.Put(c);
    if (!left && zero) out.Pad(pad, '0');
    for (char c : body) out.Put(c);
    if (left) out.Pad(pad, ' ');
}

std::string Digits(uint32_t value, unsigned base, bool upper, int precision) {
    std::string s;
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do s.insert(s.begin(), digits[value % base]);
    while (value /= base);
    if (precision == 0 && s == "0") s.clear();  // C's rule: no digits for zero at precision 0
    if (precision > static_cast<int>(s.size())) s.insert(0, static_cast<size_t>(precision) - s.size(), '0');
    return s;
}

std::string WideText(LPCWSTR text, int precision) {
    if (!text) return "(null)";
    int needed = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(needed > 0 ? needed : 1), '\0');
    if (needed > 0) WideCharToMultiByte(CP_ACP, 0, text, -1, s.data(), needed, nullptr, nullptr);
    s.resize(std::strlen(s.c_str()));
    if (precision >= 0 && static_cast<size_t>(precision) < s.size()) s.resize(static_cast<size_t>(precision));
    return s;
}

}  // namespace

static int wvsprintfABody(LPSTR lpOutput, LPCSTR lpFmt, va_list arglist) {
    if (!lpOutput) return 0;
    Output out{lpOutput};
    for (const char* f = lpFmt ? lpFmt : ""; *f; ++f) {
        if (*f != '%') {
            out.Put(*f);
            continue;
        }
        ++f;
        bool left = false, zero = false, alternate = false;
        for (;; ++f) {
            if (*f == '-') left = true;
            else if (*f == '0') zero = true;
            else if (*f == '#') alternate = true;
            else break;
        }
        int width = 0, precision = -1;
        for (; *f >= '0' && *f <= '9'; ++f) width = width < 100000 ? width * 10 + (*f - '0') : width;
        if (*f == '.') {
            precision = 0;
            for (++f; *f >= '0' && *f <= '9'; ++f) precision = precision < 100000 ? precision * 10 + (*f - '0') : precision;
        }
        char size = 0;
        if (*f == 'l' || *f == 'h') size = *f++;
        switch (*f) {
        case 'd':
        case 'i': {
            int v = va_arg(arglist, int);
            if (size == 'h') v = static_cast<short>(v);
            uint32_t magnitude = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
            Field(out, v < 0 ? "-" : "", Digits(magnitude, 10, false, precision), width, left, zero && precision < 0);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            uint32_t v = va_arg(arglist, unsigned);
            if (size == 'h') v = static_cast<uint16_t>(v);
            unsigned base = *f == 'u' ? 10 : 16;
            std::string prefix = alternate && base == 16 && v ? (*f == 'x' ? "0x" : "0X") : "";
            Field(out, prefix, Digits(v, base, *f == 'X', precision), width, left, zero && precision < 0);
            break;
        }
        case 'c':
        case 'C': {
            int v = va_arg(arglist, int);
            bool wide = (*f == 'C' && size != 'h') || size == 'l';
            char c = static_cast<char>(v);
            if (wide) {
                WCHAR w[2] = {static_cast<WCHAR>(v), 0};
                c = WideText(w, 1).c_str()[0];
            }
            Field(out, "", std::string(1, c), width, left, false);
            break;
        }
        case 's':
        case 'S': {
            bool wide = (*f == 'S' && size != 'h') || size == 'l';
            std::string text;
            if (wide) {
                text = WideText(va_arg(arglist, LPCWSTR), precision);
            } else {
                LPCSTR s = va_arg(arglist, LPCSTR);
                if (!s) s = "(null)";
                text.assign(s, precision >= 0 ? strnlen(s, static_cast<size_t>(precision)) : std::strlen(s));
            }
            Field(out, "", text, width, left, false);
            break;
        }
        case '\0':
            --f;  // a lone "%" at the end prints nothing
            break;
        default:
            // Not a conversion: the character after "%" is copied, as "%%" copies "%".
            out.Put(*f);
            break;
        }
    }
    lpOutput[out.count] = '\0';
    return out.count;
}

extern "C" int WINAPIV wsprintfA(LPSTR lpOut, LPCSTR lpFmt, ...) {
    va_list args;
    va_start(args, lpFmt);
    int n = wvsprintfA(lpOut, lpFmt, args);
    va_end(args);
    return n;
}

extern "C" int WINAPI wvsprintfA(LPSTR lpOutput, LPCSTR lpFmt, va_list arglist) {
    int n = kernel::NoThrow<int>(-1, [&] { return wvsprintfABody(lpOutput, lpFmt, arglist); });
    if (n >= 0) return n;
    if (lpOutput) lpOutput[0] = '\0';  // a failed format leaves an empty text, never an unended one
    return 0;
}
