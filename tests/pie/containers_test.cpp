// Move-to-root trees and hash tables of trees: order, walks that stay correct while lookups rotate,
// deletes and repeated keys. The walks' work stack against a vector.
#include "engine_fixture.h"

#include "pie/terms/btree.h"
#include "pie/terms/hash.h"
#include "pie/terms/work_stack.h"

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace {

// Items and keys are integers stored in the pointer itself.
int compare_ints(const void* item, const void* key) {
    auto a = reinterpret_cast<intptr_t>(item), b = reinterpret_cast<intptr_t>(key);
    return a < b ? -1 : a > b ? 1 : 0;
}
size_t hash_int(const void* key) { return static_cast<size_t>(reinterpret_cast<intptr_t>(key)); }
void* K(intptr_t v) { return reinterpret_cast<void*>(v); }

std::vector<intptr_t> in_order(BTree* tree) {
    std::vector<intptr_t> out;
    btree_walk(tree, [&](void* item) { out.push_back(reinterpret_cast<intptr_t>(item)); });
    return out;
}

std::vector<intptr_t> range(intptr_t from, intptr_t to) {
    std::vector<intptr_t> v;
    for (intptr_t i = from; i <= to; ++i) v.push_back(i);
    return v;
}

}  // namespace

using Trees = EngineTest;

TEST_F(Trees, WalkStaysCorrectWhileItsCallbackLooksUpAndDeletes) {
    BTree* tree = btree_create(e, &e->main_pool, compare_ints);
    for (intptr_t i = 1; i <= 200; ++i) btree_put(e, tree, K(i));
    std::vector<intptr_t> seen;
    btree_walk(tree, [&](void* item) {
        intptr_t v = reinterpret_cast<intptr_t>(item);
        seen.push_back(v);
        btree_lookup(tree, K(201 - v));
        btree_lookup(tree, K(v / 2 + 1));
        if (v % 3 == 0) btree_delete(tree, K(v));
    });
    EXPECT_EQ(seen, range(1, 200));
    EXPECT_EQ(tree->count, 200u - 66u);
    btree_lookup(tree, K(100));  // rotations are back once the walk is over
    EXPECT_EQ(tree->root->item, K(100));
}

TEST_F(Trees, RandomInsertsDeletesAndLookupsMatchAnOrderedSet) {
    std::mt19937 random(7);
    BTree* tree = btree_create(e, &e->main_pool, compare_ints);
    std::set<intptr_t> model;
    for (int step = 0; step < 20000; ++step) {
        intptr_t key = random() % 500;
        switch (random() % 3) {
        case 0:
            if (model.insert(key).second) btree_lookup_or_insert(e, tree, K(key))->item = K(key);
            break;
        case 1:
            EXPECT_EQ(btree_delete(tree, K(key)), model.erase(key) == 1);
            break;
        default:
            EXPECT_EQ(btree_lookup(tree, K(key)), model.count(key) ? K(key) : nullptr);
        }
    }
    EXPECT_EQ(in_order(tree), std::vector<intptr_t>(model.begin(), model.end()));
    ASSERT_FALSE(model.empty());
    EXPECT_EQ(tree->first->item, K(*model.begin()));
    EXPECT_EQ(tree->last->item, K(*model.rbegin()));
    EXPECT_EQ(tree->count, model.size());
}

TEST_F(Trees, EqualKeyIsError4101AndLookupOrInsertReturnsTheNode) {
    BTree* tree = btree_create(e, &e->main_pool, compare_ints);
    btree_put(e, tree, K(5));
    btree_put(e, tree, K(9));
    btree_put(e, tree, K(7));
    for (intptr_t key : {5, 7, 9}) EXPECT_EQ(errorOf([&] { btree_put(e, tree, K(key)); }), PL_ERR_SAME_KEY) << key;
    EXPECT_STREQ(pl_last_error(e).text, "[btree_put] Same key crash.\n");
    EXPECT_EQ(btree_lookup_or_insert(e, tree, K(7))->item, K(7));
    EXPECT_EQ(tree->count, 3u);
}

using HashTables = EngineTest;

TEST_F(HashTables, CountNewItemsOnlyAndWalkEveryItem) {
    PlHash* table = pl_hash_create(e, &e->main_pool, compare_ints, hash_int, 3);
    for (intptr_t i = 0; i < 40; ++i) pl_hash_put(e, table, K(i));
    EXPECT_FALSE(pl_hash_add(e, table, K(17)));
    EXPECT_TRUE(pl_hash_add(e, table, K(40)));
    EXPECT_EQ(pl_hash_lookup_or_insert(e, table, K(3))->item, K(3));
    EXPECT_EQ(table->count, 41u);
    EXPECT_EQ(errorOf([&] { pl_hash_put(e, table, K(8)); }), PL_ERR_SAME_KEY);
    EXPECT_TRUE(pl_hash_delete(table, K(8)));
    std::vector<intptr_t> seen;
    pl_hash_walk(table, [&](void* item) { seen.push_back(reinterpret_cast<intptr_t>(item)); });
    std::sort(seen.begin(), seen.end());
    auto expected = range(0, 40);
    expected.erase(expected.begin() + 8);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(table->count, 40u);
}

// The work stack answers as a vector would through every script of pushes (n > 0) and pops
// (n < 0), across the end of its inline entries and back.
TEST(WorkStack, AnswersAsAVector) {
    for (const std::vector<int>& script : std::vector<std::vector<int>>{
             {3, -3}, {4, -1, 1, -4}, {4, 0}, {5, -2, 1, -4}, {9, -7, 9, -11}, {40, -40, 40, -40}, {4, -2, 30, -32}}) {
        PlWorkStack<int, 4> stack;
        std::vector<int> model;
        int next = 0;
        for (int n : script) {
            for (int i = 0; i < n; ++i, ++next) {
                stack.push_back(next);
                model.push_back(next);
            }
            for (int i = 0; i < -n; ++i) {
                ASSERT_EQ(stack.back(), model.back());
                stack.pop_back();
                model.pop_back();
            }
            ASSERT_EQ(stack.size(), model.size());
            EXPECT_EQ(std::vector<int>(stack.begin(), stack.end()), model);
        }
        EXPECT_EQ(stack.empty(), model.empty());
    }
}
