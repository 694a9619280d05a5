// The form and paper-source tables of the fixture printer and their secondary keys, as the
// rules reach them: a choice found by its option name, a key by its name, and the key's typed
// value read from the core's tables at the time of the question.
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_sources.h"
#include "drvtest/fixture_device.h"
#include "items/common/form_table.h"
#include "items/common/paper_source_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The printer's form table, filled from the paper cursor before the common Init runs, as the
// printer's own item does.
class PrinterForms : public CmSvMulti_FormTable {
public:
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override {
        void* out = nullptr;
        ctx->svc->Query(ctx, kTablePapers, 0, &out);
        auto* papers = static_cast<PaperCursor*>(out);
        names.clear();
        codes.clear();
        ownTable.clear();
        for (int more = papers ? papers->First() : 0; more; more = papers->Next()) {
            char name[64] = {};
            papers->GetFormName(1, name, sizeof name);
            names.push_back(name);
            codes.push_back(papers->GetWord(1));
        }
        if (papers) papers->Release();
        for (size_t i = 0; i < names.size(); ++i)
            ownTable.push_back(CmSvOptionRecord{names[i].c_str(), nullptr, codes[i], 0, 0, 1, 1, 0, 0, nullptr, 0, 0, 1});
        UseTable(ownTable.data(), static_cast<uint32_t>(ownTable.size()));
        return CmSvMulti_FormTable::Init(ctx, settings);
    }
    std::vector<std::string> names;
    std::vector<int32_t> codes;
};

// The printer's paper-source table: the common Init, then the choice index and the keys.
class PrinterSources : public CmSvMulti_PaperSourceTable, public CmSvProperty {
public:
    CmSvProperty* AsProperty() override { return this; }
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override {
        int built = CmSvMulti_PaperSourceTable::Init(ctx, settings);
        ClearEntries();
        for (uint32_t i = 0; i < count; ++i) AddEntry(Row(i)->name, Row(i));
        ClearKeys();
        AddKey(new CmSv2ndKey_PaperSourceTable_PaperOrient(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_MediaType(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_TrayName(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_PaperRemain(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_Ftadel(this));
        return built;
    }
};

// What a rule asking (item, choice, key) gets: 1 and the value, or 0.
int Ask(UIDEVDATA* ctx, const CmSvProperty& property, const char* choice, const char* key, PieValue& out) {
    CmSvKeyEntry* entry = property.FindProperty(choice);
    CmSvSecondKey* found = property.FindKey(key);
    out = PieValue{6, 0};
    return entry && found ? found->GetValue(ctx, entry->entry, &out) : 0;
}

class SecondKeys : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(fixture.Device(), nullptr); }
    UIDEVDATA* Ctx() { return fixture.Device(); }
    drvtest::FixtureDevice fixture;
};

TEST_F(SecondKeys, FormKeysAnswerTheFormsAttributesAndUnknownNamesNoValue) {
    PrinterForms forms;
    ASSERT_EQ(forms.Init(Ctx(), nullptr), 1);
    ASSERT_FALSE(forms.names.empty());
    EXPECT_EQ(forms.KeyCount(), 7u);

    void* out = nullptr;
    Ctx()->svc->Query(Ctx(), kTablePapers, 0, &out);
    auto* papers = static_cast<PaperCursor*>(out);
    ASSERT_NE(papers, nullptr);
    const char* keys[] = {"Assumed", "Staple", "Saddle", "Duplex", "NoPairingOutputPage", "ZFold", "HolePunch"};
    for (size_t i = 0; i < forms.names.size(); ++i) {
        ASSERT_TRUE(papers->Select(static_cast<uint16_t>(forms.codes[i])));
        for (int k = 1; k <= 7; ++k) {
            PieValue v{};
            ASSERT_EQ(Ask(Ctx(), forms, forms.names[i].c_str(), keys[k - 1], v), 1) << forms.names[i] << keys[k - 1];
            EXPECT_EQ(v.type, 1);
            EXPECT_EQ(v.value, static_cast<intptr_t>(papers->GetFormAttribute(k))) << forms.names[i] << keys[k - 1];
        }
    }
    papers->Release();

    PieValue v{};
    const char* first = forms.names[0].c_str();
    EXPECT_EQ(Ask(Ctx(), forms, first, "Colour", v), 0);
    EXPECT_EQ(Ask(Ctx(), forms, "NOSUCHFORM", "Duplex", v), 0);
    EXPECT_EQ(Ask(Ctx(), forms, std::string(32, 'A').c_str(), "Duplex", v), 0);
    EXPECT_EQ(forms.FindKey(nullptr), nullptr);
    EXPECT_EQ(forms.FindProperty(nullptr), nullptr);
    // A form the paper table no longer holds has no value.
    forms.Row(0)->value = 9999;
    EXPECT_EQ(Ask(Ctx(), forms, first, "Duplex", v), 0);
    EXPECT_EQ(v.type, 6);
    EXPECT_EQ(forms.FindKey("Duplex")->GetSecondValue(Ctx(), forms.FindProperty(first)->entry, &v), 0);

    // Init again over a renewed table: the index points into the new rows only.
    ASSERT_EQ(forms.Init(Ctx(), nullptr), 1);
    EXPECT_EQ(forms.EntryCount(), forms.count);
    EXPECT_EQ(forms.FindProperty(first)->entry, forms.Row(0));
}

TEST_F(SecondKeys, FirstEntryOfANameStays) {
    CmSvProperty property;
    int a = 1, b = 2;
    EXPECT_TRUE(property.AddEntry("LETTER", &a));
    EXPECT_TRUE(property.AddEntry("LETTER", &b));
    EXPECT_FALSE(property.AddEntry(std::string(32, 'L').c_str(), &b));
    property.AddEntry(static_cast<CmSvKeyEntry*>(nullptr));
    EXPECT_EQ(property.EntryCount(), 1u);
    EXPECT_EQ(property.FindProperty("LETTER")->entry, &a);
    property.AddKey(new CmSv2ndKey_FormTable_Duplex(&property));
    property.AddKey(new CmSv2ndKey_PaperSourceTable_TrayName(&property));
    property.AddKey(new CmSv2ndKey_FormTable_Duplex(&property));
    EXPECT_EQ(property.KeyCount(), 2u);
    EXPECT_EQ(property.FindKey("Duplex")->valueType, 1);
    EXPECT_EQ(property.FindKey("TrayName")->valueType, 4);
}

TEST_F(SecondKeys, FormTableActionAcceptsUserFormsForSizeChecks) {
    CmSvMulti_FormTable forms;
    struct Case { std::vector<const char*> arguments; int answer; };
    for (const Case& c : {Case{{"CHECK_PAGE_SIZE", "USER"}, 1}, Case{{"CHECK_OUTPUTPAPER_SIZE", "USER_12"}, 1},
                          Case{{"CHECK_PAGE_SIZE", "LETTER"}, 0}, Case{{"CHECK_STAPLE", "USER"}, 0},
                          Case{{"CHECK_PAGE_SIZE"}, 0}, Case{{"CHECK_PAGE_SIZE", "USER", "X"}, 0},
                          Case{{"CHECK_PAGE_SIZE", nullptr}, 0}})
        EXPECT_EQ(forms.Action(Ctx(), static_cast<int>(c.arguments.size()), c.arguments.data(), nullptr), c.answer)
            << c.arguments[0];
}

TEST_F(SecondKeys, PaperSourcesAreNamedAndAnswerTheirKeysFromTheConfiguration) {
    PrinterSources sources;
    ASSERT_EQ(sources.Init(Ctx(), nullptr), 1);
    std::vector<std::string> names;
    for (uint32_t i = 0; i < sources.count; ++i) names.push_back(sources.Row(i)->name);
    EXPECT_EQ(names, (std::vector<std::string>{"AUTO", "CASSETTE1", "CASSETTE2", "CASSETTE3", "CASSETTE4", "MANUAL"}));
    EXPECT_STREQ(sources.Row(2)->display_text, "Tray 2");
    EXPECT_EQ(sources.Row(2)->value, 3);
    EXPECT_EQ(sources.Row(2)->offered, 0);

    // The configuration reports paper, media and level for tray 2.
    void* out = nullptr;
    Ctx()->svc->Query(Ctx(), kTableSources, 0, &out);
    auto* cursor = static_cast<PaperSourceCursor*>(out);
    ASSERT_NE(cursor, nullptr);
    ASSERT_TRUE(cursor->Select(3));
    ASSERT_EQ(cursor->SetNumber(5, 17), kTableDone);
    ASSERT_EQ(cursor->SetNumber(4, 40), kTableDone);
    ASSERT_TRUE(cursor->Select(1));
    ASSERT_EQ(cursor->SetNumber(5, 18), kTableDone);
    cursor->Release();

    PieValue v{};
    ASSERT_EQ(Ask(Ctx(), sources, "CASSETTE2", "MediaType", v), 1);
    EXPECT_EQ(v.type, 4);
    EXPECT_STREQ(reinterpret_cast<const char*>(v.value), "COLOR");
    EXPECT_EQ(Ask(Ctx(), sources, "CASSETTE1", "MediaType", v), 0);  // 18 has no name
    ASSERT_EQ(Ask(Ctx(), sources, "CASSETTE2", "PaperRemain", v), 1);
    EXPECT_EQ(v.type, 3);
    EXPECT_EQ(v.value, 40);
    ASSERT_EQ(Ask(Ctx(), sources, "CASSETTE2", "PaperOrient", v), 1);
    EXPECT_EQ(v.type, 4);
    EXPECT_STREQ(reinterpret_cast<const char*>(v.value), "PORTRAIT");
    ASSERT_EQ(Ask(Ctx(), sources, "CASSETTE2", "Ftadel", v), 1);
    EXPECT_EQ(v.type, 1);
    EXPECT_EQ(v.value, 0);
    ASSERT_EQ(Ask(Ctx(), sources, "CASSETTE2", "TrayName", v), 1);
    EXPECT_EQ(v.type, 4);
    EXPECT_STREQ(reinterpret_cast<const char*>(v.value), "Tray 2");
    const char* first = reinterpret_cast<const char*>(v.value);
    ASSERT_EQ(Ask(Ctx(), sources, "MANUAL", "TrayName", v), 1);
    EXPECT_EQ(reinterpret_cast<const char*>(v.value), first);  // one buffer, overwritten
    EXPECT_STREQ(first, "Bypass tray");

    EXPECT_EQ(Ask(Ctx(), sources, "CASSETTE2", "PaperSize", v), 0);  // not a key of this table
    EXPECT_EQ(Ask(Ctx(), sources, "CASSETTE9", "TrayName", v), 0);
    // A source the device no longer has answers no value.
    sources.Row(2)->value = 300;
    EXPECT_EQ(Ask(Ctx(), sources, "CASSETTE2", "PaperRemain", v), 0);
    EXPECT_EQ(sources.FindKey("TrayName")->GetValue(Ctx(), nullptr, &v), 0);

    // A rebuild reuses the records in place.
    const CmSvOptionRecord* rows = sources.table;
    ASSERT_EQ(sources.Init(Ctx(), nullptr), 1);
    EXPECT_EQ(sources.table, rows);
    EXPECT_EQ(sources.count, 6u);
    EXPECT_EQ(sources.Row(2)->value, 3);
}

}  // namespace
