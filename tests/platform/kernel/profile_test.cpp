// Profile files: lookups without regard to case, defaults, the size rules of values and of
// name lists (n - 1 and n - 2), enumeration, integers, and edits that keep the rest intact.
#include "kernel_root.h"

#include <cstring>

namespace {
const char* const kIni = "C:\\WINDOWS\\DRV.INI";

std::string List(const char* buf, DWORD length) { return std::string(buf, length); }
}  // namespace

TEST_F(KernelRoot, ProfileValuesNameListsAndEdits) {
    WriteHost("WINDOWS/drv.ini", "; comment\r\n[Setup]\r\nPath = C:\\VOMEL \r\nQuoted=\"  spaced  \"\r\n"
                                 "Count=42\r\nHex=0x1F\r\nNeg=-3\r\nWord=abc\r\n\r\n[Other]\nKey=v\n");
    char buf[64];
    EXPECT_EQ(GetPrivateProfileStringA("setup", "PATH", "", buf, sizeof buf, "drv.ini"), 8u);
    EXPECT_STREQ(buf, "C:\\VOMEL");
    EXPECT_EQ(GetPrivateProfileStringA("Setup", "Quoted", "", buf, sizeof buf, kIni), 10u);
    EXPECT_STREQ(buf, "  spaced  ");
    EXPECT_EQ(GetPrivateProfileStringA("Setup", "Path", "", buf, 5, kIni), 4u);  // cut to n - 1
    EXPECT_STREQ(buf, "C:\\V");
    EXPECT_EQ(GetPrivateProfileStringA("Setup", "Missing", "dflt  ", buf, sizeof buf, kIni), 4u);
    EXPECT_STREQ(buf, "dflt");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrivateProfileStringA("Setup", "Missing", nullptr, buf, sizeof buf, kIni), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetPrivateProfileStringA("Setup", "Path", "x", buf, sizeof buf, "C:\\NONE.INI"), 1u);
    EXPECT_STREQ(buf, "x");

    struct Case { const char* key; INT dflt; UINT value; };
    for (auto c : {Case{"Count", 0, 42}, Case{"Hex", 0, 31}, Case{"Neg", 0, static_cast<UINT>(-3)},
                   Case{"Word", 9, 0}, Case{"Missing", 9, 9}})
        EXPECT_EQ(GetPrivateProfileIntA("SETUP", c.key, c.dflt, kIni), c.value) << c.key;

    WriteHost("WINDOWS/drv.ini", "[One]\na=1\nbb=2\n[Two]\n");
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buf, sizeof buf, kIni), 8u);
    EXPECT_EQ(List(buf, 10), std::string("One\0Two\0\0#", 10));
    EXPECT_EQ(GetPrivateProfileStringA("ONE", nullptr, "", buf, sizeof buf, kIni), 5u);
    EXPECT_EQ(List(buf, 6), std::string("a\0bb\0\0", 6));
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buf, 6, kIni), 4u);
    EXPECT_EQ(List(buf, 7), std::string("One\0\0\0#", 7));
    EXPECT_EQ(GetPrivateProfileSectionA("one", buf, sizeof buf, kIni), 9u);
    EXPECT_EQ(List(buf, 10), std::string("a=1\0bb=2\0\0", 10));
    EXPECT_EQ(GetPrivateProfileSectionA("one", buf, 6, kIni), 4u);
    EXPECT_EQ(GetPrivateProfileSectionA("none", buf, sizeof buf, kIni), 0u);
    EXPECT_EQ(List(buf, 2), std::string("\0\0", 2));

    WriteHost("WINDOWS/drv.ini", "; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    EXPECT_TRUE(WritePrivateProfileStringA("a", "X", "one", kIni));     // replaces, keeps the key's spelling
    EXPECT_TRUE(WritePrivateProfileStringA("A", "z", "three", kIni));   // new key ends its own section
    EXPECT_TRUE(WritePrivateProfileStringA("C", "w", "four", kIni));    // new section at the end
    EXPECT_TRUE(WritePrivateProfileStringA("B", "y", nullptr, kIni));   // key deleted
    EXPECT_TRUE(WritePrivateProfileStringA("B", "gone", nullptr, kIni));
    EXPECT_EQ(ReadAll(kIni), "; keep me\r\n[A]\r\nx=one\r\nz=three\r\n\r\n[B]\r\n\r\n[C]\r\nw=four\r\n");
    EXPECT_TRUE(WritePrivateProfileStringA("b", nullptr, nullptr, kIni));  // section deleted
    EXPECT_EQ(ReadAll(kIni), "; keep me\r\n[A]\r\nx=one\r\nz=three\r\n\r\n[C]\r\nw=four\r\n");
    EXPECT_EQ(GetPrivateProfileStringA("C", "W", "", buf, sizeof buf, kIni), 4u);

    EXPECT_TRUE(WritePrivateProfileStringA("New", "k", "v", "fresh.ini"));  // created in the Windows folder
    EXPECT_EQ(ReadAll("C:\\WINDOWS\\FRESH.INI"), "[New]\r\nk=v\r\n");
    EXPECT_FALSE(WritePrivateProfileStringA("New", "k", "v", "C:\\NO\\WHERE.INI"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", kIni));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}
