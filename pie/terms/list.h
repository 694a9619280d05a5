// Circular doubly linked lists with a sentinel node. Nodes come from a free-node list of the
// engine, so lists are made and dropped per query without touching the heap.
#pragma once

#include <cstddef>

struct PieEngine;

struct PlListNode {
    PlListNode* next;
    PlListNode* prev;
    void* item;
};

// A list is its sentinel: next is the first node, prev the last; an empty list points at itself.
using PlList = PlListNode;

PlList* pl_list_new(PieEngine* engine);
PlListNode* pl_list_append(PieEngine* engine, PlList* list, void* item);
PlListNode* pl_list_insert_before(PieEngine* engine, PlListNode* node, void* item);
PlListNode* pl_list_insert_after(PieEngine* engine, PlListNode* node, void* item);
// The first item, taken off the list; nullptr when the list is empty.
void* pl_list_remove_first(PieEngine* engine, PlList* list);
// Takes off the first node holding item; false when there is none.
bool pl_list_remove_item(PieEngine* engine, PlList* list, const void* item);
void pl_list_remove_node(PieEngine* engine, PlListNode* node);
// Takes the node out of its list but leaves its own links and item as they were, so that a walk
// standing on it still finds its way on; the node is recycled by pl_list_recycle_retired.
void pl_list_retire_node(PieEngine* engine, PlListNode* node);
// The same for the first node holding item (false when there is none), and for the first node.
bool pl_list_retire_item(PieEngine* engine, PlList* list, const void* item);
void* pl_list_retire_first(PieEngine* engine, PlList* list);
// Puts every retired node on the free-node list: only when no walk of a clause list can run.
void pl_list_recycle_retired(PieEngine* engine);
size_t pl_list_count(const PlList* list);
inline bool pl_list_empty(const PlList* list) { return list->next == list; }
// The first item for which match(context, item, argument) answers 1, or nullptr.
void* pl_list_find(const PlList* list, int (*match)(void* context, void* item, void* argument),
                   void* context, void* argument);
// Moves every node of from, in order, to the end of into; from is left empty. Inline: a rule
// body's answers move into its caller's table this way on every success.
inline void pl_list_splice(PlList* into, PlList* from) {
    if (pl_list_empty(from)) return;
    PlListNode* first = from->next;
    PlListNode* last = from->prev;
    first->prev = into->prev;
    into->prev->next = first;
    last->next = into;
    into->prev = last;
    from->next = from->prev = from;
}
// Moves every node, the sentinel too, to the free-node list.
void pl_list_free(PieEngine* engine, PlList* list);
// Moves every node but the sentinel to the free-node list: the list is left empty.
void pl_list_clear(PieEngine* engine, PlList* list);

// Visits the items in order; fn may remove the node it is given.
template <class Fn>
void pl_list_each(const PlList* list, Fn&& fn) {
    for (PlListNode* node = list->next; node != list;) {
        PlListNode* next = node->next;
        fn(node->item);
        node = next;
    }
}
