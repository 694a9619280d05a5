// The edit copy of the profile chain: the edit dialog adds, removes, renames and reorders user
// profiles on a copy, and the copy is committed at OK. The commit writes every new record before
// it deletes anything, so that a failed write loses no profile: an old key goes only once its
// profile is stored under the new name, and only when the names differ other than in case (the
// registry's keys ignore case, so a case-only rename hits the same key).
#include "profiles/cm_profile.h"

#include "core/helpers/byte_view.h"

#include <algorithm>
#include <cstring>

using namespace profile;

namespace {

bool SameStored(const ProfileNode& node, const char* storedName, uint16_t type) {
    return node.type == type && CmProfile::CompareNames(node.storedName, storedName) == 0;
}

void CopyField(char* out, size_t room, const char* in) {
    std::memset(out, 0, room);
    std::memcpy(out, in, strnlen(in, room - 1));
}

}  // namespace

bool CmProfile::CopyChainToWork() {
    work_.clear();
    if (committed_.empty()) return false;
    work_ = committed_;
    for (ProfileNode& node : work_) node.editFlags = 0;
    return true;
}

bool CmProfile::AppendInfoToWork(const ProfileInfo& info) {
    if (info.devmode.empty() || !info.storedName[0] || info.type == kTypeBuiltIn || work_.empty()) return false;
    ProfileNode node;
    node.recordSize = info.recordSize;
    CopyField(node.name, kNameSize, info.name);
    CopyField(node.storedName, kNameSize, info.storedName);
    CopyField(node.comment, kCommentSize, info.comment);
    node.icon = info.icon;
    node.type = info.type;
    node.reserved = info.reserved;
    node.editFlags = kAddedInEdit;
    node.devmode = info.devmode;
    work_.push_back(std::move(node));
    return true;
}

bool CmProfile::RemoveWorkNode(const ProfileInfo& info) {
    if (!info.storedName[0] || info.type == kTypeBuiltIn) return false;
    const auto found = std::find_if(work_.begin(), work_.end(),
                                    [&](const ProfileNode& n) { return SameStored(n, info.storedName, info.type); });
    if (found == work_.end()) return false;
    work_.erase(found);
    return true;
}

bool CmProfile::UpdateWorkNode(const ProfileInfo& info) {
    // A built-in profile is never stored, so it cannot take another name or comment.
    if (info.type == kTypeBuiltIn) return false;
    for (ProfileNode& node : work_)
        if (SameStored(node, info.storedName, info.type)) {
            CopyField(node.name, kNameSize, info.name);
            CopyField(node.comment, kCommentSize, info.comment);
            node.icon = info.icon;
            node.editFlags = kChangedInEdit;
            return true;
        }
    return false;
}

bool CmProfile::MoveWorkNode(const ProfileInfo& moved, const ProfileInfo& before) {
    auto find = [&](const ProfileInfo& info) {
        return std::find_if(work_.begin(), work_.end(), [&](const ProfileNode& n) {
            return n.type == info.type && CompareNames(n.name, info.name) == 0;
        });
    };
    auto from = find(moved);
    if (from == work_.end() || find(before) == work_.end()) return false;
    ProfileNode node = std::move(*from);
    work_.erase(from);
    work_.insert(find(before), std::move(node));
    return true;
}

bool CmProfile::GetProfileInfo(uint32_t index, int whichChain, ProfileInfo& info) const {
    const std::vector<ProfileNode>& chain = whichChain == 0 ? committed_ : work_;
    if (index >= chain.size()) return false;
    const ProfileNode& node = chain[index];
    info = ProfileInfo{};
    info.recordSize = node.recordSize;
    std::memcpy(info.name, node.name, kNameSize);
    std::memcpy(info.storedName, node.storedName, kNameSize);
    std::memcpy(info.comment, node.comment, kCommentSize);
    info.icon = node.icon;
    info.type = node.type;
    info.reserved = node.reserved;
    info.devmode = node.devmode;
    return true;
}

bool CmProfile::CommitWorkChain() {
    // 1. Every added or changed profile is written under its (new) name.
    for (const ProfileNode& node : work_) {
        if (!(node.editFlags & (kAddedInEdit | kChangedInEdit))) continue;
        if (node.devmode.empty()) return false;
        const size_t size = RecordSizeForCurrent(kRecordDevmode + node.devmode.size());
        if (size > kRecordLimit) return false;
        ProfileRecord record(size, 0);
        MutableByteView view(record.data(), record.size());
        view.put_u16(kRecordSize, static_cast<uint16_t>(size));
        view.put_bytes(kRecordName, node.name, strnlen(node.name, kNameSize - 1));
        view.put_bytes(kRecordComment, node.comment, strnlen(node.comment, kCommentSize - 1));
        view.put_u16(kRecordIcon, node.icon);
        view.put_u16(kRecordType, node.type);
        view.put_bytes(kRecordDevmode, node.devmode.data(), node.devmode.size());
        if (!WriteProfileToRegistry(node.name, record, node.type)) return false;
    }
    // 2. Only now do old records go: those of removed profiles, and the old names of renamed ones.
    for (const ProfileNode& old : committed_) {
        const bool kept = std::any_of(work_.begin(), work_.end(),
                                      [&](const ProfileNode& n) { return SameStored(n, old.storedName, old.type); });
        if (!kept && old.type != kTypeBuiltIn) DeleteProfileFromRegistry(old.storedName, old.type);
    }
    for (ProfileNode& node : work_) {
        if ((node.editFlags & kChangedInEdit) && CompareNames(node.storedName, node.name) != 0)
            DeleteProfileFromRegistry(node.storedName, node.type);
        std::memcpy(node.storedName, node.name, kNameSize);
        node.editFlags = 0;
    }
    committed_ = std::move(work_);
    work_.clear();
    // 3. The list is overwritten in place, never deleted first.
    std::vector<ProfileListEntry> entries;
    for (const ProfileNode& node : committed_) {
        ProfileListEntry entry;
        std::memcpy(entry.name, node.name, kNameSize);
        entry.type = node.type;
        entry.icon = node.icon;
        entries.push_back(entry);
    }
    ProfileList list = MakeList(entries);
    if (!WriteProfileTable(list, kTypeUser)) return false;
    SetBuffer(entries.empty() ? ProfileList{} : std::move(list));
    return true;
}
