// Character tests and the decimal reader of the rule scanners.
#include "settings/rules/rule_chars.h"

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsSpaceChar(unsigned char c) {
    return c == ' ' || c == '\f' || c == '\n' || c == '\r' || c == '\t' || c == '\v';
}

int32_t ParseDecimal(std::string_view digits) {
    int64_t value = 0;
    for (char c : digits) {
        if (!IsAsciiDigit(static_cast<unsigned char>(c))) return -1;
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) {
            // Keep checking the rest: a later non-digit still makes the text -1.
            for (char rest : digits)
                if (!IsAsciiDigit(static_cast<unsigned char>(rest))) return -1;
            return 0;
        }
    }
    return static_cast<int32_t>(value);
}
