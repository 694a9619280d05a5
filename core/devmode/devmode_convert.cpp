// Conversion between private versions and forms. Values move option by option through the
// table, so a section that grew between versions is read only as far as the source holds it.
#include "core/devmode/devmode_convert.h"

#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_option_table.h"
#include "core/devmode/devmode_public_fields.h"

#include <algorithm>
#include <cstring>

namespace devmode {

bool convertDevmode(const void* base, const void* source, size_t size, void* target, size_t targetSize) {
    if (!base || !target || targetSize < kDevmodeSize) return false;
    CheckedDevmode from = checkDevmode(source, size);
    CheckedDevmode over = checkDevmode(base, kDevmodeSize);
    if (from.trust != Trust::Private || over.trust != Trust::Private || over.version != kPrivateVersion ||
        over.totalSize != kDevmodeSize)
        return false;

    uint8_t out[kDevmodeSize];
    std::memcpy(out, base, kDevmodeSize);
    ByteView in(source, from.totalSize);
    MutableByteView dm(out, kDevmodeSize);
    // The public part and the fixed header fields keep their bytes as they are.
    in.bytes(0, out, kHeaderEnd);

    for (size_t i = 0; i < kOptionCount; ++i) {
        const OptionPlace& place = kOptionPlaces[i];
        const SectionSpan& span = from.section(place.section);
        uint16_t width = kOptionRows[i].width;
        if (uint32_t{place.offset} + width > span.size) continue;  // an older section without it
        size_t at = kSectionOffsets[place.section - kFirstSection] + place.offset;
        in.bytes(span.offset + place.offset, out + at, width);
    }
    const SectionSpan& model = from.section(kModelSectionId);
    in.bytes(model.offset, out + kModelSectionOffset, std::min<size_t>(model.size, kModelSectionSize));

    stampCurrentLayout(dm);
    // The converted form is trusted as if validated: a public value no printer takes gives way
    // to base's, and texts are read as terminated by code that never checks them again.
    soundPublicPart(dm, ByteView(base, kDevmodeSize));
    dm.put_u8(kOffDriverName + kDriverNameSize - 1, 0);
    std::memcpy(target, out, kDevmodeSize);
    return true;
}

}  // namespace devmode
