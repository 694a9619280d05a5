// Fields the page-composition adapters read that have no place named elsewhere: words of the
// driver data, the position bits of the stamp options, and the fields of the model section that
// only these adapters use. Their choice is recorded in data/option-interface.md.
#pragma once

#include "core/datafile/device_data_layout.h"

#include <cstddef>
#include <cstdint>

namespace folxdata {

// Words of the driver data.
inline constexpr size_t kColourFlag = devicedata::kColorState;      // u32, 0 a monochrome model
inline constexpr size_t kPaperClass = devicedata::kDefaultPaper;    // u16
inline constexpr size_t kStacker = devicedata::kStackerWord;        // u32, non-zero: a stacker
inline constexpr size_t kFinisherFlag = devicedata::kFinisherFlag;  // u32
inline constexpr size_t kLanguage = devicedata::kLanguageId;        // u32, 0x409 or 0x411
inline constexpr size_t kCollateFlag = devicedata::kFinisherUnit;   // u32, 0: the host collates
inline constexpr size_t kDefaultSource = devicedata::kDefaultPaperSource;  // u16
inline constexpr size_t kDeviceClass = devicedata::kDeviceClass;    // u16, host code 0x80E
inline constexpr size_t kOutputUnit = devicedata::kOptionRecordUnit;  // u32, 2: host code 0x811
inline constexpr size_t kColourSwitch = devicedata::kColorSwitch;   // u16, 1: set 0x1B keeps bit 14
inline constexpr size_t kMatchingWord = devicedata::kColorState;    // u32, 4: record 0x47C bit 3

// Stamp options 141 to 143: bit 0x1000 prints; the low bits name the position.
inline constexpr uint32_t kPositionBits = 0x0FFF;

}  // namespace folxdata
