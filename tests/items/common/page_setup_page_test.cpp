// The page-setup page of the bundled printer with the items of item set 0 and of the page-setup
// set, driven by the scripted user. The page does for its items what the settings page does
// without rules: it loads them, writes them into their controls, reads a used control back,
// stores the change, renews the run-time choices (the page order follows the layout) and, on
// OK, stores every item.
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
#include "items/pdl/item_sets.h"
#include "core/memory/private_heap.h"
#include "platform/resources/res_file.h"
#include "settings/items/sv_multi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct HostedPage : ItemSink {
    UIDEVDATA* ctx = nullptr;
    uint8_t* settings = nullptr;
    std::vector<std::unique_ptr<CmSv>> items;
    std::vector<std::string> changed;

    void Add(CmSv* item) override { items.emplace_back(item); }
    CmSvControl* ControlFor(int id) const {
        for (const auto& item : items) {
            auto* control = dynamic_cast<CmSvControl*>(item.get());
            if (!control) continue;
            if (control->controlId == id) return control;
            if (auto* multi = dynamic_cast<CmSvMulti*>(item.get()))
                for (uint32_t i = 0; i < multi->count; ++i)
                    if (multi->Row(i)->control_id == id) return control;
        }
        return nullptr;
    }
    // Renews the run-time choices from the settings and shows every item again.
    void Refresh(HWND dialog, bool first) {
        for (const auto& item : items) {
            if (auto* init = dynamic_cast<CmSvInit*>(item.get())) init->Init(ctx, settings);
            if (auto* value = dynamic_cast<CmSvItem*>(item.get())) value->Load(ctx, settings);
            if (auto* control = dynamic_cast<CmSvControl*>(item.get())) control->ToDialog(ctx, dialog, first ? 0 : 1);
        }
    }
    void ReadBack(HWND dialog, int id) {
        CmSvControl* control = ControlFor(id);
        if (!control || !control->FromDialog(ctx, dialog, id)) return;
        auto* item = dynamic_cast<CmSvItem*>(control);
        changed.push_back(item->key);
        item->Store(ctx, settings);
        Refresh(dialog, false);
    }
};

HostedPage* g_page = nullptr;

INT_PTR CALLBACK PageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        g_page->Refresh(dialog, true);
        return TRUE;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        CmSvControl* control = g_page->ControlFor(static_cast<int>(measure->CtlID));
        return control && control->MeasureItem(measure);
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        CmSvControl* control = g_page->ControlFor(static_cast<int>(draw->CtlID));
        if (control) control->DrawItem(g_page->ctx, draw->hwndItem, static_cast<int32_t>(draw->CtlID), draw);
        return TRUE;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == CBN_SELCHANGE) g_page->ReadBack(dialog, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
            // The typed numbers are read before anything is shown again.
            for (int field : {IDC_COPIES, IDC_SCALING_RATIO})
                if (CmSvControl* control = g_page->ControlFor(field)) control->FromDialog(g_page->ctx, dialog, field);
            for (const auto& item : g_page->items)
                if (auto* value = dynamic_cast<CmSvItem*>(item.get())) value->Store(g_page->ctx, g_page->settings);
        }
        return FALSE;
    default:
        return FALSE;
    }
}

class PageSetupPage : public ::testing::Test {
protected:
    void SetUp() override {
        InitCommonControls();
        ASSERT_NE(fixture.Device(), nullptr);
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
        ASSERT_NE(module, nullptr);
        page.ctx = fixture.Device();
        page.settings = page.ctx->svc->GetUserData(page.ctx)->GetSettingsSource();
        BuildCommonItems(page);
        BuildPageSetupItems(page);
        g_page = &page;
    }
    void TearDown() override {
        g_page = nullptr;
        if (module) res::CloseResourceFile(module);
    }
    INT_PTR Run() {
        PROPSHEETPAGEA sheetPage{};
        sheetPage.dwSize = sizeof sheetPage;
        sheetPage.hInstance = module;
        sheetPage.pszTemplate = MAKEINTRESOURCEA(IDD_PAGE_SETUP);
        sheetPage.pfnDlgProc = PageProc;
        PROPSHEETHEADERA header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE;
        header.hInstance = module;
        header.pszCaption = "Printing preferences";
        header.nPages = 1;
        header.ppsp = &sheetPage;
        return PropertySheetA(&header);
    }
    uint16_t Short(uint32_t option) { return ReadOptionShort(page.ctx, page.settings, option); }
    static std::vector<std::string> Entries(HWND dialog, int id) {
        std::vector<std::string> texts;
        HWND list = GetDlgItem(dialog, id);
        for (LRESULT i = 0, n = SendMessageA(list, CB_GETCOUNT, 0, 0); i < n; ++i) {
            char text[64] = {};
            SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.emplace_back(text);
        }
        return texts;
    }
    static int IndexOf(HWND dialog, int id, const char* text) {
        return static_cast<int>(SendMessageA(GetDlgItem(dialog, id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text)));
    }

    drvtest::FixtureDevice fixture;
    HostedPage page;
    HMODULE module = nullptr;
};

TEST_F(PageSetupPage, ChoicesOfTheUserReachTheSettingsAndThePageOrderFollowsTheLayout) {
    drvtest::ScriptedSheet person;
    std::vector<std::string> twoPages, fourPages;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES_RANGE), "(1-999)");
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_SIZE, "A5"));
        EXPECT_TRUE(drvtest::Click(p, IDC_LANDSCAPE));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "2 pages per sheet"));
        twoPages = Entries(p, IDC_PAGE_ORDER);
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "4 pages per sheet"));
        fourPages = Entries(p, IDC_PAGE_ORDER);
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAGE_ORDER, "Down, then left"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_LAYOUT, "1 page per sheet"));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_SCALING, BST_CHECKED));
        EXPECT_TRUE(drvtest::Type(p, IDC_SCALING_RATIO, "80"));
        EXPECT_TRUE(drvtest::Type(p, IDC_COPIES, "12"));
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(twoPages, (std::vector<std::string>{"Top to bottom", "Bottom to top"}));
    EXPECT_EQ(fourPages,
              (std::vector<std::string>{"Left, then down", "Down, then right", "Right, then down", "Down, then left"}));
    EXPECT_EQ(Short(kOptPaperCode), 11);
    EXPECT_EQ(publicdm::U16(page.settings, publicdm::kPaperSize), 11);
    EXPECT_EQ(publicdm::U16(page.settings, publicdm::kOrientation), DMORIENT_LANDSCAPE);
    EXPECT_EQ(Short(kOptLayoutMode), kModeScaling);
    EXPECT_EQ(Short(kOptPagesPerSheet), 1) << "4 pages per sheet stored code 1, and one page keeps it";
    EXPECT_EQ(Short(kOptPageOrder), 7);
    EXPECT_EQ(Short(kOptScalingRatio), 80);
    EXPECT_EQ(publicdm::U16(page.settings, publicdm::kCopies), 12);
}

TEST_F(PageSetupPage, PaperTooltipTellsTheSizeInMillimetresAndInches) {
    drvtest::ScriptedSheet person;
    std::string a4, outOfList;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        const int index = IndexOf(p, IDC_PAGE_SIZE, "A4");
        ASSERT_GE(index, 0);
        char* text = PaperTooltipText(page.ctx, p, IDC_PAGE_SIZE, index);
        ASSERT_NE(text, nullptr);
        a4 = text;
        PrivateFree(text);
        text = PaperTooltipText(page.ctx, p, IDC_PAGE_SIZE, 5000);
        ASSERT_NE(text, nullptr);
        outOfList = text;
        PrivateFree(text);
        sheet.PressCancel();
    });
    Run();
    EXPECT_EQ(a4, "A4:\n210.0 x 297.0 mm\n8.27 x 11.69 in");
    EXPECT_EQ(outOfList, "");
}

TEST_F(PageSetupPage, CommonButtonsTurnTheLockAndTheJobOperationRenamesItsDetailButton) {
    drvtest::ScriptedSheet person;
    uint32_t lockAfterOne = 0, lockAfterTwo = 0;
    std::string holdText, secureText, storeText;
    auto lockWord = [&] {
        uint32_t word = 0;
        page.ctx->svc->GetDeviceOptionValue(page.ctx, page.ctx->svc->GetUserData(page.ctx)->GetDeviceOptionSource(),
                                            kDevOptLockWord, &word, sizeof word);
        return word;
    };
    const uint32_t lockBefore = lockWord();
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        EXPECT_TRUE(drvtest::Click(p, IDC_LOCK));
        lockAfterOne = lockWord();
        EXPECT_TRUE(drvtest::Click(p, IDC_LOCK));
        lockAfterTwo = lockWord();
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_JOB_OPERATION, "Hold"));
        holdText = drvtest::ReadText(p, IDC_JOB_OPERATION_DETAILS);
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_JOB_OPERATION, "Secure print"));
        secureText = drvtest::ReadText(p, IDC_JOB_OPERATION_DETAILS);
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_JOB_OPERATION, "Store"));
        storeText = drvtest::ReadText(p, IDC_JOB_OPERATION_DETAILS);
        EXPECT_TRUE(drvtest::Click(p, IDC_VIEW_SETTINGS));
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(lockAfterOne, lockBefore ^ 2u);
    EXPECT_EQ(lockAfterTwo, lockBefore);
    EXPECT_EQ(holdText, "Details...");
    EXPECT_EQ(secureText, "Settings...");
    EXPECT_EQ(storeText, "Settings...") << "a store leaves the text as it was";
    EXPECT_EQ(Short(kOptJobOperation), 8);
    EXPECT_NE(std::find(page.changed.begin(), page.changed.end(), "ViewSetting"), page.changed.end());
}

}  // namespace
