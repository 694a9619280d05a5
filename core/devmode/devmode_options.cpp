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

// Where each row's bytes lie in a whole current-form device mode, and the directory entry that
// says so there; field 0 for a row the short way cannot take. Every bounds check of the layout's
// own places is made here, once.
struct CurrentPlace {
    uint16_t field = 0;  // from the start of the device mode
    uint16_t entryAt = 0;
    uint32_t entry = 0;  // the current layout's entry, offset in the low half
};

constexpr auto kCurrentPlaces = [] {
    std::array<CurrentPlace, kOptionCount> places{};
    for (size_t r = 0; r < kOptionCount; ++r) {
        const OptionPlace& place = kOptionPlaces[r];
        if (place.section < kFirstSection || place.section > kLastSection) continue;
        const unsigned i = place.section - kFirstSection;
        if (kSectionSizes[i] == 0 || kSectionOffsets[i] < kDirectoryEnd ||
            size_t{kSectionOffsets[i]} + kSectionSizes[i] > kDevmodeSize ||
            size_t{place.offset} + kOptionRows[r].width > kSectionSizes[i])
            continue;
        places[r] = {static_cast<uint16_t>(kSectionOffsets[i] + place.offset),
                     static_cast<uint16_t>(directoryEntry(place.section)),
                     static_cast<uint32_t>(kSectionOffsets[i]) | static_cast<uint32_t>(kSectionSizes[i]) << 16};
    }
    return places;
}();

// dmSize and dmDriverExtra side by side, and the signature, as whole words.
static_assert(kOffDriverExtra == kOffSize + 2 && kPublicSize == kOffSignature);
constexpr uint32_t kCurrentSizes =
    static_cast<uint32_t>(kPublicSize) | static_cast<uint32_t>(kDevmodeSize - kPublicSize) << 16;
constexpr uint64_t kSignatureWord = [] {
    uint64_t word = 0;
    for (size_t i = 0; i < kSignatureSize; ++i) word |= uint64_t{static_cast<uint8_t>(kSignature[i])} << (8 * i);
    return word;
}();
static_assert(kSignatureSize == sizeof kSignatureWord);

template <typename T>
T loadAt(const uint8_t* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// The option's bytes in a whole current-form device mode (one whose own sizes say so) whose entry
// for the option's section is the current layout's own, which is what nearly every get and set is
// handed; null for any other, which locateSection judges. The checks are locateSection's.
[[gnu::always_inline]] inline uint8_t* currentFormField(uint8_t* dm, size_t row) {
    if (!dm || loadAt<uint32_t>(dm + kOffSize) != kCurrentSizes ||
        loadAt<uint64_t>(dm + kOffSignature) != kSignatureWord)
        return nullptr;
    const uint16_t version = loadAt<uint16_t>(dm + kOffPrivateVersion);
    if (version < kOldestPrivateVersion || version > kPrivateVersion) return nullptr;
    const CurrentPlace& place = kCurrentPlaces[row];
    if (!place.field || loadAt<uint32_t>(dm + place.entryAt) != place.entry) return nullptr;
    return dm + place.field;
}

// The same for a device mode handed in with a size of its own, which must hold the whole form.
uint8_t* currentFormField(void* devmode, size_t devmodeSize, const OptionRow& row) {
    if (devmodeSize < kDevmodeSize) return nullptr;
    return currentFormField(static_cast<uint8_t*>(devmode), rowIndex(&row));
}

// Copies n bytes, the caller's buffer may lie over the option's own; the widths of values are
// copied inline, as nearly every option read and write asks.
void copyValue(void* to, const void* from, size_t n) {
    switch (n) {
    case 2: std::memmove(to, from, 2); break;
    case 4: std::memmove(to, from, 4); break;
    default: std::memmove(to, from, n);
    }
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

namespace {

const OptionRow* rowById(uint32_t id) {
    auto it = std::lower_bound(kById.begin(), kById.end(), id,
                               [](uint8_t i, uint32_t want) { return kOptionRows[i].id < want; });
    return it != kById.end() && kOptionRows[*it].id == id ? &kOptionRows[*it] : nullptr;
}

// Numbers, which nearly every caller uses, are found in the caller.
[[gnu::always_inline]] inline const OptionRow* rowOf(uint32_t numberOrId) {
    if (numberOrId >= 0x10000) return rowById(numberOrId);
    if (numberOrId < kFirstNumber || numberOrId > kLastNumber) return nullptr;
    const uint8_t i = kByNumber[numberOrId - kFirstNumber];
    return i == kNoRow ? nullptr : &kOptionRows[i];
}

}  // namespace

const OptionRow* findOption(uint32_t numberOrId) { return rowOf(numberOrId); }

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

// A device mode whose own sizes are the current form's is bounded by exactly those, so the short
// way needs no declared size; any other takes the sized route.
BOOL GetOption(const void* devmode, uint32_t numberOrId, void* buffer, size_t size) {
    const OptionRow* row = rowOf(numberOrId);
    if (!row || !buffer) return FALSE;
    // Reading never writes: the const is cast away only to share the locating code.
    if (const uint8_t* field = currentFormField(static_cast<uint8_t*>(const_cast<void*>(devmode)), rowIndex(row))) {
        copyValue(buffer, field, std::min<size_t>(size, row->width));
        return TRUE;
    }
    return GetOption(devmode, declaredSize(devmode), numberOrId, buffer, size);
}

BOOL SetOption(void* devmode, uint32_t numberOrId, const void* buffer, size_t size) {
    const OptionRow* row = rowOf(numberOrId);
    if (row && buffer && size >= row->width)
        if (uint8_t* field = currentFormField(static_cast<uint8_t*>(devmode), rowIndex(row))) {
            copyValue(field, buffer, row->width);
            return TRUE;
        }
    return SetOption(devmode, declaredSize(devmode), numberOrId, buffer, size);
}

}  // namespace devmode
