// The watch table: the item functors the host registered, found by the host's item id. An id
// registered again names the functor of the later registration.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlFunctor;

void pl_watch_create(PieEngine* engine);
// Finds or makes name/1, stores the host's item id in it and enters it in the watch table; 0.
int pl_set_functor_value(PieEngine* engine, const char* name, int32_t host_item);
// The functor registered under the id, or nullptr.
PlFunctor* pl_watch_find(PieEngine* engine, int32_t host_item);
