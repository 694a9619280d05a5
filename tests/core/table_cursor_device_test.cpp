// The core's tables built from the bundled PCL5e printer's data file: its papers, finishing
// states, user-paper limits and sources reach the cursors.
#include "core/device/table_cursor_device.h"
#include "datafile_test_support.h"

#include <drvtest/registry.h>

#include <string>
#include <vector>

namespace {

class BundledTablesTest : public DataFileTest {
protected:
    const DeviceData* Bundled() {
        std::string text = drvtest::ReadTextFile(std::string(DRVOPUI_SOURCE_DIR) + "/data/kelvar5e.datafile");
        EXPECT_FALSE(text.empty());
        return Parse(Build(text));
    }
};

}  // namespace

TEST_F(BundledTablesTest, PapersSizesAndSourcesComeFromTheDataFile) {
    const DeviceData* data = Bundled();
    ASSERT_NE(data, nullptr);
    drvtest::ScopedHive hive;  // no forms
    CoreTables tables;
    tables.printerName = "Nobody";
    LoadTableInputs(tables, *data);
    EXPECT_EQ(tables.userPaper.maxWidth, 3120u);
    EXPECT_EQ(tables.userPaper.marginBottom, 42u);

    void* out = nullptr;
    ASSERT_TRUE(QueryTable(tables, kTablePapers, &out));
    auto* papers = static_cast<PaperCursor*>(out);
    std::vector<int> codes;
    for (int more = papers->First(); more; more = papers->Next()) codes.push_back(papers->GetWord(1));
    EXPECT_EQ(codes, (std::vector<int>{1, 3, 5, 7, 8, 9, 11, 13, 20, 27, 256}));
    ASSERT_TRUE(papers->Select(9));
    uint32_t size[2];
    ASSERT_EQ(papers->GetFormSize(size, nullptr), 1);
    EXPECT_EQ(size[0], 2100u);
    EXPECT_EQ(size[1], 2970u);
    struct Case { int k; uint32_t value; };
    for (auto c : {Case{1, 1}, Case{2, 2}, Case{3, 1}, Case{4, 2}, Case{6, 0}, Case{7, 2}})
        EXPECT_EQ(papers->GetFormAttribute(c.k), c.value) << c.k;
    ASSERT_TRUE(papers->Select(256));
    EXPECT_EQ(papers->GetFlag(1), 0);  // the device takes the custom size
    papers->Release();

    ASSERT_TRUE(QueryTable(tables, kTableSources, &out));
    auto* sources = static_cast<PaperSourceCursor*>(out);
    std::vector<std::string> names;
    char text[kSourceTextSize];
    for (int more = sources->First(); more; more = sources->Next()) {
        sources->GetText(2, 0, text);
        names.push_back(text + std::string(sources->GetFlag(4) ? "*" : ""));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Auto select", "Tray 1", "Tray 2", "Tray 3*", "Tray 4*", "Bypass tray"}));
    sources->Release();
}
