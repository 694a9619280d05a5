// Option requests of kinds 0 to 10 on the option-code bindings of items of every value type:
// the answers 0 to 3 in their guard order (availability, buffer, disabled control), choices set
// and asked by their option-interface value, and texts that do not fit refused without a byte
// written past the caller's buffer.
#include "drvtest/fixture_device.h"
#include "item_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace itemtest;

namespace {

class Requests : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(fixture.Device(), nullptr); }
    int Ask(CmSvSdk& binding, int kind, void* data) {
        return RunSdkRequest(binding, fixture.Device(), kind, binding.keys.front(), data);
    }
    drvtest::FixtureDevice fixture;
};

TEST_F(Requests, EveryKindAnswersWithItsCodeAndUnavailableItemsAnswerNotSupported) {
    CollateBox collate;
    std::unique_ptr<ColourRadio> colour(NewColourRadio());
    NumberField scale(false);
    NameField name;
    CmSvSdk* bindings[] = {&collate, colour.get(), &scale, &name};
    for (CmSvSdk* b : bindings) {
        char data[64] = {};
        // Size first, as callers do: the value word.
        ASSERT_EQ(Ask(*b, 0, data), kSdkDone);
        uint32_t size = 0;
        std::memcpy(&size, data, sizeof size);
        EXPECT_EQ(size, b->valueWord);
        for (int kind : {1, 4, 5, 6, 7, 8, 9, 10}) EXPECT_EQ(Ask(*b, kind, data), kSdkNotSupported) << kind;
        EXPECT_EQ(Ask(*b, 2, data), kSdkDone);
        EXPECT_EQ(Ask(*b, 3, data), kSdkDone);  // sets back what it read
        for (int kind : {0, 2, 3}) EXPECT_EQ(Ask(*b, kind, nullptr), kSdkNoItem) << kind;

        dynamic_cast<CmSv*>(b)->available = 0;
        for (int kind = 0; kind <= 10; ++kind) {
            EXPECT_EQ(Ask(*b, kind, data), kSdkNotSupported) << kind;
            EXPECT_EQ(Ask(*b, kind, nullptr), kSdkNotSupported) << kind;
        }
        dynamic_cast<CmSv*>(b)->available = 1;
        dynamic_cast<CmSvControl*>(b)->enabled = 0;
        EXPECT_EQ(Ask(*b, 3, data), kSdkRefused);
        EXPECT_EQ(Ask(*b, 3, nullptr), kSdkNoItem);
        EXPECT_EQ(Ask(*b, 2, data), kSdkDone);  // reading a disabled item is fine
        EXPECT_EQ(b->IsControlEnabled(fixture.Device(), 0, nullptr), 0);
        EXPECT_EQ(b->IsControlShown(fixture.Device(), 0, nullptr), 1);
    }
}

TEST_F(Requests, ChoicesAreSetAndAskedByTheirOptionInterfaceValue) {
    std::unique_ptr<ColourRadio> colour(NewColourRadio());  // option values 10, 11, 12
    colour->table[2].enabled = 0;
    colour->table[1].offered = 0;
    int32_t value = 12;
    EXPECT_EQ(Ask(*colour, 3, &value), kSdkRefused);
    EXPECT_EQ(colour->current, 0u);
    value = 11;  // not offered
    EXPECT_EQ(Ask(*colour, 3, &value), kSdkNotSupported);
    value = 10;
    colour->current = 2;
    EXPECT_EQ(Ask(*colour, 3, &value), kSdkDone);
    EXPECT_EQ(colour->current, 0u);
    EXPECT_EQ(Ask(*colour, 2, &value), kSdkDone);
    EXPECT_EQ(value, 10);

    EXPECT_EQ(colour->IsSdkValueEnabled(fixture.Device(), 10), 1);
    EXPECT_EQ(colour->IsSdkValueEnabled(fixture.Device(), 12), 0);
    EXPECT_EQ(colour->IsSdkValueEnabled(fixture.Device(), 11), 0);  // not offered
    EXPECT_EQ(colour->IsSdkValueShown(fixture.Device(), 12), 1);
    CollateBox collate;
    EXPECT_EQ(collate.IsSdkValueEnabled(fixture.Device(), 1), kSdkNotSupported);

    // A table that shrank under the current index: no row is read past the count.
    colour->current = 2;
    colour->count = 2;
    EXPECT_EQ(Ask(*colour, 2, &value), kSdkNotSupported);
    colour->UseTable(colour->table, 2);
    EXPECT_EQ(colour->current, 0u);
}

TEST_F(Requests, TextsThatDoNotFitAreRefusedWithNothingWrittenPastTheBuffer) {
    NameField name;  // 32 bytes
    const std::string fits(31, 'a'), tooLong(32, 'b');
    EXPECT_EQ(Ask(name, 3, const_cast<char*>(fits.c_str())), kSdkDone);
    EXPECT_EQ(std::string(name.current), fits);
    EXPECT_EQ(Ask(name, 3, const_cast<char*>(tooLong.c_str())), kSdkNotSupported);
    EXPECT_EQ(std::string(name.current), fits);

    char out[48];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(Ask(name, 2, out), kSdkDone);
    EXPECT_EQ(std::string(out), fits);
    EXPECT_EQ(out[32], '#');

    // A binding whose caller's buffer is smaller than the item's text.
    name.valueWord = 16;
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(Ask(name, 2, out), kSdkNoItem);
    EXPECT_TRUE(std::all_of(out, out + sizeof out, [](char c) { return c == '#'; }));
    name.SetText("short");
    EXPECT_EQ(Ask(name, 2, out), kSdkDone);
    EXPECT_STREQ(out, "short");
}

TEST(SdkKeys, BindingsHoldEachKeyOnceInOrder) {
    const uint32_t list[] = {0x10067, 0x10066, 0x10067, 0x10040f, 0};
    CmSvSdk binding(list, 128, 0);
    EXPECT_EQ(std::vector<uint32_t>(binding.keys.begin(), binding.keys.end()),
              (std::vector<uint32_t>{0x10066, 0x10067, 0x10040f}));
    EXPECT_TRUE(binding.HasKey(0x10040f));
    EXPECT_FALSE(binding.HasKey(0x10064));
    int32_t value = 0;
    EXPECT_EQ(binding.GetCurrent(nullptr, 0x10066, &value), kSdkNotSupported);
    EXPECT_EQ(binding.GetValue(nullptr, 0x10066, &value), kSdkDone);
    EXPECT_EQ(value, 128);
    // A binding that is not part of an item answers "no such item" to its value requests.
    CmSvSdk_Multi alone(0x10066, 4, 0);
    EXPECT_EQ(alone.GetCurrent(nullptr, 0x10066, &value), kSdkNoItem);
}

}  // namespace
