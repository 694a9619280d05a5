// `MediaRecord`: one media of a model's media table or of the device's brand-media lists. The
// records are copied into stored blocks and exchanged with the configuration, so the layout is
// fixed: seven 16-bit words, then a 128-byte name.
#pragma once

#include <cstddef>
#include <cstdint>

struct MediaRecord {
    uint16_t groupKey;    // 0
    uint16_t mediaId;     // 2; kNoMedia in an unused slot
    uint16_t sourceClass; // 4: the sources that can feed it
    uint16_t mediaType;   // 6
    uint16_t sizeClass;   // 8: the paper sizes it comes in
    uint16_t flags;       // 10: kMediaHidden
    uint16_t order;       // 12
    char name[128];       // 14, NUL-terminated within the field
};
static_assert(sizeof(MediaRecord) == 142 && offsetof(MediaRecord, name) == 14);
static_assert(offsetof(MediaRecord, sizeClass) == 8 && offsetof(MediaRecord, mediaType) == 6);

inline constexpr uint16_t kNoMedia = 0xFFFF;  // -1: unused slot, and the end of a media list
inline constexpr uint16_t kMediaHidden = 0x1;
