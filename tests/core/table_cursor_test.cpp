// The paper and paper-source cursors over a Kelvaro-like printer: walking, selecting, sizes in
// tenths of a millimetre, forms appearing after a refresh, the custom size and the source slots.
#include "core/devmode/device_option_block.h"
#include "core/datafile/form_database.h"
#include "core/device/table_cursor_query.h"
#include "model/model_catalogue.h"

#include <drvtest/registry.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class TablesTest : public ::testing::Test {
protected:
    TablesTest() : hive_(drvtest::kOfficePrinterHive) {
        store_.printerName = "Office";
        DescribeModel(2059, model_);
        tables_.printerName = "Office";
        for (uint16_t id : {1, 9, 8, 256, 999, 9}) {  // 999 has no known size, the second 9 is a repeat
            DevicePaper p;
            p.id = id;
            p.staple = id == 9 ? 2 : 0;
            p.assumed = id == 1 ? 1 : 0;
            tables_.devicePapers.push_back(p);
        }
        tables_.userPaper = {2100, 2970, 42, 42, 42, 42, 980, 1480, 3120, 4572};
        tables_.deviceSources = {{"Auto select", 7, {1, 9}, false},
                                 {"Tray 1", 1, {1, 9}, false},
                                 {"Tray 4", 264, {9}, true},
                                 {"Bypass tray", 4, {1, 9, 256}, false}};
        tables_.model = &model_;
        tables_.store = &store_;
    }
    template <typename T>
    T* query(int kind) {
        void* out = reinterpret_cast<void*>(1);
        EXPECT_TRUE(QueryTable(tables_, kind, &out));
        return static_cast<T*>(out);
    }
    std::vector<int> paperCodes() {
        std::vector<int> codes;
        auto* cursor = query<PaperCursor>(kTablePapers);
        for (int more = cursor->First(); more; more = cursor->Next()) codes.push_back(cursor->GetWord(1));
        cursor->Release();
        return codes;
    }

    drvtest::ScopedHive hive_;
    devmode::DevmodeStore store_;
    ModelDescription model_;
    CoreTables tables_;
};

}  // namespace

TEST_F(TablesTest, PaperCursorWalksSelectsAndReportsTenthsOfAMillimetre) {
    EXPECT_EQ(paperCodes(), (std::vector<int>{1, 9, 8, 256}));
    auto* cursor = query<PaperCursor>(kTablePapers);
    uint32_t size[2] = {};
    int32_t area[4] = {};
    EXPECT_EQ(cursor->GetFormSize(size, area), 0);  // no current row yet
    struct Case { uint16_t code; uint32_t w, l; const char* name; uint32_t staple; int standard; };
    for (auto c : {Case{9, 2100, 2970, "A4", 2, 1}, Case{1, 2159, 2794, "Letter", 0, 1}, Case{8, 2970, 4200, "A3", 0, 1},
                   Case{256, 2100, 2970, "Custom", 0, 0}}) {
        ASSERT_TRUE(cursor->Select(c.code)) << c.code;
        ASSERT_EQ(cursor->GetFormSize(size, nullptr), 1);
        EXPECT_EQ(size[0], c.w) << c.code;
        EXPECT_EQ(size[1], c.l) << c.code;
        char name[64];
        ASSERT_EQ(cursor->GetFormName(1, name, sizeof name), 1);
        EXPECT_STREQ(name, c.name);
        EXPECT_EQ(cursor->GetFormAttribute(2), c.staple) << c.code;
        EXPECT_EQ(cursor->GetFlag(3), c.standard) << c.code;
    }
    ASSERT_TRUE(cursor->Select(9));
    ASSERT_EQ(cursor->GetFormSize(nullptr, area), 1);
    EXPECT_EQ(std::vector<int>(area, area + 4), (std::vector<int>{42, 42, 2058, 2928}));
    EXPECT_FALSE(cursor->Select(999));
    EXPECT_EQ(cursor->GetWord(1), 0);
    EXPECT_EQ(cursor->GetFormAttribute(8), 0u);
    char tiny[3];
    ASSERT_TRUE(cursor->Select(1));
    EXPECT_EQ(cursor->GetFormName(1, tiny, sizeof tiny), 1);
    EXPECT_STREQ(tiny, "Le");
    cursor->Release();
}

TEST_F(TablesTest, AddedFormAppearsAfterRefreshAndCustomSizeStaysWithinLimits) {
    EXPECT_EQ(paperCodes(), (std::vector<int>{1, 9, 8, 256}));
    auto* db = query<FormDatabase>(kTableForms);
    ASSERT_EQ(db->Add("Postcard", 0, 1000, 1480), kTableDone);
    db->Release();
    EXPECT_EQ(paperCodes(), (std::vector<int>{1, 9, 8, 256}));  // the table is built once
    ASSERT_TRUE(RefreshTable(tables_, 1));
    EXPECT_EQ(paperCodes(), (std::vector<int>{1, 9, 8, 2000, 256}));
    auto* cursor = query<PaperCursor>(kTablePapers);
    ASSERT_TRUE(cursor->Select(2000));
    EXPECT_EQ(cursor->GetWord(2), 256);
    EXPECT_EQ(cursor->IsCustom(1), 0);
    EXPECT_EQ(cursor->IsCustom(2), 1);
    EXPECT_EQ(cursor->GetFlag(2), 1);

    struct Case { uint32_t w, l; BOOL taken; };
    for (auto c : {Case{1000, 1480, TRUE}, Case{979, 1480, FALSE}, Case{3120, 4572, TRUE}, Case{3121, 2000, FALSE},
                   Case{1000, 4573, FALSE}, Case{0, 0, FALSE}})
        EXPECT_EQ(SetUserPaperSize(tables_, c.w, c.l), c.taken) << c.w << "x" << c.l;
    ASSERT_TRUE(RefreshTable(tables_, 1));  // the custom size outlives a rebuild and older cursors see it
    uint32_t size[2];
    ASSERT_TRUE(cursor->Select(256));
    cursor->GetFormSize(size, nullptr);
    EXPECT_EQ(size[0], 3120u);
    uint32_t pair[2] = {1500, 2000};
    int32_t badArea[4] = {10, 10, 1600, 1900};  // wider than the paper
    EXPECT_EQ(cursor->SetCustomSize(pair, badArea), 0);
    EXPECT_EQ(cursor->SetCustomSize(pair, nullptr), 1);
    cursor->Release();
    PaperRow row;
    ASSERT_TRUE(PaperTableOf(tables_)->Find(256, row));
    EXPECT_EQ(row.width, 1500u);
    EXPECT_EQ(row.area[2], 1458);
    EXPECT_FALSE(RefreshTable(tables_, 3));
}

TEST_F(TablesTest, SourceCursorReadsAndWritesTheDeviceOptionSlots) {
    auto* cursor = query<PaperSourceCursor>(kTableSources);
    std::vector<int> ids, hidden;
    for (int more = cursor->First(); more; more = cursor->Next()) {
        ids.push_back(cursor->GetNumber(1));
        hidden.push_back(cursor->GetFlag(1));
    }
    EXPECT_EQ(ids, (std::vector<int>{7, 1, 264, 4}));
    EXPECT_EQ(hidden, (std::vector<int>{1, 0, 0, 0}));

    ASSERT_TRUE(cursor->Select(264));
    EXPECT_EQ(cursor->GetNumber(4), -2);  // no slot yet: level unknown
    EXPECT_EQ(cursor->GetFlag(3), 1);
    EXPECT_EQ(cursor->GetFlag(4), 1);
    EXPECT_EQ(cursor->SetNumber(2, 8), kTableDone);
    EXPECT_EQ(cursor->SetNumber(4, 60), kTableDone);
    EXPECT_EQ(cursor->SetNumber(5, 3), kTableDone);
    EXPECT_EQ(cursor->SetNumber(4, 101), kTableRefused);
    EXPECT_EQ(cursor->SetNumber(1, 5), kTableRefused);
    EXPECT_EQ(cursor->GetNumber(2), 8);
    EXPECT_EQ(cursor->GetNumber(3), 4);
    EXPECT_EQ(cursor->GetNumber(4), 60);
    EXPECT_EQ(cursor->GetNumber(5), 3);
    char text[kSourceTextSize];
    ASSERT_EQ(cursor->GetText(1, 0, text), 1);
    EXPECT_STREQ(text, "Tray 4");
    uint8_t* data = devmode::GetDeviceOptionData(store_);
    std::memcpy(data + devopt::kSourceSlots + devopt::kSlotName, "LCT 3000", 9);
    ASSERT_EQ(cursor->GetText(1, 0, text), 1);
    EXPECT_STREQ(text, "LCT 3000");
    ASSERT_EQ(cursor->GetText(2, 0, text), 1);
    EXPECT_STREQ(text, "Tray 4");

    ASSERT_TRUE(cursor->Select(4));
    EXPECT_EQ(cursor->GetFlag(2), 1);
    EXPECT_EQ(cursor->GetFlag(7), 1);
    EXPECT_FALSE(cursor->Select(99));
    EXPECT_EQ(cursor->GetNumber(1), 0);
    EXPECT_EQ(cursor->SetNumber(2, 9), kTableRefused);
    cursor->Release();

    void* out = reinterpret_cast<void*>(1);
    EXPECT_FALSE(QueryTable(tables_, 3, &out));
    EXPECT_EQ(out, nullptr);
}
