// The built-in predicates: one table of {name, arity, function, flag} from which they are
// installed on their functors (marked system), and the helpers their functions share.
#pragma once

#include "pie/run/frame.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"

#include <cstdint>

struct PieEngine;
struct PlCell;

struct PlBuiltinRow {
    const char* name;
    uint32_t arity;
    PlBuiltin function;
    uint8_t flag;  // 1 for the built-ins whose goals loading checks against the host
};

// The number of rows over all groups.
uint32_t pl_builtin_count();

// Sets the built-in function and the system flag on the functor of every row.
void pl_builtins_install(PieEngine* engine);

// Argument i of a built-in goal, dereferenced.
inline PlDeref pl_builtin_arg(PlCell* goal, PlFrame* frame, uint32_t i) { return pl_deref_whole(pl_arg(goal, i), frame); }
// Unifies argument i with a frame-free value: 1 or 0.
int pl_builtin_unify(PieEngine* engine, PlCell* goal, PlFrame* frame, uint32_t i, PlCell* value);

// The rows of each group, defined beside their functions.
extern const PlBuiltinRow kPlArithmeticBuiltins[];
extern const uint32_t kPlArithmeticBuiltinCount;
extern const PlBuiltinRow kPlControlBuiltins[];
extern const uint32_t kPlControlBuiltinCount;
extern const PlBuiltinRow kPlItemBuiltins[];
extern const uint32_t kPlItemBuiltinCount;
