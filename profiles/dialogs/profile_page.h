// The profile page of the printer's properties (`PriProfileProc`, kind 80): the printer's
// profiles, the one its default settings follow (kept in the printer values "PPCurPName" and
// "PPCurPFlg"), and how it follows it; and `AttributionProc` (kind 81), which edits the name,
// comment and icon of one of the page's profiles.
#pragma once

#include "profiles/dialogs/profile_dialogs.h"
#include "profiles/profile_layout.h"

#include <cstdint>
#include <vector>

inline constexpr int kProfilePageKind = 80;
inline constexpr int kProfileAttributesKind = 81;

// One row of the page's list.
struct ProfilePageRow {
    char name[profile::kNameSize];
    char comment[profile::kCommentSize];
    uint32_t icon;
    uint32_t builtIn;  // 1 for a built-in profile
    uint16_t type;
};

// What the attributes dialog is handed and hands back: the row, the page's rows to check a new
// name against, and what changed.
struct ProfileAttributes {
    ProfilePageRow row;
    const std::vector<ProfilePageRow>* rows;
    uint32_t nameChanged;
    uint32_t detailsChanged;
};

class PriProfileProc : public ProfileDialogBase {
public:
    PriProfileProc() : ProfileDialogBase(kProfilePageKind) {}
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnDrawItem(int id, DRAWITEMSTRUCT* item) override;
    BOOL OnApply() override;

private:
    void FillList();
    int SelectedRow() const;
    void EditAttributes();
    // The settings summary of the selected profile's settings.
    void ShowSummary();
    void DeleteSelected();
    // Profile files: the selected profile written to one, a profile read from one (a name a
    // user profile has saves over it once the user agrees; a built-in profile's is refused).
    bool PickFile(bool save, char* file);
    void ExportSelected();
    void Import();
    void MoveSelected(int by);

    std::vector<ProfilePageRow> rows_;
};

class AttributionProc : public ProfileDialogBase {
public:
    AttributionProc() : ProfileDialogBase(kProfileAttributesKind) {}
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

    // Checks the entries against the row and the page's rows; true when the dialog may close.
    bool OnOK();

private:
    ProfileAttributes* attributes_ = nullptr;
};
