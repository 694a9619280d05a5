// Threads and virtual memory: a created thread runs, its handle is signalled at its end with
// its exit code kept; reservations commit, decommit to zeros and release from their base only.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {
DWORD WINAPI Worker(LPVOID parameter) {
    auto* seen = static_cast<DWORD*>(parameter);
    Sleep(20);
    *seen = GetCurrentThreadId();
    return 7;
}
}  // namespace

TEST(Thread, RunsAndSignalsItsHandleAndVirtualMemoryReservesCommitsAndReleases) {
    DWORD seen = 0, id = 0, code = 0;
    HANDLE h = CreateThread(nullptr, 0, Worker, &seen, 0, &id);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);  // an ended thread stays signalled
    EXPECT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(seen, id);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    auto* base = static_cast<BYTE*>(VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(base, nullptr);
    auto* page = static_cast<BYTE*>(VirtualAlloc(base + 8192 + 10, 100, MEM_COMMIT, PAGE_READWRITE));
    EXPECT_EQ(page, base + 8192);  // rounded down to its page
    std::memset(page, 0xAB, 100);
    EXPECT_TRUE(VirtualFree(page, 100, MEM_DECOMMIT));
    ASSERT_EQ(VirtualAlloc(page, 100, MEM_COMMIT, PAGE_READWRITE), page);
    EXPECT_EQ(page[0], 0);
    EXPECT_EQ(VirtualAlloc(base + 65536 * 4, 10, MEM_COMMIT, PAGE_READWRITE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
    EXPECT_FALSE(VirtualFree(base, 65536, MEM_RELEASE));  // a release names no size
    EXPECT_FALSE(VirtualFree(page, 0, MEM_RELEASE));      // nor an inner address
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(VirtualFree(base, 0, MEM_RELEASE));
    auto* committed = static_cast<int*>(VirtualAlloc(nullptr, 100, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(committed, nullptr);
    EXPECT_EQ(committed[24], 0);
    EXPECT_TRUE(VirtualFree(committed, 0, MEM_RELEASE));
    EXPECT_EQ(VirtualAlloc(nullptr, 0, MEM_COMMIT, PAGE_READWRITE), nullptr);
}
