// The watermark dialog's procedure: the preset list, the fields of the chosen preset, add, delete
// and reset, the checks before a preset is kept, and OK. Every change goes into the chosen entry
// of the working list at once and marks it edited; nothing is stored before OK.
#include "features/watermark_page.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "ui/cm_message.h"
#include "ui/dialog_registry.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

using namespace watermark;

namespace {

constexpr UINT kTitle = 4750;
constexpr UINT kCurrentName = 4088, kNewName = 4105;
constexpr UINT kMsgNoName = 56, kMsgNoText = 57, kMsgDeleteNamed = 67, kMsgNameTaken = 68, kMsgFull = 82,
               kMsgDeleteUnnamed = 117;
constexpr int kPlaceLimit = 50, kAngleLimit = 180, kSizeLimit = 500;
constexpr int kTextLimit = 31;
// A context that makes every preset the user's keeps fewer of them.
constexpr uint32_t kPseudoLimit = 20, kUserLimit = 50;

constexpr COLORREF kColours[] = {RGB(128, 128, 128), RGB(0, 0, 0),     RGB(255, 0, 0),   RGB(0, 128, 0),
                                 RGB(0, 0, 255),     RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255)};

// A number as the user types it: an optional sign, then digits only.
bool ParseNumber(const std::string& text, int& value) {
    size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    if (at >= text.size() || text.size() > 6) return false;
    for (size_t i = at; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    value = std::atoi(text.c_str() + (text[0] == '+' ? 1 : 0));
    return true;
}

// A track bar's range: the low end in the low word, the high end in the high word.
LPARAM Range(int low, int high) {
    return static_cast<LPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                               static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16);
}

int RadioOf(const WaterMarkRecord& r) {
    return r.rotationMode == 2 ? IDC_WM_DIAGONAL_DOWN : r.rotationMode == 3 ? IDC_WM_FREE_ANGLE : IDC_WM_DIAGONAL_UP;
}

int Degrees(const WaterMarkRecord& r) { return r.rotationMode == 3 ? -360 - r.angleWord : 0; }

const DialogEntry kEntries[] = {
    {kWaterMarkDialogKind, CmProc::DialogProcFor<CmWaterMarkProc>, kTitle, IDD_WATERMARK, nullptr},
};

constexpr UINT kWarning = MB_ICONWARNING;
constexpr MessageRow kRows[] = {
    {kMsgNoName, 4751, kTitle, kWarning},
    {kMsgNoText, 4752, kTitle, kWarning},
    {kMsgDeleteNamed, 4753, kTitle, MB_YESNO | MB_ICONQUESTION},
    {kMsgNameTaken, 4754, kTitle, kWarning},
    {kMsgFull, 4755, kTitle, kWarning},
    {kMsgDeleteUnnamed, 4756, kTitle, MB_YESNO | MB_ICONQUESTION},
};

}  // namespace

CmWaterMarkProc::CmWaterMarkProc() : CmProc(kWaterMarkDialogKind, 0) {}

std::string CmWaterMarkProc::Text(int id) const {
    char text[64] = {};
    GetDlgItemTextA(Dialog(), id, text, sizeof text);
    return text;
}

std::string CmWaterMarkProc::Resource(UINT id) const {
    char text[kTextRoom] = {};
    UIDEVDATA* ctx = Request();
    if (!ctx || ctx->svc->LoadString(ctx, id, text, sizeof text) <= 0) return {};
    return text;
}

int CmWaterMarkProc::ShowMessage(UINT id, const char* argument) const {
    CmMessage* catalogue = MessageCatalogue(Request());
    if (!catalogue) return 0;
    return argument ? catalogue->ShowWithArg(Dialog(), id, argument) : catalogue->Show(Dialog(), id);
}

CmWaterMarkProc::Record* CmWaterMarkProc::Current() {
    if (!marks_) return nullptr;
    auto& working = const_cast<std::vector<Record>&>(marks_->Working());
    return current_ < working.size() ? &working[current_] : nullptr;
}

void CmWaterMarkProc::FindCurrentFromSettings() {
    char name[kOptTextSize + 1] = {};
    Request()->svc->GetOption(Request(), Devmode(), kOptName, name, kOptTextSize);
    current_ = 0;
    const auto& working = marks_->Working();
    for (size_t i = 0; i < working.size(); ++i)
        if (std::strcmp(working[i].name, name) == 0) {
            current_ = i;
            return;
        }
}

BOOL CmWaterMarkProc::OnInitDialog() {
    CmProc::OnInitDialog();
    CmUserData* user = Request() ? Request()->svc->GetUserData(Request()) : nullptr;
    marks_ = user ? dynamic_cast<PDLWaterMark*>(user->GetWaterMark()) : nullptr;
    if (!marks_) return TRUE;
    marks_->InitWorkingList();
    FindCurrentFromSettings();

    filling_ = true;
    SendDlgItemMessageA(Dialog(), IDC_WM_TEXT, EM_LIMITTEXT, kTextLimit, 0);
    SendDlgItemMessageA(Dialog(), IDC_WM_NAME, EM_LIMITTEXT, kTextLimit, 0);
    for (int id : {IDC_WM_X, IDC_WM_Y, IDC_WM_ANGLE, IDC_WM_SIZE}) SendDlgItemMessageA(Dialog(), id, EM_LIMITTEXT, 4, 0);
    for (int id : {IDC_WM_X_SLIDER, IDC_WM_Y_SLIDER}) {
        SendDlgItemMessageA(Dialog(), id, TBM_SETRANGE, TRUE, Range(-kPlaceLimit, kPlaceLimit));
        SendDlgItemMessageA(Dialog(), id, TBM_SETTICFREQ, 10, 0);
        SendDlgItemMessageA(Dialog(), id, TBM_SETPAGESIZE, 0, 5);
    }
    SendDlgItemMessageA(Dialog(), IDC_WM_ANGLE_SLIDER, TBM_SETRANGE, TRUE, Range(-kAngleLimit, kAngleLimit));
    SendDlgItemMessageA(Dialog(), IDC_WM_ANGLE_SLIDER, TBM_SETTICFREQ, 30, 0);
    SendDlgItemMessageA(Dialog(), IDC_WM_ANGLE_SLIDER, TBM_SETPAGESIZE, 0, 15);
    for (size_t i = 0; i < std::size(kColours); ++i)
        SendDlgItemMessageA(Dialog(), IDC_WM_COLOUR, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Resource(IDS_WM_COLOUR_FIRST + static_cast<UINT>(i)).c_str()));
    filling_ = false;
    FillList();
    FillControls();
    return TRUE;
}

void CmWaterMarkProc::FillList() {
    filling_ = true;
    HWND list = GetDlgItem(Dialog(), IDC_WM_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const Record& record : marks_->Working()) {
        if (record.changeFlags & kChangeDeleted) continue;
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.name));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), record.id);
    }
    filling_ = false;
    SelectCurrentInList();
}

void CmWaterMarkProc::SelectCurrentInList() {
    const Record* current = Current();
    HWND list = GetDlgItem(Dialog(), IDC_WM_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; current && i < count; ++i)
        if (SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == current->id) {
            filling_ = true;
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            filling_ = false;
            return;
        }
}

void CmWaterMarkProc::SetNumber(int id, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    SetDlgItemTextA(Dialog(), id, text);
}

void CmWaterMarkProc::FillControls() {
    const Record* r = Current();
    if (!r) return;
    filling_ = true;
    SetDlgItemTextA(Dialog(), IDC_WM_NAME, r->name);
    SetDlgItemTextA(Dialog(), IDC_WM_TEXT, r->text);
    SetNumber(IDC_WM_SIZE, r->font.height);
    SetNumber(IDC_WM_X, r->x);
    SetNumber(IDC_WM_Y, r->y);
    SetNumber(IDC_WM_ANGLE, Degrees(*r));
    SendDlgItemMessageA(Dialog(), IDC_WM_X_SLIDER, TBM_SETPOS, TRUE, r->x);
    SendDlgItemMessageA(Dialog(), IDC_WM_Y_SLIDER, TBM_SETPOS, TRUE, r->y);
    SendDlgItemMessageA(Dialog(), IDC_WM_ANGLE_SLIDER, TBM_SETPOS, TRUE, Degrees(*r));
    CheckRadioButton(Dialog(), IDC_WM_DIAGONAL_UP, IDC_WM_FREE_ANGLE, RadioOf(*r));
    CheckRadioButton(Dialog(), IDC_WM_FRAME_BOX, IDC_WM_FRAME_NONE,
                     r->frameKind == 3 ? IDC_WM_FRAME_BOX : r->frameKind == 1 ? IDC_WM_FRAME_CIRCLE : IDC_WM_FRAME_NONE);
    CheckRadioButton(Dialog(), IDC_WM_LAYER_BEHIND, IDC_WM_LAYER_FRONT,
                     r->layerChoice == 1 ? IDC_WM_LAYER_BEHIND : IDC_WM_LAYER_FRONT);
    CheckDlgButton(Dialog(), IDC_WM_FIRST_PAGE, r->flag ? BST_CHECKED : BST_UNCHECKED);
    int colour = -1;
    for (size_t i = 0; i < std::size(kColours); ++i)
        if (kColours[i] == r->colour) colour = static_cast<int>(i);
    SendDlgItemMessageA(Dialog(), IDC_WM_COLOUR, CB_SETCURSEL, static_cast<WPARAM>(colour), 0);
    filling_ = false;
    EnableControls();
    InvalidateRect(GetDlgItem(Dialog(), IDC_WM_SAMPLE), nullptr, TRUE);
}

void CmWaterMarkProc::EnableControls() {
    const Record* r = Current();
    const bool freeAngle = r && r->rotationMode == 3;
    EnableWindow(GetDlgItem(Dialog(), IDC_WM_ANGLE), freeAngle);
    EnableWindow(GetDlgItem(Dialog(), IDC_WM_ANGLE_SLIDER), freeAngle);
    // Only the user's own presets can be deleted.
    EnableWindow(GetDlgItem(Dialog(), IDC_WM_DELETE), r && marks_->IsDeletable(*r));
}

void CmWaterMarkProc::Changed() {
    if (Record* r = Current()) r->changeFlags |= kChangeEdited;
    EnableControls();
    HWND sample = GetDlgItem(Dialog(), IDC_WM_SAMPLE);
    InvalidateRect(sample, nullptr, TRUE);
    UpdateWindow(sample);
}

void CmWaterMarkProc::OnNumberField(WORD id, WORD code) {
    Record* r = Current();
    if (!r) return;
    const int limit = id == IDC_WM_ANGLE ? kAngleLimit : id == IDC_WM_SIZE ? kSizeLimit : kPlaceLimit;
    const int low = id == IDC_WM_SIZE ? 1 : -limit;
    const int entry = id == IDC_WM_X ? r->x : id == IDC_WM_Y ? r->y : id == IDC_WM_SIZE ? r->font.height : Degrees(*r);
    const std::string text = Text(id);
    int value = 0;
    const bool number = !text.empty() && ParseNumber(text, value);
    if (code == EN_KILLFOCUS) {
        // What is left in the field must be the entry's value.
        if (!number || value < low || value > limit) {
            filling_ = true;
            SetNumber(id, entry);
            filling_ = false;
            SendDlgItemMessageA(Dialog(), id, EM_SETSEL, 0, -1);
        }
        return;
    }
    if (code != EN_CHANGE) return;
    if (!number) {
        // A sign alone is a number being typed; anything else is taken back.
        if (text.empty() || text == "-" || text == "+") return;
        filling_ = true;
        SetNumber(id, entry);
        filling_ = false;
        return;
    }
    if (value < low || value > limit) {
        value = value < low ? low : limit;
        filling_ = true;
        SetNumber(id, value);
        filling_ = false;
    }
    if (value == entry) return;
    if (id == IDC_WM_X) r->x = static_cast<int16_t>(value);
    if (id == IDC_WM_Y) r->y = static_cast<int16_t>(value);
    if (id == IDC_WM_SIZE) r->font.height = static_cast<int16_t>(value);
    if (id == IDC_WM_ANGLE) {
        r->angleWord = static_cast<int16_t>(-360 - value);
        r->font.escapement = EscapementOf(r->angleWord);
    }
    const int slider = id == IDC_WM_X ? IDC_WM_X_SLIDER : id == IDC_WM_Y ? IDC_WM_Y_SLIDER : IDC_WM_ANGLE_SLIDER;
    if (id != IDC_WM_SIZE) SendDlgItemMessageA(Dialog(), slider, TBM_SETPOS, TRUE, value);
    Changed();
}

void CmWaterMarkProc::OnTextField(WORD id) {
    Record* r = Current();
    if (!r) return;
    char* field = id == IDC_WM_NAME ? r->name : r->text;
    const std::string text = Text(id);
    if (text.compare(0, kTextRoom - 1, field) == 0) return;
    CopyText(field, kTextRoom, text.c_str());
    if (id == IDC_WM_NAME) {
        // The list shows the new name at once.
        HWND list = GetDlgItem(Dialog(), IDC_WM_LIST);
        const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (at != LB_ERR) {
            filling_ = true;
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
            SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(r->name));
            SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), r->id);
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
            filling_ = false;
        }
    }
    Changed();
}

bool CmWaterMarkProc::Validate() {
    const Record* r = Current();
    if (!r) return false;
    // Only what was added or changed in this visit is checked: the current settings often have
    // no text (no watermark), and a preset nobody touched was checked when it was kept.
    if (!(r->changeFlags & (kChangeAdded | kChangeEdited))) return true;
    UINT message = 0;
    // The unsaved current watermark carries the name of the current settings; only the presets
    // themselves need names of their own.
    if (!r->name[0] || Resource(kNewName) == r->name) message = kMsgNoName;
    else if (r->id != 0 && Resource(kCurrentName) == r->name) message = kMsgNameTaken;
    else
        for (const Record& other : marks_->Working())
            if (&other != r && !(other.changeFlags & kChangeDeleted) && std::strcmp(other.name, r->name) == 0)
                message = kMsgNameTaken;
    if (!message && !r->text[0]) message = kMsgNoText;
    if (!message) return true;
    ShowMessage(message, message == kMsgNameTaken ? r->name : nullptr);
    SelectCurrentInList();
    HWND field = GetDlgItem(Dialog(), message == kMsgNoText ? IDC_WM_TEXT : IDC_WM_NAME);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    return false;
}

void CmWaterMarkProc::Add() {
    HWND list = GetDlgItem(Dialog(), IDC_WM_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    uint32_t listed = 0;
    for (LRESULT i = 0; i < count; ++i) listed += SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) != 0;
    UIDEVDATA* ctx = Request();
    const bool shared = ctx->svc->PseudoPrinterGetField8(ctx, Printer()) == 3;
    const uint32_t limit = shared ? kPseudoLimit : marks_->BuiltinCount() + kUserLimit;
    if (listed >= limit) {
        ShowMessage(kMsgFull, shared ? "20" : "50");
        return;
    }
    if (!Validate()) return;
    if (!marks_->AddPreset(*Current())) return;
    current_ = marks_->Working().size() - 1;
    FillList();
    FillControls();
    HWND name = GetDlgItem(Dialog(), IDC_WM_NAME);
    SetFocus(name);
    SendMessageA(name, EM_SETSEL, 0, -1);
}

void CmWaterMarkProc::Delete() {
    const Record* r = Current();
    if (!r || !marks_->IsDeletable(*r)) return;
    const bool unnamed = !r->name[0] || Resource(kNewName) == r->name;
    const int answer = unnamed ? ShowMessage(kMsgDeleteUnnamed) : ShowMessage(kMsgDeleteNamed, r->name);
    if (answer != IDYES) return;
    HWND list = GetDlgItem(Dialog(), IDC_WM_LIST);
    const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (!marks_->DeletePreset(r->id)) return;
    // The entry before the deleted one becomes current (the next one when it was the first).
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1;
    const LRESULT next = at >= count ? count - 1 : at;
    FillList();
    const LRESULT id = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(next < 0 ? 0 : next), 0);
    const auto& working = marks_->Working();
    for (size_t i = 0; i < working.size(); ++i)
        if (working[i].id == id && !(working[i].changeFlags & kChangeDeleted)) current_ = i;
    SelectCurrentInList();
    FillControls();
}

void CmWaterMarkProc::Reset() {
    marks_->Update(0);
    marks_->InitWorkingList();
    FindCurrentFromSettings();
    FillList();
    FillControls();
}

bool CmWaterMarkProc::Ok() {
    if (!Validate()) return false;
    // The current entry keeps its place among the entries that stay.
    size_t place = 0;
    for (size_t i = 0; i < current_; ++i) place += !(marks_->Working()[i].changeFlags & kChangeDeleted);
    if (!marks_->CommitWorkingList()) return false;
    current_ = place;
    const Record* r = Current();
    if (!r) return true;
    UIDEVDATA* ctx = Request();
    uint8_t* dm = Devmode();
    uint32_t flags = 0;
    ctx->svc->GetOption(ctx, dm, kOptFlags, &flags, sizeof flags);
    flags = MakeOptionFlags(*r, flags);
    ctx->svc->SetOption(ctx, dm, kOptFlags, &flags, sizeof flags);
    char name[kOptTextSize] = {}, text[kOptTextSize] = {};
    if (r->id != 0) std::memcpy(name, r->name, strnlen(r->name, kOptTextSize - 1));
    std::memcpy(text, r->text, strnlen(r->text, kOptTextSize - 1));
    ctx->svc->SetOption(ctx, dm, kOptName, name, sizeof name);
    ctx->svc->SetOption(ctx, dm, kOptText, text, sizeof text);
    uint8_t font[kOptFontSize] = {};
    ctx->svc->GetOption(ctx, dm, kOptFont, font, sizeof font);
    const int32_t numbers[3] = {r->font.height, r->font.escapement, r->font.weight};
    for (int i = 0; i < 3; ++i)
        for (int b = 0; b < 4; ++b) font[i * 4 + b] = static_cast<uint8_t>(static_cast<uint32_t>(numbers[i]) >> (8 * b));
    font[12] = r->font.italic;
    std::memcpy(font + 13, r->font.faceName, kFaceRoom);
    ctx->svc->SetOption(ctx, dm, kOptFont, font, sizeof font);
    ctx->svc->SetOption(ctx, dm, kOptColour, &r->colour, sizeof r->colour);
    const uint16_t angle = GetDrawAngle(*r);
    ctx->svc->SetOption(ctx, dm, kOptAngle, &angle, sizeof angle);
    const uint32_t position = static_cast<uint16_t>(r->x) | static_cast<uint32_t>(static_cast<uint16_t>(r->y)) << 16;
    ctx->svc->SetOption(ctx, dm, kOptPosition, &position, sizeof position);
    return true;
}

BOOL CmWaterMarkProc::OnCommand(WORD id, WORD code) {
    if (!marks_ || filling_) return CmProc::OnCommand(id, code);
    Record* r = Current();
    switch (id) {
    case IDOK:
        if (!Ok()) return TRUE;
        break;
    case IDC_WM_X:
    case IDC_WM_Y:
    case IDC_WM_ANGLE:
    case IDC_WM_SIZE: OnNumberField(id, code); return TRUE;
    case IDC_WM_NAME:
    case IDC_WM_TEXT:
        if (code == EN_CHANGE) OnTextField(id);
        return TRUE;
    case IDC_WM_LIST:
        if (code == LBN_SELCHANGE) {
            HWND list = GetDlgItem(Dialog(), IDC_WM_LIST);
            const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
            const LRESULT chosen = at == LB_ERR ? -1 : SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(at), 0);
            if (!r || chosen == r->id || !Validate()) return TRUE;
            const auto& working = marks_->Working();
            for (size_t i = 0; i < working.size(); ++i)
                if (working[i].id == chosen && !(working[i].changeFlags & kChangeDeleted)) current_ = i;
            FillControls();
        }
        return TRUE;
    case IDC_WM_ADD: Add(); return TRUE;
    case IDC_WM_DELETE: Delete(); return TRUE;
    case IDC_WM_RESET: Reset(); return TRUE;
    default: break;
    }
    if (!r || (code != BN_CLICKED && code != CBN_SELCHANGE)) return CmProc::OnCommand(id, code);
    switch (id) {
    case IDC_WM_CENTRE:
        r->x = r->y = 0;
        FillControls();
        break;
    case IDC_WM_DIAGONAL_UP: r->rotationMode = 1, r->angleWord = 0, r->font.escapement = 0; break;
    case IDC_WM_DIAGONAL_DOWN: r->rotationMode = 2, r->angleWord = 0, r->font.escapement = 0; break;
    case IDC_WM_FREE_ANGLE:
        r->rotationMode = 3;
        r->angleWord = static_cast<int16_t>(-360 - Degrees(*r));
        r->font.escapement = EscapementOf(r->angleWord);
        break;
    case IDC_WM_FRAME_BOX: r->frameKind = 3; break;
    case IDC_WM_FRAME_CIRCLE: r->frameKind = 1; break;
    case IDC_WM_FRAME_NONE: r->frameKind = 0; break;
    case IDC_WM_LAYER_BEHIND: r->layerChoice = 1; break;
    case IDC_WM_LAYER_FRONT: r->layerChoice = 0; break;
    case IDC_WM_FIRST_PAGE: r->flag = IsDlgButtonChecked(Dialog(), IDC_WM_FIRST_PAGE) == BST_CHECKED; break;
    case IDC_WM_COLOUR: {
        const LRESULT at = SendDlgItemMessageA(Dialog(), IDC_WM_COLOUR, CB_GETCURSEL, 0, 0);
        if (at < 0 || at >= static_cast<LRESULT>(std::size(kColours))) return TRUE;
        r->colour = kColours[at];
        break;
    }
    default: return CmProc::OnCommand(id, code);
    }
    Changed();
    return TRUE;
}

BOOL CmWaterMarkProc::OnHScroll(int, int, HWND control) {
    if (!marks_ || !control) return FALSE;
    const int id = GetDlgCtrlID(control);
    const int field = id == IDC_WM_X_SLIDER ? IDC_WM_X : id == IDC_WM_Y_SLIDER ? IDC_WM_Y
                      : id == IDC_WM_ANGLE_SLIDER ? IDC_WM_ANGLE : 0;
    if (!field) return FALSE;
    // The field takes the bar's value and stores it as if typed.
    SetNumber(field, static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)));
    return TRUE;
}

BOOL CmWaterMarkProc::OnDrawItem(int id, DRAWITEMSTRUCT* item) {
    if (id != IDC_WM_SAMPLE || !item || !Current()) return CmProc::OnDrawItem(id, item);
    DrawSample(Request(), item->hDC, item->rcItem, *Current());
    return TRUE;
}

bool RegisterWaterMarkDialog() {
    RegisterMessageRows(kCommonMessages, kRows, std::size(kRows));
    return RegisterDialogEntries(kEntries, std::size(kEntries));
}
