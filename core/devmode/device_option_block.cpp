// The device-option block: defaults, the upgrade of a stored block, and its numbered values. A
// block in memory has been through upgradeBlock or buildDefaultBlock, so its header is believed;
// a stored one is not until it passed the checks.
#include "core/devmode/device_option_block.h"

#include "core/helpers/byte_view.h"

#include <algorithm>
#include <iterator>
#include <cstring>

namespace devopt {
namespace {

struct ValueSlot {
    uint16_t id;
    uint8_t offset;
    uint8_t width;
};
constexpr ValueSlot kValueSlots[] = {
    {kValueFlags, 14, 4},     {kValueFontSet1, 18, 2}, {kValueFontSet2, 20, 2}, {kValueFontSet3, 22, 2},
    {kValueFontMemory, 24, 2}, {kValueReserved, 26, 2}, {kValueSpooling, 28, 2},
};
static_assert(kValueSlots[std::size(kValueSlots) - 1].offset + 2 <= kValueAreaEnd);

const ValueSlot* findSlot(uint32_t id) {
    for (const ValueSlot& slot : kValueSlots)
        if (slot.id == id) return &slot;
    return nullptr;
}

}  // namespace

bool buildDefaultBlock(void* block, size_t size) {
    MutableByteView out(block, size);
    if (!out.contains(0, kBlockSize)) return false;
    out.fill(0, 0, kBlockSize);
    out.put_u32(kOffTotalSize, kBlockSize);
    out.put_u32(kOffVersion, kBlockVersion);
    out.put_s16(kOffDataOffset, kValueAreaEnd);
    return true;
}

const char* blockFault(const void* stored, size_t size) {
    ByteView in(stored, size);
    uint32_t total = 0, version = 0;
    int16_t dataOffset = 0;
    if (!in.u32(kOffTotalSize, total) || !in.u32(kOffVersion, version) || !in.s16(kOffDataOffset, dataOffset))
        return "too short to hold the header of a device-option block";
    if (total != size) return "its header states another size than it holds";
    if (version != kBlockVersion) return "it is of another version";
    if (dataOffset < static_cast<int16_t>(kValueAreaEnd) || static_cast<uint32_t>(dataOffset) > total)
        return "its data part lies outside it";
    return nullptr;
}

bool upgradeBlock(const void* stored, size_t size, void* target, size_t targetSize) {
    if (blockFault(stored, size) || targetSize < kBlockSize || !target) return false;
    ByteView in(stored, size);
    uint32_t total = 0;
    int16_t dataOffset = 0;
    in.u32(kOffTotalSize, total);
    in.s16(kOffDataOffset, dataOffset);
    uint8_t out[kBlockSize];
    buildDefaultBlock(out, kBlockSize);
    in.bytes(kOffValueArea, out + kOffValueArea, kValueAreaEnd - kOffValueArea);
    in.bytes(dataOffset, out + kValueAreaEnd, std::min<size_t>(total - dataOffset, kDataSize));
    std::memcpy(target, out, kBlockSize);
    return true;
}

uint32_t blockSize(const void* block) {
    uint32_t total = 0;
    if (block) ByteView(block, 4).u32(kOffTotalSize, total);
    return total;
}

const uint8_t* blockData(const void* block) {
    uint32_t total = blockSize(block);
    int16_t offset = 0;
    if (!ByteView(block, total).s16(kOffDataOffset, offset) || offset < static_cast<int16_t>(kValueAreaEnd) ||
        static_cast<uint32_t>(offset) >= total)
        return nullptr;
    return static_cast<const uint8_t*>(block) + offset;
}

uint8_t* blockData(void* block) { return const_cast<uint8_t*>(blockData(static_cast<const void*>(block))); }

BOOL GetValue(const void* block, uint32_t id, void* buffer, size_t size) {
    const ValueSlot* slot = findSlot(id);
    if (!slot || !buffer) return FALSE;
    return ByteView(block, blockSize(block)).bytes(slot->offset, buffer, std::min<size_t>(size, slot->width));
}

BOOL SetValue(void* block, uint32_t id, const void* buffer, size_t size) {
    const ValueSlot* slot = findSlot(id);
    MutableByteView out(block, blockSize(block));
    if (!slot || !out.contains(slot->offset, slot->width)) return FALSE;
    size_t n = buffer ? std::min<size_t>(size, slot->width) : 0;
    out.put_bytes(slot->offset, buffer, n);
    out.fill(slot->offset + n, 0, slot->width - n);
    return TRUE;
}

}  // namespace devopt
