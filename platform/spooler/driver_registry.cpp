// DocumentPropertiesA and DeviceCapabilitiesA, routed to the entry points registered for the
// printer's driver: by its "Configuration File" first, else to those registered for every
// driver. Without a registered driver both fail, as when the original cannot load the module.
#include "platform/spooler/driver_registry.h"

#include "platform/spooler/fault_injection.h"
#include "platform/spooler/printer_keys.h"

#include <map>
#include <mutex>
#include <string>
#include <strings.h>

using namespace spooler;

namespace {

struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

struct Registrations {
    std::mutex lock;
    std::map<std::string, DriverEntryPoints, CaseLess> byFile;
    DriverEntryPoints any;
};

Registrations& Drivers() {
    static Registrations* drivers = new Registrations;
    return *drivers;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The entry points for a printer (null name: a pseudo-printer context, served by the driver
// registered for every driver). Sets the last error when there are none.
DriverEntryPoints EntryPointsFor(const std::string* printer) {
    std::string file;
    if (printer) {
        RegKey printerKey, driverKey;
        if (!OpenPrinterKey(*printer, printerKey)) return {};
        if (!OpenDriverKey(printerKey.String("Printer Driver"), driverKey)) return {};
        file = BaseName(driverKey.String("Configuration File"));
    }
    Registrations& r = Drivers();
    std::lock_guard guard(r.lock);
    auto it = r.byFile.find(file);
    DriverEntryPoints found = it != r.byFile.end() ? it->second : r.any;
    if (!found.documentProperties && !found.deviceCapabilities) SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
    return found;
}

}  // namespace

namespace spooler {

void RegisterDriver(const char* configFile, DriverEntryPoints entryPoints) {
    Registrations& r = Drivers();
    std::lock_guard guard(r.lock);
    if (configFile) r.byFile[BaseName(configFile)] = entryPoints;
    else r.any = entryPoints;
}

void UnregisterDriver(const char* configFile) {
    Registrations& r = Drivers();
    std::lock_guard guard(r.lock);
    if (configFile) r.byFile.erase(BaseName(configFile));
    else r.any = {};
}

}  // namespace spooler

extern "C" LONG WINAPI DocumentPropertiesA(HWND hWnd, HANDLE hPrinter, LPSTR pDeviceName,
                                           PDEVMODEA pDevModeOutput, PDEVMODEA pDevModeInput, DWORD fMode) {
    if (FailsNow("DocumentPropertiesA")) return -1;
    std::string printer;
    HANDLE opened = nullptr;
    HandleKind kind = hPrinter ? Classify(hPrinter, &printer) : HandleKind::Invalid;
    if (!hPrinter) {
        // The original opens the printer by name when no handle is given.
        if (!pDeviceName || !OpenPrinterA(pDeviceName, &opened, nullptr)) {
            SetLastError(ERROR_INVALID_PRINTER_NAME);
            return -1;
        }
        kind = Classify(opened, &printer);
    }
    if (kind == HandleKind::Invalid) {
        SetLastError(ERROR_INVALID_HANDLE);
        return -1;
    }
    DriverEntryPoints driver = EntryPointsFor(kind == HandleKind::Printer ? &printer : nullptr);
    LONG result = -1;
    if (driver.documentProperties) {
        try {
            result = driver.documentProperties(hWnd, opened ? opened : hPrinter, pDeviceName, pDevModeOutput,
                                               pDevModeInput, fMode);
        } catch (...) {
            SetLastError(ERROR_INVALID_FUNCTION);
            result = -1;
        }
    } else if (driver.deviceCapabilities) {
        SetLastError(ERROR_NOT_SUPPORTED);
    }
    if (opened) ClosePrinter(opened);
    return result;
}

extern "C" int WINAPI DeviceCapabilitiesA(LPCSTR pDevice, LPCSTR pPort, WORD fwCapability, LPSTR pOutput,
                                          const DEVMODEA* pDevMode) {
    if (FailsNow("DeviceCapabilitiesA")) return -1;
    std::string printer;
    if (!pDevice || !CanonicalPrinterName(pDevice, printer)) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return -1;
    }
    DriverEntryPoints driver = EntryPointsFor(&printer);
    if (!driver.deviceCapabilities) {
        if (driver.documentProperties) SetLastError(ERROR_NOT_SUPPORTED);
        return -1;
    }
    try {
        return driver.deviceCapabilities(pDevice, pPort, fwCapability, pOutput, pDevMode);
    } catch (...) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return -1;
    }
}
