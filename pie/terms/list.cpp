// Circular lists and the engine's free-node list, which is refilled from the scratch pool in
// batches: list nodes are the most frequently made and dropped objects of a query.
#include "pie/terms/list.h"

#include "pie/api/engine.h"

namespace {

constexpr int kRefillBatch = 64;

PlListNode* new_node(PieEngine* engine) {
    if (!engine->free_nodes) {
        auto* batch = static_cast<PlListNode*>(
            pl_pool_alloc(engine, &engine->scratch_pool, sizeof(PlListNode) * kRefillBatch));
        for (int i = 0; i < kRefillBatch; ++i) {
            batch[i].next = engine->free_nodes;
            engine->free_nodes = &batch[i];
        }
    }
    PlListNode* node = engine->free_nodes;
    engine->free_nodes = node->next;
    node->next = node->prev = node;
    node->item = nullptr;
    return node;
}

void put_back(PieEngine* engine, PlListNode* node) {
    node->item = nullptr;
    node->prev = nullptr;
    node->next = engine->free_nodes;
    engine->free_nodes = node;
}

}  // namespace

PlList* pl_list_new(PieEngine* engine) { return new_node(engine); }

PlListNode* pl_list_insert_after(PieEngine* engine, PlListNode* at, void* item) {
    PlListNode* node = new_node(engine);
    node->item = item;
    node->prev = at;
    node->next = at->next;
    at->next->prev = node;
    at->next = node;
    return node;
}

PlListNode* pl_list_insert_before(PieEngine* engine, PlListNode* at, void* item) {
    return pl_list_insert_after(engine, at->prev, item);
}

PlListNode* pl_list_append(PieEngine* engine, PlList* list, void* item) {
    return pl_list_insert_before(engine, list, item);
}

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

void pl_list_free(PieEngine* engine, PlList* list) {
    pl_list_clear(engine, list);
    put_back(engine, list);
}

void pl_list_clear(PieEngine* engine, PlList* list) {
    PlListNode* node = list->next;
    while (node != list) {
        PlListNode* next = node->next;
        put_back(engine, node);
        node = next;
    }
    list->next = list->prev = list;
}
