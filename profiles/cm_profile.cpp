// The profile store's life: the list loaded (stored, else built in) and brought up to the
// built-in profiles of the current language, the committed chain built from it, and whole
// profiles saved and deleted in the registry, the list and the chain together.
#include "profiles/cm_profile.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"

#include <algorithm>
#include <cstring>

using namespace profile;

namespace {

uint16_t RecordWord(const ProfileRecord& record, size_t at) {
    uint16_t value = 0;
    ByteView(record.data(), record.size()).u16(at, value);
    return value;
}

void CopyText(char* out, size_t room, const uint8_t* text) {
    std::memcpy(out, text, room - 1);
    out[room - 1] = 0;
}

ProfileNode NodeFromRecord(const ProfileRecord& record, size_t devmodeRoom) {
    ProfileNode node;
    node.recordSize = RecordWord(record, kRecordSize);
    CopyText(node.name, kNameSize, record.data() + kRecordName);
    std::memcpy(node.storedName, node.name, kNameSize);
    CopyText(node.comment, kCommentSize, record.data() + kRecordComment);
    node.icon = RecordWord(record, kRecordIcon);
    node.type = RecordWord(record, kRecordType);
    node.reserved = RecordWord(record, kRecordReserved);
    node.devmode.assign(std::max(devmodeRoom, record.size() - kRecordDevmode), 0);
    std::memcpy(node.devmode.data(), record.data() + kRecordDevmode, record.size() - kRecordDevmode);
    return node;
}

}  // namespace

CmProfile::CmProfile(UIDEVDATA* owner, uintptr_t creationValue) : CmPreset(owner, creationValue) {
    baseKey_ = BuildRegistryPath();
}

ProfileList CmProfile::LoadProfileTable() {
    if (!UpgradeStoredTable()) return {};
    if (!InPseudoPrinter()) {
        ProfileList stored = ReadStoredTable(kTypeUser);
        if (!stored.empty()) return stored;
    }
    ProfileList list = BuildDefaultList();
    if (!list.empty()) WriteProfileTable(list, kTypeBuiltIn);
    return list;
}

bool CmProfile::ReloadTable() {
    if (!ReloadList()) return false;
    return BuildProfileNodes();
}

bool CmProfile::UpgradeStoredTable() {
    const ProfileList stored = ReadStoredTable(kTypeUser);
    if (stored.empty()) return true;
    const ProfileList merged = MergeList(stored);
    if (!merged.empty()) {
        WriteProfileTable(merged, kTypeBuiltIn);
        return true;
    }
    const auto renames = GetRenameTable();
    if (renames.empty()) return true;
    const uint32_t count = CountEntries(stored);
    auto holdsBuiltIn = [&](const std::string& name) {
        for (uint32_t i = 0; i < count; ++i) {
            const ProfileListEntry e = EntryAt(stored, i);
            if (e.type == kTypeBuiltIn && name == e.name) return true;
        }
        return false;
    };
    std::vector<ProfileListEntry> entries;
    bool changed = false;
    for (uint32_t i = 0; i < count; ++i) {
        ProfileListEntry e = EntryAt(stored, i);
        bool dropped = false;
        for (const auto& [from, to] : renames) {
            if (e.type != kTypeBuiltIn) break;
            if (from == e.name) {
                std::memset(e.name, 0, sizeof e.name);
                std::memcpy(e.name, to.data(), std::min(to.size(), kNameSize - 1));
                changed = true;
                break;
            }
            if (to == e.name && holdsBuiltIn(from)) {
                dropped = changed = true;
                break;
            }
        }
        if (!dropped) entries.push_back(e);
    }
    if (changed) WriteProfileTable(MakeList(entries), kTypeBuiltIn);
    return true;
}

ProfileRecord CmProfile::ReadProfile(const char* name, uint16_t type) {
    return type == kTypeBuiltIn ? ReadBuiltInRecord(name) : ReadProfileFromRegistry(name, type);
}

bool CmProfile::BuildProfileNodes() {
    UIDEVDATA* ctx = Owner();
    const size_t devmodeRoom = ctx && ctx->svc ? ctx->svc->GetDevmodeSize(ctx, 2) : 0;
    std::vector<ProfileNode> chain;
    const ProfileList list = GetBuffer();
    for (uint32_t i = 0, count = CountEntries(list); i < count; ++i) {
        const ProfileListEntry entry = EntryAt(list, i);
        const ProfileRecord record = ReadProfile(entry.name, entry.type);
        if (record.empty()) {
            // Only a profile whose record is gone leaves the list: one that failed to read or
            // convert this time stays listed and is merely not offered.
            const bool gone = entry.type == kTypeBuiltIn || !IsRecordStored(entry.name);
            if (gone && !RemoveFromTable(entry.name, entry.type)) break;
            continue;
        }
        chain.push_back(NodeFromRecord(record, devmodeRoom));
    }
    committed_ = std::move(chain);
    return true;
}

bool CmProfile::PutNodeFromRecord(uint16_t type, const ProfileRecord& record) {
    if (!IsSoundRecord(record.data(), record.size())) return false;
    ProfileNode node = NodeFromRecord(record, 0);
    node.type = type;
    for (ProfileNode& existing : committed_)
        if (existing.type == type && CompareNames(existing.name, node.name) == 0) {
            existing = std::move(node);
            return true;
        }
    committed_.push_back(std::move(node));
    return true;
}

bool CmProfile::RemoveNode(uint16_t type, const char* name) {
    for (auto it = committed_.begin(); it != committed_.end(); ++it)
        if (it->type == type && CompareNames(it->name, name) == 0) {
            committed_.erase(it);
            return true;
        }
    return false;
}

bool CmProfile::SaveProfile(ProfileRecord record) {
    if (!IsSoundRecord(record.data(), record.size())) return false;
    const uint16_t type = RecordWord(record, kRecordType);
    const uint16_t storeType = type == kTypeBuiltIn ? kTypeUser : type;
    // The record says what it is stored as, so that it reads back as the profile it was listed as.
    MutableByteView(record.data(), record.size()).put_u16(kRecordType, storeType);
    record[kRecordName + kNameSize - 1] = 0;
    ProfileListEntry entry;
    ByteView(record.data(), record.size()).bytes(kRecordName, entry.name, kNameSize - 1);
    entry.type = storeType;
    entry.icon = RecordWord(record, kRecordIcon);
    if (!entry.name[0] || !StampProfileDevmode(record)) return false;
    if (!WriteProfileToRegistry(entry.name, record, storeType)) return false;
    return AddToTable(storeType, entry) && PutNodeFromRecord(storeType, record);
}

bool CmProfile::DeleteProfile(const char* name, uint16_t type) {
    if (!name || !*name) return false;
    if (type == kTypeBuiltIn) type = kTypeUser;
    // A record that could not be deleted stays listed, so that it is not left behind unseen.
    if (!DeleteProfileFromRegistry(name, type) && IsRecordStored(name)) return false;
    const bool listed = RemoveFromTable(name, type);
    const bool chained = RemoveNode(type, name);
    return listed && chained;
}

bool CmProfile::GetProfileNode(uint32_t index, CmProfileNode& node) {
    if (index >= committed_.size()) return false;
    const ProfileNode& from = committed_[index];
    std::memcpy(node.name, from.name, sizeof node.name);
    node.type = from.type;
    node.devmode = from.devmode;
    return true;
}

std::vector<ProfileListEntry> CmProfile::ReadProfileTable(HANDLE, uint16_t type) {
    const ProfileList stored = ReadStoredTable(type);
    std::vector<ProfileListEntry> entries;
    for (uint32_t i = 0, count = CountEntries(stored); i < count; ++i) entries.push_back(EntryAt(stored, i));
    entries.push_back(ProfileListEntry{});
    return entries;
}

bool CmProfile::StoreProfile(const uint8_t* record, size_t size) {
    if (!record) return false;
    return SaveProfile(ProfileRecord(record, record + size));
}
