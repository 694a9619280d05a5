// The page-setup page as the sheet shows it: item set 0 and the page-setup set in the sheet's
// registry, the bundled rules running, the settings page forwarding every control event, and
// the request's device mode taking the settings on OK.
#include "core/memory/private_heap.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
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
#include "platform/resources/res_file.h"
#include "settings/registry/conflict.h"
#include "settings/registry/item_set.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

class PageSetupProc : public CmSvProc {
public:
    PageSetupProc() : CmSvProc(kPageSetupSetId, 0) {}
};

TEST(PageSetupSheet, TheSetsRunUnderTheRulesAndOkCommitsThePage) {
    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    ASSERT_NE(ctx, nullptr);
    InitCommonControls();
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(module, nullptr);
    CmUserData* user = ctx->svc->GetUserData(ctx);
    auto* registry = new CmSvConflict;
    user->SetConflict(registry);
    ASSERT_EQ(registry->StartRules(ctx), 1);
    CmSvItemSet* common = CreateItemSet0(ctx, *registry);
    CmSvItemSet* pageSetup = CreateItemSetPageSetup(ctx, *registry);
    registry->StartEngine(ctx);
    ASSERT_NE(registry->FindItem(CmSvCB_PageSize::kItemId), nullptr);
    ASSERT_NE(registry->FindControlItem(kCommonSetId, IDC_LOCK), nullptr);

    SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.hInstance = module;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_PAGE_SETUP);
    page.pfnDlgProc = CmProc::DialogProcFor<PageSetupProc>;
    page.lParam = reinterpret_cast<LPARAM>(&data);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.pszCaption = "Printing preferences";
    header.nPages = 1;
    header.ppsp = &page;

    uint32_t lockWord = 0;
    std::string sameAsPage;
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_SIZE, "A5"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "4 pages per sheet"));
        EXPECT_TRUE(drvtest::Click(p, IDC_LANDSCAPE));
        EXPECT_TRUE(drvtest::Click(p, IDC_LOCK));
        ctx->svc->GetDeviceOptionValue(ctx, user->GetDeviceOptionSource(), kDevOptLockWord, &lockWord,
                                       sizeof lockWord);
        const int same = static_cast<int>(SendMessageA(GetDlgItem(p, IDC_OUTPUT_SIZE), CB_FINDSTRINGEXACT,
                                                       static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>("Same as page size")));
        if (char* text = PaperTooltipText(ctx, p, IDC_OUTPUT_SIZE, same)) {
            sameAsPage = text;
            PrivateFree(text);
        }
        EXPECT_TRUE(sheet.PressOk());
    });
    PropertySheetA(&header);
    EXPECT_EQ(lockWord & 2u, 2u);
    EXPECT_EQ(sameAsPage, "Same as page size:\n148.0 x 210.0 mm\n5.83 x 8.27 in");

    const uint8_t* request = ctx->svc->GetDevmode(ctx, 3);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptPaperCode), 11);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptLayoutMode), kModePagesPerSheet);
    EXPECT_EQ(ReadOptionShort(ctx, request, kOptPagesPerSheet), 1);
    EXPECT_EQ(publicdm::U16(request, publicdm::kOrientation), DMORIENT_LANDSCAPE);

    user->SetConflict(nullptr);
    delete registry;
    DestroyItemSet(pageSetup);
    DestroyItemSet(common);
    res::CloseResourceFile(module);
}

}  // namespace
