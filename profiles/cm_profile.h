// `CmProfile`: the stored profiles of one printer for the current user. A profile is a named
// snapshot of the whole device mode with a comment, an icon and a type; the list of profiles and
// one record per profile live in the registry under the current user, the built-in ones come
// from the derived class, and the committed chain holds every listed profile for the pages and
// the option interface.
#pragma once

#include "profiles/cm_preset.h"
#include "profiles/profile_layout.h"
#include "settings/sdk/profile_store.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One element of the committed chain.
struct ProfileNode {
    uint16_t recordSize = 0;
    char name[profile::kNameSize] = {};
    char storedName[profile::kNameSize] = {};  // the name under which the profile is stored
    char comment[profile::kCommentSize] = {};
    uint16_t icon = 0;
    uint16_t type = 0;
    uint16_t reserved = 0;
    uint16_t editFlags = 0;        // kAddedInEdit, kChangedInEdit
    std::vector<uint8_t> devmode;  // extended form, at least the current extended size
};
inline constexpr uint16_t kAddedInEdit = 0x1, kChangedInEdit = 0x2;

// A profile as the dialogs exchange it: a copy of one node.
struct ProfileInfo {
    uint16_t recordSize = 0;
    char name[profile::kNameSize] = {};
    char storedName[profile::kNameSize] = {};
    char comment[profile::kCommentSize] = {};
    uint16_t icon = 0;
    uint16_t type = 0;
    uint16_t reserved = 0;
    std::vector<uint8_t> devmode;
};

// A profile list as stored: 36-byte entries ended by one of empty name.
using ProfileList = std::vector<uint8_t>;
// A `ProfileFileRecord`.
using ProfileRecord = std::vector<uint8_t>;

class CmProfile : public CmPreset, public ProfileServices {
public:
    CmProfile(UIDEVDATA* owner, uintptr_t creationValue);

    // The list: the stored one, else the built-in one (which is then stored).
    std::vector<uint8_t> LoadList() override { return LoadProfileTable(); }
    ProfileList LoadProfileTable();
    // Loads the list and builds the committed chain from it.
    bool ReloadTable();

    // List entries.
    bool AddToTable(uint16_t type, const ProfileListEntry& entry);
    bool RemoveFromTable(const char* name, uint16_t type);
    static uint32_t CountEntries(const ProfileList& list);
    static ProfileListEntry EntryAt(const ProfileList& list, uint32_t index);
    static ProfileList MakeList(const std::vector<ProfileListEntry>& entries);

    // Built-in profiles, supplied by the derived class.
    virtual ProfileList BuildDefaultList() { return {}; }
    virtual ProfileList MergeList(const ProfileList&) { return {}; }
    virtual ProfileRecord ReadBuiltInRecord(const char*) { return {}; }
    // {old name, new name} pairs that move a stored built-in entry to this language's name.
    virtual std::vector<std::pair<std::string, std::string>> GetRenameTable() { return {}; }
    virtual uint16_t GetIconCount() const { return profile::kIconCount; }

    // The committed chain.
    bool BuildProfileNodes();
    bool PutNodeFromRecord(uint16_t type, const ProfileRecord& record);
    bool RemoveNode(uint16_t type, const char* name);
    const std::vector<ProfileNode>& Committed() const { return committed_; }

    // The edit copy of the chain, which the edit dialog changes and commits at OK.
    bool CopyChainToWork();
    bool AppendInfoToWork(const ProfileInfo& info);
    bool RemoveWorkNode(const ProfileInfo& info);
    bool UpdateWorkNode(const ProfileInfo& info);
    bool MoveWorkNode(const ProfileInfo& moved, const ProfileInfo& before);
    // Index-th node of the committed (0) or the work chain (1); false past the end.
    bool GetProfileInfo(uint32_t index, int whichChain, ProfileInfo& info) const;
    const std::vector<ProfileNode>& Work() const { return work_; }
    // Writes the edit copy back; on failure nothing stored has been removed and the committed
    // chain is as it was.
    bool CommitWorkChain();

    // Stored records and the stored list.
    ProfileRecord ReadProfile(const char* name, uint16_t type);
    ProfileRecord ReadProfileFromRegistry(const char* name, uint16_t type);
    bool WriteProfileToRegistry(const char* name, const ProfileRecord& record, uint16_t type);
    bool DeleteProfileFromRegistry(const char* name, uint16_t type);
    // True while a user profile of that name has a stored record, whether or not it reads.
    bool IsRecordStored(const char* name) const;
    ProfileList ReadStoredTable(uint16_t type);
    bool WriteProfileTable(const ProfileList& list, uint16_t type);
    bool DeleteProfileTable(uint16_t type);
    bool UpgradeStoredTable();
    std::string BuildProfileKeyName(const char* name) const;

    bool SaveProfile(ProfileRecord record);
    bool DeleteProfile(const char* name, uint16_t type);

    // Device modes of records.
    size_t RecordSizeForCurrent(size_t recordSize) const;
    bool StampProfileDevmode(ProfileRecord& record);
    virtual uint32_t GetDevmodeFlags(const uint8_t*) const { return 2; }
    void NormalizeBuiltInDevmode(uint8_t* devmode);
    void SetQualityDefaults(uint8_t* devmode);
    void SetColourBlockDefaults(uint8_t* devmode);
    uint16_t ResolutionCodeForQuality(int16_t quality) const;
    bool IsSaveDefProfile() const;
    // Converts the record's device mode to the current form, lets edit change it, and converts
    // it back; false, record unchanged, when a conversion fails.
    bool EditRecordDevmode(ProfileRecord& record, const std::function<void(uint8_t*)>& edit);

    // Profile files.
    bool ExportProfileFile(HWND owner, const char* fileName, const ProfileRecord& record);
    ProfileRecord ImportProfileFile(HWND owner, const char* fileName, bool quiet);
    // Descriptions and patterns of the file dialog, NUL-separated, ended by a second NUL.
    std::string GetFileFilter() const;

    // What the option interface uses, under its names: the node by index is the committed
    // chain's, storing is SaveProfile and removing is DeleteProfile.
    bool GetProfileNode(uint32_t index, CmProfileNode& node) override;
    std::vector<uint8_t> ImportProfileFile(const char* path) override { return ImportProfileFile(nullptr, path, true); }
    std::vector<ProfileListEntry> ReadProfileTable(HANDLE printer, uint16_t type) override;
    bool RemoveProfile(const char* name, uint16_t type) override { return DeleteProfile(name, type); }
    bool StoreProfile(const uint8_t* record, size_t size) override;

    // The record of a built-in, stored or imported profile is believed only after this:
    // a size inside its bytes and at least a whole device-mode header, a device mode whose own
    // sizes fit inside the record.
    static bool IsSoundRecord(const uint8_t* record, size_t size);

protected:
    bool InPseudoPrinter() const;
    // A record grown to the current device-mode size, its device mode converted and given the
    // colour-block defaults; empty when that fails.
    ProfileRecord GrownAndConverted(const uint8_t* record, size_t size);

private:
    std::string baseKey_;
    std::vector<ProfileNode> committed_;
    std::vector<ProfileNode> work_;
};
