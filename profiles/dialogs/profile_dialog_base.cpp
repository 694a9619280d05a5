// What the profile dialogs share (see profile_dialogs.h): the store, the icon list's drawing,
// the current settings' profile name and the messages; and the dialogs' registration.
#include "profiles/dialogs/profile_dialogs.h"

#include "core/device/service_table.h"
#include "core/helpers/drawing.h"
#include "data/resources/drvopui_ids.h"
#include "profiles/dialogs/profile_icon_list.h"
#include "profiles/dialogs/profile_page.h"
#include "ui/cm_message.h"
#include "ui/dialog_registry.h"

#include <cstring>
#include <iterator>

bool ProfileDialogBase::TakeStore() {
    CmUserData* user = Request() ? Request()->svc->GetUserData(Request()) : nullptr;
    store_ = user ? dynamic_cast<Profile*>(user->GetProfile()) : nullptr;
    return store_ != nullptr;
}

int ProfileDialogBase::ShowMessage(UINT id) {
    CmMessage* messages = MessageCatalogue(Request());
    return messages ? messages->Show(Dialog(), id) : 0;
}

void ProfileDialogBase::FocusName() {
    HWND name = GetDlgItem(Dialog(), IDC_PROFILE_NAME);
    SetFocus(name);
    SendMessageA(name, EM_SETSEL, 0, -1);
}

std::string ProfileDialogBase::CurrentProfileName() const {
    char name[profile::kNameSize + 1] = {};
    if (Devmode()) Request()->svc->GetOption(Request(), Devmode(), 101, name, profile::kNameSize);
    name[profile::kNameSize - 1] = 0;
    return name;
}

void ProfileDialogBase::SetCurrentProfileName(const char* name) {
    char field[profile::kNameSize] = {};
    std::strncpy(field, name, profile::kNameSize - 1);
    if (Devmode()) Request()->svc->SetOption(Request(), Devmode(), 101, field, profile::kNameSize);
}

uint32_t ProfileDialogBase::DocumentFlags() const {
    uint32_t flags = 0;
    if (Devmode()) Request()->svc->GetOption(Request(), Devmode(), 100, &flags, sizeof flags);
    return flags;
}

namespace {

// The up and down buttons: their picture by state (normal, pressed, focused, disabled) on the
// button face, the picture's grey left out.
void DrawArrowButton(UIDEVDATA* ctx, const DRAWITEMSTRUCT& item, UINT firstBitmap) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    RECT edge = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const UINT state = (item.itemState & ODS_DISABLED) ? 3 : pressed ? 1 : (item.itemState & ODS_FOCUS) ? 2 : 0;
    const UINT id = firstBitmap + state;
    BITMAP size{};
    if (HBITMAP picture = ctx->svc->LoadBitmap(ctx, id)) {
        GetObjectA(picture, sizeof size, &size);
        DeleteObject(picture);
    }
    const int x = (item.rcItem.left + item.rcItem.right - size.bmWidth) / 2 + (pressed ? 1 : 0);
    const int y = (item.rcItem.top + item.rcItem.bottom - size.bmHeight) / 2 + (pressed ? 1 : 0);
    DrawTransparentBitmap(ctx, item.hDC, x, y, id, RGB(0xC0, 0xC0, 0xC0));
}

constexpr UINT kUpBitmaps = 4483, kDownBitmaps = 4487;

}  // namespace

BOOL ProfileDialogBase::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    if (!item) return FALSE;
    if (id == IDC_PROFILE_UP || id == IDC_PROFILE_DOWN) {
        DrawArrowButton(Request(), *item, id == IDC_PROFILE_UP ? kUpBitmaps : kDownBitmaps);
        return TRUE;
    }
    if (id != IDC_PROFILE_ICONS) return FALSE;
    DrawIconItem(*item);
    return TRUE;
}

BOOL ProfileDialogBase::OnMeasureItem(int id, MEASUREITEMSTRUCT* item) {
    if (id != IDC_PROFILE_ICONS || !item) return FALSE;
    item->itemHeight = kIconItemHeight;
    item->itemWidth = kIconColumnWidth;
    return TRUE;
}

namespace {

constexpr UINT kTitle = 4893;
constexpr UINT kWarning = MB_ICONWARNING;
constexpr UINT kQuestion = MB_ICONQUESTION | MB_YESNO;
constexpr MessageRow kRows[] = {
    {kMsgNameEmpty, 4200, kTitle, kWarning},     {kMsgTooManyProfiles, 4207, kTitle, kWarning},
    {kMsgReplaceProfile, 4211, kTitle, kQuestion}, {kMsgBuiltInName, 4201, kTitle, kWarning},
    {kMsgDeleteProfile, 4208, kTitle, kQuestion},  {kMsgNameInList, 4202, kTitle, kWarning},
    {kMsgProfileInUse, 4203, kTitle, kWarning},    {kMsgNameBackslash, 4204, kTitle, kWarning},
};

const DialogEntry kEntries[] = {
    {kAddProfileDialogKind, CmProc::DialogProcFor<AddProfileProc>, 4206, IDD_ADD_PROFILE, nullptr},
    {kEditProfileDialogKind, CmProc::DialogProcFor<EditProfileProc>, 4210, IDD_EDIT_PROFILE, nullptr},
    {kProfilePageKind, CmProc::DialogProcFor<PriProfileProc>, 10832, IDD_PROFILE_PAGE, nullptr},
    {kProfileAttributesKind, CmProc::DialogProcFor<AttributionProc>, 10833, IDD_PROFILE_ATTRIBUTES, nullptr},
};

}  // namespace

bool RegisterProfileDialogs() {
    return RegisterMessageRows(kCommonMessages, kRows, std::size(kRows)) &&
           RegisterDialogEntries(kEntries, std::size(kEntries));
}

void UnregisterProfileDialogs() {
    UnregisterDialogEntries(kEntries);
    UnregisterMessageRows(kRows);
}
