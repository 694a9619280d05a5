// Printer and driver keys of the registry, and the table of open printer handles: a handle is
// known by its address in the table, so a stale or made-up handle is refused without being read.
#include "platform/spooler/printer_keys.h"

#include "platform/spooler/pseudo_printer.h"

#include <memory>
#include <mutex>
#include <strings.h>
#include <unordered_map>

namespace spooler {

namespace {

struct PrinterHandle {
    std::string name;
};

struct Handles {
    std::mutex lock;
    std::unordered_map<const void*, std::unique_ptr<PrinterHandle>> open;
};

Handles& OpenHandles() {
    static Handles* handles = new Handles;
    return *handles;
}

bool PlausibleName(const std::string& name) {
    return !name.empty() && name.size() < MAX_PATH && name.find('\\') == std::string::npos;
}

}  // namespace

bool CanonicalPrinterName(const std::string& name, std::string& canonical) {
    RegKey printers;
    if (PlausibleName(name) && printers.Open(HKEY_LOCAL_MACHINE, kPrintersKey) == ERROR_SUCCESS) {
        char sub[MAX_PATH];
        for (DWORD i = 0;; ++i) {
            LONG rc = RegEnumKeyA(printers.Get(), i, sub, sizeof sub);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS) break;
            if (strcasecmp(sub, name.c_str()) == 0) {
                canonical = sub;
                return true;
            }
        }
    }
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return false;
}

bool OpenPrinterKey(const std::string& name, RegKey& key) {
    if (PlausibleName(name) && key.Open(HKEY_LOCAL_MACHINE, std::string(kPrintersKey) + "\\" + name) == ERROR_SUCCESS)
        return true;
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return false;
}

bool OpenDriverKey(const std::string& driver, RegKey& key) {
    if (!driver.empty() && driver.find('\\') == std::string::npos &&
        key.Open(HKEY_LOCAL_MACHINE, std::string(kDriversKey) + "\\" + driver) == ERROR_SUCCESS)
        return true;
    SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
    return false;
}

HandleKind Classify(HANDLE handle, std::string* name) {
    {
        Handles& h = OpenHandles();
        std::lock_guard guard(h.lock);
        auto it = h.open.find(handle);
        if (it != h.open.end()) {
            if (name) *name = it->second->name;
            return HandleKind::Printer;
        }
    }
    return IsPseudoPrinter(handle) ? HandleKind::Pseudo : HandleKind::Invalid;
}

HANDLE NewPrinterHandle(const std::string& name) {
    auto printer = std::make_unique<PrinterHandle>(PrinterHandle{name});
    HANDLE handle = printer.get();
    Handles& h = OpenHandles();
    std::lock_guard guard(h.lock);
    h.open.emplace(handle, std::move(printer));
    return handle;
}

bool ClosePrinterHandle(HANDLE handle) {
    Handles& h = OpenHandles();
    std::lock_guard guard(h.lock);
    return h.open.erase(handle) != 0;
}

}  // namespace spooler
