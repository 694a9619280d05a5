// Apply on the bundled printers' sheet: it is grey until the user changes a setting on any page
// (by a control, a spin arrow or a dialog of a page), hands the sheet's settings to the request as
// OK does while the sheet stays open, and what it handed over stays after Cancel.
#include "bundled_sheet.h"

#include "drvtest/scripted_user.h"
#include "items/common/finishing_items.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"

#include <string>

using namespace sheettest;

namespace {

class SheetApply : public ::testing::TestWithParam<const char*> {};

TEST_P(SheetApply, ApplyEnablesOnTheFirstChangeAndCommitsWithoutClosing) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    bool greyAtStart = false, greyAfterPageTurn = false, enabledAfterCopies = false, greyAfterApply = false,
         openAfterApply = false, enabledAfterRotate = false;
    uint16_t copiesBeforeApply = 0, copiesAfterApply = 0;
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& driver) {
        greyAtStart = !driver.IsApplyEnabled();
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        ASSERT_TRUE(driver.SelectPage(kPageSetupPage));
        greyAfterPageTurn = !driver.IsApplyEnabled();
        EXPECT_TRUE(drvtest::Type(driver.Page(), IDC_COPIES, "3"));
        enabledAfterCopies = driver.IsApplyEnabled();
        copiesBeforeApply = publicdm::U16(sheet.Request(), publicdm::kCopies);
        EXPECT_TRUE(driver.PressApply());
        openAfterApply = driver.IsOpen();
        greyAfterApply = !driver.IsApplyEnabled();
        copiesAfterApply = publicdm::U16(sheet.Request(), publicdm::kCopies);

        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_ROTATE, BST_CHECKED));
        enabledAfterRotate = driver.IsApplyEnabled();
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_GT(sheet.Run(), 0) << "a sheet applied once reports its changes as saved";
    EXPECT_EQ(person.sheetsSeen(), 1);
    EXPECT_TRUE(greyAtStart);
    EXPECT_TRUE(greyAfterPageTurn) << "turning pages changes nothing";
    EXPECT_TRUE(enabledAfterCopies);
    EXPECT_EQ(copiesBeforeApply, 1);
    EXPECT_TRUE(openAfterApply);
    EXPECT_TRUE(greyAfterApply);
    EXPECT_EQ(copiesAfterApply, 3);
    EXPECT_TRUE(enabledAfterRotate);
    // Cancel keeps what Apply handed over and drops what came after.
    EXPECT_EQ(publicdm::U16(sheet.Request(), publicdm::kCopies), 3);
    EXPECT_EQ(ReadOptionWord(sheet.ctx, sheet.Request(), kOptFinishing) & 0x80u, 0u);
}

// A dialog opened from a page that ends with OK and changed a setting is a change of the page.
TEST_P(SheetApply, ADialogOfAPageThatChangedASettingEnablesApply) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) { EXPECT_TRUE(drvtest::PressOk(dialog)); });  // nothing changed
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_GUTTER, "7"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    bool greyAfterUnchanged = false, enabledAfterChanged = false;
    drvtest::ScriptedSheet sheetPerson;
    sheetPerson.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_MARGIN));
        greyAfterUnchanged = !driver.IsApplyEnabled();
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_MARGIN));
        enabledAfterChanged = driver.IsApplyEnabled();
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(sheet.Run(), 1);
    EXPECT_EQ(person.dialogsSeen(), 2);
    EXPECT_TRUE(greyAfterUnchanged);
    EXPECT_TRUE(enabledAfterChanged);
}

INSTANTIATE_TEST_SUITE_P(Bundled, SheetApply,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
