// Speed of the bundled printer's sheet where a person waits: the start of its registry (every
// item set, the rule program, the first conflict pass) and single changes on its real pages,
// driven by the scripted person as a user drives them: a page size picked in its list (it reaches
// the finishing, booklet and tray items), an orientation click and a click on the staple box.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "data/resources/finishing_ids.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/pdl/item_sets.h"
#include "items/pdl/pdl_user_data.h"
#include "platform/resources/res_file.h"
#include "ui/finishing_pages.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include "target_ratio.h"

#include <benchmark/benchmark.h>
#include <commctrl.h>

#include <functional>

namespace {

class PageSetupProc : public CmSvProc {
public:
    PageSetupProc() : CmSvProc(kPageSetupSetId, 0) {}
};

void SheetStart(benchmark::State& state) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    UIDEVDATA* ctx = fixture.Device();
    for (auto _ : state) {
        if (!PDLSvUserData::StartSheet(ctx)) {
            state.SkipWithError("the sheet did not start");
            break;
        }
        state.PauseTiming();
        PDLSvUserData::EndSheet(ctx);
        state.ResumeTiming();
    }
    ReportAgainstTarget(state, 1e-3);
}
BENCHMARK(SheetStart)->Unit(benchmark::kMillisecond);

// Runs `use` on page `page` (0 page setup, 1 finishing) of the bundled printer's sheet, with the
// registry of every item set behind it, and cancels the sheet afterwards.
void OnRealSheet(benchmark::State& state, int page, double targetSeconds, const std::function<bool(HWND)>& use) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    UIDEVDATA* ctx = fixture.Device();
    InitCommonControls();
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    if (!module || !PDLSvUserData::StartSheet(ctx)) {
        state.SkipWithError("the sheet did not start");
        return;
    }
    SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        if (!sheet.SelectPage(page)) {
            state.SkipWithError("no such page");
            return;
        }
        HWND p = sheet.Page();
        for (auto _ : state)
            if (!use(p)) {
                state.SkipWithError("the person could not do it");
                break;
            }
        sheet.PressCancel();
    });
    const auto lParam = reinterpret_cast<LPARAM>(&data);
    drvtest::RunSheet(module,
                      {{IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>, lParam},
                       {IDD_FINISHING, CmProc::DialogProcFor<FinishingPageProc>, lParam}},
                      "Printing preferences");
    PDLSvUserData::EndSheet(ctx);
    res::CloseResourceFile(module);
    ReportAgainstTarget(state, targetSeconds);
}

void PageSizePicked(benchmark::State& state) {
    bool a5 = false;
    OnRealSheet(state, 0, 50e-6, [&](HWND p) {
        a5 = !a5;
        return drvtest::ChooseEntryByText(p, IDC_PAGE_SIZE, a5 ? "A5" : "A4");
    });
}
BENCHMARK(PageSizePicked)->Unit(benchmark::kMicrosecond);

void OrientationClicked(benchmark::State& state) {
    bool landscape = false;
    OnRealSheet(state, 0, 5e-6, [&](HWND p) {
        landscape = !landscape;
        return drvtest::Click(p, landscape ? IDC_LANDSCAPE : IDC_PORTRAIT);
    });
}
BENCHMARK(OrientationClicked)->Unit(benchmark::kMicrosecond);

void StapleClicked(benchmark::State& state) {
    OnRealSheet(state, 1, 5e-6, [&](HWND p) { return drvtest::Click(p, IDC_STAPLE); });
}
BENCHMARK(StapleClicked)->Unit(benchmark::kMicrosecond);

}  // namespace
