// Printer driver data by printer name, over the core's registry helpers. The sizes are checked
// here: a value too large to be this driver's data is neither read nor written.
#include "core/datafile/printer_driver_data.h"

#include "core/system/registry_helpers.h"

namespace devmode {

bool readDriverValue(const std::string& printer, const char* name, std::vector<uint8_t>& out, size_t* storedSize) {
    out.clear();
    DWORD size = 0;
    const BOOL present = RegQueryPrinterValue(nullptr, printer.c_str(), name, nullptr, &size);
    if (storedSize) *storedSize = present ? size : 0;
    if (!present || size > kMaxDriverValue) return false;
    out.resize(size);
    if (!RegQueryPrinterValue(nullptr, printer.c_str(), name, out.data(), &size)) {
        out.clear();  // it grew since it was measured
        return false;
    }
    out.resize(size);
    return true;
}

bool writeDriverValue(const std::string& printer, const char* name, const void* data, size_t size) {
    // The printer must exist: a write never creates the key of a printer nobody installed.
    return size <= kMaxDriverValue && PrinterKeyExists(printer.c_str()) &&
           RegSetValueAll(HKEY_LOCAL_MACHINE, kPrintersKey, printer.c_str(), kDriverDataKey, name, REG_BINARY, data,
                          static_cast<DWORD>(size));
}

}  // namespace devmode
