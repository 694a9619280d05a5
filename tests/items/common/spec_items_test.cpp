// The device capability items over records built from descriptions: every flag, number, text
// and choice reads the field at its offset with its width; the list items name their rows from
// the device's lists, index them for the secondary keys and answer the capability checks.
#include "core/datafile/data_file_parser.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "drvtest/fixture_device.h"
#include "items/common/spec_items.h"
#include "items/common/spec_lists.h"
#include "tools/datafile/description.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

DeviceData* g_record = nullptr;
DeviceData* TestRecord(UIDEVDATA*) { return g_record; }

// The fixture printer, whose device capability is the test's record.
class SpecItems : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fixture.Device(), nullptr);
        services = *Ctx()->svc;
        services.LoadDeviceData = TestRecord;
        saved = Ctx()->svc;
        Ctx()->svc = &services;
        dm = Ctx()->svc->GetDevmode(Ctx(), 3);  // what the items load from and store into
    }
    void TearDown() override {
        Ctx()->svc = saved;
        g_record = nullptr;
        for (DeviceData* data : records) FreeDeviceData(data);
    }
    UIDEVDATA* Ctx() { return fixture.Device(); }

    void Use(const std::string& body) {
        datafile::FileSpec spec;
        std::string error;
        ASSERT_TRUE(datafile::ParseDescription("model 7\nname \"PCL5e\"\n" + body, "test", ".", spec, error)) << error;
        std::vector<uint8_t> bytes = datafile::WriteDataFile(spec);
        DataFileError parseError;
        g_record = ParseDataFile(bytes.data(), bytes.size(), parseError);
        ASSERT_NE(g_record, nullptr) << parseError.text;
        records.push_back(g_record);
    }
    int Act(CmSvAction& item, std::vector<const char*> args) {
        return item.Action(Ctx(), static_cast<int>(args.size()), args.data(), nullptr);
    }
    int Ask(CmSvProperty& item, const char* choice, const char* key, PieValue& out) {
        CmSvKeyEntry* entry = item.FindProperty(choice);
        CmSvSecondKey* found = item.FindKey(key);
        out = PieValue{6, 0};
        return entry && found ? found->GetValue(Ctx(), entry->entry, &out) : 0;
    }

    drvtest::FixtureDevice fixture;
    UiServiceTable services{};
    const UiServiceTable* saved = nullptr;
    std::vector<DeviceData*> records;
    uint8_t* dm = nullptr;
};

std::string Name(const CmSvMulti& item) { return item.CurrentRow() ? item.CurrentRow()->name : "(none)"; }

TEST_F(SpecItems, FlagsReadTheirFieldAndReportItRaw) {
    std::vector<std::unique_ptr<CmSvSpecFlag>> flags;
#define MAKE(Name, ...) flags.emplace_back(new CmSvOnOff_##Name);
    SPEC_FLAG_ITEMS(MAKE)
#undef MAKE
    ASSERT_EQ(flags.size(), 29u);
    std::string body;
    for (size_t i = 0; i < flags.size(); ++i)
        if (i % 2 == 0) body += std::string(flags[i]->key + 5) + " " + std::to_string(i + 3) + "\n";
    Use(body);
    for (size_t i = 0; i < flags.size(); ++i) {
        CmSvSpecFlag& flag = *flags[i];
        EXPECT_EQ(flag.kind, kSvKindValueOnly);
        EXPECT_EQ(flag.Load(Ctx(), dm), 1) << flag.key;
        EXPECT_EQ(flag.current, i % 2 == 0 ? 1 : 0) << flag.key;
        uint32_t data = 0xffff;
        EXPECT_EQ(RunSdkRequest(flag, Ctx(), 2, flag.keys[0], &data), 0);
        EXPECT_EQ(data, i % 2 == 0 ? i + 3 : 0u) << flag.key;
        // The device's fact is not the caller's to set: refused, the value stays.
        data = 5;
        flag.current = 0;
        EXPECT_EQ(RunSdkRequest(flag, Ctx(), 3, flag.keys[0], &data), 3);
        EXPECT_EQ(flag.current, 0);
        EXPECT_EQ(flag.Store(Ctx(), dm), 0);
    }
}

TEST_F(SpecItems, NumbersReadTheirWidthAndSign) {
    std::vector<std::unique_ptr<CmSvSpecNumber>> numbers;
#define MAKE(Name, ...) numbers.emplace_back(new CmSvNumeric_##Name);
    SPEC_NUMBER_ITEMS(MAKE)
#undef MAKE
    ASSERT_EQ(numbers.size(), 50u);
    std::string body = "list PaperSource\n name=\"a\" id=1\n name=\"b\" id=2\nend\n";
    std::vector<int32_t> expected(numbers.size(), 0);
    for (size_t i = 0; i < numbers.size(); ++i) {
        const devicedata::FieldInfo* field = devicedata::FieldAt(numbers[i]->offset);
        if (!field || field->kind == devicedata::FieldKind::Derived) continue;  // counts of lists
        const int32_t value = numbers[i]->width == SpecWidth::U32   ? 100000 + static_cast<int32_t>(i)
                              : numbers[i]->width == SpecWidth::S16 ? -300 - static_cast<int32_t>(i)
                                                                     : 60000 + static_cast<int32_t>(i);
        body += std::string(field->name) + " " + std::to_string(value) + "\n";
        expected[i] = value;
    }
    Use(body);
    for (size_t i = 0; i < numbers.size(); ++i) {
        CmSvSpecNumber& number = *numbers[i];
        if (std::string(number.key) == "Spec$NumPaperSource") expected[i] = 2;
        EXPECT_EQ(number.Load(Ctx(), dm), 1);
        EXPECT_EQ(number.current, expected[i]) << number.key;
        uint32_t size = 0;
        EXPECT_EQ(RunSdkRequest(number, Ctx(), 0, number.keys[0], &size), 0);
        EXPECT_EQ(size, 4u) << number.key;  // the word the get writes, whatever the field's width
    }
}

TEST_F(SpecItems, TextsFitTheirItemOrAreCut) {
    Use("ModelName \"ABC\"\nProductName \"" + std::string(40, 'P') + "\"\nNickName \"" + std::string(63, 'N') +
        "\"\n");
    CmSvString_ModelName model;
    CmSvString_ProductName product;
    CmSvString_NickName nick;
    CmSvString_DevIDCid empty;
    EXPECT_EQ(model.Load(Ctx(), dm), 1);
    EXPECT_EQ(std::string(model.current), "ABC");
    EXPECT_EQ(product.Load(Ctx(), dm), 0);
    EXPECT_EQ(std::string(product.current), std::string(31, 'P'));
    EXPECT_EQ(nick.Load(Ctx(), dm), 1);
    EXPECT_EQ(std::string(nick.current), std::string(63, 'N'));
    EXPECT_EQ(empty.Load(Ctx(), dm), 1);
    EXPECT_EQ(std::string(empty.current), "");
    char out[32] = {};
    EXPECT_EQ(RunSdkRequest(model, Ctx(), 2, 0x100000 + 1190, out), 0);
    EXPECT_EQ(std::string(out), "ABC");
}

TEST_F(SpecItems, ChoicesMatchTheirFieldUnlessGuarded) {
    Use("Duplex 2\nEngineType 3\nCollateType 18\nInserterState 2\nBaseColorSpace 20052\nDefaultFace 2\n"
        "list ColorSpace\n name=\"c\" id=1\nend\nlist Grayout\n name=\"g\" id=3\n name=\"h\" id=9\nend\n");
    CmSvMulti_Duplex duplex;
    CmSvMulti_EngineType engine;
    CmSvMulti_FshCollateType collate;
    CmSvMulti_InserterState inserterState;
    CmSvMulti_Inserter inserter;
    CmSvMulti_BaseColorSpace colorSpace;
    CmSvMulti_ColorSwitch colorSwitch;
    CmSvMulti_DefaultFace face;
    CmSvMulti_Grayout grayout;
    CmSvMulti_ExpStorage storage;
    struct Case { CmSvMulti* item; int answer; const char* name; };
    for (const Case& c : {Case{&duplex, 1, "ON"}, Case{&engine, 0, "QRT"}, Case{&collate, 1, "HARDWARE"},
                          Case{&inserterState, 1, "ON"}, Case{&inserter, 0, "DISABLE"}, Case{&colorSpace, 1, "NTSC"},
                          Case{&colorSwitch, 1, "NONE"}, Case{&face, 1, "FACEUP"}, Case{&grayout, 1, "OFF"},
                          Case{&storage, 1, "NONE"}}) {
        EXPECT_EQ(c.item->Load(Ctx(), dm), c.answer) << c.item->key;
        EXPECT_EQ(Name(*c.item), c.name) << c.item->key;
    }
}

constexpr const char* kDevice = R"(DefaultPaperSource 7
list PaperSource
  name="Tray 1" id=1 papers=9,5
  name="Auto" id=7 papers=9
  name="Odd" id=300
end
DefaultPaper 9
list Paper
  id=9 Assumed=1 Duplex=2 Staple=5 media=2,6
  id=5 Duplex=0
end
list PaperType
  name="Plain" id=2
  name="Thick" id=6
end
DefaultPaperDestination 1
list PaperDestination
  name="Out" id=1 papers=9
end
FoldsID 2
list Fold
  id=1
  id=2
end
list TonerSave
  name="t" id=2
end
list HalfTone
  name="h" id=4 colorspace=7
end
list HalfToneObj
  id=5 colorspace=3
end
list ExpRam
  name="16MB" memory=16384000
end
list ExpStorage
  name="disk" type=3
end
)";

TEST_F(SpecItems, ListItemsNameTheirRowsFromTheDevicesLists) {
    Use(kDevice);
    CmSvMulti_PaperSource source;
    CmSvMulti_Paper paper;
    CmSvMulti_PaperType type;
    CmSvMulti_PaperDestination destination;
    CmSvMulti_FshFolds folds;
    CmSvMulti_TonerSave toner;
    CmSvMulti_SmoothingMode smoothing;
    CmSvMulti_HalfTone halftone;
    CmSvMulti_HalfToneObj halftoneObj;
    CmSvMulti_ExpRam ram;
    struct Case { CmSvSpecList* item; std::vector<std::string> rows; const char* loaded; };
    for (const Case& c : {Case{&source, {"CASSETTE1", "AUTO", "UNDEFINED300"}, "AUTO"},
                          Case{&paper, {"A4", "LEGAL"}, "A4"},
                          Case{&type, {"PLANE", "PLANEL"}, "PLANEL"},
                          Case{&destination, {"CASSETTE1"}, "CASSETTE1"},
                          Case{&folds, {"ZFOLD", "SADDLE"}, "SADDLE"},
                          Case{&toner, {"ON"}, "ON"},
                          Case{&smoothing, {}, nullptr},
                          Case{&halftone, {"TONE"}, "TONE"},
                          Case{&halftoneObj, {"NONE"}, "NONE"},
                          Case{&ram, {"16MB"}, "16MB"}}) {
        EXPECT_EQ(c.item->Init(Ctx(), nullptr), c.rows.empty() ? 0 : 1) << c.item->key;
        ASSERT_EQ(c.item->count, c.rows.size()) << c.item->key;
        for (uint32_t i = 0; i < c.item->count; ++i) {
            EXPECT_EQ(c.rows[i], c.item->Row(i)->name) << c.item->key;
            EXPECT_EQ(c.item->Row(i)->offered, 1);
            EXPECT_EQ(c.item->Row(i)->option_value, c.item->Row(i)->value);
        }
        EXPECT_EQ(c.item->Load(Ctx(), dm), c.loaded ? 1 : 0) << c.item->key;
        if (c.loaded) {
            EXPECT_EQ(Name(*c.item), c.loaded) << c.item->key;
        }
    }
    EXPECT_EQ(ram.Row(0)->value, 16384000);
}

TEST_F(SpecItems, SecondaryKeysReadTheEntryBehindAChoice) {
    Use(kDevice);
    CmSvMulti_Paper paper;
    CmSvMulti_PaperSource source;
    CmSvMulti_HalfTone halftone;
    CmSvMulti_HalfToneObj halftoneObj;
    for (CmSvSpecList* item : std::initializer_list<CmSvSpecList*>{&paper, &source, &halftone, &halftoneObj})
        ASSERT_EQ(item->Init(Ctx(), nullptr), 1);
    EXPECT_EQ(paper.KeyCount(), 20u);
    struct Case {
        CmSvProperty* item;
        const char* choice;
        const char* key;
        int answer;
        int type;
        intptr_t number;
        const char* text;
    };
    for (const Case& c : {Case{&paper, "A4", "Duplex", 1, 4, 0, "ON"}, Case{&paper, "LEGAL", "Duplex", 1, 4, 0, "DISABLE"},
                          Case{&paper, "A4", "Staple", 0, 6, 0, nullptr}, Case{&paper, "A4", "Assumed", 1, 1, 1, nullptr},
                          Case{&paper, "LEGAL", "Assumed", 1, 1, 0, nullptr},
                          Case{&paper, "A4", "NumMedia", 1, 3, 2, nullptr},
                          Case{&source, "CASSETTE1", "NumPaper", 1, 3, 2, nullptr},
                          Case{&source, "UNDEFINED300", "NumPaper", 1, 3, 0, nullptr},
                          Case{&halftone, "TONE", "ColorSpaceID", 1, 3, 7, nullptr},
                          Case{&halftoneObj, "NONE", "ColorSpaceID", 1, 3, 3, nullptr},
                          Case{&paper, "A3", "Duplex", 0, 6, 0, nullptr}}) {
        PieValue v{};
        EXPECT_EQ(Ask(*c.item, c.choice, c.key, v), c.answer) << c.choice << " " << c.key;
        EXPECT_EQ(v.type, c.type) << c.choice << " " << c.key;
        if (c.text) {
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(v.value)), c.text);
        } else if (c.answer) {
            EXPECT_EQ(v.value, c.number) << c.choice << " " << c.key;
        }
    }
}

TEST_F(SpecItems, CapabilityChecks) {
    Use(kDevice);
    CmSvMulti_PaperSource source;
    CmSvMulti_PaperDestination destination;
    CmSvMulti_FshFolds folds;
    CmSvMulti_ExpStorage storage;
    EXPECT_EQ(Act(source, {"CHECKPAPERSIZE", "CASSETTE1", "A4"}), 0);  // no table in use yet
    ASSERT_EQ(source.Init(Ctx(), nullptr), 1);
    ASSERT_EQ(destination.Init(Ctx(), nullptr), 1);
    destination.Load(Ctx(), dm);
    struct Case { CmSvAction* item; std::vector<const char*> args; int answer; };
    for (const Case& c : {Case{&source, {"CHECKPAPERSIZE", "CASSETTE1", "A4"}, 1},
                          Case{&source, {"CHECKPAPERSIZE", "CASSETTE1", "LEGAL"}, 1},
                          Case{&source, {"CHECKPAPERSIZE", "AUTO", "LEGAL"}, 0},
                          Case{&source, {"CHECKPAPERSIZE", "CASSETTE9", "A4"}, 0},
                          Case{&source, {"CHECKPAPERSIZE", "NOSUCH", "A4"}, 0},
                          Case{&source, {"CHECKPAPERSIZE", "CASSETTE1", "NOSUCH"}, 0},
                          Case{&source, {"CHECKPAPERTYPE", "CASSETTE1", "A4"}, 0},
                          Case{&destination, {"CHECKPAPERSIZE", "CASSETTE1", "A4"}, 1},
                          Case{&destination, {"CHECKPAPERSIZE", "AUTO", "A4"}, 0},
                          Case{&destination, {"CHECKPAPERSIZE", "CASSETTE1", "LEGAL"}, 0},
                          Case{&folds, {"ZFOLD"}, 1},
                          Case{&folds, {"SADDLE"}, 1},
                          Case{&folds, {"XFOLD"}, 0},
                          Case{&folds, {"CFOLD"}, 0},
                          Case{&storage, {"CHECK_HDD"}, 1},
                          Case{&storage, {"CHECK_RAM"}, 0},
                          Case{&storage, {"CHECK_DISK"}, 0},
                          Case{&storage, {"CHECK_HDD", "x"}, 0}})
        EXPECT_EQ(Act(*c.item, c.args), c.answer) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
}

TEST_F(SpecItems, ListsRebuildInPlaceAndGrowOrEmpty) {
    Use("list PaperSource\n name=\"a\" id=1\nend\n");
    CmSvMulti_PaperSource source;
    ASSERT_EQ(source.Init(Ctx(), nullptr), 1);
    EXPECT_EQ(source.count, 1u);
    Use(kDevice);
    ASSERT_EQ(source.Init(Ctx(), nullptr), 1);
    EXPECT_EQ(source.count, 3u);
    EXPECT_EQ(std::string(source.Row(2)->name), "UNDEFINED300");
    EXPECT_NE(source.FindProperty("UNDEFINED300"), nullptr);
    Use("");
    EXPECT_EQ(source.Init(Ctx(), nullptr), 0);
    EXPECT_EQ(source.count, 0u);
    EXPECT_EQ(source.Load(Ctx(), dm), 0);
    EXPECT_EQ(source.FindProperty("CASSETTE1"), nullptr);
    EXPECT_EQ(Act(source, {"CHECKPAPERSIZE", "CASSETTE1", "A4"}), 0);
}

}  // namespace
