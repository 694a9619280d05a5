// Shared start of the fuzz targets that enter through the library's exports: a fresh drive root
// with the PCL5e printer's data file built from its description, the bundled printers' hive,
// and the library attached, as the host program finds them. Any step that fails ends the run; the
// drive root goes when the run ends, so that runs do not pile roots up in the temporary folder.
#pragma once

#include "core/library/dll_main.h"
#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"
#include "tools/datafile/data_file_writer.h"
#include "tools/datafile/description.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fuzzprinter {

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

[[noreturn]] inline void Fail(const char* target, const char* what) {
    std::fprintf(stderr, "%s: %s\n", target, what);
    std::abort();
}

inline std::string& TemporaryRoot() {
    static std::string root;
    return root;
}

inline void RemoveTemporaryRoot() {
    std::error_code error;
    if (!TemporaryRoot().empty()) std::filesystem::remove_all(TemporaryRoot(), error);
}

inline void InstallBundledPrinter(const char* target) {
    std::string root = (std::filesystem::temp_directory_path() / "drvopui-fuzz-XXXXXX").string();
    if (!mkdtemp(root.data())) Fail(target, "no temporary drive root");
    TemporaryRoot() = root;
    std::atexit(RemoveTemporaryRoot);
    std::filesystem::create_directories(root + "/WINDOWS/SYSTEM");
    kernel::SetRootFolder(root);
    const std::string data = std::string(DRVOPUI_SOURCE_DIR) + "/data";
    datafile::FileSpec spec;
    std::string error;
    if (!datafile::ParseDescription(ReadText(data + "/kelvar5e.datafile"), "kelvar5e", data, spec, error))
        Fail(target, error.c_str());
    const std::vector<uint8_t> file = datafile::WriteDataFile(spec);
    std::ofstream(root + "/WINDOWS/SYSTEM/KELVAR5E.DAT", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    registry::HiveError hiveError;
    if (!registry::UseHiveText(ReadText(data + "/printers.reg"), &hiveError))
        Fail(target, "the bundled printers do not load");
    if (!DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_ATTACH, nullptr))
        Fail(target, "the library does not attach");
}

}  // namespace fuzzprinter
