// Ordered binary trees whose lookups move the found node to the root, so that keys asked for
// again and again are found at once. Keys arriving in ascending or descending runs are appended
// at the ends without a descent. Nodes come from the tree's pool and are reused after a delete.
#pragma once

#include <cstddef>

struct PieEngine;
struct PlPool;

// Compares a stored item with a key: negative when the item orders before the key.
using PlCompare = int (*)(const void* item, const void* key);

struct BTreeNode {
    BTreeNode* left;
    BTreeNode* right;
    BTreeNode* parent;
    void* item;
};

struct BTree {
    PlPool* pool;
    PlCompare compare;
    size_t count;
    BTreeNode* root;
    BTreeNode* first;
    BTreeNode* last;
    BTreeNode* spare;  // deleted nodes, reused by the next insert
    int walks;         // walks in progress: lookups do not rotate meanwhile
};

BTree* btree_create(PieEngine* engine, PlPool* pool, PlCompare compare);
// The item whose key equals key, or nullptr.
void* btree_lookup(BTree* tree, const void* key);
// Inserts item, which serves as its own key; an equal key raises error 4101.
void btree_put(PieEngine* engine, BTree* tree, void* item);
// The node of key, or a new node with no item that the caller fills.
BTreeNode* btree_lookup_or_insert(PieEngine* engine, BTree* tree, const void* key);
// Removes the node of key; false when absent.
bool btree_delete(BTree* tree, const void* key);

BTreeNode* btree_first(const BTree* tree);
BTreeNode* btree_next(const BTreeNode* node);

// Visits the items in key order. The callback may look up (nothing rotates during a walk),
// insert, or delete the node it was given; it must not delete another node.
template <class Fn>
void btree_walk(BTree* tree, Fn&& fn) {
    struct Scope {
        BTree* t;
        explicit Scope(BTree* tree) : t(tree) { ++t->walks; }
        ~Scope() { --t->walks; }
    } scope(tree);
    for (BTreeNode* node = tree->first; node;) {
        BTreeNode* next = btree_next(node);
        fn(node->item);
        node = next;
    }
}
