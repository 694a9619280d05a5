// Objects of the object layer and containers on the library's pool: where their memory comes
// from and goes back to, across threads, and when the system refuses it.
#include "core/memory/pool_allocator.h"
#include "core/memory/pool_object.h"

#include <drvtest/memory_refusal.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {
struct Value : PoolObject {
    virtual ~Value() = default;
    int value = 1;
};
struct Binding : PoolObject {
    virtual ~Binding() = default;
    char name[40] = {};
};
struct Item : Value, Binding {};  // a value with a binding beside it, as items are built
struct Huge : PoolObject {
    char bytes[ChunkPool::kLargestSmallBlock * 2];
};

std::size_t Live() {
    g_chunkPool.FlushThreadCache();
    return g_chunkPool.LiveBlocks();
}
}  // namespace

TEST(PoolObject, ComesFromThePoolAndReturnsThroughAnyBase) {
    const std::size_t before = Live();
    Binding* binding = new Item;  // this base does not start the object
    auto* array = new Value[3];
    EXPECT_EQ(Live(), before + 2);
    delete binding;
    delete[] array;
    {
        drvtest::ScopedMemoryRefusal refuse;
        EXPECT_THROW(new Huge, PoolOutOfMemory);
    }
    PoolVector<int> numbers(500, 7);
    PoolString text(100, 'x');
    EXPECT_EQ(Live(), before + 2);
}

TEST(PoolObject, ThreadsGiveTheirCachedBlocksBackWhenTheyEnd) {
    const std::size_t before = Live();
    std::vector<std::thread> threads;
    std::vector<Value*> handedOver(4);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &handedOver] {
            std::vector<Value*> mine;
            for (int i = 0; i < 1000; ++i) mine.push_back(new Value);
            for (Value* v : mine) delete v;
            handedOver[t] = new Value;  // freed by another thread below
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(Live(), before + 4);
    for (Value* v : handedOver) delete v;
    EXPECT_EQ(Live(), before);
}
