// What a list is known to hold, kept on its cells so that the walks made after every successful
// goal (recording its list arguments, resolving them out of a dying frame) can stop at once.
// A list cell never changes once built, so a shape found out stays true for the cell's life.
#pragma once

#include "pie/term.h"

enum PlListShape : uint32_t {
    PL_SHAPE_GROUND = 0x1,  // no variable from the cell to the end: resolving gives the list itself
    PL_SHAPE_FLAT = 0x2,    // ground, and no element holds a compound term with arguments: nothing to record
};

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
