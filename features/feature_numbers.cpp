// Parsing of the numbers the feature dialogs take; every bound is checked on 64-bit values so
// that no typed text overflows on its way to the range test.
#include "features/feature_numbers.h"

namespace {

constexpr uint32_t kPartLimit = 100000000;  // more digits than any field takes
constexpr int64_t kAdjustmentLimit = 65535;
constexpr int64_t kMillimetreLimit = 255;
constexpr int64_t kHundredthInchLimit = 100;

}  // namespace

int64_t TypedDecimal::Scaled(int decimals) const {
    int64_t value = whole;
    for (int i = 0; i < decimals; ++i) value *= 10;
    int64_t part = fraction;
    for (int i = fractionDigits; i > decimals; --i) part /= 10;
    for (int i = fractionDigits; i < decimals; ++i) part *= 10;
    value += part;
    return negative ? -value : value;
}

std::optional<TypedDecimal> ParseTypedDecimal(std::string_view text, char separator, bool allowMinus) {
    TypedDecimal d;
    bool separated = false, digits = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i == 0 && (c == '+' || (allowMinus && c == '-'))) {
            d.negative = c == '-';
        } else if (c == separator && !separated) {
            separated = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            uint32_t& part = separated ? d.fraction : d.whole;
            if (part >= kPartLimit) return std::nullopt;
            part = part * 10 + uint32_t(c - '0');
            if (separated) ++d.fractionDigits;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return d;
}

bool IsValidAdjustment(std::string_view text, char separator) {
    const std::optional<TypedDecimal> d = ParseTypedDecimal(text, separator, true);
    if (!d) return false;
    const int64_t tenths = d->Scaled(1);
    return (tenths < 0 ? -tenths : tenths) <= kAdjustmentLimit;
}

bool IsValidShift(std::string_view text, char separator, bool required, uint16_t unit) {
    if (text.empty()) return !required;
    const std::optional<TypedDecimal> d = ParseTypedDecimal(text, separator, false);
    if (!d || d->Scaled(0) > kAdjustmentLimit) return false;
    if (unit == 0) return d->Scaled(0) < kMillimetreLimit;
    return d->Scaled(2) <= kHundredthInchLimit;
}
