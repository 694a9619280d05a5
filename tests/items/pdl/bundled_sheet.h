// Test-only: the bundled printer's five-page sheet as a user opens it: the sheet's registry over
// every item set under the printer's rules (the sheet's start), the dialogs the pages open and the
// pages' pictures registered, the resource module open, and the dispatcher's own sheet of the pages
// page setup, finishing, paper source, quality and device settings, each over its own item set. A
// drvtest::ScriptedSheet alive on the thread drives it.
#pragma once

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "items/pdl/item_sets.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/quality_item_sets.h"
#include "model/pdl_data.h"
#include "platform/resources/res_file.h"
#include "preview/page_previews.h"
#include "ui/main_pages.h"
#include "ui/ui_dispatcher.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

namespace sheettest {

// Each sheet gets its model tables, as the library's loading arranges.
inline const bool g_modelTablesRegistered = (RegisterModelTables(), true);

enum SheetPageIndex { kPageSetupPage, kFinishingPage, kPaperSourcePage, kQualityPage, kDeviceSettingsPage };

class BundledSheet {
public:
    explicit BundledSheet(const char* printer) : fixture_(kKindUserInterface, printer) {
        ctx = fixture_.Device();
        if (!ctx) return;
        InitCommonControls();
        user = ctx->svc->GetUserData(ctx);
        user->SetInchUnit(FALSE);
        registered_ = RegisterMainPageDialogs();
        RegisterPagePreviews();
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    }
    ~BundledSheet() {
        if (started_) PDLSvUserData::EndSheet(ctx);
        if (registered_) UnregisterMainPageDialogs();
        RegisterPagePreviewMaker(nullptr);
        if (module) res::CloseResourceFile(module);
    }
    BundledSheet(const BundledSheet&) = delete;
    BundledSheet& operator=(const BundledSheet&) = delete;

    // Starts the sheet's registry over the settings as the test left them; false when it could not.
    bool Start() {
        if (!ctx || !module || !registered_) return false;
        started_ = PDLSvUserData::StartSheet(ctx) != nullptr;
        return started_;
    }
    // Shows the sheet and answers what PropertySheetA answers.
    INT_PTR Run() { return ShowPrinterSheet(ctx, nullptr); }
    // Starts the sheet, shows it once to the script and closes it with Cancel.
    void Look(const std::function<void(drvtest::SheetDriver&)>& script) {
        ASSERT_TRUE(Start());
        drvtest::ScriptedSheet person;
        person.OnSheet([&](drvtest::SheetDriver& driver) {
            script(driver);
            EXPECT_TRUE(driver.PressCancel());
        });
        Run();
        EXPECT_EQ(person.sheetsSeen(), 1);
    }
    // The request's settings, which OK and Apply hand the sheet's settings to.
    const uint8_t* Request() const { return ctx->svc->GetDevmode(ctx, 3); }
    // A further request on the same printer, made after the sheet (null when it could not be).
    UIDEVDATA* LaterRequest(int kind) { return fixture_.Make(kind); }

    UIDEVDATA* ctx = nullptr;
    CmUserData* user = nullptr;
    HMODULE module = nullptr;

private:
    drvtest::FixtureDevice fixture_;
    bool registered_ = false;
    bool started_ = false;
};

}  // namespace sheettest
