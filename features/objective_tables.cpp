// The objective tables and which model takes which. Objective 6 names its description 9734,
// except in table G.
#include "features/objective.h"

#include <iterator>

namespace {

constexpr ObjectiveEntry O1{9727, 1, 9730}, O2{9712, 2, 9721}, O3{9713, 3, 9722}, O4{9725, 4, 9718},
    O5{9714, 5, 9723}, O6{9728, 6, 9734}, O6G{9728, 6, 9724}, O7{9726, 7, 9735};

constexpr ObjectiveEntry kA[] = {O1, O2, O3, O4, O6, O5};
constexpr ObjectiveEntry kB[] = {O1, O2, O3, O4, O6};
constexpr ObjectiveEntry kC[] = {O7, O1, O3, O4, O6};
constexpr ObjectiveEntry kD[] = {O1, O2, O3, O4, O6};
constexpr ObjectiveEntry kE[] = {O7, O3, O4, O1, O6};
constexpr ObjectiveEntry kF[] = {O7, O1, O6};
constexpr ObjectiveEntry kG[] = {O1, O2, O3, O4, O6G, O5};
constexpr ObjectiveEntry kH[] = {O7, O2, O3, O4, O6};
constexpr ObjectiveEntry kI[] = {O1, O2, O3, O4, O6, O5};

struct Range {
    uint16_t first, last;
};
constexpr Range kGroupF[] = {{1018, 1019}, {1023, 1023}, {1025, 1025}, {1027, 1030}, {2015, 2016},
                             {2020, 2021}, {2032, 2033}, {2037, 2041}, {2053, 2058}, {2061, 2062}};
constexpr Range kGroupD[] = {{2046, 2048}, {2070, 2070}, {2072, 2072}, {2076, 2079}, {2081, 2083}, {2086, 2086}};
constexpr Range kGroupE[] = {{2065, 2069}, {2071, 2071}, {2073, 2074}, {2080, 2080}, {2084, 2085}};

template <size_t N>
bool In(const Range (&ranges)[N], uint16_t model) {
    for (const Range& r : ranges)
        if (model >= r.first && model <= r.last) return true;
    return false;
}

template <size_t N>
const ObjectiveEntry* Rows(const ObjectiveEntry (&table)[N], size_t* rows) {
    if (rows) *rows = N;
    return table;
}

}  // namespace

bool IsObjectiveGroupE(uint16_t model) { return In(kGroupE, model); }

const ObjectiveEntry* ObjectiveTableFor(uint16_t model, bool colour, size_t* rows) {
    if (In(kGroupF, model)) return Rows(kF, rows);
    if (model == 1020) return Rows(kI, rows);
    if (model == 1024) return Rows(kG, rows);
    if (model == 2059) return Rows(kH, rows);
    if (In(kGroupD, model)) return Rows(kD, rows);
    if (In(kGroupE, model)) return Rows(kE, rows);
    if (model == 2075) return Rows(kC, rows);
    return colour ? Rows(kB, rows) : Rows(kA, rows);
}
