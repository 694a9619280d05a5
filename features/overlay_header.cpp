// The overlay header's check. The signature is compared as five bytes, whatever follows them, and
// a file too short to hold a header is refused before any field is read.
#include "features/overlay_header.h"

#include "core/helpers/byte_view.h"

#include <cstring>

namespace overlay {
namespace {

constexpr size_t kSignature = 8, kClass = 61, kColour = 62, kDpi = 71;
constexpr char kMaker[] = "Vomel";

char ClassCharacter(uint16_t deviceClass) {
    switch (deviceClass) {
    case 0x100: return '(';
    case 0x110: return '2';
    case 0x200: return '<';
    default: return 0;
    }
}

}  // namespace

int CheckHeaderBytes(const uint8_t* header, size_t size, const HeaderFacts& facts) {
    const ByteView view(header, size);
    char maker[sizeof kMaker - 1];
    uint8_t classCharacter = 0, colour = 0;
    uint16_t dpi = 0;
    if (size < kHeaderSize || !view.bytes(kSignature, maker, sizeof maker) ||
        std::memcmp(maker, kMaker, sizeof maker) != 0 || !view.u8(kClass, classCharacter) ||
        !view.u8(kColour, colour) || !view.u16(kDpi, dpi))
        return kHeaderNotOverlay;
    const char expected = ClassCharacter(facts.deviceClass);
    if (expected && classCharacter != static_cast<uint8_t>(expected)) return kHeaderOtherClass;
    int result = kHeaderGood;
    // Overlays made at 600 dpi print at 2400 on the first models of the high class.
    const bool highModel = facts.deviceClass == 0x200 && facts.model >= 2001 && facts.model <= 2004;
    if (dpi != facts.jobDpi && !(highModel && dpi == 600 && facts.jobDpi == 2400)) result |= kHeaderOtherDpi;
    if ((colour != 0) != facts.colourJob) result |= kHeaderOtherColour;
    return result;
}

}  // namespace overlay
