// Heaps: zero-filled blocks, growth in place of the old contents, the maximum size, and
// HeapDestroy releasing what was never freed (ASan would report a leak otherwise).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(Heap, ZeroFilledBlocksGrowKeepingTheirContentsAndTheMaximumAndForeignBlocksAreRefused) {
    HANDLE heap = HeapCreate(0, 8192, 0);
    ASSERT_NE(heap, nullptr);
    auto* p = static_cast<BYTE*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 100));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], 0);
    std::memset(p, 0xAB, 100);
    auto* q = static_cast<BYTE*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, p, 300));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(HeapSize(heap, 0, q), 300u);
    EXPECT_EQ(q[99], 0xAB);
    EXPECT_EQ(q[100], 0);
    EXPECT_EQ(q[299], 0);
    HeapAlloc(heap, 0, 50);  // left for HeapDestroy
    EXPECT_TRUE(HeapDestroy(heap));

    heap = HeapCreate(0, 0, 1000);
    void* block = HeapAlloc(heap, 0, 800);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(HeapAlloc(heap, 0, 300), nullptr);
    EXPECT_TRUE(HeapFree(heap, 0, block));
    EXPECT_NE(HeapAlloc(heap, 0, 300), nullptr);
    EXPECT_TRUE(HeapFree(heap, 0, nullptr));
    EXPECT_TRUE(HeapDestroy(heap));

    HANDLE a = HeapCreate(0, 0, 0), b = HeapCreate(0, 0, 0);
    void* foreign = HeapAlloc(a, 0, 16);
    SetLastError(0);
    EXPECT_FALSE(HeapFree(b, 0, foreign));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(HeapSize(b, 0, foreign), static_cast<SIZE_T>(-1));
    EXPECT_FALSE(HeapDestroy(GetProcessHeap()));
    EXPECT_TRUE(HeapDestroy(a));
    EXPECT_TRUE(HeapDestroy(b));
}
