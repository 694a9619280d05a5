// Speed of the registry: reading and writing a hive of many printers, reading keys given in
// reverse order (the worst order for the reader), enumerating a wide key, setting values in
// memory, and a burst of writes into a hive file of a megabyte, each write in the files when its
// call returns, with the cost of writing the hive whole beside it.
#include <windows.h>

#include "platform/registry/hive.h"
#include "platform/registry/regedit4.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string PrintersHive(int printers) {
    std::string text = "REGEDIT4\n\n";
    std::string devmode = "hex:";
    for (int i = 0; i < 2000; ++i) devmode += i ? ",5a" : "5a";
    for (int p = 0; p < printers; ++p) {
        std::string key = "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Printer " +
                          std::to_string(p);
        text += key + "]\n\"Port\"=\"LPT1:\"\n\"Attributes\"=dword:00000040\n\"Default DevMode\"=" + devmode + "\n\n";
        text += key + "\\PrinterDriverData]\n\"DeviceOption\"=" + devmode + "\n\n";
    }
    // Through the writer once, so that the text is in the layout of a saved hive.
    registry::Tree tree;
    registry::HiveError error;
    registry::ReadRegedit4(text, tree, error);
    return registry::WriteRegedit4(tree);
}

void BM_ReadAndWriteHive(benchmark::State& state) {
    std::string text = PrintersHive(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        registry::Tree tree;
        registry::HiveError error;
        benchmark::DoNotOptimize(registry::ReadRegedit4(text, tree, error));
        benchmark::DoNotOptimize(registry::WriteRegedit4(tree));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadAndWriteHive)->Arg(2)->Arg(50);

void BM_ReadKeysInReverseOrder(benchmark::State& state) {
    std::string text = "REGEDIT4\n";
    for (int64_t i = state.range(0); i > 0; --i) text += "[HKEY_CURRENT_USER\\Wide\\k" + std::to_string(i) + "]\n";
    for (auto _ : state) {
        registry::Tree tree;
        registry::HiveError error;
        benchmark::DoNotOptimize(registry::ReadRegedit4(text, tree, error));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadKeysInReverseOrder)->Arg(1000)->Arg(100000);

void BM_EnumerateWideKey(benchmark::State& state) {
    std::string text = "REGEDIT4\n";
    for (int64_t i = 0; i < state.range(0); ++i) text += "[HKEY_CURRENT_USER\\Wide\\k" + std::to_string(i) + "]\n";
    registry::UseHiveText(text, nullptr);
    HKEY wide = nullptr;
    RegOpenKeyA(HKEY_CURRENT_USER, "Wide", &wide);
    char name[32];
    for (auto _ : state) {
        for (DWORD i = 0; RegEnumKeyA(wide, i, name, sizeof name) == ERROR_SUCCESS; ++i) benchmark::DoNotOptimize(name);
    }
    RegCloseKey(wide);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EnumerateWideKey)->Arg(10000);

void BM_SetValueInMemory(benchmark::State& state) {
    registry::UseHiveText("REGEDIT4\n", nullptr);
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Vomel\\PCL5e", &key);
    DWORD value = 0;
    for (auto _ : state) {
        ++value;
        RegSetValueExA(key, "PPCurPFlg", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    RegCloseKey(key);
}
BENCHMARK(BM_SetValueInMemory);

// A hive file of about a megabyte in a folder of its own, bound to the registry; removed after.
class MegabyteHive {
public:
    MegabyteHive() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/drvopui-bench-XXXXXX";
        if (mkdtemp(pattern.data())) folder_ = pattern;
        path_ = folder_ + "/registry.reg";
        text_ = PrintersHive(85);
        Reset();
    }
    ~MegabyteHive() {
        registry::UseHiveText("REGEDIT4\n", nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    // Back to the hive as made, without a journal.
    bool Reset() {
        std::filesystem::remove(path_ + ".log");
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << text_;
        return registry::UseHiveFile(path_, nullptr);
    }
    size_t Size() const { return text_.size(); }
    const std::string& Path() const { return path_; }

private:
    std::string folder_, path_, text_;
};

// What a property sheet does on Apply, a thousand times over: every value reaches the files
// before its call returns. The counter "write" is the cost of one.
void BM_ThousandWritesIntoMegabyteHive(benchmark::State& state) {
    MegabyteHive hive;
    HKEY key = nullptr;
    for (auto _ : state) {
        state.PauseTiming();
        if (!hive.Reset()) state.SkipWithError("the hive does not load");
        RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Vomel\\PCL5e", &key);
        state.ResumeTiming();
        for (DWORD i = 0; i < 1000; ++i) {
            std::string name = "Value " + std::to_string(i);
            if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), sizeof i))
                state.SkipWithError("a write failed");
        }
        state.PauseTiming();
        RegCloseKey(key);
        // The files, read afresh, hold the last value.
        registry::UseHiveFile(hive.Path(), nullptr);
        DWORD last = 0, size = sizeof last;
        HKEY reread = nullptr;
        RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Vomel\\PCL5e", &reread);
        if (RegQueryValueExA(reread, "Value 999", nullptr, nullptr, reinterpret_cast<BYTE*>(&last), &size) ||
            last != 999)
            state.SkipWithError("a value is missing from the files");
        RegCloseKey(reread);
        state.ResumeTiming();
    }
    state.counters["hive_bytes"] = static_cast<double>(hive.Size());
    state.counters["write"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1000,
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ThousandWritesIntoMegabyteHive)->Unit(benchmark::kMillisecond);

// Writing the megabyte hive whole, synced (RegFlushKey): what folding the journal costs.
void BM_FlushMegabyteHive(benchmark::State& state) {
    MegabyteHive hive;
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Vomel\\PCL5e", &key);
    DWORD value = 0;
    for (auto _ : state) {
        ++value;
        RegSetValueExA(key, "PPCurPFlg", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        if (RegFlushKey(key) != ERROR_SUCCESS) state.SkipWithError("the flush failed");
    }
    RegCloseKey(key);
}
BENCHMARK(BM_FlushMegabyteHive)->Unit(benchmark::kMillisecond);

}  // namespace
