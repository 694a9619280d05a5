// FILETIME arithmetic: 100-nanosecond intervals since 1 January 1601 (UTC), as a 64-bit count.
#pragma once

#include <windef.h>

#include <ctime>

namespace kernel {

inline constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
inline constexpr int64_t kTicksPerSecond = 10000000LL;

inline uint64_t TicksOf(const FILETIME& ft) {
    return (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

inline FILETIME FileTimeOfTicks(uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

inline FILETIME FileTimeOf(const timespec& ts) {
    int64_t ticks = (static_cast<int64_t>(ts.tv_sec) + kSecondsFrom1601To1970) * kTicksPerSecond + ts.tv_nsec / 100;
    return FileTimeOfTicks(ticks < 0 ? 0 : static_cast<uint64_t>(ticks));
}

}  // namespace kernel
