// The profile list at the top of the bundled printer's page-setup page, on the real sheet with the
// bundled rules: it lists the printer's profiles, and a person's choice lays the profile over
// the sheet's settings, the other controls following, reaching the request on OK only.
#include "profile_fixture.h"

#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/item_sets.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/sheet_data.h"

namespace profiletest {
namespace {

class PageSetupProfiles : public SheetSets<> {
protected:
    void SetUp() override { Start({CreateItemSet0, CreateItemSetPageSetup}); }
    INT_PTR Run() {
        return ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<SetProc<kPageSetupSetId>>);
    }
    const uint8_t* RequestDm() { return ctx->svc->GetDevmode(ctx, 3); }
    std::string Applied() {
        char name[33] = {};
        ctx->svc->GetOption(ctx, RequestDm(), 101, name, 32);
        return name;
    }
    uint32_t Flags() {
        uint32_t flags = 0;
        ctx->svc->GetOption(ctx, RequestDm(), 100, &flags, sizeof flags);
        return flags;
    }
};

TEST_F(PageSetupProfiles, TheChosenProfileReachesThePageAndTheRequestOnOk) {
    drvtest::ScriptedSheet person;
    std::vector<std::string> listed;
    std::string copiesShown, selectedAfter;
    bool landscapeShown = false;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        HWND p = sheet.Page();
        listed = drvtest::ReadEntries(p, IDC_PROFILE);
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PROFILE, "Landscape"));
        landscapeShown = IsDlgButtonChecked(p, IDC_LANDSCAPE) == BST_CHECKED;
        EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PROFILE, "Two copies"));
        copiesShown = drvtest::ReadText(p, IDC_COPIES);
        selectedAfter = drvtest::ReadSelectedEntry(p, IDC_PROFILE);
        EXPECT_EQ(Applied(), "") << "the request changes on OK only";
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(listed, (std::vector<std::string>{"Factory settings", "Landscape", "Two-sided", "Default",
                                                "Two-sided, short edge", "Two copies"}));
    EXPECT_TRUE(landscapeShown);
    EXPECT_EQ(copiesShown, "2");
    EXPECT_EQ(selectedAfter, "Two copies");
    EXPECT_EQ(Applied(), "Two copies");
    EXPECT_EQ(publicdm::U16(RequestDm(), publicdm::kCopies), 2);
    EXPECT_EQ(publicdm::U16(RequestDm(), publicdm::kOrientation), DMORIENT_PORTRAIT);
    EXPECT_EQ(Flags() & 0x64, 0x40u) << "a built-in profile is marked as one";
}

TEST_F(PageSetupProfiles, CancelLeavesTheRequestAndAUserProfileKeepsTheJobsPaper) {
    {
        drvtest::ScriptedSheet person;
        person.OnSheet([&](drvtest::SheetDriver& sheet) {
            EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_PROFILE, "Landscape"));
            sheet.PressCancel();
        });
        Run();
    }
    EXPECT_EQ(publicdm::U16(RequestDm(), publicdm::kOrientation), DMORIENT_PORTRAIT);
    EXPECT_EQ(Applied(), "");

    // A job whose paper is fixed (bits 11 to 13 of option 100) keeps it whatever the profile says.
    uint8_t* settings = user->GetSettingsSource();
    const uint16_t a5 = 11;
    uint32_t flags = 0;
    ctx->svc->GetOption(ctx, settings, 100, &flags, sizeof flags);
    flags |= 0x800;
    ASSERT_TRUE(ctx->svc->SetOption(ctx, settings, 100, &flags, sizeof flags));
    ASSERT_TRUE(ctx->svc->SetOption(ctx, settings, 112, &a5, sizeof a5));
    ASSERT_TRUE(ctx->svc->SetOption(ctx, settings, 116, &a5, sizeof a5));
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_PROFILE, "Landscape"));
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(Applied(), "Landscape");
    EXPECT_EQ(publicdm::U16(RequestDm(), publicdm::kOrientation), DMORIENT_LANDSCAPE);
    EXPECT_EQ(ReadOptionShort(ctx, RequestDm(), 116), a5);
    EXPECT_EQ(Flags() & 0x800, 0x800u);
}

}  // namespace
}  // namespace profiletest
