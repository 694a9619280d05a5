// Chunked stacks: room for elements is taken and given back in last-in first-out order, in
// chunks from the heap that are kept for reuse. The interpreter's frames live on one.
#pragma once

#include <cstddef>

struct PieEngine;

struct PlStackChunk {
    PlStackChunk* link;  // the chunk filled before this one, or the next free chunk
    size_t remaining;    // bytes
    char* next;
};

struct PlStack {
    size_t element_size = 0;
    size_t per_chunk = 0;
    PlStackChunk* current = nullptr;
    PlStackChunk* free = nullptr;
};

void stack_init(PlStack* stack, size_t element_size, size_t per_chunk);
// Room for n elements; more than a chunk holds raises error 4102.
void* stack_allocate(PieEngine* engine, PlStack* stack, size_t n);
// Gives back the last n elements taken; more than the current chunk holds raises error 4110.
void stack_release(PieEngine* engine, PlStack* stack, size_t n);
// Returns every chunk to the heap; the stack is empty and can be used again.
void stack_free(PlStack* stack);
