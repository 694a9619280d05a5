// Speed of the registry: reading and writing a hive of many printers, reading keys given in
// reverse order (the worst order for the reader), enumerating a wide key, and setting values.
#include <windows.h>

#include "platform/registry/hive.h"
#include "platform/registry/regedit4.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

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

}  // namespace
