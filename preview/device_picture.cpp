// The device picture: the layer list a picture class builds, drawn bottom to top into the
// picture, with the push button of the paper tray over it; the centring of a layer group; and the
// icons of the strip that name the device variant and the sheet's finishing.
#include "preview/basic_preview.h"

#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/helpers/drawing.h"

#include <algorithm>
#include <climits>
#include <cstring>

ByteView CmBasicPreview::DeviceOptions() const {
    uint8_t* block = devData_ && devData_->svc ? devData_->svc->GetDeviceOption(devData_) : nullptr;
    const uint8_t* data = block ? devopt::blockData(block) : nullptr;
    if (!data) return ByteView(nullptr, 0);
    return ByteView(data, devopt::blockSize(block) - static_cast<size_t>(data - block));
}

PictureLayer* CmBasicPreview::AddLayer(uint16_t flags, uint16_t pictureId, int16_t style, int32_t x, int32_t y) {
    if (layerCount_ >= kMaxLayers) return nullptr;
    PictureLayer& layer = layers_[layerCount_++];
    layer = {flags, pictureId, style, 0, x, y};
    return &layer;
}

void CmBasicPreview::DrawDevicePicture(HDC dc) {
    std::memset(layers_, 0, sizeof layers_);
    layerCount_ = 0;
    BuildLayerList();
    for (int i = 0; i < layerCount_; ++i) {
        const PictureLayer& l = layers_[i];
        if (!l.pictureId) continue;  // a layer that cannot load is left out, the others drawn
        const int x = l.x + 2, y = l.y + 2;
        if (l.style == 0) DrawBitmap(devData_, dc, x, y, l.pictureId);
        else if (l.style == kLayerKeyed) DrawTransparentBitmap(devData_, dc, x, y, l.pictureId, preview_colour::kMagenta);
        else DrawMaskedBitmapAt(devData_, dc, x, y, l.pictureId, static_cast<uint16_t>(l.style));
    }
    if (HasPushButton()) DrawPushButton(dc, GetPartState());
}

void CmBasicPreview::GetLayerOrigin(int* x, int* y) {
    CmDrawTools* tools = CreateDrawTools();
    int smallest = INT_MAX, largest = INT_MIN;
    for (int i = 0; tools && i < layerCount_; ++i) {
        const SIZE size = tools->GetBitmapSize(devData_, layers_[i].pictureId);
        smallest = std::min<int>(smallest, layers_[i].x);
        largest = std::max<int>(largest, layers_[i].x + size.cx);
    }
    delete tools;
    if (smallest > largest) smallest = largest = 0;  // no layer: nothing to centre
    *x = ((Word(kLayerAreaWidth) - largest) + smallest) / 2 - smallest;
    *y = Word(kModeStripHeight) + 4;
}

UINT CmBasicPreview::GetDevicePictureId() {
    const int variant = Option16(201);
    return variant >= 1 && variant <= 4 ? 4687u + static_cast<UINT>(variant) : 4687u;
}

UINT CmBasicPreview::GetSheetPictureId() {
    const int layout = Option16(124);
    if (layout == 2) {
        const bool cover = Option16(132) != 0;
        return PublicWord(offsetof(DEVMODEA, dmOrientation)) == 2 ? (cover ? 4724 : 4723) : (cover ? 4726 : 4725);
    }
    const uint32_t f = static_cast<uint32_t>(Option32(190));
    const bool punch = (f & 0x20) != 0;
    auto pick = [&](UINT bit80, UINT bit40Clear, UINT bit40Set, UINT plainClear, UINT plainSet) -> UINT {
        if ((f & 0x80) && bit80) return bit80;
        if (f & 0x40) return punch ? bit40Set : bit40Clear;
        return punch ? plainSet : plainClear;
    };
    if (f & 0x100) return pick(4701, 4702, 4704, 4699, 4703);
    if (f & 0x01) return pick(4709, 4710, 4712, 4707, 4711);
    if (f & 0x10) return pick(0, 4716, 4714, 4715, 4713);
    return pick(4701, 4717, 4719, 4699, 4718);
}
