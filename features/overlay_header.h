// The header of a form overlay file (its first 387 bytes) and its check against the printer and
// the job: the maker's signature, the resolution class, the resolution and the colour. The bytes
// come from a file the user chose and are read through the checked view.
#pragma once

#include <cstddef>
#include <cstdint>

namespace overlay {

inline constexpr size_t kHeaderSize = 387;

// What the header is checked against.
struct HeaderFacts {
    uint16_t deviceClass = 0;  // 0x100, 0x110 or 0x200
    uint16_t model = 0;
    int32_t jobDpi = 0;        // option 224
    bool colourJob = false;    // the job prints in colour
};

// Result codes: the low byte says whether the file is an overlay of this printer (0 yes, 1 another
// resolution class, 3 not an overlay, 4 cannot be opened); the bits above say what differs.
inline constexpr int kHeaderGood = 0, kHeaderOtherClass = 1, kHeaderNotOverlay = 3, kHeaderUnreadable = 4;
inline constexpr int kHeaderOtherDpi = 0x100, kHeaderOtherColour = 0x200;

// A file shorter than the header is not an overlay.
int CheckHeaderBytes(const uint8_t* header, size_t size, const HeaderFacts& facts);

}  // namespace overlay
