// Hash tables of move-to-root trees: 2^k buckets, each an ordered tree made when the first item
// arrives, so that the many small tables of the engine (one per functor) cost little until used.
#pragma once

#include "pie/terms/btree.h"

#include <cstddef>

using PlHashFn = size_t (*)(const void* key);

struct PlHash {
    PlPool* pool;
    PlCompare compare;
    PlHashFn hash;
    size_t count;
    size_t bucket_count;  // a power of two
    BTree** buckets;      // made with the first insert
};

PlHash* pl_hash_create(PieEngine* engine, PlPool* pool, PlCompare compare, PlHashFn hash, int k);
void* pl_hash_lookup(PlHash* table, const void* key);
// Inserts an item that is its own key; an equal key raises error 4101.
void pl_hash_put(PieEngine* engine, PlHash* table, void* item);
// Inserts an item that is its own key unless an equal one is there; true when inserted.
bool pl_hash_add(PieEngine* engine, PlHash* table, void* item);
// The node of key, or a new node with no item that the caller fills before the next operation.
BTreeNode* pl_hash_lookup_or_insert(PieEngine* engine, PlHash* table, const void* key);
bool pl_hash_delete(PlHash* table, const void* key);

// Visits every item, bucket by bucket and in key order within a bucket.
template <class Fn>
void pl_hash_walk(PlHash* table, Fn&& fn) {
    if (!table->buckets) return;
    for (size_t i = 0; i < table->bucket_count; ++i)
        if (BTree* bucket = table->buckets[i]) btree_walk(bucket, fn);
}
