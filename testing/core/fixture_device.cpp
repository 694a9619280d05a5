// The fixture device: the files a printer's driver needs under a fresh drive root, then the
// printer and its device object. Data files are generated once per test program.
#include "drvtest/fixture_device.h"

#include "core/device/core_context.h"
#include "core/library/dll_main.h"
#include "core/memory/private_heap.h"
#include "drvtest/kernel.h"
#include "platform/kernel/path_map.h"
#include "tools/datafile/description.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace drvtest {

namespace {

// The data file built from data/<stem>.datafile, generated on first use.
const std::vector<uint8_t>& GeneratedDataFile(const std::string& stem) {
    static std::map<std::string, std::vector<uint8_t>> files;
    auto [it, added] = files.try_emplace(stem);
    if (added) {
        const std::string folder = SourceRoot() + "/data";
        datafile::FileSpec spec;
        std::string error;
        if (datafile::ParseDescription(ReadTextFile(folder + "/" + stem + ".datafile"), stem, folder, spec, error))
            it->second = datafile::WriteDataFile(spec);
        else
            ADD_FAILURE() << "the data file " << stem << " does not build: " << error;
    }
    return it->second;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteTextFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::vector<FixtureFile>& ExtraFiles() {
    static std::vector<FixtureFile> files;
    return files;
}

std::string FreshRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "drvopui-fixture-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

}  // namespace

void SetFixtureFiles(std::vector<FixtureFile> files) { ExtraFiles() = std::move(files); }

FixtureDevice::FixtureDevice(int kind, std::string_view printer, std::string_view extraHive) {
    if (!g_hHeap) {
        attached_ = DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_ATTACH, nullptr);
        EXPECT_TRUE(attached_) << "the library does not attach";
    }
    previousRoot_ = kernel::RootFolder();
    root_ = FreshRoot();
    EXPECT_FALSE(root_.empty()) << "no temporary drive root";
    const std::string system = root_ + "/WINDOWS/SYSTEM";
    std::filesystem::create_directories(system);
    SetRootFolder(root_);
    for (const char* stem : {"kelvar5e", "kelvar5c"}) {
        std::string upper = stem;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(WriteBytes(system + "/" + upper + ".DAT", GeneratedDataFile(stem)));
    }
    std::error_code error;
    std::filesystem::copy_file(DRVOPUI_FIXTURE_BINARY_DIR "/data/resources/drvopui.res", system + "/" + kResourceModuleName,
                               error);
    EXPECT_FALSE(error) << "the resource module is not built: " << error.message();
    for (const FixtureFile& file : ExtraFiles()) {
        const std::filesystem::path target = std::filesystem::path(root_) / file.path;
        std::filesystem::create_directories(target.parent_path(), error);
        if (file.source.empty()) EXPECT_TRUE(WriteBytes(target.string(), {})) << file.path;
        else std::filesystem::copy_file(file.source, target, std::filesystem::copy_options::overwrite_existing, error);
        EXPECT_FALSE(error) << file.path << ": " << error.message();
    }
    printer_ = std::make_unique<FixturePrinter>(printer, extraHive);
    device_ = Make(kind);
}

FixtureDevice::~FixtureDevice() {
    for (auto it = more_.rbegin(); it != more_.rend(); ++it) DestroyUiDevData(*it);
    printer_.reset();
    SetRootFolder(previousRoot_);
    if (!root_.empty()) std::filesystem::remove_all(root_);
    if (attached_) DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_DETACH, nullptr);
}

UIDEVDATA* FixtureDevice::Make(int kind, int subtype) {
    UiDevDataRequest request;
    request.kind = kind;
    request.subtype = subtype;
    request.printerName = printer_->Name().c_str();
    UIDEVDATA* device = CreateUiDevData(request);
    EXPECT_NE(device, nullptr) << "no device object on \"" << printer_->Name() << "\": error " << GetLastError();
    if (device) more_.push_back(device);
    return device;
}

}  // namespace drvtest
