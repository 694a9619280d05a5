// Length conversions and the effective orientation. The arithmetic runs in 64 bits: a value of
// more than about two million would overflow the 32-bit products.
#include "core/helpers/units.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
LONG Clamp(std::int64_t value) {
    return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                      std::numeric_limits<LONG>::max()));
}
}  // namespace

LONG HundredthInchToTenthMm(LONG value) { return Clamp((std::int64_t{value} * 254 / 10 + 5) / 10); }

LONG TenthMmToHundredthInch(LONG value) { return Clamp((std::int64_t{value} * 1000 / 254 + 5) / 10); }

LONG MmToInchRounded(LONG value) {
    const std::int64_t v = value;
    return Clamp(v >= 0 ? (100 * v + 127) / 254 : -((-100 * v + 127) / 254));
}

LONG MapRotationCode(LONG option124, LONG option126, LONG orientation) {
    const bool rotated =
        option124 == 2 || (option124 == 3 && (option126 == 0 || option126 == 2 || option126 == 3));
    if (!rotated) return orientation;
    return orientation == 1 ? 2 : 1;
}
