// File handles and file operations: creation dispositions and their last errors, sharing,
// delete-on-close, positions, the read-only attribute, copy, move and folders.
#include "kernel_root.h"

TEST_F(KernelRoot, CreationDispositionsFollowTheOriginal) {
    struct Case { DWORD disposition; bool existsBefore; bool opens; DWORD error; const char* after; };
    for (auto c : {Case{CREATE_NEW, false, true, 0, ""}, Case{CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
                   Case{CREATE_ALWAYS, false, true, 0, ""}, Case{CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
                   Case{OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
                   Case{OPEN_EXISTING, true, true, 0, "old"}, Case{OPEN_ALWAYS, false, true, 0, ""},
                   Case{OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
                   Case{TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
                   Case{TRUNCATE_EXISTING, true, true, 0, ""}}) {
        DeleteFileA("C:\\F.TXT");
        if (c.existsBefore) {
            ASSERT_TRUE(WriteAll("C:\\F.TXT", "old"));
        }
        SetLastError(12345);
        HANDLE h = CreateFileA("c:\\f.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, c.disposition, 0, nullptr);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << c.disposition << " " << c.existsBefore;
        EXPECT_EQ(GetLastError(), c.error) << c.disposition << " " << c.existsBefore;
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        EXPECT_EQ(ReadAll("C:\\F.TXT"), c.after ? c.after : "<missing>") << c.disposition;
    }
}

TEST_F(KernelRoot, SharingIsCheckedBeforeAnythingIsTruncatedAndDeleteOnCloseWaitsForTheLastHandle) {
    ASSERT_TRUE(WriteAll("C:\\S.TXT", "keep"));
    HANDLE reader = CreateFileA("C:\\S.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    SetLastError(0);
    EXPECT_EQ(CreateFileA("c:\\s.txt", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    HANDLE second = CreateFileA("C:\\S.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DeleteFileA("C:\\S.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(second);
    EXPECT_EQ(ReadAll("C:\\S.TXT"), "keep");
    CloseHandle(reader);
    EXPECT_TRUE(DeleteFileA("C:\\S.TXT"));

    HANDLE h = CreateFileA("C:\\WINDOWS\\TEMP\\~SPOOL.TMP", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    HANDLE other = CreateFileA("C:\\WINDOWS\\TEMP\\~spool.tmp", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_NE(GetFileAttributesA("C:\\WINDOWS\\TEMP\\~SPOOL.TMP"), INVALID_FILE_ATTRIBUTES);
    CloseHandle(other);
    EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS\\TEMP\\~SPOOL.TMP"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(KernelRoot, ReadWriteAndPositionsKeepTheirContracts) {
    HANDLE h = CreateFileA("C:\\P.BIN", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD n = 99;
    ASSERT_TRUE(WriteFile(h, "0123456789", 10, &n, nullptr));
    EXPECT_EQ(n, 10u);
    EXPECT_EQ(SetFilePointer(h, -4, nullptr, FILE_END), 6u);
    char buf[16] = {};
    ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "6789");
    ASSERT_TRUE(ReadFile(h, buf, sizeof buf, &n, nullptr));  // end of file is success with 0 bytes
    EXPECT_EQ(n, 0u);
    SetLastError(0);
    EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    LONG lowest = INT32_MIN;  // with the high word below: the most negative 64-bit distance
    EXPECT_EQ(SetFilePointer(h, 0, &lowest, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    LONG high = 1;
    EXPECT_EQ(SetFilePointer(h, 5, &high, FILE_BEGIN), 5u);  // high word 1: 4 GB + 5
    EXPECT_EQ(high, 1);
    DWORD sizeHigh = 7;
    EXPECT_EQ(GetFileSize(h, &sizeHigh), 10u);
    EXPECT_EQ(sizeHigh, 0u);
    FILETIME created{}, written{};
    EXPECT_TRUE(GetFileTime(h, &created, nullptr, &written));
    EXPECT_NE(written.dwHighDateTime, 0u);
    CloseHandle(h);

    HANDLE readOnly = CreateFileA("C:\\P.BIN", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetLastError(0);
    EXPECT_FALSE(WriteFile(readOnly, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(readOnly));
    EXPECT_FALSE(CloseHandle(readOnly));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ReadFile(readOnly, buf, 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(KernelRoot, ReadOnlyFilesRefuseWritesAndCopyAndMoveRefuseToOverwrite) {
    HANDLE h = CreateFileA("C:\\RO.TXT", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_EQ(GetFileAttributesA("C:\\RO.TXT"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(CreateFileA("C:\\RO.TXT", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA("C:\\RO.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    ASSERT_TRUE(WriteAll("C:\\A.TXT", "alpha"));
    ASSERT_TRUE(WriteAll("C:\\B.TXT", "beta"));
    EXPECT_FALSE(CopyFileA("C:\\A.TXT", "c:\\b.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_TRUE(CopyFileA("C:\\A.TXT", "c:\\b.txt", FALSE));
    EXPECT_EQ(ReadAll("C:\\B.TXT"), "alpha");
    EXPECT_FALSE(CopyFileA("C:\\A.TXT", "C:\\a.txt", FALSE));  // onto itself: refused, not emptied
    EXPECT_EQ(ReadAll("C:\\A.TXT"), "alpha");
    EXPECT_FALSE(CopyFileA("C:\\NONE.TXT", "C:\\C.TXT", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(MoveFileA("C:\\A.TXT", "C:\\B.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    ASSERT_TRUE(CreateDirectoryA("C:\\DIR", nullptr));
    EXPECT_TRUE(MoveFileA("C:\\A.TXT", "C:\\dir\\Moved.TXT"));
    EXPECT_EQ(ReadAll("C:\\DIR\\MOVED.TXT"), "alpha");
    EXPECT_EQ(GetFileAttributesA("C:\\A.TXT"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(MoveFileA("C:\\DIR\\MOVED.TXT", "C:\\DIR\\moved.txt"));  // only the case changes
    EXPECT_TRUE(std::filesystem::exists(root_ / "DIR" / "moved.txt"));
    EXPECT_EQ(ReadAll("C:\\DIR\\MOVED.TXT"), "alpha");
}

TEST_F(KernelRoot, FoldersAreCreatedRemovedAndSearchedWithTheirErrors) {
    EXPECT_TRUE(CreateDirectoryA("C:\\ONE", nullptr));
    EXPECT_FALSE(CreateDirectoryA("c:\\one", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\TWO\\THREE", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    ASSERT_TRUE(WriteAll("C:\\ONE\\F.TXT", "x"));
    EXPECT_FALSE(RemoveDirectoryA("C:\\ONE"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryA("C:\\ONE\\F.TXT"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_FALSE(DeleteFileA("C:\\ONE"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CreateFileA("C:\\ONE", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFileA("C:\\ONE\\F.TXT"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\one"));
    EXPECT_EQ(GetFileAttributesA("C:\\ONE"), INVALID_FILE_ATTRIBUTES);

    for (const char* name : {"Readme.TXT", "notes.txt", "NOEXT", "data.bin", "a.txt.bak"}) WriteHost(std::string("D/") + name, "");
    auto find = [](const char* pattern) {
        std::string names;
        WIN32_FIND_DATAA d;
        HANDLE h = FindFirstFileA(pattern, &d);
        if (h == INVALID_HANDLE_VALUE) return std::string("none:") + std::to_string(GetLastError());
        do names += std::string(d.cFileName) + " ";
        while (FindNextFileA(h, &d));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(h));
        return names;
    };
    EXPECT_EQ(find("C:\\d\\*.TXT"), "Readme.TXT notes.txt ");
    EXPECT_EQ(find("C:\\D\\*.*"), ". .. NOEXT Readme.TXT a.txt.bak data.bin notes.txt ");
    EXPECT_EQ(find("C:\\D\\noext.*"), "NOEXT ");
    EXPECT_EQ(find("C:\\D\\*."), ". .. NOEXT ");
    EXPECT_EQ(find("C:\\D\\?ATA.BIN"), "data.bin ");
    EXPECT_EQ(find("C:\\D\\*.xyz"), "none:2");
    EXPECT_EQ(find("C:\\NODIR\\*.*"), "none:3");
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA("C:\\D\\DATA.BIN", &d);
    EXPECT_FALSE(CloseHandle(h));  // a search handle is closed by FindClose only
    EXPECT_TRUE(FindClose(h));
}
