// Decoding and encoding of the user-paper table in its two stored layouts, and the integer
// length conversions the table and the device mode share.
#include "features/user_paper_entry.h"

#include <algorithm>

namespace userpaper {

namespace {

// Offsets of the current entry; the older entry has a 10-byte label and everything behind it
// 20 bytes earlier.
constexpr size_t kOffName = 30;
constexpr size_t kOffKind = 95;
constexpr size_t kOffUnit = 97;
constexpr size_t kOffSizes = 99;
constexpr size_t kOldShift = kLabelRoom - kOldLabelRoom;
static_assert(kOffSizes + 16 == kEntrySize && kOffSizes - kOldShift + 16 <= kOldEntrySize);

// A text of the field, cut at its first NUL and at most room - 1 characters.
std::string Text(ByteView entry, size_t offset, size_t room) {
    const ByteView field = entry.sub(offset, room);
    const char* at = reinterpret_cast<const char*>(field.data());
    const size_t length = at ? std::find(at, at + room - 1, '\0') - at : 0;
    return std::string(at ? at : "", length);
}

Entry DecodeEntry(ByteView entry, size_t labelRoom) {
    const size_t shift = kLabelRoom - labelRoom;
    Entry e;
    e.label = Text(entry, 0, labelRoom);
    e.name = Text(entry, kOffName - shift, kNameRoom);
    entry.s16(kOffKind - shift, e.kind);
    entry.u16(kOffUnit - shift, e.unit);
    entry.u32(kOffSizes - shift, e.lengthMm);
    entry.u32(kOffSizes - shift + 4, e.widthMm);
    entry.u32(kOffSizes - shift + 8, e.lengthInch);
    entry.u32(kOffSizes - shift + 12, e.widthInch);
    return e;
}

}  // namespace

uint32_t ConvertLength(uint32_t value, int mode) {
    // Worked in 64 bits: a stored value near the top of its range must not wrap.
    const uint64_t v = value;
    switch (mode) {
    case kTenthMmToInch: return static_cast<uint32_t>((100 * v + 127) / 254);
    case kInchToMm: return static_cast<uint32_t>((254 * v + 5) / 10);
    case kMmToInch: return static_cast<uint32_t>((10 * v + 127) / 254);
    default: return 0;
    }
}

bool DecodeTable(ByteView stored, uint16_t version, std::vector<Entry>& entries) {
    size_t entrySize = 0, labelRoom = 0, count = 0;
    if (version == kVersionOld) {
        if (stored.size() != kOldTableSize) return false;
        entrySize = kOldEntrySize, labelRoom = kOldLabelRoom, count = kOldEntries;
    } else if (version == kVersionCurrent) {
        if (stored.size() == 0 || stored.size() > kTableRoom || stored.size() % kEntrySize != 0) return false;
        entrySize = kEntrySize, labelRoom = kLabelRoom, count = stored.size() / kEntrySize;
    } else {
        return false;
    }
    entries.clear();
    for (size_t i = 0; i < count && entries.size() < kMaxEntries; ++i) {
        Entry e = DecodeEntry(stored.sub(i * entrySize, entrySize), labelRoom);
        if (e.label.empty()) break;
        entries.push_back(std::move(e));
    }
    return true;
}

std::vector<uint8_t> EncodeTable(const std::vector<Entry>& entries) {
    const size_t count = std::min(entries.size(), kMaxEntries);
    std::vector<uint8_t> bytes((count + 1) * kEntrySize, 0);
    MutableByteView out(bytes.data(), bytes.size());
    for (size_t i = 0; i < count; ++i) {
        const Entry& e = entries[i];
        const size_t at = i * kEntrySize;
        out.put_bytes(at, e.label.data(), std::min(e.label.size(), kLabelRoom - 1));
        out.put_bytes(at + kOffName, e.name.data(), std::min(e.name.size(), kNameRoom - 1));
        out.put_s16(at + kOffKind, e.kind);
        out.put_u16(at + kOffUnit, e.unit);
        out.put_u32(at + kOffSizes, e.lengthMm);
        out.put_u32(at + kOffSizes + 4, e.widthMm);
        out.put_u32(at + kOffSizes + 8, e.lengthInch);
        out.put_u32(at + kOffSizes + 12, e.widthInch);
    }
    return bytes;
}

}  // namespace userpaper
