// The font-set page: the optional font sets of the device data moved between the installed list
// (as many as the device has slots) and the available list; stored as the three installed ids and
// the memory they take. Also the registration of both font dialogs.
#include "features/font_pages.h"

#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "ui/dialog_registry.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

using namespace font;

constexpr UINT kStringSlots = 4163;
constexpr UINT kTitle = 4161;

const DialogEntry kEntries[] = {
    {kFontSubstitutionDialogKind, CmProc::DialogProcFor<CmFontSubStitutionsProc>, 4160, IDD_FONT_SUBSTITUTION,
     nullptr},
    {kOptionFontDialogKind, CmProc::DialogProcFor<CmOptionFontProc>, kTitle, IDD_OPTION_FONTS, nullptr},
};

void AddSet(HWND list, const FontSet& set) {
    const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(set.name.c_str()));
    if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(set.id));
}

}  // namespace

CmOptionFontProc::CmOptionFontProc() : CmProc(kOptionFontDialogKind, kTitle) {}

CmFont* CmOptionFontProc::Font() const { return FontOf(Request()); }

BOOL CmOptionFontProc::OnInitDialog() {
    const BOOL answer = CmProc::OnInitDialog();
    CmFont* font = Font();
    if (!font) return answer;
    char format[128] = {}, text[160] = {};
    Request()->svc->LoadString(Request(), kStringSlots, format, sizeof format);
    std::snprintf(text, sizeof text, format, font->FontSetSlots());
    SetDlgItemTextA(Dialog(), IDC_OF_SLOTS, text);
    const FontSetIds installed = font->InstalledSets();
    HWND installedList = GetDlgItem(Dialog(), IDC_OF_INSTALLED);
    HWND availableList = GetDlgItem(Dialog(), IDC_OF_AVAILABLE);
    const std::vector<FontSet> sets = font->FontSets();
    // The installed list keeps the stored order of the ids.
    for (uint16_t id : installed)
        for (const FontSet& set : sets)
            if (id && set.id == id) AddSet(installedList, set);
    for (const FontSet& set : sets)
        if (std::find(installed.begin(), installed.end(), set.id) == installed.end()) AddSet(availableList, set);
    SendMessageA(installedList, LB_SETCURSEL, 0, 0);
    SendMessageA(availableList, LB_SETCURSEL, 0, 0);
    UpdateButtons();
    return answer;
}

void CmOptionFontProc::Move(int from, int to) {
    HWND source = GetDlgItem(Dialog(), from);
    HWND target = GetDlgItem(Dialog(), to);
    const LRESULT row = SendMessageA(source, LB_GETCURSEL, 0, 0);
    if (row < 0) return;
    const LRESULT length = SendMessageA(source, LB_GETTEXTLEN, WPARAM(row), 0);
    if (length < 0) return;
    std::string name(size_t(length) + 1, '\0');
    SendMessageA(source, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(name.data()));
    const LPARAM id = LPARAM(SendMessageA(source, LB_GETITEMDATA, WPARAM(row), 0));
    const LRESULT at = SendMessageA(target, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (at < 0) return;
    SendMessageA(target, LB_SETITEMDATA, WPARAM(at), id);
    SendMessageA(target, LB_SETCURSEL, WPARAM(at), 0);
    SendMessageA(source, LB_DELETESTRING, WPARAM(row), 0);
    const LRESULT left = SendMessageA(source, LB_GETCOUNT, 0, 0);
    if (left > 0) SendMessageA(source, LB_SETCURSEL, WPARAM(row < left ? row : left - 1), 0);
}

void CmOptionFontProc::UpdateButtons() {
    CmFont* font = Font();
    const LRESULT installed = SendDlgItemMessageA(Dialog(), IDC_OF_INSTALLED, LB_GETCOUNT, 0, 0);
    const LRESULT available = SendDlgItemMessageA(Dialog(), IDC_OF_AVAILABLE, LB_GETCOUNT, 0, 0);
    // Three values hold the installed ids, whatever number of slots the device claims.
    const LRESULT slots = std::min<LRESULT>(font ? font->FontSetSlots() : 0, LRESULT(FontSetIds{}.size()));
    HWND remove = GetDlgItem(Dialog(), IDC_OF_REMOVE);
    HWND add = GetDlgItem(Dialog(), IDC_OF_ADD);
    const HWND focus = GetFocus();
    EnableWindow(remove, installed > 0);
    EnableWindow(add, installed < slots && available > 0);
    if ((focus == remove && installed <= 0) || (focus == add && !IsWindowEnabled(add)))
        SendMessageA(Dialog(), WM_NEXTDLGCTL, 0, FALSE);
}

BOOL CmOptionFontProc::OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDC_OF_REMOVE:
        if (code == BN_CLICKED) Move(IDC_OF_INSTALLED, IDC_OF_AVAILABLE), UpdateButtons();
        return TRUE;
    case IDC_OF_ADD:
        if (code == BN_CLICKED) Move(IDC_OF_AVAILABLE, IDC_OF_INSTALLED), UpdateButtons();
        return TRUE;
    case IDC_OF_REMOVE_ALL:
        if (code == BN_CLICKED) {
            SendDlgItemMessageA(Dialog(), IDC_OF_INSTALLED, LB_SETCURSEL, 0, 0);
            while (SendDlgItemMessageA(Dialog(), IDC_OF_INSTALLED, LB_GETCOUNT, 0, 0) > 0) {
                SendDlgItemMessageA(Dialog(), IDC_OF_INSTALLED, LB_SETCURSEL, 0, 0);
                Move(IDC_OF_INSTALLED, IDC_OF_AVAILABLE);
            }
            UpdateButtons();
        }
        return TRUE;
    case IDOK:
        Store();
        break;
    default: break;
    }
    return CmProc::OnCommand(id, code);
}

bool CmOptionFontProc::Store() {
    CmFont* font = Font();
    if (!font) return false;
    FontSetIds ids{};
    for (size_t i = 0; i < ids.size(); ++i) {
        const LRESULT data = SendDlgItemMessageA(Dialog(), IDC_OF_INSTALLED, LB_GETITEMDATA, WPARAM(i), 0);
        ids[i] = data == LB_ERR ? 0 : uint16_t(data);
    }
    // The memory sum goes with the ids, so that the printer's fonts fit what is installed.
    return font->WriteInstalledSets(ids);
}

BOOL CmOptionFontProc::OnApply() {
    Store();
    return CmProc::OnApply();
}

bool RegisterFontDialogs() {
    RegisterModuleFactory(kModuleFont, MakeFont);
    return RegisterDialogEntries(kEntries, std::size(kEntries));
}

void UnregisterFontDialogs() {
    UnregisterDialogEntries(kEntries);
    RegisterModuleFactory(kModuleFont, nullptr);
}
