// The size rules of the user-defined paper dialog, by device model.
#include "features/form_size_rules.h"

namespace formsize {

namespace {

constexpr uint32_t kLanguageUs = 0x409;
constexpr unsigned kMsgNotEverySource = 1151;
constexpr unsigned kMsgBypassOnly = 1152;

struct ModelRow {
    uint16_t first, last;
    Limits limits;
};

const ModelRow kRows[] = {
    {2047, 2048, {1000, 2970, 1480, 4318}}, {2081, 2081, {1000, 2970, 1480, 4318}},
    {2059, 2059, {980, 3120, 1480, 4572}},  {2065, 2068, {1000, 3200, 1480, 4572}},
    {2084, 2085, {1000, 3200, 1480, 4572}}, {2069, 2069, {1000, 3300, 1480, 4830}},
    {2080, 2080, {1000, 3300, 1480, 4830}}, {2072, 2072, {990, 2970, 1480, 4318}},
    {2078, 2079, {990, 2970, 1480, 4318}},  {2082, 2082, {990, 2970, 1480, 4318}},
    {2073, 2074, {990, 3200, 1400, 4572}},
};

bool Within(uint32_t v, uint32_t lo, uint32_t hi) { return v >= lo && v <= hi; }

// One axis: the value in 0.1 mm, moved onto a bound in inches when the bound reads back as what
// was typed. True when it lies within its range.
bool Axis(uint32_t min, uint32_t max, int unit, uint32_t typed, uint32_t& value) {
    if (Within(value, min, max)) return true;
    if (unit != kUnitInch) return false;
    const uint32_t bound = value < min ? min : max;
    if (TenthMmToHundredthInch(bound) != typed) return false;
    value = bound;
    return true;
}

}  // namespace

Limits LimitsFor(uint16_t model, uint32_t languageId, const Limits& deviceRecord) {
    for (const ModelRow& r : kRows) {
        if (model < r.first || model > r.last) continue;
        Limits l = r.limits;
        if (model == 2059 && languageId == kLanguageUs) l.maxWidth = 2970;
        return l;
    }
    return deviceRecord;
}

uint32_t TenthMmToHundredthInch(uint32_t value) { return static_cast<uint32_t>((uint64_t(value) * 1000 / 254 + 5) / 10); }

uint32_t HundredthInchToTenthMm(uint32_t value) { return static_cast<uint32_t>((uint64_t(value) * 254 + 50) / 100); }

bool ParseFixed(const std::string& text, char separator, int places, uint32_t& steps) {
    if (text.empty() || text.front() == separator) return false;
    uint32_t whole = 0, fraction = 0;
    int decimals = -1;
    for (char c : text) {
        if (c == separator && decimals < 0) {
            decimals = 0;
        } else if (c >= '0' && c <= '9') {
            if (decimals < 0) {
                whole = whole * 10 + uint32_t(c - '0');
                if (whole > 100000) return false;
            } else if (++decimals <= places) {
                fraction = fraction * 10 + uint32_t(c - '0');
            } else {
                return false;
            }
        } else {
            return false;
        }
    }
    uint32_t scale = 1;
    for (int d = 0; d < places; ++d) scale *= 10;
    for (int d = decimals < 0 ? 0 : decimals; d < places; ++d) fraction *= 10;
    steps = whole * scale + fraction;
    return true;
}

bool ParseSize(const std::string& text, int unit, char separator, uint32_t& typed, uint32_t& tenthMm) {
    if (!ParseFixed(text, separator, unit == kUnitInch ? 2 : 1, typed)) return false;
    tenthMm = unit == kUnitInch ? HundredthInchToTenthMm(typed) : typed;
    return true;
}

uint32_t CheckSize(const Limits& limits, int unit, uint32_t typedWidth, uint32_t typedLength, uint32_t& width,
                   uint32_t& length) {
    uint32_t problems = 0;
    if (!Axis(limits.minWidth, limits.maxWidth, unit, typedWidth, width)) problems |= kWidthOutOfRange;
    if (!Axis(limits.minLength, limits.maxLength, unit, typedLength, length)) problems |= kLengthOutOfRange;
    if (length < width) problems |= kLengthBelowWidth;
    return problems;
}

std::vector<unsigned> AdviceFor(uint16_t model, uint32_t width, uint32_t length) {
    std::vector<unsigned> advice;
    if (model == 2059) {
        const bool anyTray = Within(length, 2100, 4318) && Within(width, 1480, 2970);
        if (Within(length, 1397, 4572) && Within(width, 980, 3120) && !anyTray) advice.push_back(kMsgBypassOnly);
        if (!(Within(length, 2100, 4318) && Within(width, 1480, 3120))) advice.push_back(kMsgNotEverySource);
        return advice;
    }
    for (uint16_t m : {1018, 1019, 1029, 1030, 2015, 2020, 2061, 2062})
        if (model == m && !(Within(length, 1820, 4572) && Within(width, 1050, 3050))) advice.push_back(kMsgNotEverySource);
    return advice;
}

}  // namespace formsize
