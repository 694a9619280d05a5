// The font substitution page: the TrueType faces of the screen, each with the device font that
// prints it, and the combo box of the printer's device fonts that changes the selected face's.
#include "features/font_pages.h"

#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "data/resources/drvopui_ids.h"

#include <cstring>

namespace {

using namespace font;

constexpr UINT kStringDefault = 4164;
constexpr UINT kTitle = 4160;
constexpr int kFaceTabStop = 143;  // dialog units
constexpr size_t kLineLimit = 95;  // characters of a substitute shown in a line
constexpr uint16_t kNotBuilt = 0xFFFF;

const DialogButton kButtons[] = {{IDC_FS_FONT_SETS, kOptionFontDialogKind}, {0, 0}};

std::string LineOf(const TrueTypeEntry& e) {
    std::string line = e.face;
    line += '\t';
    line.append(e.substitute, strnlen(e.substitute, kLineLimit));
    return line;
}

}  // namespace

CmFontSubStitutionsProc::CmFontSubStitutionsProc() : CmProc(kFontSubstitutionDialogKind, kTitle) {
    builtFor_.fill(kNotBuilt);
}

CmFont* CmFontSubStitutionsProc::Font() const { return FontOf(Request()); }

const DialogButton* CmFontSubStitutionsProc::GetDialogButtonTable() { return kButtons; }

BOOL CmFontSubStitutionsProc::OnInitDialog() {
    const BOOL answer = CmProc::OnInitDialog();
    char text[32] = {};
    Request()->svc->LoadString(Request(), kStringDefault, text, 16);
    defaultText_ = text;
    // The base may have asked for the controls before the default text was known.
    builtFor_.fill(kNotBuilt);
    const int stop = kFaceTabStop;
    SendDlgItemMessageA(Dialog(), IDC_FS_FACES, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    BuildDeviceCombo();
    FillFaces(kTableFontSubstOpen);
    return answer;
}

void CmFontSubStitutionsProc::BuildDeviceCombo() {
    CmFont* font = Font();
    if (!font) return;
    const FontSetIds installed = font->InstalledSets();
    if (installed == builtFor_) return;
    HWND combo = GetDlgItem(Dialog(), IDC_FS_DEVICE_FONTS);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    font->FillDeviceFontList();
    for (const std::string& name : font->GetDeviceFontList()) {
        const LPARAM text = reinterpret_cast<LPARAM>(name.c_str());
        if (SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), text) != CB_ERR) continue;
        const LRESULT at = SendMessageA(combo, CB_ADDSTRING, 0, text);
        if (at >= 0) SendMessageA(combo, CB_SETITEMDATA, WPARAM(at), 1);
    }
    SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(defaultText_.c_str()));
    SendMessageA(combo, CB_SETITEMDATA, 0, 0);
    builtFor_ = installed;
}

void CmFontSubStitutionsProc::FillFaces(int queryKind) {
    CmFont* font = Font();
    HWND list = GetDlgItem(Dialog(), IDC_FS_FACES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (!font) return;
    font->FillTrueTypeList(GetDlgItem(Dialog(), IDC_FS_DEVICE_FONTS), queryKind, defaultText_.c_str());
    for (const TrueTypeEntry& e : font->GetTrueTypeList()) {
        const std::string line = LineOf(e);
        const LPARAM text = reinterpret_cast<LPARAM>(line.c_str());
        if (SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), text) != LB_ERR) continue;
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, text);
        if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(e.ordinal));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    ShowSubstituteOfSelection();
}

void CmFontSubStitutionsProc::ShowSubstituteOfSelection() {
    CmFont* font = Font();
    HWND list = GetDlgItem(Dialog(), IDC_FS_FACES);
    const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const TrueTypeEntry* e =
        font && row >= 0 ? font->FindByOrdinal(uint32_t(SendMessageA(list, LB_GETITEMDATA, WPARAM(row), 0))) : nullptr;
    if (!e) return;
    HWND combo = GetDlgItem(Dialog(), IDC_FS_DEVICE_FONTS);
    const LRESULT at = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(e->substitute));
    SendMessageA(combo, CB_SETCURSEL, WPARAM(at == CB_ERR ? 0 : at), 0);
}

void CmFontSubStitutionsProc::ChangeSubstitute() {
    CmFont* font = Font();
    HWND list = GetDlgItem(Dialog(), IDC_FS_FACES);
    HWND combo = GetDlgItem(Dialog(), IDC_FS_DEVICE_FONTS);
    const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT choice = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (!font || row < 0 || choice < 0) return;
    const uint32_t ordinal = uint32_t(SendMessageA(list, LB_GETITEMDATA, WPARAM(row), 0));
    TrueTypeEntry* e = font->FindByOrdinal(ordinal);
    if (!e) return;
    char name[kFaceField + 1] = {};
    if (SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(choice), 0) > LRESULT(kFaceField - 1)) return;
    SendMessageA(combo, CB_GETLBTEXT, WPARAM(choice), reinterpret_cast<LPARAM>(name));
    const int16_t id = int16_t(SendMessageA(combo, CB_GETITEMDATA, WPARAM(choice), 0));
    if (id == e->deviceFontId && std::strcmp(name, e->substitute) == 0) return;
    e->deviceFontId = id;
    CopyFace(e->substitute, name);
    font->MarkChanged(*e);
    font->CountChange(id != 0 ? 1 : 0);
    const std::string line = LineOf(*e);
    SendMessageA(list, LB_DELETESTRING, WPARAM(row), 0);
    const LRESULT at = SendMessageA(list, LB_INSERTSTRING, WPARAM(row), reinterpret_cast<LPARAM>(line.c_str()));
    if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(ordinal));
    SendMessageA(list, LB_SETCURSEL, WPARAM(row), 0);
}

BOOL CmFontSubStitutionsProc::OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDC_FS_FACES:
        if (code == LBN_SELCHANGE) ShowSubstituteOfSelection();
        return TRUE;
    case IDC_FS_DEVICE_FONTS:
        if (code == CBN_SELCHANGE) ChangeSubstitute();
        return TRUE;
    case IDC_FS_RESTORE:
        if (code == BN_CLICKED) FillFaces(kTableFontSubstRead);
        return TRUE;
    case IDOK:
        Store();
        break;
    default: break;
    }
    return CmProc::OnCommand(id, code);
}

void CmFontSubStitutionsProc::UpdateControls() {
    // The sets' fonts come with the rebuilt combo; the faces keep what this visit chose.
    BuildDeviceCombo();
    SendDlgItemMessageA(Dialog(), IDC_FS_FACES, LB_SETCURSEL, 0, 0);
    ShowSubstituteOfSelection();
}

BOOL CmFontSubStitutionsProc::OnSetActive() {
    UpdateControls();
    return CmProc::OnSetActive();
}

bool CmFontSubStitutionsProc::Store() {
    CmFont* font = Font();
    return font && font->StoreSubstitutions(font->InstalledSets());
}

BOOL CmFontSubStitutionsProc::OnApply() {
    Store();
    return CmProc::OnApply();
}
