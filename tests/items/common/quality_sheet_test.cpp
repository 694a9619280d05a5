// The paper-source, quality and device-settings pages as the sheet shows them, beside the
// page-setup page: the sets in the sheet's registry, the bundled printer's rules running, the
// settings pages forwarding every control event, driven by the scripted user; and the
// layout-options dialog over its own set. OK hands the settings to the request.
#include "sheet_sets_fixture.h"

#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/layout_option_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/paper_source_items.h"
#include "items/common/public_devmode.h"
#include "items/common/quality_items.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/item_sets.h"
#include "items/pdl/quality_item_sets.h"
#include "settings/controls/control.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <string>
#include <vector>

namespace {

// Every control and companion the set's items bind stands in the page's template.
void ExpectControlsOf(const CmSvItemSet* set, HWND page) {
    ASSERT_NE(set, nullptr);
    for (const auto& [id, item] : set->items) {
        const auto* control = dynamic_cast<const CmSvControl*>(item);
        if (!control) continue;
        EXPECT_NE(GetDlgItem(page, control->controlId), nullptr) << id;
        for (const int32_t* companion = control->companions; companion && *companion; ++companion)
            EXPECT_NE(GetDlgItem(page, *companion), nullptr) << id << " companion " << *companion;
    }
}

class QualitySheet : public SheetSets<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override {
        Start({CreateItemSet0, CreateItemSetPageSetup, CreateItemSet3, CreateItemSet4, CreateItemSet5,
               CreateItemSet21});
    }
    bool Colour() const { return std::string(GetParam()) == drvtest::kBundledPcl5cPrinter; }
    void RunSheet() {
        SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
        const LPARAM page = reinterpret_cast<LPARAM>(&data);
        drvtest::RunSheet(module,
                          {{IDD_PAGE_SETUP, CmProc::DialogProcFor<SetProc<kPageSetupSetId>>, page},
                           {IDD_PAPER_SOURCE, CmProc::DialogProcFor<SetProc<kPaperSourceSetId>>, page},
                           {IDD_QUALITY, CmProc::DialogProcFor<SetProc<kQualitySetId>>, page},
                           {IDD_DEVICE_SETTINGS, CmProc::DialogProcFor<SetProc<kDeviceSettingsSetId>>, page}},
                          "Printing preferences");
    }
};

TEST_P(QualitySheet, PaperSourceAndQualityPagesStoreWhatTheUserChoseUnderTheRules) {
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        ASSERT_TRUE(sheet.SelectPage(1));
        HWND p = sheet.Page();
        ExpectControlsOf(registry->FindPage(kPaperSourceSetId), p);
        const std::vector<std::string> sources{"Auto select", "Tray 1", "Tray 2", "Tray 3", "Tray 4", "Bypass tray"};
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_SOURCE_ALL), sources);
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_SOURCE_COVER), sources);
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_SOURCE_INTERLEAF),
                  std::vector<std::string>(sources.begin(), sources.end() - 1));
        // Interleaf sheets are printed on: a choice of the interleaf selection, kept by the others.
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAPER_SELECTION, "Interleaved sheets"));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_INTERLEAF_PRINT, BST_CHECKED));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAPER_SELECTION, "First, other and last page"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_SOURCE_FIRST, "Tray 2"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_SOURCE_OTHER, "Tray 4"));
        // The lists that share the other pages' source show it at once.
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_ALL), "Tray 4");
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_OTHER_COVER), "Tray 4");
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_FIRST_2ND), "Tray 2");

        ASSERT_TRUE(sheet.SelectPage(2));
        p = sheet.Page();
        ExpectControlsOf(registry->FindPage(kQualitySetId), p);
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_COLOUR),
                  (std::vector<std::string>{"Black and white", "Colour", "Automatic"}));
        if (Colour()) {
            EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_COLOUR, "Automatic"));
        } else {
            // A monochrome engine: black and white, and the list cannot be used.
            EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_COLOUR), "Black and white");
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_COLOUR)));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_COLOUR_MODE)));
        }
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PRINT_IMAGE, "Photo"));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_CATALOG, BST_CHECKED));

        // A5 on the page-setup page: no booklet on it, and tray 4 gives way to automatic selection.
        ASSERT_TRUE(sheet.SelectPage(0));
        p = sheet.Page();
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "4 pages per sheet"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_SIZE, "A5"));
        EXPECT_EQ(ReadOptionShort(ctx, user->GetSettingsSource(), kOptLayoutMode), kModePagesPerSheet);
        ASSERT_TRUE(sheet.SelectPage(2));
        p = sheet.Page();
        EXPECT_EQ(SendMessageA(GetDlgItem(p, IDC_CATALOG), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_CATALOG)));
        ASSERT_TRUE(sheet.SelectPage(1));
        p = sheet.Page();
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_ALL), "Auto select");
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_OTHER), "Auto select");
        // The first page's tray 2 holds no A5 either; tray 4 cannot be chosen for any page kind.
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_FIRST), "Auto select");
        EXPECT_EQ(drvtest::ReadSelectedEntry(p, IDC_SOURCE_COVER), "Auto select");
        drvtest::ChooseEntryByText(p, IDC_SOURCE_LAST, "Tray 4");
        EXPECT_NE(drvtest::ReadSelectedEntry(p, IDC_SOURCE_LAST), "Tray 4");
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_SOURCE_LAST, "Tray 1"));

        ASSERT_TRUE(sheet.SelectPage(3));
        p = sheet.Page();
        ExpectControlsOf(registry->FindPage(kDeviceSettingsSetId), p);
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_SPOOL), (std::vector<std::string>{"Automatic", "On the host", "Off"}));
        EXPECT_NE(registry->FindControlItem(kDeviceSettingsSetId, IDC_ABOUT), nullptr);
        EXPECT_TRUE(sheet.PressOk());
    });
    RunSheet();
    EXPECT_EQ(person.sheetsSeen(), 1);

    const uint8_t* request = ctx->svc->GetDevmode(ctx, 3);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptPaperSelection), kSelectFirstOtherLast);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptFirstPageSource), 7);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptLastPageSource), 1);
    EXPECT_EQ(publicdm::U16(request, kPublicDefaultSource), 7);
    EXPECT_EQ(ReadOptionWord(ctx, request, kOptSourceFlags) & 2u, 2u);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptPrintImage), 1);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptColour), Colour() ? 2 : 0);
    EXPECT_EQ(publicdm::U16(request, kPublicColour), Colour() ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    EXPECT_EQ(ReadOptionWord(ctx, request, kOptQualityFlags) >> kAutoColourBit & 1u, Colour() ? 1u : 0u);
    // Four pages per sheet turned the catalogue off, which ended only its own mode.
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptLayoutMode), kModePagesPerSheet);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptPagesPerSheet), 1);
}

TEST_P(QualitySheet, LayoutOptionsDialogStoresEdgingAndPrintPositions) {
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        ExpectControlsOf(registry->FindPage(kLayoutOptionsSetId), dialog);
        EXPECT_EQ(drvtest::ReadEntries(dialog, IDC_DATE_POSITION).size(), 7u);
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_USER_POSITION, "Lower left"));
        // Default puts the dialog's settings back as the default device mode has them.
        EXPECT_TRUE(drvtest::Click(dialog, IDC_PAGE_DEFAULT));
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, IDC_USER_POSITION), "Do not print");
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_EDGING, "Dotted line"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_DATE_POSITION, "Lower right"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_PAGE_NUMBER_POSITION, "Upper centre"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetModalDialog};
    DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_LAYOUT_OPTIONS), nullptr,
                    CmProc::DialogProcFor<SetProc<kLayoutOptionsSetId>>, reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ(person.dialogsSeen(), 1);
    const uint8_t* settings = user->GetSettingsSource();
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptEdging), 4);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptDatePosition), 0x1020);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptPageNumberPosition), 0x1002);
    EXPECT_EQ(ReadOptionShort(ctx, settings, kOptUserPosition) & kPrintsBit, 0);
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, QualitySheet,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
