// The public DEVMODE fields the driver honours, with the values a printer can take. The merge of
// a caller's fields and the conversion of a whole device mode judge them by the same table, so
// that what conversion writes passes what validation checks.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace devmode {

struct PublicField {
    uint32_t flag;
    size_t offset;
    size_t width;  // 2: signed 16-bit, 4: 32-bit
    int32_t low, high;
    bool userRange;  // values of 256 and up are the caller's own and pass too
};

// The fields, in dmFields order.
std::span<const PublicField> publicFields();

// Reads the field's value; false when the view does not hold it.
bool readPublicField(ByteView devmode, const PublicField& field, int32_t& value);
void writePublicField(MutableByteView devmode, const PublicField& field, int32_t value);
bool publicValueAcceptable(const PublicField& field, int32_t value);

// Copies a text field into a device mode: NUL-padded to the field, cut to leave the last byte 0.
void putPaddedText(MutableByteView devmode, size_t offset, size_t field, const char* text, size_t length);

// Makes the public part of a current-layout device mode one that validation would keep: a field
// whose value a printer cannot take gets base's value and base's dmFields bit, a dmFields bit of a
// field the driver does not honour is base's, and the device and form names end inside their
// fields. Base is a device mode of the current layout.
void soundPublicPart(MutableByteView devmode, ByteView base);

}  // namespace devmode
