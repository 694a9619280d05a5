// Option access by number or id. Lookups go through two constant indexes built from the option
// table at compile time, so a get or set costs a table read and a few bounds checks.
#include "core/devmode/devmode_options.h"

#include "core/devmode/devmode_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

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

uint16_t load16(const uint8_t* at) {
    uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// Each section's directory entry as the current layout writes it, offset in the low half.
constexpr auto kCurrentEntries = [] {
    std::array<uint32_t, kSectionCount> entries{};
    for (unsigned i = 0; i < kSectionCount; ++i)
        entries[i] = static_cast<uint32_t>(kSectionOffsets[i]) | static_cast<uint32_t>(kSectionSizes[i]) << 16;
    return entries;
}();

// The option's bytes in a whole current-form device mode whose entry for the option's section
// is the current layout's own, which is what nearly every get and set is handed; null for any
// other, which locateSection judges. The checks are locateSection's, on loads the first size
// check keeps inside; the layout's own entries and places pass the rest by construction.
uint8_t* currentFormField(void* devmode, size_t devmodeSize, const OptionRow& row) {
    static_assert(kDevmodeSize > kDirectoryEnd && kPublicSize == kOffSignature);
    auto* dm = static_cast<uint8_t*>(devmode);
    if (!dm || devmodeSize < kDevmodeSize || size_t{load16(dm + kOffSize)} != kPublicSize ||
        size_t{load16(dm + kOffDriverExtra)} != kDevmodeSize - kPublicSize ||
        std::memcmp(dm + kOffSignature, kSignature, kSignatureSize) != 0)
        return nullptr;
    const uint16_t version = load16(dm + kOffPrivateVersion);
    if (version < kOldestPrivateVersion || version > kPrivateVersion) return nullptr;
    const OptionPlace& place = kOptionPlaces[rowIndex(&row)];
    if (place.section < kFirstSection || place.section > kLastSection) return nullptr;
    const unsigned i = place.section - kFirstSection;
    uint32_t entry;
    std::memcpy(&entry, dm + directoryEntry(place.section), sizeof entry);
    if (entry != kCurrentEntries[i] || kSectionSizes[i] == 0 || kSectionOffsets[i] < kDirectoryEnd ||
        size_t{kSectionOffsets[i]} + kSectionSizes[i] > kDevmodeSize ||
        size_t{place.offset} + row.width > kSectionSizes[i])
        return nullptr;
    return dm + kSectionOffsets[i] + place.offset;
}

// The option's bytes inside the device mode, or an empty view when it does not hold them all.
MutableByteView optionBytes(void* devmode, size_t devmodeSize, const OptionRow& row) {
    if (uint8_t* field = currentFormField(devmode, devmodeSize, row)) return MutableByteView(field, row.width);
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
