// Filling one paper-source slot, bounded by the device-option data it lies in.
#include "device/config/source_slots.h"

#include "core/devmode/device_option_block.h"

#include <cstring>

SourceSlot::SourceSlot(MutableByteView data, size_t k)
    : data_(data), at_(devopt::kSourceSlots + k * devopt::kSourceSlotSize),
      valid_(k < devopt::kSourceSlotCount && data.contains(at_, devopt::kSourceSlotSize)) {}

void SourceSlot::SetName(const char* name) {
    if (!valid_) return;
    char field[18] = {};
    if (name) std::strncpy(field, name, sizeof field - 1);
    data_.put_bytes(at_ + devopt::kSlotName, field, sizeof field);
}

void SourceSlot::SetKindFromDevice(uint32_t kind) {
    if (kind == 1) Put16(kKind, 3);
    else if (kind == 2) Put16(kKind, 4);
}

void SourceSlot::SetLevelFromDevice(uint32_t level) {
    int16_t v = level <= 100 ? static_cast<int16_t>(level) : level == 254 ? -3 : -2;
    Put16(kLevel, static_cast<uint16_t>(v));
}

uint16_t SourceSlot::CustomMedia() const {
    uint16_t v = 0;
    if (valid_) data_.u16(at_ + devopt::kSlotCustomMedia, v);
    return v;
}
