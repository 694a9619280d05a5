// Binary values of a printer's "PrinterDriverData" key ("Default DevMode", "DeviceOption"),
// read and written through the registry by printer name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace devmode {

// Values larger than this are not device data of this driver and are not read.
inline constexpr size_t kMaxDriverValue = 0x10000;

// Reads the value into out; false, out empty, when the printer or the value is missing or the
// value is larger than kMaxDriverValue. `storedSize`, when given, receives the value's size (0
// when it is missing), so that a caller can tell a missing value from one too large.
bool readDriverValue(const std::string& printer, const char* name, std::vector<uint8_t>& out,
                     size_t* storedSize = nullptr);

// Stores size bytes as a REG_BINARY value, creating the key when needed; false on failure.
bool writeDriverValue(const std::string& printer, const char* name, const void* data, size_t size);

}  // namespace devmode
