// Tests of a model number (or a paper or media code) against the lists and ranges of models that
// share a behaviour: the configuration's queries and writers branch on them model by model.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace devconfig {

inline bool In(uint16_t m, std::initializer_list<uint16_t> models) {
    for (uint16_t x : models)
        if (x == m) return true;
    return false;
}

inline bool Range(uint16_t m, uint16_t first, uint16_t last) { return m >= first && m <= last; }

}  // namespace devconfig
