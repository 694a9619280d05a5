// Start-up and shut-down: the order of DllMain's steps, what exists at each, and the private
// heap's zero-filled blocks in between.
#include "core/library/dll_main.h"
#include "core/library/locks.h"
#include "core/memory/private_heap.h"

#include <drvtest/lifecycle_observer.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
std::vector<std::string> g_steps;
HINSTANCE const kInstance = reinterpret_cast<HINSTANCE>(0x10000000);

void Record(const char* step) {
    g_steps.push_back(step);
    if (std::strstr(step, "data-file cache")) {  // the heap and both locks are there
        EXPECT_NE(g_hHeap, nullptr) << step;
        EnterCriticalSection(&g_coreLock);
        EnterCriticalSection(&g_exportLock);
        LeaveCriticalSection(&g_exportLock);
        LeaveCriticalSection(&g_coreLock);
    }
}
}  // namespace

TEST(DllMain, StartsUpAndShutsDownInOrderAndItsHeapsBlocksAreZeroFilled) {
    using Steps = std::vector<std::string>;
    g_steps.clear();
    ObserveLifecycle(Record);
    ASSERT_TRUE(DllMain(kInstance, DLL_PROCESS_ATTACH, nullptr));
    EXPECT_EQ(g_steps, (Steps{"instance kept", "heap created", "core lock initialised",
                              "export lock initialised", "data-file cache cleared"}));
    EXPECT_EQ(g_hInstance, kInstance);

    g_steps.clear();
    EXPECT_TRUE(DllMain(kInstance, DLL_PROCESS_DETACH, nullptr));
    EXPECT_TRUE(DllMain(kInstance, DLL_PROCESS_DETACH, nullptr));  // nothing left the second time
    EXPECT_EQ(g_steps, (Steps{"data-file cache freed", "export lock deleted", "core lock deleted", "heap destroyed"}));
    EXPECT_EQ(g_hHeap, nullptr);
    ObserveLifecycle(nullptr);

    EXPECT_EQ(PrivateAlloc(16), nullptr);  // no heap before attach
    ASSERT_TRUE(DllMain(kInstance, DLL_PROCESS_ATTACH, nullptr));
    for (SIZE_T size : {SIZE_T{1}, SIZE_T{100}, SIZE_T{20000}}) {  // the last beyond the first 8,192
        auto* block = static_cast<BYTE*>(PrivateAlloc(size));
        std::memset(block, 0xCD, size);
        PrivateFree(block);
        block = static_cast<BYTE*>(PrivateAlloc(size));  // left for the heap's destruction
        for (SIZE_T i = 0; i < size; ++i) ASSERT_EQ(block[i], 0) << size;
    }
    DllMain(kInstance, DLL_PROCESS_DETACH, nullptr);
}
