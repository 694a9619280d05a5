// How the device's own codes and names become the driver's values: paper sizes, media ids, media
// kinds, finisher codes and the memory size. The maps are fixed by the devices; the inputs come
// from the device, so every arithmetic here saturates instead of wrapping.
#pragma once

#include <cstdint>

// What the maps read of the printer besides the code.
struct OptionCodeContext {
    uint16_t model = 0;
    uint32_t languageId = 0;  // the data file's language id; 0x411 selects the Japanese sizes
    uint16_t paperSet = 0;    // the model description's paper-set word
    bool Japanese() const { return languageId == 0x411; }
};

inline constexpr int16_t kUnknownCode = -2;  // a media code or kind name the maps do not know
inline constexpr int16_t kUnknownPaper = -3;

// Device paper-size code to the driver's paper size: the full map of the configuration replies
// and the shorter one of the direct query.
int16_t PaperSizeFromDevice(uint32_t code, const OptionCodeContext& c);
int16_t PaperSizeFromDeviceShort(uint32_t code, const OptionCodeContext& c);
// Device media code to the media id; kUnknownCode for a code not listed.
int16_t MediaIdFromDevice(uint32_t code, uint16_t model);
// Media kind name (exact, case-sensitive) to its code; kUnknownCode for any other name.
int16_t MediaKindFromName(const char* name);
// The finisher code of an accessory name for the model: -1 when the model has a table and the
// name is not in it, -2 when the model has no table (its finisher byte is left alone).
int FinisherCodeForName(uint16_t model, const char* name);
bool ModelHasFinisherTable(uint16_t model);

// Memory in device units times 1000, saturated at the 32-bit range.
uint32_t MemoryTimes1000(uint64_t units);
// a - b, never below 0.
uint64_t SaturatingSub(uint64_t a, uint64_t b);
