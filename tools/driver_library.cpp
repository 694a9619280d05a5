// Loading the driver library, opening sessions, and the spooler's printers by name.
#include "tools/driver_library.h"

#include <cstdio>

namespace {

template <typename Proc>
bool Find(HMODULE module, const char* name, Proc& proc) {
    proc = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    if (!proc) std::fprintf(stderr, "drvhost: the library exports no %s (error %u)\n", name, GetLastError());
    return proc != nullptr;
}

}  // namespace

bool LoadDriverLibrary(const char* path, Library& library) {
    library.module = LoadLibraryA(path);
    if (!library.module) {
        std::fprintf(stderr, "drvhost: %s does not load (error %u)\n", path, GetLastError());
        return false;
    }
    return Find(library.module, "VomelDeviceModeInit", library.init) &&
           Find(library.module, "VomelDeviceMode", library.request) &&
           Find(library.module, "VomelDeviceModeTerm", library.term);
}

// One call, with room for any device mode (dmSize and dmDriverExtra are 16-bit), so that the
// library opens the printer once.
HANDLE OpenSession(const Library& library, LPCSTR name, std::vector<uint8_t>& devmode) {
    devmode.assign(2 * 0xFFFF, 0);
    DWORD size = static_cast<DWORD>(devmode.size());
    SetLastError(ERROR_SUCCESS);
    HANDLE session = library.init(name, reinterpret_cast<LPDEVMODEA>(devmode.data()), &size);
    devmode.resize(session ? size : 0);
    return session;
}

std::vector<std::string> InstalledPrinters() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<std::string> names;
    if (!needed) return names;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, buffer.data(), needed, &needed, &count)) return names;
    const auto* info = reinterpret_cast<const PRINTER_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (info[i].pName) names.emplace_back(info[i].pName);
    return names;
}

std::string DefaultPrinterName() {
    HKEY key = nullptr;
    char name[MAX_PATH] = {};
    DWORD size = sizeof name - 1, type = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    const bool ok = RegQueryValueExA(key, "Default", nullptr, &type, reinterpret_cast<LPBYTE>(name), &size) == ERROR_SUCCESS &&
                    type == REG_SZ;
    RegCloseKey(key);
    return ok ? std::string(name) : std::string();
}
