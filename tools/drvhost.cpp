// The host program: drives the library on the bundled printers the way the driver's callers do.
// It grows with the library's exports; today it attaches the library, makes sure the registry
// holds printers, shows each printer with its driver files, and detaches.
#include "core/dll_main.h"
#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The bytes of a spooler call that is first asked for the size it needs; empty on failure.
template <class Call>
std::vector<BYTE> Fetch(Call call) {
    DWORD needed = 0;
    call(nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (!needed || !call(buffer.data(), needed, &needed)) buffer.clear();
    return buffer;
}

std::vector<std::string> PrinterNames() {
    DWORD count = 0;
    std::vector<BYTE> infos = Fetch([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, buffer, size, needed, &count);
    });
    std::vector<std::string> names;
    if (infos.empty()) return names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_1A*>(infos.data());
    for (DWORD i = 0; i < count; ++i) names.emplace_back(printers[i].pName);
    return names;
}

// A hive without printers (a new drive root, say) gets the bundled ones, as a setup would
// install them; the bundled file itself is never written.
bool InstallBundledPrinters() {
    const std::string bundled = DRVOPUI_SOURCE_DIR "/data/printers.reg";
    registry::HiveError error;
    if (registry::ImportHiveFile(bundled, &error)) return true;
    std::fprintf(stderr, "drvhost: %s, line %zu: %s\n", bundled.c_str(), error.line, error.message.c_str());
    return false;
}

void ShowPrinter(const std::string& name) {
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<LPSTR>(name.c_str()), &printer, nullptr)) {
        std::printf("  %s: does not open (error %u)\n", name.c_str(), GetLastError());
        return;
    }
    std::vector<BYTE> info = Fetch([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterA(printer, 2, buffer, size, needed);
    });
    std::vector<BYTE> driver = Fetch([&](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterDriverA(printer, nullptr, 2, buffer, size, needed);
    });
    ClosePrinter(printer);
    std::printf("  %s\n", name.c_str());
    if (!info.empty()) {
        const auto* p = reinterpret_cast<const PRINTER_INFO_2A*>(info.data());
        std::printf("    driver    %s on %s\n", p->pDriverName, p->pPortName);
    }
    if (!driver.empty()) {
        const auto* d = reinterpret_cast<const DRIVER_INFO_2A*>(driver.data());
        bool present = GetFileAttributesA(d->pDataFile) != INVALID_FILE_ATTRIBUTES;
        std::printf("    library   %s\n    data file %s%s\n", d->pDriverPath, d->pDataFile,
                    present ? "" : " (missing)");
    } else {
        std::printf("    no driver installed (error %u)\n", GetLastError());
    }
}

}  // namespace

int main() {
    if (!DllMain(GetModuleHandleA(nullptr), DLL_PROCESS_ATTACH, nullptr)) {
        std::fprintf(stderr, "drvhost: the library did not attach\n");
        return 1;
    }
    std::string hive = registry::HivePath();
    std::printf("drvhost: library attached\n  drive root %s\n  registry   %s\n", kernel::RootFolder().c_str(),
                hive.empty() ? "(in memory)" : hive.c_str());
    std::vector<std::string> printers = PrinterNames();
    if (printers.empty()) {
        std::printf("drvhost: no printers in the registry; installing the bundled ones\n");
        if (InstallBundledPrinters()) printers = PrinterNames();
    }
    std::printf("drvhost: %zu printer(s)\n", printers.size());
    for (const std::string& name : printers) ShowPrinter(name);
    DllMain(GetModuleHandleA(nullptr), DLL_PROCESS_DETACH, nullptr);
    std::printf("drvhost: library detached\n");
    return printers.empty() ? 1 : 0;
}
