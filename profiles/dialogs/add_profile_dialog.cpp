// The add-profile dialog (kind 10): the current settings stored as a new user profile under the
// name, comment and icon the user gives, after the name is checked against the stored profiles.
#include "profiles/dialogs/profile_dialogs.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "data/resources/drvopui_ids.h"
#include "profiles/dialogs/profile_icon_list.h"
#include "profiles/profile_layout.h"

#include <strings.h>

#include <cstring>

namespace {

constexpr int kSettingsSummaryKind = 112;
const DialogButton kButtons[] = {{IDC_VIEW_SETTINGS, kSettingsSummaryKind}, {0, 0}};
// Document-property bits a stored profile does not carry (bits 2, 3, 5, 6, 30 and 31).
constexpr uint32_t kStoredFlagsMask = 0x3FFFFF93;

}  // namespace

const DialogButton* AddProfileProc::GetDialogButtonTable() { return kButtons; }

BOOL AddProfileProc::OnInitDialog() {
    const BOOL answer = ProfileDialogBase::OnInitDialog();
    HWND dialog = Dialog();
    SendDlgItemMessageA(dialog, IDC_PROFILE_NAME, EM_LIMITTEXT, profile::kNameSize - 1, 0);
    SendDlgItemMessageA(dialog, IDC_PROFILE_COMMENT, EM_LIMITTEXT, profile::kCommentSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_PROFILE_NAME, "");
    SetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, "");
    if (!TakeStore()) return answer;
    FillIconList(GetDlgItem(dialog, IDC_PROFILE_ICONS), Store()->GetIconCount());
    if (Store()->IsSaveDefProfile()) {
        // Saving over a built-in profile is allowed: its entries are offered to start from.
        const std::string current = CurrentProfileName();
        const ProfileRecord record = current.empty() ? ProfileRecord{} : Store()->ReadProfile(current.c_str(), profile::kTypeBuiltIn);
        ByteView view(record.data(), record.size());
        uint16_t type = 0, icon = 0;
        if (view.u16(profile::kRecordType, type) && type == profile::kTypeBuiltIn && view.u16(profile::kRecordIcon, icon)) {
            char name[profile::kNameSize] = {}, comment[profile::kCommentSize] = {};
            view.bytes(profile::kRecordName, name, profile::kNameSize - 1);
            view.bytes(profile::kRecordComment, comment, profile::kCommentSize - 1);
            SetDlgItemTextA(dialog, IDC_PROFILE_NAME, name);
            SetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, comment);
            SendDlgItemMessageA(dialog, IDC_PROFILE_ICONS, LB_SETCURSEL, icon, 0);
        }
    }
    return answer;
}

BOOL AddProfileProc::OnCommand(WORD id, WORD code) {
    if (id == IDOK && code == BN_CLICKED) {
        if (OnOK()) EndDialog(Dialog(), IDOK);
        return TRUE;
    }
    return ProfileDialogBase::OnCommand(id, code);
}

bool AddProfileProc::OnOK() {
    HWND dialog = Dialog();
    UIDEVDATA* ctx = Request();
    if (!Store() || !Devmode()) return false;
    char name[profile::kNameSize] = {};
    GetDlgItemTextA(dialog, IDC_PROFILE_NAME, name, sizeof name);
    if (!name[0]) {
        ShowMessage(kMsgNameEmpty);
        FocusName();
        return false;
    }
    if (Store()->ContainsBackslash(name)) {
        ShowMessage(kMsgNameBackslash);
        FocusName();
        return false;
    }
    const int icon = SelectedIcon(dialog, IDC_PROFILE_ICONS);
    if (icon < 0) {
        SetFocus(GetDlgItem(dialog, IDC_PROFILE_ICONS));
        return false;
    }
    char comment[profile::kCommentSize] = {};
    GetDlgItemTextA(dialog, IDC_PROFILE_COMMENT, comment, sizeof comment);

    uint32_t userProfiles = 0;
    ProfileInfo info;
    for (uint32_t i = 0; Store()->GetProfileInfo(i, 0, info); ++i) {
        if (info.type == profile::kTypeShared) continue;
        if (strncasecmp(info.name, name, profile::kNameSize) == 0) {
            if (info.type == profile::kTypeUser) {
                // The profile is saved over in place (its key is the same ignoring case), so a
                // failed save leaves the old one as it was.
                if (ShowMessage(kMsgReplaceProfile) != IDYES) return false;
                break;
            }
            if (!Store()->IsSaveDefProfile()) {
                ShowMessage(kMsgBuiltInName);
                FocusName();
                return false;
            }
        }
        if (info.type == profile::kTypeUser && ++userProfiles >= kUserProfileLimit) {
            ShowMessage(kMsgTooManyProfiles);
            FocusName();
            return false;
        }
    }

    // The record: the current settings without what belongs to one job.
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1), extended = ctx->svc->GetDevmodeSize(ctx, 2);
    const size_t recordSize = profile::kRecordDevmode + extended;
    if (!size || !extended || recordSize > profile::kRecordLimit) return false;
    std::vector<uint8_t> settings(Devmode(), Devmode() + size);
    uint32_t flags = DocumentFlags() & kStoredFlagsMask;
    const uint16_t job = 1;
    const uint8_t box = 0;
    uint8_t boxName[34] = {};
    ctx->svc->SetOption(ctx, settings.data(), 100, &flags, sizeof flags);
    ctx->svc->SetOption(ctx, settings.data(), 102, &job, sizeof job);
    ctx->svc->SetOption(ctx, settings.data(), 332, &box, sizeof box);
    ctx->svc->SetOption(ctx, settings.data(), 262, boxName, sizeof boxName);
    ProfileRecord record(recordSize, 0);
    if (!ctx->svc->ConvertDevmode(ctx, settings.data(), record.data() + profile::kRecordDevmode, 2)) return false;
    MutableByteView view(record.data(), record.size());
    view.put_u16(profile::kRecordSize, static_cast<uint16_t>(recordSize));
    std::memcpy(record.data() + profile::kRecordName, name, profile::kNameSize);
    std::memcpy(record.data() + profile::kRecordComment, comment, profile::kCommentSize);
    view.put_u16(profile::kRecordIcon, static_cast<uint16_t>(icon));
    view.put_u16(profile::kRecordType, profile::kTypeUser);
    view.put_u16(profile::kRecordReserved, 0);
    if (!Store()->SaveProfile(std::move(record))) return false;
    SetCurrentProfileName(name);
    return true;
}
