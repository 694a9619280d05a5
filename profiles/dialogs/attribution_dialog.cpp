// The profile attributes dialog (kind 81): the name, comment and icon of one row of the profile
// page, checked before the row takes them. A built-in profile keeps its name and details.
#include "profiles/dialogs/profile_page.h"

#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "profiles/dialogs/profile_icon_list.h"

#include <strings.h>

#include <cstring>

BOOL AttributionProc::OnInitDialog() {
    const BOOL answer = ProfileDialogBase::OnInitDialog();
    HWND dialog = Dialog();
    attributes_ = SheetData() ? reinterpret_cast<ProfileAttributes*>(SheetData()->parameter) : nullptr;
    SendDlgItemMessageA(dialog, IDC_PROFILE_NAME, EM_LIMITTEXT, profile::kNameSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_PROFILE_COMMENT, EM_LIMITTEXT, profile::kCommentSize - 1, 0);
    TakeStore();
    FillIconList(GetDlgItem(dialog, IDC_PROFILE_ICONS), Store() ? Store()->GetIconCount() : profile::kIconCount);
    if (attributes_) {
        ProfilePageRow& row = attributes_->row;
        row.name[profile::kNameSize - 1] = 0;
        row.comment[profile::kCommentSize - 1] = 0;
        SetDlgItemTextA(dialog, IDC_PROFILE_NAME, row.name);
        SetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, row.comment);
        SendDlgItemMessageA(dialog, IDC_PROFILE_ICONS, LB_SETCURSEL, row.icon, 0);
    }
    return answer;
}

BOOL AttributionProc::OnCommand(WORD id, WORD code) {
    if (id == IDOK && code == BN_CLICKED) {
        if (OnOK()) EndDialog(Dialog(), IDOK);
        return TRUE;
    }
    return ProfileDialogBase::OnCommand(id, code);
}

bool AttributionProc::OnOK() {
    if (!attributes_) return true;
    HWND dialog = Dialog();
    char name[profile::kNameSize] = {}, comment[profile::kCommentSize] = {};
    GetDlgItemTextA(dialog, IDC_PROFILE_NAME, name, sizeof name);
    GetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, comment, sizeof comment);
    if (!name[0]) {
        ShowMessage(kMsgNameEmpty);
        FocusName();
        return false;
    }
    if (std::strchr(name, '\\')) {
        ShowMessage(kMsgNameBackslash);
        FocusName();
        return false;
    }
    const int selected = SelectedIcon(dialog, IDC_PROFILE_ICONS);
    const uint32_t icon = selected < 0 ? 0 : static_cast<uint32_t>(selected);
    ProfilePageRow& row = attributes_->row;
    attributes_->nameChanged = std::strcmp(name, row.name) != 0;
    attributes_->detailsChanged = std::strcmp(comment, row.comment) != 0 || icon != row.icon;
    if (!attributes_->nameChanged) {
        if (attributes_->detailsChanged && row.builtIn) {
            ShowMessage(kMsgBuiltInName);
            FocusName();
            attributes_->nameChanged = attributes_->detailsChanged = 0;
            return false;
        }
    } else if (attributes_->rows) {
        for (const ProfilePageRow& other : *attributes_->rows) {
            if (strncasecmp(other.name, name, profile::kNameSize) != 0 || strncasecmp(other.name, row.name, profile::kNameSize) == 0)
                continue;
            if (other.builtIn) {
                ShowMessage(kMsgBuiltInName);
                FocusName();
                return false;
            }
            if (ShowMessage(kMsgReplaceProfile) == IDNO) return false;
            break;
        }
    }
    std::memcpy(row.name, name, sizeof row.name);
    std::memcpy(row.comment, comment, sizeof row.comment);
    row.icon = icon;
    return true;
}
