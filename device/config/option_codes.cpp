// The code maps of the device's answers and the per-model finisher names. The finisher tables
// name the finishing accessories each model family can carry, with the code the device-option
// data stores for it; the first exact match wins.
#include "device/config/option_codes.h"

#include "device/config/model_sets.h"

#include <cstring>
#include <initializer_list>

namespace {

using devconfig::In;

struct FinisherName {
    const char* name;
    uint8_t code;
};

// The bundled family (2059, 2071) and its relatives share one table.
constexpr FinisherName kKelvaroFinishers[] = {
    {"Finisher FS-1", 0x21}, {"Saddle Finisher SD-1", 0x22}, {"Staple Finisher FS-2", 0x21}, {nullptr, 0}};
constexpr FinisherName kOfficeFinishers[] = {
    {"Finisher Q1", 15}, {"Finisher Q2", 16}, {"Saddle Finisher Q3", 17}, {"Booklet Finisher R1", 20},
    {"Finisher R2", 21}, {"Saddle Finisher R3", 25}, {nullptr, 0}};

const FinisherName* FinisherTable(uint16_t model) {
    if (In(model, {2059, 2071, 2075, 2069, 2080})) return kKelvaroFinishers;
    if (In(model, {1023, 1025, 1027, 1028, 2016, 2021, 2038, 2040, 2054, 2056, 2057, 2058})) return kOfficeFinishers;
    return nullptr;
}

}  // namespace

int16_t PaperSizeFromDevice(uint32_t code, const OptionCodeContext& c) {
    const bool j = c.Japanese();
    switch (code) {
    case 0: return 0;
    case 1: return 8;
    case 2: return 9;
    case 3: return 11;
    case 6: return 12;
    case 7: return 13;
    case 10: return 7;
    case 11: return j ? 3 : 17;
    case 12: return 5;
    case 13: return 1;
    case 14: return j ? 43 : 0;
    case 15: return j ? 82 : 0;
    case 19: return 256;
    case 21: return j ? 0 : 28;
    case 22: return j ? 0 : 20;
    case 23: return j ? 0 : 37;
    case 24: return j ? 0 : 27;
    case 25: return j ? 0 : 34;
    case 26: return j ? 91 : 0;
    case 27: return j ? 71 : 0;
    case 55: return j ? 4300 : 0;
    case 60: return 6;
    case 64: return 4600;
    case 74: return 4318;
    case 78: return 256;
    case 102: return 4446;
    case 111: return 4323;
    case 193: return j ? 73 : 0;
    case 211: return !j && c.paperSet == 2 ? 4327 : 0;
    case 212: return !j && c.paperSet == 2 ? 4328 : 0;
    default: break;
    }
    if ((code >= 61 && code <= 63) || (code >= 201 && code <= 210))
        return c.paperSet == 1 || c.paperSet == 2 ? kUnknownPaper : 0;
    return c.model == 12 || c.model == 15 ? kUnknownPaper : 0;
}

int16_t PaperSizeFromDeviceShort(uint32_t code, const OptionCodeContext& c) {
    static constexpr int16_t kEnvelopes[] = {28, 20, 37, 27, 34};
    if (code == 11) return 17;
    if (code >= 21 && code <= 25) return kEnvelopes[code - 21];
    if ((code >= 61 && code <= 63) || (code >= 201 && code <= 210)) return c.paperSet == 1 ? kUnknownPaper : 0;
    if (code <= 3 || code == 6 || code == 7 || code == 10 || (code >= 12 && code <= 14) || code == 19 ||
        code == 26 || code == 60 || code == 78)
        return PaperSizeFromDevice(code, c);
    return 0;
}

int16_t MediaIdFromDevice(uint32_t code, uint16_t m) {
    if (code >= 67 && code <= 76) return static_cast<int16_t>(code + 5);
    if (code >= 78 && code <= 82) return static_cast<int16_t>(code + 5);
    if (code >= 83 && code <= 89) return static_cast<int16_t>(code + 6);
    switch (code) {
    case 3: return 2;
    case 4: return 4;
    case 6: return 15;
    case 7: return 12;
    case 8: return In(m, {2069, 2071, 2080}) ? 34 : 3;
    case 10: return 8;
    case 11: return 9;
    case 12: return 17;
    case 13: return 24;
    case 16: return 10;
    case 18: return 21;
    case 19: return 11;
    case 20: return 14;
    case 25: return 16;
    case 26: return 19;
    case 33: return 18;
    case 34: return 22;
    case 36: return 5;
    case 39: return 23;
    case 42:
        return In(m, {1023, 1027, 2016, 2021, 2035, 2036, 2042, 2043, 2045, 2053, 2054, 2055, 2056, 2063, 2069, 2071,
                      2075, 2080})
                   ? 36
                   : 7;
    case 43: return 25;
    case 47: return 35;
    case 48: return In(m, {2072, 2078, 2079, 2082}) ? 10 : 26;
    case 49: return 43;
    case 53: return 38;
    case 54: return 37;
    case 55: return 66;
    case 56: return 69;
    case 57: return 71;
    case 77: return m == 2073 ? 5 : 82;
    case 90: return 88;
    default: return kUnknownCode;
    }
}

int16_t MediaKindFromName(const char* name) {
    static constexpr struct {
        const char* name;
        int16_t code;
    } kKinds[] = {{"Plain", 2},         {"Heavypaper", 3},      {"Thinpaper", 8},      {"Recycled", 9},
                  {"Color", 17},        {"Letterhead", 10},     {"Roughpaper", 11},    {"Transparency", 4},
                  {"Labels", 12},       {"Cardstock", 13},      {"Envelope", 15},      {"Preprinted", 1},
                  {"Postcard", 16},     {"Extraheavycardstack", 20}, {"Tracingpaper", 14}, {"Bondpaper", 18},
                  {"Plainpaper2", 19},  {"3Holepunch", 21},     {"ntabpaper", 22},     {"Heavy", 3},
                  {"Transparencies", 4}, {"Special", 33}};
    if (!name) return kUnknownCode;
    for (const auto& k : kKinds)
        if (std::strcmp(k.name, name) == 0) return k.code;
    return kUnknownCode;
}

bool ModelHasFinisherTable(uint16_t model) { return FinisherTable(model) != nullptr; }

int FinisherCodeForName(uint16_t model, const char* name) {
    const FinisherName* table = FinisherTable(model);
    if (!table) return -2;
    for (; name && table->name; ++table)
        if (std::strcmp(table->name, name) == 0) return table->code;
    return -1;
}

uint32_t MemoryTimes1000(uint64_t units) {
    if (units > UINT32_MAX / 1000) return UINT32_MAX;
    return static_cast<uint32_t>(units * 1000);
}

uint64_t SaturatingSub(uint64_t a, uint64_t b) { return a > b ? a - b : 0; }
