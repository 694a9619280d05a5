// One paper-source slot of the device-option data as the writers fill it: the source's name,
// the paper it holds, its kind and level, and its media.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstdint>

class SourceSlot {
public:
    SourceSlot(MutableByteView data, size_t k);
    bool Valid() const { return valid_; }
    void SetName(const char* name);
    void SetPaper(int16_t paper) { Put16(kPaper, static_cast<uint16_t>(paper)); }
    // Device kind 1 is a large-capacity source (3), 2 an envelope source (4); others keep 2.
    void SetKindFromDevice(uint32_t kind);
    // 0 to 100 kept, 254 unknown (-3), anything else -2.
    void SetLevelFromDevice(uint32_t level);
    void SetKind(int16_t kind) { Put16(kKind, static_cast<uint16_t>(kind)); }
    void SetLevel(int16_t level) { Put16(kLevel, static_cast<uint16_t>(level)); }
    void SetMedia(int16_t media) { Put16(kMedia, static_cast<uint16_t>(media)); }
    uint16_t CustomMedia() const;

    static constexpr size_t kPaper = 36, kKind = 38, kMedia = 40, kLevel = 60;

private:
    void Put16(size_t at, uint16_t v) {
        if (valid_) data_.put_u16(at_ + at, v);
    }
    MutableByteView data_;
    size_t at_;
    bool valid_;
};
