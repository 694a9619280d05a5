// Speed of the printer picture as a page repaints it after a setting changed: the bundled
// printer's picture with every option installed (finisher, decks, the unit on top), on the device
// page and on the paper-source page with the selected source framed and the sources as parts.
// Each paint rebuilds the layer list and loads every layer's bitmap from the resource module.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/devmode/device_option_block.h"
#include "drvtest/fixture_device.h"
#include "drvtest/test_window.h"
#include "items/pdl/pdl_user_data.h"
#include "platform/resources/res_file.h"
#include "preview/basic_preview.h"
#include "preview/page_previews.h"

#include "target_ratio.h"

#include <benchmark/benchmark.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

void Paint(benchmark::State& state, int kind, double targetSeconds) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    UIDEVDATA* ctx = fixture.Device();
    InitCommonControls();
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    if (!ctx || !module || !PDLSvUserData::StartSheet(ctx)) {
        state.SkipWithError("the sheet did not start");
        return;
    }
    // Everything the picture can show is installed.
    if (uint8_t* data = devopt::blockData(ctx->svc->GetDeviceOption(ctx))) {
        data[devopt::kFinisherCode] = 0x22;
        data[devopt::kAccessoryWord] = 0xB3;
        data[devopt::kOptionWord] = 0x43;
        data[6] = 0x1F;
        data[7] = 0x0E;
    }
    HWND parent = drvtest::MakeWindow("DevicePictureBench", HostProc, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400);
    HWND control = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 181, 240, parent, nullptr,
                                 nullptr, nullptr);
    uint8_t* settings = ctx->svc->GetUserData(ctx)->GetSettingsSource();
    auto* preview = static_cast<CmBasicPreview*>(CreatePreview(control, ctx, settings, kind));
    if (!preview) {
        state.SkipWithError("no picture");
    } else {
        preview->SetMode(kind == kDevicePicture ? 3 : 2);
        for (auto _ : state) {
            InvalidateRect(control, nullptr, FALSE);
            UpdateWindow(control);
        }
        if (preview->LayerCount() == 0) state.SkipWithError("the picture drew no layer");
        delete preview;
    }
    DestroyWindow(parent);
    PDLSvUserData::EndSheet(ctx);
    res::CloseResourceFile(module);
    ReportAgainstTarget(state, targetSeconds);
}

void DevicePagePicture(benchmark::State& state) { Paint(state, kDevicePicture, 250e-6); }
BENCHMARK(DevicePagePicture)->Unit(benchmark::kMicrosecond);

void PaperSourcePrinterPicture(benchmark::State& state) { Paint(state, kPaperSourcePicture, 250e-6); }
BENCHMARK(PaperSourcePrinterPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
