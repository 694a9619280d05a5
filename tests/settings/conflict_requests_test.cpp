// Requests that reach the registry besides a control: option requests fanned out over the items
// of an option key, previews, a page's defaults, and the re-evaluation that rebuilds run-time
// choice tables; each runs the rules of what it changed.
#include "sheet_fixture.h"

#include "settings/registry/choice_item.h"
#include "settings/registry/rule_callbacks.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

constexpr const char* kRules =
    "Test$Collate(OFF) :- Test$Colour(MONO), disable.\n"
    "Test$Collate(_) :- enable.\n"
    "Test$Shade(3) :- Test$Paper(B5).\n"
    "Test$Edge(RIGHT) :- Test$Scale(100).\n";

class RequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx = fixture.Make(kKindUserInterface);
        ASSERT_NE(ctx, nullptr);
        sheet = std::make_unique<Sheet>(ctx, kRules);
        SetShort(ctx, sheet->Settings(), kColourOption, 1);
        SetShort(ctx, sheet->Settings(), kScaleOption, 150);
        SetLong(ctx, sheet->Settings(), kShadeOption, 0);
    }
    CmSvConflict& Registry() { return sheet->registry; }

    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = nullptr;
    std::unique_ptr<Sheet> sheet;
};

TEST_F(RequestTest, OptionRequestsGoToEveryItemOfTheKeyAndRunTheRules) {
    ASSERT_TRUE(sheet->Start());
    // A second item under the colour's key: the fan-out answers the last one in key order.
    ColourRadio* second = new ColourRadio(kColourOption, 0x10071u, "Test$Colour2", 3020u, 0u, 3u, kColourRows,
                                          ITC_COLOR_GROUP, static_cast<const int32_t*>(nullptr), 1, 1);
    sheet->items.push_back(second);
    sheet->set->AddItem(ctx, second);
    second->current = 2;
    int32_t value = 0;
    EXPECT_EQ(Registry().SdkRequest(ctx, 2, 0x10071, &value), kSdkDone);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(Registry().SdkRequest(ctx, 2, 0x10999, &value), kSdkNotSupported);
    EXPECT_EQ(Registry().AnySdkControlEnabled(ctx, 0x10071), 1);
    EXPECT_EQ(Registry().GetSdkItemAvailability(ctx, 0x10071), 1);
    EXPECT_EQ(Registry().IsSdkItemEnabled(ctx, 0x10999), 0);

    // Setting MONO through the key changes both items; the rules turn collation off.
    uint32_t options = 0;
    PIE_get_options(Registry().engine, &options);
    int32_t mono = 10;
    EXPECT_EQ(Registry().SdkSetValue(ctx, 0x10071, &mono), kSdkDone);
    EXPECT_EQ(sheet->Find<ColourRadio>()->current, 0u);
    EXPECT_EQ(sheet->Find<CollateBox>()->enabled, 0);
    EXPECT_EQ(GetShort(ctx, sheet->Settings(), kColourOption), 0);
    uint32_t after = 0;
    PIE_get_options(Registry().engine, &after);
    EXPECT_EQ(after, options);
    EXPECT_EQ(Registry().SdkSetValue(ctx, 0x10999, &mono), kSdkNotSupported);
    EXPECT_EQ(Registry().collecting, nullptr);
}

TEST_F(RequestTest, APreviewEventRunsTheRulesOfItsItem) {
    ASSERT_TRUE(sheet->Start());
    EXPECT_EQ(Registry().OnPreviewEvent(ctx, 6, 2, 0, 0, 0), 0);  // no item for the key
    EXPECT_EQ(Registry().OnPreviewEvent(ctx, 5, 2, 0, 0, 0), 1);
    EXPECT_EQ(sheet->Find<PaperItem>()->current, 2u);
    EXPECT_EQ(GetShort(ctx, sheet->Settings(), PaperItem::kPaperOption), 2);
    EXPECT_EQ(GetLong(ctx, sheet->Settings(), kShadeOption), 3);
    EXPECT_EQ(Registry().OnPreviewEvent(ctx, 5, 2, 0, 0, 0), 0);  // nothing changed
}

TEST_F(RequestTest, PageDefaultsAreLoadedStoredAndEvaluated) {
    ASSERT_TRUE(sheet->Start());
    auto* scale = dynamic_cast<NumberField*>(Registry().FindItem(3006));
    EXPECT_EQ(scale->current, 150);
    Registry().ApplyPageAndChildren(ctx, kPage);
    EXPECT_EQ(scale->current, 100);  // the default device mode's
    EXPECT_EQ(GetShort(ctx, sheet->Settings(), kScaleOption), 100);
    EXPECT_EQ(scale->needsRedisplay, 1);
    EXPECT_EQ(sheet->Find<EdgeList>()->current, 2u);  // the rules ran on the default
    EXPECT_EQ(Registry().restoring, 0);
    Registry().RestorePageDefaults(ctx, kPage + 7);  // an unknown page: nothing
    EXPECT_EQ(Registry().restoring, 0);
}

TEST_F(RequestTest, UnsupportedSettingsBecomeUnavailableAndNoProgramMeansNoEngine) {
    sheet->unsupported = {"Test$Edge"};
    ASSERT_TRUE(sheet->Start());
    auto* edge = sheet->Find<EdgeList>();
    EXPECT_EQ(edge->available, 0);
    EXPECT_EQ(edge->shown, 0);
    EXPECT_EQ(sheet->registry.program->unsupported, std::vector<std::string>{"Test$Edge"});

    // A sheet without any rule program runs without an engine.
    struct NoProgram : CmSvConflict {
        CmSvRuleProgram* CreateRuleProgram(UIDEVDATA*) override { return nullptr; }
    } bare;
    EXPECT_EQ(bare.StartRules(ctx), 0);
    EXPECT_EQ(bare.engine, nullptr);
    EXPECT_EQ(bare.StartEngine(ctx), 1);  // the items keep their loaded values
}

TEST_F(RequestTest, ReevaluateRebuildsRunTimeChoicesUnderTheirNames) {
    ASSERT_TRUE(sheet->Start());
    auto* tray = new TrayItem;
    sheet->items.push_back(tray);
    sheet->set->AddItem(ctx, tray);
    CmSvChoiceItem* manual = Registry().FindChoice("Test$Tray@MANUAL");
    CmSvChoiceItem* second = Registry().FindChoice("Test$Tray@CASSETTE2");
    ASSERT_NE(manual, nullptr);
    ASSERT_NE(second, nullptr);
    tray->current = 2;  // MANUAL
    tray->reference = 1;
    const uint32_t next = Registry().nextPseudoId;

    // The device now has the manual feed first and no second cassette.
    tray->trays = {{"MANUAL", 4}, {"CASSETTE1", 1}};
    Registry().Reevaluate(ctx, nullptr, kPage);
    EXPECT_EQ(Registry().nextPseudoId, next);  // no pseudo-item was made again
    EXPECT_EQ(Registry().FindChoice("Test$Tray@MANUAL"), manual);
    EXPECT_EQ(manual->Record(), &tray->rows[0]);
    EXPECT_EQ(second->Record(), nullptr);
    EXPECT_EQ(tray->current, 0u);    // MANUAL, found again by its value
    EXPECT_EQ(tray->reference, 0u);  // CASSETTE2 is gone: the first choice
    EXPECT_EQ(CmSvRuleCb_Disable(static_cast<void*>(ctx), static_cast<int32_t>(second->itemId)), -3);
    EXPECT_EQ(Registry().busy, 0);

    tray->trays = {{"MANUAL", 4}, {"CASSETTE2", 2}, {"CASSETTE5", 5}};
    Registry().Reevaluate(ctx, nullptr, kPage);
    EXPECT_EQ(second->Record(), &tray->rows[1]);  // back under its old pseudo-item
    EXPECT_EQ(Registry().nextPseudoId, next + 1);
}

}  // namespace
