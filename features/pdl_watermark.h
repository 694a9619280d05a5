// `PDLWaterMark`: the sheet's watermark object. It holds the current watermark of the settings
// and the preset list the stamp list and the watermark page show (the current watermark when it
// has no name, the built-in presets, the user's presets), and the working list the page edits.
// User presets are stored per printer under the registry key "WaterMark", or, for a
// pseudo-printer context, in the context's data slots.
#pragma once

#include "features/watermark_record.h"
#include "items/common/watermark_view.h"
#include "profiles/cm_preset.h"

#include <cstdint>
#include <string>
#include <vector>

class PDLWaterMark : public CmPreset, public CmWaterMark {
public:
    PDLWaterMark(UIDEVDATA* owner, uintptr_t creationValue);

    using Record = watermark::WaterMarkRecord;

    // The list of the stored state and the current settings; ReloadList keeps it.
    std::vector<uint8_t> LoadList() override { return {}; }
    std::vector<Record> LoadPresetList();
    // As LoadPresetList, after value "0" has been set to the current watermark (or removed when
    // the current watermark has a name).
    std::vector<Record> RefreshPresetList();
    // Rebuilds the list after the settings changed (1: a profile was applied).
    void Update(int flag) override;
    const std::vector<Record>& Presets() const { return list_; }

    // The current watermark as the settings hold it, named by the resource string 4088.
    bool BuildCurrentRecord(Record& record) const;
    uint32_t GetBuiltinCount();
    bool GetBuiltinPreset(Record& record, uint32_t i);
    // Entry i (1..n) of this language's table; false outside it.
    bool GetTablePreset(Record& record, uint32_t i) const;
    uint32_t TableCount() const;

    // Converts stored presets of the older layout and built-in copies into user presets.
    bool UpgradeStoredPresets();

    // The page's working list: a copy of the preset list it edits, committed on OK.
    void InitWorkingList();
    const std::vector<Record>& Working() const { return working_; }
    Record* WorkingEntry(uint16_t id);
    // Adds a user preset after the last one; false when the list is full.
    bool AddPreset(const Record& source);
    // Marks a user preset deleted; one added in this visit goes at once. False for the current
    // watermark, a built-in preset or an unknown id.
    bool DeletePreset(uint16_t id);
    // Whether the entry is the user's to delete: a user preset, or any preset of a context that
    // makes every preset the user's.
    bool IsDeletable(const Record& record) const;
    // Stores the working list: every value is written before any value is removed, so that a
    // step that fails leaves each preset stored at least once.
    bool CommitWorkingList();
    bool ReloadList() override;
    // Room of the list: the current watermark, n built-in presets and 51 more.
    uint32_t Capacity() const { return builtinCount_ + 52; }
    uint32_t BuiltinCount() const { return builtinCount_; }

    // The stamp list's view.
    uint32_t Count() const override { return static_cast<uint32_t>(list_.size()); }
    uint16_t Id(uint32_t i) const override { return i < Count() ? list_[i].id : 0; }
    const char* Name(uint32_t i) const override { return i < Count() ? list_[i].name : ""; }
    const char* Text(uint32_t i) const override { return i < Count() ? list_[i].text : ""; }
    CmWaterMarkFont Font(uint32_t i) const override;
    uint32_t Colour(uint32_t i) const override { return i < Count() ? list_[i].colour : 0; }
    uint32_t Flags(uint32_t i) const override;
    uint16_t Angle(uint32_t i) const override { return i < Count() ? watermark::GetDrawAngle(list_[i]) : 0; }
    void Position(uint32_t i, uint16_t out[2]) const override;
    // The kind as the page shows it: every preset is the user's when the context says so.
    uint32_t KindOf(const Record& record) const;

    // Stored values below the printer's "WaterMark" key (exposed for the host's tools and tests).
    bool ReadValue(uint32_t index, std::vector<uint8_t>& bytes) const;
    bool WriteValue(uint32_t index, const Record& record);
    bool DeleteValue(uint32_t index);

private:
    bool InPseudoPrinter() const;
    uint8_t* Settings() const;
    uint32_t OptionWord(DWORD option) const;
    std::string LoadText(UINT id) const;
    bool ReadStored(uint32_t index, Record& record) const;
    std::vector<Record> BuildList(bool refresh);
    // The pseudo-printer's shared block: its records, read once and written back on commit.
    bool LoadSharedBlock();
    bool StoreSharedBlock();
    bool GetDevicePreset(Record& record, uint32_t i);

    std::string basePath_;
    std::vector<Record> list_;
    std::vector<Record> working_;
    uint32_t builtinCount_ = 0;
    std::vector<Record> shared_;  // pseudo-printer presets, 1..n
    bool sharedHeld_ = false;
    bool sharedStale_ = false;
};

// Makes the watermark object of a request; null when it cannot be made.
CmModule* MakeWaterMark(UIDEVDATA* ctx);
