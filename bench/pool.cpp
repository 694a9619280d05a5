// Small-block allocation and release: the library's pool against the system's malloc, one block
// at a time and in batches freed in the reverse and in a scattered order, on one and more threads.
#include "core/memory/chunk_pool.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

// The library's own pool, with its per-thread cache, as the object layer uses it.
struct PoolSource {
    void* Get(std::size_t n) { return g_chunkPool.Alloc(n); }
    void Put(void* p, std::size_t n) { g_chunkPool.Free(p, n); }
};

struct MallocSource {
    void* Get(std::size_t n) { return std::malloc(n); }
    void Put(void* p, std::size_t) { std::free(p); }
};

template <typename Source>
void OneAtATime(benchmark::State& state) {
    Source source;
    const auto size = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        void* p = source.Get(size);
        benchmark::DoNotOptimize(p);
        source.Put(p, size);
    }
}

// Sizes cycle through those of typical small objects; blocks are freed newest first or in a
// scattered order, as owners release their items.
template <typename Source>
void Batch(benchmark::State& state) {
    Source source;
    const auto count = static_cast<std::size_t>(state.range(0));
    const bool scattered = state.range(1) != 0;
    std::vector<void*> blocks(count);
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) order[i] = scattered ? (i * 7919) % count : count - 1 - i;
    auto sizeOf = [](std::size_t i) { return 16 + (i % 12) * 20; };
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) blocks[i] = source.Get(sizeOf(i));
        benchmark::ClobberMemory();
        for (std::size_t i : order) source.Put(blocks[i], sizeOf(i));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * count));
}

}  // namespace

BENCHMARK(OneAtATime<PoolSource>)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(OneAtATime<MallocSource>)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(Batch<PoolSource>)->Args({1000, 0})->Args({1000, 1})->ThreadRange(1, 4)->UseRealTime();
BENCHMARK(Batch<MallocSource>)->Args({1000, 0})->Args({1000, 1})->ThreadRange(1, 4)->UseRealTime();
