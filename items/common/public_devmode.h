// The fields of the public DEVMODE that the page-setup items read and write directly
// (orientation, paper, copies, form name and the field mask), through checked views of the
// public part, so that a null device mode reads as 0 and takes no write.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace publicdm {

inline constexpr size_t kFields = offsetof(DEVMODEA, dmFields);            // 40
inline constexpr size_t kOrientation = offsetof(DEVMODEA, dmOrientation);  // 44
inline constexpr size_t kPaperSize = offsetof(DEVMODEA, dmPaperSize);      // 46
inline constexpr size_t kPaperLength = offsetof(DEVMODEA, dmPaperLength);  // 48
inline constexpr size_t kPaperWidth = offsetof(DEVMODEA, dmPaperWidth);    // 50
inline constexpr size_t kCopies = offsetof(DEVMODEA, dmCopies);            // 54
inline constexpr size_t kFormName = offsetof(DEVMODEA, dmFormName);        // 70
inline constexpr size_t kFormNameSize = 32;
static_assert(kFields == 40 && kOrientation == 44 && kPaperSize == 46 && kPaperLength == 48 &&
              kPaperWidth == 50 && kCopies == 54 && kFormName == 70);

uint16_t U16(const uint8_t* devmode, size_t offset);
uint32_t U32(const uint8_t* devmode, size_t offset);
void PutU16(uint8_t* devmode, size_t offset, uint16_t value);
void PutU32(uint8_t* devmode, size_t offset, uint32_t value);
// The form name, zero-filled to its 32 bytes and always ending in a NUL.
void PutFormName(uint8_t* devmode, const char* name);

}  // namespace publicdm
