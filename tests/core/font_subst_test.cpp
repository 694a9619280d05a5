// The font-substitution table through the registry: a round trip through the writer and the
// reader, finding by face, and stored tables whose three values disagree.
#include "core/datafile/font_subst_cursor.h"
#include "core/datafile/font_subst_table.h"
#include "core/datafile/printer_driver_data.h"

#include <drvtest/registry.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void storeCount(const char* name, uint32_t value) {
    uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    ASSERT_TRUE(devmode::writeDriverValue("Office", name, bytes, 4));
}

}  // namespace

TEST(FontSubst, WriterAndReaderRoundTripThroughTheRegistry) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    auto* writer = new FontSubstWriter("Office");
    EXPECT_EQ(writer->Add("Arial", "Helvetica", 4), kTableRefused);  // before Start
    ASSERT_EQ(writer->Start(2), kTableDone);
    EXPECT_EQ(writer->Add("Arial", "Helvetica", 4), kTableDone);
    EXPECT_EQ(writer->Add("Times New Roman", "CG Times", 7), kTableDone);
    EXPECT_EQ(writer->Add("Arial", "Univers", 5), kTableDone);  // the later choice wins
    EXPECT_EQ(writer->Add("Courier New", "Courier", 1), kTableRefused);  // past the count
    EXPECT_EQ(writer->Add("", "Courier", 1), kTableRefused);
    EXPECT_EQ(writer->Add(std::string(64, 'F').c_str(), "Courier", 1), kTableRefused);
    ASSERT_EQ(writer->Write(), kTableDone);
    writer->Release();

    std::vector<uint8_t> size;
    ASSERT_TRUE(devmode::readDriverValue("Office", kFontSubstSizeValue, size));
    EXPECT_EQ(size, (std::vector<uint8_t>{8, 1, 0, 0}));  // two records of 132 bytes

    auto* reader = new FontSubstReader("Office");
    EXPECT_EQ(reader->Count(), 2u);
    ASSERT_TRUE(reader->Find("arial", 1));
    EXPECT_STREQ(reader->GetField(2), "Univers");
    EXPECT_EQ(reader->DeviceFontId(), 5u);
    EXPECT_FALSE(reader->Find("arial", 0));  // exact comparison
    EXPECT_EQ(reader->GetField(2), nullptr);
    ASSERT_TRUE(reader->Find("Times New Roman", 0));
    EXPECT_STREQ(reader->GetField(1), "Times New Roman");
    EXPECT_EQ(reader->GetField(3), nullptr);
    reader->Release();
}

TEST(FontSubst, TablesWhoseValuesDisagreeReadAsEmptyAndNamesStopAtTheirField) {
    std::vector<uint8_t> good = SerializeFontSubstTable({{"Arial", "Helvetica", 4}, {"Symbol", "Symbol", 9}});
    struct Case { const char* label; uint32_t size, count; size_t bytes; bool read; };
    for (auto c : {Case{"consistent", 264, 2, 264, true}, Case{"count too high", 264, 3, 264, false},
                   Case{"count too low", 264, 1, 264, false}, Case{"table short", 264, 2, 263, false},
                   Case{"size not records", 263, 2, 263, false}, Case{"count whose size wraps", 264, 2 + (1u << 30), 264, false},
                   Case{"empty", 0, 0, 0, true}}) {
        drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
        storeCount(kFontSubstSizeValue, c.size);
        storeCount(kFontSubstNumValue, c.count);
        ASSERT_TRUE(devmode::writeDriverValue("Office", kFontSubstTableValue, good.data(), c.bytes));
        std::vector<FontSubstEntry> entries;
        EXPECT_EQ(ReadFontSubstTable("Office", entries), c.read) << c.label;
        EXPECT_EQ(entries.size(), c.read ? c.count : 0) << c.label;
        FontSubstReader reader("Office");
        EXPECT_EQ(reader.Find("Arial", 1) != 0, c.read && c.count > 0) << c.label;
    }

    std::vector<uint8_t> table(kFontSubstRecordSize, 'x');
    std::vector<FontSubstEntry> entries;
    ASSERT_TRUE(ParseFontSubstTable(ByteView(table.data(), table.size()), kFontSubstRecordSize, 1, entries));
    EXPECT_EQ(entries[0].face, std::string(kFontFaceField - 1, 'x'));
    EXPECT_EQ(entries[0].substitute.size(), kFontFaceField - 1);
    EXPECT_FALSE(ParseFontSubstTable(ByteView(table.data(), table.size()), 0, 1, entries));
    EXPECT_TRUE(entries.empty());
}
