// Cycle detection for walks that follow one link at a time without a native level per step (list
// tails, the last argument of a term): a finite term never brings such a walk back to a place it
// stood on, a cyclic one does, and Brent's method sees it within twice the cycle's length at the
// cost of a comparison per step. The walk then ends in error 4102, like a term too deep.
#pragma once

#include <cstdint>

class PlCycleCheck {
public:
    // True when the walk stands where it stood before: (a, b) is its place, c and d the place of
    // the other side when two terms are walked together.
    bool seen(const void* a, const void* b, const void* c = nullptr, const void* d = nullptr) {
        if (a == saved_[0] && b == saved_[1] && c == saved_[2] && d == saved_[3]) return true;
        if (++steps_ == power_) {
            saved_[0] = a, saved_[1] = b, saved_[2] = c, saved_[3] = d;
            power_ <<= 1;
            steps_ = 0;
        }
        return false;
    }

private:
    const void* saved_[4] = {reinterpret_cast<const void*>(1), nullptr, nullptr, nullptr};
    uint64_t power_ = 1;
    uint64_t steps_ = 0;
};
