// The dialog helpers on a dialog of the bundled resource module: showing implies enabling and
// hiding disables, missing controls are left alone, the focus and the default button leave a
// control that was disabled, a control moves by its offset, and typed decimals read in
// hundredths or are refused.
#include "core/helpers/dialog_helpers.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "platform/resources/res_file.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class Helpers : public ::testing::Test {
protected:
    void SetUp() override {
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
        ASSERT_NE(module, nullptr);
        dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_ADD_PROFILE), nullptr, PlainProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
    }
    void TearDown() override {
        if (dialog) DestroyWindow(dialog);
        if (module) res::CloseResourceFile(module);
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    HMODULE module = nullptr;
    HWND dialog = nullptr;
};

TEST_F(Helpers, ShowingEnablesHidingDisablesAndControlsMoveByTheirOffset) {
    EnableDlgItem(dialog, IDC_PROFILE_NAME, FALSE);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_PROFILE_NAME)));
    ShowDlgItem(dialog, IDC_PROFILE_NAME, TRUE);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_PROFILE_NAME)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_PROFILE_NAME)));
    ShowDlgItem(dialog, IDC_PROFILE_NAME, FALSE);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_PROFILE_NAME)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_PROFILE_NAME)));
    // A control the dialog does not have is no fault.
    ShowDlgItem(dialog, 4242, TRUE);
    EnableDlgItem(dialog, 4242, TRUE);
    RedrawDlgItem(dialog, 4242);
    OffsetDlgItem(dialog, 4242, 5, 5);

    RedrawDlgItem(dialog, IDC_PROFILE_NAME);  // hidden stays hidden
    EXPECT_FALSE(IsWindowVisible(Item(IDC_PROFILE_NAME)));
    RedrawDlgItem(dialog, IDC_PROFILE_COMMENT);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_PROFILE_COMMENT)));

    RECT before, after;
    GetWindowRect(Item(IDOK), &before);
    OffsetDlgItem(dialog, IDOK, 12, -3);
    GetWindowRect(Item(IDOK), &after);
    EXPECT_EQ(after.left - before.left, 12);
    EXPECT_EQ(after.top - before.top, -3);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

TEST_F(Helpers, FocusAndTheDefaultButtonLeaveADisabledControl) {
    SetFocus(Item(IDOK));
    EnableWindow(Item(IDOK), FALSE);
    FocusNextEnabledItem(Item(IDOK), dialog);
    EXPECT_EQ(GetFocus(), Item(IDCANCEL));
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCANCEL);

    SetFocus(Item(IDC_PROFILE_NAME));
    FocusNextEnabledItem(Item(IDC_PROFILE_NAME), dialog);  // still enabled: stays
    EXPECT_EQ(GetFocus(), Item(IDC_PROFILE_NAME));
    EnableWindow(Item(IDC_PROFILE_NAME), FALSE);
    FocusNextEnabledItem(Item(IDC_PROFILE_NAME), dialog);
    EXPECT_EQ(GetFocus(), Item(IDC_PROFILE_ICONS));  // the next control of the add-profile dialog
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCANCEL);
}

TEST(DecimalHundredths, TypedDecimalsReadInHundredthsOrAreRefused) {
    drvtest::FixtureDevice fixture(kKindUserInterface);
    struct Case {
        const char* text;
        WORD hundredths;
    };
    for (Case c : {Case{"12", 1200}, Case{"12.5", 1250}, Case{"12.05", 1205}, Case{"+7.", 700}, Case{".5", 50},
                   Case{"0", 0}, Case{"655.34", 65534}, Case{"655.35", kNotHundredths}, Case{"700", kNotHundredths},
                   Case{"99999999999", kNotHundredths}, Case{"1.234", kNotHundredths}, Case{"1.2.3", kNotHundredths},
                   Case{"-1", kNotHundredths}, Case{"1+", kNotHundredths}, Case{"++1", kNotHundredths},
                   Case{"", kNotHundredths}, Case{".", kNotHundredths}, Case{"+", kNotHundredths},
                   Case{" 1", kNotHundredths}, Case{"1,5", kNotHundredths}})
        EXPECT_EQ(ParseDecimalHundredths(fixture.Device(), c.text), c.hundredths) << c.text;
    EXPECT_EQ(ParseDecimalHundredths(fixture.Device(), nullptr), kNotHundredths);
    EXPECT_EQ(ParseDecimalHundredths(nullptr, "3.25"), 325);
}

}  // namespace
