// The inserted-sheet dialog: page lists typed for three kinds of insertion (inserted sheets,
// chapter pages, tab paper) and kept in the settings' insertion table, the single page the
// settings' flags choose, the inserter's media and the sheet shift.
#include "features/feature_pages.h"

#include "core/devmode/model_section.h"
#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "features/feature_numbers.h"
#include "features/insertion_table.h"
#include "features/list_view_rows.h"
#include "features/page_list.h"
#include "model/media_table.h"
#include "ui/dialog_registry.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstring>

namespace {

namespace model = devmode::model;

constexpr UINT kStringKinds[] = {9629, 9630, 9631};
constexpr UINT kStringColumnNumber = 9627, kStringColumnPage = 9628;
constexpr UINT kStringInserterOnly = 9440;
constexpr UINT kStringMedia = 9632, kStringUnknownMedia = 9633;
constexpr UINT kMsgNumber = 1032;
constexpr int kColumnWidth = 70;
constexpr uint16_t kFlagKind0 = 0x4, kFlagKind1 = 0x8;
constexpr uint16_t kNumberChecks = 0x10;
constexpr uint16_t kInserterOnlyModels[] = {1023, 1027, 2016, 2021, 2053, 2054, 2055, 2056};

InsertionTable TableOf(MutableByteView section, const ModelDescription& d) {
    return InsertionTable(section, d.insertionTableWords);
}

}  // namespace

InsertingSheetProc::InsertingSheetProc() : PDLSvProc(kInsertingSheetDialogKind, 10845) {}

int InsertingSheetProc::Kind() const {
    const LRESULT kind = SendDlgItemMessageA(Dialog(), IDC_IS_KIND, CB_GETCURSEL, 0, 0);
    return kind < 0 ? 0 : int(kind);
}

BOOL InsertingSheetProc::OnInitDialog() {
    const BOOL answer = PDLSvProc::OnInitDialog();
    HWND combo = GetDlgItem(Dialog(), IDC_IS_KIND);
    for (UINT id : kStringKinds) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(String(id).c_str()));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    HWND list = GetDlgItem(Dialog(), IDC_IS_PAGES);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddListColumn(list, 0, String(kStringColumnNumber), kColumnWidth);
    AddListColumn(list, 1, String(kStringColumnPage), kColumnWidth);
    SendDlgItemMessageA(Dialog(), IDC_IS_TEXT, EM_LIMITTEXT, kPageListTextLimit, 0);
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_ADD), FALSE);
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_DELETE), FALSE);
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_NUMBER_ADD), FALSE);
    const uint16_t modelCode = uint16_t(Request()->svc->GetDeviceDataValue2(Request()));
    if (std::find(std::begin(kInserterOnlyModels), std::end(kInserterOnlyModels), modelCode) !=
        std::end(kInserterOnlyModels))
        SetDlgItemTextA(Dialog(), IDC_IS_MODEL_NOTE, String(kStringInserterOnly).c_str());
    ModelDescription d{};
    if (Model(d) && d.insertionFlag) {
        ShowMedia();
        ShowPages();
        if (ReadOnly())
            for (int id : {IDC_IS_KIND_LABEL, IDC_IS_PAGES, IDC_IS_DELETE, IDC_IS_TEXT_LABEL, IDC_IS_TEXT,
                           IDC_IS_TEXT_NOTE, IDC_IS_ADD})
                EnableWindow(GetDlgItem(Dialog(), id), FALSE);
    }
    return answer;
}

void InsertingSheetProc::ShowPages() {
    HWND list = GetDlgItem(Dialog(), IDC_IS_PAGES);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    ModelDescription d{};
    if (!Model(d)) return;
    const InsertionTable table = TableOf(Section(), d);
    int number = 0;
    for (uint16_t page : table.Pages(Kind()))
        if (page) AddListRow(list, {std::to_string(++number), std::to_string(page)}, LPARAM(page));
}

void InsertingSheetProc::ShowMedia() {
    uint16_t id = kNoMedia;
    Section().u16(model::kMediaPairs + 4 * kMediaTargetInserter, id);
    const uint16_t modelCode = uint16_t(Request()->svc->GetDeviceDataValue2(Request()));
    const int at = MediaTable_IndexOf(id, modelCode);
    const std::string name = at >= 0 ? MediaTable_ForModel(modelCode)[at].name : String(kStringUnknownMedia);
    char text[300] = {};
    std::snprintf(text, sizeof text, String(kStringMedia).c_str(), name.c_str());
    SetDlgItemTextA(Dialog(), IDC_IS_MEDIA_TEXT, text);
}

void InsertingSheetProc::CheckText() {
    const std::string text = Text(IDC_IS_TEXT);
    const auto ranges = ParsePageList(text);
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_ADD), ranges && !ranges->empty() && !ReadOnly());
}

void InsertingSheetProc::CheckNumber() {
    BOOL valid = FALSE;
    const UINT page = GetDlgItemInt(Dialog(), IDC_IS_NUMBER, &valid, FALSE);
    ModelDescription d{};
    bool free = false;
    if (valid && page >= 1 && page <= InsertionTable::kMaxPage && Model(d)) {
        uint16_t flags = 0;
        Section().u16(model::kPrivateFlags, flags);
        const int kind = (flags & kFlagKind0) ? 0 : (flags & kFlagKind1) ? 1 : 2;
        // Page 1 is never an insertion of kinds 0 and 1: it counts as held.
        free = !(kind != 2 && page == 1) &&
               TableOf(Section(), d).FindInsertPageEntry(kind, uint16_t(page)) < 0;
    }
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_NUMBER_ADD), free);
}

void InsertingSheetProc::AddPages() {
    const auto ranges = ParsePageList(Text(IDC_IS_TEXT));
    ModelDescription d{};
    MutableByteView section = Section();
    if (!ranges || ranges->empty() || !Model(d) || !section.contains(0, model::kFieldsEnd)) return;
    InsertionTable table = TableOf(section, d);
    const int kind = Kind();
    // All ranges or none: a table too small for the text keeps what it held and the text stays
    // for the person to shorten.
    std::vector<uint8_t> before(section.data(), section.data() + model::kFieldsEnd);
    for (const PageRange& r : *ranges)
        if (!table.Add(kind, r.first, r.last)) {
            section.put_bytes(0, before.data(), before.size());
            MessageBeep(MB_ICONEXCLAMATION);
            HWND edit = GetDlgItem(Dialog(), IDC_IS_TEXT);
            SetFocus(edit);
            SendMessageA(edit, EM_SETSEL, 0, -1);
            return;
        }
    table.Compact(kind);
    ShowPages();
    SetDlgItemTextA(Dialog(), IDC_IS_TEXT, "");
    SetFocus(GetDlgItem(Dialog(), IDC_IS_TEXT));
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_ADD), FALSE);
    CheckNumber();
}

void InsertingSheetProc::DeletePages() {
    HWND list = GetDlgItem(Dialog(), IDC_IS_PAGES);
    std::vector<uint16_t> pages;
    for (int row : SelectedListRows(list)) pages.push_back(uint16_t(ListRowData(list, row)));
    ModelDescription d{};
    if (pages.empty() || !Model(d)) return;
    TableOf(Section(), d).Remove(Kind(), pages);
    ShowPages();
    EnableWindow(GetDlgItem(Dialog(), IDC_IS_DELETE), FALSE);
    CheckNumber();
}

bool InsertingSheetProc::Apply() {
    ModelDescription d{};
    if (Model(d) && d.insertionFlag) return true;
    uint16_t flags = 0, unit = 0;
    Section().u16(model::kOptionFlags, flags);
    Section().u16(model::kUnitWord, unit);
    if ((flags & kNumberChecks) && !IsValidShift(Text(IDC_IS_SHIFT), DecimalSeparator(), true, unit)) {
        Refuse(kMsgNumber, IDC_IS_SHIFT);
        return false;
    }
    return true;
}

BOOL InsertingSheetProc::OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDC_IS_KIND:
        if (code == CBN_SELCHANGE) {
            ShowPages();
            EnableWindow(GetDlgItem(Dialog(), IDC_IS_DELETE), FALSE);
        }
        return TRUE;
    case IDC_IS_TEXT:
        if (code == EN_CHANGE) CheckText();
        return TRUE;
    case IDC_IS_NUMBER:
        if (code == EN_CHANGE) CheckNumber();
        return TRUE;
    case IDC_IS_ADD:
        if (code == BN_CLICKED) AddPages();
        return TRUE;
    case IDC_IS_DELETE:
        if (code == BN_CLICKED) DeletePages();
        return TRUE;
    case IDC_IS_MEDIA:
        if (code == BN_CLICKED && OpenDialogByKind(Request(), Dialog(), kMediaLibraryDialogKind, kMediaTargetInserter) == IDOK)
            ShowMedia();
        return TRUE;
    case IDOK:
        if (!Apply()) return TRUE;
        break;
    default: break;
    }
    return PDLSvProc::OnCommand(id, code);
}

BOOL InsertingSheetProc::OnNotify(int id, NMHDR* header) {
    if (id == IDC_IS_PAGES && header && header->code == LVN_ITEMCHANGED) {
        EnableWindow(GetDlgItem(Dialog(), IDC_IS_DELETE),
                     !SelectedListRows(GetDlgItem(Dialog(), IDC_IS_PAGES)).empty() && !ReadOnly());
        return TRUE;
    }
    return PDLSvProc::OnNotify(id, header);
}
