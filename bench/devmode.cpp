// Speed of the work done on every device mode a caller hands in: the trust checks and the
// conversion into the current form, and the merge of a caller's device mode.
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_convert.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_merge.h"
#include "core/devmode/devmode_options.h"

#include <benchmark/benchmark.h>

#include "target_ratio.h"

#include <vector>

namespace {

std::vector<uint8_t> defaults() {
    std::vector<uint8_t> dm(devmode::kDevmodeSize);
    devmode::buildDefaultDevmode(devmode::ModelFacts{}, dm.data(), dm.size());
    return dm;
}

void ValidateAndConvert(benchmark::State& state) {
    auto base = defaults(), source = defaults(), target = defaults();
    for (auto _ : state) {
        bool ok = devmode::checkDevmode(source.data(), source.size()).trust == devmode::Trust::Private &&
                  devmode::convertDevmode(base.data(), source.data(), source.size(), target.data(), target.size());
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(target.data());
    }
    ReportAgainstTarget(state, 0.35e-6);
}
BENCHMARK(ValidateAndConvert);

void MergeCallerDevmode(benchmark::State& state) {
    auto source = defaults(), target = defaults();
    for (auto _ : state) {
        benchmark::DoNotOptimize(devmode::mergeDevmode(source.data(), source.size(), target.data(), target.size()));
    }
}
BENCHMARK(MergeCallerDevmode);

void GetOptionByNumber(benchmark::State& state) {
    auto dm = defaults();
    uint32_t value = 0;
    for (auto _ : state) {
        devmode::GetOption(dm.data(), dm.size(), 190, &value, sizeof value);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(GetOptionByNumber);

}  // namespace
