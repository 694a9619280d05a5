// The page-setup picture as its page repaints it: one full repaint (parts laid out, the picture
// drawn off screen with its strips and caption, one blit into the control) for the settings a
// page opens with and for the heaviest ones (sixteen pages with borders on a folded-over sheet,
// in colour, stapled and punched); and a hover that stays on one part, which repaints nothing
// (the counter "invalidated" counts the hovers that left something to paint).
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_user.h"
#include "drvtest/test_window.h"
#include "items/pdl/pdl_user_data.h"
#include "preview/basic_preview.h"
#include "preview/page_previews.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

LRESULT CALLBACK PageProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

// A page with the picture's control, on a sheet whose rules run.
struct PageWithPicture {
    drvtest::FixtureDevice fixture{kKindUserInterface, drvtest::kBundledPcl5cPrinter};
    UIDEVDATA* ctx = fixture.Device();
    bool started = ctx && PDLSvUserData::StartSheet(ctx) != nullptr;
    HWND page = drvtest::MakeWindow("BenchPreviewPage", PageProc, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400);
    HWND control = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 183, 244, page, nullptr,
                                 nullptr, nullptr);
    uint8_t* settings = ctx ? ctx->svc->GetUserData(ctx)->GetSettingsSource() : nullptr;
    CmBasicPreview* preview = nullptr;

    PageWithPicture() {
        SetActiveWindow(page);
        preview = static_cast<CmBasicPreview*>(CreatePreview(control, ctx, settings, kPageSetupPicture));
    }
    ~PageWithPicture() {
        delete preview;
        DestroyWindow(page);
        if (started) PDLSvUserData::EndSheet(ctx);
    }
    void Set16(DWORD option, int16_t value) { ctx->svc->SetOption(ctx, settings, option, &value, sizeof value); }
    void Set32(DWORD option, int32_t value) { ctx->svc->SetOption(ctx, settings, option, &value, sizeof value); }
};

void Repaint(benchmark::State& state, bool worst) {
    PageWithPicture p;
    if (!p.preview) {
        state.SkipWithError("no picture");
        return;
    }
    if (worst) {
        p.Set16(124, 3);          // pages per sheet
        p.Set16(126, 5);          // sixteen
        p.Set16(140, 10);         // a border round every page
        p.Set32(110, 1);          // folded over
        p.Set16(222, 1);          // colour
        p.Set32(190, 0x10 | 0x20);  // stapled and punched
        p.Set16(191, 9);
        p.Set16(193, 0);
    }
    for (auto _ : state) p.preview->Update();
}

void TypicalRepaint(benchmark::State& state) { Repaint(state, false); }
void WorstRepaint(benchmark::State& state) { Repaint(state, true); }

void HoverWithinOnePart(benchmark::State& state) {
    PageWithPicture p;
    if (!p.preview) {
        state.SkipWithError("no picture");
        return;
    }
    p.preview->Update();
    int part = -1;
    for (int i = 0; i < p.preview->PartCount() && part < 0; ++i)
        if (p.preview->Part(i).flags & kPartClick) part = i;
    if (part < 0) {
        state.SkipWithError("no part to hover");
        return;
    }
    const RECT r = p.preview->Part(part).hitRect;
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    drvtest::MoveMouse(p.control, x, y);
    int64_t invalidated = 0, step = 0;
    for (auto _ : state) {
        drvtest::MoveMouse(p.control, x + (step++ & 1), y);
        if (GetUpdateRect(p.control, nullptr, FALSE)) ++invalidated;
    }
    state.counters["invalidated"] = static_cast<double>(invalidated);
}

BENCHMARK(TypicalRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(WorstRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(HoverWithinOnePart)->Unit(benchmark::kMicrosecond);

}  // namespace
