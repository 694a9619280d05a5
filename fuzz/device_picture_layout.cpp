// Feeds any bytes to the device pictures as the data part of a device-option block (what the
// device reported): every model's layout stays within its lists and places its layers inside a
// bounded area, however the finisher code and the option bits read; the default model's rules
// (with the model number, option 200 and the selected source taken from the bytes too) and the
// wide models' unit tables as well.
#include "preview/device_unit_tables.h"
#include "preview/k07_picture.h"
#include "preview/model_picture_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int count = 0;
    const ModelPictureRow* rows = ModelPictureRows(&count);
    const ByteView options(data, size);
    for (int r = 0; r < count; ++r) {
        ModelPictureLayout layout;
        LayOutModelPicture(rows[r], options, 19, layout);
        if (layout.layerCount > ModelPictureLayout::kMaxLayers || layout.spotCount > ModelPictureLayout::kMaxSpots)
            std::abort();
        for (int i = 0; i < layout.layerCount; ++i)
            if (!layout.layers[i].pictureId || layout.layers[i].x < 0 || layout.layers[i].x > 400) std::abort();
        if (const DeviceUnitTable* units = DeviceUnitsOf(rows[r].code))
            if (DeviceUnitsWidth(*units, options) < 0 || DeviceUnitsWidth(*units, options) > 600) std::abort();
    }
    uint16_t model = 0, selected = 0;
    uint32_t option200 = 0;
    options.u16(40, model);
    options.u16(42, selected);
    options.u32(44, option200);
    K07Picture picture;
    BuildK07Layers(options, model, true, static_cast<int16_t>(selected), option200, 19, picture);
    if (picture.layerCount > K07Picture::kMaxLayers) std::abort();
    for (int i = 0; i < picture.layerCount; ++i)
        // Finishers stand left of the body and may reach past the picture's edge, never far.
        if (picture.layers[i].x < -80 || picture.layers[i].x > 260 || picture.layers[i].y < -60 ||
            picture.layers[i].y > 260)
            std::abort();
    BuildK07Parts(options, model, static_cast<int16_t>(selected), true, 19, picture);
    if (picture.partCount > K07Picture::kMaxParts) std::abort();
    return 0;
}
