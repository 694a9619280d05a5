// One layer of the device picture: a bitmap of the resource module at a place, drawn opaque,
// over its magenta key or through a mask. The device picture is a list of them, drawn in order.
#pragma once

#include <cstdint>

struct PictureLayer {
    uint16_t flags;      // bit 0: a layer of the printer body, moved by the body offset
    uint16_t pictureId;  // 0 draws nothing
    int16_t style;       // 0 opaque, -1 magenta key, else the id of a mask bitmap
    uint16_t reserved;
    int32_t x;           // picture pixels, before the 2-pixel frame
    int32_t y;
};
static_assert(sizeof(PictureLayer) == 16);

inline constexpr uint16_t kLayerOfBody = 0x0001;
inline constexpr int16_t kLayerKeyed = -1;
