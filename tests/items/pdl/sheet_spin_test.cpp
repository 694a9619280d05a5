// The spin arrows of the bundled printers' sheet: a click on an arrow of the copies, the scaling
// ratio or the booklet's sheets per set steps the number by one within its range, shows it, and
// the sheet's settings take it as they take a typed number.
#include "bundled_sheet.h"

#include "drvtest/scripted_user.h"
#include "items/common/booklet_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"

#include <string>
#include <vector>

using namespace sheettest;

namespace {

// A click on the upper or the lower half of a spin control, as a person makes it.
bool ClickArrow(HWND dialog, int id, bool up) {
    HWND spin = GetDlgItem(dialog, id);
    if (!spin || !IsWindowVisible(spin) || !IsWindowEnabled(spin)) return false;
    RECT r{};
    GetClientRect(spin, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? 1 : r.bottom - 2);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spin, WM_LBUTTONUP, 0, at);
    return true;
}

class SheetSpins : public ::testing::TestWithParam<const char*> {};

TEST_P(SheetSpins, ArrowsStepCopiesAndScalingWithinTheirRange) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& driver) {
        HWND p = driver.Page();
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, true));
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES), "2");
        EXPECT_EQ(publicdm::U16(sheet.user->GetSettingsSource(), publicdm::kCopies), 2)
            << "the step reaches the sheet's settings at once";
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, false));
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, false));
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES), "1") << "not below the least number";
        EXPECT_TRUE(drvtest::Type(p, IDC_COPIES, "998"));
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, true));
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, true));
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES), "999") << "nor above the greatest";

        EXPECT_TRUE(drvtest::SetCheck(p, IDC_SCALING, BST_CHECKED));
        EXPECT_TRUE(drvtest::Type(p, IDC_SCALING_RATIO, "99"));
        for (auto [up, shown] : {std::pair{true, "100"}, {true, "100"}, {false, "99"}}) {
            ASSERT_TRUE(ClickArrow(p, IDC_SCALING_SPIN, up));
            EXPECT_EQ(drvtest::ReadText(p, IDC_SCALING_RATIO), shown);
        }
        EXPECT_TRUE(driver.IsApplyEnabled());
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(sheet.Run(), 1);
    EXPECT_EQ(publicdm::U16(sheet.Request(), publicdm::kCopies), 999);
    EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.Request(), kOptScalingRatio), 99);
    EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.Request(), kOptLayoutMode), kModeScaling);
}

// The booklet dialog's sheets per set step within the range the dialog puts on its spin.
TEST_P(SheetSpins, TheSheetsPerSetStepWithinTheirRange) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_DIVIDE_INTO_SETS));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_SHEETS_PER_SET, "14"));
        for (auto [up, shown] : {std::pair{true, "15"}, {true, "15"}, {false, "14"}}) {
            ASSERT_TRUE(ClickArrow(dialog, IDC_SHEETS_SPIN, up));
            EXPECT_EQ(drvtest::ReadText(dialog, IDC_SHEETS_PER_SET), shown);
        }
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    drvtest::ScriptedSheet sheetPerson;
    sheetPerson.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kQualityPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_CATALOG, BST_CHECKED));
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_BOOKLET_OPTIONS));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(sheet.Run(), 1);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.Request(), kOptSheetsPerSet), 14);
}

INSTANTIATE_TEST_SUITE_P(Bundled, SheetSpins,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
