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

// The comparisons of two integers among the built-ins, as the functor of one names it
// (PlFunctor::comparison; 0 stands for none): each the orders it holds for, a bit for each, from
// less (bit 0) through equal to greater (bit 2).
enum PlComparison : uint8_t {
    PL_COMPARE_LESS = 1,
    PL_COMPARE_EQ = 2,
    PL_COMPARE_LEQ = 3,
    PL_COMPARE_GREATER = 4,
    PL_COMPARE_NE = 5,
    PL_COMPARE_GEQ = 6,
};
// Whether a comparison known only when it runs holds for a and b: the bit of their order.
inline bool pl_compare(uint8_t comparison, int32_t a, int32_t b) {
    const int order = (a > b) - (a < b) + 1;
    return (comparison >> order) & 1;
}
