// Shared driver of the fuzz targets that start from a driver data file: parses the fuzzer's
// bytes (as given when asked, and always with the header checksum made to agree, so that the
// fuzzer reaches the record walks) and hands each parsed file to the target's exercise.
#pragma once

#include "core/datafile/data_file_parser.h"
#include "core/memory/private_heap.h"
#include "tools/datafile/data_file_writer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzzdata {

template <typename Exercise>
void ParseOnce(const uint8_t* bytes, size_t size, Exercise exercise) {
    DataFileError error;
    if (DeviceData* data = ParseDataFile(bytes, size, error)) {
        exercise(*data);
        FreeDeviceData(data);
    }
}

template <typename Exercise>
void ParseAsFuzzed(const uint8_t* bytes, size_t size, bool alsoUnfixed, Exercise exercise) {
    if (alsoUnfixed) ParseOnce(bytes, size, exercise);
    std::vector<uint8_t> fixed(bytes, bytes + size);
    datafile::FixChecksum(fixed);
    ParseOnce(fixed.data(), fixed.size(), exercise);
}

}  // namespace fuzzdata
