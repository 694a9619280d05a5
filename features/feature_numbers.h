// Numbers typed into the feature dialogs: the tab shift and the sheet shift (one value checked
// against the unit's range) and the finishing adjustments (signed, one decimal kept).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A typed decimal: an optional sign (minus only where allowed) as the first character, digits
// and at most one separator. The integer part, the fraction as typed and its number of digits.
struct TypedDecimal {
    bool negative = false;
    uint32_t whole = 0;
    uint32_t fraction = 0;
    int fractionDigits = 0;

    // The value in units of 10^-decimals of the typed unit, cut (not rounded) beyond them;
    // negative when typed so.
    int64_t Scaled(int decimals) const;
};

// Null for an empty text, a sign elsewhere than first, a second separator, any other character,
// no digit at all, or more digits than a 32-bit part holds.
std::optional<TypedDecimal> ParseTypedDecimal(std::string_view text, char separator, bool allowMinus);

// A finishing adjustment: accepted when its magnitude, scaled to one decimal, lies in 0 to 65535.
bool IsValidAdjustment(std::string_view text, char separator);

// The single-number check of the tab and sheet shift. An empty text is accepted unless a value is
// required. Unit 0 (millimetres): the value in whole millimetres must be below 255; any other unit
// (inches): the value in hundredths of an inch must lie in 0 to 100 (0 to 25.4 mm).
bool IsValidShift(std::string_view text, char separator, bool required, uint16_t unit);
