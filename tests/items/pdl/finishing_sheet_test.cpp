// The finishing page of the bundled printers as the sheet shows it, under their rule programs and
// driven by the scripted user: the switches and the binding edge store their bits and numbers, the
// rules enable the staple-position button with the staple switch and offer only the device's
// staple points, and the booklet, gutter-margin and staple-position dialogs open from their
// buttons and keep their settings only when they end with OK.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/booklet_items.h"
#include "items/common/finishing_items.h"
#include "items/common/gutter_margin.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "items/pdl/pdl_user_data.h"
#include "platform/resources/res_file.h"
#include "ui/dialog_registry.h"
#include "ui/finishing_pages.h"
#include "ui/sheet_data.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr size_t kDuplex = 62;

class FinishingSheet : public ::testing::TestWithParam<const char*> {};

TEST_P(FinishingSheet, SettingsReachTheRequestAndTheDialogsKeepOnlyWhatEndsWithOk) {
    drvtest::FixtureDevice fixture(kKindUserInterface, GetParam());
    UIDEVDATA* ctx = fixture.Device();
    ASSERT_NE(ctx, nullptr);
    InitCommonControls();
    ASSERT_TRUE(RegisterFinishingDialogs());
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(module, nullptr);
    CmUserData* user = ctx->svc->GetUserData(ctx);
    user->SetInchUnit(FALSE);
    uint8_t* settings = user->GetSettingsSource();
    // A portrait booklet, printed two-sided, with nothing finished yet.
    publicdm::PutU16(settings, publicdm::kOrientation, DMORIENT_PORTRAIT);
    publicdm::PutU16(settings, kDuplex, DMDUP_VERTICAL);
    WriteOptionShort(ctx, settings, kOptLayoutMode, 4);
    WriteOptionWord(ctx, settings, kOptFinishing, 0);
    WriteOptionWord(ctx, settings, kOptBooklet, 0);
    WriteOptionShort(ctx, settings, kOptGutterMargin, 5);
    ASSERT_NE(PDLSvUserData::StartSheet(ctx), nullptr);

    SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};

    drvtest::ScriptedUser person;
    // The gutter margin, first cancelled, then kept.
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_GUTTER, "12"));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    person.OnDialog([&](HWND dialog) {
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_GUTTER), "5");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_GUTTER_RANGE), "(0-30)");
        EXPECT_TRUE(drvtest::Type(dialog, IDC_GUTTER, "12"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    // The staple point: only the device's points are offered (at the top and on the left).
    person.OnDialog([&](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_STAPLE_BOTTOM)));
        EXPECT_TRUE(drvtest::Click(dialog, IDC_STAPLE_UPPER_RIGHT));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    // The booklet: divided into sets of five sheets, with a margin of 25 mm.
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_DIVIDE_INTO_SETS));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_SHEETS_PER_SET, "5"));
        EXPECT_TRUE(drvtest::SetCheck(dialog, IDC_USE_MARGIN, BST_CHECKED));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_BOOKLET_MARGIN, "25"));
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_BOOKLET_MARGIN), "25");
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_BOOKLET_MARGIN_RANGE), "(0-30)");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });

    drvtest::ScriptedSheet sheet;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        HWND p = driver.Page();
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_STAPLE_POSITION))) << "no staple point without stapling";
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_STAPLE, BST_CHECKED));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(p, IDC_STAPLE_POSITION)));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_PUNCH, BST_CHECKED));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_ROTATE, BST_CHECKED));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_BINDING, "Short edge, top"));
        EXPECT_EQ(ReadOptionWord(ctx, settings, kOptFinishing), 0x10u | 0x20u | 0x80u);
        EXPECT_TRUE(drvtest::Click(p, IDC_MARGIN));
        EXPECT_EQ(ReadOptionShort(ctx, settings, kOptGutterMargin), 5);
        EXPECT_TRUE(drvtest::Click(p, IDC_MARGIN));
        EXPECT_TRUE(drvtest::Click(p, IDC_STAPLE_POSITION));
        EXPECT_EQ(ReadOptionShort(ctx, settings, kOptStaplePoint), 11);
        EXPECT_TRUE(drvtest::Click(p, IDC_BOOKLET_OPTIONS));
        EXPECT_TRUE(driver.PressOk());
    });
    drvtest::RunOnePageSheet(module, IDD_FINISHING, CmProc::DialogProcFor<FinishingPageProc>,
                             reinterpret_cast<LPARAM>(&data), "Printing preferences");
    EXPECT_EQ(person.dialogsSeen(), 4);
    EXPECT_EQ(sheet.sheetsSeen(), 1);

    const uint8_t* request = ctx->svc->GetDevmode(ctx, 3);
    EXPECT_EQ(ReadOptionWord(ctx, request, kOptFinishing), 0x10u | 0x20u | 0x80u);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptBindingLocation), 2);
    EXPECT_EQ(publicdm::U16(request, kDuplex), DMDUP_HORIZONTAL) << "a short-edge binding turns on the short edge";
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptGutterMargin), 12);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptStaplePoint), 11);
    EXPECT_EQ(ReadOptionWord(ctx, request, kOptBooklet), 2u | 4u);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptSheetsPerSet), 5);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptBookletMargin), 250);

    PDLSvUserData::EndSheet(ctx);
    UnregisterFinishingDialogs();
    res::CloseResourceFile(module);
}

// A click on the upper half of a spin control: one step up.
void SpinUp(HWND dialog, int id) {
    HWND spin = GetDlgItem(dialog, id);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 1));
    SendMessageA(spin, WM_LBUTTONUP, 0, MAKELPARAM(2, 1));
}

TEST(FinishingDialogs, BookletMarginInInchesStepsInTenthsAndKeepsMillimetres) {
    drvtest::FixtureDevice fixture(kKindUserInterface, drvtest::kBundledPcl5ePrinter);
    UIDEVDATA* ctx = fixture.Device();
    ASSERT_NE(ctx, nullptr);
    InitCommonControls();
    ASSERT_TRUE(RegisterFinishingDialogs());
    CmUserData* user = ctx->svc->GetUserData(ctx);
    user->SetInchUnit(TRUE);
    uint8_t* settings = user->GetSettingsSource();
    WriteOptionShort(ctx, settings, kOptLayoutMode, 4);
    WriteOptionShort(ctx, settings, kOptBookletMargin, 0);
    WriteOptionShort(ctx, settings, kOptGutterMargin, 30);
    ASSERT_NE(PDLSvUserData::StartSheet(ctx), nullptr);

    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_BOOKLET_MARGIN_RANGE), "0.0 - 1.2");
        EXPECT_TRUE(drvtest::Type(dialog, IDC_BOOKLET_MARGIN, "1.0"));
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_BOOKLET_MARGIN), "1.0");
        SpinUp(dialog, IDC_BOOKLET_MARGIN_SPIN);
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_BOOKLET_MARGIN), "1.1");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    // At its largest the gutter margin does not step further.
    person.OnDialog([&](HWND dialog) {
        SpinUp(dialog, IDC_GUTTER_SPIN);
        EXPECT_EQ(drvtest::ReadText(dialog, IDC_GUTTER), "1.2");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    EXPECT_EQ(OpenDialogByKind(ctx, nullptr, kBookletDialogKind, 0), IDOK);
    // 1.1 in is 28 mm; the booklet margin keeps tenths of a millimetre.
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptBookletMargin), 280);
    EXPECT_EQ(OpenDialogByKind(ctx, nullptr, kGutterMarginDialogKind, 0), IDOK);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptGutterMargin), 30);
    EXPECT_EQ(person.dialogsSeen(), 2);

    PDLSvUserData::EndSheet(ctx);
    UnregisterFinishingDialogs();
}

INSTANTIATE_TEST_SUITE_P(Bundled, FinishingSheet,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
