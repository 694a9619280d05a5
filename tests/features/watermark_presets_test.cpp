// The bundled printer's watermark presets: the stored form of a preset (the exact bytes, the older
// layout, refused sizes and unterminated texts, and the mapping between a preset and the
// watermark options), the list (current watermark, built-in presets, stored user presets), the
// working list's commit with its renumbering, the upgrade of older stored values, and a
// pseudo-printer context that keeps its presets in its own slots.
#include "watermark_fixture.h"

#include "platform/spooler/pseudo_printer.h"

using namespace watermark;

namespace watermarktest {
namespace {

WaterMarkRecord Sample() {
    WaterMarkRecord r;
    r.id = 0x0102;
    r.kind = kKindUser;
    CopyText(r.name, sizeof r.name, "Draft copy");
    CopyText(r.text, sizeof r.text, "DRAFT");
    r.x = -12, r.y = 34, r.angleWord = -390, r.rotationMode = 3;
    r.frameKind = 3, r.layerChoice = 1, r.flag = 1, r.colour = 0x00A0B0C0;
    r.font.height = 72, r.font.width = 5, r.font.escapement = 300, r.font.orientation = 300, r.font.weight = 400;
    r.font.italic = 1, r.font.charSet = 1, r.font.pitchAndFamily = 0x22;
    CopyText(r.font.faceName, sizeof r.font.faceName, "Arial");
    return r;
}

TEST(WaterMarkRecord, PacksTheStoredFieldsAtTheirOffsetsAndReadsThemBack) {
    uint8_t bytes[kRegRecordSize];
    PackRecord(Sample(), bytes);
    EXPECT_EQ(bytes[0], 0x02);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[2], 2);
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 4), "Draft copy");
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 37), "DRAFT");
    EXPECT_EQ(bytes[70], 0xF4);  // -12
    EXPECT_EQ(bytes[74] | bytes[75] << 8, 0xFE7A);  // -390
    EXPECT_EQ(bytes[84] | bytes[85] << 8 | bytes[86] << 16, 0xA0B0C0);
    EXPECT_EQ(bytes[88], 72);
    EXPECT_EQ(bytes[98], 1);      // italic
    EXPECT_EQ(bytes[105], 0x22);  // pitch and family
    EXPECT_STREQ(reinterpret_cast<char*>(bytes + 106), "Arial");

    WaterMarkRecord back;
    back.changeFlags = 7;
    ASSERT_TRUE(UnpackRecord(bytes, sizeof bytes, back));
    EXPECT_EQ(back.changeFlags, 0);
    uint8_t again[kRegRecordSize];
    PackRecord(back, again);
    EXPECT_EQ(std::memcmp(bytes, again, sizeof bytes), 0);
    EXPECT_TRUE(SameContent(back, Sample()));
}

TEST(WaterMarkRecord, ReadsTheOlderLayoutWithoutItsKindWord) {
    uint8_t current[kRegRecordSize];
    PackRecord(Sample(), current);
    std::vector<uint8_t> old(current, current + 2);
    old.insert(old.end(), current + 4, current + kRegRecordSize);
    ASSERT_EQ(old.size(), kOldRegRecordSize);
    WaterMarkRecord back;
    ASSERT_TRUE(UnpackRecord(old.data(), old.size(), back));
    EXPECT_EQ(back.kind, 0u);
    EXPECT_STREQ(back.name, "Draft copy");
    EXPECT_EQ(back.colour, 0xA0B0C0u);
    EXPECT_STREQ(back.font.faceName, "Arial");
}

TEST(WaterMarkRecord, RefusesEveryOtherSizeAndTerminatesFullTexts) {
    std::vector<uint8_t> bytes(kRegRecordSize + 1, 'A');
    WaterMarkRecord back;
    for (size_t size : {size_t{0}, size_t{1}, size_t{88}, kOldRegRecordSize - 1, kOldRegRecordSize + 1,
                        kRegRecordSize + 1})
        EXPECT_FALSE(UnpackRecord(bytes.data(), size, back)) << size;
    EXPECT_FALSE(UnpackRecord(nullptr, kRegRecordSize, back));
    ASSERT_TRUE(UnpackRecord(bytes.data(), kRegRecordSize, back));
    EXPECT_EQ(std::strlen(back.name), 32u);
    EXPECT_EQ(std::strlen(back.text), 32u);
    EXPECT_EQ(std::strlen(back.font.faceName), 32u);
}

TEST(WaterMarkRecord, OptionFlagsAndAnglesMapBothWays) {
    struct Case { uint32_t flags; int16_t angle; int16_t mode, angleWord; uint32_t frame, layer, flag; uint16_t draw; };
    for (const Case& c : {Case{0x200, 300, 3, -390, 0, 0, 0, 300}, Case{0x80 | 0x20, 0, 1, 0, 1, 0, 0, 450},
                          Case{0x100 | 0x60 | 0x10, 0, 2, 0, 3, 1, 0, static_cast<uint16_t>(-450)},
                          Case{0x400 | 0x08 | 0x10, 0, 0, 0, 0, 0, 1, 450},
                          Case{0x200, -300, 3, -330, 0, 0, 0, static_cast<uint16_t>(-300)}}) {
        WaterMarkRecord r;
        ApplyOptionFlags(c.flags, c.angle, r);
        EXPECT_EQ(r.rotationMode, c.mode) << std::hex << c.flags;
        EXPECT_EQ(r.angleWord, c.angleWord) << c.flags;
        EXPECT_EQ(r.frameKind, c.frame) << c.flags;
        EXPECT_EQ(r.layerChoice, c.layer) << c.flags;
        EXPECT_EQ(r.flag, c.flag) << c.flags;
        EXPECT_EQ(GetDrawAngle(r), c.draw) << c.flags;
        // Written back, the flags give the same record again, with 0x02 always set.
        const uint32_t written = MakeOptionFlags(r, 0x1);
        EXPECT_EQ(written & 0x3, 0x3u);
        WaterMarkRecord again;
        ApplyOptionFlags(written, c.angle, again);
        EXPECT_EQ(again.rotationMode, r.rotationMode);
        EXPECT_EQ(again.frameKind, r.frameKind);
        EXPECT_EQ(again.layerChoice, r.layerChoice);
        EXPECT_EQ(again.flag, r.flag);
    }
    EXPECT_EQ(EscapementOf(-390), 300);
    EXPECT_EQ(EscapementOf(-720), 0);
    EXPECT_EQ(EscapementOf(-330), 3300);  // the remainder keeps the dividend's sign
}


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
        for (uint32_t i = 1; i <= c.stored; ++i) SetValue(i, Packed(Preset(("Mine " + std::to_string(i)).c_str())));
        if (c.missing) DeleteValue(c.missing);
        SetName(c.current);
        auto marks = Marks();
        const size_t head = c.current[0] ? 0 : 1;
        ASSERT_EQ(marks->Count(), head + 8 + c.users) << c.stored;
        const Record& last = marks->Presets().back();
        EXPECT_EQ(last.id, 8 + c.users);
        EXPECT_EQ(std::string(last.name), "Mine " + std::to_string(c.users));
        for (uint32_t i = 1; i <= c.stored; ++i) DeleteValue(i);
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

// A preset added and deleted in one visit leaves no trace; adding stops at the list's room, and a
// deleted preset frees its room.
TEST_F(WaterMarkTest, AddingStopsAtTheListsRoomAndAnAddedPresetDeletedLeavesNoTrace) {
    SetName("DRAFT");
    auto marks = Marks();
    marks->InitWorkingList();
    ASSERT_TRUE(marks->AddPreset(Preset("gone")));
    ASSERT_TRUE(marks->DeletePreset(9));
    EXPECT_EQ(marks->Working().size(), 8u);
    ASSERT_TRUE(marks->CommitWorkingList());
    EXPECT_TRUE(Value(1).empty());
    int added = 0;
    while (added < 60 && marks->AddPreset(Preset("x"))) ++added;
    EXPECT_EQ(added, 51);
    ASSERT_TRUE(marks->DeletePreset(20));
    EXPECT_TRUE(marks->AddPreset(Preset("x")));
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
