// `BasicPreview`: the page picture with the rules the private section adds: a sample sheet
// shows no binding, layout or fold-over and no fold-over icon; the punch edge follows the
// binding edge; an application's settings request draws the picture without clickable parts.
#include "preview/page_picture_previews.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/device_option_block.h"
#include "core/device/service_table.h"
#include "core/devmode/model_section.h"
#include "core/helpers/byte_view.h"
#include "model/pdl_data.h"
#include "preview/paper_drawing_set.h"

#include <algorithm>

namespace {

constexpr size_t kSampleWord = 212;   // of the private section: 1 shows a fixed sample
constexpr uint32_t kApplicationRequestBit = 1u << 24;

}  // namespace

BasicPreview::BasicPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind)
    : CmBasicPreview(control, ctx, settings, kind) {
    void** buffers = ctx && ctx->svc ? ctx->svc->GetItemBuffer(ctx) : nullptr;
    if (buffers && (static_cast<uint32_t>(Option32(100)) & kApplicationRequestBit)) interactive_ = FALSE;
}

bool BasicPreview::PrivateU16(size_t at, uint16_t& value) const {
    if (!settings_) return false;
    const ByteView head(settings_, sizeof(DEVMODEA));
    uint16_t size = 0, extra = 0, section = 0;
    if (!head.u16(offsetof(DEVMODEA, dmSize), size) || !head.u16(offsetof(DEVMODEA, dmDriverExtra), extra))
        return false;
    const ByteView whole(settings_, static_cast<size_t>(size) + extra);
    return whole.u16(devmode::kOffModelSection, section) && section != 0 && whole.u16(section + at, value);
}

bool BasicPreview::PrivateU32(size_t at, uint32_t& value) const {
    uint16_t low = 0, high = 0;
    if (!PrivateU16(at, low) || !PrivateU16(at + 2, high)) return false;
    value = low | (static_cast<uint32_t>(high) << 16);
    return true;
}

bool BasicPreview::TrayChoiceLocked() const {
    constexpr uint16_t kNoTrayChoiceBit = 0x02;  // of the tray flag byte
    uint16_t flags = 0;
    return PrivateU16(devmode::model::kMediaByte, flags) && (flags & kNoTrayChoiceBit);
}

bool BasicPreview::SampleSheet() const {
    uint16_t word = 0;
    return PrivateU16(kSampleWord, word) && word == 1;
}

void BasicPreview::FollowBindingWithPunch() {
    const int edge = Option16(121);
    if (!(Option32(190) & 0x20) || edge < 0 || edge > 3 || Option16(193) == edge) return;
    const int16_t value = static_cast<int16_t>(edge);
    devData_->svc->SetOption(devData_, settings_, 193, &value, sizeof value);
}

ModelDescription* BasicPreview::Model() const {
    PdlData* tables = SheetModelData(devData_);
    return tables ? &tables->Description() : nullptr;
}

bool BasicPreview::MixedPaper() const {
    uint16_t word = 0;
    uint32_t layout = 0;
    return PrivateU16(devmode::model::kOutputWord, word) && word == 1 &&
           PrivateU32(devmode::model::kMixedPaperLayoutA, layout) && layout != 0;
}

void BasicPreview::DrawPagePicture(HDC dc) {
    FollowBindingWithPunch();
    if (MixedPaper()) DrawMixedPaper(dc);
    else CmBasicPreview::DrawPagePicture(dc);
}

BOOL BasicPreview::AddButtonPart() {
    const ModelDescription* model = Model();
    if (model && model->trayPictureFlag) return FALSE;
    return CmBasicPreview::AddButtonPart();
}

void BasicPreview::ReadSettings(CmPvPaperDrawingSet* set) {
    CmBasicPreview::ReadSettings(set);
    if (!SampleSheet()) return;
    PaperPictureSettings& s = set->Settings();
    s.centreStrip = PublicWord(offsetof(DEVMODEA, dmOrientation)) == 1 ? 1 : 2;
    s.marginEdge = s.marginWidth = s.layout = s.order = 0;
    s.foldOverEdge = s.stripWidth = s.foldOverBackPage = 0;
}

BOOL BasicPreview::IsStateIconAShown() {
    if (mode_ == 0 && SampleSheet()) return FALSE;
    return CmBasicPreview::IsStateIconAShown();
}

void BasicPreview::DeviceGetPunchHoleKind(int16_t* kind) {
    // United States English printers punch three holes unless the device reports its puncher.
    constexpr uint32_t kEnglishUs = 0x409;
    DeviceData* data = devData_->svc->LoadDeviceData(devData_);
    int16_t result = data && data->U32(devicedata::kLanguageId) == kEnglishUs ? 3 : 2;
    uint16_t unit = 0;
    if (DeviceOptions().u16(devopt::kPuncherKind, unit)) {
        switch (unit) {
        case 1: result = 2; break;
        case 2: {
            const int paper = Option16(116), edge = Option16(193);
            const bool narrow = (paper == 1 || paper == 5 || paper == 256) && (edge == 2 || edge == 3);
            result = narrow ? 2 : 3;
            break;
        }
        case 3: case 4: result = 4; break;
        case 5: result = 5; break;
        default: break;
        }
    }
    *kind = result;
}

void BasicPreview::MapValueToPosition(int largest, int smallest, int* width, int* height) {
    CmBasicPreview::MapValueToPosition(largest, smallest, width, height);
    const int layout = Option16(124);
    bool wide = false;
    if (layout == 3) {
        // Pages side by side turn the sheet only when the device prints them so: its own choice
        // (2), or a source page that is not more than twice as long as it is wide.
        uint16_t choice = 0;
        devData_->svc->GetDeviceOptionValue(devData_, devData_->svc->GetDeviceOption(devData_), 519, &choice,
                                            sizeof choice);
        uint16_t source[2] = {};
        devData_->svc->GetOption(devData_, settings_, 114, source, sizeof source);
        const int longer = std::max(source[0], source[1]), shorter = std::min(source[0], source[1]);
        const int pages = Option16(126);
        wide = (choice == 2 || longer <= 2 * shorter) && (pages == 0 || pages == 2 || pages == 3);
    } else if (layout != 2) {
        wide = SampleSheet();
    } else {
        return;  // a booklet keeps the engine's sheet
    }
    const int longer = std::max(*width, *height), shorter = std::min(*width, *height);
    const bool landscape = PublicWord(offsetof(DEVMODEA, dmOrientation)) == DMORIENT_LANDSCAPE;
    // The engine turned the sheet for the layout and the orientation; here the layout's turn is
    // the device's, the orientation's stays.
    const bool across = wide != landscape;
    *width = across ? longer : shorter;
    *height = across ? shorter : longer;
}
