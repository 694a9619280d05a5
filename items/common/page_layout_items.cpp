// Orientation, page layout, page order, scaling, ratio and copies.
#include "items/common/page_layout_items.h"

#include "core/datafile/device_data.h"
#include "core/helpers/dialog_helpers.h"
#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/item_links.h"
#include "items/common/number_format.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"
#include "settings/items/sv_item.h"

#include <cstring>
#include <iterator>

namespace {

constexpr CmSvOptionRecord Choice(const char* name, int32_t value, int32_t textId, int32_t button,
                                  int32_t optionValue, const void* images = nullptr) {
    return CmSvOptionRecord{name, nullptr, value, textId, button, 1, 1, 0, 0, images, 1, optionValue, 1};
}

// Orientation.
const int32_t kOrientationCompanions[] = {IDC_ORIENTATION_GROUP, IDC_ORIENTATION_PICTURE, 0};
const CmSvOptionRecord kOrientationRows[] = {Choice("PORTRAIT", 0, 0, IDC_PORTRAIT, DMORIENT_PORTRAIT),
                                             Choice("LANDSCAPE", 1, 0, IDC_LANDSCAPE, DMORIENT_LANDSCAPE)};

// Layout.
const int32_t kLayoutCompanions[] = {IDC_LAYOUT_LABEL, 0};
const CmSvOptionRecord kLayoutRows[CmSvCB_Layout::kRowCount] = {
    Choice("NUP_1PAGES", 0, 4008, 0, 0),  Choice("NUP_2PAGES", 1, 4009, 0, 1),  Choice("NUP_4PAGES", 2, 4010, 0, 2),
    Choice("NUP_6PAGES", 3, 4011, 0, 10), Choice("NUP_8PAGES", 4, 4012, 0, 3),  Choice("NUP_9PAGES", 5, 4013, 0, 4),
    Choice("NUP_16PAGES", 6, 4014, 0, 5), Choice("POSTER_2X2", 7, 4015, 0, 20), Choice("POSTER_3X3", 8, 4016, 0, 21),
    Choice("POSTER_4X4", 9, 4017, 0, 22)};
// Layout pictures: the disabled picture of each is 13 ids after the normal one. Rows 1, 3 and 4
// (2, 6 and 8 pages, which turn the sheet) have pictures of their own in landscape.
constexpr uint16_t kColourFirst = 4799, kMonoFirst = 4773, kDisabledStep = 13;
constexpr uint16_t kPortraitOffsets[CmSvCB_Layout::kRowCount] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12};
constexpr uint16_t kLandscapeOffsets[CmSvCB_Layout::kRowCount] = {0, 7, 2, 8, 9, 5, 6, 10, 11, 12};

// Page order: the pictures have no disabled form.
const int32_t kOrderCompanions[] = {IDC_PAGE_ORDER_LABEL, 0};
const uint16_t kOrderPictures[8][2] = {{4663, 0}, {4664, 0}, {4665, 0}, {4666, 0},
                                       {4667, 0}, {4668, 0}, {4669, 0}, {4670, 0}};
const CmSvOptionRecord kOrderPortrait[] = {Choice("DIRECTION_LR", 0, 4018, 0, 0, kOrderPictures[0]),
                                           Choice("DIRECTION_RL", 1, 4019, 0, 1, kOrderPictures[1])};
const CmSvOptionRecord kOrderLandscape[] = {Choice("DIRECTION_UD", 2, 4020, 0, 2, kOrderPictures[2]),
                                            Choice("DIRECTION_DU", 3, 4021, 0, 3, kOrderPictures[3])};
const CmSvOptionRecord kOrderFour[] = {Choice("DIRECTION_LUR", 4, 4022, 0, 4, kOrderPictures[4]),
                                       Choice("DIRECTION_LUD", 6, 4023, 0, 6, kOrderPictures[5]),
                                       Choice("DIRECTION_RUL", 5, 4024, 0, 5, kOrderPictures[6]),
                                       Choice("DIRECTION_RUD", 7, 4025, 0, 7, kOrderPictures[7])};
// In the set of eight the option-interface values run in row order; callers rely on that.
const CmSvOptionRecord kOrderEightTail[] = {Choice("DIRECTION_LUR", 4, 4022, 0, 4, kOrderPictures[4]),
                                            Choice("DIRECTION_LUD", 6, 4023, 0, 5, kOrderPictures[5]),
                                            Choice("DIRECTION_RUL", 5, 4024, 0, 6, kOrderPictures[6]),
                                            Choice("DIRECTION_RUD", 7, 4025, 0, 7, kOrderPictures[7])};

// Scaling ratio and copies.
const int32_t kRatioCompanions[] = {IDC_SCALING_LABEL, IDC_SCALING_RANGE, 0};
const int32_t kCopiesCompanions[] = {IDC_COPIES_LABEL, IDC_COPIES_RANGE, 0};

}  // namespace

int32_t LayoutKindOf(UIDEVDATA* ctx, const uint8_t* devmode) {
    const uint16_t mode = ReadOptionShort(ctx, devmode, kOptLayoutMode);
    const uint16_t pages = ReadOptionShort(ctx, devmode, kOptPagesPerSheet);
    const uint16_t poster = ReadOptionShort(ctx, devmode, kOptPoster);
    if (mode == kModePagesPerSheet && pages <= 5) return pages + 1;
    if (mode == kModePoster && poster <= 2) return poster + 7;
    return 0;
}

// --- orientation ---------------------------------------------------------------------------

CmSvRB_Orientation::CmSvRB_Orientation()
    : CmSvRadioButton("Devmode$Orientation", kItemId, 0, 2, kOrientationRows, IDC_PORTRAIT, kOrientationCompanions,
                      1, 1),
      CmSvSdk_Multi(kSdkItemKeyBase + kItemId, 2, 0) {}

int CmSvRB_Orientation::LoadValue(UIDEVDATA*, const uint8_t* source) {
    switch (publicdm::U16(source, publicdm::kOrientation)) {
    case DMORIENT_PORTRAIT:
        current = 0;
        return 1;
    case DMORIENT_LANDSCAPE:
        current = 1;
        return 1;
    default:
        return 0;
    }
}

int CmSvRB_Orientation::StoreValue(UIDEVDATA*, uint8_t* destination) {
    if (current > 1 || !destination) return 0;
    publicdm::PutU16(destination, publicdm::kOrientation, current == 0 ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
    return 1;
}

// --- layout --------------------------------------------------------------------------------

CmSvCB_Layout::CmSvCB_Layout()
    : CmSvComboBox("Layout$PageLayout", kItemId, 0, kRowCount, kLayoutRows, IDC_LAYOUT, kLayoutCompanions, 1, 1, 33,
                   kIconImage, 1),
      CmSvSdk_Multi(0x10064, 4, 0) {
    previewKey = 0;
    for (uint32_t i = 0; i < kRowCount; ++i) table[i].images = pictures_[i];
    SetPictures(false, false);
}

void CmSvCB_Layout::SetPictures(bool colour, bool landscape) {
    colour_ = colour;
    landscape_ = landscape;
    const uint16_t first = colour ? kColourFirst : kMonoFirst;
    const uint16_t* offsets = landscape ? kLandscapeOffsets : kPortraitOffsets;
    for (uint32_t i = 0; i < kRowCount; ++i) {
        pictures_[i][0] = static_cast<uint16_t>(first + offsets[i]);
        pictures_[i][1] = static_cast<uint16_t>(first + offsets[i] + kDisabledStep);
    }
}

int CmSvCB_Layout::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowByValue(*this, LayoutKindOf(ctx, source));
}

int CmSvCB_Layout::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row) return 0;
    uint16_t mode = ReadOptionShort(ctx, destination, kOptLayoutMode);
    uint16_t pages = ReadOptionShort(ctx, destination, kOptPagesPerSheet);
    uint16_t poster = ReadOptionShort(ctx, destination, kOptPoster);
    const int32_t kind = row->value;
    if (kind >= 1 && kind <= 6) {
        mode = kModePagesPerSheet;
        pages = static_cast<uint16_t>(kind - 1);
    } else if (kind >= 7 && kind <= 9) {
        mode = kModePoster;
        poster = static_cast<uint16_t>(kind - 7);
    } else if (mode == kModePagesPerSheet || mode == kModePoster) {
        // One page per sheet ends only what this item set; scaling and the catalogue stay.
        mode = 0;
    }
    WriteOptionShort(ctx, destination, kOptLayoutMode, mode);
    WriteOptionShort(ctx, destination, kOptPagesPerSheet, pages);
    WriteOptionShort(ctx, destination, kOptPoster, poster);
    return 1;
}

int CmSvCB_Layout::Init(UIDEVDATA* ctx, const uint8_t* settings) {
    const uint16_t colour = ReadOptionShort(ctx, settings, kOptColourMode);
    SetPictures(colour == 1 || colour == 2,
                publicdm::U16(settings, publicdm::kOrientation) == DMORIENT_LANDSCAPE);
    return 1;
}

int CmSvCB_Layout::Follow(UIDEVDATA*, const uint8_t* settings) {
    const bool landscape = publicdm::U16(settings, publicdm::kOrientation) == DMORIENT_LANDSCAPE;
    if (landscape == landscape_) return 0;
    SetPictures(colour_, landscape);
    // Only the pictures changed, so the list shown needs no redisplay, which would first ask it
    // for every entry to learn that it still holds them.
    return window && ShowNewPictures(window) ? 0 : 1;
}

int CmSvCB_Layout::Action(UIDEVDATA*, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 3 || !arguments || !Named(arguments[0], "RESET_ICN")) return 0;
    const bool colour = Named(arguments[1], "COLOR") || Named(arguments[1], "AUTO");
    const bool landscape = Named(arguments[2], "LANDSCAPE");
    uint16_t before[2] = {};
    if (current < kRowCount) std::memcpy(before, pictures_[current], sizeof before);
    SetPictures(colour, landscape);
    if (current < kRowCount && std::memcmp(before, pictures_[current], sizeof before) != 0 && window)
        RedrawDlgItem(window, controlId);
    return 1;
}

int CmSvCB_Layout::Preview(UIDEVDATA*, intptr_t a, intptr_t, intptr_t, intptr_t) {
    if (enabled != 1 || third == 1 || a < 0 || a > 2) return 0;
    const uint32_t index = FindValue(static_cast<int32_t>(a));
    if (index >= count || index == current || table[index].enabled != 1) return 0;
    current = index;
    return 1;
}

int CmSvCB_Layout::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    window = dialog;
    return CmSvComboBox::ToDialog(ctx, dialog, onlyChanged);
}

// --- page order ----------------------------------------------------------------------------

CmSvCB_PageOrder::CmSvCB_PageOrder()
    : CmSvComboBox("Layout$PageOrder", kItemId, 0, 0, nullptr, IDC_PAGE_ORDER, kOrderCompanions, 1, 1, 33, kIconImage,
                   1),
      CmSvSdk_Multi(0x10065, 4, 0) {
    Install(RowSet::Eight);
}

void CmSvCB_PageOrder::Install(RowSet set) {
    const int32_t previous = CurrentRow() ? CurrentRow()->value : -1;
    // A row's text, once the list loaded it, is kept for the row of the same value in the new
    // set, so that renewing the rows does not load the texts again and again.
    char* texts[kRowCount] = {};
    for (const CmSvOptionRecord& row : rows_)
        if (row.value >= 0 && row.value < static_cast<int32_t>(kRowCount) && row.display_text)
            texts[row.value] = row.display_text;
    std::memset(rows_, 0, sizeof rows_);
    uint32_t n = 0;
    auto add = [&](const CmSvOptionRecord* rows, size_t k) {
        for (size_t i = 0; i < k && n < kRowCount; ++i) rows_[n++] = rows[i];
    };
    switch (set) {
    case RowSet::Portrait:
        add(kOrderPortrait, std::size(kOrderPortrait));
        break;
    case RowSet::Landscape:
        add(kOrderLandscape, std::size(kOrderLandscape));
        break;
    case RowSet::Four:
        add(kOrderFour, std::size(kOrderFour));
        break;
    case RowSet::Eight:
        add(kOrderPortrait, std::size(kOrderPortrait));
        add(kOrderLandscape, std::size(kOrderLandscape));
        add(kOrderEightTail, std::size(kOrderEightTail));
        break;
    }
    for (uint32_t i = 0; i < n; ++i) rows_[i].display_text = texts[rows_[i].value];
    UseTable(rows_, n);
    const uint32_t index = FindValue(previous);
    current = index < count ? index : 0;
}

int CmSvCB_PageOrder::Init(UIDEVDATA* ctx, const uint8_t* settings) {
    const int32_t kind = LayoutKindOf(ctx, settings);
    if (kind == 1)
        Install(publicdm::U16(settings, publicdm::kOrientation) == DMORIENT_PORTRAIT ? RowSet::Portrait
                                                                                       : RowSet::Landscape);
    else if (kind >= 2 && kind <= 6)
        Install(RowSet::Four);
    else
        Install(RowSet::Eight);
    return 1;
}

int CmSvCB_PageOrder::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptPageOrder);
}

int CmSvCB_PageOrder::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    return StoreRowAsShort(ctx, *this, destination, kOptPageOrder);
}

int CmSvCB_PageOrder::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) {
    if (argumentCount != 1 || !arguments) return 0;
    const char* what = arguments[0];
    if (Named(what, "DEFAULT")) {
        const uint8_t* defaults = ctx && ctx->svc ? ctx->svc->GetDevmode(ctx, 1) : nullptr;
        Init(ctx, defaults);
        Load(ctx, defaults);
    } else if (Named(what, "PORTRAIT")) {
        Install(RowSet::Portrait);
    } else if (Named(what, "LANDSCAPE")) {
        Install(RowSet::Landscape);
    } else if (Named(what, "NUP4")) {
        Install(RowSet::Four);
    } else {
        return 0;
    }
    return AnswerChangedChoice(*this, out);
}

int CmSvCB_PageOrder::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data)) return refused;
    const int32_t value = *static_cast<const int32_t*>(data);
    if (value < 0 || value > 7) return kSdkNotSupported;
    return SelectRowByOptionValue(*this, value);
}

int CmSvCB_PageOrder::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    const uint8_t* settings = SheetSettings(ctx);
    int32_t value = 0;
    if (ReadOptionShort(ctx, settings, kOptPagesPerSheet) != 0)
        value = 4;
    else if (publicdm::U16(settings, publicdm::kOrientation) != DMORIENT_PORTRAIT)
        value = 2;
    return SelectRowByValue(*this, value);
}

// --- scaling -------------------------------------------------------------------------------

CmSvCK_Scaling::CmSvCK_Scaling()
    : CmSvCheckBox("Layout$Scaling", kItemId, 0, IDC_SCALING, nullptr, 1, 1), CmSvSdk_OnOff(0x1007a, 0, 1, 4, 0) {}

int CmSvCK_Scaling::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = ReadOptionShort(ctx, source, kOptLayoutMode) == kModeScaling ? 1 : 0;
    return 1;
}

int CmSvCK_Scaling::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const uint16_t mode = ReadOptionShort(ctx, destination, kOptLayoutMode);
    if (current == 1 && mode == 0) WriteOptionShort(ctx, destination, kOptLayoutMode, kModeScaling);
    if (current != 1 && mode == kModeScaling) WriteOptionShort(ctx, destination, kOptLayoutMode, 0);
    return 1;
}

int CmSvCK_Scaling::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    current = 0;
    return kSdkDone;
}

// --- scaling ratio -------------------------------------------------------------------------

CmSvDGT_ScalingRatio::CmSvDGT_ScalingRatio()
    : CmSvDigit("Layout$ScalingRatio", kItemId, 0, 0, 100, IDC_SCALING_RATIO, kRatioCompanions, 1, 1, 0, 3,
                IDC_SCALING_SPIN, 0),
      CmSvSdk_Numeric(0x10003, 4, 0) {}

int CmSvDGT_ScalingRatio::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = static_cast<int16_t>(ReadOptionShort(ctx, source, kOptScalingRatio));
    return 1;
}

int CmSvDGT_ScalingRatio::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionShort(ctx, destination, kOptScalingRatio, static_cast<uint16_t>(current));
    return 1;
}

int CmSvDGT_ScalingRatio::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    current = 100;
    return kSdkDone;
}

// --- copies --------------------------------------------------------------------------------

CmSvDGT_Copy::CmSvDGT_Copy()
    : CmSvDigit("Devmode$Copy", kItemId, 1, 1, kFallbackMaximum, IDC_COPIES, kCopiesCompanions, 1, 1, 0, 3,
                IDC_COPIES_SPIN, 0),
      CmSvSdk_Numeric(kSdkItemKeyBase + kItemId, 2, 0) {}

int32_t CopiesMaximum(uint32_t deviceMaximum, int32_t fallback) {
    if (deviceMaximum == 0) return fallback;
    return deviceMaximum > static_cast<uint32_t>(CmSvDGT_Copy::kLargestMaximum) ? CmSvDGT_Copy::kLargestMaximum
                                                                                : static_cast<int32_t>(deviceMaximum);
}

int32_t CopiesTextLimit(int32_t maximum) { return maximum >= 1000 ? 4 : 3; }

void CmSvDGT_Copy::TakeDeviceMaximum(UIDEVDATA* ctx) {
    DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    maximum = CopiesMaximum(data ? data->U32(devicedata::kMaxCopies) : 0, maximum);
    textLimit = CopiesTextLimit(maximum);
}

int CmSvDGT_Copy::LoadValue(UIDEVDATA*, const uint8_t* source) {
    if (!source) return 0;
    current = static_cast<int16_t>(publicdm::U16(source, publicdm::kCopies));
    return 1;
}

int CmSvDGT_Copy::StoreValue(UIDEVDATA*, uint8_t* destination) {
    if (!destination) return 0;
    publicdm::PutU16(destination, publicdm::kCopies, static_cast<uint16_t>(current));
    return 1;
}

int CmSvDGT_Copy::Init(UIDEVDATA* ctx, const uint8_t*) {
    TakeDeviceMaximum(ctx);
    return 1;
}

int CmSvDGT_Copy::ToDialog(UIDEVDATA* ctx, HWND dialog, int onlyChanged) {
    TakeDeviceMaximum(ctx);
    const int shown = CmSvDigit::ToDialog(ctx, dialog, onlyChanged);
    if (!onlyChanged && ctx && ctx->svc) {
        char format[64] = {};
        char text[64] = {};
        ctx->svc->LoadString(ctx, 4007, format, sizeof format);
        if (FormatTwoNumbers(text, sizeof text, format, minimum, maximum))
            SetDlgItemTextA(dialog, IDC_COPIES_RANGE, text);
    }
    return shown;
}
