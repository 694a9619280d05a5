// The parser of driver data files: checks every byte of a file image against the stored format
// and builds a `DeviceData`, or refuses the file with a message that says what is wrong and
// where. Nothing is read outside the image and nothing is built from a file it refuses.
#pragma once

#include "core/datafile/device_data.h"

#include <cstddef>

struct DataFileError {
    char text[400] = {};
    // The printer's driver names no data file: a device without data, which is no fault.
    bool noneNamed = false;
};

// The parsed file (one use held by the caller, who frees it with FreeDeviceData), or null with
// the reason in `error`.
DeviceData* ParseDataFile(const void* image, size_t size, DataFileError& error) noexcept;
