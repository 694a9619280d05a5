// The profile dialogs: `AddProfileProc` (kind 10) stores the current settings as a new user
// profile; `EditProfileProc` (kind 11) edits the list of profiles (names, comments, icons, order,
// delete) on the store's working copy and commits it at OK. Both check a name before they take it.
#pragma once

#include "profiles/profile.h"
#include "ui/cm_proc.h"

#include <string>
#include <vector>

inline constexpr int kAddProfileDialogKind = 10;
inline constexpr int kEditProfileDialogKind = 11;

// Message ids of the profile dialogs.
enum ProfileMessage : UINT {
    kMsgNameEmpty = 10,
    kMsgTooManyProfiles = 12,
    kMsgReplaceProfile = 13,
    kMsgBuiltInName = 14,
    kMsgDeleteProfile = 16,
    kMsgNameInList = 17,
    kMsgProfileInUse = 20,
    kMsgNameBackslash = 102,
};

// What both dialogs share: the store, the name, comment and icon controls and the messages.
class ProfileDialogBase : public CmProc {
public:
    explicit ProfileDialogBase(int kind) : CmProc(kind, kind) {}
    BOOL OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    BOOL OnMeasureItem(int id, MEASUREITEMSTRUCT* item) override;

protected:
    Profile* Store() const { return store_; }
    bool TakeStore();
    int ShowMessage(UINT id);
    void FocusName();
    // The current settings' profile name (option 101).
    std::string CurrentProfileName() const;
    void SetCurrentProfileName(const char* name);
    uint32_t DocumentFlags() const;

private:
    Profile* store_ = nullptr;
};

class AddProfileProc : public ProfileDialogBase {
public:
    AddProfileProc() : ProfileDialogBase(kAddProfileDialogKind) {}
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    const DialogButton* GetDialogButtonTable() override;

    // Checks the entries and stores the profile; false, with its message shown, when refused.
    bool OnOK();
};

class EditProfileProc : public ProfileDialogBase {
public:
    EditProfileProc() : ProfileDialogBase(kEditProfileDialogKind) {}
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    const DialogButton* GetDialogButtonTable() override;

private:
    void FillProfileList();
    void ShowSelected();
    ProfileInfo* Selected();
    // Checks the selected profile's edits; false, with its message shown and the selection put
    // back, when refused.
    bool ValidateEdits(WORD command);
    void OnNameOrDetailsChanged(WORD id);
    void Delete();
    void Import();
    void Export();
    void FileDialogSetup(std::string& filter, char* folder, char* extension);
    void Move(int by);
    void Commit();

    std::vector<ProfileInfo> infos_;  // by list item, in list order
    int selection_ = -1;
    int iconSelection_ = -1;
    bool filling_ = false;
    bool validating_ = false;  // while its message shows, the name losing the focus checks nothing
};

bool RegisterProfileDialogs();
void UnregisterProfileDialogs();
