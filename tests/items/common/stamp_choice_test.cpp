// The stamp choice over a sheet whose watermark object holds stamps: its rows, what a stamp
// writes into the device mode, the records of the option interface and the refresh after the
// stamps changed. The test's own object gives stamps the bundled printer's presets do not have
// (a long face name, ids with gaps).
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "items/common/option_word.h"
#include "items/common/stamp_items.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Stamp {
    uint16_t id;
    std::string name, text;
    std::string face;
};

class TestWaterMark : public CmModule, public CmWaterMark {
public:
    std::vector<Stamp> stamps;
    uint32_t Count() const override { return static_cast<uint32_t>(stamps.size()); }
    uint16_t Id(uint32_t i) const override { return i < Count() ? stamps[i].id : 0; }
    const char* Name(uint32_t i) const override { return i < Count() ? stamps[i].name.c_str() : ""; }
    const char* Text(uint32_t i) const override { return i < Count() ? stamps[i].text.c_str() : ""; }
    CmWaterMarkFont Font(uint32_t i) const override {
        CmWaterMarkFont font;
        font.numbers[0] = 120, font.numbers[1] = 700, font.numbers[2] = static_cast<uint16_t>(i);
        if (i < Count()) std::strncpy(font.name, stamps[i].face.c_str(), sizeof font.name - 1);
        return font;
    }
    uint32_t Colour(uint32_t i) const override { return 0x101010u * (i + 1); }
    uint32_t Flags(uint32_t) const override { return 0x7; }
    uint16_t Angle(uint32_t) const override { return 450; }
    void Position(uint32_t i, uint16_t out[2]) const override { out[0] = static_cast<uint16_t>(10 + i), out[1] = 20; }
};

TestWaterMark* g_marks = nullptr;

class StampChoice : public ::testing::Test {
protected:
    void SetUp() override {
        previous = RegisterModuleFactory(kModuleWaterMark, [](UIDEVDATA*) -> CmModule* {
            g_marks = new TestWaterMark;
            g_marks->stamps = {{1, "Secret", "SECRET", "Arial"},
                               {4, "Draft", "DRAFT", "Courier"},
                               {12, "Mine", "PRIVATE", std::string(40, 'F')}};
            return g_marks;
        });
        fixture = std::make_unique<drvtest::FixtureDevice>();
        ASSERT_NE(fixture->Device(), nullptr);
        dm = Ctx()->svc->GetUserData(Ctx())->GetSettingsSource();
        select.Init(Ctx(), dm);
    }
    void TearDown() override {
        fixture.reset();
        RegisterModuleFactory(kModuleWaterMark, previous);
        g_marks = nullptr;
    }
    UIDEVDATA* Ctx() { return fixture->Device(); }
    std::string Field(uint32_t option) {
        char text[33] = {};
        Ctx()->svc->GetOption(Ctx(), dm, option, text, 32);
        return text;
    }

    ModuleFactory previous = nullptr;
    std::unique_ptr<drvtest::FixtureDevice> fixture;
    uint8_t* dm = nullptr;
    CmSvCB_StampSelect select;
};

TEST_F(StampChoice, RowsAreTheStampsAndAStoredStampWritesItsSettings) {
    ASSERT_EQ(select.count, 3u);
    EXPECT_STREQ(select.Row(0)->name, "SECRET");
    EXPECT_STREQ(select.Row(1)->name, "DRAFT");
    EXPECT_STREQ(select.Row(2)->name, "USERDEF12");
    EXPECT_STREQ(select.Row(2)->display_text, "Mine");

    WriteOptionWord(Ctx(), dm, kOptStampFlags, 1);  // the switch is on
    select.current = 1;
    ASSERT_EQ(select.Store(Ctx(), dm), 1);
    EXPECT_EQ(Field(kOptStampName), "Draft");
    EXPECT_EQ(Field(kOptStampText), "DRAFT");
    uint8_t font[48] = {};
    Ctx()->svc->GetOption(Ctx(), dm, kOptStampFont, font, sizeof font);
    const uint8_t numbers[12] = {120, 0, 0, 0, 0xBC, 2, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(std::memcmp(font, numbers, sizeof numbers), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(font + 12), "Courier");
    EXPECT_EQ(ReadOptionWord(Ctx(), dm, kOptStampColour), 0x202020u);
    EXPECT_EQ(ReadOptionWord(Ctx(), dm, kOptStampFlags), 7u) << "the stamp's flags, the switch's bit kept";
    EXPECT_EQ(ReadOptionShort(Ctx(), dm, kOptStampAngle), 450);
    EXPECT_EQ(ReadOptionWord(Ctx(), dm, kOptStampPosition), 11u | 20u << 16);

    select.current = 0;
    EXPECT_EQ(select.Load(Ctx(), dm), 1);
    EXPECT_EQ(select.current, 1u);

    // A face name too long for the record: name and text are written, the rest is not.
    WriteOptionWord(Ctx(), dm, kOptStampColour, 5);
    select.current = 2;
    EXPECT_EQ(select.Store(Ctx(), dm), 1);
    EXPECT_EQ(Field(kOptStampName), "Mine");
    EXPECT_EQ(ReadOptionWord(Ctx(), dm, kOptStampColour), 5u);

    // A stamp the watermark object no longer has writes nothing.
    g_marks->stamps.erase(g_marks->stamps.begin());
    select.current = 0;
    EXPECT_EQ(select.Store(Ctx(), dm), 0);
    EXPECT_EQ(Field(kOptStampName), "Mine");
}

TEST_F(StampChoice, OptionRecordsCarryNameAndTextAndTheListStopsAtItsRows) {
    char records[4][kStampRecordSize];
    std::memset(records, '#', sizeof records);
    EXPECT_EQ(select.GetList(Ctx(), 0x10067, records), kSdkDone);
    EXPECT_STREQ(records[0], "Secret");
    EXPECT_STREQ(records[0] + kStampTextOffset, "SECRET");
    EXPECT_STREQ(records[2], "Mine");
    EXPECT_EQ(records[3][0], '#') << "three stamps, three records";

    char wanted[kStampRecordSize] = "Mine";
    EXPECT_EQ(select.SetCurrent(Ctx(), 0x10067, wanted), kSdkDone);
    EXPECT_EQ(select.current, 2u);
    select.Row(1)->enabled = 0;
    std::strcpy(wanted, "Draft");
    EXPECT_EQ(select.SetCurrent(Ctx(), 0x10067, wanted), kSdkRefused);
    std::strcpy(wanted, "Nobody");
    EXPECT_EQ(select.SetCurrent(Ctx(), 0x10067, wanted), kSdkNotSupported);
    select.enabled = 0;
    EXPECT_EQ(select.SetCurrent(Ctx(), 0x10067, wanted), kSdkRefused);

    select.current = 0;
    select.enabled = 1;
    select.Store(Ctx(), dm);
    char record[kStampRecordSize];
    EXPECT_EQ(select.GetCurrent(Ctx(), 0x10067, record), kSdkDone);
    EXPECT_STREQ(record, "Secret");
    EXPECT_STREQ(record + kStampTextOffset, "SECRET");
}

TEST_F(StampChoice, RefreshRenewsTheRowsOnlyWhenTheStampsChanged) {
    select.current = 1;
    select.Store(Ctx(), dm);
    const char* refresh[] = {"REFRESH"};
    PieValue out{};
    EXPECT_EQ(select.Action(Ctx(), 1, refresh, &out), 0);
    g_marks->stamps.push_back({30, "New", "NEW", "Arial"});
    EXPECT_EQ(select.Action(Ctx(), 1, refresh, &out), 1);
    EXPECT_EQ(select.count, 4u);
    EXPECT_STREQ(reinterpret_cast<const char*>(out.value), "DRAFT");
    EXPECT_TRUE(select.flags & CmSvItem::kChangedByRules);

    // More stamps than rows: the table stops at its capacity.
    for (uint16_t id = 100; id < 200; ++id) g_marks->stamps.push_back({id, "S" + std::to_string(id), "", ""});
    select.Init(Ctx(), dm);
    EXPECT_EQ(select.count, CmSvCB_StampSelect::kRowCount);
    EXPECT_STREQ(select.Row(CmSvCB_StampSelect::kRowCount - 1)->display_text, "S166");
}

}  // namespace
