// Trust checks of a device mode that came from a caller, the registry or a file: the declared
// sizes, the signature, the private version, and that every section and the model section lie
// inside the buffer. Nothing is read through an offset of the device mode before it passed here.
#pragma once

#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_layout.h"

#include <array>
#include <cstdint>

namespace devmode {

enum class Trust {
    Refused,     // unreadable, or a private part of ours that is forged, damaged or of another version
    PublicOnly,  // a public DEVMODE without a private part of this driver
    Private,     // a public part and a private part of this driver, every section inside the buffer
};

struct SectionSpan {
    uint16_t offset = 0;  // from the start of the device mode
    uint16_t size = 0;    // 0: the device mode does not hold the section
    bool operator==(const SectionSpan&) const = default;
};

struct CheckedDevmode {
    Trust trust = Trust::Refused;
    uint16_t publicSize = 0;  // dmSize, at most the bytes the buffer holds
    uint32_t totalSize = 0;   // dmSize + dmDriverExtra
    uint16_t version = 0;     // private version, for Trust::Private
    // A trusted private part whose model section is shorter than the fields placed in it: what it
    // lacks takes the defaults on conversion, but the device mode is not what it claims to be.
    bool modelSectionShort = false;
    std::array<SectionSpan, kSectionCount> sections{};
    const SectionSpan& section(unsigned id) const { return sections[id - kFirstSection]; }
};

// Runs every check on size bytes of a device mode. A buffer larger than the device mode declares
// is fine; a device mode declaring more than the buffer holds is refused.
CheckedDevmode checkDevmode(const void* devmode, size_t size);

// dmSize + dmDriverExtra as the device mode declares them, for callers that hold only a pointer;
// 0 for a null pointer.
uint32_t declaredSize(const void* devmode);

// The stored span of one section of a device mode that holds a private part of this driver, or
// false when the device mode does not hold that section within size bytes. Cheap enough for
// every option access.
bool locateSection(ByteView devmode, unsigned section, SectionSpan& span);

}  // namespace devmode
