// The add-in description reader on files as installers, users and damaged disks leave them: what
// checks is kept, every other line is skipped, and nothing outside the driver's folder is named.
#include "core/addins/cpi_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<AddInRecord> Read(const std::string& text, bool* found = nullptr) {
    std::vector<AddInRecord> addIns;
    const bool ok = ReadCpiFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), addIns);
    if (found) *found = ok;
    return addIns;
}

constexpr char kId[] = "{6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7A8}";

TEST(CpiFile, ReadsTheAddInsOfItsSection) {
    const std::string text = std::string("; the maker's add-ins\r\n[Other]\r\nSample=") + kId + ",OTHER.DLL\r\n" +
                             " [ add-ins ] \nSample = " + kId + " , ADDIN.DLL , Staples every sheet \n"
                             "Second={00000000-0000-0000-0000-00000000000A},TWO.DLL\r";
    bool found = false;
    const std::vector<AddInRecord> addIns = Read(text, &found);
    EXPECT_TRUE(found);
    ASSERT_EQ(addIns.size(), 2u);
    EXPECT_EQ(addIns[0].name, "Sample");
    EXPECT_EQ(addIns[0].file, "ADDIN.DLL");
    EXPECT_EQ(addIns[0].description, "Staples every sheet");
    EXPECT_EQ(addIns[0].classId.data1, 0x6F1C2A40u);
    EXPECT_EQ(addIns[0].classId.data2, 0x93B5);
    EXPECT_EQ(addIns[0].classId.data4[0], 0xA1);
    EXPECT_EQ(addIns[0].classId.data4[7], 0xA8);
    EXPECT_EQ(addIns[1].classId.data4[7], 0x0A);
    EXPECT_EQ(addIns[1].description, "");
}

TEST(CpiFile, SkipsEveryLineThatDoesNotCheck) {
    struct Case {
        const char* what;
        std::string line;
    };
    const std::string id = kId;
    const Case cases[] = {
        {"a folder in the file name", "A=" + id + ",..\\..\\WINDOWS\\EVIL.DLL"},
        {"a drive in the file name", "A=" + id + ",C:EVIL.DLL"},
        {"a slash in the file name", "A=" + id + ",sub/EVIL.DLL"},
        {"a file without an extension", "A=" + id + ",EVIL"},
        {"a file name of dots", "A=" + id + ",..DLL"},
        {"a class id without braces", "A=6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7A8,A.DLL"},
        {"a class id with a letter that is no digit", "A={6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7AG},A.DLL"},
        {"a class id cut short", "A={6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7A},A.DLL"},
        {"a class id with its dashes moved", "A={6F1C2A4-093B5-4E0D-A1C3-52B0D9E4F7A8},A.DLL"},
        {"no file", "A=" + id},
        {"no name", "=" + id + ",A.DLL"},
        {"no equals sign", "A " + id + ",A.DLL"},
        {"a name past its bound", std::string(kCpiMaxText + 1, 'n') + "=" + id + ",A.DLL"},
        {"a description past its bound", "A=" + id + ",A.DLL," + std::string(kCpiMaxText + 1, 'd')},
        {"a control character in the name", "A\x01=" + id + ",A.DLL"},
        {"a NUL in the file name", std::string("A=") + id + ",A.D" + std::string(1, '\0') + "LL"},
    };
    for (const Case& c : cases) {
        bool found = false;
        EXPECT_TRUE(Read("[Add-Ins]\n" + c.line + "\n", &found).empty()) << c.what;
        EXPECT_TRUE(found) << c.what;
    }
}

TEST(CpiFile, BoundsTheFileAndItsAddIns) {
    bool found = true;
    EXPECT_TRUE(Read("Sample=" + std::string(kId) + ",A.DLL\n", &found).empty());
    EXPECT_FALSE(found) << "no section";
    std::string big = "[Add-Ins]\n";
    big.resize(kCpiMaxBytes + 1, ' ');
    EXPECT_TRUE(Read(big, &found).empty());
    EXPECT_FALSE(found) << "larger than any description";
    std::string many = "[Add-Ins]\n";
    for (int i = 0; i < 40; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "A%d={00000000-0000-0000-0000-%012d},A.DLL\n", i, i);
        many += line;
    }
    many += "Again=" + std::string("{00000000-0000-0000-0000-000000000000}") + ",B.DLL\n";
    const std::vector<AddInRecord> addIns = Read(many);
    EXPECT_EQ(addIns.size(), kCpiMaxAddIns);
    ClassId id;
    EXPECT_FALSE(ParseClassId("", id));
    EXPECT_FALSE(ParseClassId(std::string(38, '{'), id));
    const std::vector<AddInRecord> twice =
        Read("[Add-Ins]\nFirst=" + std::string(kId) + ",A.DLL\nSecond=" + std::string(kId) + ",B.DLL\n");
    ASSERT_EQ(twice.size(), 1u) << "a class listed twice is one add-in";
    EXPECT_EQ(twice[0].file, "A.DLL");
}

}  // namespace
