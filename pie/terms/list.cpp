// Circular lists and the engine's free-node list, which is refilled from the scratch pool in
// batches: list nodes are the most frequently made and dropped objects of a query.
#include "pie/terms/list.h"

#include "pie/api/engine.h"

namespace {

constexpr int kRefillBatch = 64;

// Out of line: a refill comes once in a batch's worth of nodes.
[[gnu::noinline]] void refill(PieEngine* engine) {
    auto* batch = static_cast<PlListNode*>(
        pl_pool_alloc(engine, &engine->scratch_pool, sizeof(PlListNode) * kRefillBatch));
    for (int i = 0; i < kRefillBatch; ++i) {
        batch[i].next = engine->free_nodes;
        engine->free_nodes = &batch[i];
    }
}

PlListNode* new_node(PieEngine* engine) {
    if (!engine->free_nodes) refill(engine);
    PlListNode* node = engine->free_nodes;
    engine->free_nodes = node->next;
    node->next = node->prev = node;
    node->item = nullptr;
    return node;
}

PlListNode* link_after_refill(PieEngine* engine, PlListNode* at, void* item);

// A new node holding item after at. Inline, with the refill a tail call: a step that appends to
// a table then keeps nothing across a call.
inline PlListNode* link_after(PieEngine* engine, PlListNode* at, void* item) {
    PlListNode* node = engine->free_nodes;
    if (!node) [[unlikely]]
        return link_after_refill(engine, at, item);
    engine->free_nodes = node->next;
    PlListNode* next = at->next;
    node->item = item;
    node->prev = at;
    node->next = next;
    next->prev = node;
    at->next = node;
    return node;
}

[[gnu::noinline]] PlListNode* link_after_refill(PieEngine* engine, PlListNode* at, void* item) {
    refill(engine);
    return link_after(engine, at, item);
}

void put_back(PieEngine* engine, PlListNode* node) {
    node->item = nullptr;
    node->prev = nullptr;
    node->next = engine->free_nodes;
    engine->free_nodes = node;
}

}  // namespace

PlList* pl_list_new(PieEngine* engine) { return new_node(engine); }

PlListNode* pl_list_insert_after(PieEngine* engine, PlListNode* at, void* item) { return link_after(engine, at, item); }

PlListNode* pl_list_insert_before(PieEngine* engine, PlListNode* at, void* item) {
    return link_after(engine, at->prev, item);
}

PlListNode* pl_list_append(PieEngine* engine, PlList* list, void* item) { return link_after(engine, list->prev, item); }

void pl_list_remove_node(PieEngine* engine, PlListNode* node) {
    node->prev->next = node->next;
    node->next->prev = node->prev;
    put_back(engine, node);
}

void pl_list_retire_node(PieEngine* engine, PlListNode* node) {
    node->prev->next = node->next;
    node->next->prev = node->prev;
    engine->run.retired_nodes.push_back(node);
}

bool pl_list_retire_item(PieEngine* engine, PlList* list, const void* item) {
    for (PlListNode* node = list->next; node != list; node = node->next) {
        if (node->item == item) {
            pl_list_retire_node(engine, node);
            return true;
        }
    }
    return false;
}

void* pl_list_retire_first(PieEngine* engine, PlList* list) {
    if (pl_list_empty(list)) return nullptr;
    void* item = list->next->item;
    pl_list_retire_node(engine, list->next);
    return item;
}

void pl_list_recycle_retired(PieEngine* engine) {
    for (PlListNode* node : engine->run.retired_nodes) put_back(engine, node);
    engine->run.retired_nodes.clear();
}

void* pl_list_remove_first(PieEngine* engine, PlList* list) {
    if (pl_list_empty(list)) return nullptr;
    void* item = list->next->item;
    pl_list_remove_node(engine, list->next);
    return item;
}

bool pl_list_remove_item(PieEngine* engine, PlList* list, const void* item) {
    for (PlListNode* node = list->next; node != list; node = node->next) {
        if (node->item == item) {
            pl_list_remove_node(engine, node);
            return true;
        }
    }
    return false;
}

size_t pl_list_count(const PlList* list) {
    size_t n = 0;
    for (const PlListNode* node = list->next; node != list; node = node->next) ++n;
    return n;
}

void* pl_list_find(const PlList* list, int (*match)(void*, void*, void*), void* context,
                   void* argument) {
    for (PlListNode* node = list->next; node != list; node = node->next)
        if (match(context, node->item, argument) == 1) return node->item;
    return nullptr;
}

// A list's nodes are chained by next already: the chain goes onto the free-node list whole, where
// new_node sets every field of a node it takes.
void pl_list_free(PieEngine* engine, PlList* list) {
    list->prev->next = engine->free_nodes;
    engine->free_nodes = list;
}

void pl_list_clear(PieEngine* engine, PlList* list) {
    if (pl_list_empty(list)) return;
    list->prev->next = engine->free_nodes;
    engine->free_nodes = list->next;
    list->next = list->prev = list;
}
