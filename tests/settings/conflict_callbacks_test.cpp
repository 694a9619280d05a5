// The rule callbacks called as the engine calls them, for the answers a rule program cannot
// easily show: missing items, wrong classes and types, values that do not change, choices that
// do not exist, the message words and the registry-key test.
#include "sheet_fixture.h"

#include "settings/registry/choice_item.h"
#include "settings/registry/rule_callbacks.h"
#include "settings/registry/rule_message.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

int g_shown = 0;

class CallbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx = fixture.Make(kKindUserInterface);
        ASSERT_NE(ctx, nullptr);
        sheet = std::make_unique<Sheet>(ctx, "");
        ASSERT_TRUE(sheet->Start());
        host = ctx;
    }
    CmSvConflict& Registry() { return sheet->registry; }
    uint32_t Pseudo(const char* name) { return Registry().FindChoice(name)->itemId; }
    NumberField* Field(uint32_t id) { return dynamic_cast<NumberField*>(Registry().FindItem(id)); }

    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = nullptr;
    void* host = nullptr;
    std::unique_ptr<Sheet> sheet;
};

TEST_F(CallbackTest, MissingItemsWrongClassesAndTypesAndSettingWhatIsAlreadyThere) {
    const char* text = nullptr;
    int32_t n = 0;
    EXPECT_EQ(CmSvRuleCb_GetType(host, 999, &n), -1);
    EXPECT_EQ(CmSvRuleCb_Hide(host, 999), -1);
    EXPECT_EQ(CmSvRuleCb_IsChanged(host, 999), -1);
    // The registry finds no item by key, so every by-key entry answers "no item".
    EXPECT_EQ(CmSvRuleCb_GetTypeByKey(host, "Test$Scale", &n), -1);
    EXPECT_EQ(CmSvRuleCb_SetNumberByKey(host, "Test$Scale", 200), -1);
    EXPECT_EQ(CmSvRuleCb_MakeUnavailableByKey(host, "Test$Edge", 1), -1);

    EXPECT_EQ(CmSvRuleCb_GetValueName(host, 3006, &text), -4);  // a number has no value name
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3006, "ON"), -4);
    EXPECT_EQ(CmSvRuleCb_GetNumber(host, 3002, &n), -4);         // an on/off item has no number
    EXPECT_EQ(CmSvRuleCb_GetSourceNumber(host, 3003, &n), -4);
    EXPECT_EQ(CmSvRuleCb_SetMark(host, 3010), -2);               // the action item has no control
    EXPECT_EQ(CmSvRuleCb_HideOption(host, 3006, "A"), -2);
    EXPECT_EQ(CmSvRuleCb_DoAction(host, 3006, 0, nullptr), -2);
    EXPECT_EQ(CmSvRuleCb_GetProperty(host, 3006, nullptr, "Width", &n), -2);
    EXPECT_EQ(CmSvRuleCb_VListCall2(host, 3004, &n), -2);  // no item is a list of elements
    EXPECT_EQ(CmSvRuleCb_VListSet(host, 3004, nullptr, &n), -2);
    EXPECT_EQ(CmSvRuleCb_VListMatch(host, 3004, 0, "A", &text), -2);
    EXPECT_EQ(CmSvRuleCb_VListMatch1(host, 3004, "A", &text), -2);
    EXPECT_EQ(CmSvRuleCb_IsChanged(host, CmSvConflict::kFirstPseudoId), -2);

    EXPECT_EQ(CmSvRuleCb_GetType(host, static_cast<int32_t>(Pseudo("Test$Order@BACK")), &n), 0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(CmSvRuleCb_GetStringLength(host, 3008, &n), 0);
    EXPECT_EQ(n, 32);
    EXPECT_EQ(CmSvRuleCb_HasControl(host, 3010, &n), 0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(CmSvRuleCb_GetProperty(host, 3011, nullptr, "Height", &n), -1);
    PieValue value{6, 0};
    EXPECT_EQ(CmSvRuleCb_PropertyCall0(host, 3011, "C4", "Width", &value), -1);

    auto* collate = sheet->Find<CollateBox>();
    collate->current = 1;
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3002, "ON"), 0);
    EXPECT_TRUE(Registry().changed.empty());
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3002, "on"), -3);  // value names are case-sensitive
    // Any value other than 1 reads as off; "ON" makes it 1.
    collate->current = 5;
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3002, "ON"), 0);
    EXPECT_EQ(collate->current, 1);
    EXPECT_EQ(CmSvRuleCb_IsChanged(host, 3002), 1);
    EXPECT_EQ(Registry().changed.count(collate), 1u);

    auto* scale = Field(3006);
    const int32_t before = scale->current;
    EXPECT_EQ(CmSvRuleCb_SetNumber(host, 3006, 401), 0);  // out of range: left, still 0
    EXPECT_EQ(scale->current, before);
    EXPECT_EQ(CmSvRuleCb_SetNumber(host, 3006, 400), 0);
    EXPECT_EQ(scale->current, 400);

    // A choice by value, else by a name that is the number; neither: -3.
    EXPECT_EQ(CmSvRuleCb_SetNumber(host, 3004, 4), 0);
    EXPECT_EQ(sheet->Find<OrderCombo>()->current, 4u);
    EXPECT_EQ(CmSvRuleCb_SetNumber(host, 3004, 77), -3);
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3004, "NONE"), -3);

    // A text that does not fit the item is refused and leaves the text.
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3008, std::string(40, 'x').c_str()), -3);
    EXPECT_EQ(CmSvRuleCb_SetValueName(host, 3008, "Proof"), 0);
    EXPECT_STREQ(sheet->Find<NameField>()->current, "Proof");
    EXPECT_EQ(CmSvRuleCb_GetReferenceValueName(host, 3008, &text), 0);
    EXPECT_STRNE(text, "Proof");  // the reference stays what was loaded
}

TEST_F(CallbackTest, ControlsAndChoicesChangeOnlyWhenTheirStateDiffersAndMessagesAndHostAnswer) {
    auto* edge = sheet->Find<EdgeList>();
    EXPECT_EQ(CmSvRuleCb_Hide(host, 3005), 0);
    EXPECT_EQ(edge->shown, 0);
    EXPECT_EQ(edge->enabled, 0);
    EXPECT_EQ(edge->shownChanged + edge->enabledChanged, 2);
    EXPECT_EQ(Registry().changed.count(edge), 1u);
    Registry().changed.clear();
    EXPECT_EQ(CmSvRuleCb_Enable(host, 3005), 0);  // hidden: stays disabled
    EXPECT_EQ(edge->enabled, 0);
    EXPECT_TRUE(Registry().changed.empty());
    EXPECT_EQ(CmSvRuleCb_MakeUnavailable(host, 3005, 0), 0);  // without the engine's bit: nothing
    EXPECT_EQ(edge->available, 1);
    EXPECT_EQ(CmSvRuleCb_MakeUnavailable(host, 3005, 1), 0);
    EXPECT_EQ(edge->available, 0);
    EXPECT_EQ(CmSvRuleCb_Show(host, 3005), 0);  // an unavailable item stays hidden
    EXPECT_EQ(edge->shown, 0);

    // A choice through its pseudo-item: the owner's control is flagged and the owner collected.
    auto* order = sheet->Find<OrderCombo>();
    Registry().changed.clear();
    const auto back = static_cast<int32_t>(Pseudo("Test$Order@BACK"));
    EXPECT_EQ(CmSvRuleCb_Disable(host, back), 0);
    EXPECT_EQ(order->table[2].enabled, 0);
    EXPECT_EQ(order->enabledChanged, 1);
    EXPECT_EQ(Registry().changed.count(order), 1u);
    EXPECT_EQ(CmSvRuleCb_Hide(host, back), 0);
    EXPECT_EQ(CmSvRuleCb_Enable(host, back), 0);  // hidden: no
    EXPECT_EQ(order->table[2].enabled, 0);
    EXPECT_EQ(CmSvRuleCb_Show(host, back), 0);
    EXPECT_EQ(order->table[2].shown, 1);
    EXPECT_EQ(CmSvRuleCb_MakeUnavailable(host, back, 1), 0);
    EXPECT_EQ(order->table[2].available, 0);
    EXPECT_EQ(order->table[2].shown, 0);
    EXPECT_EQ(CmSvRuleCb_ShowOption(host, 3004, "BACK"), 0);  // a choice that does not exist stays
    EXPECT_EQ(order->table[2].shown, 0);
    EXPECT_EQ(CmSvRuleCb_HideOption(host, 3004, "SIDEWAYS"), -3);

    int32_t n = -1;
    EXPECT_EQ(CmSvRuleCb_DisableOption(host, 3004, "FRONT"), 0);
    EXPECT_EQ(CmSvRuleCb_CountOptions(host, 3004, nullptr, "ON", &n), 0);  // (shown, enabled)
    EXPECT_EQ(n, 3);
    EXPECT_EQ(CmSvRuleCb_CountOptions(host, 3004, "ON", "OFF", &n), 0);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(CmSvRuleCb_CountOptions(host, 3004, "on", nullptr, &n), -3);
    EXPECT_EQ(CmSvRuleCb_IsOptionEnabled(host, 3004, "FRONT", &n), 0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(CmSvRuleCb_IsOptionShown(host, 3004, nullptr, &n), -3);
    const char* first = nullptr;
    EXPECT_EQ(CmSvRuleCb_FirstUsableOption(host, 3004, &first), 0);
    EXPECT_STREQ(first, "OFF");
    EXPECT_EQ(CmSvRuleCb_EnableOption(host, 3004, "FRONT"), 0);
    EXPECT_EQ(order->table[0].enabled, 1);

    auto* name = sheet->Find<NameField>();
    EXPECT_EQ(CmSvRuleCb_SetMark(host, 3008), 0);
    EXPECT_EQ(name->third, 1);
    EXPECT_EQ(CmSvRuleCb_ClearMark(host, 3008), 0);
    EXPECT_EQ(name->third, 0);
    EXPECT_EQ(name->thirdChanged, 1);

    auto previous = RegisterRuleMessageShow([](UIDEVDATA*, HWND, UINT) { return ++g_shown; });
    g_shown = 0;
    Registry().showOnce = 1;
    EXPECT_EQ(CmSvRuleCb_ShowMessage(host, 4), 0);
    EXPECT_EQ(CmSvRuleCb_ShowMessage(host, 5), 0);
    EXPECT_EQ(g_shown, 1);  // once per evaluation
    Registry().Evaluate(ctx, sheet->Find<CollateBox>(), 0);
    EXPECT_EQ(CmSvRuleCb_ShowMessage(host, 5), 0);
    EXPECT_EQ(g_shown, 2);
    Registry().showOnce = 0;
    Registry().restoring = 1;
    EXPECT_EQ(CmSvRuleCb_ShowMessage(host, 6), 0);
    EXPECT_EQ(g_shown, 2);  // none while defaults are restored
    Registry().restoring = 0;
    RegisterRuleMessageShow(previous);

    EXPECT_EQ(CmSvRuleCb_True(host), 1);
    EXPECT_EQ(CmSvRuleCb_Zero(host, "text"), 0);
    EXPECT_EQ(CmSvRuleCb_Refuse(host, "Main"), -3);
    EXPECT_EQ(CmSvRuleCb_IsModeSet(host), 0);
    Registry().noDialog = 1;
    EXPECT_EQ(CmSvRuleCb_IsModeSet(host), 1);
    EXPECT_EQ(CmSvRuleCb_RegistryKeyExists(host, "HKEY_CLASSES_ROOT", "Software"), -3);
    EXPECT_EQ(CmSvRuleCb_RegistryKeyExists(host, "HKEY_CURRENT_USER", "NoSuchKeyAtAll"), -3);
}

}  // namespace
