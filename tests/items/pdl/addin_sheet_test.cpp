// Add-ins on the bundled printer's real sheet, opened as the 16-bit driver opens it: the sample
// add-in installed for the printer adds its page after the sheet's own and works there; an
// add-in that is not signed by the maker, signed with another key, registered to another file
// or described badly adds nothing, and the sheet is the same as without it. Add-ins go with the
// device object: nothing of them stays loaded after the sheet.
#include "core/library/exports_gtf.h"
#include "drvtest/addins.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/sixteen_bit_side.h"
#include "drvtest/window_picture.h"
#include "items/pdl/sdk.h"
#include "ui/main_pages.h"
#include "ui/ui_dispatcher.h"
#include "core/device/ui_dispatch_route.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using drvtest::AddInSigning;
using drvtest::SixteenBitSide;

class AddInSheet : public ::testing::Test {
public:
    AddInSheet() {
        InitCommonControls();
        RegisterApplicationOptions();
        RegisterMainPageDialogs();
        RegisterDispatcher();
    }
    ~AddInSheet() override {
        RegisterUiDispatcher(nullptr);
        UnregisterMainPageDialogs();
    }
    // The titles of the sheet's pages, after the script ran on it; the sheet is cancelled.
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            for (int i = 0; i < driver.PageCount(); ++i) titles.push_back(driver.PageTitle(i));
            EXPECT_TRUE(driver.PressCancel());
        });
        EXPECT_EQ(GTF_OpenSheets(name, 0, 0, 0), 0);
        return titles;
    }

    drvtest::FixtureDevice fixture;
    SixteenBitSide side;
    const DWORD name = side.Text(drvtest::kBundledPcl5ePrinter);
    drvtest::ScriptedSheet sheet;
    drvtest::ScriptedUser person;
};

TEST_F(AddInSheet, TheSignedSampleAddsItsPageWhichWorksAndGoesWithTheSheet) {
    const std::vector<std::string> without = Titles();
    ASSERT_EQ(without.size(), 5u);
    ASSERT_TRUE(drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter));
    bool checked = false;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_EQ(driver.PageCount(), 6);
        EXPECT_EQ(driver.PageTitle(5), drvtest::kSampleAddInTitle);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(driver.PageTitle(i), without[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(driver.SelectPage(5));
        ASSERT_NE(GetModuleHandleA("SAMPLEUI.DLL"), nullptr);
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), drvtest::kSampleAddInCheckId, BST_CHECKED));
        checked = IsDlgButtonChecked(driver.Page(), drvtest::kSampleAddInCheckId) == BST_CHECKED;
        EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/addin-sample-page.png"));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(GTF_OpenSheets(name, 0, 0, 0), 1);
    EXPECT_TRUE(checked);
    EXPECT_EQ(GetModuleHandleA("SAMPLEUI.DLL"), nullptr) << "unloaded with the sheet's device object";
}

TEST_F(AddInSheet, AnAddInThatFailsATestAddsNothing) {
    struct Case {
        const char* what;
        drvtest::SampleAddInSetup setup;
    };
    std::vector<Case> cases(6);
    cases[0] = {"not signed", {}};
    cases[0].setup.signing = AddInSigning::None;
    cases[1] = {"signed with another key", {}};
    cases[1].setup.signing = AddInSigning::OtherKey;
    cases[2] = {"its class registered to another file", {}};
    cases[2].setup.registeredPath = "C:\\WINDOWS\\SYSTEM\\OTHER.DLL";
    cases[3] = {"described with a folder", {}};
    cases[3].setup.description = std::string("[Add-Ins]\nSample=") + drvtest::kSampleAddInClass + ",..\\SAMPLEUI.DLL\n";
    cases[4] = {"an install record that is no description file", {}};
    cases[4].setup.cpi = "SAMPLEUI.DLL";
    cases[5] = {"described under another class", {}};
    cases[5].setup.description = "[Add-Ins]\nSample={00000000-0000-0000-0000-000000000001},SAMPLEUI.DLL\n";
    for (const Case& c : cases) {
        ASSERT_TRUE(drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter, c.setup)) << c.what;
        EXPECT_EQ(Titles().size(), 5u) << c.what;
        EXPECT_EQ(GetModuleHandleA("SAMPLEUI.DLL"), nullptr) << c.what;
    }
}

TEST_F(AddInSheet, TheDeviceSettingsPageStandsAloneWithAddInsInstalled) {
    ASSERT_TRUE(drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter));
    int pages = 0;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        pages = driver.PageCount();
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_EQ(GTF_DeviceSettings(name, 0), 0);
    EXPECT_EQ(pages, 1);
}

}  // namespace
