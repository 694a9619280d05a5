// The model pictures over the layer list: the row's layout for the installed options, centred in
// the layer area, the selected source's frame over it, and the sources as button parts.
#include "preview/model_previews.h"

#include "core/device/service_table.h"
#include "preview/k07_picture.h"
#include "settings/registry/conflict.h"

#include <cstring>

namespace {

constexpr uint16_t kSourcePartFlags = 0x0682;
constexpr uint16_t kOptionPartFlags = 0x0302;
constexpr uint16_t kCursorHand = 4825;
constexpr uint32_t kOptionItem = 3031;

uint16_t ModelNumber(UIDEVDATA* ctx) { return static_cast<uint16_t>(ctx->svc->GetDeviceDataValue2(ctx)); }

}  // namespace

ModelSheetsPreview::ModelSheetsPreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind,
                                       const ModelPictureRow* row)
    : Basic3SheetsPreview(control, ctx, settings, kind), row_(row) {}

void ModelSheetsPreview::LayOut(ModelPictureLayout& layout) {
    const int top = (drawFlags_ & kModeStrip) ? Word(kModeStripHeight) : 0;
    LayOutModelPicture(*row_, DeviceOptions(), top, layout);
    ShiftModelPicture(layout, (Word(kLayerAreaWidth) - layout.width) / 2);
}

bool ModelSheetsPreview::IsK07() const { return std::strcmp(row_->code, "K07") == 0; }

BOOL ModelSheetsPreview::BuildLayerList() {
    if (IsK07()) {
        K07Picture picture;
        const int top = (drawFlags_ & kModeStrip) ? Word(kModeStripHeight) : 0;
        BuildK07Layers(DeviceOptions(), ModelNumber(devData_), true, TrayChoiceLocked() ? -1 : SelectedSource(),
                       static_cast<uint32_t>(Option32(200)), top, picture);
        for (int i = 0; i < picture.layerCount; ++i) {
            const PictureLayer& l = picture.layers[i];
            AddLayer(l.flags, l.pictureId, l.style, l.x, l.y);
        }
        return TRUE;
    }
    ModelPictureLayout layout;
    LayOut(layout);
    for (int i = 0; i < layout.layerCount; ++i) {
        const PictureLayer& l = layout.layers[i];
        AddLayer(l.flags, l.pictureId, l.style, l.x, l.y);
    }
    // A value the picture has no place for (a source of another model, a slot past the eight)
    // marks nothing.
    const int selected = TrayChoiceLocked() ? -1 : SelectedSource();
    for (int i = 0; selected >= 0 && i < layout.spotCount; ++i)
        if (layout.spots[i].value == selected)
            AddLayer(0, layout.spots[i].mark, kLayerKeyed, layout.spots[i].markAt.x, layout.spots[i].markAt.y);
    return TRUE;
}

BOOL ModelSheetsPreview::AddModelParts() {
    if (IsK07()) {
        const int first = partCount_;
        CmSvConflict* registry = Registry();
        const bool optionPart = registry && registry->IsItemEnabled(devData_, kOptionItem);
        K07Picture picture;
        const int top = (drawFlags_ & kModeStrip) ? Word(kModeStripHeight) : 0;
        BuildK07Parts(DeviceOptions(), ModelNumber(devData_), Option16(201), optionPart, top, picture);
        for (int i = 0; i < picture.partCount; ++i) {
            const K07Picture::Part& p = picture.parts[i];
            AddPart(p.flags, p.rect, kCursorHand, p.value, p.extra);
        }
        MarkTrayParts(first);
        return TRUE;
    }
    ModelPictureLayout layout;
    LayOut(layout);
    const int first = partCount_;
    const int variant = Option16(201);
    for (int i = 0; i < layout.spotCount; ++i) {
        if (layout.spots[i].value == 4 && variant == 3) continue;
        AddPart(kSourcePartFlags, layout.spots[i].rect, kCursorHand, layout.spots[i].value);
    }
    CmSvConflict* registry = Registry();
    if (layout.hasTopUnit && registry && registry->IsItemEnabled(devData_, kOptionItem))
        AddPart(kOptionPartFlags, layout.topUnit, kCursorHand, 0, 1);
    MarkTrayParts(first);
    return TRUE;
}

void ModelSheetsPreview::MarkTrayParts(int first) {
    const bool choosing = interactive_ && mode_ == 2 && subMode_ >= 7 && subMode_ <= 14 && !TrayChoiceLocked();
    for (int i = first; i < partCount_; ++i) {
        PicturePart& p = parts_[i];
        if (!(p.flags & kPartButton)) continue;
        if (!choosing) {
            p.flags = static_cast<uint16_t>(p.flags & ~kPartButton);
            p.cursorId = 0;
        } else if (p.value != 7) {
            p.cursorId = kCursorHand;
        }
    }
}

ModelDevicePreview::ModelDevicePreview(HWND control, UIDEVDATA* ctx, uint8_t* settings, int kind,
                                       const ModelPictureRow* row)
    : DevicePreview(control, ctx, settings, kind), row_(row), units_(row->wide ? DeviceUnitsOf(row->code) : nullptr) {
    ModelDevicePreview::InitPictureRect();
}

void ModelDevicePreview::InitPictureRect() {
    static constexpr PreviewGeometry kWide = {
        {19, 33, 40, 19, 599, 111, 599, 52, 34, 40, 599, 19, 599, 19, 597, 50, 138, 110}};
    if (units_) geometry_ = kWide;
    else DevicePreview::InitPictureRect();
}

BOOL ModelDevicePreview::BuildLayerList() {
    if (units_) {
        const ByteView options = DeviceOptions();
        int run = 0;
        for (int i = 0; i < units_->count; ++i) {
            const DeviceUnit& u = units_->units[i];
            if (!UnitInstalled(u, options)) continue;
            if (u.layer.flags) AddLayer(u.layer.flags, u.layer.pictureId, u.layer.style, u.layer.x + run, u.layer.y);
            run += u.width;
        }
        const int dx = (Word(kPictureWidth0) - 42) / 2 - run / 2 + 34;
        for (int i = 0; i < layerCount_; ++i)
            if (layers_[i].flags & kLayerOfBody) layers_[i].x += dx;
        return TRUE;
    }
    if (std::strcmp(row_->code, "K07") == 0) {
        K07Picture picture;
        BuildK07Layers(DeviceOptions(), ModelNumber(devData_), false, -1, 0, 0, picture);
        for (int i = 0; i < picture.layerCount; ++i) {
            const PictureLayer& l = picture.layers[i];
            AddLayer(l.flags, l.pictureId, l.style, l.x, l.y);
        }
        return TRUE;
    }
    ModelPictureLayout layout;
    LayOutModelPicture(*row_, DeviceOptions(), 0, layout);
    ShiftModelPicture(layout, (Word(kLayerAreaWidth) - layout.width) / 2);
    for (int i = 0; i < layout.layerCount; ++i) {
        const PictureLayer& l = layout.layers[i];
        AddLayer(l.flags, l.pictureId, l.style, l.x, l.y);
    }
    return TRUE;
}
