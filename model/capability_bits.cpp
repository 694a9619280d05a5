// Media values to capability bits. Bit 1 (2) is the catch-all for media the table does not
// know, so that such a source still counts as holding "some other" media.
#include "model/capability_bits.h"

namespace {

struct Row {
    int16_t value;
    uint32_t bit;
};

constexpr Row kRows[] = {
    {-1, 0x1},     // automatic
    {2, 0x4},      // plain
    {3, 0x8},      // thick
    {4, 0x10},     // transparency
    {9, 0x20},     // recycled
    {10, 0x40},    // letterhead
    {12, 0x80},    // labels
    {15, 0x100},   // envelope
};

}  // namespace

uint32_t PaperSourceToCapabilityBit(int16_t value) {
    if (value == -2) return 0;
    for (const Row& r : kRows)
        if (r.value == value) return r.bit;
    return 0x2;
}
