// Booklet and gutter-margin dialog items.
#include "items/common/booklet_items.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/dialog_helpers.h"
#include "core/helpers/units.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/finishing_items.h"
#include "items/common/number_format.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"
#include "settings/registry/conflict.h"
#include "ui/cm_locale.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr CmSvOptionRecord Radio(const char* name, int32_t value, int32_t control, int32_t optionValue) {
    return CmSvOptionRecord{name, nullptr, value, 0, control, 1, 1, 0, 0, nullptr, 0, optionValue, 1};
}
const CmSvOptionRecord kMethodRows[] = {Radio("ALLPAGESATONCE", 0, IDC_ALL_PAGES_AT_ONCE, 0),
                                        Radio("DEVIDEINTOSETS", 2, IDC_DIVIDE_INTO_SETS, 1)};
const int32_t kMethodCompanions[] = {IDC_BOOKLET_METHOD_GROUP, IDC_BOOKLET_METHOD_LABEL, 0};
const int32_t kSheetsCompanions[] = {IDC_SHEETS_LABEL, 0};
const int32_t kBindingCompanions[] = {IDC_BOOKLET_BINDING_LABEL, 0};
const int32_t kBookletMarginCompanions[] = {IDC_BOOKLET_MARGIN_LABEL, IDC_BOOKLET_MARGIN_RANGE, 0};
const int32_t kGutterCompanions[] = {IDC_GUTTER_LABEL, IDC_GUTTER_RANGE, 0};

const uint16_t kPortraitIcons[2][2] = {{4725, 0}, {4726, 0}};
const uint16_t kLandscapeIcons[2][2] = {{4723, 0}, {4724, 0}};
constexpr CmSvOptionRecord Edge(const char* name, int32_t value, int32_t textId, const uint16_t* icons) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, icons, 0, value, 1};
}
const CmSvOptionRecord kPortraitEdges[] = {Edge("LT", 0, 4120, kPortraitIcons[0]), Edge("RB", 1, 4121, kPortraitIcons[1])};
const CmSvOptionRecord kLandscapeEdges[] = {Edge("LT", 0, 4122, kLandscapeIcons[0]),
                                            Edge("RB", 1, 4123, kLandscapeIcons[1])};

constexpr int kTextSize = 64;
constexpr UINT kRangeJoin = 4124, kRangeFormat = 4125, kInchFormat = 4428;

bool Named(const char* argument, const char* name) { return argument && std::strcmp(argument, name) == 0; }

CmUserData* UserOf(UIDEVDATA* ctx) { return ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr; }

const uint8_t* SettingsOf(UIDEVDATA* ctx) {
    CmUserData* user = UserOf(ctx);
    return user ? user->GetSettingsSource() : nullptr;
}

template <class T>
T* Partner(UIDEVDATA* ctx, uint32_t itemId) {
    CmSvConflict* registry = RegistryOf(ctx);
    return registry ? dynamic_cast<T*>(registry->FindItem(itemId)) : nullptr;
}

// The gate of the booklet and gutter requests: 2 unavailable, 3 while the finishing page's
// button is disabled, then 1 without data.
int GateOn(UIDEVDATA* ctx, const CmSv& item, uint32_t button, const void* data, bool needData) {
    if (item.available == 0) return kSdkNotSupported;
    CmSvConflict* registry = RegistryOf(ctx);
    if (registry && registry->IsItemEnabled(ctx, button) == 0) return kSdkRefused;
    return needData && !data ? kSdkNoItem : kSdkDone;
}

void SetSwitch(UIDEVDATA* ctx, CmSvOnOff& item, int32_t value) {
    if (item.current == value) return;
    item.current = value;
    if (CmSvConflict* registry = RegistryOf(ctx)) registry->MarkChanged(&item);
}

// The first row with that option-interface value made current; the answers of a set.
int SelectByOptionValue(CmSvMulti& item, int32_t optionValue) {
    for (uint32_t i = 0; i < item.count; ++i) {
        if (item.table[i].option_value != optionValue) continue;
        if (item.table[i].enabled != 1) return kSdkRefused;
        item.current = i;
        return kSdkDone;
    }
    return kSdkNotSupported;
}

int NameOfCurrent(CmSvMulti& item, PieValue* out) {
    item.flags |= CmSvItem::kChangedByRules;
    if (out) {
        const CmSvOptionRecord* row = item.CurrentRow();
        out->type = kSvTypeString;
        out->value = reinterpret_cast<intptr_t>(row ? row->name : nullptr);
    }
    return 1;
}

}  // namespace

// --- printing method -----------------------------------------------------------------------

CmSvRB_PrintingMethod::CmSvRB_PrintingMethod()
    : CmSvRadioButton("Booklet$PrintingMethod", kItemId, 0, 2, kMethodRows, IDC_ALL_PAGES_AT_ONCE,
                      kMethodCompanions, 1, 1),
      CmSvSdk_Multi(0x10006, 8, 0) {}

int CmSvRB_PrintingMethod::Load(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptBooklet) & 2u) ? 1 : 0;
    return 1;
}

int CmSvRB_PrintingMethod::Store(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return 0;
    const uint32_t word = ReadOptionWord(ctx, destination, kOptBooklet);
    WriteOptionWord(ctx, destination, kOptBooklet, (word & ~2u) | (static_cast<uint32_t>(row->value) & 2u));
    return 1;
}

int CmSvRB_PrintingMethod::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return kSdkNotSupported;
    auto* out = static_cast<int32_t*>(data);
    out[0] = row->option_value;
    if (row->option_value == 1) {
        auto* sheets = Partner<CmSvNumeric>(ctx, CmSvDGT_SheetPerSets::kItemId);
        if (!sheets) return kSdkNoItem;
        out[1] = sheets->current;
    }
    return kSdkDone;
}

int CmSvRB_PrintingMethod::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, true)) return answer;
    const auto* in = static_cast<const int32_t*>(data);
    uint32_t index = count;
    for (uint32_t i = 0; i < count && index == count; ++i)
        if (table[i].option_value == in[0]) index = i;
    if (index >= count) return kSdkNotSupported;
    // A refused or incomplete request changes nothing.
    if (table[index].enabled != 1) return kSdkRefused;
    if (in[0] != 1) {
        current = index;
        return kSdkDone;
    }
    auto* sheets = Partner<CmSvNumeric>(ctx, CmSvDGT_SheetPerSets::kItemId);
    if (!sheets) return kSdkNoItem;
    if (!sheets->InRange(in[1])) {
        static const uint32_t kSelf[] = {kItemId, 0};
        if (CmSvConflict* registry = RegistryOf(ctx)) registry->ApplyValues(ctx, SettingsOf(ctx), kSelf);
        return kSdkNotSupported;
    }
    current = index;
    if (sheets->current != in[1]) {
        sheets->current = in[1];
        if (CmSvConflict* registry = RegistryOf(ctx)) registry->MarkChanged(sheets);
    }
    return kSdkDone;
}

int CmSvRB_PrintingMethod::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, false)) return answer;
    return SelectByOptionValue(*this, 0);
}

// --- sheets per set --------------------------------------------------------------------------

CmSvDGT_SheetPerSets::CmSvDGT_SheetPerSets()
    : CmSvDigit("Booklet$SheetPerSets", kItemId, 15, 1, 15, IDC_SHEETS_PER_SET, kSheetsCompanions, 1, 1, 0, 2,
                IDC_SHEETS_SPIN, 0),
      CmSvSdk_Numeric(0, 0, 0) {
    keys.clear();  // a setting of the dialog only: the option interface reaches it through the method
}

int CmSvDGT_SheetPerSets::Load(UIDEVDATA* ctx, const uint8_t* source) {
    current = static_cast<int16_t>(ReadOptionShort(ctx, source, kOptSheetsPerSet));
    return 1;
}

int CmSvDGT_SheetPerSets::Store(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionShort(ctx, destination, kOptSheetsPerSet, static_cast<uint16_t>(current));
    return 1;
}

int CmSvDGT_SheetPerSets::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) {
    if (HWND spin = GetDlgItem(dialog, spinId)) {
        const auto range = static_cast<DWORD>(SendMessageA(spin, UDM_GETRANGE, 0, 0));
        maximum = static_cast<int16_t>(LOWORD(range));
        minimum = static_cast<int16_t>(HIWORD(range));
    }
    return CmSvDigit::FromDialog(ctx, dialog, id);
}

// --- booklet binding edge ----------------------------------------------------------------------

CmSvCB_BookletBindingLocation::CmSvCB_BookletBindingLocation()
    : CmSvComboBox("Booklet$BindingLocation", kItemId, 0, 2, kPortraitEdges, IDC_BOOKLET_BINDING, kBindingCompanions,
                   1, 1, 33, kIconImage, 1),
      CmSvSdk_Multi(0x10088, 4, 0) {}

void CmSvCB_BookletBindingLocation::Install(bool landscape) {
    if (haveRows_)
        for (int i = 0; i < 2; ++i) texts_[landscape_][i] = rows_[i].display_text;
    std::memcpy(rows_, landscape ? kLandscapeEdges : kPortraitEdges, sizeof rows_);
    for (int i = 0; i < 2; ++i) rows_[i].display_text = texts_[landscape][i];
    haveRows_ = true;
    landscape_ = landscape;
    UseTable(rows_, 2);
}

int CmSvCB_BookletBindingLocation::Load(UIDEVDATA* ctx, const uint8_t* source) {
    const uint32_t index = FindValue(static_cast<int16_t>(ReadOptionShort(ctx, source, kOptBookletBinding)));
    if (index >= count) return 0;
    current = index;
    return 1;
}

int CmSvCB_BookletBindingLocation::Store(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return 0;
    WriteOptionShort(ctx, destination, kOptBookletBinding, static_cast<uint16_t>(row->value));
    return 1;
}

int CmSvCB_BookletBindingLocation::Init(UIDEVDATA*, const uint8_t* settings) {
    if (!settings) return 1;
    const uint16_t orientation = publicdm::U16(settings, publicdm::kOrientation);
    if (orientation == DMORIENT_PORTRAIT) Install(false);
    if (orientation == DMORIENT_LANDSCAPE) Install(true);
    return 1;
}

int CmSvCB_BookletBindingLocation::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments,
                                          PieValue* out) {
    if (!haveRows_ || argumentCount != 1 || !arguments) return 0;
    const bool portrait = Named(arguments[0], "PORTRAIT");
    if (!portrait && !Named(arguments[0], "LANDSCAPE")) return 0;
    Install(!portrait);
    if (const uint8_t* settings = SettingsOf(ctx)) Load(ctx, settings);
    return NameOfCurrent(*this, out);
}

int CmSvCB_BookletBindingLocation::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, true)) return answer;
    return SelectByOptionValue(*this, *static_cast<const int32_t*>(data));
}

int CmSvCB_BookletBindingLocation::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, false)) return answer;
    const uint32_t index = FindValue(0);
    if (index >= count) return kSdkNotSupported;
    if (table[index].enabled != 1) return kSdkRefused;
    current = index;
    return kSdkDone;
}

// --- use of the margin -------------------------------------------------------------------------

CmSvCK_UseMargin::CmSvCK_UseMargin()
    : CmSvCheckBox("Booklet$UseMargin", kItemId, 0, IDC_USE_MARGIN, nullptr, 1, 1),
      CmSvSdk_OnOff(0x1003eb, 0, 0, 4, 0) {
    mask = 4;
}

int CmSvCK_UseMargin::Load(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptBooklet) & 4u) ? 1 : 0;
    return 1;
}

int CmSvCK_UseMargin::Store(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionWord(ctx, destination, kOptBooklet, WithBit(ReadOptionWord(ctx, destination, kOptBooklet), 2, current == 1));
    return 1;
}

// --- margin fields -------------------------------------------------------------------------------

CmSvDGT_MarginField::CmSvDGT_MarginField(const MarginFieldRow& row)
    : CmSvDigit(row.key, row.itemId, 0, 0, 0, row.editId, row.companions, 1, 1, 0, 0, row.spinId, 0),
      CmSvSdk_Numeric(row.sdkKey, 4, 0),
      row(row) {}

bool CmSvDGT_MarginField::InchMode(UIDEVDATA* ctx) {
    CmUserData* user = UserOf(ctx);
    return user && user->IsInchUnit();
}

int32_t CmSvDGT_MarginField::Shown(UIDEVDATA* ctx, int32_t millimetres) {
    return InchMode(ctx) ? TenthMmToHundredthInch(millimetres) : millimetres;
}

int32_t CmSvDGT_MarginField::FromShown(UIDEVDATA* ctx, int32_t shown) {
    return InchMode(ctx) ? HundredthInchToTenthMm(shown) : shown;
}

int CmSvDGT_MarginField::Load(UIDEVDATA* ctx, const uint8_t* source) {
    current = static_cast<int16_t>(ReadOptionShort(ctx, source, row.option));
    return 1;
}

int CmSvDGT_MarginField::Store(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionShort(ctx, destination, row.option, static_cast<uint16_t>(current));
    return 1;
}

int CmSvDGT_MarginField::Init(UIDEVDATA* ctx, const uint8_t*) {
    const int32_t largest = MillimetreMaximum(ctx);
    millimetreMaximum_ = largest;
    minimum = 0;
    if (InchMode(ctx)) {
        maximum = TenthMmToHundredthInch(largest);
        textLimit = 3;
    } else {
        maximum = largest;
        textLimit = 2;
    }
    return 1;
}

bool CmSvDGT_MarginField::AcceptsRuleValue(int32_t value) const {
    return value >= 0 && value / row.unitsPerMm <= millimetreMaximum_;
}

bool CmSvDGT_MarginField::TakeMillimetres(int32_t millimetres) {
    const int32_t value = millimetres * row.unitsPerMm;
    if (value == current) return false;
    current = value;
    return true;
}

void CmSvDGT_MarginField::RangeFromSpin(HWND dialog) {
    if (!row.rangeFromSpin) return;
    if (HWND spin = GetDlgItem(dialog, spinId)) {
        const auto range = static_cast<DWORD>(SendMessageA(spin, UDM_GETRANGE, 0, 0));
        maximum = static_cast<int16_t>(LOWORD(range));
        minimum = static_cast<int16_t>(HIWORD(range));
    }
}

bool CmSvDGT_MarginField::ReadField(UIDEVDATA* ctx, HWND dialog, int32_t* shown) const {
    if (InchMode(ctx)) {
        char text[kTextSize + 1] = {};
        if (GetDlgItemTextA(dialog, controlId, text, sizeof text) <= 0) return false;
        const WORD hundredths = ParseDecimalHundredths(ctx, text);
        if (hundredths == kNotHundredths) return false;
        *shown = hundredths / 10;
        return true;
    }
    BOOL translated = FALSE;
    const UINT value = GetDlgItemInt(dialog, controlId, &translated, FALSE);
    if (!translated || value > 0x7FFFFFFFu) return false;
    *shown = static_cast<int32_t>(value);
    return true;
}

int CmSvDGT_MarginField::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t) {
    RangeFromSpin(dialog);
    int32_t shown = 0;
    if (!ReadField(ctx, dialog, &shown) || shown < minimum || shown > maximum) return 0;
    return TakeMillimetres(FromShown(ctx, shown)) ? 1 : 0;
}

int CmSvDGT_MarginField::OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown) {
    if (!updown) return 0;
    RangeFromSpin(dialog);
    int32_t shown = 0;
    // A field that cannot be read steps from the value the item holds.
    if (!ReadField(ctx, dialog, &shown)) shown = Shown(ctx, Millimetres());
    shown = std::clamp(shown, minimum, std::max(minimum, maximum));
    shown += updown->iDelta > 0 ? 1 : -1;
    shown = std::clamp(shown, minimum, std::max(minimum, maximum));
    TakeMillimetres(FromShown(ctx, shown));
    if (InchMode(ctx)) {
        char text[kTextSize] = {};
        if (FormatShown(ctx, shown, text, sizeof text)) SetDlgItemTextA(dialog, controlId, text);
    } else {
        SetDlgItemInt(dialog, controlId, static_cast<UINT>(shown), FALSE);
    }
    return 1;
}

bool CmSvDGT_MarginField::FormatShown(UIDEVDATA* ctx, int32_t shown, char* text, size_t size) const {
    char format[kTextSize] = {};
    if (!ctx || !ctx->svc || ctx->svc->LoadString(ctx, kInchFormat, format, sizeof format) <= 0) return false;
    // The whole inches, then the tenths.
    if (!FormatTwoNumbers(text, size, format, shown / 10, shown % 10)) return false;
    CmUserData* user = UserOf(ctx);
    if (user && user->GetLocale()) user->GetLocale()->LocalizeNumberText(text);
    return true;
}

int CmSvDGT_MarginField::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    HWND edit = GetDlgItem(dialog, controlId);
    HWND spin = GetDlgItem(dialog, spinId);
    if (!edit || !spin) return 0;
    UpdateShow(ctx, dialog, onlyChanged, spinId);
    if (!onlyChanged) {
        SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(maximum), static_cast<WORD>(minimum)));
        SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(textLimit), 0);
    }
    char value[kTextSize] = {};
    char range[kTextSize] = {};
    if (InchMode(ctx)) {
        char low[kTextSize] = {};
        char high[kTextSize] = {};
        char join[kTextSize] = {};
        if (!FormatShown(ctx, Shown(ctx, Millimetres()), value, sizeof value) ||
            !FormatShown(ctx, minimum, low, sizeof low) || !FormatShown(ctx, maximum, high, sizeof high))
            return 0;
        ctx->svc->LoadString(ctx, kRangeJoin, join, sizeof join);
        if (!AppendBounded(range, sizeof range, low) || !AppendBounded(range, sizeof range, join) ||
            !AppendBounded(range, sizeof range, high))
            return 0;
        SetDlgItemTextA(dialog, controlId, value);
    } else {
        char format[kTextSize] = {};
        if (!ctx || !ctx->svc) return 0;
        ctx->svc->LoadString(ctx, kRangeFormat, format, sizeof format);
        if (!FormatTwoNumbers(range, sizeof range, format, minimum, maximum)) return 0;
        SetDlgItemInt(dialog, controlId, static_cast<UINT>(Millimetres()), (signedFlag & 1) ? TRUE : FALSE);
        CmUserData* user = UserOf(ctx);
        if (user && user->GetLocale()) user->GetLocale()->LocalizeNumberText(range);
    }
    SetDlgItemTextA(dialog, row.rangeId, range);
    UpdateEnable(ctx, dialog, onlyChanged, spinId);
    return 1;
}

int CmSvDGT_MarginField::Gate(UIDEVDATA* ctx, const void* data, bool needData) {
    return GateOn(ctx, *this, row.gateItem, data, needData);
}

int CmSvDGT_MarginField::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, true)) return answer;
    *static_cast<int32_t*>(data) = Millimetres() * 100;
    return kSdkDone;
}

int CmSvDGT_MarginField::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, true)) return answer;
    // Checked against the millimetre range whatever unit the dialog shows.
    const int32_t millimetres = *static_cast<const int32_t*>(data) / 100;
    if (millimetres < 0 || millimetres > MillimetreMaximum(ctx)) return kSdkNotSupported;
    TakeMillimetres(millimetres);
    return kSdkDone;
}

// --- booklet margin --------------------------------------------------------------------------------

namespace {
const MarginFieldRow kBookletMarginRow{"Booklet$Margin", CmSvDGT_BookletMargin::kItemId, IDC_BOOKLET_MARGIN,
                                       IDC_BOOKLET_MARGIN_SPIN, IDC_BOOKLET_MARGIN_RANGE, kBookletMarginCompanions,
                                       0x10089, kOptBookletMargin, 10, true, kBookletOptionsButton};
const MarginFieldRow kGutterRow{"Layout$MarginSet", CmSvDGT_MarginSet::kItemId, IDC_GUTTER, IDC_GUTTER_SPIN,
                                IDC_GUTTER_RANGE, kGutterCompanions, 0x10073, kOptGutterMargin, 1, false,
                                kMarginButton};
}  // namespace

CmSvDGT_BookletMargin::CmSvDGT_BookletMargin() : CmSvDGT_MarginField(kBookletMarginRow) {
    maximum = kMaximumMm;
    millimetreMaximum_ = kMaximumMm;
    textLimit = 2;
}

int32_t CmSvDGT_BookletMargin::MillimetreMaximum(UIDEVDATA*) const { return kMaximumMm; }

int CmSvDGT_BookletMargin::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, true)) return answer;
    const int32_t millimetres = *static_cast<const int32_t*>(data) / 100;
    if (millimetres < 0 || millimetres > kMaximumMm) return kSdkNotSupported;
    auto* useMargin = Partner<CmSvOnOff>(ctx, CmSvCK_UseMargin::kItemId);
    if (!useMargin) return kSdkNoItem;
    TakeMillimetres(millimetres);
    SetSwitch(ctx, *useMargin, millimetres != 0 ? 1 : 0);
    return kSdkDone;
}

int CmSvDGT_BookletMargin::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, false)) return answer;
    auto* useMargin = Partner<CmSvOnOff>(ctx, CmSvCK_UseMargin::kItemId);
    if (!useMargin) return kSdkNoItem;
    const uint8_t* defaults = ctx->svc->GetDevmode(ctx, 1);
    current = static_cast<int16_t>(ReadOptionShort(ctx, defaults, kOptBookletMargin));
    SetSwitch(ctx, *useMargin, (ReadOptionWord(ctx, defaults, kOptBooklet) & 4u) ? 1 : 0);
    return kSdkDone;
}

// --- gutter margin ---------------------------------------------------------------------------------

CmSvDGT_MarginSet::CmSvDGT_MarginSet() : CmSvDGT_MarginField(kGutterRow) {}

int32_t CmSvDGT_MarginSet::MillimetreMaximum(UIDEVDATA* ctx) const {
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    if (!data) return 0;
    // A 16-bit option holds the margin; a larger figure cannot be stored.
    return static_cast<int32_t>(std::min<uint32_t>(data->U32(kMaximumField), INT16_MAX));
}

int CmSvDGT_MarginSet::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, false)) return answer;
    current = 0;
    return kSdkDone;
}

// --- dialog buttons ----------------------------------------------------------------------------------

const PushButtonRow kPbBookletOK{"Book$OK", CmSvPB_BookletOK::kItemId, IDOK, 0, 0};
const PushButtonRow kPbBookletCancel{"Book$Cancel", CmSvPB_BookletCancel::kItemId, IDCANCEL, 0, 0};
const PushButtonRow kPbMarginOK{"Magn$OK", CmSvPB_MarginOK::kItemId, IDOK, 0, 0};
const PushButtonRow kPbMarginCancel{"Magn$Cancel", CmSvPB_MarginCancel::kItemId, IDCANCEL, 0, 0};
const PushButtonRow kPbStapleOK{"Stpl$OK", CmSvPB_StapleOK::kItemId, IDOK, 0, 0};
const PushButtonRow kPbStapleCancel{"Stpl$Cancel", CmSvPB_StapleCancel::kItemId, IDCANCEL, 0, 0};
