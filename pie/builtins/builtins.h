// The built-in predicates: one table of {name, arity, function, flag} from which they are
// installed on their functors (marked system), and the helpers their functions share.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/unify_steps.h"
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

// Sets the built-in function and the system flag on the functor of every row, and on the functor
// of a comparison of two integers which comparison it makes.
void pl_builtins_install(PieEngine* engine);
// The comparison of two integers a built-in function makes (PlComparison), 0 for any other.
uint8_t pl_comparison_of(PlBuiltin function);

// Argument i of a built-in goal, dereferenced.
inline PlDeref pl_builtin_arg(PlCell* goal, PlFrame* frame, uint32_t i) { return pl_deref_whole(pl_arg(goal, i), frame); }
// The integer term stands for, read in frame and followed as pl_builtin_arg follows it, into
// value: false when it stands for anything else. Two scalars in registers where a dereferencing's
// whole answer would go to memory. pl_builtin_integer reads argument i of a built-in goal.
[[gnu::always_inline]] inline bool pl_builtin_integer_of(const PlCell* term, PlFrame* frame, int32_t& value) {
    while (term->type == PL_VAR && frame) {
        const PlBinding* binding = pl_binding_of(frame, term);
        term = binding->term;
        frame = binding->frame;
    }
    if (term->type != PL_INT) return false;
    value = term->value;
    return true;
}
[[gnu::always_inline]] inline bool pl_builtin_integer(PlCell* goal, PlFrame* frame, uint32_t i, int32_t& value) {
    return pl_builtin_integer_of(pl_arg(goal, i), frame, value);
}
// The cell pl_make_integer keeps for value where it made value lately (what it would return
// then, changing nothing), else nullptr.
[[gnu::always_inline]] inline PlCell* pl_recent_integer(const PieEngine* engine, int32_t value) {
    PlCell* recent = engine->cell.recent_integers[pl_recent_integer_slot(value)];
    return recent && recent->value == value ? recent : nullptr;
}
// Unifies argument i with a frame-free value: 1 or 0.
int pl_builtin_unify(PieEngine* engine, PlCell* goal, PlFrame* frame, uint32_t i, PlCell* value);
// An integer answer for argument i, whose dereferencing met last the unbound slot of slot_frame:
// bound there as pl_builtin_unify would bind it, without following the argument again, where
// that unification's levels are quiet and the trail has room (it then does nothing else), else
// by pl_builtin_unify itself. 1 or 0.
[[gnu::always_inline]] inline int pl_builtin_answer(PieEngine* engine, PlCell* goal, PlFrame* frame, uint32_t i,
                                                    PlBinding* slot, PlFrame* slot_frame, int32_t value) {
    constexpr int kUnifyLevels = 2;  // those the unification takes
    // A digit is a preset cell, and an integer made lately most often the cell kept for it, each
    // read without the call that would return that cell (pl_make_integer).
    PlCell* cell = value >= 0 && value <= 9 ? engine->cell.digits[value] : pl_recent_integer(engine, value);
    if (!cell) [[unlikely]]
        cell = pl_make_integer(engine, value);
    const bool trailed = slot_frame != engine->run.untrailed;
    if (!pl_levels_quiet(engine, kUnifyLevels) || (trailed && engine->run.trail.full()))
        return pl_builtin_unify(engine, goal, frame, i, cell);
    pl_bind(engine, slot, slot_frame, cell, nullptr);
    return 1;
}

// The rows of each group, defined beside their functions.
extern const PlBuiltinRow kPlArithmeticBuiltins[];
extern const uint32_t kPlArithmeticBuiltinCount;
extern const PlBuiltinRow kPlControlBuiltins[];
extern const uint32_t kPlControlBuiltinCount;
extern const PlBuiltinRow kPlItemBuiltins[];
extern const uint32_t kPlItemBuiltinCount;
