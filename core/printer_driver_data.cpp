// Printer driver data in the registry. The key path is built per call: printer names come from
// the caller and a name that would make the path too long is refused rather than cut.
#include "core/printer_driver_data.h"

#include <windows.h>

namespace devmode {
namespace {

constexpr char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers\\";
constexpr char kDriverDataKey[] = "\\PrinterDriverData";

bool keyPath(const std::string& printer, std::string& path) {
    if (printer.empty() || printer.find('\\') != std::string::npos) return false;
    path = kPrintersKey + printer + kDriverDataKey;
    return path.size() < MAX_PATH;
}

}  // namespace

bool readDriverValue(const std::string& printer, const char* name, std::vector<uint8_t>& out) {
    out.clear();
    std::string path;
    HKEY key = nullptr;
    if (!keyPath(printer, path) || RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    bool ok = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size <= kMaxDriverValue;
    if (ok) {
        out.resize(size);
        ok = RegQueryValueExA(key, name, nullptr, &type, out.data(), &size) == ERROR_SUCCESS;
        out.resize(ok ? size : 0);
    }
    RegCloseKey(key);
    return ok;
}

bool writeDriverValue(const std::string& printer, const char* name, const void* data, size_t size) {
    std::string path;
    if (size > kMaxDriverValue || !keyPath(printer, path)) return false;
    // The printer must exist: a write never creates the key of a printer nobody installed.
    HKEY printerKey = nullptr, key = nullptr;
    std::string printerPath = path.substr(0, path.size() - (sizeof kDriverDataKey - 1));
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, printerPath.c_str(), 0, KEY_WRITE, &printerKey) != ERROR_SUCCESS) return false;
    LONG created = RegCreateKeyExA(printerKey, kDriverDataKey + 1, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                   nullptr, &key, nullptr);
    RegCloseKey(printerKey);
    if (created != ERROR_SUCCESS) return false;
    bool ok = RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), static_cast<DWORD>(size)) ==
              ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

}  // namespace devmode
