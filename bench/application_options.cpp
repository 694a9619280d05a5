// Speed of the application option interface as an application meets it: one get and one set
// request by option key through the exported VomelDeviceMode on the bundled printer, and a get
// after the caller handed in another device mode (the session's registry is started again).
#include "core/library/exports_devicemode.h"
#include "drvtest/export_session.h"
#include "items/pdl/sdk.h"

#include <benchmark/benchmark.h>

#include "target_ratio.h"

#include <vector>

namespace {

constexpr DWORD kOrientationKey = 0x100000 + 1039;

struct Session : drvtest::ExportSession {
    Session() : ExportSession(RegisterApplicationOptions) {}
};

void GetByOptionKey(benchmark::State& state) {
    Session s;
    DWORD value = 0;
    VomelDeviceMode(s.handle, s.Dm(), 2, kOrientationKey, &value);  // the registry starts here
    for (auto _ : state) {
        if (VomelDeviceMode(s.handle, s.Dm(), 2, kOrientationKey, &value) != 0) {
            state.SkipWithError("the get failed");
            break;
        }
    }
    ReportAgainstTarget(state, 0.5e-6);
}
BENCHMARK(GetByOptionKey)->Unit(benchmark::kMicrosecond);

void SetByOptionKey(benchmark::State& state) {
    Session s;
    DWORD value = 0;
    VomelDeviceMode(s.handle, s.Dm(), 2, kOrientationKey, &value);
    DWORD orientation = DMORIENT_PORTRAIT;
    for (auto _ : state) {
        orientation = orientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        if (VomelDeviceMode(s.handle, s.Dm(), 3, kOrientationKey, &orientation) != 0) {
            state.SkipWithError("the set was not taken");
            break;
        }
    }
    if (s.Dm()->dmOrientation != static_cast<short>(orientation)) state.SkipWithError("the caller did not get the set");
}
BENCHMARK(SetByOptionKey)->Unit(benchmark::kMicrosecond);

void GetAfterAnotherDevmode(benchmark::State& state) {
    Session s;
    std::vector<uint8_t> other = s.devmode;
    reinterpret_cast<LPDEVMODEA>(other.data())->dmOrientation = DMORIENT_LANDSCAPE;
    DWORD value = 0;
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        LPDEVMODEA dm = flip ? reinterpret_cast<LPDEVMODEA>(other.data()) : s.Dm();
        benchmark::DoNotOptimize(VomelDeviceMode(s.handle, dm, 2, kOrientationKey, &value));
    }
    ReportAgainstTarget(state, 0.5e-3);
}
BENCHMARK(GetAfterAnotherDevmode)->Unit(benchmark::kMicrosecond);

}  // namespace
