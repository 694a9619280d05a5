// The bundled printers' five pages in one sheet, with the item sets the sheet starts with and the
// bundled rules running, driven by the scripted user: what a page sets reaches the request and
// the printer on OK.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/finishing_items.h"
#include "items/common/job_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "items/pdl/finishing_item_sets.h"
#include "items/pdl/item_sets.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/quality_item_sets.h"
#include "platform/resources/res_file.h"
#include "ui/finishing_pages.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

template <uint32_t SetId>
class PageProc : public CmSvProc {
public:
    PageProc() : CmSvProc(SetId, 0) {}
};

enum Page { kPageSetup, kPaperSource, kQuality, kFinishing, kDeviceSettings };

class FivePageSheet : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_NE(ctx, nullptr);
        InitCommonControls();
        ASSERT_TRUE(RegisterFinishingDialogs());
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
        ASSERT_NE(module, nullptr);
        user = ctx->svc->GetUserData(ctx);
        user->SetInchUnit(FALSE);
    }
    void TearDown() override {
        PDLSvUserData::EndSheet(ctx);
        UnregisterFinishingDialogs();
        if (module) res::CloseResourceFile(module);
    }
    // The sheet over the settings as they are now; the script drives it.
    void Run(std::function<void(drvtest::SheetDriver&)> script) {
        ASSERT_NE(PDLSvUserData::StartSheet(ctx), nullptr);
        drvtest::ScriptedSheet person;
        person.OnSheet(std::move(script));
        SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
        const LPARAM page = reinterpret_cast<LPARAM>(&data);
        drvtest::RunSheet(module,
                          {{IDD_PAGE_SETUP, CmProc::DialogProcFor<PageProc<kPageSetupSetId>>, page},
                           {IDD_PAPER_SOURCE, CmProc::DialogProcFor<PageProc<kPaperSourceSetId>>, page},
                           {IDD_QUALITY, CmProc::DialogProcFor<PageProc<kQualitySetId>>, page},
                           {IDD_FINISHING, CmProc::DialogProcFor<FinishingPageProc>, page},
                           {IDD_DEVICE_SETTINGS, CmProc::DialogProcFor<PageProc<kDeviceSettingsSetId>>, page}},
                          "Printing preferences");
        EXPECT_EQ(person.sheetsSeen(), 1);
        PDLSvUserData::EndSheet(ctx);
    }
    template <typename T>
    T DeviceValue(const uint8_t* block, uint32_t id) {
        T value = 0;
        EXPECT_TRUE(ctx->svc->GetDeviceOptionValue(ctx, block, id, &value, sizeof value));
        return value;
    }
    const uint8_t* Request() { return ctx->svc->GetDevmode(ctx, 3); }

    drvtest::FixtureDevice fixture{kKindDevmode, GetParam()};
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    HMODULE module = nullptr;
    CmUserData* user = nullptr;
};

TEST_P(FivePageSheet, DeviceOptionsChosenOnThePagesReachTheRequestAndThePrinterOnOk) {
    const uint32_t lockBefore = DeviceValue<uint32_t>(ctx->svc->GetDeviceOption(ctx), kDevOptLockWord);
    Run([&](drvtest::SheetDriver& sheet) {
        EXPECT_TRUE(drvtest::Click(sheet.Page(), IDC_LOCK));
        ASSERT_TRUE(sheet.SelectPage(kDeviceSettings));
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_SPOOL, "Off"));
        EXPECT_TRUE(sheet.PressOk());
    });
    const uint32_t lockBit = 1u << kLockBit;
    const uint8_t* request = ctx->svc->GetDeviceOption(ctx);
    EXPECT_EQ(DeviceValue<uint16_t>(request, kDevOptSpooling), 2);
    EXPECT_EQ(DeviceValue<uint32_t>(request, kDevOptLockWord) & lockBit, ~lockBefore & lockBit);
    // A request made afterwards reads the printer's stored block.
    UIDEVDATA* later = fixture.Make(kKindUserInterface);
    ASSERT_NE(later, nullptr);
    uint16_t spooling = 0;
    ASSERT_TRUE(later->svc->GetDeviceOptionValue(later, later->svc->GetDeviceOption(later), kDevOptSpooling,
                                                 &spooling, sizeof spooling));
    EXPECT_EQ(spooling, 2);
}

TEST_P(FivePageSheet, DeviceOptionsChosenOnThePagesAreDroppedOnCancel) {
    Run([&](drvtest::SheetDriver& sheet) {
        ASSERT_TRUE(sheet.SelectPage(kDeviceSettings));
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_SPOOL, "Off"));
        EXPECT_TRUE(sheet.PressCancel());
    });
    EXPECT_EQ(DeviceValue<uint16_t>(ctx->svc->GetDeviceOption(ctx), kDevOptSpooling), 0);
}

INSTANTIATE_TEST_SUITE_P(Bundled, FivePageSheet,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
