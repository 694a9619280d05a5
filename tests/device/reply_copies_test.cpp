// Deep copies of replies when the private heap runs out at every possible point: a copy is made
// whole or not at all, and a copy that fails leaves nothing allocated behind it.
#include "core/memory/private_heap.h"
#include "device/reply_copies.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ReplyCopies, ACopyIsWholeOrNothingWhereverTheHeapRunsOut) {
    const char* texts[] = {"Drawer1", "Letter"};
    const uint8_t pair[] = {3, 1};
    ZdsvValue values[] = {{kZdsvText, 0, reinterpret_cast<uintptr_t>(texts[0])},
                          {kZdsvStructured, 2, reinterpret_cast<uintptr_t>(pair)},
                          {kZdsvNumber, 0, 7},
                          {kZdsvText, 0, reinterpret_cast<uintptr_t>(texts[1])}};
    ZdsvAttribute attributes[] = {{10601, 0, 0, 3, values}, {10617, 0, 0, 1, values + 3}, {1, 0, 0, 0, nullptr}};
    ZdsvAttributeGroup groups[] = {{301, 3, attributes}, {302, 2, attributes}};
    ZdsvGroupReply reply{5, 0, 2, groups};

    HANDLE saved = g_hHeap;
    int whole = 0;
    for (SIZE_T limit = 8; limit < 2048; limit += 8) {
        g_hHeap = HeapCreate(0, 0, limit);
        ASSERT_NE(g_hHeap, nullptr);
        void* copy = DevInfoClient_CopyGroupReply(nullptr, &reply);
        if (copy) {
            ++whole;
            auto* c = static_cast<ZdsvGroupReply*>(copy);
            ASSERT_EQ(c->count, 2u);
            EXPECT_STREQ(reinterpret_cast<const char*>(c->groups[1].attributes[1].values[0].value), "Letter");
            EXPECT_EQ(reinterpret_cast<const uint8_t*>(c->groups[0].attributes[0].values[1].value)[0], 3);
            EXPECT_NE(c->groups[0].attributes[0].values[0].value, values[0].value);  // a copy, not the library's
            DevInfoClient_FreeGroupReply(nullptr, copy);
            EXPECT_EQ(c->groups, nullptr);
            PrivateFree(copy);
        }
        // Everything went back: the whole heap can be taken in one block again.
        void* all = HeapAlloc(g_hHeap, 0, limit);
        EXPECT_NE(all, nullptr) << "limit " << limit;
        HeapFree(g_hHeap, 0, all);
        HeapDestroy(g_hHeap);
    }
    g_hHeap = saved;
    EXPECT_GT(whole, 0);  // the largest heaps hold the whole copy
}
