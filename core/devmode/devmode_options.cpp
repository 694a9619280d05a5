// Option access by number or id. Lookups go through two constant indexes built from the option
// table at compile time, so a get or set costs a table read and a few bounds checks.
#include "core/devmode/devmode_options.h"

#include "core/devmode/devmode_check.h"

#include <algorithm>
#include <array>
#include <bit>

namespace devmode {
namespace {

// Option values cross GetOption and SetOption in the caller's native byte order.
static_assert(std::endian::native == std::endian::little);

constexpr uint32_t kFirstNumber = 100, kLastNumber = 332;
constexpr uint8_t kNoRow = 0xFF;
static_assert(kOptionCount < kNoRow);

constexpr auto kByNumber = [] {
    std::array<uint8_t, kLastNumber - kFirstNumber + 1> index{};
    index.fill(kNoRow);
    for (size_t i = 0; i < kOptionCount; ++i)
        if (kOptionRows[i].number) index[kOptionRows[i].number - kFirstNumber] = static_cast<uint8_t>(i);
    return index;
}();

constexpr auto kById = [] {
    std::array<uint8_t, kOptionCount> order{};
    for (size_t i = 0; i < kOptionCount; ++i) order[i] = static_cast<uint8_t>(i);
    std::sort(order.begin(), order.end(), [](uint8_t a, uint8_t b) { return kOptionRows[a].id < kOptionRows[b].id; });
    return order;
}();

// The option's bytes inside the device mode, or an empty view when it does not hold them all.
MutableByteView optionBytes(void* devmode, size_t devmodeSize, const OptionRow& row) {
    MutableByteView dm(devmode, devmodeSize);
    SectionSpan span;
    const OptionPlace& place = kOptionPlaces[rowIndex(&row)];
    if (!locateSection(dm, place.section, span) || uint32_t{place.offset} + row.width > span.size)
        return {};
    return MutableByteView(dm.data() + span.offset + place.offset, row.width);
}

}  // namespace

const OptionRow* findOption(uint32_t numberOrId) {
    if (numberOrId < 0x10000) {
        if (numberOrId < kFirstNumber || numberOrId > kLastNumber) return nullptr;
        uint8_t i = kByNumber[numberOrId - kFirstNumber];
        return i == kNoRow ? nullptr : &kOptionRows[i];
    }
    auto it = std::lower_bound(kById.begin(), kById.end(), numberOrId,
                               [](uint8_t i, uint32_t id) { return kOptionRows[i].id < id; });
    return it != kById.end() && kOptionRows[*it].id == numberOrId ? &kOptionRows[*it] : nullptr;
}

void writeDefault(MutableByteView field, const OptionRow& row) {
    field.fill(0, 0, row.width);
    for (size_t i = 0; i < row.width && i < 4; ++i) field.put_u8(i, static_cast<uint8_t>(row.initial >> (8 * i)));
}

BOOL GetOption(const void* devmode, size_t devmodeSize, uint32_t numberOrId, void* buffer, size_t size) {
    const OptionRow* row = findOption(numberOrId);
    if (!row || !buffer) return FALSE;
    // Reading never writes: the const is cast away only to share the locating code.
    MutableByteView field = optionBytes(const_cast<void*>(devmode), devmodeSize, *row);
    if (!field.size()) return FALSE;
    return field.bytes(0, buffer, std::min<size_t>(size, row->width));
}

BOOL SetOption(void* devmode, size_t devmodeSize, uint32_t numberOrId, const void* buffer, size_t size) {
    const OptionRow* row = findOption(numberOrId);
    if (!row) return FALSE;
    MutableByteView field = optionBytes(devmode, devmodeSize, *row);
    if (!field.size()) return FALSE;
    if (!buffer) {
        writeDefault(field, *row);
        return TRUE;
    }
    size_t n = std::min<size_t>(size, row->width);
    field.put_bytes(0, buffer, n);
    field.fill(n, 0, row->width - n);
    return TRUE;
}

BOOL GetOption(const void* devmode, uint32_t numberOrId, void* buffer, size_t size) {
    return GetOption(devmode, declaredSize(devmode), numberOrId, buffer, size);
}

BOOL SetOption(void* devmode, uint32_t numberOrId, const void* buffer, size_t size) {
    return SetOption(devmode, declaredSize(devmode), numberOrId, buffer, size);
}

}  // namespace devmode
