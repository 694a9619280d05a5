// The pop-up device dialog's picture of a wide model: its units laid side by side from the unit
// table, the selected source's frame over its unit, each source a part, the whole device centred
// in the control's client area and set down by the model's own distance.
#include "preview/model_previews.h"

namespace {

constexpr uint16_t kCursorHand = 4825;
constexpr uint16_t kMovesWithDevice = 0x0002;  // of a part
constexpr int kPictureMargin = 120;

}  // namespace

PopupDevPreview::PopupDevPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind, const ModelPictureRow* row)
    : ModelSheetsPreview(control, ctx, settings, kind, row), units_(DeviceUnitsOf(row->code)) {
    drawFlags_ = 0;
    trackFlags_ = 0;
    mode_ = 2;
    subMode_ = 7;
    PopupDevPreview::InitPictureRect();
}

void PopupDevPreview::InitPictureRect() {
    RECT client{};
    if (!control_ || !GetClientRect(control_, &client)) {
        CmBasicPreview::InitPictureRect();
        return;
    }
    const int32_t w = client.right - client.left;
    geometry_ = {{19, 105, 40, 19, w, 183, w, 124, 34, 40, w, 19, w, 19, w - 2, 122, 138, 110}};
    fittedMode_ = -1;  // the layout is made again for the new size
}

POINT PopupDevPreview::DeviceOffset(int total) const {
    return {Word(kPictureWidth0) / 2 - total / 2 - 6, units_->popupDown};
}

int PopupDevPreview::GetPictureWidth() const {
    return (units_ ? DeviceUnitsWidth(*units_, DeviceOptions()) : 0) + kPictureMargin;
}

BOOL PopupDevPreview::BuildLayerList() {
    if (!units_) return ModelSheetsPreview::BuildLayerList();
    const ByteView options = DeviceOptions();
    int run = 0;
    for (int i = 0; i < units_->count; ++i) {
        const DeviceUnit& u = units_->units[i];
        if (!UnitInstalled(u, options)) continue;
        if (u.layer.flags) AddLayer(u.layer.flags, u.layer.pictureId, u.layer.style, u.layer.x + run, u.layer.y);
        run += u.width;
    }
    const int total = run;
    const bool framed = !TrayChoiceLocked();
    const int selected = SelectedSource();
    run = 0;
    for (int i = 0; framed && selected >= 0 && i < units_->count; ++i) {
        const DeviceUnit& u = units_->units[i];
        if (!UnitInstalled(u, options)) continue;
        const PictureLayer& h = u.highlight;
        if (u.selected && u.selected(selected) && h.flags) AddLayer(h.flags, h.pictureId, h.style, h.x + run, h.y);
        run += u.width;
    }
    const POINT d = DeviceOffset(total);
    for (int i = 0; i < layerCount_; ++i)
        if (layers_[i].flags & kLayerOfBody) {
            layers_[i].x += d.x;
            layers_[i].y += d.y;
        }
    return TRUE;
}

BOOL PopupDevPreview::AddModelParts() {
    if (!units_) return ModelSheetsPreview::AddModelParts();
    const ByteView options = DeviceOptions();
    const int first = partCount_;
    int run = 0;
    for (int i = 0; i < units_->count; ++i) {
        const DeviceUnit& u = units_->units[i];
        if (!UnitInstalled(u, options)) continue;
        if (u.partFlags) {
            RECT r = u.part;
            OffsetRect(&r, run, 0);
            AddPart(u.partFlags, r, kCursorHand, u.partValue);
        }
        run += u.width;
    }
    const POINT d = DeviceOffset(run);
    for (int i = first; i < partCount_; ++i)
        if (parts_[i].flags & kMovesWithDevice) {
            OffsetRect(&parts_[i].hitRect, d.x, d.y);
            OffsetRect(&parts_[i].drawRect, d.x, d.y);
        }
    MarkTrayParts(first);
    return TRUE;
}
