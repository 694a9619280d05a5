// What the summary's row groups share: places in the private section, the indent flags and the
// value texts of the plain rows.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kPrivateFlagByteA = 170;   // bit 0x10 a paper-handling unit, 0x80 its source
inline constexpr size_t kPrivateSampleWord = 212;  // 1: a sample print, only its own row
inline constexpr size_t kPrivateMediaByte = 347;   // bit 0x02 the paper-source rows, 0x10 mixed media
inline constexpr size_t kPrivateJobTime = 817;     // year, month, day of week, day, hour, minute

inline constexpr uint32_t kSubRow = 0x10;
inline constexpr uint32_t kSubSubRow = 0x20;

inline constexpr unsigned kTextOn = 4250, kTextOff = 4251;
inline constexpr unsigned kTextYes = 8000, kTextNo = 8001, kTextNotInstalled = 8004, kTextInstalled = 8005;
