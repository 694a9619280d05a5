// The four colour fields of a device mode, written as one default.
#include "core/devmode/devmode_colour.h"

#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_options.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace devmode {
namespace {

constexpr uint32_t kColourMode = 222, kQualityFlags = 220, kColourBlock = 250;
constexpr uint32_t kAutoColourBit = 1u << 14;
constexpr size_t kColourBlockSize = 130, kMonochromeByte = 101;

}  // namespace

void putDefaultColour(MutableByteView dm, bool colour) {
    if (!dm.contains(0, kDevmodeSize)) return;
    uint16_t mode = colour ? 1 : 0;
    uint32_t flags = 0;
    uint8_t block[kColourBlockSize] = {};
    if (!GetOption(dm.data(), dm.size(), kQualityFlags, &flags, sizeof flags) ||
        !GetOption(dm.data(), dm.size(), kColourBlock, block, sizeof block))
        return;
    flags &= ~kAutoColourBit;
    block[kMonochromeByte] = colour ? 0 : 1;
    dm.put_s16(offsetof(DEVMODEA, dmColor), colour ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    SetOption(dm.data(), dm.size(), kColourMode, &mode, sizeof mode);
    SetOption(dm.data(), dm.size(), kQualityFlags, &flags, sizeof flags);
    SetOption(dm.data(), dm.size(), kColourBlock, block, sizeof block);
}

}  // namespace devmode
