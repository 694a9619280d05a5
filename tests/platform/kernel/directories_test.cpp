// The system folders, the current directory, temporary names and full path names, with the
// buffer-size rule they share: the length when the text fits, else the size needed.
#include "kernel_root.h"

#include <cstring>

TEST_F(KernelRoot, FolderQueriesCurrentDirectoryTempNamesAndFullPathNames) {
    using Query = DWORD (*)(char*, DWORD);
    struct Case { Query query; const char* text; };
    Query system = [](char* b, DWORD n) -> DWORD { return GetSystemDirectoryA(b, n); };
    Query windows = [](char* b, DWORD n) -> DWORD { return GetWindowsDirectoryA(b, n); };
    Query temp = [](char* b, DWORD n) { return GetTempPathA(n, b); };
    Query current = [](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); };
    for (auto c : {Case{system, "C:\\WINDOWS\\SYSTEM"}, Case{windows, "C:\\WINDOWS"}, Case{temp, "C:\\WINDOWS\\TEMP\\"},
                   Case{current, "C:\\"}}) {
        DWORD len = static_cast<DWORD>(std::strlen(c.text));
        char buf[64];
        std::memset(buf, '#', sizeof buf);
        EXPECT_EQ(c.query(buf, len), len + 1) << c.text;  // no room for the NUL: nothing written
        EXPECT_EQ(buf[0], '#');
        EXPECT_EQ(c.query(nullptr, 0), len + 1);
        EXPECT_EQ(c.query(buf, len + 1), len);
        EXPECT_STREQ(buf, c.text);
    }
    EXPECT_NE(GetFileAttributesA("C:\\WINDOWS\\SYSTEM") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(GetFileAttributesA("c:\\windows\\temp") & FILE_ATTRIBUTE_DIRECTORY, 0u);

    EXPECT_TRUE(SetCurrentDirectoryA("c:/windows/system/"));
    char buf[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, buf);
    EXPECT_STREQ(buf, "C:\\windows\\system");
    ASSERT_TRUE(WriteAll("FILE.TXT", "here"));
    EXPECT_EQ(ReadAll("C:\\WINDOWS\\SYSTEM\\FILE.TXT"), "here");
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\NOWHERE"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(SetCurrentDirectoryA("FILE.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    GetCurrentDirectoryA(MAX_PATH, buf);
    EXPECT_STREQ(buf, "C:\\windows\\system");

    char a[MAX_PATH], b[MAX_PATH];
    UINT ua = GetTempFileNameA("C:\\WINDOWS\\TEMP", "DRVopui", 0, a);
    UINT ub = GetTempFileNameA("C:\\WINDOWS\\TEMP\\", "DRV", 0, b);
    ASSERT_NE(ua, 0u);
    ASSERT_NE(ub, 0u);
    EXPECT_STRNE(a, b);
    EXPECT_EQ(std::strncmp(a, "C:\\WINDOWS\\TEMP\\DRV", 19), 0) << a;
    EXPECT_NE(GetFileAttributesA(a), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetTempFileNameA("C:\\WINDOWS\\TEMP", "X", 0x1A2B, a), 0x1A2Bu);
    EXPECT_STREQ(a, "C:\\WINDOWS\\TEMP\\X1A2B.TMP");
    EXPECT_EQ(GetFileAttributesA(a), INVALID_FILE_ATTRIBUTES);  // a given number creates nothing
    EXPECT_EQ(GetTempFileNameA("C:\\NOWHERE", "X", 0, a), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\WINDOWS"));
    char* part = nullptr;
    EXPECT_EQ(GetFullPathNameA("system\\..\\x.ini", MAX_PATH, buf, &part), 16u);
    EXPECT_STREQ(buf, "C:\\WINDOWS\\x.ini");
    EXPECT_STREQ(part, "x.ini");
    EXPECT_EQ(GetFullPathNameA("\\DIR\\", MAX_PATH, buf, &part), 7u);
    EXPECT_STREQ(buf, "C:\\DIR\\");
    EXPECT_EQ(part, nullptr);
    EXPECT_EQ(GetFullPathNameA("x.ini", 5, buf, &part), 17u);
}
