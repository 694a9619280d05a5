// The fields of the device-option block that merge whole. Everything else (the flag and mask
// words, the media bit set, and the bytes no field of this driver names) merges bit by bit, so
// that two processes that changed different bits both keep their change.
#include "core/devmode/device_option_merge.h"

#include "core/devmode/device_option_block.h"

#include <cstddef>
#include <cstring>

namespace devopt {
namespace {

struct Whole {
    uint16_t offset;  // in the block of the current layout, whose data part starts at kValueAreaEnd
    uint16_t width;
};

constexpr uint16_t D(size_t dataPosition) { return static_cast<uint16_t>(kValueAreaEnd + dataPosition); }

constexpr Whole kWholeFields[] = {
    {kOffTotalSize, 4}, {kOffVersion, 4}, {kOffDataOffset, 2},
    {18, 2}, {20, 2}, {22, 2}, {24, 2}, {26, 2}, {28, 2},  // the numbered 16-bit values
    {D(kFinisherCode), 1}, {D(kSourceTableValid), 2}, {D(kMemorySize), 4}, {D(kDeckCount), 2},
    {D(kAccountSubMode), 2}, {D(kDepartmentId), 16}, {D(kDepartmentPassword), 16}, {D(kPuncherKind), 2},
    {D(kDeviceNameVariant), 2}, {D(kOwnerNameSource), 2}, {D(kOwnerName), 33},
};

constexpr Whole kWholeSlotFields[] = {
    {kSlotSourceCode, 2}, {kSlotPaperSize, 2}, {kSlotSourceKind, 2}, {kSlotMediaId, 2},
    {kSlotName, 18},      {kSlotLevel, 2},     {kSlotCustomMedia, 2},
};

void takeWhole(const uint8_t* base, const uint8_t* mine, uint8_t* stored, size_t offset, size_t width) {
    if (std::memcmp(base + offset, mine + offset, width) != 0) std::memcpy(stored + offset, mine + offset, width);
}

}  // namespace

void mergeChanges(const uint8_t* base, const uint8_t* mine, uint8_t* stored) {
    for (size_t i = 0; i < kBlockSize; ++i) {
        const uint8_t changed = static_cast<uint8_t>(base[i] ^ mine[i]);
        stored[i] = static_cast<uint8_t>((stored[i] & ~changed) | (mine[i] & changed));
    }
    for (const Whole& f : kWholeFields) takeWhole(base, mine, stored, f.offset, f.width);
    for (size_t k = 0; k < kSourceSlotCount; ++k)
        for (const Whole& f : kWholeSlotFields)
            takeWhole(base, mine, stored, D(kSourceSlots + k * kSourceSlotSize) + f.offset, f.width);
}

}  // namespace devopt
