// Fuzz target of the sizes a person types into the user-defined paper dialog: any text is read
// in either unit or refused; a size taken lies within what six typed characters can say, its
// 0.1 mm value agrees with the unit's own, and the range check only ever moves it onto a bound.
#include "features/form_size_rules.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace formsize;
    if (size == 0) return 0;
    const char separator = static_cast<char>(data[0]);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    for (int unit : {kUnitMm, kUnitInch}) {
        uint32_t typed = 0, tenthMm = 0;
        if (!ParseSize(text, unit, separator, typed, tenthMm)) continue;
        if (text.empty() || text.front() == separator) std::abort();
        if (unit == kUnitMm ? tenthMm != typed : tenthMm != HundredthInchToTenthMm(typed)) std::abort();
        const Limits limits = LimitsFor(2069, 0x409, {});
        uint32_t width = tenthMm, length = tenthMm;
        const uint32_t problems = CheckSize(limits, unit, typed, typed, width, length);
        if (!(problems & kWidthOutOfRange) && (width < limits.minWidth || width > limits.maxWidth)) std::abort();
        if (width != tenthMm && width != limits.minWidth && width != limits.maxWidth) std::abort();
    }
    return 0;
}
