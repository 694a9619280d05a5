// Pools, chunked stacks and lists: blocks that fill or are large, exhaustion reported as an
// engine error, chunk reuse, and the free lists that recycle nodes.
#include "engine_fixture.h"

#include "pie/terms/list.h"
#include "pie/terms/stack.h"

#include <cstring>
#include <vector>

using Pools = EngineTest;

TEST_F(Pools, FullBlockOpensAnotherAndUsedBytesCountBoth) {
    PlPool pool;
    pl_pool_create(e, &pool);
    auto* a = static_cast<char*>(pl_pool_alloc(e, &pool, kPlPoolBlockSize - 64));
    auto* b = static_cast<char*>(pl_pool_alloc(e, &pool, 128));  // does not fit the first block
    EXPECT_TRUE(b < a || b >= a + kPlPoolBlockSize);
    EXPECT_EQ(pl_pool_used(&pool), kPlPoolBlockSize - 64 + 128);
    std::memset(a, 1, kPlPoolBlockSize - 64);
    std::memset(b, 2, 128);
    pl_pool_release(e, &pool);
}

TEST_F(Pools, LargeRequestGetsItsOwnBlockAndSmallOnesStayInTheCurrentBlock) {
    PlPool pool;
    pl_pool_create(e, &pool);
    auto* small1 = static_cast<char*>(pl_pool_alloc(e, &pool, 16));
    auto* large = static_cast<char*>(pl_pool_alloc(e, &pool, 3 * kPlPoolBlockSize));
    auto* small2 = static_cast<char*>(pl_pool_alloc(e, &pool, 16));
    EXPECT_EQ(small2 - small1, 16);
    std::memset(large, 0x5A, 3 * kPlPoolBlockSize);
    EXPECT_EQ(pl_pool_used(&pool), 32 + 3 * kPlPoolBlockSize);
    pl_pool_release(e, &pool);
}

TEST_F(Pools, ExhaustionIsError4097AndTheEngineStaysUsable) {
    EXPECT_EQ(errorOf([&] { pl_pool_alloc(e, &e->main_pool, size_t{1} << 40); }), PL_ERR_NO_MEMORY);
    EXPECT_STREQ(pl_last_error(e).text, "[xmalloc] Not enough memory.\n");
    EXPECT_EQ(errorOf([&] { xmalloc(e, SIZE_MAX); }), PL_ERR_NO_MEMORY);
    EXPECT_EQ(errorOf([&] { pie_intern_string(e, "still-working"); }), 0);
}

using Stacks = EngineTest;

TEST_F(Stacks, ChunksAreReusedAndOversizeRequestsRefused) {
    PlStack stack;
    stack_init(&stack, sizeof(void*), 8);
    void* a = stack_allocate(e, &stack, 6);
    void* b = stack_allocate(e, &stack, 4);  // does not fit: a second chunk
    void* c = stack_allocate(e, &stack, 2);  // fits behind b
    EXPECT_EQ(static_cast<char*>(c) - static_cast<char*>(b), 4 * static_cast<ptrdiff_t>(sizeof(void*)));
    stack_release(e, &stack, 2);
    stack_release(e, &stack, 4);             // second chunk empty: kept for reuse
    EXPECT_EQ(stack_allocate(e, &stack, 2), static_cast<char*>(a) + 6 * sizeof(void*));
    EXPECT_EQ(stack_allocate(e, &stack, 7), b);
    EXPECT_EQ(errorOf([&] { stack_allocate(e, &stack, 9); }), PL_ERR_STACK);
    EXPECT_EQ(errorOf([&] { stack_release(e, &stack, 8); }), PL_ERR_FRAME);
    stack_free(&stack);
}

using Lists = EngineTest;

TEST_F(Lists, KeepOrderAndRecycleNodes) {
    int items[5];
    PlList* list = pl_list_new(e);
    pl_list_append(e, list, &items[2]);
    PlListNode* first = pl_list_insert_after(e, list, &items[0]);
    pl_list_insert_after(e, first, &items[1]);
    pl_list_insert_before(e, list, &items[3]);
    EXPECT_EQ(pl_list_count(list), 4u);
    std::vector<int*> seen;
    pl_list_each(list, [&](void* item) { seen.push_back(static_cast<int*>(item)); });
    EXPECT_EQ(seen, (std::vector<int*>{&items[0], &items[1], &items[2], &items[3]}));

    auto is = [](void*, void* item, void* argument) { return item == argument ? 1 : 0; };
    EXPECT_EQ(pl_list_find(list, is, nullptr, &items[2]), &items[2]);
    EXPECT_EQ(pl_list_find(list, is, nullptr, &items[4]), nullptr);
    EXPECT_TRUE(pl_list_remove_item(e, list, &items[1]));
    EXPECT_FALSE(pl_list_remove_item(e, list, &items[4]));
    EXPECT_EQ(pl_list_remove_first(e, list), &items[0]);
    EXPECT_EQ(pl_list_count(list), 2u);

    pl_list_free(e, list);
    PlList* again = pl_list_new(e);  // the sentinel freed last is handed out first
    EXPECT_EQ(again, list);
    EXPECT_TRUE(pl_list_empty(again));
    EXPECT_EQ(pl_list_remove_first(e, again), nullptr);
}
