// Colour, colour mode, print image and catalogue printing.
#include "items/common/quality_items.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"

#include <array>

namespace {

constexpr CmSvOptionRecord Row(const char* name, int32_t value, int32_t textId, int32_t optionValue) {
    return CmSvOptionRecord{name, nullptr, value, textId, 0, 1, 1, 0, 0, nullptr, 1, optionValue, 1};
}

constexpr int32_t kColourMono = 0, kColourColour = 1, kColourAuto = 2;
const int32_t kColourCompanions[] = {IDC_COLOUR_LABEL, 0};
const CmSvOptionRecord kColourRows[] = {Row("MONO", kColourMono, 4135, 1), Row("COLOR", kColourColour, 4136, 2),
                                        Row("AUTO", kColourAuto, 4134, 0)};
const int32_t kPrintImageCompanions[] = {IDC_PRINT_IMAGE_LABEL, IDC_PRINT_IMAGE_NOTE, 0};

using ColourBlock = std::array<uint8_t, kColourBlockSize>;

ColourBlock ReadColourBlock(UIDEVDATA* ctx, const uint8_t* devmode) {
    ColourBlock block{};
    if (ctx && ctx->svc && devmode) ctx->svc->GetOption(ctx, devmode, kOptColourBlock, block.data(), block.size());
    return block;
}

void WriteColourBlock(UIDEVDATA* ctx, uint8_t* devmode, const ColourBlock& block) {
    if (ctx && ctx->svc && devmode) ctx->svc->SetOption(ctx, devmode, kOptColourBlock, block.data(), block.size());
}

bool DeviceChoosesColour(UIDEVDATA* ctx) {
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    return data && data->U16(devicedata::kColorSwitch) == 1;
}

}  // namespace

// --- catalogue -------------------------------------------------------------------------------

CmSvCK_Catalog::CmSvCK_Catalog()
    : CmSvCheckBox("Layout$Catalog", kItemId, 0, IDC_CATALOG, nullptr, 1, 1), CmSvSdk_OnOff(0x10057, 0, 1, 4, 0) {}

int CmSvCK_Catalog::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = ReadOptionShort(ctx, source, kOptLayoutMode) == kModeCatalog ? 1 : 0;
    return 1;
}

int CmSvCK_Catalog::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    if (current != 1) {
        if (ReadOptionShort(ctx, destination, kOptLayoutMode) == kModeCatalog)
            WriteOptionShort(ctx, destination, kOptLayoutMode, 0);
        return 1;
    }
    WriteOptionShort(ctx, destination, kOptLayoutMode, kModeCatalog);
    ColourBlock block = ReadColourBlock(ctx, destination);
    switch (ReadOptionShort(ctx, destination, kOptColour)) {
    case kColourMono: block[kColourBlockMonoByte] = 1; break;
    case kColourColour:
    case kColourAuto: block[kColourBlockMonoByte] = 0; break;
    default: break;
    }
    WriteColourBlock(ctx, destination, block);
    return 1;
}

int CmSvCK_Catalog::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    current = 0;
    return kSdkDone;
}

// --- colour ----------------------------------------------------------------------------------

CmSvCB_Color::CmSvCB_Color()
    : CmSvComboBox("Quality$Color", kItemId, 0, 3, kColourRows, IDC_COLOUR, kColourCompanions, 1, 1, 15, kNoImage, 0),
      CmSvSdk_Multi(0x10074, 4, 0) {
    previewKey = 19;
}

int CmSvCB_Color::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptColour);
}

int CmSvCB_Color::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    uint16_t colour = ReadOptionShort(ctx, destination, kOptColour);
    uint32_t flags = ReadOptionWord(ctx, destination, kOptQualityFlags);
    ColourBlock block = ReadColourBlock(ctx, destination);
    switch (CurrentValueOr(*this, -1)) {
    case kColourMono:
        colour = kColourMono;
        flags = WithBit(flags, kAutoColourBit, false);
        publicdm::PutU16(destination, kPublicColour, DMCOLOR_MONOCHROME);
        block[kColourBlockMonoByte] = 1;
        break;
    case kColourColour:
        colour = kColourColour;
        flags = WithBit(flags, kAutoColourBit, false);
        publicdm::PutU16(destination, kPublicColour, DMCOLOR_COLOR);
        block[kColourBlockMonoByte] = 0;
        break;
    case kColourAuto:
        colour = kColourAuto;
        publicdm::PutU16(destination, kPublicColour, DMCOLOR_COLOR);
        // A device that does not choose the colour itself keeps the bit as it stands; the rules
        // own it there.
        if (DeviceChoosesColour(ctx)) flags = WithBit(flags, kAutoColourBit, true);
        block[kColourBlockMonoByte] = 0;
        break;
    default:
        break;
    }
    WriteOptionShort(ctx, destination, kOptColour, colour);
    WriteOptionWord(ctx, destination, kOptQualityFlags, flags);
    WriteColourBlock(ctx, destination, block);
    return 1;
}

int CmSvCB_Color::GetCount(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    *static_cast<uint32_t*>(data) = count;
    return kSdkDone;
}

int CmSvCB_Color::GetList(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    auto* values = static_cast<int32_t*>(data);
    for (uint32_t i = 0; i < count; ++i) values[i] = table[i].option_value;
    return kSdkDone;
}

int CmSvCB_Color::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    return SelectRowByValue(*this, kColourColour);
}

int CmSvCB_Color::Preview(UIDEVDATA*, intptr_t a, intptr_t, intptr_t, intptr_t) {
    if (enabled != 1 || third == 1 || a < kColourMono || a > kColourAuto) return 0;
    const uint32_t before = current;
    if (SelectRowByValue(*this, static_cast<int32_t>(a)) != kSdkDone) return 0;
    return current != before ? 1 : 0;
}

// --- colour mode -----------------------------------------------------------------------------

CmSvCK_ColorMode::CmSvCK_ColorMode()
    : CmSvCheckBox("Quality$ColorMode", kItemId, 0, IDC_COLOUR_MODE, nullptr, 1, 1),
      CmSvSdk_OnOff(0x100400, 0, 0, 4, 0) {
    mask = 2;
}

int CmSvCK_ColorMode::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptQualityFlags) & 2u) ? 1 : 0;
    return 1;
}

int CmSvCK_ColorMode::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionWord(ctx, destination, kOptQualityFlags,
                    WithBit(ReadOptionWord(ctx, destination, kOptQualityFlags), 1, current == 1));
    return 1;
}

// --- print image -----------------------------------------------------------------------------

CmSvLB_PrintImage::CmSvLB_PrintImage()
    : CmSvListBox("Quality$PrintImage", kItemId, 0, 0, nullptr, IDC_PRINT_IMAGE, kPrintImageCompanions, 1, 1, 15,
                  kNoImage, 0),
      CmSvSdk_Multi(0x100402, 2, 0) {}

int CmSvLB_PrintImage::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptPrintImage);
}

int CmSvLB_PrintImage::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    return StoreRowAsShort(ctx, *this, destination, kOptPrintImage);
}

int CmSvLB_PrintImage::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return kSdkNotSupported;
    *static_cast<int32_t*>(data) = row->value;
    return kSdkDone;
}

int CmSvLB_PrintImage::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    return SelectRowByValue(*this, *static_cast<const int32_t*>(data));
}
