// Walks over the slots of a clause term with an explicit work list, so that a body of
// thousands of goals needs no native stack. The loader's checks and rewrites are built on them.
#pragma once

#include "pie/terms/term.h"
#include "pie/terms/work_stack.h"

#include <cstdint>

// The child slots of a cell: arguments (a property's hidden key included), list head and
// tail, the goals of a group or member set, the goal of a tag; LastFirst gives them in reverse.
template <bool LastFirst = false, class Fn>
void pl_for_each_child(PlCell* cell, Fn&& fn) {
    switch (cell->type) {
    case PL_FUNCTOR:
        if (!cell->fn.args) break;
        if constexpr (LastFirst) {
            for (uint32_t i = cell->fn.args->count; i-- > 0;) fn(cell->fn.args->items[i]);
        } else {
            for (uint32_t i = 0; i < cell->fn.args->count; ++i) fn(cell->fn.args->items[i]);
        }
        break;
    case PL_LIST:
        fn(LastFirst ? cell->list.tail : cell->list.head);
        fn(LastFirst ? cell->list.head : cell->list.tail);
        break;
    case PL_AND_GROUP:
    case PL_MEMBER:
        fn(cell->items);
        break;
    case PL_ONCE:
        fn(cell->once.goal);
        break;
    default:
        break;
    }
}

// Top-down: visit(slot) may replace *slot and answers whether to go on into its children.
template <class Visit>
void pl_walk_top_down(PlCell*& root, Visit&& visit) {
    PlWorkStack<PlCell**> work(&root);
    while (!work.empty()) {
        PlCell** slot = work.back();
        work.pop_back();
        if (!visit(*slot)) continue;
        // The children go on last first, so that the first is visited next.
        pl_for_each_child<true>(*slot, [&](PlCell*& child) { work.push_back(&child); });
    }
}

// Bottom-up: every slot's children are rewritten before rewrite(slot) sees it. Only the cells
// `enter` accepts are visited at all (every cell unless told otherwise).
struct PlEveryCell {
    bool operator()(const PlCell*) const { return true; }
};
template <class Rewrite, class Enter = PlEveryCell>
void pl_rewrite_bottom_up(PlCell*& root, Rewrite&& rewrite, Enter enter = {}) {
    struct Pending {
        PlCell** slot;
        bool expanded;
    };
    if (!enter(root)) return;
    PlWorkStack<Pending> work(Pending{&root, false});
    while (!work.empty()) {
        auto [slot, expanded] = work.back();
        work.pop_back();
        if (expanded) {
            rewrite(*slot);
            continue;
        }
        work.push_back(Pending{slot, true});
        pl_for_each_child(*slot, [&](PlCell*& child) {
            if (enter(child)) work.push_back(Pending{&child, false});
        });
    }
}
