// Where the spooler keeps printers and drivers in the registry, and the open printer handles
// that name them. A handle is either one of these or a pseudo-printer context.
#pragma once

#include "platform/spooler/reg_key.h"

#include <string>

namespace spooler {

inline constexpr const char* kPrintersKey = "System\\CurrentControlSet\\control\\Print\\Printers";
inline constexpr const char* kDriversKey =
    "System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers";
inline constexpr const char* kEnvironment = "Windows 4.0";
inline constexpr const char* kDriverDataKey = "PrinterDriverData";
// The folder the driver files are installed in, a Windows path.
inline constexpr const char* kDriverDirectory = "C:\\WINDOWS\\SYSTEM";

// Opens the printer's key; false (with ERROR_INVALID_PRINTER_NAME) when there is no such
// printer or the name could not be one (empty, or holding a backslash).
bool OpenPrinterKey(const std::string& name, RegKey& key);
// Opens the driver's key; false (with ERROR_UNKNOWN_PRINTER_DRIVER) when it is missing.
bool OpenDriverKey(const std::string& driver, RegKey& key);
// The printer's name as its key spells it, found without regard to case.
bool CanonicalPrinterName(const std::string& name, std::string& canonical);

enum class HandleKind { Invalid, Printer, Pseudo };

// What a handle is; for a printer handle, the printer's name.
HandleKind Classify(HANDLE handle, std::string* name);
HANDLE NewPrinterHandle(const std::string& name);
bool ClosePrinterHandle(HANDLE handle);

}  // namespace spooler
