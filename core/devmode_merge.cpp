// Merge of public fields. Each field has its flag, its place and the values a printer can honour;
// a value outside them leaves the target's own, as an application may set a flag and forget the
// field.
#include "core/devmode_merge.h"

#include "core/devmode_check.h"
#include "core/devmode_convert.h"
#include "core/devmode_option_table.h"

#include <windows.h>

#include <cstring>

namespace devmode {
namespace {

struct PublicField {
    uint32_t flag;
    size_t offset;
    size_t width;  // 2: signed 16-bit, 4: 32-bit
    int32_t low, high;
    bool userRange;  // values of 256 and up are the caller's own and pass too
};

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

bool readField(ByteView dm, const PublicField& field, int32_t& value) {
    if (field.width == 2) {
        int16_t v;
        if (!dm.s16(field.offset, v)) return false;
        value = v;
        return true;
    }
    return dm.s32(field.offset, value);
}

bool acceptable(const PublicField& field, int32_t value) {
    if (field.flag == DM_PRINTQUALITY && value == 0) return false;  // 0 is neither dpi nor a DMRES_ level
    return (value >= field.low && value <= field.high) || (field.userRange && value >= 256);
}

}  // namespace

bool mergeDevmode(const void* source, size_t size, void* target, size_t targetSize) {
    CheckedDevmode from = checkDevmode(source, size);
    CheckedDevmode into = checkDevmode(target, targetSize);
    if (from.trust == Trust::Refused || into.trust != Trust::Private || into.version != kPrivateVersion ||
        into.totalSize != kDevmodeSize)
        return false;

    uint8_t out[kDevmodeSize];
    if (from.trust == Trust::Private) {
        if (!convertDevmode(target, source, size, out, kDevmodeSize)) return false;
        std::memcpy(out, target, kPublicSize);  // public fields come in one by one, below
    } else {
        std::memcpy(out, target, kDevmodeSize);
    }

    // Only the bytes of the caller's own public part are read; an older, shorter DEVMODE lacks
    // the later fields, whatever its dmFields claims.
    ByteView in(source, from.publicSize);
    MutableByteView dm(out, kDevmodeSize);
    uint32_t claimed = 0, merged = 0;
    in.u32(kOffFields, claimed);
    for (const PublicField& field : kPublicFields) {
        int32_t value;
        if (!(claimed & field.flag) || !readField(in, field, value) || !acceptable(field, value)) continue;
        if (field.width == 2)
            dm.put_s16(field.offset, static_cast<int16_t>(value));
        else
            dm.put_s32(field.offset, value);
        merged |= field.flag;
    }
    char form[CCHFORMNAME];
    if ((claimed & DM_FORMNAME) && in.bytes(kOffFormName, form, CCHFORMNAME) && form[0]) {
        form[CCHFORMNAME - 1] = 0;  // a name that fills the field loses its last character
        dm.fill(kOffFormName, 0, CCHFORMNAME);
        dm.put_bytes(kOffFormName, form, strnlen(form, CCHFORMNAME));
        merged |= DM_FORMNAME;
    }
    uint32_t fields = 0;
    dm.u32(kOffFields, fields);
    dm.put_u32(kOffFields, fields | merged);
    std::memcpy(target, out, kDevmodeSize);
    return true;
}

}  // namespace devmode
