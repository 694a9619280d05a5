// Queries run on a stack of the engine's own, so that a recursive rule can go as deep as that
// stack allows (a list of 100,000 elements walked by a rule that is not in last-call form)
// whatever stack the host calls from. The stack is reserved once per engine (128 MB of address
// space, taken as it is touched, given back after a query that went deep); while a query runs
// on it, recursion ends in error 4102 where 1 MB is left, or at kPlStackDepth levels, so that a
// runaway recursion ends within that memory and leaves the engine usable.
#pragma once

#include <cstddef>
#include <cstdint>

struct PieEngine;

#if defined(__SANITIZE_ADDRESS__)
#define PL_ENGINE_STACK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PL_ENGINE_STACK_SANITIZED 1
#endif
#endif
#ifdef PL_ENGINE_STACK_SANITIZED
// AddressSanitizer cleans a stack after an exception only up to 64 MB.
constexpr size_t kPlEngineStackBytes = size_t{60} << 20;
#else
constexpr size_t kPlEngineStackBytes = size_t{128} << 20;
#endif
constexpr size_t kPlEngineStackReserve = size_t{1} << 20;  // kept free for host callbacks and errors
constexpr size_t kPlEngineStackDeep = size_t{16} << 20;    // a query below this gives its pages back

// Runs fn(engine, arg) on the engine's stack, or directly when it runs there already or the
// stack cannot be had (then the limits of an unknown stack hold). An exception leaving fn is
// thrown again on the caller's stack.
int pl_on_engine_stack(PieEngine* engine, int (*fn)(PieEngine*, void*), void* arg);
// Gives the stack back (PIE_term).
void pl_engine_stack_free(PieEngine* engine);
