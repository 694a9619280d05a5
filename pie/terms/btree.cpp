// Move-to-root trees. Rotations never change which node holds which item, so the first and last
// links and a walk's position stay valid through any number of lookups.
#include "pie/terms/btree.h"

#include "pie/api/engine.h"
#include "pie/api/errors.h"
#include "pie/terms/pool.h"

namespace {

// Lifts node one level above its parent, keeping the in-order sequence.
void rotate_up(BTree* tree, BTreeNode* node) {
    BTreeNode* parent = node->parent;
    BTreeNode* grand = parent->parent;
    if (parent->left == node) {
        parent->left = node->right;
        if (node->right) node->right->parent = parent;
        node->right = parent;
    } else {
        parent->right = node->left;
        if (node->left) node->left->parent = parent;
        node->left = parent;
    }
    parent->parent = node;
    node->parent = grand;
    if (!grand)
        tree->root = node;
    else if (grand->left == parent)
        grand->left = node;
    else
        grand->right = node;
}

// The ends are tried first: a key beyond them, such as the next of an ascending run that is
// looked up before it is inserted, is known to be absent without a descent.
BTreeNode* find(const BTree* tree, const void* key) {
    if (!tree->root) return nullptr;
    int c = tree->compare(tree->last->item, key);
    if (c <= 0) return c == 0 ? tree->last : nullptr;
    c = tree->compare(tree->first->item, key);
    if (c >= 0) return c == 0 ? tree->first : nullptr;
    BTreeNode* node = tree->root;
    while (node) {
        int c = tree->compare(node->item, key);
        if (c == 0) return node;
        node = c > 0 ? node->left : node->right;
    }
    return nullptr;
}

BTreeNode* new_node(PieEngine* engine, BTree* tree, BTreeNode* parent, void* item) {
    BTreeNode* node = tree->spare;
    if (node)
        tree->spare = node->right;
    else
        node = static_cast<BTreeNode*>(pl_pool_take(engine, tree->pool, sizeof(BTreeNode)));
    *node = BTreeNode{nullptr, nullptr, parent, item};
    ++tree->count;
    return node;
}

// Finds the node of key or links a new one (holding item) where it belongs. The ends are tried
// first so that ascending and descending runs never descend.
BTreeNode* insert(PieEngine* engine, BTree* tree, const void* key, void* item, bool* created) {
    *created = false;
    if (!tree->root) {
        *created = true;
        return tree->root = tree->first = tree->last = new_node(engine, tree, nullptr, item);
    }
    int c = tree->compare(tree->last->item, key);
    if (c < 0) {
        *created = true;
        BTreeNode* node = new_node(engine, tree, tree->last, item);
        tree->last->right = node;
        return tree->last = node;
    }
    if (c == 0) return tree->last;
    c = tree->compare(tree->first->item, key);
    if (c > 0) {
        *created = true;
        BTreeNode* node = new_node(engine, tree, tree->first, item);
        tree->first->left = node;
        return tree->first = node;
    }
    if (c == 0) return tree->first;
    BTreeNode* node = tree->root;
    for (;;) {
        c = tree->compare(node->item, key);
        if (c == 0) return node;
        BTreeNode*& child = c > 0 ? node->left : node->right;
        if (!child) {
            *created = true;
            return child = new_node(engine, tree, node, item);
        }
        node = child;
    }
}

// Puts child in the place of node under node's parent.
void replace_child(BTree* tree, BTreeNode* node, BTreeNode* child) {
    if (child) child->parent = node->parent;
    if (!node->parent)
        tree->root = child;
    else if (node->parent->left == node)
        node->parent->left = child;
    else
        node->parent->right = child;
}

BTreeNode* leftmost(BTreeNode* node) {
    while (node->left) node = node->left;
    return node;
}

}  // namespace

BTree* btree_create(PieEngine* engine, PlPool* pool, PlCompare compare) {
    return pl_pool_new<BTree>(engine, pool, BTree{pool, compare, 0, nullptr, nullptr, nullptr, nullptr, 0});
}

void* btree_lookup(BTree* tree, const void* key) {
    BTreeNode* node = find(tree, key);
    if (!node) return nullptr;
    if (tree->walks == 0)
        while (node->parent) rotate_up(tree, node);
    return node->item;
}

void btree_put(PieEngine* engine, BTree* tree, void* item) {
    bool created;
    insert(engine, tree, item, item, &created);
    if (!created) pl_fatal_error(engine, PL_ERR_SAME_KEY, "btree_put");
}

BTreeNode* btree_lookup_or_insert(PieEngine* engine, BTree* tree, const void* key) {
    bool created;
    return insert(engine, tree, key, nullptr, &created);
}

bool btree_delete(BTree* tree, const void* key) {
    BTreeNode* node = find(tree, key);
    if (!node) return false;
    if (node == tree->first) tree->first = btree_next(node);
    if (node == tree->last) {
        // The predecessor: the rightmost node of the left subtree, else the first ancestor
        // reached from a right child.
        BTreeNode* p = node->left;
        if (p) {
            while (p->right) p = p->right;
        } else {
            BTreeNode* child = node;
            p = node->parent;
            while (p && p->left == child) {
                child = p;
                p = p->parent;
            }
        }
        tree->last = p;
    }
    if (!node->left) {
        replace_child(tree, node, node->right);
    } else if (!node->right) {
        replace_child(tree, node, node->left);
    } else {
        // Relink the successor in the node's place: nodes keep their items, so a walk that
        // holds the successor stays valid.
        BTreeNode* successor = leftmost(node->right);
        if (successor->parent != node) {
            replace_child(tree, successor, successor->right);
            successor->right = node->right;
            successor->right->parent = successor;
        }
        replace_child(tree, node, successor);
        successor->left = node->left;
        successor->left->parent = successor;
    }
    --tree->count;
    node->left = node->parent = nullptr;
    node->item = nullptr;
    node->right = tree->spare;
    tree->spare = node;
    return true;
}

BTreeNode* btree_first(const BTree* tree) { return tree->first; }

BTreeNode* btree_next(const BTreeNode* node) {
    if (node->right) return leftmost(node->right);
    const BTreeNode* child = node;
    BTreeNode* p = node->parent;
    while (p && p->right == child) {
        child = p;
        p = p->parent;
    }
    return p;
}
