// An installed tree is told by its data beside the program: <prefix>/bin/<program> finds
// <prefix>/share/drvopui/printers.reg. Relative to the program, so a moved tree still works.
#include "tools/tool_paths.h"

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// <prefix>, when the running program is part of an installed tree; empty otherwise.
fs::path InstalledPrefix() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    const fs::path prefix = self.parent_path().parent_path();
    if (fs::exists(prefix / DRVOPUI_INSTALL_DATADIR / "printers.reg", error)) return prefix;
    return {};
}

}  // namespace

std::string SourceDataFolder() {
    const fs::path prefix = InstalledPrefix();
    return prefix.empty() ? std::string(DRVOPUI_SOURCE_DIR "/data") : (prefix / DRVOPUI_INSTALL_DATADIR).string();
}

std::string BuiltDataFolder() {
    const fs::path prefix = InstalledPrefix();
    return prefix.empty() ? std::string(DRVOPUI_BINARY_DIR "/data") : (prefix / DRVOPUI_INSTALL_DATADIR).string();
}

std::string LibraryFile() {
#ifdef DRVOPUI_LIBRARY_FILE
    const fs::path prefix = InstalledPrefix();
    return prefix.empty() ? std::string(DRVOPUI_LIBRARY_FILE)
                          : (prefix / DRVOPUI_INSTALL_LIBDIR / DRVOPUI_LIBRARY_NAME).string();
#else
    return {};
#endif
}
