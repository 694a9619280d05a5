// The edit-profiles dialog (kind 11): the store's profiles in a list whose selected entry's name,
// comment and icon the user edits, deletes or moves, all on the store's working copy, which OK
// commits and Cancel drops. An edit is checked before another command takes effect.
#include "profiles/dialogs/profile_dialogs.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "data/resources/drvopui_ids.h"
#include "profiles/dialogs/profile_icon_list.h"
#include "profiles/profile_layout.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kSettingsSummaryKind = 112;
constexpr WORD kHelpCommand = 9001;
const DialogButton kButtons[] = {{IDC_VIEW_SETTINGS, kSettingsSummaryKind}, {0, 0}};
constexpr uint32_t kAppliedFlag = 0x4;         // option 100 bit 2: the settings left their profile
constexpr uint32_t kKeptPaperBits = 0x3800;    // option 100 bits 11-13

}  // namespace

const DialogButton* EditProfileProc::GetDialogButtonTable() { return kButtons; }

BOOL EditProfileProc::OnInitDialog() {
    const BOOL answer = ProfileDialogBase::OnInitDialog();
    HWND dialog = Dialog();
    SendDlgItemMessageA(dialog, IDC_PROFILE_NAME, EM_LIMITTEXT, profile::kNameSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_PROFILE_COMMENT, EM_LIMITTEXT, profile::kCommentSize - 1, 0);
    if (!TakeStore()) return answer;
    FillIconList(GetDlgItem(dialog, IDC_PROFILE_ICONS), Store()->GetIconCount());
    FillProfileList();
    CheckDlgButton(dialog, IDC_PROFILE_KEEP_PAPER, (DocumentFlags() & kKeptPaperBits) ? BST_CHECKED : BST_UNCHECKED);
    return answer;
}

void EditProfileProc::FillProfileList() {
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_EDIT_LIST);
    Store()->CopyChainToWork();
    infos_.clear();
    ProfileInfo info;
    for (uint32_t i = 0; Store()->GetProfileInfo(i, 1, info); ++i) infos_.push_back(info);
    filling_ = true;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const std::string current = CurrentProfileName();
    int selected = 0;
    for (size_t i = 0; i < infos_.size(); ++i) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(infos_[i].name));
        if (current == infos_[i].name) selected = static_cast<int>(i);
    }
    SendMessageA(list, LB_SETCURSEL, infos_.empty() ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(selected), 0);
    filling_ = false;
    ShowSelected();
}

ProfileInfo* EditProfileProc::Selected() {
    const LRESULT at = SendDlgItemMessageA(Dialog(), IDC_PROFILE_EDIT_LIST, LB_GETCURSEL, 0, 0);
    return at >= 0 && static_cast<size_t>(at) < infos_.size() ? &infos_[static_cast<size_t>(at)] : nullptr;
}

void EditProfileProc::ShowSelected() {
    HWND dialog = Dialog();
    ProfileInfo* info = Selected();
    filling_ = true;
    SetDlgItemTextA(dialog, IDC_PROFILE_NAME, info ? info->name : "");
    SetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, info ? info->comment : "");
    SendDlgItemMessageA(dialog, IDC_PROFILE_ICONS, LB_SETCURSEL, info ? info->icon : 0, 0);
    // Built-in profiles keep their name and cannot be deleted.
    const bool user = info && info->type == profile::kTypeUser;
    EnableWindow(GetDlgItem(dialog, IDC_PROFILE_NAME), user);
    EnableWindow(GetDlgItem(dialog, IDC_PROFILE_DELETE), user);
    filling_ = false;
    selection_ = static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROFILE_EDIT_LIST, LB_GETCURSEL, 0, 0));
    iconSelection_ = SelectedIcon(dialog, IDC_PROFILE_ICONS);
}

bool EditProfileProc::ValidateEdits(WORD command) {
    ProfileInfo* info = Selected();
    if (!info || info->type == profile::kTypeShared || command == kHelpCommand) return true;
    UINT message = 0;
    if (!info->name[0]) message = kMsgNameEmpty;
    else if (Store()->ContainsBackslash(info->name)) message = kMsgNameBackslash;
    else if (!Store()->IsSaveDefProfile())
        for (const ProfileInfo& other : infos_)
            if (&other != info && strncasecmp(other.name, info->name, profile::kNameSize) == 0) {
                message = other.type == profile::kTypeUser ? kMsgNameInList : kMsgBuiltInName;
                break;
            }
    if (!message) return true;
    validating_ = true;
    ShowMessage(message);
    validating_ = false;
    HWND dialog = Dialog();
    SendDlgItemMessageA(dialog, IDC_PROFILE_EDIT_LIST, LB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
    SendDlgItemMessageA(dialog, IDC_PROFILE_ICONS, LB_SETCURSEL, static_cast<WPARAM>(iconSelection_), 0);
    FocusName();
    return false;
}

void EditProfileProc::OnNameOrDetailsChanged(WORD id) {
    ProfileInfo* info = Selected();
    if (!info || filling_) return;
    HWND dialog = Dialog();
    if (id == IDC_PROFILE_NAME) {
        GetDlgItemTextA(dialog, IDC_PROFILE_NAME, info->name, sizeof info->name);
        // The list shows the new name in place, keeping its selection.
        const int at = selection_;
        HWND list = GetDlgItem(dialog, IDC_PROFILE_EDIT_LIST);
        filling_ = true;
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(info->name));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
        filling_ = false;
    } else if (id == IDC_PROFILE_COMMENT) {
        GetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, info->comment, sizeof info->comment);
    } else {
        const int icon = SelectedIcon(dialog, IDC_PROFILE_ICONS);
        if (icon >= 0) info->icon = static_cast<uint16_t>(icon);
        iconSelection_ = icon;
    }
    Store()->UpdateWorkNode(*info);
}

void EditProfileProc::Delete() {
    ProfileInfo* info = Selected();
    if (!info) return;
    if (CurrentProfileName() == info->storedName && !(DocumentFlags() & kAppliedFlag)) {
        ShowMessage(kMsgProfileInUse);
        return;
    }
    if (info->type != profile::kTypeUser) return;  // built-in profiles are never deleted
    if (ShowMessage(kMsgDeleteProfile) == IDNO) return;
    if (!Store()->RemoveWorkNode(*info)) return;
    const int at = selection_;
    infos_.erase(infos_.begin() + at);
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_EDIT_LIST);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at > 0 ? at - 1 : 0), 0);
    SendMessageA(list, LB_SETTOPINDEX, 0, 0);
    ShowSelected();
}

void EditProfileProc::Move(int by) {
    const int at = selection_;
    const int to = at + by;
    if (at < 0 || to < 0 || static_cast<size_t>(to) >= infos_.size()) return;
    // The lower of the two goes before the upper.
    const int upper = by < 0 ? to : at, lower = by < 0 ? at : to;
    if (!Store()->MoveWorkNode(infos_[static_cast<size_t>(lower)], infos_[static_cast<size_t>(upper)])) return;
    std::swap(infos_[static_cast<size_t>(upper)], infos_[static_cast<size_t>(lower)]);
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_EDIT_LIST);
    filling_ = true;
    for (int i : {upper, lower}) {
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(infos_[static_cast<size_t>(i)].name));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
    filling_ = false;
    ShowSelected();
}

namespace {

// The file dialogs' filter with '|' between its parts, as the preset base takes it.
std::string BarFilter(const std::string& parts) {
    std::string filter = parts;
    while (!filter.empty() && filter.back() == '\0') filter.pop_back();
    for (char& c : filter)
        if (c == '\0') c = '|';
    return filter + "|";
}

}  // namespace

void EditProfileProc::FileDialogSetup(std::string& filter, char* folder, char* extension) {
    filter = BarFilter(Store()->GetFileFilter());
    GetWindowsDirectoryA(folder, MAX_PATH);
    Request()->svc->LoadString(Request(), 4005, extension, 16);
}

void EditProfileProc::Import() {
    const auto users = std::count_if(infos_.begin(), infos_.end(), [](const ProfileInfo& i) { return i.type == profile::kTypeUser; });
    if (static_cast<uint32_t>(users) >= kUserProfileLimit) {
        ShowMessage(kMsgTooManyProfiles);
        return;
    }
    std::string filter;
    char folder[MAX_PATH] = {}, extension[16] = {}, file[kPresetPathRoom] = {};
    FileDialogSetup(filter, folder, extension);
    if (!Store()->ImportDialog(Dialog(), file, filter.c_str(), folder, extension)) return;
    const ProfileRecord record = Store()->ImportProfileFile(Dialog(), file, false);
    ByteView view(record.data(), record.size());
    ProfileInfo info;
    if (record.size() <= profile::kRecordDevmode || !view.bytes(profile::kRecordName, info.name, profile::kNameSize - 1) ||
        !view.bytes(profile::kRecordComment, info.comment, profile::kCommentSize - 1) ||
        !view.u16(profile::kRecordIcon, info.icon) || !view.u16(profile::kRecordReserved, info.reserved))
        return;
    for (const ProfileInfo& other : infos_)
        if (other.type == profile::kTypeUser && strncasecmp(other.name, info.name, profile::kNameSize) == 0) {
            ShowMessage(kMsgNameInList);
            return;
        }
    std::memcpy(info.storedName, info.name, sizeof info.storedName);
    info.type = profile::kTypeUser;
    info.recordSize = static_cast<uint16_t>(record.size());
    info.devmode.assign(record.begin() + profile::kRecordDevmode, record.end());
    if (!Store()->AppendInfoToWork(info)) return;
    infos_.push_back(info);
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_EDIT_LIST);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(info.name));
    SendMessageA(list, LB_SETCURSEL, infos_.size() - 1, 0);
    ShowSelected();
}

void EditProfileProc::Export() {
    ProfileInfo* info = Selected();
    if (!info || info->devmode.empty()) return;
    if (!info->name[0]) {
        ShowMessage(kMsgNameEmpty);
        FocusName();
        return;
    }
    const size_t size = Store()->RecordSizeForCurrent(profile::kRecordDevmode + info->devmode.size());
    if (size > profile::kRecordLimit) return;
    ProfileRecord record(size, 0);
    MutableByteView view(record.data(), record.size());
    view.put_u16(profile::kRecordSize, static_cast<uint16_t>(size));
    view.put_bytes(profile::kRecordName, info->name, profile::kNameSize);
    view.put_bytes(profile::kRecordComment, info->comment, profile::kCommentSize);
    view.put_u16(profile::kRecordIcon, info->icon);
    view.put_u16(profile::kRecordType, info->type);
    view.put_bytes(profile::kRecordDevmode, info->devmode.data(), std::min(info->devmode.size(), size - profile::kRecordDevmode));
    std::string filter;
    char folder[MAX_PATH] = {}, extension[16] = {}, file[kPresetPathRoom] = {};
    FileDialogSetup(filter, folder, extension);
    // The profile's name is offered as the file's when it can be one.
    if (Store()->IsValidFileName(info->name)) std::strncpy(file, info->name, sizeof file - 1);
    if (!Store()->ExportDialog(Dialog(), file, filter.c_str(), folder, extension)) return;
    Store()->ExportProfileFile(Dialog(), file, record);
}

void EditProfileProc::Commit() {
    const std::string current = CurrentProfileName();
    for (const ProfileInfo& info : infos_)
        if (current == info.storedName) SetCurrentProfileName(info.name);
    Store()->CommitWorkChain();
}

BOOL EditProfileProc::OnCommand(WORD id, WORD code) {
    if (!Store()) return ProfileDialogBase::OnCommand(id, code);
    switch (id) {
    case IDC_PROFILE_NAME:
        if (code == EN_CHANGE) OnNameOrDetailsChanged(id);
        else if (code == EN_KILLFOCUS && !filling_ && !validating_) {
            // A control that checks the edit itself (or drops it) takes the focus without a
            // second message.
            const int next = GetDlgCtrlID(GetFocus());
            if (next != IDOK && next != IDCANCEL && next != IDC_VIEW_SETTINGS && next != IDC_PROFILE_DELETE &&
                next != IDC_PROFILE_IMPORT && next != IDC_PROFILE_EXPORT && next != IDC_PROFILE_EDIT_LIST)
                ValidateEdits(id);
        }
        return TRUE;
    case IDC_PROFILE_COMMENT:
        if (code == EN_CHANGE) OnNameOrDetailsChanged(id);
        return TRUE;
    case IDC_PROFILE_ICONS:
        if (code == LBN_SELCHANGE) OnNameOrDetailsChanged(id);
        return TRUE;
    case IDC_PROFILE_EDIT_LIST:
        if (code == LBN_SELCHANGE && !filling_) {
            // The entry left behind must be sound before another is shown.
            const int wanted = static_cast<int>(SendDlgItemMessageA(Dialog(), id, LB_GETCURSEL, 0, 0));
            SendDlgItemMessageA(Dialog(), id, LB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
            if (!ValidateEdits(id)) return TRUE;
            SendDlgItemMessageA(Dialog(), id, LB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
            ShowSelected();
        }
        return TRUE;
    case IDC_PROFILE_KEEP_PAPER:
        if (code == BN_CLICKED) {
            uint32_t flags = DocumentFlags();
            flags = IsDlgButtonChecked(Dialog(), id) == BST_CHECKED ? (flags | kKeptPaperBits) : (flags & ~kKeptPaperBits);
            if (Devmode()) Request()->svc->SetOption(Request(), Devmode(), 100, &flags, sizeof flags);
        }
        return TRUE;
    default: break;
    }
    if (code != BN_CLICKED) return ProfileDialogBase::OnCommand(id, code);
    if ((id == IDOK || id == IDC_VIEW_SETTINGS || id == IDC_PROFILE_DELETE || id == IDC_PROFILE_IMPORT ||
         id == IDC_PROFILE_EXPORT) &&
        !ValidateEdits(id))
        return TRUE;
    switch (id) {
    case IDOK:
        Commit();
        EndDialog(Dialog(), IDOK);
        return TRUE;
    case IDC_PROFILE_DELETE: Delete(); return TRUE;
    case IDC_PROFILE_IMPORT: Import(); return TRUE;
    case IDC_PROFILE_EXPORT: Export(); return TRUE;
    case IDC_PROFILE_UP: Move(-1); return TRUE;
    case IDC_PROFILE_DOWN: Move(1); return TRUE;
    default: return ProfileDialogBase::OnCommand(id, code);
    }
}
