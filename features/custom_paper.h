// `CmCustomPaper`: the printer's table of user papers, up to six named sizes kept in the
// printer's driver data ("UserPaperVersion", "UserPaper"), one of which may mirror the custom
// size of the device mode. The custom paper dialog edits a copy of the table and commits it.
#pragma once

#include "features/user_paper_entry.h"
#include "profiles/cm_preset.h"

#include <cstdint>
#include <optional>
#include <vector>

// Smallest or largest user paper of the device, in both unit systems.
struct UserPaperLimit {
    uint32_t lengthMm = 0, widthMm = 0;      // 1/100 mm
    uint32_t lengthInch = 0, widthInch = 0;  // 1/100 inch
};

class CmCustomPaper : public CmPreset {
public:
    using Entry = userpaper::Entry;

    CmCustomPaper(UIDEVDATA* owner, uintptr_t creationValue) : CmPreset(owner, creationValue) {}

    // The stored table; none when a value is missing or its size does not fit its version. An
    // unknown version gives an empty table.
    std::optional<std::vector<Entry>> Load() const;
    // Writes the table, then its version, so that a failed table write never leaves the
    // version claiming a layout the stored bytes do not have. True when both were written.
    bool Save(const std::vector<Entry>& entries) const;
    // The live table (stored, else the defaults), the current entry and the size limits.
    bool Initialize();
    bool Reload() { return Initialize(); }
    std::vector<Entry> BuildDefaultTable() const;
    size_t GetMaxEntries() const { return userpaper::kMaxEntries; }

    // The kind-5 entry refreshed from the device mode's custom size; false when the table has
    // no room for it.
    bool AddCurrentCustomSize();
    bool RemoveCurrentCustomSize();
    // Selects the user paper that has the device mode's custom size, or mirrors that size in the
    // kind-5 entry; writes the selection's kind to the device mode. True when mirrored.
    bool SyncWithDevmode();
    bool StoreTable() const { return Save(live_); }
    static uint32_t ConvertLength(uint32_t value, int mode) { return userpaper::ConvertLength(value, mode); }

    size_t GetCount() const { return live_.size(); }
    std::vector<Entry>& Entries() { return live_; }
    Entry* FindByKind(int kind);
    Entry* GetCurrent() { return current_ < live_.size() ? &live_[current_] : nullptr; }
    const UserPaperLimit& GetMax() const { return max_; }
    const UserPaperLimit& GetMin() const { return min_; }

    // The edit copy the dialog works on; CommitEdit copies it into the live entries of the same
    // kind (the kind-5 mirror excepted) and drops it.
    void BeginEdit() { edit_ = live_; }
    std::vector<Entry>& EditEntries() { return edit_; }
    size_t GetEditCount() const { return edit_.size(); }
    bool CommitEdit();

    // The device mode the options are read from and written to: by default the user data's
    // working copy, else the request's current device mode.
    void SetDevmode(uint8_t* devmode) { devmode_ = devmode; }

private:
    uint8_t* Devmode() const;
    template <class T>
    T Option(unsigned number) const;
    template <class T>
    void SetOption(unsigned number, T value) const;
    uint16_t DefaultUnit() const;
    // The custom size of the device mode (width low, length high, 0.1 mm); 0 when none is set.
    uint32_t CustomSize() const;
    std::string LoadLabel(int kind) const;
    Entry Sized(Entry e, uint32_t lengthTenthMm, uint32_t widthTenthMm) const;

    std::vector<Entry> live_;
    std::vector<Entry> edit_;
    size_t current_ = SIZE_MAX;
    UserPaperLimit max_, min_;
    uint8_t* devmode_ = nullptr;
};

// The user data's object for a request: the table built at once, as the sheet's pages and the
// custom paper dialog read it. Null when it cannot be made.
CmModule* MakeCustomPaper(UIDEVDATA* ctx);
