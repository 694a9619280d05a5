// Fuzz target of the stored user-paper table: the first byte picks the version (1 the older
// five-entry layout, 2 the current one), the rest is the value. Any bytes must be taken or
// refused whole; a table taken must hold at most six entries with texts inside their fields,
// and must come back unchanged through its own encoding.
#include "features/user_paper_entry.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    using namespace userpaper;
    const uint16_t version = data[0];
    std::vector<uint8_t> value(data + 1, data + size);  // exactly the bytes, for the sanitizer
    std::vector<Entry> entries;
    if (!DecodeTable(ByteView(value.data(), value.size()), version, entries)) return 0;
    if (entries.size() > kMaxEntries) std::abort();
    for (const Entry& e : entries)
        if (e.label.empty() || e.label.size() >= kLabelRoom || e.name.size() >= kNameRoom) std::abort();
    const std::vector<uint8_t> stored = EncodeTable(entries);
    if (stored.size() != (entries.size() + 1) * kEntrySize) std::abort();
    std::vector<Entry> back;
    if (!DecodeTable(ByteView(stored.data(), stored.size()), kVersionCurrent, back) || back != entries) std::abort();
    return 0;
}
