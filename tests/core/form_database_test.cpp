// The form database over "FORMDATA": adding, changing, deleting and enumerating forms, refusals
// that change nothing, and stored entries that are not well formed.
#include "core/datafile/form_database.h"

#include <drvtest/registry.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> describe(const std::vector<FormEntry>& forms) {
    std::vector<std::string> out;
    for (const FormEntry& f : forms)
        out.push_back(f.name + ":" + std::to_string(f.paperId) + ":" + std::to_string(f.width) + "x" +
                      std::to_string(f.length));
    return out;
}

}  // namespace

TEST(FormDatabase, AddChangeDeleteAndEnumerate) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    FormDatabase db("Office");
    EXPECT_EQ(db.Add("Postcard", 0, 1000, 1480), kTableDone);
    EXPECT_EQ(db.Add("Banner", 2010, 2100, 9000), kTableDone);
    EXPECT_EQ(describe(ReadForms("Office")),
              (std::vector<std::string>{"Postcard:2000:1000x1480", "Banner:2010:2100x9000"}));
    EXPECT_EQ(db.Change("POSTCARD", 0, 1050, 1500), kTableDone);
    EXPECT_EQ(db.Change("Banner", 2001, 2100, 9100), kTableDone);
    FormEntry form;
    ASSERT_EQ(db.Enumerate(1, form), kTableDone);
    EXPECT_EQ(form.name, "Banner");
    EXPECT_EQ(form.paperId, 2001);
    EXPECT_EQ(db.Enumerate(2, form), kTableNoItem);
    EXPECT_EQ(db.Delete("postcard"), kTableDone);
    EXPECT_EQ(describe(ReadForms("Office")), (std::vector<std::string>{"Banner:2001:2100x9100"}));
}

TEST(FormDatabase, RefusedChangesAnswerTwoAndChangeNothing) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    FormDatabase db("Office");
    ASSERT_EQ(db.Add("Postcard", 0, 1000, 1480), kTableDone);
    ASSERT_EQ(db.Add("Banner", 0, 2100, 9000), kTableDone);
    std::string before = hive.FileText();
    struct Case { const char* label; int answer; };
    const Case cases[] = {
        {"name taken in other case", db.Add("postCARD", 0, 1000, 1480)},
        {"empty name", db.Add("", 0, 1000, 1480)},
        {"name too long", db.Add(std::string(32, 'n').c_str(), 0, 1000, 1480)},
        {"control character", db.Add("Bad\tName", 0, 1000, 1480)},
        {"too small", db.Add("Tiny", 0, 99, 1480)},
        {"too large", db.Add("Huge", 0, 1000, 100001)},
        {"paper id taken", db.Add("Other", 2001, 1000, 1480)},
        {"paper id below range", db.Add("Other", 1999, 1000, 1480)},
        {"paper id above range", db.Add("Other", 4000, 1000, 1480)},
        {"change unknown", db.Change("Missing", 0, 1000, 1480)},
        {"change to taken id", db.Change("Postcard", 2001, 1000, 1480)},
        {"change to bad size", db.Change("Postcard", 0, 0, 1480)},
        {"delete unknown", db.Delete("Missing")},
        {"null name", db.Delete(nullptr)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.answer, kTableRefused) << c.label;
    EXPECT_EQ(hive.FileText(), before);
}

TEST(FormDatabase, FiftyFormsAtMost) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    FormDatabase db("Office");
    for (int i = 0; i < 50; ++i) ASSERT_EQ(db.Add(("Form" + std::to_string(i)).c_str(), 0, 1000, 1480), kTableDone) << i;
    EXPECT_EQ(db.Add("Form50", 0, 1000, 1480), kTableRefused);
    EXPECT_EQ(ReadForms("Office").back().paperId, 2049);
    EXPECT_EQ(FormDatabase("Nobody").Add("Postcard", 0, 1000, 1480), kTableRefused);  // no such printer
}

TEST(FormDatabase, BadStoredEntriesAreIgnored) {
    std::string hiveText = std::string(drvtest::kOfficePrinterHive) +
        "\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Office\\PrinterDriverData\\FORMDATA]\n"
        "\"Good\"=hex:d0,07,00,00,e8,03,00,00,c8,05,00,00\n"
        "\"Short\"=hex:d1,07,00,00,e8,03,00,00,c8,05,00\n"
        "\"Long\"=hex:d2,07,00,00,e8,03,00,00,c8,05,00,00,00\n"
        "\"LowId\"=hex:01,00,00,00,e8,03,00,00,c8,05,00,00\n"
        "\"NoSize\"=hex:d3,07,00,00,00,00,00,00,c8,05,00,00\n"
        "\"SameId\"=hex:d0,07,00,00,e8,03,00,00,c8,05,00,00\n"
        "\"Text\"=\"d4070000\"\n";
    drvtest::ScopedHive hive(hiveText);
    EXPECT_EQ(describe(ReadForms("Office")).size(), 1u);
    EXPECT_EQ(ReadForms("Office")[0].paperId, 2000);
    FormDatabase db("Office");
    EXPECT_EQ(db.Add("Next", 0, 1000, 1480), kTableDone);  // a damaged entry holds no paper id
    EXPECT_EQ(ReadForms("Office").back().paperId, 2001);
}
