// A set of functors kept as an array sorted by serial number: the dependents of an item (the
// functors whose rules read it). Most items have a handful, so the array starts at four entries
// and doubles; it is walked in serial order, the order propagation has always visited them in.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlFunctor;
struct PlPool;

struct PlFunctorSet {
    PlPool* pool;
    uint32_t count;
    uint32_t capacity;
    PlFunctor** items;  // items[0..count), ascending serial
};

PlFunctorSet* pl_functor_set_create(PieEngine* engine, PlPool* pool);
// Adds functor unless it is there already; true when it was added.
bool pl_functor_set_add(PieEngine* engine, PlFunctorSet* set, PlFunctor* functor);
bool pl_functor_set_holds(const PlFunctorSet* set, const PlFunctor* functor);

// Visits the members in serial order; fn must not change the set.
template <class Fn>
void pl_functor_set_each(const PlFunctorSet* set, Fn&& fn) {
    for (uint32_t i = 0; i < set->count; ++i) fn(set->items[i]);
}
