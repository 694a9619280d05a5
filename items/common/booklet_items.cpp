// The booklet dialog's items: the booklet word's bits, the binding rows by orientation, the
// margin with its switch, and their option-interface requests.
#include "items/common/booklet_items.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/dialog_gate.h"
#include "items/common/finishing_items.h"
#include "items/common/item_links.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"
#include "settings/registry/conflict.h"

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
const MarginFieldRow kBookletMarginRow{"Booklet$Margin", CmSvDGT_BookletMargin::kItemId, IDC_BOOKLET_MARGIN,
                                       IDC_BOOKLET_MARGIN_SPIN, IDC_BOOKLET_MARGIN_RANGE, kBookletMarginCompanions,
                                       0x10089, kOptBookletMargin, 10, true, kBookletOptionsButton};

const uint16_t kPortraitIcons[2][2] = {{4725, 0}, {4726, 0}};
const uint16_t kLandscapeIcons[2][2] = {{4723, 0}, {4724, 0}};
constexpr CmSvOptionRecord Edge(const char* name, int32_t value, int32_t textId, const uint16_t* icons) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, icons, 0, value, 1};
}
const CmSvOptionRecord kPortraitEdges[] = {Edge("LT", 0, 4120, kPortraitIcons[0]), Edge("RB", 1, 4121, kPortraitIcons[1])};
const CmSvOptionRecord kLandscapeEdges[] = {Edge("LT", 0, 4122, kLandscapeIcons[0]),
                                            Edge("RB", 1, 4123, kLandscapeIcons[1])};

}  // namespace

// --- printing method -----------------------------------------------------------------------

CmSvRB_PrintingMethod::CmSvRB_PrintingMethod()
    : CmSvRadioButton("Booklet$PrintingMethod", kItemId, 0, 2, kMethodRows, IDC_ALL_PAGES_AT_ONCE,
                      kMethodCompanions, 1, 1),
      CmSvSdk_Multi(0x10006, 8, 0) {}

int CmSvRB_PrintingMethod::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptBooklet) & 2u) ? 1 : 0;
    return 1;
}

int CmSvRB_PrintingMethod::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
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
        auto* sheets = PartnerItem<CmSvNumeric>(ctx, CmSvDGT_SheetPerSets::kItemId);
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
    auto* sheets = PartnerItem<CmSvNumeric>(ctx, CmSvDGT_SheetPerSets::kItemId);
    if (!sheets) return kSdkNoItem;
    if (!sheets->InRange(in[1])) {
        static const uint32_t kSelf[] = {kItemId, 0};
        if (CmSvConflict* registry = RegistryOf(ctx)) registry->ApplyValues(ctx, SheetSettingsOf(ctx), kSelf);
        return kSdkNotSupported;
    }
    current = index;
    if (sheets->current != in[1]) {
        sheets->current = in[1];
        if (CmSvConflict* registry = RegistryOf(ctx)) registry->NotePartnerChange(sheets);
    }
    return kSdkDone;
}

int CmSvRB_PrintingMethod::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, false)) return answer;
    return SelectRowByOptionValue(*this, 0);
}

// --- sheets per set --------------------------------------------------------------------------

CmSvDGT_SheetPerSets::CmSvDGT_SheetPerSets()
    : CmSvDigit("Booklet$SheetPerSets", kItemId, 15, 1, 15, IDC_SHEETS_PER_SET, kSheetsCompanions, 1, 1, 0, 2,
                IDC_SHEETS_SPIN, 0),
      CmSvSdk_Numeric(0, 0, 0) {
    keys.clear();  // a setting of the dialog only: the option interface reaches it through the method
}

int CmSvDGT_SheetPerSets::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = static_cast<int16_t>(ReadOptionShort(ctx, source, kOptSheetsPerSet));
    return 1;
}

int CmSvDGT_SheetPerSets::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionShort(ctx, destination, kOptSheetsPerSet, static_cast<uint16_t>(current));
    return 1;
}

void CmSvDGT_SheetPerSets::RangeFromSpin(HWND dialog) {
    if (HWND spin = GetDlgItem(dialog, spinId)) {
        const auto range = static_cast<DWORD>(SendMessageA(spin, UDM_GETRANGE, 0, 0));
        maximum = static_cast<int16_t>(LOWORD(range));
        minimum = static_cast<int16_t>(HIWORD(range));
    }
}

int CmSvDGT_SheetPerSets::FromDialog(UIDEVDATA* ctx, HWND dialog, int32_t id) {
    RangeFromSpin(dialog);
    return CmSvDigit::FromDialog(ctx, dialog, id);
}

int CmSvDGT_SheetPerSets::OnDeltaPos(UIDEVDATA* ctx, HWND dialog, NMUPDOWN* updown) {
    RangeFromSpin(dialog);
    return CmSvDigit::OnDeltaPos(ctx, dialog, updown);
}

// --- booklet binding edge ----------------------------------------------------------------------

CmSvCB_BookletBindingLocation::CmSvCB_BookletBindingLocation()
    : CmSvComboBox("Booklet$BindingLocation", kItemId, 0, 2, kPortraitEdges, IDC_BOOKLET_BINDING, kBindingCompanions,
                   1, 1, 33, kIconImage, 1),
      CmSvSdk_Multi(0x10088, 4, 0),
      rows_(kPortraitEdges, kLandscapeEdges) {}

int CmSvCB_BookletBindingLocation::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptBookletBinding);
}

int CmSvCB_BookletBindingLocation::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    return StoreRowAsShort(ctx, *this, destination, kOptBookletBinding);
}

int CmSvCB_BookletBindingLocation::Init(UIDEVDATA*, const uint8_t* settings) {
    if (!settings) return 1;
    const uint16_t orientation = publicdm::U16(settings, publicdm::kOrientation);
    if (orientation == DMORIENT_PORTRAIT) rows_.Install(*this, false);
    if (orientation == DMORIENT_LANDSCAPE) rows_.Install(*this, true);
    return 1;
}

int CmSvCB_BookletBindingLocation::Follow(UIDEVDATA*, const uint8_t* settings) {
    const uint16_t orientation = publicdm::U16(settings, publicdm::kOrientation);
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE) return 0;
    return rows_.Follow(*this, orientation == DMORIENT_LANDSCAPE);
}

int CmSvCB_BookletBindingLocation::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments,
                                          PieValue* out) {
    return rows_.Turn(*this, ctx, argumentCount, arguments, out);
}

int CmSvCB_BookletBindingLocation::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, true)) return answer;
    return SelectRowByOptionValue(*this, *static_cast<const int32_t*>(data));
}

int CmSvCB_BookletBindingLocation::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = GateOn(ctx, *this, kBookletOptionsButton, data, false)) return answer;
    return SelectRowByValue(*this, 0);
}

// --- use of the margin -------------------------------------------------------------------------

CmSvCK_UseMargin::CmSvCK_UseMargin()
    : CmSvCheckBox("Booklet$UseMargin", kItemId, 0, IDC_USE_MARGIN, nullptr, 1, 1),
      CmSvSdk_OnOff(0x1003eb, 0, 0, 4, 0) {
    mask = 4;
}

int CmSvCK_UseMargin::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptBooklet) & 4u) ? 1 : 0;
    return 1;
}

int CmSvCK_UseMargin::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionWord(ctx, destination, kOptBooklet, WithBit(ReadOptionWord(ctx, destination, kOptBooklet), 2, current == 1));
    return 1;
}

// --- booklet margin --------------------------------------------------------------------------------

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
    auto* useMargin = PartnerItem<CmSvOnOff>(ctx, CmSvCK_UseMargin::kItemId);
    if (!useMargin) return kSdkNoItem;
    TakeMillimetres(millimetres);
    SetPartnerSwitch(ctx, *useMargin, millimetres != 0 ? 1 : 0);
    return kSdkDone;
}

int CmSvDGT_BookletMargin::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Gate(ctx, data, false)) return answer;
    auto* useMargin = PartnerItem<CmSvOnOff>(ctx, CmSvCK_UseMargin::kItemId);
    if (!useMargin) return kSdkNoItem;
    const uint8_t* defaults = ctx->svc->GetDevmode(ctx, 1);
    current = static_cast<int16_t>(ReadOptionShort(ctx, defaults, kOptBookletMargin));
    SetPartnerSwitch(ctx, *useMargin, (ReadOptionWord(ctx, defaults, kOptBooklet) & 4u) ? 1 : 0);
    return kSdkDone;
}

// --- dialog buttons ----------------------------------------------------------------------------------

const PushButtonRow kPbBookletOK{"Book$OK", CmSvPB_BookletOK::kItemId, IDOK, 0, 0};
const PushButtonRow kPbBookletCancel{"Book$Cancel", CmSvPB_BookletCancel::kItemId, IDCANCEL, 0, 0};
