// Speed of the application option interface as an application meets it: one get and one set
// request by option key through the exported VomelDeviceMode on the bundled printer, and a get
// after the caller handed in another device mode: one handed in before (the session takes back
// the registry it set aside), one it has not seen and one the rules change as they start.
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

// The same get, but each device mode handed in is one the session has not seen lately (the copy
// count goes round 97 values), so the registry set aside never fits; `turn` turns the orientation
// at every request as well.
void GetAfterNewDevmodes(benchmark::State& state, bool turn) {
    Session s;
    std::vector<uint8_t> other = s.devmode;
    auto* dm = reinterpret_cast<LPDEVMODEA>(other.data());
    DWORD value = 0;
    short copies = 1;
    for (auto _ : state) {
        copies = static_cast<short>(copies % 97 + 1);
        dm->dmCopies = copies;
        if (turn) dm->dmOrientation = dm->dmOrientation == DMORIENT_PORTRAIT ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        benchmark::DoNotOptimize(VomelDeviceMode(s.handle, dm, 2, kOrientationKey, &value));
    }
    ReportAgainstTarget(state, 0.5e-3);
}

// No rule sees the copies: they are taken into the registry in place.
void GetAfterNewDevmode(benchmark::State& state) { GetAfterNewDevmodes(state, false); }
BENCHMARK(GetAfterNewDevmode)->Unit(benchmark::kMicrosecond);

// The rules read the orientation: every device mode handed in starts the registry again, from the
// engine of the registry it ends (its items are made anew, the rule program is not loaded again).
void GetAfterNewDevmodeTheRulesRead(benchmark::State& state) { GetAfterNewDevmodes(state, true); }
BENCHMARK(GetAfterNewDevmodeTheRulesRead)->Unit(benchmark::kMicrosecond);

// The same get, each time over one device mode that the rules change as the registry starts
// (two pages a sheet, turned to landscape by hand: the page order follows the turn), which the
// caller hands in again unchanged.
void GetAfterCorrectedDevmode(benchmark::State& state) {
    Session s;
    DWORD twoPages = 1;
    if (VomelDeviceMode(s.handle, s.Dm(), 3, 0x10064, &twoPages) != 0) state.SkipWithError("two pages a sheet refused");
    s.Dm()->dmOrientation = DMORIENT_LANDSCAPE;
    DWORD value = 0;
    for (auto _ : state) benchmark::DoNotOptimize(VomelDeviceMode(s.handle, s.Dm(), 2, kOrientationKey, &value));
    ReportAgainstTarget(state, 0.5e-3);
}
BENCHMARK(GetAfterCorrectedDevmode)->Unit(benchmark::kMicrosecond);

}  // namespace
