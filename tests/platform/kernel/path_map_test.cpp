// Path mapping: Windows names in any case, with either slash, relative or absolute, reach the
// one host file; new names keep their case; bad names get the original's error codes.
#include "kernel_root.h"

#include "platform/kernel/path_map.h"

TEST_F(KernelRoot, NamesInAnyCaseReachTheSameHostFileAndNewNamesKeepTheirCase) {
    WriteHost("Drivers/Vomel/Zdsvc2.dll", "stand-in");
    for (const char* name : {"C:\\DRIVERS\\VOMEL\\ZDSVC2.DLL", "c:/drivers/vomel/zdsvc2.dll",
                             "\\Drivers\\vomel\\ZdSvC2.Dll", "C:\\DRIVERS\\.\\X\\..\\VOMEL\\zdsvc2.dll"})
        EXPECT_EQ(ReadAll(name), "stand-in") << name;
    EXPECT_EQ(ReadAll("C:\\DRIVERS\\VOMEL. \\ZDSVC2.DLL."), "stand-in");  // trailing dots and spaces drop
    ASSERT_TRUE(SetCurrentDirectoryA("c:\\drivers"));
    EXPECT_EQ(ReadAll("vomel\\zdsvc2.dll"), "stand-in");
    EXPECT_EQ(ReadAll("..\\..\\..\\DRIVERS\\VOMEL\\ZDSVC2.DLL"), "stand-in");  // ".." stops at the root

    WriteHost("Data/keep.txt", "x");
    ASSERT_TRUE(WriteAll("C:\\DATA\\NewFile.Txt", "y"));
    EXPECT_TRUE(std::filesystem::exists(root_ / "Data" / "NewFile.Txt"));
    ASSERT_TRUE(CreateDirectoryA("c:\\data\\Sub", nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "Data" / "Sub"));
    std::string host;
    ASSERT_TRUE(kernel::MapPath("C:\\DATA\\SUB\\Missing\\Deeper.BIN", host));
    EXPECT_EQ(host, (root_ / "Data/Sub/Missing/Deeper.BIN").string());

    drvtest::SetCodePage(932);
    const char name[] = "C:\\\x95\x5C.TXT";  // one double-byte character whose trail byte is 0x5C
    ASSERT_TRUE(WriteAll(name, "dbcs"));
    EXPECT_TRUE(std::filesystem::exists(root_ / "\x95\x5C.TXT"));
    EXPECT_EQ(ReadAll(name), "dbcs");
}

TEST_F(KernelRoot, RefusedNamesGiveTheOriginalErrors) {
    struct Case { const char* path; DWORD error; };
    for (auto c : {Case{"\\\\server\\share\\x.txt", ERROR_BAD_PATHNAME}, Case{"C:\\a<b.txt", ERROR_INVALID_NAME},
                   Case{"C:\\what?.txt", ERROR_INVALID_NAME}, Case{"", ERROR_PATH_NOT_FOUND},
                   Case{"C:\\NO\\SUCH\\FILE.TXT", ERROR_PATH_NOT_FOUND}, Case{"C:\\NOFILE.TXT", ERROR_FILE_NOT_FOUND}}) {
        SetLastError(0);
        EXPECT_EQ(CreateFileA(c.path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    std::string longName = "C:\\" + std::string(300, 'a');
    SetLastError(0);
    EXPECT_EQ(GetFileAttributesA(longName.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}
