// The public field table and the repair of a converted public part. A value outside a field's
// range is what an application leaves when it sets a flag and forgets the field, or what a
// damaged file holds; either way the printer's own value stands in for it.
#include "core/devmode/devmode_public_fields.h"

#include "core/devmode/devmode_layout.h"

#include <windows.h>

#include <iterator>
#include <utility>


namespace devmode {
namespace {

constexpr int32_t kAny = 0x7FFFFFFF;

constexpr PublicField kPublicFields[] = {
    {DM_ORIENTATION, offsetof(DEVMODEA, dmOrientation), 2, 1, 2, false},
    {DM_PAPERSIZE, offsetof(DEVMODEA, dmPaperSize), 2, 1, kAny, false},
    {DM_PAPERLENGTH, offsetof(DEVMODEA, dmPaperLength), 2, 1, kAny, false},
    {DM_PAPERWIDTH, offsetof(DEVMODEA, dmPaperWidth), 2, 1, kAny, false},
    {DM_SCALE, offsetof(DEVMODEA, dmScale), 2, 1, kAny, false},
    {DM_COPIES, offsetof(DEVMODEA, dmCopies), 2, 1, kAny, false},
    {DM_DEFAULTSOURCE, offsetof(DEVMODEA, dmDefaultSource), 2, 0, kAny, false},
    {DM_PRINTQUALITY, offsetof(DEVMODEA, dmPrintQuality), 2, -4, kAny, false},
    {DM_COLOR, offsetof(DEVMODEA, dmColor), 2, 1, 2, false},
    {DM_DUPLEX, offsetof(DEVMODEA, dmDuplex), 2, 1, 3, false},
    {DM_YRESOLUTION, offsetof(DEVMODEA, dmYResolution), 2, 1, kAny, false},
    {DM_TTOPTION, offsetof(DEVMODEA, dmTTOption), 2, 1, 4, false},
    {DM_COLLATE, offsetof(DEVMODEA, dmCollate), 2, 0, 1, false},
    {DM_ICMMETHOD, offsetof(DEVMODEA, dmICMMethod), 4, 1, 4, true},
    {DM_ICMINTENT, offsetof(DEVMODEA, dmICMIntent), 4, 1, 4, true},
    {DM_MEDIATYPE, offsetof(DEVMODEA, dmMediaType), 4, 0, kAny, false},
    {DM_DITHERTYPE, offsetof(DEVMODEA, dmDitherType), 4, 0, kAny, false},
};

constexpr uint32_t kHonoured = [] {
    uint32_t flags = DM_FORMNAME;
    for (const PublicField& field : kPublicFields) flags |= field.flag;
    return flags;
}();

// Inline so that a field known at compile time reads, judges and writes with its place, width and
// range folded in.
inline bool readField(ByteView dm, const PublicField& field, int32_t& value) {
    if (field.width == 2) {
        int16_t v;
        if (!dm.s16(field.offset, v)) return false;
        value = v;
        return true;
    }
    return dm.s32(field.offset, value);
}

inline void writeField(MutableByteView dm, const PublicField& field, int32_t value) {
    if (field.width == 2)
        dm.put_s16(field.offset, static_cast<int16_t>(value));
    else
        dm.put_s32(field.offset, value);
}

inline bool acceptable(const PublicField& field, int32_t value) {
    if (field.flag == DM_PRINTQUALITY && value == 0) return false;  // 0 is neither dpi nor a DMRES_ level
    return (value >= field.low && value <= field.high) || (field.userRange && value >= 256);
}

template <size_t I>
void soundField(MutableByteView dm, ByteView base, uint32_t baseFields, uint32_t& fields) {
    constexpr PublicField field = kPublicFields[I];
    int32_t value = 0, fallback = 0;
    if (!readField(dm, field, value) || acceptable(field, value)) return;
    if (!readField(base, field, fallback)) return;
    writeField(dm, field, fallback);
    fields = (fields & ~field.flag) | (baseFields & field.flag);
}

template <size_t... I>
void soundFields(MutableByteView dm, ByteView base, uint32_t baseFields, uint32_t& fields, std::index_sequence<I...>) {
    (soundField<I>(dm, base, baseFields, fields), ...);
}

}  // namespace

std::span<const PublicField> publicFields() { return kPublicFields; }

bool readPublicField(ByteView dm, const PublicField& field, int32_t& value) { return readField(dm, field, value); }

void writePublicField(MutableByteView dm, const PublicField& field, int32_t value) { writeField(dm, field, value); }

bool publicValueAcceptable(const PublicField& field, int32_t value) { return acceptable(field, value); }

void putPaddedText(MutableByteView dm, size_t offset, size_t field, const char* text, size_t length) {
    if (!field || !dm.fill(offset, 0, field)) return;
    dm.put_bytes(offset, text, length < field ? length : field - 1);
}

void soundPublicPart(MutableByteView dm, ByteView base) {
    uint32_t fields = 0, baseFields = 0;
    dm.u32(kOffFields, fields);
    base.u32(kOffFields, baseFields);
    // A bit of a field the driver does not honour (display fields, say) claims nothing it uses.
    fields = (fields & kHonoured) | (baseFields & ~kHonoured);
    soundFields(dm, base, baseFields, fields, std::make_index_sequence<std::size(kPublicFields)>());
    dm.put_u32(kOffFields, fields);
    dm.put_u8(kOffDeviceName + CCHDEVICENAME - 1, 0);
    dm.put_u8(kOffFormName + CCHFORMNAME - 1, 0);
}

}  // namespace devmode
