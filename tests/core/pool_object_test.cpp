// Objects of the object layer and containers on the library's pool: where their memory comes
// from and goes back to, across threads, and when the system refuses it; at the export boundary
// the pool's exception, or any other, becomes the export's failure value.
#include "core/library/export_guard.h"
#include "core/memory/pool_allocator.h"
#include "core/memory/pool_object.h"

#include <drvtest/memory_refusal.h>
#include <gtest/gtest.h>

#include <stdexcept>
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

struct Sheet : PoolObject {
    char pages[4096] = {};
};

// Shaped as the exports are: a result, 0 on failure.
LONG OpenSheet() {
    return GuardExport(0, []() -> LONG {
        delete new Sheet;
        return 1;
    });
}
}  // namespace

TEST(ExportGuard, ExceptionsBecomeTheFailureValue) {
    EXPECT_EQ(OpenSheet(), 1);
    {
        drvtest::ScopedMemoryRefusal refuse;
        SetLastError(0);
        EXPECT_EQ(OpenSheet(), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
        bool finished = false;
        GuardExport([&] { delete new Sheet, finished = true; });
        EXPECT_FALSE(finished);
    }
    EXPECT_EQ(OpenSheet(), 1);

    SetLastError(5);
    void* failure = reinterpret_cast<void*>(-1);
    EXPECT_EQ(GuardExport(failure, []() -> void* { throw std::runtime_error("x"); }), failure);
    EXPECT_EQ(GetLastError(), 5u);
}

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
