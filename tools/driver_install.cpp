// Installing the bundled printers and the driver's files, over the platform alone.
#include "tools/driver_install.h"

#include "core/device/core_context.h"
#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"
#include "tools/install_file.h"
#include "tools/tool_paths.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>

bool InstallBundledPrinters(const char* program) {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count);
    if (needed) return true;
    const std::string bundled = SourceDataFolder() + "/printers.reg";
    registry::HiveError error;
    std::printf("%s: no printers in the registry; installing the bundled ones\n", program);
    if (registry::ImportHiveFile(bundled, &error)) return true;
    std::fprintf(stderr, "%s: %s, line %zu: %s\n", program, bundled.c_str(), error.line, error.message.c_str());
    return false;
}

bool InstallDriverFiles(const char* program, const std::vector<std::pair<std::string, std::string>>& more) {
    const std::filesystem::path system = std::filesystem::path(kernel::RootFolder()) / "WINDOWS" / "SYSTEM";
    const std::filesystem::path built = BuiltDataFolder();
    std::error_code error;
    std::filesystem::create_directories(system, error);
    std::vector<std::pair<std::string, std::string>> files = {
        {(built / "KELVAR5E.DAT").string(), "KELVAR5E.DAT"},
        {(built / "KELVAR5C.DAT").string(), "KELVAR5C.DAT"},
        {(built / "resources" / "drvopui.res").string(), kResourceModuleName}};
    files.insert(files.end(), more.begin(), more.end());
    bool ok = true;
    for (const auto& [from, to] : files) {
        // Another process may be running the installed library: it is replaced, never rewritten.
        const std::string reason = InstallFile(from, (system / to).string());
        if (!reason.empty()) {
            std::fprintf(stderr, "%s: %s cannot be installed: %s\n", program, from.c_str(), reason.c_str());
            ok = false;
        }
    }
    return ok;
}
