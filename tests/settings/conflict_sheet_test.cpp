// A sheet over the real rule engine: its start registers every item and choice and runs the
// initial conflicts; the rules then read and change items, choices and controls through the
// callbacks, and the registry stores what they changed and marks the controls to rewrite.
#include "sheet_fixture.h"

#include "settings/registry/choice_item.h"
#include "settings/registry/rule_callbacks.h"
#include "settings/registry/rule_message.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sheettest;

namespace {

// The initial rules of every sheet below: a monochrome page is never collated, and hides the
// back-to-front order.
constexpr const char* kColourRules =
    "Test$Collate(OFF) :- Test$Colour(MONO), disable.\n"
    "Test$Collate(_) :- enable.\n"
    "$$(_) :- Test$Order(_), Test$Colour(MONO), disable_element(Test$Order, [BACK]).\n";

std::vector<UINT> g_messages;

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx = fixture.Make(kKindUserInterface);
        ASSERT_NE(ctx, nullptr);
        previousShow = RegisterRuleMessageShow([](UIDEVDATA*, HWND, UINT id) {
            g_messages.push_back(id);
            return 1;
        });
        g_messages.clear();
    }
    void TearDown() override { RegisterRuleMessageShow(previousShow); }
    // A started sheet over settings: scale 150, colour COLOR, collated, shade 0, name "Draft".
    std::unique_ptr<Sheet> Start(const std::string& rules, int16_t colour = 1) {
        auto sheet = std::make_unique<Sheet>(ctx, rules);
        uint8_t* settings = sheet->Settings();
        SetShort(ctx, settings, kScaleOption, 150);
        SetShort(ctx, settings, kColourOption, colour);
        SetLong(ctx, settings, kFlagsOption, 1);
        SetLong(ctx, settings, kShadeOption, 0);
        char name[32] = "Draft";
        ctx->svc->SetOption(ctx, settings, kNameOption, name, sizeof name);
        EXPECT_TRUE(sheet->Start());
        return sheet;
    }

    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = nullptr;
    RuleMessageShow previousShow = nullptr;
};

NumberField* Field(Sheet& sheet, uint32_t id) { return dynamic_cast<NumberField*>(sheet.registry.FindItem(id)); }

TEST_F(SheetTest, StartRegistersItemsAndChoicesAndRunsTheInitialConflicts) {
    auto sheet = Start(kColourRules, 0);
    CmSvConflict& registry = sheet->registry;
    for (CmSv* item : sheet->items) EXPECT_EQ(registry.FindItem(item->itemId), item) << item->key;

    // Choices are pseudo-items from 0x10000 in registration order, named key@choice.
    auto* mono = registry.FindChoice("Test$Colour@MONO");
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(mono->itemId, CmSvConflict::kFirstPseudoId);
    EXPECT_EQ(registry.FindItem(CmSvConflict::kFirstPseudoId), mono);
    EXPECT_EQ(registry.FindChoice("Test$Order@INTERLEAVE")->owner, sheet->Find<OrderCombo>());
    EXPECT_EQ(registry.FindChoice("Test$Paper@B5")->Record(), &sheet->Find<PaperItem>()->table[2]);
    EXPECT_EQ(registry.nextPseudoId, CmSvConflict::kFirstPseudoId + 3 + 5 + 3 + 3);

    // A radio button leads to its group; a spin control to its number field.
    auto* colour = sheet->Find<ColourRadio>();
    EXPECT_EQ(registry.FindControlItem(kPage, ITC_COLOR), colour);
    EXPECT_EQ(registry.FindControlItem(kPage, ITC_COLLATE), sheet->Find<CollateBox>());
    EXPECT_EQ(registry.FindControlItem(kPage, 4242), nullptr);
    EXPECT_EQ(registry.FindControlItem(kPage + 1, ITC_COLLATE), nullptr);
    EXPECT_EQ(registry.FindPageDigit(kPage, ITC_SHADE_SPIN), Field(*sheet, 3007));
    ASSERT_NE(registry.FindSdkItems(0x10071), nullptr);
    EXPECT_EQ(registry.FindSdkItems(0x10071)->count(colour), 1u);

    // The initial conflicts ran, and what the rules changed is in the sheet's settings.
    auto* collate = sheet->Find<CollateBox>();
    EXPECT_EQ(collate->current, 0);
    EXPECT_EQ(collate->enabled, 0);
    EXPECT_EQ(collate->needsRedisplay, 1);
    EXPECT_EQ(collate->flags & CmSvItem::kChangedByRules, 0u);
    EXPECT_EQ(GetLong(ctx, sheet->Settings(), kFlagsOption) & 1, 0);
    EXPECT_EQ(sheet->Find<OrderCombo>()->table[2].enabled, 0);
    EXPECT_TRUE(registry.changed.empty());

    // A change runs the rules of the items that depend on it.
    colour->current = 1;
    registry.Evaluate(ctx, colour, 1);
    EXPECT_EQ(collate->enabled, 1);
    EXPECT_EQ(sheet->Find<OrderCombo>()->table[2].enabled, 1);
    EXPECT_EQ(GetShort(ctx, sheet->Settings(), kColourOption), 1);
    EXPECT_EQ(colour->reference, 0u);  // the old value
}

// Each rule program answers through the callbacks; the shade field (3007) tells which clause held.
TEST_F(SheetTest, RulesReachTheItemsThroughTheCallbacks) {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "RuleTestKey", &created), ERROR_SUCCESS);
    RegCloseKey(created);
    struct Case {
        const char* rules;
        int32_t shade;  // after scale changes to 200
        std::function<void(Sheet&)> check;
    };
    auto none = [](Sheet&) {};
    const Case cases[] = {
        {"Test$Shade(1) :- Test$Scale(200), Test$Colour(COLOR).", 1, none},
        {"Test$Shade(2) :- Test$Scale(200), init_status(Test$Scale, 100), prev_status(Test$Scale, 150).", 2, none},
        {"Test$Shade(3) :- Test$Scale(200), init_status(Test$Colour, MONO), prev_status(Test$Colour, COLOR).", 3, none},
        {"Test$Shade(4) :- Test$Scale(200), prev_status(Test$Name, Draft), Test$Name(Draft).",
         4, none},
        {"Test$Shade(5) :- Test$Scale(200), cstatus(Test$Scale, 400), not cstatus(Test$Scale, 401), "
         "cstatus(Test$Order, BACK), not cstatus(Test$Order, SIDEWAYS).",
         5, none},
        {"Test$Shade(6) :- Test$Scale(200), count_element(Test$Order, ON, _, 4), get_top_enable(Test$Order, FRONT, FRONT).\n"
         "$$(_) :- Test$Order(_), Test$Colour(COLOR), hide_element(Test$Order, [BACK]).",
         6, [](Sheet& s) { EXPECT_EQ(s.Find<OrderCombo>()->table[2].shown, 0); }},
        {"Test$Shade(7) :- Test$Scale(200), action(Test$Job, [go]), action(Test$Job, [go], 7), not action(Test$Job, [no]).",
         7, [](Sheet& s) { EXPECT_EQ(s.Find<JobAction>()->calls.size(), 3u); }},
        {"Test$Shade(8) :- Test$Scale(200), status(Test$Paper, A3, Width, 110), sstatus(Test$Paper, B5, Width, 55).", 8,
         [](Sheet& s) { EXPECT_EQ(s.Find<PaperItem>()->width->written, 55); }},
        {"Test$Shade(9) :- Test$Scale(200), RegistoryCheck(HKEY_CURRENT_USER, RuleTestKey), "
         "not RegistoryCheck(HKEY_CURRENT_USER, NoSuchKey), "
         "not RegistoryCheck(HKEY_CLASSES_ROOT, Software), not FindWindow(Main), not SDK.",
         9, none},
        {"Test$Shade(10) :- Test$Scale(200), message(4).", 10, [](Sheet&) { EXPECT_EQ(g_messages, std::vector<UINT>{4}); }},
        {"Test$Shade(11) :- Test$Scale(200), not index_element(Test$Order, BACK, _).", 11, none},
        {"Test$Shade(12) :- Test$Scale(200), Test$Limit(42).", 12, none},
        {"Test$Shade(13) :- Test$Scale(200), Test$Limit(41).\nTest$Shade(14) :- Test$Scale(200).", 14, none},
        {"Test$Name(Final) :- Test$Scale(200), readonly.", 0, [](Sheet& s) {
             EXPECT_STREQ(s.Find<NameField>()->current, "Final");
             EXPECT_EQ(s.Find<NameField>()->third, 1);
         }},
        {"Test$Edge(_) :- Test$Scale(200), hide.\nTest$Edge(_) :- show.\n"
         "Test$Collate(ON) :- Test$Scale(200), disable.",
         0, [](Sheet& s) {
             EXPECT_EQ(s.Find<EdgeList>()->shown, 0);
             EXPECT_EQ(s.Find<CollateBox>()->enabled, 0);
             EXPECT_EQ(s.Find<CollateBox>()->current, 1);
         }},
        {"Test$Colour(AUTO) :- Test$Scale(200).\nTest$Paper(2) :- Test$Scale(200).", 0, [](Sheet& s) {
             EXPECT_EQ(s.Find<ColourRadio>()->current, 2u);
             EXPECT_EQ(s.Find<PaperItem>()->current, 2u);
         }},
    };
    for (const Case& c : cases) {
        auto sheet = Start(c.rules);
        g_messages.clear();
        NumberField* scale = Field(*sheet, 3006);
        scale->current = 200;
        sheet->registry.Evaluate(ctx, scale, 1);
        EXPECT_EQ(Field(*sheet, 3007)->current, c.shade) << c.rules;
        EXPECT_EQ(GetLong(ctx, sheet->Settings(), kShadeOption), c.shade) << c.rules;
        c.check(*sheet);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "RuleTestKey");
}

}  // namespace
