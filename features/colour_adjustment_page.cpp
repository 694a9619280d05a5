// The colour adjustment dialog's procedure. The page keeps the four values and the in-use bytes;
// the map reads and changes the first two in place and tells the page when a drag ended.
#include "features/colour_adjustment_page.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "ui/dialog_registry.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

constexpr UINT kTitle = 9778, kValuesText = 9780;
constexpr int kLowest = -5, kHighestValue = 5;

const DialogEntry kEntries[] = {
    {kColourAdjustmentDialogKind, CmProc::DialogProcFor<CmColorAdjustmentProc>, kTitle, IDD_COLOUR_ADJUST, nullptr},
};

// The step each arrow button takes, in the order of their ids (up-left first, clockwise).
struct Step {
    int dx, dy;
};
constexpr Step kSteps[] = {{-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}};
static_assert(std::size(kSteps) == IDC_CA_LEFT - IDC_CA_UP_LEFT + 1);

int Value(int v) { return std::clamp(v, kLowest, kHighestValue); }

// The picture of the groups in use, by the three in-use bytes as bits 1, 2, 4.
constexpr UINT kGroupPictures[8] = {IDB_CA_GROUPS_123, IDB_CA_GROUPS_1,  IDB_CA_GROUPS_2,  IDB_CA_GROUPS_12,
                                    IDB_CA_GROUPS_3,   IDB_CA_GROUPS_13, IDB_CA_GROUPS_23, IDB_CA_GROUPS_123};

}  // namespace

CmColorAdjustmentProc::CmColorAdjustmentProc() : CmProc(kColourAdjustmentDialogKind, kTitle) {}

CmColorAdjustmentProc::~CmColorAdjustmentProc() {
    delete map_;
    if (groups_) DeleteObject(groups_);
}

void CmColorAdjustmentProc::ReadValues() {
    colourblock::Block block = {};
    Request()->svc->GetOption(Request(), Devmode(), colourblock::kOption, block, sizeof block);
    values_.mapX = values_.mapY = slider1_ = slider2_ = 0;
    for (size_t g = 0; g < colourblock::kGroupCount; ++g) inUse_[g] = block[colourblock::kInUse + g] ? 1 : 0;
    for (size_t g = 0; g < colourblock::kGroupCount; ++g) {
        if (!inUse_[g]) continue;
        const auto* adjust = reinterpret_cast<const int8_t*>(block + colourblock::kGroupStarts[g] + colourblock::kAdjust);
        values_.mapX = Value(adjust[0] / 2);
        values_.mapY = Value(adjust[1] / 2);
        slider1_ = Value(adjust[2] / 2);
        slider2_ = Value(adjust[3] / 2);
        break;
    }
}

void CmColorAdjustmentProc::WriteValues() {
    colourblock::Block block = {};
    if (!Request()->svc->GetOption(Request(), Devmode(), colourblock::kOption, block, sizeof block)) return;
    const int values[4] = {Value(values_.mapX), Value(values_.mapY), Value(slider1_), Value(slider2_)};
    for (size_t g = 0; g < colourblock::kGroupCount; ++g)
        for (size_t i = 0; i < 4; ++i)
            block[colourblock::kGroupStarts[g] + colourblock::kAdjust + i] =
                static_cast<uint8_t>(static_cast<int8_t>(inUse_[g] ? values[i] * 2 : 0));
    Request()->svc->SetOption(Request(), Devmode(), colourblock::kOption, block, sizeof block);
}

BOOL CmColorAdjustmentProc::OnInitDialog() {
    CmProc::OnInitDialog();
    if (!Request()) return TRUE;
    ReadValues();
    for (int id : {IDC_CA_SLIDER1, IDC_CA_SLIDER2}) {
        SendDlgItemMessageA(Dialog(), id, TBM_SETRANGEMIN, FALSE, kLowest);
        SendDlgItemMessageA(Dialog(), id, TBM_SETRANGEMAX, TRUE, kHighestValue);
    }
    if (HWND window = GetDlgItem(Dialog(), IDC_CA_MAP)) {
        SetWindowPos(window, nullptr, 0, 0, CmColorAdjustMap::kSize, CmColorAdjustMap::kSize,
                     SWP_NOMOVE | SWP_NOZORDER);
        map_ = new CmColorAdjustMap(window, Request(), &values_, inUse_);
    }
    Refresh();
    CmUserData* user = Request()->svc->GetUserData(Request());
    if (user && user->IsReadOnly())
        for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgCtrlID(child) != IDCANCEL) EnableWindow(child, FALSE);
    return TRUE;
}

void CmColorAdjustmentProc::OnDestroy() {
    // The map gives its window back its own procedure before the window goes.
    delete map_;
    map_ = nullptr;
    CmProc::OnDestroy();
}

void CmColorAdjustmentProc::ShowValues(int x, int y) {
    char format[64] = {}, text[96] = {};
    Request()->svc->LoadString(Request(), kValuesText, format, sizeof format);
    std::snprintf(text, sizeof text, format, x, y);
    SetDlgItemTextA(Dialog(), IDC_CA_VALUES, text);
}

void CmColorAdjustmentProc::ShowGroups() {
    const unsigned bits = (inUse_[0] ? 1u : 0u) | (inUse_[1] ? 2u : 0u) | (inUse_[2] ? 4u : 0u);
    HBITMAP picture = Request()->svc->LoadBitmap(Request(), kGroupPictures[bits]);
    SendDlgItemMessageA(Dialog(), IDC_CA_GROUPS, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    if (groups_) DeleteObject(groups_);
    groups_ = picture;
}

void CmColorAdjustmentProc::Refresh() {
    SendDlgItemMessageA(Dialog(), IDC_CA_SLIDER1, TBM_SETPOS, TRUE, slider1_);
    SendDlgItemMessageA(Dialog(), IDC_CA_SLIDER2, TBM_SETPOS, TRUE, slider2_);
    const bool active = map_ && !map_->IsInactive();
    for (int id = IDC_CA_UP_LEFT; id <= IDC_CA_LEFT; ++id) EnableWindow(GetDlgItem(Dialog(), id), active);
    EnableWindow(GetDlgItem(Dialog(), IDC_CA_CENTRE), active);
    for (int id : {IDC_CA_SLIDER1, IDC_CA_SLIDER2}) EnableWindow(GetDlgItem(Dialog(), id), active);
    ShowValues(values_.mapX, values_.mapY);
    ShowGroups();
    if (map_) map_->Refresh();
}

void CmColorAdjustmentProc::Defaults() {
    // The values of the default settings, in the groups this sheet has in use.
    const uint8_t* defaults = Request()->svc->GetDevmode(Request(), 1);
    colourblock::Block block = {};
    if (defaults) Request()->svc->GetOption(Request(), defaults, colourblock::kOption, block, sizeof block);
    const BYTE kept[colourblock::kGroupCount] = {inUse_[0], inUse_[1], inUse_[2]};
    values_.mapX = values_.mapY = slider1_ = slider2_ = 0;
    for (size_t g = 0; g < colourblock::kGroupCount; ++g) {
        if (!block[colourblock::kInUse + g]) continue;
        const auto* adjust = reinterpret_cast<const int8_t*>(block + colourblock::kGroupStarts[g]);
        values_.mapX = Value(adjust[0] / 2);
        values_.mapY = Value(adjust[1] / 2);
        slider1_ = Value(adjust[2] / 2);
        slider2_ = Value(adjust[3] / 2);
        break;
    }
    std::copy(std::begin(kept), std::end(kept), inUse_);
    WriteValues();
    Refresh();
}

BOOL CmColorAdjustmentProc::OnCommand(WORD id, WORD code) {
    if (!Request() || !map_) return CmProc::OnCommand(id, code);
    if (id >= IDC_CA_UP_LEFT && id <= IDC_CA_LEFT && code == BN_CLICKED) {
        if (map_->IsInactive()) return TRUE;
        const Step step = kSteps[id - IDC_CA_UP_LEFT];
        values_.mapX = Value(values_.mapX + step.dx);
        values_.mapY = Value(values_.mapY + step.dy);
        WriteValues();
        Refresh();
        return TRUE;
    }
    if (id == IDC_CA_CENTRE && code == BN_CLICKED) {
        if (map_->IsInactive()) return TRUE;
        values_.mapX = values_.mapY = 0;
        WriteValues();
        Refresh();
        return TRUE;
    }
    if (id == IDC_CA_DEFAULTS && code == BN_CLICKED) {
        Defaults();
        return TRUE;
    }
    return CmProc::OnCommand(id, code);
}

BOOL CmColorAdjustmentProc::OnHScroll(int, int, HWND control) {
    if (!control || !map_) return FALSE;
    const int id = GetDlgCtrlID(control);
    if (id != IDC_CA_SLIDER1 && id != IDC_CA_SLIDER2) return FALSE;
    const int position = Value(static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0)));
    (id == IDC_CA_SLIDER1 ? slider1_ : slider2_) = position;
    WriteValues();
    return TRUE;
}

BOOL CmColorAdjustmentProc::OnPageMessage(HWND from, PageMessageRecord* record) {
    if (record->code != kPageColorMap || !map_ || from != map_->Window()) return CmProc::OnPageMessage(from, record);
    switch (record->subCode) {
    case CmColorAdjustMap::kSubSnapped:
        ShowValues(static_cast<int>(record->first), static_cast<int>(static_cast<LONG_PTR>(record->second)));
        break;
    case CmColorAdjustMap::kSubStored:
        WriteValues();
        ShowValues(values_.mapX, values_.mapY);
        break;
    default: break;
    }
    return TRUE;
}

BOOL CmColorAdjustmentProc::OnQueryNewPalette() { return map_ ? map_->RealizePalette() : FALSE; }

BOOL CmColorAdjustmentProc::OnPaletteChanged(HWND changer) {
    if (!map_ || changer == Dialog() || changer == map_->Window()) return FALSE;
    return map_->RealizePalette();
}

bool RegisterColourAdjustmentDialog() { return RegisterDialogEntries(kEntries, std::size(kEntries)); }
