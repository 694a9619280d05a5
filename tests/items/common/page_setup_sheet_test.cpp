// The page-setup page as the sheet shows it: item set 0 and the page-setup set in the sheet's
// registry, the bundled rules running, the settings page forwarding every control event, and
// the request's device mode taking the settings on OK.
#include "sheet_sets_fixture.h"

#include "core/memory/private_heap.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/job_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/paper_size_items.h"
#include "items/common/paper_tooltip.h"
#include "items/common/public_devmode.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/item_sets.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <string>
#include <vector>

namespace {

class PageSetupSheet : public SheetSets<> {
protected:
    void SetUp() override {
        Start({CreateItemSet0, CreateItemSetPageSetup});
        ASSERT_NE(registry->FindItem(CmSvCB_PageSize::kItemId), nullptr);
        ASSERT_NE(registry->FindControlItem(kCommonSetId, IDC_LOCK), nullptr);
    }
    INT_PTR Run() {
        return ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<SetProc<kPageSetupSetId>>);
    }
    uint16_t Request(uint32_t option) { return ReadOptionShort(ctx, ctx->svc->GetDevmode(ctx, 3), option); }
    uint32_t LockWord() {
        uint32_t word = 0;
        ctx->svc->GetDeviceOptionValue(ctx, user->GetDeviceOptionSource(), kDevOptLockWord, &word, sizeof word);
        return word;
    }
    std::string Tooltip(HWND dialog, int id, int index) {
        std::string result = "(none)";
        if (char* text = PaperTooltipText(ctx, dialog, id, index)) {
            result = text;
            PrivateFree(text);
        }
        return result;
    }
    static int IndexOf(HWND dialog, int id, const char* text) {
        return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text)));
    }
};

TEST_F(PageSetupSheet, ChoicesReachTheRequestOnOkAndThePageOrderFollowsTheLayout) {
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES_RANGE), "(1-999)");
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_SIZE, "A5"));
        EXPECT_TRUE(drvtest::Click(p, IDC_LANDSCAPE));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "2 pages per sheet"));
        using Texts = std::vector<std::string>;
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_PAGE_ORDER), (Texts{"Top to bottom", "Bottom to top"}));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "4 pages per sheet"));
        EXPECT_EQ(drvtest::ReadEntries(p, IDC_PAGE_ORDER),
                  (Texts{"Left, then down", "Down, then right", "Right, then down", "Down, then left"}));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_ORDER, "Down, then left"));
        EXPECT_TRUE(drvtest::Type(p, IDC_COPIES, "12"));
        EXPECT_EQ(Request(kOptPaperCode), 9) << "the request changes on OK only";
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(person.sheetsSeen(), 1);
    const uint8_t* request = ctx->svc->GetDevmode(ctx, 3);
    EXPECT_EQ(Request(kOptPaperCode), 11);
    EXPECT_EQ(publicdm::U16(request, publicdm::kPaperSize), 11);
    EXPECT_EQ(publicdm::U16(request, publicdm::kOrientation), DMORIENT_LANDSCAPE);
    EXPECT_EQ(Request(kOptLayoutMode), kModePagesPerSheet);
    EXPECT_EQ(Request(kOptPagesPerSheet), 1) << "4 pages per sheet stores code 1";
    EXPECT_EQ(Request(kOptPageOrder), 7);
    EXPECT_EQ(publicdm::U16(request, publicdm::kCopies), 12);
}

TEST_F(PageSetupSheet, PaperTooltipTellsTheSizeInMillimetresAndInches) {
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_SIZE, "A5"));
        EXPECT_EQ(Tooltip(p, IDC_PAGE_SIZE, IndexOf(p, IDC_PAGE_SIZE, "A4")), "A4:\n210.0 x 297.0 mm\n8.27 x 11.69 in");
        EXPECT_EQ(Tooltip(p, IDC_PAGE_SIZE, 5000), "");
        EXPECT_EQ(Tooltip(p, IDC_OUTPUT_SIZE, IndexOf(p, IDC_OUTPUT_SIZE, "Same as page size")),
                  "Same as page size:\n148.0 x 210.0 mm\n5.83 x 8.27 in");
        sheet.PressCancel();
    });
    Run();
    EXPECT_EQ(person.sheetsSeen(), 1);
}

TEST_F(PageSetupSheet, TheLockTurnsAtOnceAndTheJobOperationRenamesItsDetailButton) {
    drvtest::ScriptedSheet person;
    const uint32_t lockBefore = LockWord();
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        EXPECT_TRUE(drvtest::Click(p, IDC_LOCK));
        EXPECT_EQ(LockWord(), lockBefore ^ 2u);
        EXPECT_TRUE(drvtest::Click(p, IDC_LOCK));
        EXPECT_EQ(LockWord(), lockBefore);
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_JOB_OPERATION, "Hold"));
        EXPECT_EQ(drvtest::ReadText(p, IDC_JOB_OPERATION_DETAILS), "Details...");
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_JOB_OPERATION, "Secure print"));
        EXPECT_EQ(drvtest::ReadText(p, IDC_JOB_OPERATION_DETAILS), "Settings...");
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_JOB_OPERATION, "Store"));
        EXPECT_EQ(drvtest::ReadText(p, IDC_JOB_OPERATION_DETAILS), "Settings...")
            << "a store leaves the text as it was";
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(person.sheetsSeen(), 1);
    EXPECT_EQ(Request(kOptJobOperation), 8);
}

}  // namespace
