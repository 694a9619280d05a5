// Merge of public fields. Each field has its flag, its place and the values a printer can honour;
// a value outside them leaves the target's own, as an application may set a flag and forget the
// field.
#include "core/devmode/devmode_merge.h"

#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_convert.h"
#include "core/devmode/devmode_option_table.h"
#include "core/devmode/devmode_public_fields.h"
#include "core/datafile/paper_sizes.h"

#include <windows.h>

#include <cstring>

namespace devmode {

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
    for (const PublicField& field : publicFields()) {
        int32_t value;
        if (!(claimed & field.flag) || !readPublicField(in, field, value) || !publicValueAcceptable(field, value))
            continue;
        writePublicField(dm, field, value);
        merged |= field.flag;
    }
    char form[CCHFORMNAME];
    if ((claimed & DM_FORMNAME) && in.bytes(kOffFormName, form, CCHFORMNAME) && form[0]) {
        // A name that fills the field loses its last character.
        putPaddedText(dm, kOffFormName, CCHFORMNAME, form, strnlen(form, CCHFORMNAME));
        merged |= DM_FORMNAME;
        // A form the driver knows by name decides the paper, whatever number came beside it.
        if (const StandardPaper* paper = FindStandardPaperByName(form)) {
            dm.put_s16(offsetof(DEVMODEA, dmPaperSize), static_cast<int16_t>(paper->code));
            merged |= DM_PAPERSIZE;
        }
    }
    uint32_t fields = 0;
    dm.u32(kOffFields, fields);
    dm.put_u32(kOffFields, fields | merged);
    std::memcpy(target, out, kDevmodeSize);
    return true;
}

}  // namespace devmode
