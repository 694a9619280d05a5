// Appending coded entries to the list record. Each append makes one array for the old and the
// new entries together, copies the old ones over and then the new ones, so that a refused
// allocation leaves the record as it was.
#include "device/list_record.h"

#include "core/memory/private_heap.h"

#include <cstring>

namespace {

// Fixed-size records: every whole record in the reply's bytes.
bool AppendRecords(uint32_t& count, uint8_t*& entries, uint32_t size, const uint8_t* bytes, size_t available) {
    uint32_t added = static_cast<uint32_t>(available / size);
    if (added == 0) return true;
    auto* grown = static_cast<uint8_t*>(PrivateAlloc(size_t{count + added} * size));
    if (!grown) return false;
    if (count) std::memcpy(grown, entries, size_t{count} * size);
    std::memcpy(grown + size_t{count} * size, bytes, size_t{added} * size);
    PrivateFree(entries);
    entries = grown;
    count += added;
    return true;
}

void FreeEntries242(DevInfoEntry242* entries, uint32_t count) {
    for (uint32_t i = 0; entries && i < count; ++i) PrivateFree(entries[i].items);
    PrivateFree(entries);
}

// Entries of five words and their items, while whole entries remain in the reply's bytes.
bool Append242(DevInfoListRecord& r, const uint8_t* bytes, size_t available) {
    uint32_t added = 0;
    for (size_t at = 0; available - at >= 20;) {
        uint32_t items;
        std::memcpy(&items, bytes + at + 16, 4);
        if (items > (available - at - 20) / kItem242Size) break;
        at += 20 + size_t{items} * kItem242Size;
        ++added;
    }
    if (added == 0) return true;
    auto* grown = static_cast<DevInfoEntry242*>(PrivateAlloc(sizeof(DevInfoEntry242) * (r.count242 + added)));
    if (!grown) return false;
    // Old entries keep their item arrays by copy, so that a failure below frees only copies.
    uint32_t made = 0;
    bool ok = true;
    for (uint32_t i = 0; i < r.count242 && ok; ++i, ++made) {
        grown[i] = r.entries242[i];
        size_t itemBytes = size_t{grown[i].words[4]} * kItem242Size;
        grown[i].items = static_cast<uint8_t*>(PrivateAlloc(itemBytes ? itemBytes : 1));
        if (!grown[i].items) ok = false;
        else if (itemBytes) std::memcpy(grown[i].items, r.entries242[i].items, itemBytes);
    }
    size_t at = 0;
    for (uint32_t i = 0; i < added && ok; ++i, ++made) {
        DevInfoEntry242& e = grown[r.count242 + i];
        std::memcpy(e.words, bytes + at, 20);
        size_t itemBytes = size_t{e.words[4]} * kItem242Size;
        e.items = static_cast<uint8_t*>(PrivateAlloc(itemBytes ? itemBytes : 1));
        if (!e.items) ok = false;
        else if (itemBytes) std::memcpy(e.items, bytes + at + 20, itemBytes);
        at += 20 + itemBytes;
    }
    if (!ok) {
        FreeEntries242(grown, made);
        return false;
    }
    FreeEntries242(r.entries242, r.count242);
    r.entries242 = grown;
    r.count242 += added;
    return true;
}

}  // namespace

int DevInfoClient_DecodeByReplyCode(DevInfoClient*, DevInfoListRecord* target, uint32_t count, void* const* replies) {
    if (!target || !replies) return 0;
    for (uint32_t i = 0; i < count && replies[i]; ++i) {
        auto* reply = static_cast<const ZdsvValueReply*>(replies[i]);
        if (!reply->values || reply->count == 0) continue;
        auto* bytes = reinterpret_cast<const uint8_t*>(reply->values);
        size_t available = size_t{reply->count} * sizeof(uint32_t);
        bool ok = true;
        switch (reply->code) {
        case kListCode242: ok = Append242(*target, bytes, available); break;
        case kListCode322:
            ok = AppendRecords(target->count322, target->entries322, kEntry322Size, bytes, available);
            break;
        case kListCode2356:
            ok = AppendRecords(target->count2356, target->entries2356, kEntry2356Size, bytes, available);
            break;
        default: break;
        }
        if (!ok) return 0;
    }
    return 1;
}

void DevInfoClient_FreeListRecord(DevInfoClient*, DevInfoListRecord* record) {
    if (!record) return;
    FreeEntries242(record->entries242, record->count242);
    PrivateFree(record->entries322);
    PrivateFree(record->entries2356);
    *record = {};
}
