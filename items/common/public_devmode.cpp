// Checked access to the public DEVMODE fields.
#include "items/common/public_devmode.h"

#include "core/helpers/byte_view.h"

#include <cstring>

namespace publicdm {

namespace {

constexpr size_t kPublicSize = sizeof(DEVMODEA);

}  // namespace

uint16_t U16(const uint8_t* devmode, size_t offset) {
    uint16_t value = 0;
    if (devmode) ByteView(devmode, kPublicSize).u16(offset, value);
    return value;
}

uint32_t U32(const uint8_t* devmode, size_t offset) {
    uint32_t value = 0;
    if (devmode) ByteView(devmode, kPublicSize).u32(offset, value);
    return value;
}

void PutU16(uint8_t* devmode, size_t offset, uint16_t value) {
    if (devmode) MutableByteView(devmode, kPublicSize).put_u16(offset, value);
}

void PutU32(uint8_t* devmode, size_t offset, uint32_t value) {
    if (devmode) MutableByteView(devmode, kPublicSize).put_u32(offset, value);
}

void PutFormName(uint8_t* devmode, const char* name) {
    if (!devmode) return;
    char block[kFormNameSize] = {};
    if (name) std::strncpy(block, name, kFormNameSize - 1);
    MutableByteView(devmode, kPublicSize).put_bytes(kFormName, block, kFormNameSize);
}

}  // namespace publicdm
