// The profile list: 36-byte entries ended by an entry of empty name, kept as the preset's buffer
// and stored whole after each change. Matching ignores letter case; overwriting needs the exact
// name, so a name that differs only in case keeps the letters it was listed with.
#include "profiles/cm_profile.h"

#include "core/helpers/byte_view.h"

#include <cstring>

using namespace profile;

ProfileListEntry CmProfile::EntryAt(const ProfileList& list, uint32_t index) {
    ProfileListEntry entry;
    ByteView view(list.data(), list.size());
    const size_t at = size_t{index} * kEntrySize;
    if (!view.contains(at, kEntrySize)) return entry;
    view.bytes(at, entry.name, kNameSize - 1);  // a full name field still ends in a terminator
    view.u16(at + kEntryType, entry.type);
    view.u16(at + kEntryIcon, entry.icon);
    return entry;
}

uint32_t CmProfile::CountEntries(const ProfileList& list) {
    uint32_t count = 0;
    while (size_t{count + 1} * kEntrySize <= list.size() && list[size_t{count} * kEntrySize] != 0) ++count;
    return count;
}

ProfileList CmProfile::MakeList(const std::vector<ProfileListEntry>& entries) {
    ProfileList list((entries.size() + 1) * kEntrySize, 0);
    MutableByteView view(list.data(), list.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t at = i * kEntrySize;
        view.put_bytes(at, entries[i].name, strnlen(entries[i].name, kNameSize - 1));
        view.put_u16(at + kEntryType, entries[i].type);
        view.put_u16(at + kEntryIcon, entries[i].icon);
    }
    return list;
}

bool CmProfile::AddToTable(uint16_t type, const ProfileListEntry& entry) {
    const ProfileList& list = GetBuffer();
    const uint32_t count = CountEntries(list);
    std::vector<ProfileListEntry> entries;
    bool matched = false;
    for (uint32_t i = 0; i < count; ++i) {
        ProfileListEntry e = EntryAt(list, i);
        if (e.type == type && CompareNames(e.name, entry.name) == 0) {
            matched = true;
            if (std::strncmp(e.name, entry.name, kNameSize) == 0) e = entry;
        }
        entries.push_back(e);
    }
    if (!matched) entries.push_back(entry);
    ProfileList next = MakeList(entries);
    if (!WriteProfileTable(next, type)) return false;
    SetBuffer(std::move(next));
    return true;
}

bool CmProfile::RemoveFromTable(const char* name, uint16_t type) {
    const ProfileList& list = GetBuffer();
    const uint32_t count = CountEntries(list);
    std::vector<ProfileListEntry> kept;
    for (uint32_t i = 0; i < count; ++i) {
        const ProfileListEntry e = EntryAt(list, i);
        if (!(e.type == type && CompareNames(e.name, name) == 0)) kept.push_back(e);
    }
    if (kept.size() == count) return false;
    ProfileList next = MakeList(kept);
    if (!WriteProfileTable(next, type)) return false;
    SetBuffer(kept.empty() ? ProfileList{} : std::move(next));
    return true;
}
