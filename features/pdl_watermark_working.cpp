// The watermark page's working list: a copy of the preset list that the page adds to, edits and
// deletes from, and its commit. The commit writes every preset that moved or changed before it
// removes any value, so that a write the registry refuses part-way leaves every preset stored.
#include "features/pdl_watermark.h"

#include "core/device/service_table.h"

#include <algorithm>
#include <cstring>

using namespace watermark;

namespace {

constexpr UINT kNewName = 4105;
constexpr uint32_t kUserRoom = 51;  // user presets beside the built-in ones

}  // namespace

void PDLWaterMark::InitWorkingList() {
    working_ = list_;
    for (Record& record : working_) record.changeFlags = 0;
}

PDLWaterMark::Record* PDLWaterMark::WorkingEntry(uint16_t id) {
    for (Record& record : working_)
        if (record.id == id && !(record.changeFlags & kChangeDeleted)) return &record;
    return nullptr;
}

bool PDLWaterMark::AddPreset(const Record& source) {
    const auto live = std::count_if(working_.begin(), working_.end(),
                                    [](const Record& r) { return !(r.changeFlags & kChangeDeleted); });
    if (static_cast<uint32_t>(live) >= builtinCount_ + kUserRoom) return false;
    Record record = source;
    record.id = static_cast<uint16_t>(working_.empty() ? builtinCount_ + 1 : working_.back().id + 1);
    record.id = std::max<uint16_t>(record.id, static_cast<uint16_t>(builtinCount_ + 1));
    record.kind = kKindUser;
    CopyText(record.name, kTextRoom, LoadText(kNewName).c_str());
    record.changeFlags = kChangeAdded;
    working_.push_back(record);
    return true;
}

bool PDLWaterMark::IsDeletable(const Record& record) const {
    if (record.id == 0) return false;  // the current settings
    return record.id > builtinCount_ || (InPseudoPrinter() && KindOf(record) == kKindUser);
}

bool PDLWaterMark::DeletePreset(uint16_t id) {
    // The current watermark and the built-in presets are not the user's to delete.
    Record* record = WorkingEntry(id);
    if (!record || !IsDeletable(*record)) return false;
    record->changeFlags |= kChangeDeleted;
    std::erase_if(working_, [](const Record& r) {
        return (r.changeFlags & kChangeDeleted) && (r.changeFlags & kChangeAdded);
    });
    return true;
}

bool PDLWaterMark::CommitWorkingList() {
    const uint32_t n = builtinCount_;
    std::vector<Record> next;
    std::vector<size_t> writes;  // entries of next to store
    next.reserve(working_.size());
    uint32_t users = 0;
    for (const Record& record : working_) {
        if (record.changeFlags & kChangeDeleted) continue;
        Record kept = record;
        if (record.id > n) {
            kept.id = static_cast<uint16_t>(n + ++users);
            if ((record.changeFlags & (kChangeAdded | kChangeEdited)) || kept.id != record.id)
                writes.push_back(next.size());
        }
        next.push_back(kept);
    }

    if (InPseudoPrinter()) {
        // The context keeps its whole list, built-in presets and added ones, in its slots.
        std::vector<Record> shared;
        for (const Record& record : next)
            if (record.id != 0) shared.push_back(record);
        for (size_t i = 0; i < shared.size(); ++i) shared[i].id = static_cast<uint16_t>(i + 1);
        shared_.swap(shared);
        sharedHeld_ = true;
        if (!StoreSharedBlock()) return false;
    } else {
        const auto before = static_cast<uint32_t>(
            std::count_if(list_.begin(), list_.end(), [n](const Record& r) { return r.id > n; }));
        // Writes first: every added, edited or renumbered user preset at its new value; then the
        // values past the new end, which no preset holds any more.
        for (size_t at : writes)
            if (!WriteValue(next[at].id - n, next[at])) return false;
        for (uint32_t index = users + 1; index <= before; ++index) {
            std::vector<uint8_t> stored;
            if (ReadValue(index, stored) && !DeleteValue(index)) return false;
        }
    }
    for (Record& record : next) record.changeFlags = 0;
    list_ = next;
    working_ = std::move(next);
    return true;
}
