// Binding location, centre-fold staple, the finishing switches, the finishing method and the
// finishing page's buttons.
#include "items/common/finishing_items.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/item_links.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "settings/registry/conflict.h"

#include <cstddef>

namespace {

constexpr size_t kDuplexOffset = offsetof(DEVMODEA, dmDuplex);  // 62

// Binding rows: a text and a normal and a disabled icon for each orientation.
const uint16_t kPortraitIcons[4][2] = {{4671, 4679}, {4673, 4681}, {4676, 4684}, {4678, 4686}};
const uint16_t kLandscapeIcons[4][2] = {{4675, 4683}, {4677, 4685}, {4674, 4682}, {4672, 4680}};
constexpr CmSvOptionRecord Edge(const char* name, int32_t value, int32_t textId, const uint16_t* icons) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, icons, 1, value, 1};
}
const CmSvOptionRecord kPortraitEdges[CmSvCB_BindDirect::kRowCount] = {
    Edge("LONGLT", 0, 4112, kPortraitIcons[0]), Edge("LONGRB", 1, 4113, kPortraitIcons[1]),
    Edge("SHORTTR", 2, 4114, kPortraitIcons[2]), Edge("SHORTBL", 3, 4115, kPortraitIcons[3])};
const CmSvOptionRecord kLandscapeEdges[CmSvCB_BindDirect::kRowCount] = {
    Edge("LONGLT", 0, 4116, kLandscapeIcons[0]), Edge("LONGRB", 1, 4117, kLandscapeIcons[1]),
    Edge("SHORTTR", 2, 4118, kLandscapeIcons[2]), Edge("SHORTBL", 3, 4119, kLandscapeIcons[3])};
const int32_t kBindingCompanions[] = {IDC_BINDING_LABEL, 0};
const int32_t kMarginCompanions[] = {IDC_MARGIN_LABEL, 0};

const CmSvOptionRecord kMethodRows[] = {
    {"NONE", nullptr, 0, 0, 0, 1, 1, 0, 0, nullptr, 1, 2, 1},
    {"STAPLE", nullptr, 1, 0, 0, 1, 1, 0, 0, nullptr, 1, 3, 1},
};

bool Unavailable(const CmSv& item) { return item.available == 0; }

// The orientation the binding rows of the settings follow.
// Only pages per sheet turns by its count, so the count is read for that mode alone: this runs
// on every evaluate.
int32_t BindingOrientationOf(UIDEVDATA* ctx, const uint8_t* settings) {
    const auto mode = static_cast<int16_t>(ReadOptionShort(ctx, settings, kOptLayoutMode));
    const auto pages =
        mode == kModePagesPerSheet ? static_cast<int16_t>(ReadOptionShort(ctx, settings, kOptPagesPerSheet)) : 0;
    return BindingOrientation(mode, pages, static_cast<int16_t>(publicdm::U16(settings, publicdm::kOrientation)));
}

}  // namespace

int32_t BindingOrientation(int32_t option124, int32_t option126, int32_t orientation) {
    if (option124 == kModePagesPerSheet && (option126 == 0 || option126 == 2 || option126 == 3))
        return orientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    return orientation;
}

// --- binding location ------------------------------------------------------------------------

CmSvCB_BindDirect::CmSvCB_BindDirect()
    : CmSvComboBox("Layout$BindingLocation", kItemId, 0, 0, nullptr, IDC_BINDING, kBindingCompanions, 1, 1, 33,
                   kIconImage, 1),
      CmSvSdk_Multi(0x10072, 4, 0),
      rows_(kPortraitEdges, kLandscapeEdges) {
    previewKey = 3;
}

int CmSvCB_BindDirect::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptBindingLocation);
}

int CmSvCB_BindDirect::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row || !destination) return 0;
    WriteOptionShort(ctx, destination, kOptBindingLocation, static_cast<uint16_t>(row->value));
    // Two-sided printing turns the sheet along the binding edge: long edge for left and right.
    if (publicdm::U16(destination, kDuplexOffset) > DMDUP_SIMPLEX) {
        if (row->value == 0 || row->value == 1) publicdm::PutU16(destination, kDuplexOffset, DMDUP_VERTICAL);
        if (row->value == 2 || row->value == 3) publicdm::PutU16(destination, kDuplexOffset, DMDUP_HORIZONTAL);
    }
    return 1;
}

int CmSvCB_BindDirect::Init(UIDEVDATA* ctx, const uint8_t* settings) {
    if (!settings) return 1;
    const int32_t orientation = BindingOrientationOf(ctx, settings);
    if (orientation == DMORIENT_PORTRAIT) rows_.Install(*this, false);
    if (orientation == DMORIENT_LANDSCAPE) rows_.Install(*this, true);
    return 1;
}

int CmSvCB_BindDirect::Follow(UIDEVDATA* ctx, const uint8_t* settings) {
    const int32_t orientation = BindingOrientationOf(ctx, settings);
    if (orientation != DMORIENT_PORTRAIT && orientation != DMORIENT_LANDSCAPE) return 0;
    return rows_.Follow(*this, orientation == DMORIENT_LANDSCAPE);
}

int CmSvCB_BindDirect::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) {
    return rows_.Turn(*this, ctx, argumentCount, arguments, out);
}

int CmSvCB_BindDirect::Preview(UIDEVDATA*, intptr_t a, intptr_t, intptr_t, intptr_t) {
    if (enabled != 1 || third == 1 || a < 0 || a > 3) return 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (table[i].value != a || table[i].enabled != 1) continue;
        if (i == current) return 0;
        current = i;
        return 1;
    }
    return 0;
}

int CmSvCB_BindDirect::GetCount(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    *static_cast<uint32_t*>(data) = count;
    return kSdkDone;
}

int CmSvCB_BindDirect::GetList(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    auto* out = static_cast<int32_t*>(data);
    for (uint32_t i = 0; i < count; ++i)
        if (table[i].enabled == 1) *out++ = table[i].option_value;
    return kSdkDone;
}

int CmSvCB_BindDirect::Apply(UIDEVDATA*, uint32_t, void*) {
    if (Unavailable(*this)) return kSdkNotSupported;
    if (enabled != 1) return kSdkRefused;
    return SelectRowByValue(*this, 0);
}

// --- centre-fold staple ----------------------------------------------------------------------

namespace {
const uint32_t kCenterFoldKeys[] = {CmSvCK_CenterFoldStaple::kSwitchKey, CmSvCK_CenterFoldStaple::kBookletKey, 0};
}

CmSvCK_CenterFoldStaple::CmSvCK_CenterFoldStaple()
    : CmSvCheckBox("Booklet$CenterFoldStaple", kItemId, 0, IDC_CENTER_FOLD_STAPLE, nullptr, 1, 1),
      CmSvSdk(kCenterFoldKeys, 4, 0) {}

int CmSvCK_CenterFoldStaple::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptBooklet) & 1u) ? 1 : 0;
    return 1;
}

int CmSvCK_CenterFoldStaple::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionWord(ctx, destination, kOptBooklet, WithBit(ReadOptionWord(ctx, destination, kOptBooklet), 0, current == 1));
    return 1;
}

int CmSvCK_CenterFoldStaple::GetValue(UIDEVDATA* ctx, uint32_t key, void* data) {
    if (!HasKey(key)) return kSdkNotSupported;
    return CmSvSdk::GetValue(ctx, key, data);
}

int CmSvCK_CenterFoldStaple::GetCurrent(UIDEVDATA*, uint32_t key, void* data) {
    if (!HasKey(key)) return kSdkNotSupported;
    if (int answer = Guard(data)) return answer;
    *static_cast<uint32_t*>(data) = current == 1 ? 1u : 0u;
    return kSdkDone;
}

int CmSvCK_CenterFoldStaple::SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) {
    if (key == kSwitchKey) {
        if (int answer = SetGuard(data)) return answer;
        const uint32_t value = *static_cast<const uint32_t*>(data);
        if (value > 1) return kSdkNotSupported;
        current = static_cast<int32_t>(value);
        return kSdkDone;
    }
    if (key != kBookletKey) return kSdkNotSupported;
    // The application's booklet request reaches the switch whatever the page shows.
    if (!data) return kSdkNoItem;
    CmSvOnOff* booklet = PartnerItem<CmSvOnOff>(ctx, kAppBookletItem);
    if (!booklet) return kSdkNotSupported;
    const uint32_t value = *static_cast<const uint32_t*>(data);
    if (value > 1) return kSdkNotSupported;
    current = static_cast<int32_t>(value);
    SetPartnerSwitch(ctx, *booklet, static_cast<int32_t>(value));
    return kSdkDone;
}

int CmSvCK_CenterFoldStaple::Apply(UIDEVDATA* ctx, uint32_t key, void*) {
    if (key == kSwitchKey) {
        if (Unavailable(*this)) return kSdkNotSupported;
        if (enabled == 0) return kSdkRefused;
        current = 0;
        return kSdkDone;
    }
    if (key != kBookletKey) return kSdkNotSupported;
    CmSvOnOff* booklet = PartnerItem<CmSvOnOff>(ctx, kAppBookletItem);
    if (!booklet) return kSdkNotSupported;
    SetPartnerSwitch(ctx, *booklet, 0);
    current = 0;
    return kSdkDone;
}

// --- finishing switches ----------------------------------------------------------------------

const FinishingSwitchRow kFsStaple{"Finishing$Staple", 1051, IDC_STAPLE, 4, 0x1003a, false, SwitchDefault::OffWhenEnabled};
const FinishingSwitchRow kFsPunch{"Finishing$Punch", 1052, IDC_PUNCH, 5, 0x10038, false, SwitchDefault::Off};
const FinishingSwitchRow kFsZfold{"Finishing$Zfold", 1053, IDC_ZFOLD, 6, 0x10039, false, SwitchDefault::Off};
const FinishingSwitchRow kFsJobSpooling{"Finishing$JobSpooling", 1054, IDC_JOB_SPOOLING, 0, 0x10041e, true,
                                        SwitchDefault::None};
const FinishingSwitchRow kFsRotate{"Finishing$Rotate", 1055, IDC_ROTATE, 7, 0x10037, false, SwitchDefault::Off};

CmSvCK_FinishingSwitch::CmSvCK_FinishingSwitch(const FinishingSwitchRow& row)
    : CmSvCheckBox(row.key, row.itemId, 0, row.controlId, nullptr, 1, 1),
      CmSvSdk_OnOff(row.sdkKey, 0, row.maskBinding ? 0 : 1, 4, 0),
      row(row) {
    if (row.maskBinding) mask = 1;
}

int CmSvCK_FinishingSwitch::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptFinishing) >> row.bit) & 1u ? 1 : 0;
    return 1;
}

int CmSvCK_FinishingSwitch::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const uint32_t word = ReadOptionWord(ctx, destination, kOptFinishing);
    WriteOptionWord(ctx, destination, kOptFinishing, WithBit(word, row.bit, current == 1));
    return 1;
}

int CmSvCK_FinishingSwitch::Apply(UIDEVDATA*, uint32_t, void*) {
    if (row.byDefault == SwitchDefault::None || Unavailable(*this)) return kSdkNotSupported;
    if (row.byDefault == SwitchDefault::OffWhenEnabled && enabled == 0) return kSdkRefused;
    current = 0;
    return kSdkDone;
}

CmSvCK_Rotate::CmSvCK_Rotate() : CmSvCK_FinishingSwitch(kFsRotate) { previewKey = 16; }

// --- finishing method --------------------------------------------------------------------------

CmSvMulti_FinishingMethod::CmSvMulti_FinishingMethod()
    : CmSvMulti("Finishing$Method", kItemId, 0, 2, kMethodRows), CmSvSdk_Multi(kKey, 4, 0) {}

int CmSvMulti_FinishingMethod::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptFinishing) >> kFsStaple.bit) & 1u;
    return 1;
}

int CmSvMulti_FinishingMethod::StoreValue(UIDEVDATA*, uint8_t*) { return 1; }

void CmSvMulti_FinishingMethod::Follow(UIDEVDATA* ctx) {
    CmSvConflict* registry = RegistryOf(ctx);
    auto* staple = registry ? dynamic_cast<CmSvCK_Staple*>(registry->FindItem(CmSvCK_Staple::kItemId)) : nullptr;
    if (!staple || count < 2) return;
    current = staple->current == 1 ? 1 : 0;
    table[1].enabled = staple->enabled == 1 && staple->available != 0 ? 1 : 0;
}

int CmSvMulti_FinishingMethod::Select(UIDEVDATA* ctx, int32_t optionValue) {
    Follow(ctx);
    CmSvConflict* registry = RegistryOf(ctx);
    auto* staple = registry ? dynamic_cast<CmSvCK_Staple*>(registry->FindItem(CmSvCK_Staple::kItemId)) : nullptr;
    if (!staple) return kSdkNoItem;
    uint32_t index = count;
    for (uint32_t i = 0; i < count; ++i)
        if (table[i].option_value == optionValue) index = i;
    if (index >= count) return kSdkNotSupported;
    if (table[index].enabled != 1) return kSdkRefused;
    current = index;
    SetPartnerSwitch(ctx, *staple, static_cast<int32_t>(index));
    return kSdkDone;
}

int CmSvMulti_FinishingMethod::GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) {
    Follow(ctx);
    return CmSvSdk_Multi::GetCurrent(ctx, key, data);
}

int CmSvMulti_FinishingMethod::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    // The high half carries the switches the caller turns on with the method.
    return Select(ctx, static_cast<int32_t>(*static_cast<const uint32_t*>(data) & 0xFFFFu));
}

int CmSvMulti_FinishingMethod::Apply(UIDEVDATA* ctx, uint32_t, void*) {
    if (Unavailable(*this)) return kSdkNotSupported;
    return Select(ctx, 2);
}

int CmSvMulti_FinishingMethod::IsSdkValueEnabled(UIDEVDATA* ctx, int32_t value) {
    Follow(ctx);
    return CmSvSdk_Multi::IsSdkValueEnabled(ctx, value);
}

// --- buttons -----------------------------------------------------------------------------------

const PushButtonRow kPbStaplePosition{"Fini$StaplePosition", CmSvPB_Staple::kItemId, IDC_STAPLE_POSITION, 0, 0};
const PushButtonRow kPbDeviceSetting{"Fini$DeviceSetting", CmSvPB_DeviceSetting::kItemId, IDC_DEVICE_SETTING, 0, 0};
const PushButtonRow kPbBookletOptions{"Fini$BookletOptions", CmSvPB_BookletOptions::kItemId, IDC_BOOKLET_OPTIONS, 0,
                                      0};
const PushButtonRow kPbFinishDefault{"Fini$Default", CmSvPB_FinishDefault::kItemId, IDC_FINISHING_DEFAULT, 0, 0};

CmSvPB_Margin::CmSvPB_Margin() : CmSvPushButton("Fini$Margin", kItemId, IDC_MARGIN, kMarginCompanions, 1, 1) {}
