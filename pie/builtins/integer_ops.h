// The 32-bit integer operations of the arithmetic built-ins, shared with the direct evaluation
// of "is": results wrap in two's complement as the 32-bit engine produced them, and nothing
// traps (INT_MIN / -1 included). Division and remainder need a divisor other than 0.
#pragma once

#include <cstdint>

inline int32_t pl_wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }
inline int32_t pl_add(int32_t a, int32_t b) { return pl_wrap(int64_t{a} + b); }
inline int32_t pl_subtract(int32_t a, int32_t b) { return pl_wrap(int64_t{a} - b); }
inline int32_t pl_times(int32_t a, int32_t b) { return pl_wrap(int64_t{a} * b); }
inline int32_t pl_divide(int32_t a, int32_t b) { return pl_wrap(int64_t{a} / b); }
inline int32_t pl_remainder(int32_t a, int32_t b) { return pl_wrap(int64_t{a} % b); }
inline int32_t pl_shift_left(int32_t x, int32_t y) {
    return static_cast<int32_t>(static_cast<uint32_t>(x) << (static_cast<uint32_t>(y) & 31));
}
inline int32_t pl_shift_right(int32_t x, int32_t y) { return x >> (static_cast<uint32_t>(y) & 31); }
