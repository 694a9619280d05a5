// Reading and writing one value of the private device mode by option number (100 to 332) or
// option id (0x20000 and up, the section in bits 16 to 23). The device mode's own section
// directory says where each section lies, so any accepted version and form can be read.
#pragma once

#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_option_table.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace devmode {

// The table row of an option number or id (below 0x10000 is a number), or null when unknown.
const OptionRow* findOption(uint32_t numberOrId);
// Position of a row in kOptionRows.
inline size_t rowIndex(const OptionRow* row) { return static_cast<size_t>(row - kOptionRows); }

// Copies the option's value into buffer: min(size, width) bytes, never more than the option's
// width. Answers FALSE and leaves the buffer as it was for an unknown option, a null buffer, or
// a device mode that does not hold the option within devmodeSize bytes.
BOOL GetOption(const void* devmode, size_t devmodeSize, uint32_t numberOrId, void* buffer, size_t size);

// Stores a value: min(size, width) bytes, the rest of the option's width zero-filled. A null
// buffer resets the option to its default. Answers FALSE and changes nothing for an unknown
// option or a device mode that does not hold it.
BOOL SetOption(void* devmode, size_t devmodeSize, uint32_t numberOrId, const void* buffer, size_t size);

// The same for callers that hold only a pointer, as the service table's callers do: the device
// mode's own dmSize + dmDriverExtra bound every access.
BOOL GetOption(const void* devmode, uint32_t numberOrId, void* buffer, size_t size);
BOOL SetOption(void* devmode, uint32_t numberOrId, const void* buffer, size_t size);

// Writes the default of one option at its place in a section's bytes.
void writeDefault(MutableByteView section, const OptionRow& row);

}  // namespace devmode
