// Entering attribute records into the `DeviceQueryRecord`. One table places each attribute id:
// a single word, a list of words, or a field of the entry of the object it answers for. Places
// past the section's 8 entries are dropped.
#include "device/device_query_record.h"

#include "core/memory/private_heap.h"

#include <algorithm>
#include <cstring>

namespace {

enum class Section : uint8_t { None, Sources, SourceValues, Accessories, Memory, Named2085, MailBoxes, Entries1016,
                               Entries2297, Languages, Flags2058, Lists2296, Count };

enum class Kind : uint8_t { Word, Word16, Text, Numbers, Structured };

struct Placement {
    uint32_t id;
    Section section;  // None: a single word of the record
    Kind kind;
    uint16_t offset;  // in the record (single words) or in the entry
    uint16_t width;   // bytes of a text or structured entry, or the number of numbers
};

#define REC(member) static_cast<uint16_t>(offsetof(DeviceQueryRecord, member))
#define ENTRY(type, member) static_cast<uint16_t>(offsetof(type, member))

constexpr Placement kPlacements[] = {
    {115, Section::None, Kind::Word, REC(word115), 0},
    {24, Section::None, Kind::Word, REC(words) + 0, 0},
    {40, Section::None, Kind::Word, REC(words) + 4, 0},
    {51, Section::None, Kind::Word, REC(words) + 8, 0},
    {85, Section::None, Kind::Word, REC(words) + 12, 0},
    {180, Section::None, Kind::Word, REC(words) + 16, 0},
    {288, Section::None, Kind::Word, REC(words) + 20, 0},
    {11430, Section::None, Kind::Word, REC(words) + 24, 0},
    {11610, Section::None, Kind::Word, REC(words) + 28, 0},
    {11611, Section::None, Kind::Word, REC(words) + 32, 0},
    {11612, Section::None, Kind::Word, REC(words) + 36, 0},
    {11613, Section::None, Kind::Word, REC(words) + 40, 0},
    {11614, Section::None, Kind::Word, REC(words) + 44, 0},
    {11608, Section::None, Kind::Word16, REC(version176), 0},
    {11609, Section::None, Kind::Word, REC(outputKind), 0},
    {4036, Section::None, Kind::Word, REC(mailBoxWord), 0},
    {1664, Section::Languages, Kind::Numbers, 0, 8},
    {2058, Section::Flags2058, Kind::Structured, 0, 2},
    {2296, Section::Lists2296, Kind::Structured, 0, 0},
    {2085, Section::Named2085, Kind::Structured, 0, sizeof(DeviceQueryNamedEntry)},
    {4121, Section::MailBoxes, Kind::Structured, 0, sizeof(DeviceQueryNamedEntry)},
    {1016, Section::Entries1016, Kind::Structured, 0, 120},
    {2297, Section::Entries2297, Kind::Structured, 0, 96},
    {10601, Section::Sources, Kind::Text, ENTRY(DeviceQuerySource, name), 64},
    {10617, Section::Sources, Kind::Word, ENTRY(DeviceQuerySource, kind), 0},
    {10911, Section::SourceValues, Kind::Numbers, 0, 4},
    {11804, Section::Accessories, Kind::Text, ENTRY(DeviceQueryAccessory, name), 140},
    {11806, Section::Accessories, Kind::Numbers, ENTRY(DeviceQueryAccessory, types), 4},
    {12502, Section::Memory, Kind::Text, ENTRY(DeviceQueryMemory, name), 64},
    {12507, Section::Memory, Kind::Word, ENTRY(DeviceQueryMemory, kind), 0},
    {178, Section::Memory, Kind::Word, ENTRY(DeviceQueryMemory, size), 0},
    {12506, Section::Memory, Kind::Numbers, ENTRY(DeviceQueryMemory, types), 2},
};

#undef REC
#undef ENTRY

const Placement* Find(uint32_t id) {
    for (const Placement& p : kPlacements)
        if (p.id == id) return &p;
    return nullptr;
}

bool NumberOf(const ZdsvAttribute& a, uint32_t& value) {
    if (!a.values || a.count == 0 || a.values[0].type != kZdsvNumber) return false;
    value = static_cast<uint32_t>(a.values[0].value);
    return true;
}

void StoreText(uint8_t* field, size_t width, const ZdsvAttribute& a) {
    if (!a.values || a.count == 0 || a.values[0].type != kZdsvText || !a.values[0].value) return;
    auto* text = reinterpret_cast<const char*>(a.values[0].value);
    size_t n = strnlen(text, width - 1);
    std::memcpy(field, text, n);
    field[n] = '\0';
}

// Up to `places` numbers into consecutive words; the number stored.
uint32_t StoreNumbers(uint8_t* field, uint32_t places, const ZdsvAttribute& a) {
    uint32_t n = 0;
    for (uint32_t i = 0; a.values && i < a.count && n < places; ++i) {
        if (a.values[i].type != kZdsvNumber) continue;
        uint32_t v = static_cast<uint32_t>(a.values[i].value);
        std::memcpy(field + 4 * n++, &v, 4);
    }
    return n;
}

class Filler {
public:
    explicit Filler(DeviceQueryRecord* record) : r_(record) {}

    void Enter(const ZdsvAttribute& a, uint32_t place) {
        const Placement* p = Find(a.id);
        if (!p) return;
        if (p->section == Section::None) {
            uint32_t v;
            if (!NumberOf(a, v)) return;
            uint8_t* at = Bytes() + p->offset;
            if (p->kind == Kind::Word16) {
                uint16_t half = static_cast<uint16_t>(v);
                std::memcpy(at, &half, 2);
            } else {
                std::memcpy(at, &v, 4);
            }
            return;
        }
        Clear(p->section);
        switch (p->section) {
        case Section::Languages: r_->languageCount = StoreNumbers(reinterpret_cast<uint8_t*>(r_->languages), 8, a); break;
        case Section::Flags2058: Flags2058(a); break;
        case Section::Lists2296: DecodeLists2296(a, &r_->lists2296); break;
        case Section::Named2085: Structured(a, r_->named2085, r_->namedCount2085, p->width); break;
        case Section::MailBoxes: Structured(a, r_->mailBoxes, r_->mailBoxCount, p->width); break;
        case Section::Entries1016: Structured(a, r_->entries1016, r_->entryCount1016, p->width); break;
        case Section::Entries2297: Structured(a, r_->entries2297, r_->entryCount2297, p->width); break;
        default: PerObject(*p, a, place); break;
        }
    }

private:
    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(r_); }

    // Each section is cleared once per fill, at its first attribute.
    void Clear(Section s) {
        auto bit = 1u << static_cast<unsigned>(s);
        if (cleared_ & bit) return;
        cleared_ |= bit;
        switch (s) {
        case Section::Sources: r_->sourceCount = 0, std::memset(r_->sources, 0, sizeof r_->sources); break;
        case Section::SourceValues:
            r_->sourceValueCount = 0, std::memset(r_->sourceValues, 0, sizeof r_->sourceValues);
            break;
        case Section::Accessories: r_->accessoryCount = 0, std::memset(r_->accessories, 0, sizeof r_->accessories); break;
        case Section::Memory: r_->memoryCount = 0, std::memset(r_->memory, 0, sizeof r_->memory); break;
        case Section::Named2085: r_->namedCount2085 = 0, std::memset(r_->named2085, 0, sizeof r_->named2085); break;
        case Section::MailBoxes: r_->mailBoxCount = 0, std::memset(r_->mailBoxes, 0, sizeof r_->mailBoxes); break;
        case Section::Entries1016: r_->entryCount1016 = 0, std::memset(r_->entries1016, 0, sizeof r_->entries1016); break;
        case Section::Entries2297: r_->entryCount2297 = 0, std::memset(r_->entries2297, 0, sizeof r_->entries2297); break;
        case Section::Languages: r_->languageCount = 0, std::memset(r_->languages, 0, sizeof r_->languages); break;
        case Section::Flags2058: r_->flags2058[0] = r_->flags2058[1] = 2; break;
        case Section::Lists2296: std::memset(&r_->lists2296, 0, sizeof r_->lists2296); break;
        default: break;
        }
    }

    void Flags2058(const ZdsvAttribute& a) {
        for (uint32_t i = 0; a.values && i < a.count; ++i) {
            const ZdsvValue& v = a.values[i];
            if (v.type != kZdsvStructured || !v.value || v.size < 2) continue;
            auto* pair = reinterpret_cast<const uint8_t*>(v.value);
            if (pair[1] != 1) continue;
            if (pair[0] == 3) r_->flags2058[0] = 1;
            else if (pair[0] == 2 || pair[0] == 4) r_->flags2058[1] = 1;
        }
    }

    template <class Entry>
    void Structured(const ZdsvAttribute& a, Entry* entries, uint32_t& count, size_t width) {
        for (uint32_t i = 0; a.values && i < a.count && count < kQueryPlaces; ++i) {
            const ZdsvValue& v = a.values[i];
            if (v.type != kZdsvStructured || !v.value) continue;
            auto* entry = reinterpret_cast<uint8_t*>(&entries[count++]);
            std::memcpy(entry, reinterpret_cast<const void*>(v.value), std::min<size_t>(v.size, width));
            if constexpr (sizeof(Entry) == sizeof(DeviceQueryNamedEntry)) entry[63] = '\0';
        }
    }

    void PerObject(const Placement& p, const ZdsvAttribute& a, uint32_t place) {
        if (place >= kQueryPlaces) return;
        uint8_t* entry;
        uint32_t* count;
        switch (p.section) {
        case Section::Sources: entry = reinterpret_cast<uint8_t*>(&r_->sources[place]), count = &r_->sourceCount; break;
        case Section::SourceValues:
            entry = reinterpret_cast<uint8_t*>(&r_->sourceValues[place]), count = &r_->sourceValueCount;
            break;
        case Section::Accessories:
            entry = reinterpret_cast<uint8_t*>(&r_->accessories[place]), count = &r_->accessoryCount;
            break;
        case Section::Memory: entry = reinterpret_cast<uint8_t*>(&r_->memory[place]), count = &r_->memoryCount; break;
        default: return;
        }
        uint32_t v;
        switch (p.kind) {
        case Kind::Text: StoreText(entry + p.offset, p.width, a); break;
        case Kind::Word:
            if (NumberOf(a, v)) std::memcpy(entry + p.offset, &v, 4);
            break;
        case Kind::Numbers: StoreNumbers(entry + p.offset, p.width, a); break;
        default: break;
        }
        *count = std::max(*count, place + 1);
    }

    DeviceQueryRecord* r_;
    uint32_t cleared_ = 0;
};

}  // namespace

bool DecodeLists2296(const ZdsvAttribute& a, DevInfoLists2296* lists) {
    DevInfoLists2296 decoded{};
    for (uint32_t i = 0; a.values && i < a.count && i < 3; ++i) {
        const ZdsvValue& v = a.values[i];
        if (v.type != kZdsvStructured || !v.value || v.size < 4) return false;
        auto* bytes = reinterpret_cast<const uint8_t*>(v.value);
        uint32_t count;
        std::memcpy(&count, bytes, 4);
        if (count > 8) {
            *lists = DevInfoLists2296{};
            return true;
        }
        if (v.size < 4 + 4 * size_t{count}) return false;
        decoded.count[i] = count;
        std::memcpy(decoded.words[i], bytes + 4, 4 * size_t{count});
    }
    *lists = decoded;
    return true;
}

int DevInfoClient_FillAttributeTable(DevInfoClient*, DeviceQueryRecord* target, uint32_t count, void* const* replies) {
    if (!target || !replies) return 0;
    Filler filler(target);
    uint32_t place = 0;
    for (uint32_t i = 0; i < count && replies[i]; ++i) {
        auto* reply = static_cast<const ZdsvGroupReply*>(replies[i]);
        for (uint32_t g = 0; reply->groups && g < reply->count; ++g, ++place) {
            const ZdsvAttributeGroup& group = reply->groups[g];
            for (uint32_t k = 0; group.attributes && k < group.count; ++k) filler.Enter(group.attributes[k], place);
        }
    }
    return 1;
}

void DevInfoClient_FreeQueryRecord(DevInfoClient*, DeviceQueryRecord* record) {
    if (!record) return;
    for (DeviceQueryIdList& list : record->tables) {
        PrivateFree(list.ids);
        list = {};
    }
}
