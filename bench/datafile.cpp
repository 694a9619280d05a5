// Speed of the driver data file: parsing a full file from its bytes, the first load from disk
// (read and parse), and a cached load, which is what every later printer request pays.
#include "core/datafile/data_file_cache.h"
#include "core/datafile/data_file_parser.h"
#include "core/datafile/device_data_layout.h"
#include "core/library/dll_main.h"
#include "platform/kernel/path_map.h"
#include "tools/datafile/data_file_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Every field set and every list filled with 24 entries, paper lists with their sub-lists,
// and the rule items: larger than any real device's file.
std::vector<uint8_t> FullFile() {
    datafile::FileSpec spec;
    spec.modelCode = 2071;
    spec.modelName = "PCL5c";
    for (const devicedata::FieldInfo& f : devicedata::Fields())
        spec.fields.push_back({f.offset, std::vector<uint8_t>(f.kind == devicedata::FieldKind::Text ? f.width - 1 : f.width, 'a')});
    for (const devicedata::ListInfo& l : devicedata::Lists()) {
        datafile::ListSpec list{l.handleOffset, l.entrySize, {}};
        for (int i = 0; i < (l.countOffset ? 24 : 1); ++i) {
            datafile::EntrySpec entry;
            entry.bytes.assign(l.entrySize, static_cast<uint8_t>(i));
            if (l.subHandleOffset) {
                entry.hasSub = true;
                entry.sub.assign(size_t{l.subEntrySize} * 12, 1);
            }
            list.entries.push_back(entry);
        }
        spec.lists.push_back(list);
    }
    std::string rules;
    for (int i = 0; i < 2000; ++i) rules += "Layout$Item" + std::to_string(i) + "(ON) :- Spec$Duplex(ON).\n";
    spec.items.push_back({2061, std::vector<uint8_t>(rules.begin(), rules.end()), true});
    spec.items.push_back({2063, {110, 0, 0, 0}, false});
    return datafile::WriteDataFile(spec);
}

struct Library {
    Library() {
        DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_ATTACH, nullptr);
        root = (std::filesystem::temp_directory_path() / ("drvopui-bench-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(root);
        kernel::SetRootFolder(root);
        bytes = FullFile();
        std::ofstream(root + "/FULL.DAT", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ~Library() {
        DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_DETACH, nullptr);
        std::filesystem::remove_all(root);
    }
    std::string root;
    std::vector<uint8_t> bytes;
};

Library& Lib() {
    static Library library;
    return library;
}

void ParseFullFile(benchmark::State& state) {
    const std::vector<uint8_t>& bytes = Lib().bytes;
    for (auto _ : state) {
        DataFileError error;
        DeviceData* data = ParseDataFile(bytes.data(), bytes.size(), error);
        benchmark::DoNotOptimize(data);
        FreeDeviceData(data);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(ParseFullFile);

void FirstLoadFromDisk(benchmark::State& state) {
    Lib();
    for (auto _ : state) {
        DataFileError error;
        DeviceData* data = AcquireDeviceData("C:\\FULL.DAT", error);
        benchmark::DoNotOptimize(data);
        ReleaseDeviceData(data);  // the last use: the next round reads the file again
    }
}
BENCHMARK(FirstLoadFromDisk);

void CachedLoad(benchmark::State& state) {
    Lib();
    DataFileError error;
    DeviceData* held = AcquireDeviceData("C:\\FULL.DAT", error);
    for (auto _ : state) {
        DeviceData* data = AcquireDeviceData("C:\\FULL.DAT", error);
        benchmark::DoNotOptimize(data);
        ReleaseDeviceData(data);
    }
    ReleaseDeviceData(held);
}
BENCHMARK(CachedLoad);

}  // namespace
