// A sheet over the real rule engine: its start registers every item and choice and runs the
// initial conflicts; the rules then read and change items, choices and controls through the
// callbacks, and the registry stores what they changed and marks the controls to rewrite.
#include "sheet_fixture.h"

#include "settings/choice_item.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

UIDEVDATA* NewSheetRequest(drvtest::FixtureDevice& fixture) { return fixture.Make(kKindUserInterface); }

TEST(ConflictSheet, Experiment) {
    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = NewSheetRequest(fixture);
    ASSERT_NE(ctx, nullptr);
    Sheet sheet(ctx,
                "Test$Collate(OFF) :- Test$Colour(MONO), disable.\n"
                "Test$Collate(_) :- enable.\n"
                "$$(_) :- Test$Order(_), Test$Colour(MONO), disable_element(Test$Order, [BACK]).\n");
    SetShort(ctx, sheet.Settings(), kColourOption, 0);
    SetLong(ctx, sheet.Settings(), kFlagsOption, 1);
    ASSERT_TRUE(sheet.Start());
    auto* collate = sheet.Find<CollateBox>();
    EXPECT_EQ(collate->current, 0);
    EXPECT_EQ(collate->enabled, 0);
    auto* order = sheet.Find<OrderCombo>();
    EXPECT_EQ(order->table[2].enabled, 0);
    EXPECT_EQ(GetLong(ctx, sheet.Settings(), kFlagsOption) & 1, 0);
    auto* colour = sheet.Find<ColourRadio>();
    colour->current = 1;
    sheet.registry.Evaluate(ctx, colour, 1);
    EXPECT_EQ(collate->enabled, 1);
    EXPECT_EQ(order->table[2].enabled, 1);
}

}  // namespace
