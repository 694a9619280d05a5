// The opening test of a rule's body, and the two goals of built-ins after it, run where the chains
// would run them quietly: untraced, their levels taken by the limit's test alone, without a look at
// the native stack, with no once cell of the conjunction to reset first. A guard and its answer
// alone are also tried from the goal's arguments, without the clause's frame.
#include "pie/run/opening_test.h"

#include "pie/api/engine.h"
#include "pie/builtins/builtins.h"
#include "pie/builtins/integer_ops.h"
#include "pie/run/call_steps.h"
#include "pie/run/frame.h"
#include "pie/run/head_plan.h"
#include "pie/run/head_walk.h"
#include "pie/terms/clause_facts.h"

namespace {

// Whether levels more from depth stay within the limit and cross no multiple of 64, where a level
// looks at the native stack. Below the smaller of the two limits the answer is known without
// reading which one holds.
bool quiet(const PieEngine* engine, int depth, int levels) {
    static_assert(kPlMaxDepth <= kPlStackDepth);
    return (static_cast<unsigned>(depth) <= static_cast<unsigned>(kPlMaxDepth - levels) ||
            depth + levels <= pl_depth_limit(engine)) &&
           ((depth ^ (depth + levels)) & ~63) == 0;
}

}  // namespace

int pl_run_opening_test(PieEngine* engine, PlCell* body, PlFrame* frame) {
    const PlFunctor* conjunction = body->fn.functor;
    const int found = engine->depth;
    if ((engine->flags & (PLE_TRACE | PLE_OPENING_CHAINS)) ||
        (conjunction->flags & (PLF_SYSTEM | PLF_REFUSE)) != PLF_SYSTEM || conjunction->once_cells ||
        !quiet(engine, found, kPlChainLevels))
        return kPlBodyAsItIs;
    // The body as its facts found it, which a rewrite since may have changed: the comparison, and
    // the conjunction its chain would run as its next level.
    PlCell* test = pl_arg(body, 0);
    const PlCell* rest = pl_arg(body, 1);
    if (test->type != PL_FUNCTOR || rest->type != PL_FUNCTOR || rest->fn.functor != conjunction)
        return kPlBodyAsItIs;
    const uint8_t comparison = test->fn.functor->comparison;
    if (!comparison) return kPlBodyAsItIs;
    // The comparison's built-in, which binds nothing.
    int32_t a = 0, b = 0;
    if (!pl_builtin_integer(test, frame, 0, a) || !pl_builtin_integer(test, frame, 1, b) ||
        !pl_compare(comparison, a, b))
        return PL_FAIL;
    const int at = found + kPlChainLevels;
    engine->depth = at;
    // The rest's chain, its levels and its last goal's taken quietly too; its last goal is one of
    // a built-in, which the chain calls as pl_call would, and no conjunction, which would be its
    // next level.
    const PlCell* left = pl_arg(rest, 0);
    const PlCell* right = pl_arg(rest, 1);
    const PlBuiltin last = right->type == PL_FUNCTOR ? right->fn.functor->builtin : nullptr;
    if (!quiet(engine, at, kPlChainLevels + 4) || left->type != PL_FUNCTOR || !left->fn.functor->builtin || !last ||
        last == pl_call_logical_and)
        return kPlRestToChain;
    return kPlRestOfBuiltins;
}

int pl_call_rest_of_builtins(PieEngine* engine, PlCell* rest, PlFrame* frame, PlList* answers) {
    PlCell* left = pl_arg(rest, 0);
    PlCell* right = pl_arg(rest, 1);
    const int found = engine->depth;
    engine->depth = found + kPlChainLevels;
    const size_t mark = pl_trail_mark(engine);
    const int first = left->fn.functor->builtin(engine, left, frame, answers);
    int outcome;
    if (first != PL_SUCCESS && first != PL_CUT) {
        pl_trail_undo(engine, mark);
        outcome = first == PL_UNDETERMINED ? first : PL_FAIL;
    } else {
        // The last goal as the chain calls it: straight to its built-in where that still holds.
        PlFunctor* f = right->fn.functor;
        int second;
        if (pl_calls_builtin_directly(engine, f)) {
            pl_depth_take(engine, 4, pl_depth_limit(engine), "pl_call");
            second = pl_call_builtin_directly(engine, f, right, frame, answers);
            engine->depth -= 4;
        } else {
            second = pl_call(engine, right, frame, answers);
        }
        if (second == PL_SUCCESS) {
            outcome = PL_SUCCESS;
        } else {
            pl_trail_undo(engine, mark);
            outcome = first == PL_CUT ? PL_CUT : second == PL_CUT || second == PL_UNDETERMINED ? second : PL_FAIL;
        }
    }
    engine->depth = found;
    return outcome;
}

namespace {

// A goal's argument, followed through the goal's bindings as the head's match follows it, with
// the binding met last (what an answer binds).
struct Argument {
    PlCell* term;
    PlBinding* slot;
    PlFrame* slot_frame;
};

[[gnu::always_inline]] inline Argument argument(const PlVector* goal_args, uint32_t i, PlFrame* goal_frame) {
    Argument a{goal_args->items[i], nullptr, goal_frame};
    for (PlFrame* f = goal_frame; a.term->type == PL_VAR && f;) {
        a.slot = pl_binding_of(f, a.term);
        a.slot_frame = f;
        a.term = a.slot->term;
        f = a.slot->frame;
    }
    return a;
}

// The slot of a variable of a head of count variables in slots in order, the goal's argument it
// stands for; kNoSlot for any other operand.
constexpr uint32_t kNoSlot = 31;
inline uint32_t head_slot(const PlCell* operand, uint32_t count) {
    return operand->type == PL_VAR && static_cast<uint32_t>(operand->var.slot) < count
               ? static_cast<uint32_t>(operand->var.slot)
               : kNoSlot;
}

}  // namespace

int pl_try_guard_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, const PlCell* term, const PlCell* head,
                        uint32_t facts) {
    const PlVector* goal_args = goal->fn.args;
    if ((engine->flags & (PLE_TRACE | PLE_OPENING_CHAINS)) || !goal_frame || !goal_args ||
        goal->fn.functor != head->fn.functor)
        return kPlTryWithFrame;
    const uint32_t count = goal_args->count;
    if (count < 2 || count > kPlHeadPlanArgs || head->fn.args->count != count ||
        !pl_head_plan_in_order(facts, pl_first_vars_plan(count)))
        return kPlTryWithFrame;
    // The levels the frame's try takes, the head's match, the body's chain and its last goal's
    // call, stay within the limit, and their looks at the native stack, if any, answer "not
    // exhausted" and note nothing: the stack stands well above the depth where they count.
    constexpr int kLevels = 2 * kPlChainLevels + 4;
    static_assert(3 * pl_head_walk::kWeight <= kLevels);
    if (!quiet(engine, engine->depth, kLevels) &&
        (!pl_levels_within_limit(engine, kLevels) || !pl_head_plan::stack_far_from_deep(engine)))
        return kPlTryWithFrame;
    // The body as its facts found it, and as the opening test's route reads it.
    const PlCell* body = pl_arg(term, 1);
    if (body->type != PL_FUNCTOR) return kPlTryWithFrame;
    const PlFunctor* conjunction = body->fn.functor;
    const PlCell* test = pl_arg(body, 0);
    const PlCell* rest = pl_arg(body, 1);
    if (conjunction->builtin != pl_call_logical_and || (conjunction->flags & (PLF_SYSTEM | PLF_REFUSE)) != PLF_SYSTEM ||
        conjunction->once_cells || test->type != PL_FUNCTOR || rest->type != PL_FUNCTOR ||
        rest->fn.functor != conjunction)
        return kPlTryWithFrame;
    const uint8_t comparison = test->fn.functor->comparison;
    const PlCell* cut = pl_arg(rest, 0);
    PlCell* answer = pl_arg(rest, 1);
    if (!comparison || cut->type != PL_FUNCTOR || cut->fn.functor != engine->predefined[PLP_cut_0] ||
        answer->type != PL_FUNCTOR || answer->fn.functor != engine->predefined[PLP_unify_2] ||
        !pl_calls_builtin_directly(engine, answer->fn.functor))
        return kPlTryWithFrame;
    const uint32_t x = head_slot(pl_arg(test, 0), count), y = head_slot(pl_arg(test, 1), count);
    const uint32_t left = head_slot(pl_arg(answer, 0), count), right = head_slot(pl_arg(answer, 1), count);
    const uint32_t named = 1u << x | 1u << y | 1u << left | 1u << right;
    if (named >> count) return kPlTryWithFrame;
    // Every argument the body does not name is an integer: the head's match binds nothing of the
    // goal's for it.
    if (named != (1u << count) - 1)
        for (uint32_t i = 0; i < count; ++i)
            if (!(named >> i & 1) && argument(goal_args, i, goal_frame).term->type != PL_INT) return kPlTryWithFrame;
    const Argument a = argument(goal_args, x, goal_frame);
    const Argument b = argument(goal_args, y, goal_frame);
    if (a.term->type != PL_INT || b.term->type != PL_INT) return kPlTryWithFrame;
    // The answer's sides: two integers, or an integer and an unbound variable of the goal's.
    const Argument l = argument(goal_args, left, goal_frame);
    const Argument r = argument(goal_args, right, goal_frame);
    const bool l_int = l.term->type == PL_INT, r_int = r.term->type == PL_INT;
    if (!(l_int && r_int) && !(l_int && r.term->type == PL_UNBOUND && r.slot) &&
        !(r_int && l.term->type == PL_UNBOUND && l.slot))
        return kPlTryWithFrame;
    engine->warning_line = static_cast<int32_t>(head->line);
    if (!pl_compare(comparison, a.term->value, b.term->value)) return PL_FAIL;
    // The cut answers the guard; the answer is called as the chain calls its last goal.
    pl_reset_once_cells(answer->fn.functor);
    if (l_int && r_int) return l.term->value == r.term->value ? PL_SUCCESS : PL_STOP;
    const Argument& variable = l_int ? r : l;
    engine->run.trail.push_back({variable.slot, variable.slot_frame});
    variable.slot->term = l_int ? l.term : r.term;
    variable.slot->frame = nullptr;
    return PL_SUCCESS;
}
