// The size rules of the user-defined paper dialog: the range of widths and lengths a model takes,
// the reading of a typed size in either unit, the problems of a size in the order their messages
// are shown, and the advice for sizes some paper sources cannot feed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace formsize {

// Units of the dialog: the user chooses between them.
inline constexpr int kUnitMm = 1;
inline constexpr int kUnitInch = 2;

// Widths and lengths in 0.1 mm.
struct Limits {
    uint32_t minWidth = 0, maxWidth = 0, minLength = 0, maxLength = 0;
};

// The model's range; a model the table does not name takes the device data's user-paper record.
Limits LimitsFor(uint16_t model, uint32_t languageId, const Limits& deviceRecord);

// 0.1 mm to 1/100 inch, rounded; 1/100 inch to 0.1 mm, rounded.
uint32_t TenthMmToHundredthInch(uint32_t value);
uint32_t HundredthInchToTenthMm(uint32_t value);

// A typed decimal: digits with at most one separator, not in front, and at most `places`
// decimals (1 or 2). `steps` is the value in units of the last place. False for anything else.
bool ParseFixed(const std::string& text, char separator, int places, uint32_t& steps);

// A typed size: digits with at most one separator, not in front, and at most one decimal in
// millimetres or two in inches. `typed` is the value in the unit's own steps (0.1 mm or
// 1/100 inch), `tenthMm` the same in 0.1 mm. False for anything else.
bool ParseSize(const std::string& text, int unit, char separator, uint32_t& typed, uint32_t& tenthMm);

// Problems of a size (bits, as the messages are shown: width first).
inline constexpr uint32_t kLengthOutOfRange = 0x01;
inline constexpr uint32_t kWidthOutOfRange = 0x02;
inline constexpr uint32_t kLengthBelowWidth = 0x04;

// Checks a parsed size against the limits. In inches a value one step beyond a bound whose
// bound reads back as the typed value is taken as the bound itself (the limits are metric and a
// bound need not be a whole number of 1/100 inch); width and length may be moved to that bound.
uint32_t CheckSize(const Limits& limits, int unit, uint32_t typedWidth, uint32_t typedLength, uint32_t& width,
                   uint32_t& length);

// The advisory messages (1152, 1151) for a size within range, in the order they are shown.
std::vector<unsigned> AdviceFor(uint16_t model, uint32_t width, uint32_t length);

}  // namespace formsize
