// The built-in default device mode: the public fields and every option at its default, in the
// current layout. The model's facts (name, paper, colour, resolution) come from the caller so
// that the data file and the model extension can refine them.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace devmode {

struct ModelFacts {
    std::string deviceName;        // the printer name; cut to 31 characters in the device mode
    std::string driverName;        // cut to 31 characters
    uint16_t pdlId = 0x100;        // 0x100 PCL5e, 0x110 PCL5c, 0x200 PCL6
    uint16_t modelNumber = 0;
    int16_t paperSize = 9;         // DMPAPER_A4
    std::string formName = "A4";
    bool colour = false;
    int16_t resolution = 600;      // dpi
};

// Writes the defaults into buffer, which must hold kDevmodeSize bytes; FALSE when it does not.
bool buildDefaultDevmode(const ModelFacts& facts, void* buffer, size_t size);

// Writes the sizes, signature, version, section directory and model offset of the current
// layout into a device mode of at least kDevmodeSize bytes, leaving every value as it is.
void stampCurrentLayout(MutableByteView devmode);

}  // namespace devmode
