// What a list is known to hold, kept on its cells so that the walks made after every successful
// goal (recording its list arguments, resolving them out of a dying frame) can stop at once.
// A list cell never changes once built, so a shape found out stays true for the cell's life.
// A walk cut short still raises the depth error the whole walk would have raised: the shape
// keeps how many levels the rest of the walk takes.
#pragma once

#include "pie/terms/term.h"

enum PlListShape : uint32_t {
    PL_SHAPE_GROUND = 0x1,  // no variable from the cell to the end: resolving gives the list itself
    PL_SHAPE_FLAT = 0x2,    // ground, and no element holds a compound term with arguments: nothing to record
};

// The bits above the flags hold the reach of a ground list: the levels a walk over it takes
// below the cell's own, one more than its deeper part (head or tail); a constant reaches 0.
constexpr uint32_t kPlShapeReachShift = 2;
constexpr uint32_t kPlShapeReachMax = 1u << 20;  // far past the depth limit

inline uint32_t pl_shape_reach(uint32_t shape) { return shape >> kPlShapeReachShift; }

// The shape an element or end of a list gives the cells before it; 0 when it is unknown (a
// variable, a compound term with arguments, a list not yet walked, anything else).
inline uint32_t pl_element_shape(const PlCell* cell) {
    switch (cell->type) {
    case PL_INT:
    case PL_NIL:
    case PL_ANONYMOUS:
    case PL_UNBOUND:
        return PL_SHAPE_GROUND | PL_SHAPE_FLAT;
    case PL_FUNCTOR:
        return cell->fn.args && cell->fn.args->count ? 0 : PL_SHAPE_GROUND | PL_SHAPE_FLAT;
    case PL_LIST:
        return cell->shape;
    default:
        return 0;
    }
}

// The shape of a list cell from the shapes of its head and its tail.
inline uint32_t pl_cell_shape(uint32_t head, uint32_t tail) {
    const uint32_t flags = head & tail & (PL_SHAPE_GROUND | PL_SHAPE_FLAT);
    if (!flags) return 0;
    const uint32_t deeper = pl_shape_reach(head) > pl_shape_reach(tail) ? pl_shape_reach(head) : pl_shape_reach(tail);
    const uint32_t reach = deeper < kPlShapeReachMax ? deeper + 1 : kPlShapeReachMax;
    return flags | reach << kPlShapeReachShift;
}

// pl_cell_shape for a head that is a constant (ground, flat, reaching no level): the tail's shape
// one level deeper, without the look at the head, for the cells made after most successful calls.
// The flags and the reach fill the shape's bits, so one reach more is one added at the reach's place.
inline uint32_t pl_cell_shape_after_constant(uint32_t tail) {
    const uint32_t flags = tail & (PL_SHAPE_GROUND | PL_SHAPE_FLAT);
    if (!flags) return 0;
    if (tail < kPlShapeReachMax << kPlShapeReachShift) return tail + (1u << kPlShapeReachShift);
    return flags | kPlShapeReachMax << kPlShapeReachShift;
}
