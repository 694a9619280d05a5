// Value classes through the operations their callers use: value and change texts as the rules
// and the settings summary read them, typed values, comparison with the default device mode and
// the sheet's settings, references, the change test and the orderings of the registry.
#include "core/memory/pool_text.h"
#include "drvtest/fixture_device.h"
#include "item_fixture.h"
#include "settings/registry/conflict.h"
#include "settings/items/sv_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace itemtest;

namespace {

// A pool text as a string ("(null)" for none), freed.
std::string Take(char* text) {
    std::string s = text ? text : "(null)";
    FreePoolText(text);
    return s;
}

// An item whose Load reads nothing and leaves its value spoiled, as a failing load may.
class FailingNumber : public CmSvNumeric {
public:
    FailingNumber() : CmSvNumeric("Test$Failing", 4001, 7, 0, 100) {}
    int LoadValue(UIDEVDATA*, const uint8_t*) override {
        ++loads;
        current = -99;
        return 0;
    }
    int loads = 0;
};

class Values : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fixture.Device(), nullptr);
        settings = Ctx()->svc->GetUserData(Ctx())->GetSettingsSource();
        ASSERT_NE(settings, nullptr);
    }
    UIDEVDATA* Ctx() { return fixture.Device(); }
    drvtest::FixtureDevice fixture;
    uint8_t* settings = nullptr;
};

TEST_F(Values, TextsTellTheWholeValue) {
    CmSvNumeric number("Test$N", 1, 0, INT32_MIN, INT32_MAX);
    for (int32_t v : {12345678, -1234567, -5, 0, INT32_MIN, INT32_MAX}) {
        number.current = v;
        EXPECT_EQ(Take(number.GetValueText(Ctx())), std::to_string(v));
    }
    CmSvOnOff onOff("Test$B", 2, kSvKindNone, CmSvOnOff::kOrdinary, 1);
    EXPECT_EQ(Take(onOff.GetValueText(Ctx())), "ON");
    onOff.current = 2;  // anything but 1 is off
    EXPECT_EQ(Take(onOff.GetValueText(Ctx())), "OFF");

    const std::string longName(40, 'N');
    const CmSvOptionRecord rows[] = {Row("PORTRAIT", nullptr, 1, 0, 0, 0), Row(longName.c_str(), nullptr, 2, 0, 0, 0)};
    CmSvMulti multi("Test$M", 3, 0u, 2u, rows);
    EXPECT_EQ(Take(multi.GetValueText(Ctx())), "PORTRAIT");
    multi.current = 1;
    EXPECT_EQ(Take(multi.GetValueText(Ctx())), std::string(31, 'N'));
    multi.current = 2;  // past the count
    EXPECT_EQ(Take(multi.GetValueText(Ctx())), "_");

    CmSvMulti empty("Test$E", 4, 0u, 0u, nullptr);
    EXPECT_EQ(Take(empty.GetValueText(Ctx())), "_");
    empty.flags |= CmSvItem::kChangedByRules;
    EXPECT_EQ(Take(empty.GetChangeText(Ctx())), "_");
    PieValue value{};
    EXPECT_EQ(empty.GetTypedValue(Ctx(), &value), 0);

    char buffer[8] = "abc";
    CmSvString text("Test$S", 5, 0u, buffer, sizeof buffer);
    EXPECT_EQ(Take(text.GetValueText(Ctx())), "_");
    CmSv plain(kSvTypeNone, kSvKindNone, "Test$P", 6);
    EXPECT_EQ(Take(plain.GetChangeText(Ctx())), "_");
}

TEST_F(Values, ChangeTextsJoinTheSheetsValueAndTheRulesOneAndTypedValuesCarryTypeAndValue) {
    SetLong(Ctx(), settings, kFlagsOption, 0);
    SetShort(Ctx(), settings, kScaleOption, 3);
    SetShort(Ctx(), settings, kColourOption, 0);

    CollateBox collate;
    collate.current = 1;
    EXPECT_EQ(Take(collate.GetChangeText(Ctx())), "ON");  // not changed by the rules
    collate.flags |= CmSvItem::kChangedByRules;
    EXPECT_EQ(Take(collate.GetChangeText(Ctx())), "OFF->ON");
    EXPECT_EQ(collate.current, 1);

    NumberField scale(false);
    scale.current = 12;
    scale.flags |= CmSvItem::kChangedByRules;
    EXPECT_EQ(Take(scale.GetChangeText(Ctx())), "3->12");
    EXPECT_EQ(scale.current, 12);

    std::unique_ptr<ColourRadio> colour(NewColourRadio());
    colour->current = 2;
    colour->flags |= CmSvItem::kChangedByRules;
    EXPECT_EQ(Take(colour->GetChangeText(Ctx())), "MONO->AUTO");
    EXPECT_EQ(colour->current, 2u);
    colour->table[0].name = nullptr;  // a choice without a name has no change text
    EXPECT_EQ(Take(colour->GetChangeText(Ctx())), "(null)");

    PieValue v{};
    CmSvOnOff onOff("Test$B", 1, kSvKindNone, CmSvOnOff::kOrdinary, 1);
    ASSERT_EQ(onOff.GetTypedValue(Ctx(), &v), 1);
    EXPECT_EQ(v.type, kSvTypeOnOff);
    EXPECT_EQ(v.value, 1);

    std::unique_ptr<ColourRadio> radio(NewColourRadio());
    radio->current = 1;
    ASSERT_EQ(radio->GetTypedValue(Ctx(), &v), 1);
    EXPECT_EQ(v.type, kSvTypeMulti);
    EXPECT_STREQ(reinterpret_cast<const char*>(v.value), "COLOR");
    radio->current = 3;
    EXPECT_EQ(radio->GetTypedValue(Ctx(), &v), 0);

    CmSvNumeric number("Test$N", 2, -40000, -50000, 50000);
    ASSERT_EQ(number.GetTypedValue(Ctx(), &v), 1);
    EXPECT_EQ(v.type, kSvTypeNumeric);
    EXPECT_EQ(v.value, -40000);

    char buffer[8] = "abc";
    CmSvString text("Test$S", 3, 0u, buffer, sizeof buffer);
    ASSERT_EQ(text.GetTypedValue(Ctx(), &v), 1);
    EXPECT_EQ(v.type, kSvTypeString);
    EXPECT_EQ(reinterpret_cast<const char*>(v.value), buffer);
    CmSvString none("Test$T", 4, 0u, nullptr, 8);
    EXPECT_EQ(none.GetTypedValue(Ctx(), &v), 0);
}

TEST_F(Values, ComparisonsReadTheirSourceAndKeepTheCurrentValue) {
    uint8_t* defaults = Ctx()->svc->GetDevmode(Ctx(), 1);
    ASSERT_NE(defaults, nullptr);
    const int16_t defaultScale = GetShort(Ctx(), defaults, kScaleOption);
    SetShort(Ctx(), settings, kScaleOption, 250);

    NumberField scale(false);
    scale.current = 250;
    EXPECT_EQ(scale.IsSameAsSource(Ctx(), 1), 1);
    EXPECT_EQ(scale.IsSameAsSource(Ctx(), 2), 1);
    EXPECT_EQ(scale.IsSameAsSource(Ctx(), 0), defaultScale == 250 ? 1 : 0);
    EXPECT_EQ(scale.current, 250);
    EXPECT_EQ(scale.IsSameAsSource(Ctx(), 0x10001), 1);  // the mode is a 16-bit number

    FailingNumber failing;
    for (int mode : {3, -1, 0x7fff})
        EXPECT_EQ(failing.IsSameAsSource(Ctx(), mode), 0) << mode;
    EXPECT_EQ(failing.loads, 0);
    EXPECT_EQ(failing.IsSameAsSource(Ctx(), 1), 0);
    EXPECT_EQ(failing.current, 7);  // a failed load does not spoil the value

    LockButton lock;
    EXPECT_EQ(lock.IsSameAsSource(Ctx(), 1), 1);
    lock.current = 1;
    EXPECT_EQ(lock.IsSameAsSource(Ctx(), 0), 1);

    SetShort(Ctx(), settings, kColourOption, 2);
    std::unique_ptr<ColourRadio> colour(NewColourRadio());
    colour->current = 1;
    EXPECT_EQ(colour->IsSameAsSource(Ctx(), 1), 0);
    EXPECT_EQ(colour->current, 1u);
    CmSvMulti noTable("Test$X", 9, 0u, 0u, nullptr);
    EXPECT_EQ(noTable.IsSameAsSource(Ctx(), 1), 0);

    char name[32] = "Draft";
    Ctx()->svc->SetOption(Ctx(), settings, kNameOption, name, sizeof name);
    NameField field;
    field.SetText("Final");
    EXPECT_EQ(field.IsSameAsSource(Ctx(), 1), 0);
    EXPECT_STREQ(field.current, "Final");
    field.SetText("Draft");
    EXPECT_EQ(field.IsSameAsSource(Ctx(), 1), 1);
}

TEST_F(Values, ReferencesComeFromTheCurrentTheSheetOrTheSavedValue) {
    SetShort(Ctx(), settings, kColourOption, 0);
    std::unique_ptr<ColourRadio> colour(NewColourRadio());
    colour->current = 2;
    colour->SetReference(Ctx(), 1);
    EXPECT_EQ(colour->reference, 0u);
    EXPECT_EQ(colour->current, 2u);
    EXPECT_TRUE(IsChanged(colour.get()));
    colour->SetReference(Ctx(), 0);
    EXPECT_FALSE(IsChanged(colour.get()));
    colour->IsSameAsSource(Ctx(), 1);  // saves the value of the current choice (2)
    colour->current = 0;
    colour->SetReference(Ctx(), 2);
    EXPECT_EQ(colour->reference, 2u);

    char name[32] = "Sheet";
    Ctx()->svc->SetOption(Ctx(), settings, kNameOption, name, sizeof name);
    NameField field;
    field.SetText("Mine");
    field.SetReference(Ctx(), 1);
    EXPECT_STREQ(field.reference, "Sheet");
    EXPECT_STREQ(field.current, "Mine");
    EXPECT_TRUE(IsChanged(&field));
    field.SetReference(Ctx(), 0);
    EXPECT_FALSE(IsChanged(&field));

    char buffer[4] = "x";
    CmSvString noReference("Test$R", 7, 0u, buffer, 0);  // no room: no reference buffer
    EXPECT_EQ(noReference.reference, nullptr);
    noReference.SetReference(Ctx(), 0);
    EXPECT_FALSE(IsChanged(&noReference));
    CmSv link(kSvTypeNone, kSvKindNone, "Test$L", 8);
    EXPECT_FALSE(IsChanged(&link));
}

TEST(Orderings, TextsCompareAsUnsignedBytesWithPrefixesFirst) {
    CmSvKeyLess less;
    EXPECT_TRUE(less("Ab", "Abc"));
    EXPECT_FALSE(less("Abc", "Ab"));
    EXPECT_TRUE(less("z", "\xC0"));
    EXPECT_FALSE(less("Same", "Same"));

    CmSvOnOff b("Page$B", 1, kSvKindNone, 1, 0), a("Page$A", 2, kSvKindNone, 1, 0), c("Page$A2", 3, kSvKindNone, 1, 0);
    std::vector<CmSv*> items{&b, &c, &a};
    std::sort(items.begin(), items.end(), CmSvItemKeyLess());
    EXPECT_EQ(items, (std::vector<CmSv*>{&a, &c, &b}));

    NumberField scale(false), shade(true);
    EXPECT_TRUE(CmSvSpinLess()(&scale, &shade));  // ITC_SCALE_SPIN before ITC_SHADE_SPIN
}

}  // namespace
