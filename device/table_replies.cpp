// Entering paged replies into the caller's id-keyed tables: one row per attribute id says which
// table, where in the entry, and whether a text or a single byte goes there.
#include "device/table_replies.h"

#include <algorithm>
#include <cstring>

namespace {

struct Placement {
    uint32_t attribute;
    int table;  // 0 A, 1 B, 2 C
    uint32_t offset;
    uint32_t width;  // 1: a byte from a number; more: a text cut to width - 1
};

constexpr Placement kPlacements[] = {
    {16, 0, 4, 64}, {108, 0, 68, 1}, {696, 1, 4, 128}, {10313, 1, 132, 1}, {11608, 2, 4, 1}, {11804, 2, 8, 64},
};

uint8_t* FindEntry(uint8_t* entries, uint32_t count, uint32_t size, uint32_t id) {
    for (uint32_t i = 0; entries && i < count; ++i) {
        uint32_t word;
        std::memcpy(&word, entries + size_t{i} * size, 4);
        if (word == id) return entries + size_t{i} * size;
    }
    return nullptr;
}

void Enter(DevInfoTableTarget& t, uint32_t object, const ZdsvAttribute& a) {
    for (const Placement& p : kPlacements) {
        if (p.attribute != a.id || !a.values || a.count == 0) continue;
        uint8_t* entry = p.table == 0   ? FindEntry(t.entriesA, t.countA, kTableEntryA, object)
                         : p.table == 1 ? FindEntry(t.entriesB, t.countB, kTableEntryB, object)
                                        : FindEntry(t.entriesC, t.countC, kTableEntryC, object);
        if (!entry) return;
        const ZdsvValue& v = a.values[0];
        if (p.width == 1) {
            if (v.type == kZdsvNumber) entry[p.offset] = static_cast<uint8_t>(v.value);
        } else if (v.type == kZdsvText && v.value) {
            auto* text = reinterpret_cast<const char*>(v.value);
            size_t n = strnlen(text, p.width - 1);
            std::memcpy(entry + p.offset, text, n);
            entry[p.offset + n] = '\0';
        }
        return;
    }
}

}  // namespace

int DevInfoClient_DecodeTableReplies(DevInfoClient*, DevInfoTableTarget* target, uint32_t count, void* const* replies) {
    if (!target || !replies) return 0;
    for (uint32_t i = 0; i < count && replies[i]; ++i) {
        auto* reply = static_cast<const ZdsvGroupReply*>(replies[i]);
        for (uint32_t g = 0; reply->groups && g < reply->count; ++g) {
            const ZdsvAttributeGroup& group = reply->groups[g];
            for (uint32_t k = 0; group.attributes && k < group.count; ++k) Enter(*target, group.objectId, group.attributes[k]);
        }
    }
    return 1;
}
