// The core's registry helpers over the Win32 registry calls. Each opens its key, does one thing
// and closes the key again, so no handle outlives the call whatever the answer.
#include "core/system/registry_helpers.h"

#include "core/system/registry_path.h"

#include <cstring>

namespace {

// A key opened for one helper call and closed when it ends.
class OpenedKey {
public:
    OpenedKey(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, bool create)
        : ok_(OpenJoinedKey(root, path, part, subkey, create, &key_) == ERROR_SUCCESS) {}
    ~OpenedKey() {
        if (ok_) RegCloseKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    explicit operator bool() const { return ok_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
    bool ok_;
};

bool IsPrinterName(LPCSTR printer) { return printer && *printer && !std::strchr(printer, '\\'); }

}  // namespace

BOOL RegQueryValueRead(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR name, void* buffer,
                       DWORD* size) {
    OpenedKey key(root, path, part, subkey, false);
    return key && RegQueryValueExA(key.get(), name, nullptr, nullptr, static_cast<BYTE*>(buffer), size) ==
                      ERROR_SUCCESS;
}

BOOL RegSetValueAll(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR name, DWORD type, const void* data,
                    DWORD size) {
    OpenedKey key(root, path, part, subkey, true);
    return key && RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

BOOL RegDeleteValueAll(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR name) {
    OpenedKey key(root, path, part, subkey, false);
    return key && RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

BOOL RegDeleteKeyAll(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR keyName) {
    OpenedKey key(root, path, part, subkey, false);
    return key && RegDeleteKeyA(key.get(), keyName) == ERROR_SUCCESS;
}

DWORD RegQueryDword(HKEY root, LPCSTR path, LPCSTR name, DWORD fallback) {
    OpenedKey key(root, path, nullptr, nullptr, false);
    DWORD type = 0, value = 0, size = sizeof value;
    if (!key || RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS)
        return fallback;
    return type == REG_DWORD && size == sizeof value ? value : fallback;
}

BOOL RegQueryValueSimple(HKEY root, LPCSTR path, LPCSTR name, void* buffer, DWORD size) {
    return buffer && RegQueryValueRead(root, path, nullptr, nullptr, name, buffer, &size);
}

BOOL RegSetDword(HKEY root, LPCSTR path, LPCSTR name, DWORD value) {
    return RegSetValueAll(root, path, nullptr, nullptr, name, REG_DWORD, &value, sizeof value);
}

BOOL RegSetBinary(HKEY root, LPCSTR path, LPCSTR name, const void* data, DWORD size) {
    return RegSetValueAll(root, path, nullptr, nullptr, name, REG_BINARY, data, size);
}

BOOL RegDeleteKeySimple(HKEY root, LPCSTR path) {
    return path && *path && RegDeleteKeyA(root, path) == ERROR_SUCCESS;
}

BOOL RegQueryPrinterValue(void* /*unused*/, LPCSTR printer, LPCSTR name, void* buffer, DWORD* size) {
    return IsPrinterName(printer) &&
           RegQueryValueRead(HKEY_LOCAL_MACHINE, kPrintersKey, printer, kDriverDataKey, name, buffer, size);
}

bool PrinterKeyExists(LPCSTR printer) {
    return IsPrinterName(printer) && OpenedKey(HKEY_LOCAL_MACHINE, kPrintersKey, printer, nullptr, false);
}
