// Chunked stacks. An allocation that does not fit leaves the rest of the current chunk unused
// and opens the next chunk; releases mirror allocations, so an emptied chunk is exactly one whose
// elements were all given back, and it goes to the free chunks.
#include "pie/terms/stack.h"

#include "pie/api/errors.h"
#include "pie/terms/pool.h"

namespace {

constexpr size_t kHeaderSize = (sizeof(PlStackChunk) + 15) & ~size_t{15};

char* elements(PlStackChunk* chunk) { return reinterpret_cast<char*>(chunk) + kHeaderSize; }

size_t chunk_bytes(const PlStack* stack) { return stack->element_size * stack->per_chunk; }

void free_chain(PlStackChunk* chunk) {
    while (chunk) {
        PlStackChunk* link = chunk->link;
        xfree(chunk);
        chunk = link;
    }
}

}  // namespace

void stack_init(PlStack* stack, size_t element_size, size_t per_chunk) {
    *stack = PlStack{};
    stack->element_size = element_size;
    stack->per_chunk = per_chunk;
}

void* stack_allocate(PieEngine* engine, PlStack* stack, size_t n) {
    if (n > stack->per_chunk) pl_fatal_error(engine, PL_ERR_STACK, "stack_allocate");
    const size_t bytes = n * stack->element_size;
    PlStackChunk* chunk = stack->current;
    if (!chunk || chunk->remaining < bytes) {
        PlStackChunk* fresh = stack->free;
        if (fresh)
            stack->free = fresh->link;
        else
            fresh = static_cast<PlStackChunk*>(xmalloc(engine, kHeaderSize + chunk_bytes(stack)));
        fresh->link = chunk;
        fresh->remaining = chunk_bytes(stack);
        fresh->next = elements(fresh);
        stack->current = chunk = fresh;
    }
    void* p = chunk->next;
    chunk->next += bytes;
    chunk->remaining -= bytes;
    return p;
}

void stack_release(PieEngine* engine, PlStack* stack, size_t n) {
    PlStackChunk* chunk = stack->current;
    const size_t bytes = n * stack->element_size;
    if (!chunk || static_cast<size_t>(chunk->next - elements(chunk)) < bytes)
        pl_fatal_error(engine, PL_ERR_FRAME, "stack_release");
    chunk->next -= bytes;
    chunk->remaining += bytes;
    if (chunk->next == elements(chunk)) {
        stack->current = chunk->link;
        chunk->link = stack->free;
        stack->free = chunk;
    }
}

void stack_free(PlStack* stack) {
    free_chain(stack->current);
    free_chain(stack->free);
    stack->current = stack->free = nullptr;
}
