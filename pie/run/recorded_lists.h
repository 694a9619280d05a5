// Comparisons of a list about to be recorded with the value recorded before it, for the common
// lists (constants, or variables bound to them) that need no full term comparison: each answers
// 1 (differs), 0 (the same) or -1 when the full steps of recording must run instead, having
// changed nothing. Levels are counted as those steps would count them, against room.
#pragma once

#include "pie/run/frame.h"
#include "pie/run/unify.h"
#include "pie/terms/list_shape.h"
#include "pie/terms/term.h"

#include <cstdint>

namespace pl_recorded_lists {

inline bool has_arguments(const PlCell* cell) {
    return cell->type == PL_FUNCTOR && cell->fn.args && cell->fn.args->count;
}

// The ends of two lists of constants found equal so far, as their comparison tells them: 1 when
// they differ, 0 when they are the same, -1 when it would compare them as terms.
inline int ends_differ(const PlCell* before, const PlCell* end) {
    if (before->type != end->type || before->type > 19) return 1;
    if (before->type >= 17) return 0;
    switch (before->type) {
    case PL_ANONYMOUS: case PL_NIL: return 0;
    case PL_INT: return before->value != end->value;
    default: return -1;
    }
}

// A walked list (ground and flat, its walk fitting in room) held against the value recorded
// before, as same_list compares them: 1 when they differ, 0 when they are the same, -1 when the
// comparison would take another way. A ground list holds no variable: its cells are read as
// they stand. Two levels a cell: the comparison's.
inline int ground_list_differs(PlCell* list, PlCell* previous, int64_t room) {
    if (!previous || previous->type != PL_LIST) return 1;
    PlCell* before = previous;
    for (int64_t levels = 6; list->type == PL_LIST; levels += 2) {
        if (levels > room) return -1;
        if (before->type != PL_LIST) return 1;
        const int same = pl_constants_equal(before->list.head, list->list.head);
        if (same <= 0) return same < 0 ? -1 : 1;
        before = before->list.tail;
        list = list->list.tail;
    }
    return ends_differ(before, list);
}

// The commonest list argument, one of constants or variables bound to them, held against the
// value recorded before in one walk over both, which asks what record_list and same_list would
// ask: 1 when it differs, 0 when it is the same. -1 when they could do more than answer (record
// an element, mark cells flat, meet the depth limit, compare other terms); they then run from the
// start. Nothing is changed on the way. Two levels a cell cover both walks: the elements' one
// and the comparison's two.
inline int constant_list_differs(PlCell* list, PlFrame* frame, PlCell* previous, int64_t room) {
    int differs = !previous || previous->type != PL_LIST ? 1 : -1;
    PlCell* before = previous;  // the recorded cell level with the walk
    bool flat_run = false;
    PlCell* cell = list;
    for (int64_t levels = 6;; levels += 2) {
        if (levels > room || (cell->shape & PL_SHAPE_FLAT)) return -1;
        PlCell* head = cell->list.head;
        const PlCell* h = pl_deref(head, frame).term;
        if (h->type == PL_LIST || has_arguments(h)) return -1;
        if (differs < 0) {
            if (before->type != PL_LIST) {
                differs = 1;
            } else if (const int same = pl_constants_equal(before->list.head, h); same < 0) {
                return -1;
            } else if (!same) {
                differs = 1;
            } else {
                before = before->list.tail;
            }
        }
        PlCell* tail = cell->list.tail;
        flat_run = tail->type != PL_VAR && (pl_element_shape(head) & PL_SHAPE_FLAT);
        const PlDeref next = pl_deref(tail, frame);
        if (next.term->type != PL_LIST) {
            if (has_arguments(next.term) || (flat_run && (pl_element_shape(next.term) & PL_SHAPE_FLAT))) return -1;
            return differs >= 0 ? differs : ends_differ(before, next.term);
        }
        cell = next.term;
        frame = next.frame;
    }
}

// Either of the above, for a list that is known walked (elements_known: flat, its walk fitting
// in room) or not.
inline int list_differs(PlCell* list, PlFrame* frame, PlCell* previous, int64_t room, bool elements_known) {
    if (elements_known && (list->shape & PL_SHAPE_GROUND)) return ground_list_differs(list, previous, room);
    if (elements_known) return -1;
    return constant_list_differs(list, frame, previous, room);
}

// single_differs below once the element is found: h, what the variable stands for, against
// previous, a list.
[[gnu::always_inline]] inline int single_element_differs(const PlCell* h, const PlCell* previous) {
    const PlCell* before = previous->list.head;
    int same;
    if (h->type == PL_INT && (before == h || before->type == PL_INT)) {
        // The commonest elements, compared as pl_constants_equal would; most often the very cell.
        same = before == h || before->value == h->value;
    } else {
        if (h->type == PL_LIST || has_arguments(h)) return -1;
        same = pl_constants_equal(before, h);
    }
    if (same <= 0) return same < 0 ? -1 : 1;
    // The list ends in "[]": ends_differ tells the two apart by the end of the one before alone.
    return previous->list.tail->type != PL_NIL;
}

// Whether "[X]" read in frame holds what previous, a list, holds, told by identity alone: the
// value recorded before was most often copied from this very list, a recursion handing it down
// unchanged, and the copy holds the cell X is bound to and the list's own "[]". An integer held
// in the very cell is equal, as single_differs would find it (0); X, bound to a cell that is no
// variable, is followed no further. False when anything else would have to be looked at.
[[gnu::always_inline]] inline bool single_is_copy(const PlCell* list, PlFrame* frame, const PlCell* previous) {
    const PlCell* head = list->list.head;
    if (head->type != PL_VAR || !frame) return false;
    const PlCell* h = pl_binding_of(frame, head)->term;
    const PlCell* tail = list->list.tail;
    return h == previous->list.head && h->type == PL_INT && tail == previous->list.tail && tail->type == PL_NIL;
}

// A one-element list whose element is a variable bound to a constant, the commonest list built
// in a rule body ("[X]"), held against the value recorded before as constant_list_differs would
// hold it: 1 or 0, or -1 for any other list.
[[gnu::always_inline]] inline int single_differs(PlCell* list, PlFrame* frame, PlCell* previous, int64_t room) {
    PlCell* head = list->list.head;
    // A cell whose head is a variable is never flat (a shape is found from the head's, which a
    // variable leaves unknown): the shape need not be read.
    if (head->type != PL_VAR || list->list.tail->type != PL_NIL || room < 6) return -1;
    const PlCell* h = pl_deref(head, frame).term;
    if (!previous || previous->type != PL_LIST) return h->type == PL_LIST || has_arguments(h) ? -1 : 1;
    return single_element_differs(h, previous);
}

}  // namespace pl_recorded_lists
