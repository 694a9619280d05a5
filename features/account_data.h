// The stored job-account record of one printer: the 32-byte "DATA" value and the two older forms
// earlier versions wrote (40 and 44 bytes, with a numeric id). Stored bytes are decoded here
// into the current record, told apart by the size the registry gave, with the id always
// terminated inside its field.
#pragma once

#include "core/helpers/byte_view.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace account {

inline constexpr size_t kRecordSize = 32;
inline constexpr size_t kOldSize = 40;
inline constexpr size_t kOldLongSize = 44;
inline constexpr uint16_t kVersion = 2;

inline constexpr size_t kOffSize = 0;
inline constexpr size_t kOffVersion = 2;
inline constexpr size_t kOffId = 4;
inline constexpr size_t kIdRoom = 8;  // at most 7 characters and the terminator
inline constexpr size_t kOffCodeDigits = 12;
inline constexpr size_t kOffCode = 13;
inline constexpr size_t kCodeFieldSize = 10;  // digits, value and five bytes kept as read
inline constexpr size_t kOffFlag = 24;
static_assert(kOffId + kIdRoom == kOffCodeDigits && kOffCodeDigits + kCodeFieldSize <= kOffFlag &&
              kOffFlag + 4 <= kRecordSize);

using Record = std::array<uint8_t, kRecordSize>;

// Size 32, version 2, no id, flag 1.
Record DefaultRecord();

// The value as the registry gave it: 32 bytes as they are, 40 or 44 bytes converted from the
// older form; false for any other size (the record is then the default).
bool DecodeRecord(ByteView stored, Record& record);

// A numeric field {digit count, value} as text, left-padded with "0" to the digit count; empty
// for a digit count of 0 and for a text that would not fit the id field.
std::string FormatNumber(uint8_t digits, uint32_t value);

}  // namespace account
