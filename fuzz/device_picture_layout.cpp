// Feeds any bytes to the device pictures as the data part of a device-option block (what the
// device reported): every model's layout stays within its lists and places its layers inside a
// bounded area, however the finisher code and the option bits read.
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
    }
    return 0;
}
