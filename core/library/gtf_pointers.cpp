// Conversion and checks of the 16-bit side's arguments (see core/library/gtf_pointers.h).
#include "core/library/gtf_pointers.h"

#include "core/devmode/devmode_layout.h"

#include <wownt32.h>

#include <cstring>

namespace {

// The pointer `distance` bytes further on in the same segment; 0 past the segment's offsets.
DWORD Advance(DWORD vp, std::size_t distance) {
    const std::size_t offset = LOWORD(vp) + distance;
    return offset > 0xFFFF ? 0 : MAKELONG(static_cast<WORD>(offset), HIWORD(vp));
}

}  // namespace

uint8_t* Flat16(DWORD vp, DWORD bytes) {
    if (!vp) return nullptr;
    return static_cast<uint8_t*>(WOWGetVDMPointer(vp, bytes, TRUE));
}

bool Text16(DWORD vp, std::string& text, std::size_t maximum) {
    text.clear();
    if (!vp) return true;
    // The segment's limit is only known by asking: the text is read a byte at a time, each byte
    // converted before it is read.
    for (std::size_t i = 0; i <= maximum; ++i) {
        const DWORD at = Advance(vp, i);
        const uint8_t* byte = at ? Flat16(at, 1) : nullptr;
        if (!byte) return false;
        if (*byte == 0) return true;
        if (i == maximum) break;
        text.push_back(static_cast<char>(*byte));
    }
    text.clear();
    return false;
}

bool Devmode16(DWORD vp, uint8_t*& flat, DWORD& declared) {
    const uint8_t* head = Flat16(vp, devmode::kOffDriverExtra + 2);
    if (!head) return false;
    uint16_t size = 0, extra = 0;
    std::memcpy(&size, head + devmode::kOffSize, 2);
    std::memcpy(&extra, head + devmode::kOffDriverExtra, 2);
    declared = DWORD{size} + extra;
    flat = Flat16(vp, declared);
    return flat != nullptr && declared >= devmode::kOffDriverExtra + 2u;
}

bool Window16(DWORD h16, HWND& window) {
    window = nullptr;
    if (h16 == 0) return true;
    if (h16 > 0xFFFF) return false;
    window = static_cast<HWND>(WOWHandle32(static_cast<WORD>(h16), WOW_TYPE_HWND));
    return window != nullptr;
}

Fixed16::Fixed16(DWORD vp, DWORD bytes)
    : vp_(vp), flat_(vp ? static_cast<uint8_t*>(WOWGetVDMPointerFix(vp, bytes, TRUE)) : nullptr) {}

Fixed16::~Fixed16() {
    if (flat_) WOWGetVDMPointerUnfix(vp_);
}
