// The device page's printer picture (`DevicePreview`) and the small pictures of the quality page
// and of the finishing and layout-option dialogs: a print-quality sample with its badges, and the
// sheet without strips.
#include "preview/page_picture_previews.h"

#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/devmode/model_section.h"
#include "core/helpers/drawing.h"

namespace {

constexpr uint8_t kFinisherFeatureBit = 0x10;  // of the accessory byte: a finisher is attached
constexpr UINT kBadgeMask = 4610;

UINT MonochromeSample(int quality) {
    static const UINT kIds[8] = {29310, 29310, 29311, 29312, 29313, 29314, 29315, 29311};
    const int code = quality & 0x0F;
    return code >= 1 && code <= 7 ? kIds[code] : 29310;
}

UINT ColourSample(int quality) {
    static const UINT kIds[8] = {29303, 29303, 29304, 29305, 29306, 29307, 29308, 29304};
    const int code = quality & ~0x80;
    return code >= 1 && code <= 7 ? kIds[code] : 29303;
}

}  // namespace

DevicePreview::DevicePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : CmBasicPreview(control, ctx, settings, kind) {
    subMode_ = 0;
    trackFlags_ = 0;
    mode_ = 3;
    drawFlags_ = kStateIconStrip;
}

BOOL DevicePreview::GetStripIcons(UINT* ids, int* count) {
    if (mode_ >= 0 && mode_ <= 2) return CmBasicPreview::GetStripIcons(ids, count);
    uint8_t accessory = 0;
    DeviceOptions().u8(devopt::kAccessoryWord, accessory);
    ids[0] = (accessory & kFinisherFeatureBit) ? 29258 : 0;
    *count += 1;
    return TRUE;
}

QualityPreview::QualityPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : BasicPreview(control, ctx, settings, kind) {
    subMode_ = 0;
    drawFlags_ = 0;
    trackFlags_ = 0;
    mode_ = 4;
}

void QualityPreview::DrawQualityPicture(HDC dc) {
    const int quality = Option16(221), colour = Option16(222);
    const UINT sample = colour == 0 ? MonochromeSample(quality) : ColourSample(quality);
    CmDrawTools* tools = CreateDrawTools();
    if (!tools) return;
    const SIZE size = tools->GetBitmapSize(devData_, sample);
    const int area = Word(kQualityAreaWidth), height = Word(kSheetAreaHeight);
    if (size.cx > 0 && size.cy > 0)
        DrawDibResourceSized(devData_, dc, (area - size.cx) / 2, (height - size.cy) / 2, size.cx, size.cy, sample);
    const int x0 = (area - 141) / 2, y0 = height - 50;
    if (Option32(220) & 0x2) {
        const UINT badge = (colour & 0x3) == 0 ? 4601 : 4602;
        const SIZE b = tools->GetBitmapSize(devData_, badge);
        DrawMaskedDibResource(devData_, dc, x0, y0, b.cx, b.cy, badge, kBadgeMask);
    }
    uint32_t mode = 0;
    UINT second = 0;
    if (PrivateU32(devmode::model::kQualityModeWord, mode)) {
        switch (mode) {
        case 1: second = 4603; break;
        case 2: second = 4605; break;
        case 4: second = 4604; break;
        case 8: second = 4606; break;
        case 16: second = 4607; break;
        default: break;
        }
    }
    if (second) {
        const SIZE b = tools->GetBitmapSize(devData_, second);
        DrawMaskedDibResource(devData_, dc, x0 + 94, y0, b.cx, b.cy, second, kBadgeMask);
    }
    delete tools;
}

StaplePreview::StaplePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : BasicPreview(control, ctx, settings, kind) {
    subMode_ = 0;
    drawFlags_ = 0;
    trackFlags_ = 0;
    mode_ = 5;
}

void StaplePreview::DrawPagePicture(HDC dc) {
    // Only a mixed-paper job's punch follows the binding here; the dialog sets the punch edge itself.
    uint16_t word = 0;
    if (PrivateU16(devmode::model::kOutputWord, word) && word == 1) {
        FollowBindingWithPunch();
        if (MixedPaper()) {
            DrawMixedPaper(dc);
            return;
        }
    }
    CmBasicPreview::DrawPagePicture(dc);
}

void StaplePreview::GetEdgeDirection(int* edge) {
    const bool landscape = PublicWord(offsetof(DEVMODEA, dmOrientation)) == 2;
    switch (Option16(121)) {
    case 0: *edge = landscape ? 1 : 2; break;
    case 1: *edge = landscape ? 3 : 4; break;
    case 2: *edge = landscape ? 4 : 1; break;
    case 3: *edge = landscape ? 2 : 3; break;
    default: break;
    }
}

LayoutOptionPreview::LayoutOptionPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : BasicPreview(control, ctx, settings, kind) {
    subMode_ = 0;
    drawFlags_ = 0;
    trackFlags_ = 0;
    mode_ = 6;
}
