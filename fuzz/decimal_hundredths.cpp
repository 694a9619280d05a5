// Fuzz target of typed decimals read in hundredths: any text either is refused or reads as a
// value that, written back with two decimals, reads as the same value again.
#include "core/helpers/dialog_helpers.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const WORD value = ParseDecimalHundredths(nullptr, text.c_str());
    if (value == kNotHundredths) return 0;
    char again[16];
    std::snprintf(again, sizeof again, "%u.%02u", value / 100u, value % 100u);
    if (ParseDecimalHundredths(nullptr, again) != value) std::abort();
    return 0;
}
