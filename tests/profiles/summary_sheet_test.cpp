// The settings summary of the bundled printers through the page-setup page: its View settings
// button opens the summary sheet, each page lists its section's rows, Copy puts the whole summary
// on the clipboard, and a clipboard held by another window takes nothing and keeps no memory.
#include "data/resources/drvopui_ids.h"
#include "drvtest/addins.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "items/pdl/item_sets.h"
#include "profiles/profiles_registration.h"
#include "profiles/summary/summary_page.h"
#include "profiles/summary/view_settings.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/dialog_framework.h"
#include "ui/main_pages.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const bool g_registered = (RegisterDialogFramework(), RegisterProfiles(), true);

const std::string kSeparator = "\r\n" + std::string(72, '=') + "\r\n";
const std::string kDashLine = std::string(73, '-') + "\r\n";

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

std::string WithoutDashLines(std::string text) {
    for (size_t at; (at = text.find(kDashLine)) != std::string::npos;) text.erase(at, kDashLine.size());
    return text;
}

class SettingsSummary : public SheetSets<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override {
        ASSERT_TRUE(g_registered);
        Start({CreateItemSet0, CreateItemSetPageSetup});
        summary = dynamic_cast<ViewSettings*>(user->GetViewSettings());
        ASSERT_NE(summary, nullptr);
        EmptyTheClipboard();
    }
    std::string Piece(int index) {
        char* text = summary->GetSectionText(index);
        std::string s = text ? text : "";
        ViewSettings::FreeText(text);
        return s;
    }
    // The page-setup page, its View settings button, then a script in the summary sheet.
    void RunSummary(std::function<void(drvtest::SheetDriver&)> script) {
        drvtest::ScriptedSheet sheet;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_VIEW_SETTINGS));
            EXPECT_TRUE(driver.PressOk());
        });
        sheet.OnSheet(std::move(script));
        ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<PageSetupProc>);
        EXPECT_EQ(sheet.sheetsSeen(), 2);
    }
    std::string PictureName(const char* what) {
        std::string name = std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + GetParam() + "-summary-" + what + ".png";
        return name;
    }
    ViewSettings* summary = nullptr;
};

TEST_P(SettingsSummary, CopyPutsEveryPieceOnTheClipboardInOrder) {
    std::vector<std::string> titles;
    std::vector<int> rowCounts;
    std::string firstLabel, firstValue;
    bool cancelShown = true;
    RunSummary([&](drvtest::SheetDriver& driver) {
        for (int i = 0; i < driver.PageCount(); ++i) {
            titles.push_back(driver.PageTitle(i));
            EXPECT_TRUE(driver.SelectPage(i));
            HWND list = GetDlgItem(driver.Page(), IDC_SUMMARY_LIST);
            rowCounts.push_back(static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
            drvtest::SaveWindowPng(driver.Sheet(), PictureName(std::to_string(i).c_str()));
        }
        EXPECT_TRUE(driver.SelectPage(0));
        HWND list = GetDlgItem(driver.Page(), IDC_SUMMARY_LIST);
        firstLabel = drvtest::ReadCell(list, 0, 0);
        firstValue = drvtest::ReadCell(list, 0, 1);
        cancelShown = IsWindowVisible(GetDlgItem(driver.Sheet(), IDCANCEL));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_SUMMARY_COPY));
        EXPECT_TRUE(driver.PressOk());
    });
    const bool withSection2 = !summary->LeavesOutSection2();
    const std::vector<std::string> wantedTitles =
        withSection2 ? std::vector<std::string>{"Page setup", "Finishing", "Paper source", "Quality", "Device settings"}
                     : std::vector<std::string>{"Page setup", "Finishing", "Quality", "Device settings"};
    EXPECT_EQ(titles, wantedTitles);
    EXPECT_FALSE(cancelShown);
    EXPECT_EQ(firstLabel, "Page size");
    EXPECT_EQ(firstValue, "A4");
    for (int count : rowCounts) EXPECT_GT(count, 0);

    // The clipboard holds heading, separator, each section under its title, then the footer;
    // every section reads as its page's text with the dash lines of the copy.
    const std::string copied = ClipboardText();
    std::string wanted = Piece(kSummaryHeading) + kSeparator;
    const char* names[] = {"Page setup", "Finishing", "Paper source", "Quality", "Device settings"};
    for (int k = 0; k < kSummarySectionCount; ++k) {
        if (k == 2 && !withSection2) continue;
        wanted += std::string(names[k]) + "\r\n" + Piece(k) + kSeparator;
    }
    wanted += Piece(kSummaryFooter);
    EXPECT_EQ(WithoutDashLines(copied), wanted);
    EXPECT_NE(copied.find(kDashLine), std::string::npos);
    size_t separators = 0;
    for (size_t at = 0; (at = copied.find(kSeparator, at)) != std::string::npos; at += kSeparator.size()) ++separators;
    EXPECT_EQ(separators, withSection2 ? 6u : 5u);

    // What the rows say, from the printer's own settings and installation.
    EXPECT_EQ(copied.rfind("Driver\t" + std::string(GetParam()) + "\r\nPrinter\t" + GetParam() + "\r\n", 0), 0u);
    for (const char* row : {"Page size\tA4\r\n", "Copies\t1\r\n", "Orientation\tPortrait\r\n", "Installed options\t",
                            "Vomel Kelvaro :\t--\r\n", "Version\tDrvopui 1.0", "Dependent files\t\r\n"})
        EXPECT_NE(copied.find(row), std::string::npos) << row;
    // The resource module's version resource gives its product version, with its file's time.
    EXPECT_NE(copied.find("DRVOPRES.DLL\t1.0.0\t\t\t\t"), std::string::npos) << copied;
}

TEST_P(SettingsSummary, AClipboardHeldElsewhereTakesNothing) {
    HWND holder = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    summary->CopyToClipboard();  // its block must be freed: the leak check would see it
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    CloseClipboard();
    DestroyWindow(holder);
    EXPECT_EQ(ClipboardText(), "");
}

TEST_P(SettingsSummary, TheHeadingReadsTheDriverNameOnlyWithinItsField) {
    // A driver name filling its whole field shows as those 32 characters, nothing behind them.
    uint8_t* settings = user->GetSettingsSource();
    std::memset(settings + 184, 'N', 32);
    const std::string heading = Piece(kSummaryHeading);
    EXPECT_EQ(heading.rfind("Driver\t" + std::string(32, 'N') + "\r\n", 0), 0u) << heading;
}

TEST_P(SettingsSummary, DeviceSettingsStartWithTheInstalledAddIns) {
    ASSERT_TRUE(drvtest::InstallSampleAddIn(GetParam()));
    const std::string text = Piece(4);
    EXPECT_EQ(text.rfind("Add-in\t\r\n  Name\t", 0), 0u) << text;
    EXPECT_NE(text.find("  File\tSAMPLEUI.DLL\r\n  State\tLoaded\r\n  Class\t" + std::string(drvtest::kSampleAddInClass)),
              std::string::npos)
        << text;
    EXPECT_LT(text.find("Add-in"), text.find("Installed options"));
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, SettingsSummary,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
