// Hash tables of trees. Lookups never create anything: a missing bucket answers "absent".
#include "pie/terms/hash.h"

#include "pie/api/engine.h"
#include "pie/terms/pool.h"

#include <cstring>

namespace {

BTree*& bucket_of(PlHash* table, const void* key) {
    return table->buckets[table->hash(key) & (table->bucket_count - 1)];
}

BTree* existing_bucket(PlHash* table, const void* key) {
    return table->buckets ? bucket_of(table, key) : nullptr;
}

BTree* bucket_for_insert(PieEngine* engine, PlHash* table, const void* key) {
    if (!table->buckets) {
        size_t bytes = table->bucket_count * sizeof(BTree*);
        table->buckets = static_cast<BTree**>(pl_pool_alloc(engine, table->pool, bytes));
        std::memset(table->buckets, 0, bytes);
    }
    BTree*& bucket = bucket_of(table, key);
    if (!bucket) bucket = btree_create(engine, table->pool, table->compare);
    return bucket;
}

}  // namespace

PlHash* pl_hash_create(PieEngine* engine, PlPool* pool, PlCompare compare, PlHashFn hash, int k) {
    return pl_pool_new<PlHash>(engine, pool, PlHash{pool, compare, hash, 0, size_t{1} << k, nullptr});
}

void* pl_hash_lookup(PlHash* table, const void* key) {
    BTree* bucket = existing_bucket(table, key);
    return bucket ? btree_lookup(bucket, key) : nullptr;
}

void pl_hash_put(PieEngine* engine, PlHash* table, void* item) {
    btree_put(engine, bucket_for_insert(engine, table, item), item);
    ++table->count;
}

bool pl_hash_add(PieEngine* engine, PlHash* table, void* item) {
    BTree* bucket = bucket_for_insert(engine, table, item);
    size_t before = bucket->count;
    BTreeNode* node = btree_lookup_or_insert(engine, bucket, item);
    if (bucket->count == before) return false;
    node->item = item;
    ++table->count;
    return true;
}

BTreeNode* pl_hash_lookup_or_insert(PieEngine* engine, PlHash* table, const void* key) {
    BTree* bucket = bucket_for_insert(engine, table, key);
    size_t before = bucket->count;
    BTreeNode* node = btree_lookup_or_insert(engine, bucket, key);
    if (bucket->count != before) ++table->count;
    return node;
}

bool pl_hash_delete(PlHash* table, const void* key) {
    BTree* bucket = existing_bucket(table, key);
    if (!bucket || !btree_delete(bucket, key)) return false;
    --table->count;
    return true;
}
