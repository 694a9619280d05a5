// The overlay dialog's procedure: the mode, the file lists of the mode, browsing for a file, the
// two names of an overlay being created, the sides choice and the defaults. The settings change
// as the user chooses; the recent lists are stored on OK only.
#include "features/overlay_page.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "ui/cm_message.h"
#include "ui/dialog_registry.h"

#include <cstring>
#include <iterator>
#include <string>

using namespace overlay;
using Entry = Overlay::Entry;

namespace {

constexpr DWORD kOptFlags = 170, kOptMode = 171, kOptDeviceWord1 = 172, kOptDeviceWord2 = 174, kOptPath = 176,
                kOptName1 = 177, kOptName2 = 178;
constexpr uint16_t kModeNone = 0, kModeCreate = 1, kModeUse = 2;
// The sides choice: one bit for an overlay being created, one for an overlay in use.
constexpr uint16_t kCreateBothSides = 0x10, kUseBothSides = 0x04;
constexpr UINT kNoFiles = 4059, kTitle = 4770;
constexpr UINT kMsgQuestionable = 47;

const DialogEntry kEntries[] = {
    {kOverlayDialogKind, CmProc::DialogProcFor<CmOverlayProc>, kTitle, IDD_OVERLAY, nullptr},
};
constexpr UINT kWarning = MB_ICONWARNING;
constexpr MessageRow kRows[] = {
    {34, 4771, kTitle, kWarning}, {35, 4772, kTitle, kWarning}, {37, 4773, kTitle, kWarning},
    {40, 4774, kTitle, kWarning}, {41, 4775, kTitle, kWarning}, {42, 4776, kTitle, kWarning},
    {43, 4777, kTitle, kWarning}, {44, 4778, kTitle, kWarning}, {46, 4779, kTitle, kWarning},
    {kMsgQuestionable, 4780, kTitle, kWarning},
};

}  // namespace

CmOverlayProc::CmOverlayProc() : CmProc(kOverlayDialogKind, 0) {}

uint16_t CmOverlayProc::Option(DWORD option) const {
    uint16_t value = 0;
    Request()->svc->GetOption(Request(), Devmode(), option, &value, sizeof value);
    return value;
}

void CmOverlayProc::SetOption(DWORD option, uint16_t value) {
    Request()->svc->SetOption(Request(), Devmode(), option, &value, sizeof value);
}

const Overlay::List& CmOverlayProc::Files() const {
    return Option(kOptMode) == kModeCreate ? overlay_->Created() : overlay_->Used();
}

BOOL CmOverlayProc::OnInitDialog() {
    CmProc::OnInitDialog();
    CmUserData* user = Request() ? Request()->svc->GetUserData(Request()) : nullptr;
    overlay_ = user ? dynamic_cast<Overlay*>(user->GetOverlay()) : nullptr;
    if (!overlay_) return TRUE;
    overlay_->LoadLists();
    overlay_->LoadRecentList();
    for (int id : {IDC_OV_NAME1, IDC_OV_NAME2}) SendDlgItemMessageA(Dialog(), id, EM_LIMITTEXT, 63, 0);
    Refresh();
    if (user->IsReadOnly())
        for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgCtrlID(child) != IDCANCEL) EnableWindow(child, FALSE);
    return TRUE;
}

void CmOverlayProc::FillFiles() {
    HWND list = GetDlgItem(Dialog(), IDC_OV_FILES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (Option(kOptMode) == kModeNone) return;
    char chosen[kTextRoom + 1] = {};
    Request()->svc->GetOption(Request(), Devmode(), kOptPath, chosen, kTextRoom);
    for (const Entry& entry : Files()) {
        if (!entry.path[0]) break;
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.path));
        if (std::strcmp(entry.path, chosen) == 0) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    }
    if (Files().empty()) {
        char text[64] = {};
        Request()->svc->LoadString(Request(), kNoFiles, text, sizeof text);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void CmOverlayProc::Refresh() {
    filling_ = true;
    const uint16_t mode = Option(kOptMode);
    CheckRadioButton(Dialog(), IDC_OV_USE, IDC_OV_CREATE, 0);
    CheckDlgButton(Dialog(), IDC_OV_NONE, BST_UNCHECKED);
    CheckDlgButton(Dialog(), mode == kModeCreate ? IDC_OV_CREATE : mode == kModeUse ? IDC_OV_USE : IDC_OV_NONE,
                   BST_CHECKED);
    for (int id : {IDC_OV_FILES, IDC_OV_BROWSE, IDC_OV_EVERY_PAGE, IDC_OV_BOTH_SIDES})
        EnableWindow(GetDlgItem(Dialog(), id), mode != kModeNone);
    for (int id : {IDC_OV_NAME1, IDC_OV_NAME2}) EnableWindow(GetDlgItem(Dialog(), id), mode == kModeCreate);
    char name[65] = {};
    for (auto [id, option] : {std::pair<int, DWORD>{IDC_OV_NAME1, kOptName1}, {IDC_OV_NAME2, kOptName2}}) {
        std::memset(name, 0, sizeof name);
        if (mode == kModeCreate) Request()->svc->GetOption(Request(), Devmode(), option, name, 64);
        SetDlgItemTextA(Dialog(), id, name);
    }
    const uint16_t flags = Option(kOptFlags);
    const bool both = mode == kModeCreate ? (flags & kCreateBothSides) != 0
                      : mode == kModeUse  ? (flags & kUseBothSides) != 0
                                          : false;
    CheckDlgButton(Dialog(), IDC_OV_EVERY_PAGE, both ? BST_UNCHECKED : BST_CHECKED);
    CheckDlgButton(Dialog(), IDC_OV_BOTH_SIDES, both ? BST_CHECKED : BST_UNCHECKED);
    FillFiles();
    filling_ = false;
}

void CmOverlayProc::Browse() {
    const uint16_t mode = Option(kOptMode);
    if (mode == kModeNone) return;
    char file[kPresetPathRoom] = {};
    const std::string filter = overlay_->Filter(), extension = overlay_->DefaultExtension();
    const bool chosen = mode == kModeUse
                            ? overlay_->OpenFileDialog(Dialog(), file, filter.c_str(), nullptr, extension.c_str())
                            : overlay_->SaveFileDialog(Dialog(), file, filter.c_str(), nullptr, extension.c_str());
    if (!chosen || !overlay_->CheckPath(Dialog(), file, mode)) return;
    // The title the lists show: the file's name without its folder.
    const char* slash = std::strrchr(file, '\\');
    const Entry entry = MakeEntry(slash ? slash + 1 : file, file);
    mode == kModeUse ? overlay_->AddUsed(entry) : overlay_->AddCreated(entry);
    char path[kTextRoom] = {};
    std::memcpy(path, entry.path, sizeof path);
    Request()->svc->SetOption(Request(), Devmode(), kOptPath, path, sizeof path);
    Refresh();
}

void CmOverlayProc::Defaults() {
    const uint8_t* defaults = Request()->svc->GetDevmode(Request(), 1);
    if (!defaults) return;
    uint8_t bytes[kTextRoom];
    for (auto [option, size] : {std::pair<DWORD, DWORD>{kOptPath, 128}, {kOptName1, 64}, {kOptName2, 64},
                                {kOptFlags, 2}, {kOptMode, 2}, {kOptDeviceWord1, 2}, {kOptDeviceWord2, 2}}) {
        std::memset(bytes, 0, sizeof bytes);
        if (Request()->svc->GetOption(Request(), defaults, option, bytes, size))
            Request()->svc->SetOption(Request(), Devmode(), option, bytes, size);
    }
    Refresh();
}

bool CmOverlayProc::Ok() {
    const uint16_t mode = Option(kOptMode);
    uint16_t flags = Option(kOptFlags);
    const uint16_t before = flags;
    const bool both = IsDlgButtonChecked(Dialog(), IDC_OV_BOTH_SIDES) == BST_CHECKED;
    if (mode == kModeNone) flags &= static_cast<uint16_t>(~(kCreateBothSides | kUseBothSides));
    if (mode == kModeCreate) flags = both ? flags | kCreateBothSides : flags & ~kCreateBothSides;
    if (mode == kModeUse) flags = both ? flags | kUseBothSides : flags & ~kUseBothSides;
    if (flags != before) SetOption(kOptFlags, flags);
    if (mode == kModeCreate)
        for (auto [id, option] : {std::pair<int, DWORD>{IDC_OV_NAME1, kOptName1}, {IDC_OV_NAME2, kOptName2}}) {
            char name[64] = {};
            GetDlgItemTextA(Dialog(), id, name, sizeof name);
            Request()->svc->SetOption(Request(), Devmode(), option, name, sizeof name);
        }
    // The chosen files go in front of their lists again, and the lists are kept.
    char chosen[kTextRoom + 1] = {};
    Request()->svc->GetOption(Request(), Devmode(), kOptPath, chosen, kTextRoom);
    for (const Entry& entry : Files())
        if (mode != kModeNone && std::strcmp(entry.path, chosen) == 0) {
            const Entry front = entry;
            mode == kModeUse ? overlay_->AddUsed(front) : overlay_->AddCreated(front);
            overlay_->AddRecent(front);
            break;
        }
    overlay_->SaveLists();
    overlay_->SaveRecentList();
    return true;
}

BOOL CmOverlayProc::OnCommand(WORD id, WORD code) {
    if (!overlay_ || filling_) return CmProc::OnCommand(id, code);
    switch (id) {
    case IDC_OV_NONE:
    case IDC_OV_USE:
    case IDC_OV_CREATE:
        if (code != BN_CLICKED) return TRUE;
        SetOption(kOptMode, id == IDC_OV_CREATE ? kModeCreate : id == IDC_OV_USE ? kModeUse : kModeNone);
        Refresh();
        return TRUE;
    case IDC_OV_FILES:
        if (code == LBN_SELCHANGE) {
            const LRESULT at = SendDlgItemMessageA(Dialog(), IDC_OV_FILES, LB_GETCURSEL, 0, 0);
            if (at >= 0 && static_cast<size_t>(at) < Files().size()) {
                char path[kTextRoom] = {};
                std::memcpy(path, Files()[static_cast<size_t>(at)].path, sizeof path);
                Request()->svc->SetOption(Request(), Devmode(), kOptPath, path, sizeof path);
            }
        }
        return TRUE;
    case IDC_OV_BROWSE:
        if (code == BN_CLICKED) Browse();
        return TRUE;
    case IDC_OV_DEFAULTS:
        if (code == BN_CLICKED) Defaults();
        return TRUE;
    case IDC_OV_BOTH_SIDES:
        // Both sides with a job whose paper or sides may not suit it: a warning, the choice stays.
        if (code == BN_CLICKED && Option(kOptMode) == kModeUse &&
            (Option(124) == 1 || (Option(124) == 3 && Option(126) <= 1) || Option(112) != Option(117)))
            if (CmMessage* catalogue = MessageCatalogue(Request())) catalogue->Show(Dialog(), kMsgQuestionable);
        return TRUE;
    case IDOK:
        if (!Ok()) return TRUE;
        break;
    default: break;
    }
    return CmProc::OnCommand(id, code);
}

bool RegisterOverlayDialog() {
    RegisterMessageRows(kCommonMessages, kRows, std::size(kRows));
    return RegisterDialogEntries(kEntries, std::size(kEntries));
}
