// The profile page (kind 80, see profile_page.h). The list shows the profiles the printer has
// stored and its built-in ones; Apply names the selected one in "PPCurPName" (and "PPCurPFlg":
// 1 for a built-in profile, 2 for another) and keeps how the printer follows it.
#include "profiles/dialogs/profile_page.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "data/resources/drvopui_ids.h"
#include "profiles/dialogs/profile_icon_list.h"
#include "ui/dialog_registry.h"

#include <strings.h>

#include <cstring>
#include <string>

namespace {

constexpr char kCurrentNameValue[] = "PPCurPName";
constexpr char kCurrentFlagValue[] = "PPCurPFlg";
constexpr uint32_t kFlagBuiltIn = 1, kFlagOther = 2;
constexpr int kRowHeight = 20;
constexpr int kSettingsSummaryKind = 112;

ProfilePageRow RowOf(const ProfileNode& node) {
    ProfilePageRow row{};
    std::memcpy(row.name, node.name, sizeof row.name);
    std::memcpy(row.comment, node.comment, sizeof row.comment);
    row.name[profile::kNameSize - 1] = 0;
    row.comment[profile::kCommentSize - 1] = 0;
    row.icon = node.icon;
    row.builtIn = node.type == profile::kTypeBuiltIn ? 1 : 0;
    row.type = node.type;
    return row;
}

}  // namespace

BOOL PriProfileProc::OnInitDialog() {
    const BOOL answer = ProfileDialogBase::OnInitDialog();
    TakeStore();
    CmUserData* user = Request()->svc->GetUserData(Request());
    const DWORD mode = user ? user->GetMode() : 0;
    CheckDlgButton(Dialog(), IDC_PROFILE_FOLLOW, mode == 0 || mode == 2 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Dialog(), IDC_PROFILE_FOLLOW_ALWAYS, mode == 0 ? BST_CHECKED : BST_UNCHECKED);
    FillList();
    return answer;
}

void PriProfileProc::FillList() {
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, kRowHeight);
    rows_.clear();
    // The stored list of the printer: its built-in and user profiles as the store holds them.
    if (Store())
        for (const ProfileNode& node : Store()->Committed())
            if (node.type == profile::kTypeBuiltIn || node.type == profile::kTypeUser) rows_.push_back(RowOf(node));
    char current[profile::kNameSize] = {};
    Request()->svc->ReadPrinterString(Request(), kCurrentNameValue, current, sizeof current, CurrentProfileName().c_str());
    current[profile::kNameSize - 1] = 0;
    int selected = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows_[i].name));
        if (std::strcmp(rows_[i].name, current) == 0) selected = static_cast<int>(i);
    }
    if (!rows_.empty()) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int PriProfileProc::SelectedRow() const {
    const LRESULT at = SendDlgItemMessageA(Dialog(), IDC_PROFILE_LIST, LB_GETCURSEL, 0, 0);
    return at >= 0 && static_cast<size_t>(at) < rows_.size() ? static_cast<int>(at) : -1;
}

BOOL PriProfileProc::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    if (id != IDC_PROFILE_LIST || !item) return ProfileDialogBase::OnDrawItem(id, item);
    if (item->itemID >= rows_.size()) return TRUE;
    const ProfilePageRow& row = rows_[item->itemID];
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int top = item->rcItem.top, height = item->rcItem.bottom - item->rcItem.top;
    // A built-in profile is marked at the left; each row shows its icon's colour beside its name.
    if (row.builtIn) {
        RECT mark{item->rcItem.left + 2, top + height / 2 - 2, item->rcItem.left + 6, top + height / 2 + 2};
        FillRect(item->hDC, &mark, GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    }
    DRAWITEMSTRUCT icon = *item;
    icon.rcItem.left += 8;
    icon.rcItem.right = icon.rcItem.left + 16;
    icon.itemID = row.icon;
    icon.itemState = 0;
    DrawIconItem(icon);
    RECT text = item->rcItem;
    text.left += 28;
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(item->hDC, row.name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &item->rcItem);
    return TRUE;
}

void PriProfileProc::EditAttributes() {
    const int at = SelectedRow();
    if (at < 0 || !Store()) return;
    ProfileAttributes attributes{rows_[static_cast<size_t>(at)], &rows_, 0, 0};
    if (OpenDialogByKind(Request(), Dialog(), kProfileAttributesKind, reinterpret_cast<LPARAM>(&attributes)) != IDOK)
        return;
    ProfilePageRow& row = rows_[static_cast<size_t>(at)];
    if ((!attributes.nameChanged && !attributes.detailsChanged) || row.builtIn) return;
    // Stored under the new name first; the old record goes only once the new one is there.
    ProfileRecord record = Store()->ReadProfile(row.name, profile::kTypeUser);
    if (record.size() <= profile::kRecordDevmode) return;
    std::memset(record.data() + profile::kRecordName, 0, profile::kNameSize);
    std::memcpy(record.data() + profile::kRecordName, attributes.row.name, profile::kNameSize - 1);
    std::memcpy(record.data() + profile::kRecordComment, attributes.row.comment, profile::kCommentSize);
    MutableByteView(record.data(), record.size()).put_u16(profile::kRecordIcon, static_cast<uint16_t>(attributes.row.icon));
    if (!Store()->SaveProfile(record)) return;
    if (attributes.nameChanged && strcasecmp(row.name, attributes.row.name) != 0) Store()->DeleteProfile(row.name, profile::kTypeUser);
    FillList();
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_LIST);
    SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(attributes.row.name));
    PropSheet_Changed(GetParent(Dialog()), Dialog());
}

void PriProfileProc::ShowSummary() {
    const int at = SelectedRow();
    UIDEVDATA* ctx = Request();
    CmUserData* user = ctx->svc->GetUserData(ctx);
    if (at < 0 || !Store() || !user || !Devmode()) return;
    const ProfilePageRow& row = rows_[static_cast<size_t>(at)];
    const ProfileRecord record = Store()->ReadProfile(row.name, row.builtIn ? profile::kTypeBuiltIn : profile::kTypeUser);
    if (record.size() <= profile::kRecordDevmode) return;
    // The profile's settings laid over a copy of the current ones, named as the profile.
    std::vector<uint8_t> settings(Devmode(), Devmode() + ctx->svc->GetDevmodeSize(ctx, 1));
    std::vector<uint8_t> stored(record.begin() + profile::kRecordDevmode, record.end());
    if (!ctx->svc->ConvertDevmode(ctx, settings.data(), stored.data(), 1)) return;
    char name[profile::kNameSize] = {};
    std::memcpy(name, row.name, profile::kNameSize - 1);
    ctx->svc->SetOption(ctx, settings.data(), 101, name, sizeof name);
    uint32_t flags = 0;
    ctx->svc->GetOption(ctx, settings.data(), 100, &flags, sizeof flags);
    flags |= 0x4;
    ctx->svc->SetOption(ctx, settings.data(), 100, &flags, sizeof flags);
    // The summary reads the sheet's settings: they are the profile's while it shows.
    const CmUserData::DialogBlocks before = user->GetDialogBlocks();
    user->SetDialogBlocks({settings.data(), before.deviceOptions});
    OpenDialogByKind(ctx, Dialog(), kSettingsSummaryKind, 0);
    user->SetDialogBlocks(before);
}

namespace {

std::string BarFilter(const std::string& parts) {
    std::string filter = parts;
    while (!filter.empty() && filter.back() == '\0') filter.pop_back();
    for (char& c : filter)
        if (c == '\0') c = '|';
    return filter + "|";
}

}  // namespace

bool PriProfileProc::PickFile(bool save, char* file) {
    const std::string filter = BarFilter(Store()->GetFileFilter());
    char folder[MAX_PATH] = {}, extension[16] = {};
    GetWindowsDirectoryA(folder, sizeof folder);
    Request()->svc->LoadString(Request(), 4005, extension, sizeof extension);
    return save ? Store()->ExportDialog(Dialog(), file, filter.c_str(), folder, extension)
                : Store()->ImportDialog(Dialog(), file, filter.c_str(), folder, extension);
}

void PriProfileProc::ExportSelected() {
    const int at = SelectedRow();
    if (at < 0 || !Store()) return;
    const ProfilePageRow& row = rows_[static_cast<size_t>(at)];
    const ProfileRecord record = Store()->ReadProfile(row.name, row.builtIn ? profile::kTypeBuiltIn : profile::kTypeUser);
    if (record.size() <= profile::kRecordDevmode) return;
    char file[kPresetPathRoom] = {};
    if (Store()->IsValidFileName(row.name)) std::strncpy(file, row.name, sizeof file - 1);
    if (PickFile(true, file)) Store()->ExportProfileFile(Dialog(), file, record);
}

void PriProfileProc::Import() {
    if (!Store()) return;
    char file[kPresetPathRoom] = {};
    if (!PickFile(false, file)) return;
    ProfileRecord record = Store()->ImportProfileFile(Dialog(), file, false);
    if (record.size() <= profile::kRecordDevmode) return;
    char name[profile::kNameSize] = {};
    std::memcpy(name, record.data() + profile::kRecordName, profile::kNameSize - 1);
    if (!name[0]) return;
    for (const ProfilePageRow& row : rows_) {
        if (strncasecmp(row.name, name, profile::kNameSize) != 0) continue;
        if (row.builtIn) {
            ShowMessage(kMsgBuiltInName);
            return;
        }
        // Saved over in place below: the old profile stays until the new one is stored.
        if (ShowMessage(kMsgReplaceProfile) == IDNO) return;
        break;
    }
    // What belongs to one job does not come with a profile.
    Store()->EditRecordDevmode(record, [&](uint8_t* devmode) {
        UIDEVDATA* ctx = Request();
        const uint16_t job = 1, zero16 = 0;
        uint8_t box[34] = {};
        uint32_t flags = 0;
        ctx->svc->GetOption(ctx, devmode, 100, &flags, sizeof flags);
        flags &= ~0xC0000000u;
        ctx->svc->SetOption(ctx, devmode, 100, &flags, sizeof flags);
        ctx->svc->SetOption(ctx, devmode, 102, &job, sizeof job);
        ctx->svc->SetOption(ctx, devmode, 261, &zero16, sizeof zero16);
        ctx->svc->SetOption(ctx, devmode, 262, box, sizeof box);
    });
    MutableByteView(record.data(), record.size()).put_u16(profile::kRecordType, profile::kTypeUser);
    if (!Store()->SaveProfile(record)) return;
    FillList();
    SendDlgItemMessageA(Dialog(), IDC_PROFILE_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
}

void PriProfileProc::DeleteSelected() {
    const int at = SelectedRow();
    if (at < 0 || rows_[static_cast<size_t>(at)].builtIn || !Store()) return;
    if (ShowMessage(kMsgDeleteProfile) == IDNO) return;
    if (!Store()->DeleteProfile(rows_[static_cast<size_t>(at)].name, profile::kTypeUser)) return;
    rows_.erase(rows_.begin() + at);
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_LIST);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at > 0 ? at - 1 : 0), 0);
}

void PriProfileProc::MoveSelected(int by) {
    const int at = SelectedRow(), to = at + by;
    if (at < 0 || to < 0 || static_cast<size_t>(to) >= rows_.size()) return;
    std::swap(rows_[static_cast<size_t>(at)], rows_[static_cast<size_t>(to)]);
    HWND list = GetDlgItem(Dialog(), IDC_PROFILE_LIST);
    for (int i : {at, to}) {
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rows_[static_cast<size_t>(i)].name));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
}

BOOL PriProfileProc::OnCommand(WORD id, WORD code) {
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_PROFILE_ATTRIBUTES: EditAttributes(); return TRUE;
        case IDC_PROFILE_SUMMARY: ShowSummary(); return TRUE;
        case IDC_PROFILE_PAGE_EXPORT: ExportSelected(); return TRUE;
        case IDC_PROFILE_PAGE_IMPORT: Import(); return TRUE;
        case IDC_PROFILE_PAGE_DELETE: DeleteSelected(); return TRUE;
        case IDC_PROFILE_UP: MoveSelected(-1); return TRUE;
        case IDC_PROFILE_DOWN: MoveSelected(1); return TRUE;
        case IDC_PROFILE_FOLLOW:
        case IDC_PROFILE_FOLLOW_ALWAYS: PropSheet_Changed(GetParent(Dialog()), Dialog()); return TRUE;
        default: break;
        }
    }
    if (id == IDC_PROFILE_LIST && code == LBN_SELCHANGE) PropSheet_Changed(GetParent(Dialog()), Dialog());
    return ProfileDialogBase::OnCommand(id, code);
}

BOOL PriProfileProc::OnApply() {
    UIDEVDATA* ctx = Request();
    const std::string current = CurrentProfileName();
    std::string name = current;
    DWORD flag = kFlagBuiltIn;
    const int at = SelectedRow();
    if (at >= 0) {
        name = rows_[static_cast<size_t>(at)].name;
        flag = rows_[static_cast<size_t>(at)].builtIn ? kFlagBuiltIn : kFlagOther;
    } else {
        for (const ProfilePageRow& row : rows_)
            if (current == row.name) flag = row.builtIn ? kFlagBuiltIn : kFlagOther;
    }
    ctx->svc->WritePrinterStringId8(ctx, kCurrentNameValue, name.c_str());
    ctx->svc->SetPrinterDword(ctx, kCurrentFlagValue, flag);
    const bool follow = IsDlgButtonChecked(Dialog(), IDC_PROFILE_FOLLOW) == BST_CHECKED;
    const bool always = IsDlgButtonChecked(Dialog(), IDC_PROFILE_FOLLOW_ALWAYS) == BST_CHECKED;
    if (CmUserData* user = ctx->svc->GetUserData(ctx)) user->SetMode(!follow ? 1 : always ? 0 : 2);
    return TRUE;
}
