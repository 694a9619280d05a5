// Speed of naming settings in the rule engine: interning 10,000 setting keys (with their long
// shared group prefixes) into a fresh engine, and finding the item functor of each key again,
// as registering the items of a sheet and parsing its rules do.
#include "pie/api/engine.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kKeys = 10000;

std::vector<std::string> setting_keys() {
    const char* groups[] = {"Layout", "Devmode", "Finishing", "PaperSource", "Quality", "DocProp"};
    std::vector<std::string> keys;
    for (int i = 0; i < kKeys; ++i) {
        std::string key = std::string(groups[i % 6]) + "$Setting" + std::to_string(i / 6);
        if (i % 3 == 0) key += "@CHOICE" + std::to_string(i % 17);
        keys.push_back(key);
    }
    return keys;
}

void InternKeysIntoFreshEngine(benchmark::State& state) {
    const auto keys = setting_keys();
    for (auto _ : state) {
        PieEngine* engine = pl_engine_create(nullptr, 0x2);
        for (const std::string& key : keys) benchmark::DoNotOptimize(pie_intern_string(engine, key.c_str()));
        state.PauseTiming();
        pl_engine_destroy(engine);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(InternKeysIntoFreshEngine)->Unit(benchmark::kMicrosecond);

void RegisterItemFunctors(benchmark::State& state) {
    const auto keys = setting_keys();
    for (auto _ : state) {
        PieEngine* engine = pl_engine_create(nullptr, 0x2);
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(pl_lookup_functor(engine, pie_intern_string(engine, key.c_str()), 1, nullptr));
        state.PauseTiming();
        pl_engine_destroy(engine);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(RegisterItemFunctors)->Unit(benchmark::kMicrosecond);

void LookUpKnownKeys(benchmark::State& state) {
    const auto keys = setting_keys();
    PieEngine* engine = pl_engine_create(nullptr, 0x2);
    for (const std::string& key : keys) pl_lookup_functor(engine, pie_intern_string(engine, key.c_str()), 1, nullptr);
    for (auto _ : state) {
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(pl_lookup_functor(engine, pie_intern_string(engine, key.c_str()), 1, nullptr));
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
    pl_engine_destroy(engine);
}
BENCHMARK(LookUpKnownKeys)->Unit(benchmark::kMicrosecond);

}  // namespace
