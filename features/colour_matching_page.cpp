// The colour matching dialog's procedure. Nothing of the settings is kept in the page: each
// change reads the colour block, changes it and writes it back, and the lists are chosen again
// from what the block holds.
#include "features/colour_matching_page.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "features/colour_adjustment_page.h"
#include "features/colour_settings.h"
#include "ui/dialog_registry.h"

#include <cstring>
#include <iterator>

namespace {

constexpr UINT kTitle = 9779, kMonochromeNote = 9783;
constexpr DWORD kOptFlags = 220, kOptColour = 222;
constexpr DWORD kDeviceMatching = 519;  // 2: the device offers none of the switches
constexpr uint32_t kCheckBits[] = {0x04, 0x08, 0x10};
constexpr int kCheckIds[] = {IDC_CM_CHECK1, IDC_CM_CHECK2, IDC_CM_CHECK3};
constexpr int kSourceControls[] = {IDC_CM_PROFILE_LABEL, IDC_CM_PROFILE, IDC_CM_OPTION_LABEL, IDC_CM_OPTION};
constexpr UINT kOptionTexts[] = {9781, 9782};

const DialogEntry kEntries[] = {
    {kColourMatchingDialogKind, CmProc::DialogProcFor<CmColorMatchingProc2>, kTitle, IDD_COLOUR_MATCHING, nullptr},
};
const DialogButton kButtons[] = {{IDC_CM_ADJUST, kColourAdjustmentDialogKind}, {0, 0}};

std::string LoadText(UIDEVDATA* ctx, UINT id) {
    char text[64] = {};
    ctx->svc->LoadString(ctx, id, text, sizeof text);
    return text;
}

}  // namespace

CmColorMatchingProc2::CmColorMatchingProc2() : CmProc(kColourMatchingDialogKind, kTitle) {}

const DialogButton* CmColorMatchingProc2::GetDialogButtonTable() { return kButtons; }

bool CmColorMatchingProc2::MatchingOn() const {
    const DeviceData* data = Request()->svc->LoadDeviceData(Request());
    uint16_t colour = 0;
    Request()->svc->GetOption(Request(), Devmode(), kOptColour, &colour, sizeof colour);
    return data && data->U32(devicedata::kColorState) != 0 && colour != 0;
}

uint32_t CmColorMatchingProc2::Flags() const {
    uint32_t flags = 0;
    Request()->svc->GetOption(Request(), Devmode(), kOptFlags, &flags, sizeof flags);
    return flags;
}

void CmColorMatchingProc2::SetFlags(uint32_t flags) {
    Request()->svc->SetOption(Request(), Devmode(), kOptFlags, &flags, sizeof flags);
}

void CmColorMatchingProc2::ReadBlock(colourblock::Block block) const {
    std::memset(block, 0, colourblock::kSize);
    Request()->svc->GetOption(Request(), Devmode(), colourblock::kOption, block, colourblock::kSize);
}

void CmColorMatchingProc2::WriteBlock(const colourblock::Block block) {
    Request()->svc->SetOption(Request(), Devmode(), colourblock::kOption, block, colourblock::kSize);
}

size_t CmColorMatchingProc2::FirstGroup(const colourblock::Block block) const {
    for (size_t g = 0; g < colourblock::kGroupCount; ++g)
        if (block[colourblock::kInUse + g]) return g;
    return 0;
}

void CmColorMatchingProc2::SetGroupByte(size_t offset, uint8_t value) {
    colourblock::Block block;
    ReadBlock(block);
    for (size_t start : colourblock::kGroupStarts) block[start + offset] = value;
    WriteBlock(block);
}

void CmColorMatchingProc2::SetGroupProfile(const std::string& name) {
    colourblock::Block block;
    ReadBlock(block);
    for (size_t g = 0; g < colourblock::kGroupCount; ++g) colourblock::SetProfileName(block, g, name.c_str());
    WriteBlock(block);
}

BOOL CmColorMatchingProc2::OnInitDialog() {
    CmUserData* user = Request() ? Request()->svc->GetUserData(Request()) : nullptr;
    settings_ = user ? dynamic_cast<CmColorSettings*>(user->GetColorSettings()) : nullptr;
    if (settings_) {
        for (const MatchingMethod* m = settings_->Methods(); m != settings_->MethodsEnd(); ++m)
            methods_.push_back(Row{{}, m->value, CmColorSettings::MethodStringId(*m), true, {}});
        for (const auto* p = settings_->Profiles(); p != settings_->ProfilesEnd(); ++p) {
            Row row{p->description, 0, 0, true, CmColorSettings::FilePart(*p)};
            if (row.text.empty()) row.text = row.valueText;
            // The colour block keeps 13 characters of the name: a longer one could not be found again.
            row.offered = row.valueText.size() < colourblock::kProfileNameSize;
            profiles_.push_back(row);
        }
    }
    for (uint32_t i = 0; i < std::size(kOptionTexts); ++i) options_.push_back(Row{{}, i, kOptionTexts[i], true, {}});
    CmProc::OnInitDialog();  // shows the settings through UpdateControls
    if (user && user->IsReadOnly())
        for (HWND child = GetWindow(Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgCtrlID(child) != IDCANCEL) EnableWindow(child, FALSE);
    return TRUE;
}

void CmColorMatchingProc2::UpdateControls() {
    if (!Request()) return;
    filling_ = true;
    FillMethodList();
    FillMatchingList();
    FillOptionList();
    UpdateMethodControls();
    UpdateCheckBoxes();
    char note[128] = {};
    if (!MatchingOn()) Request()->svc->LoadString(Request(), kMonochromeNote, note, sizeof note);
    SetDlgItemTextA(Dialog(), IDC_CM_NOTE, note);
    filling_ = false;
}

void CmColorMatchingProc2::FillMethodList() {
    HWND list = GetDlgItem(Dialog(), IDC_CM_METHOD);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    colourblock::Block block;
    ReadBlock(block);
    const uint8_t current = block[colourblock::kGroupStarts[FirstGroup(block)] + colourblock::kMethod];
    LRESULT chosen = -1;
    for (size_t i = 0; i < methods_.size(); ++i) {
        Row& row = methods_[i];
        if (!row.offered) continue;
        if (row.text.empty()) row.text = LoadText(Request(), row.stringId);
        const LRESULT at = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        if (row.value == current && chosen < 0) chosen = at;
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(chosen < 0 ? 0 : chosen), 0);
    const bool on = MatchingOn();
    EnableWindow(list, on);
    EnableWindow(GetDlgItem(Dialog(), IDC_CM_METHOD_LABEL), on);
}

void CmColorMatchingProc2::FillMatchingList() {
    HWND list = GetDlgItem(Dialog(), IDC_CM_PROFILE);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    colourblock::Block block;
    ReadBlock(block);
    char current[colourblock::kProfileNameSize];
    colourblock::CopyProfileName(block, FirstGroup(block), current);
    const bool pseudo = Request()->svc->IsPseudoPrinter(Request(), Printer());
    LRESULT exact = -1, alike = -1;
    for (size_t i = 0; i < profiles_.size(); ++i) {
        const Row& row = profiles_[i];
        if (!row.offered || row.text.empty()) continue;
        if (pseudo && lstrcmpiA(row.valueText.c_str(), "") == 0) continue;
        const LRESULT at = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        if (exact < 0 && lstrcmpA(row.valueText.c_str(), current) == 0) exact = at;
        if (alike < 0 && lstrcmpiA(row.valueText.c_str(), current) == 0) alike = at;
    }
    const LRESULT chosen = exact >= 0 ? exact : alike >= 0 ? alike : 0;
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

void CmColorMatchingProc2::FillOptionList() {
    HWND list = GetDlgItem(Dialog(), IDC_CM_OPTION);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    colourblock::Block block;
    ReadBlock(block);
    const uint8_t current = block[colourblock::kGroupStarts[FirstGroup(block)] + colourblock::kOptionA];
    LRESULT chosen = 0;
    for (size_t i = 0; i < options_.size(); ++i) {
        Row& row = options_[i];
        if (row.text.empty()) row.text = LoadText(Request(), row.stringId);
        const LRESULT at = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
        SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        if (row.value == current) chosen = at;
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

const CmColorMatchingProc2::Row* CmColorMatchingProc2::SelectedRow(int id, const std::vector<Row>& rows) const {
    HWND list = GetDlgItem(Dialog(), id);
    const LRESULT at = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (at < 0) return nullptr;
    const LRESULT index = SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
    return index >= 0 && static_cast<size_t>(index) < rows.size() ? &rows[static_cast<size_t>(index)] : nullptr;
}

void CmColorMatchingProc2::UpdateMethodControls() {
    const Row* method = SelectedRow(IDC_CM_METHOD, methods_);
    const uint32_t value = method ? method->value : 0;
    bool available = !(value == 1 || value == 4 || value == 5 || value == 6);
    if (!MatchingOn()) available = false;
    for (int id : kSourceControls) EnableWindow(GetDlgItem(Dialog(), id), available);
    if (profiles_.empty()) EnableWindow(GetDlgItem(Dialog(), IDC_CM_PROFILE), FALSE);
}

void CmColorMatchingProc2::UpdateCheckBoxes() {
    uint16_t deviceMatching = 0;
    CmUserData* user = Request()->svc->GetUserData(Request());
    if (uint8_t* block = user ? user->GetDeviceOptionSource() : nullptr)
        Request()->svc->GetDeviceOptionValue(Request(), block, kDeviceMatching, &deviceMatching, sizeof deviceMatching);
    const Row* method = SelectedRow(IDC_CM_METHOD, methods_);
    const bool usable = MatchingOn() && deviceMatching != 2 && !(method && method->value == 1);
    const uint32_t flags = Flags();
    for (size_t i = 0; i < std::size(kCheckIds); ++i) {
        const bool on = usable && (flags & kCheckBits[i]) != 0;
        CheckDlgButton(Dialog(), kCheckIds[i], on ? BST_CHECKED : BST_UNCHECKED);
        // The two switches below the first mean nothing while it is off.
        EnableWindow(GetDlgItem(Dialog(), kCheckIds[i]), usable && (i == 0 || (flags & kCheckBits[0]) != 0));
    }
    if (!usable) return;
    if (!(flags & kCheckBits[0])) {
        for (size_t i = 1; i < std::size(kCheckIds); ++i) CheckDlgButton(Dialog(), kCheckIds[i], BST_UNCHECKED);
    }
}

void CmColorMatchingProc2::OnMethodChange() {
    const Row* method = SelectedRow(IDC_CM_METHOD, methods_);
    if (!method) return;
    SetGroupByte(colourblock::kMethod, static_cast<uint8_t>(method->value));
    // Matching without a method leaves the switches nothing to switch.
    if (method->value == 1) SetFlags(Flags() & ~(kCheckBits[0] | kCheckBits[1] | kCheckBits[2]));
}

void CmColorMatchingProc2::OnCheck(WORD id) {
    uint32_t flags = Flags();
    for (size_t i = 0; i < std::size(kCheckIds); ++i) {
        if (kCheckIds[i] != id) continue;
        const bool on = IsDlgButtonChecked(Dialog(), id) == BST_CHECKED;
        flags = on ? flags | kCheckBits[i] : flags & ~kCheckBits[i];
        if (i == 0 && !on) flags &= ~(kCheckBits[1] | kCheckBits[2]);
    }
    SetFlags(flags);
}

void CmColorMatchingProc2::Defaults() {
    const uint8_t* defaults = Request()->svc->GetDevmode(Request(), 1);
    if (!defaults) return;
    uint32_t defaultFlags = 0;
    Request()->svc->GetOption(Request(), defaults, kOptFlags, &defaultFlags, sizeof defaultFlags);
    const uint32_t bits = kCheckBits[0] | kCheckBits[1] | kCheckBits[2];
    SetFlags((Flags() & ~bits) | (defaultFlags & bits));
    colourblock::Block from = {}, block;
    Request()->svc->GetOption(Request(), defaults, colourblock::kOption, from, sizeof from);
    ReadBlock(block);
    for (size_t start : colourblock::kGroupStarts) {
        for (size_t offset : {colourblock::kMethod, colourblock::kOptionA, colourblock::kOptionB})
            block[start + offset] = from[start + offset];
        std::memcpy(block + start + colourblock::kProfileName, from + start + colourblock::kProfileName,
                    colourblock::kProfileNameSize);
        block[start + colourblock::kProfileName + colourblock::kProfileNameSize - 1] = 0;
    }
    WriteBlock(block);
}

BOOL CmColorMatchingProc2::OnCommand(WORD id, WORD code) {
    if (CmProc::OnCommand(id, code)) return TRUE;
    if (!Request() || filling_) return FALSE;
    bool handled = true;
    if (id == IDC_CM_DEFAULTS && code == BN_CLICKED) {
        Defaults();
    } else if (id == IDC_CM_METHOD && code == CBN_SELCHANGE) {
        OnMethodChange();
    } else if (id == IDC_CM_PROFILE && code == CBN_SELCHANGE) {
        if (const Row* row = SelectedRow(IDC_CM_PROFILE, profiles_)) SetGroupProfile(row->valueText);
    } else if (id == IDC_CM_OPTION && code == CBN_SELCHANGE) {
        if (const Row* row = SelectedRow(IDC_CM_OPTION, options_))
            SetGroupByte(colourblock::kOptionA, static_cast<uint8_t>(row->value));
    } else if ((id == IDC_CM_CHECK1 || id == IDC_CM_CHECK2 || id == IDC_CM_CHECK3) && code == BN_CLICKED) {
        OnCheck(id);
    } else {
        handled = false;
    }
    if (handled) UpdateControls();
    return handled;
}

bool RegisterColourMatchingDialog() { return RegisterDialogEntries(kEntries, std::size(kEntries)); }
