// One entry of the printer's user-paper table and its two stored layouts: the current 115-byte
// entry and the 114-byte entry of the older five-entry value, which is still found on printers
// set up by earlier versions. Stored bytes are decoded field by field and every text is cut to
// its field, so a forged or damaged value never yields an unterminated name.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace userpaper {

inline constexpr size_t kEntrySize = 115;
inline constexpr size_t kOldEntrySize = 114;
inline constexpr size_t kMaxEntries = 6;
// Six entries and the zeroed one that ends the table.
inline constexpr size_t kTableRoom = (kMaxEntries + 1) * kEntrySize;
inline constexpr size_t kOldEntries = 5;
inline constexpr size_t kOldTableSize = kOldEntries * kOldEntrySize;
static_assert(kTableRoom == 805 && kOldTableSize == 570);

inline constexpr size_t kLabelRoom = 30;
inline constexpr size_t kNameRoom = 65;
inline constexpr size_t kOldLabelRoom = 10;

inline constexpr int16_t kKindCustom = 5;  // mirrors the device mode's custom size
inline constexpr int16_t kKindUnused = -1;
inline constexpr uint16_t kUnitInch = 0;
inline constexpr uint16_t kUnitMm = 1;

inline constexpr uint16_t kVersionOld = 1;
inline constexpr uint16_t kVersionCurrent = 2;

struct Entry {
    std::string label;  // at most 29 characters; an empty label ends the stored table
    std::string name;   // at most 64 characters
    int16_t kind = kKindUnused;
    uint16_t unit = kUnitMm;
    uint32_t lengthMm = 0;    // 1/100 mm
    uint32_t widthMm = 0;     // 1/100 mm
    uint32_t lengthInch = 0;  // 1/100 inch
    uint32_t widthInch = 0;   // 1/100 inch

    bool operator==(const Entry&) const = default;
};

// Conversions between the units the table and the device mode use; any other mode gives 0.
enum ConvertMode : int { kTenthMmToInch = 0, kInchToMm = 1, kMmToInch = 2 };
uint32_t ConvertLength(uint32_t value, int mode);

// The entries of a stored value up to the first with an empty label, at most kMaxEntries.
// False when the size does not fit the layout of that version (570 bytes for version 1, a
// whole number of entries up to 805 bytes for version 2) or the version is unknown.
bool DecodeTable(ByteView stored, uint16_t version, std::vector<Entry>& entries);
// The current layout: the entries and one zeroed entry behind them.
std::vector<uint8_t> EncodeTable(const std::vector<Entry>& entries);

}  // namespace userpaper
