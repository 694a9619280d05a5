// The default model's printer picture (K07), which serves every model number the picture table
// does not list: its layers by the finisher type and the units of the device-option data, the
// top of the model's height by the model number, the selected source's frame, the unit of
// option 200, its clickable sources and option part, and the body offset that makes room for the
// finisher on the left and for the model's top.
#pragma once

#include "core/helpers/byte_view.h"
#include "preview/picture_layer.h"

#include <windows.h>

#include <cstdint>

struct K07Picture {
    static constexpr int kMaxLayers = 16;
    static constexpr int kMaxParts = 10;
    struct Part {
        uint16_t flags;
        RECT rect;
        uint16_t value;
        int32_t extra;
    };
    PictureLayer layers[kMaxLayers] = {};
    int layerCount = 0;
    Part parts[kMaxParts] = {};
    int partCount = 0;
};

// The body offset (dx, dy) of the device-option data and the model number.
POINT K07BodyOffset(const ByteView& options, uint16_t model);
// The printer's layers, moved by the body offset and `top` down. With `sheets`, the frame of the
// selected source (-1 for none) and the unit of option 200 as well.
void BuildK07Layers(const ByteView& options, uint16_t model, bool sheets, int selected, uint32_t option200, int top,
                    K07Picture& out);
// The clickable sources (source 4 not for device variant 3) and, when the rules enable it, the
// option part, moved like the layers.
void BuildK07Parts(const ByteView& options, uint16_t model, int variant, bool optionPart, int top, K07Picture& out);
