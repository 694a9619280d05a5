// Reading the account dialog's texts: letters-and-digits test, or a decimal number that refuses
// what is not one instead of stopping at the first other character.
#include "device/bridges/library_bridges.h"

#include <climits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

int IsAlnumString(const char* text, int mode) {
    if (!text || !*text) return 0;
    if (mode == 2) {
        for (const char* c = text; *c; ++c)
            if (!IsDigit(*c) && !IsLetter(*c)) return -1;
        return 1;
    }
    int value = 0;
    for (const char* c = text; *c; ++c) {
        if (!IsDigit(*c)) return -1;
        const int digit = *c - '0';
        if (value > (INT_MAX - digit) / 10) return -1;
        value = value * 10 + digit;
    }
    return value;
}
