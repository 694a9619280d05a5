// The bundled printer's watermark presets: the list (current watermark, built-in presets, stored
// user presets), the working list's commit with its renumbering, the upgrade of older stored
// values, and a pseudo-printer context that keeps its presets in its own slots.
#include "watermark_fixture.h"

#include "platform/spooler/pseudo_printer.h"

namespace watermarktest {
namespace {

const std::vector<std::string> kBuiltIns = {"CONFIDENTIAL", "COPY", "DRAFT", "SAMPLE", "URGENT", "PRIVATE",
                                            "FINAL", "TOP SECRET"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(WaterMarkTest, ANamedCurrentWatermarkListsExactlyTheBuiltInPresets) {
    SetName("DRAFT");
    auto marks = Marks();
    EXPECT_EQ(Names(marks->Presets()), kBuiltIns);
    EXPECT_EQ(marks->Presets()[0].id, 1);
    EXPECT_EQ(marks->Presets()[0].kind, watermark::kKindBuiltIn);
    EXPECT_STREQ(marks->Presets()[0].font.faceName, "Arial");
    EXPECT_TRUE(Value(0).empty()) << "loading writes nothing";
}

TEST_F(WaterMarkTest, AnUnnamedCurrentWatermarkHeadsTheListFromTheSettings) {
    SetName("");
    char text[32] = "HELLO";
    Ctx()->svc->SetOption(Ctx(), Settings(), watermark::kOptText, text, sizeof text);
    const int16_t angle = 300;
    Ctx()->svc->SetOption(Ctx(), Settings(), watermark::kOptAngle, &angle, sizeof angle);
    uint32_t flags = 0x200 | 0x02;
    Ctx()->svc->SetOption(Ctx(), Settings(), watermark::kOptFlags, &flags, sizeof flags);
    auto marks = Marks();
    ASSERT_EQ(marks->Count(), 9u);
    const Record& current = marks->Presets()[0];
    EXPECT_EQ(current.id, 0);
    EXPECT_STREQ(current.name, "Current settings");
    EXPECT_STREQ(current.text, "HELLO");
    EXPECT_EQ(current.angleWord, -390);
    EXPECT_EQ(current.font.escapement, 300);
    EXPECT_EQ(marks->Angle(0), 300);

    // Refreshed, the list keeps the current watermark as value "0".
    marks->ReloadList();
    Record stored;
    const std::vector<uint8_t> zero = Value(0);
    ASSERT_TRUE(watermark::UnpackRecord(zero.data(), zero.size(), stored));
    EXPECT_STREQ(stored.text, "HELLO");
}

TEST_F(WaterMarkTest, StoredUserPresetsFollowTheBuiltInOnesUpToTheListsRoom) {
    struct Case { const char* current; size_t stored; int missing; size_t users; };
    for (const Case& c : {Case{"DRAFT", 60, 0, 51}, Case{"", 60, 0, 50}, Case{"DRAFT", 5, 3, 2}}) {
        for (uint32_t i = 1; i <= c.stored; ++i) {
            const std::string name = "Mine " + std::to_string(i);
            SetValue(i, Packed(Preset(name.c_str())));
        }
        if (c.missing) {
            const std::string base = Base();
            RegDeleteValueAll(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), "WaterMark",
                              std::to_string(c.missing).c_str());
        }
        SetName(c.current);
        auto marks = Marks();
        const size_t head = c.current[0] ? 0 : 1;
        ASSERT_EQ(marks->Count(), head + 8 + c.users) << c.stored;
        const Record& last = marks->Presets().back();
        EXPECT_EQ(last.id, 8 + c.users);
        EXPECT_EQ(std::string(last.name), "Mine " + std::to_string(c.users));
        for (uint32_t i = 1; i <= c.stored; ++i) {
            const std::string base = Base();
            RegDeleteValueAll(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), "WaterMark",
                              std::to_string(i).c_str());
        }
    }
}

TEST_F(WaterMarkTest, AValueOfAnotherSizeEndsTheUserPresetsAndIsLeftAsItIs) {
    SetName("DRAFT");
    SetValue(1, Packed(Preset("Mine")));
    const std::vector<uint8_t> odd(137, 0x41);
    SetValue(2, odd);
    SetValue(3, Packed(Preset("After")));
    auto marks = Marks();
    EXPECT_EQ(Names(marks->Presets()), With(kBuiltIns, {"Mine"}));
    EXPECT_EQ(Value(2), odd);
}

TEST_F(WaterMarkTest, AddedPresetsAreStoredByteExactlyAndReadBackAsTheyWereCommitted) {
    SetName("DRAFT");
    auto marks = Marks();
    marks->InitWorkingList();
    Record source = Preset("ignored", watermark::kKindBuiltIn, 0xC0FFEE);
    source.x = -40, source.y = 25;
    ASSERT_TRUE(marks->AddPreset(source));
    ASSERT_TRUE(marks->AddPreset(Preset("second")));
    ASSERT_TRUE(marks->CommitWorkingList());

    const std::vector<uint8_t> first = Value(1);
    ASSERT_EQ(first.size(), watermark::kRegRecordSize);
    Record expected = source;
    expected.id = 9, expected.kind = watermark::kKindUser;
    watermark::CopyText(expected.name, sizeof expected.name, "New watermark");
    EXPECT_EQ(first, Packed(expected));
    EXPECT_EQ(Value(2).size(), watermark::kRegRecordSize);

    auto again = Marks();
    ASSERT_EQ(again->Count(), 10u);
    EXPECT_EQ(Packed(again->Presets()[8]), Packed(expected));
    EXPECT_EQ(again->Presets()[9].id, 10);
}

TEST_F(WaterMarkTest, DeletingRenumbersTheLaterPresetsWithoutLosingOne) {
    SetName("DRAFT");
    for (uint32_t i = 1; i <= 4; ++i) SetValue(i, Packed(Preset(("User " + std::to_string(i)).c_str())));
    auto marks = Marks();
    marks->InitWorkingList();
    EXPECT_FALSE(marks->DeletePreset(3)) << "a built-in preset is not the user's";
    EXPECT_FALSE(marks->DeletePreset(99));
    ASSERT_TRUE(marks->DeletePreset(10));  // user preset 2
    ASSERT_TRUE(marks->CommitWorkingList());
    auto again = Marks();
    EXPECT_EQ(Names(again->Presets()), With(kBuiltIns, {"User 1", "User 3", "User 4"}));
    EXPECT_TRUE(Value(4).empty());
    Record third;
    const std::vector<uint8_t> stored = Value(3);
    ASSERT_TRUE(watermark::UnpackRecord(stored.data(), stored.size(), third));
    EXPECT_STREQ(third.name, "User 4");
    EXPECT_EQ(third.id, 11);
}

TEST_F(WaterMarkTest, APresetAddedAndDeletedInOneVisitLeavesNoTrace) {
    SetName("DRAFT");
    auto marks = Marks();
    marks->InitWorkingList();
    ASSERT_TRUE(marks->AddPreset(Preset("gone")));
    ASSERT_TRUE(marks->DeletePreset(9));
    EXPECT_EQ(marks->Working().size(), 8u);
    ASSERT_TRUE(marks->CommitWorkingList());
    EXPECT_TRUE(Value(1).empty());
}

TEST_F(WaterMarkTest, AddingStopsAtTheListsRoom) {
    SetName("DRAFT");
    auto marks = Marks();
    marks->InitWorkingList();
    int added = 0;
    while (added < 60 && marks->AddPreset(Preset("x"))) ++added;
    EXPECT_EQ(added, 51);
    ASSERT_TRUE(marks->DeletePreset(20));
    EXPECT_TRUE(marks->AddPreset(Preset("x"))) << "a deleted preset frees its room";
}

TEST_F(WaterMarkTest, TheUpgradeKeepsEveryPresetThatIsNotAPlainBuiltInCopy) {
    SetName("DRAFT");
    auto probe = Marks();
    const Record plain = probe->Presets()[2];  // "DRAFT", as the table has it
    Record edited = plain;
    edited.colour = 0x0000FF;
    Record foreign = Preset("From elsewhere", watermark::kKindBuiltIn);
    foreign.angleWord = -390;
    // The older layout: the kind word is missing.
    const auto old = [](const Record& r) {
        std::vector<uint8_t> bytes = Packed(r);
        bytes.erase(bytes.begin() + 2, bytes.begin() + 4);
        return bytes;
    };
    Record user = Preset("Mine", 0);
    SetValue(1, Packed(plain));
    SetValue(2, Packed(edited));
    SetValue(3, Packed(foreign));
    SetValue(4, old(user));
    probe.reset();

    auto marks = Marks();
    EXPECT_EQ(Names(marks->Presets()), With(kBuiltIns, {"DRAFT (changed)", "From elsewhere", "Mine"}));
    EXPECT_TRUE(Value(4).empty());
    const std::vector<uint8_t> second = Value(2);
    Record kept;
    ASSERT_TRUE(watermark::UnpackRecord(second.data(), second.size(), kept));
    EXPECT_EQ(kept.kind, watermark::kKindUser);
    EXPECT_EQ(kept.font.escapement, 300);
    // Upgraded once: a later start leaves the values as they are.
    const std::vector<uint8_t> before = Value(1);
    Marks();
    EXPECT_EQ(Value(1), before);
}

TEST_F(WaterMarkTest, APseudoPrinterKeepsItsPresetsInItsSlotsAndNeverInTheRegistry) {
    HANDLE pseudo = PseudoPrinterCreate(3);
    UiDevDataRequest request;
    request.printerHandle = pseudo;
    UIDEVDATA* ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    {
        PDLWaterMark marks(ctx, 0);
        EXPECT_EQ(marks.BuiltinCount(), 8u);
        marks.InitWorkingList();
        ASSERT_TRUE(marks.AddPreset(Preset("Shared")));
        ASSERT_TRUE(marks.DeletePreset(static_cast<uint16_t>(marks.Working().back().id)) == true);
        ASSERT_TRUE(marks.AddPreset(Preset("Kept")));
        ASSERT_TRUE(marks.CommitWorkingList());
        EXPECT_EQ(marks.KindOf(marks.Presets()[1]), watermark::kKindUser) << "mode 3: every preset is the user's";
    }
    uint32_t count = 0;
    ASSERT_TRUE(PseudoPrinterGetData(pseudo, 8, &count, sizeof count));
    EXPECT_EQ(count, 9u);
    {
        // Every preset of this context is the user's: an earlier one can go.
        PDLWaterMark marks(ctx, 0);
        marks.InitWorkingList();
        ASSERT_TRUE(marks.DeletePreset(2));
        ASSERT_TRUE(marks.CommitWorkingList());
        ASSERT_TRUE(PseudoPrinterGetData(pseudo, 8, &count, sizeof count));
        EXPECT_EQ(count, 8u);
        ASSERT_TRUE(marks.AddPreset(Preset("Again")));
        ASSERT_TRUE(marks.CommitWorkingList());
    }
    {
        PDLWaterMark again(ctx, 0);
        ASSERT_GE(again.Count(), 9u);
        EXPECT_STREQ(again.Presets().back().name, "New watermark");
        uint8_t block[9 * watermark::kRegRecordSize];
        ASSERT_TRUE(PseudoPrinterGetData(pseudo, 6, block, sizeof block));
        EXPECT_EQ(std::vector<uint8_t>(block + 8 * watermark::kRegRecordSize, block + sizeof block),
                  Packed(again.Presets().back()));
    }
    EXPECT_TRUE(Value(0).empty());
    EXPECT_TRUE(Value(1).empty());
    DestroyUiDevData(ctx);
    PseudoPrinterDestroy(pseudo);
}

TEST_F(WaterMarkTest, APseudoPrintersSlotsThatDisagreeAreNotBelieved) {
    HANDLE pseudo = PseudoPrinterCreate(2);
    const uint32_t count = 3, size = 2 * watermark::kRegRecordSize;
    std::vector<uint8_t> block(size, 0x5A);
    PseudoPrinterSetData(pseudo, 6, block.data(), size);
    PseudoPrinterSetData(pseudo, 7, &size, sizeof size);
    PseudoPrinterSetData(pseudo, 8, &count, sizeof count);
    UiDevDataRequest request;
    request.printerHandle = pseudo;
    UIDEVDATA* ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    {
        PDLWaterMark marks(ctx, 0);
        EXPECT_EQ(marks.BuiltinCount(), 8u) << "the table stands in";
    }
    DestroyUiDevData(ctx);
    PseudoPrinterDestroy(pseudo);
}

}  // namespace
}  // namespace watermarktest
