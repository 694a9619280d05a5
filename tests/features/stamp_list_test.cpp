// The stamp list of the bundled printer's page-setup page, on the real sheet with the bundled
// rules: it lists the printer's watermark presets, a chosen preset reaches the request on OK, and
// the list follows a profile chosen on the same page.
#include "watermark_fixture.h"

#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/watermark_view.h"
#include "items/pdl/item_set_registry.h"
#include "items/pdl/item_sets.h"
#include "tests/items/common/sheet_sets_fixture.h"
#include "ui/sheet_data.h"

namespace watermarktest {
namespace {

class PageSetupStamps : public SheetSets<> {
protected:
    void SetUp() override {
        AddStored("Mine");
        EditableWaterMarkOf(ctx)->Update(1);
        Start({CreateItemSet0, CreateItemSetPageSetup});
    }
    void AddStored(const char* name) {
        auto& marks = dynamic_cast<PDLWaterMark&>(*EditableWaterMarkOf(ctx));
        marks.InitWorkingList();
        Record record;
        watermark::CopyText(record.text, sizeof record.text, name);
        ASSERT_TRUE(marks.AddPreset(record));
        ASSERT_TRUE(marks.CommitWorkingList());
    }
    INT_PTR Run() {
        return ShowPage(IDD_PAGE_SETUP, CmProc::DialogProcFor<SetProc<kPageSetupSetId>>);
    }
    std::string RequestField(DWORD option) {
        char text[33] = {};
        ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), option, text, 32);
        return text;
    }
};

TEST_F(PageSetupStamps, TheStampListShowsThePresetsAndAChosenOneReachesTheRequest) {
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        const std::vector<std::string> listed = drvtest::ReadEntries(sheet.Page(), IDC_STAMP_SELECT);
        ASSERT_GE(listed.size(), 9u);
        EXPECT_EQ(std::vector<std::string>(listed.end() - 9, listed.end()),
                  (std::vector<std::string>{"CONFIDENTIAL", "COPY", "DRAFT", "SAMPLE", "URGENT", "PRIVATE", "FINAL",
                                            "TOP SECRET", "New watermark"}));
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_STAMP_SELECT, "URGENT"));
        EXPECT_TRUE(sheet.PressOk());
    });
    Run();
    EXPECT_EQ(person.sheetsSeen(), 1);
    EXPECT_EQ(RequestField(watermark::kOptName), "URGENT");
    EXPECT_EQ(RequestField(watermark::kOptText), "URGENT");
}

// The user presets the sheet's watermark object lists.
uint32_t UserPresets(UIDEVDATA* ctx) {
    const CmWaterMark& marks = WaterMarkOf(ctx);
    uint32_t users = 0;
    for (uint32_t i = 0; i < marks.Count(); ++i) users += marks.Id(i) > 8;
    return users;
}

TEST_F(PageSetupStamps, AnAppliedProfileRebuildsThePresets) {
    const uint32_t before = UserPresets(ctx);
    // Stored meanwhile by another sheet of the same printer.
    PDLWaterMark other(fixture.Device(), 0);
    other.InitWorkingList();
    ASSERT_TRUE(other.AddPreset(Record{}));
    ASSERT_TRUE(other.CommitWorkingList());
    EXPECT_EQ(UserPresets(ctx), before);
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& sheet) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_PROFILE, "Landscape"));
        sheet.PressCancel();
    });
    Run();
    EXPECT_EQ(UserPresets(ctx), before + 1);
}

}  // namespace
}  // namespace watermarktest
