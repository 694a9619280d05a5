// Speed of the page-composition interface as the page-composition tool meets it: the settings
// record (about a hundred host codes), one single value and one set request with the model rules
// after it, through the exported VomelDeviceMode on the bundled printer.
#include "core/library/exports_devicemode.h"
#include "drvtest/export_session.h"
#include "items/pdl/folx.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Session : drvtest::ExportSession {
    Session() : ExportSession(RegisterPageComposition) {}
};

void SettingsRecord(benchmark::State& state) {
    Session s;
    std::vector<uint8_t> record(412);
    for (auto _ : state) {
        if (VomelDeviceMode(s.handle, s.Dm(), 2, 1024, record.data()) != 0) {
            state.SkipWithError("the record was not given");
            break;
        }
    }
}
BENCHMARK(SettingsRecord)->Unit(benchmark::kMicrosecond);

void SingleValue(benchmark::State& state) {
    Session s;
    DWORD value = 0;
    for (auto _ : state) {
        if (VomelDeviceMode(s.handle, s.Dm(), 2, 0x1B, &value) != 0) {
            state.SkipWithError("the value was not given");
            break;
        }
    }
}
BENCHMARK(SingleValue)->Unit(benchmark::kMicrosecond);

void SetCopies(benchmark::State& state) {
    Session s;
    uint16_t copies = 1;
    for (auto _ : state) {
        copies = copies == 1 ? 2 : 1;
        if (VomelDeviceMode(s.handle, s.Dm(), 3, 0x801, &copies) != 0) {
            state.SkipWithError("the set was not taken");
            break;
        }
    }
    if (s.Dm()->dmCopies != static_cast<short>(copies)) state.SkipWithError("the caller did not get the set");
}
BENCHMARK(SetCopies)->Unit(benchmark::kMicrosecond);

}  // namespace
