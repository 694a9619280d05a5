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

// Whether those levels stay within the limit, and their looks at the native stack, if any, answer
// "not exhausted" and note nothing: the stack stands well above the depth where looks count (the
// native frames of the steps that take them lie far less than the margin below this one).
bool quiet_enough(const PieEngine* engine, int depth, int levels) {
    return quiet(engine, depth, levels) ||
           (depth + levels <= pl_depth_limit(engine) && pl_head_plan::stack_far_from_deep(engine));
}

}  // namespace

int pl_run_opening_test(PieEngine* engine, PlCell* body, PlFrame* frame) {
    const PlFunctor* conjunction = body->fn.functor;
    const int found = engine->depth;
    if ((engine->flags & (PLE_TRACE | PLE_OPENING_CHAINS)) ||
        (conjunction->flags & (PLF_SYSTEM | PLF_REFUSE)) != PLF_SYSTEM || conjunction->once_cells ||
        !quiet_enough(engine, found, kPlChainLevels))
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
    if (!quiet_enough(engine, at, kPlChainLevels + 4) || left->type != PL_FUNCTOR || !left->fn.functor->builtin ||
        !last || last == pl_call_logical_and)
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
[[gnu::always_inline]] inline PlDeref argument(const PlVector* goal_args, uint32_t i, PlFrame* goal_frame) {
    return pl_deref(goal_args->items[i], goal_frame);
}

// The plans of heads of two to four variables, each met first, in slots in order, by their count.
constexpr uint32_t kFirstVarsPlans[kPlHeadPlanArgs + 1] = {0, 0, pl_first_vars_plan(2), pl_first_vars_plan(3),
                                                           pl_first_vars_plan(4)};

}  // namespace

int pl_try_guard_clause(PieEngine* engine, PlCell* goal, PlFrame* goal_frame, const PlCell* term, const PlCell* head,
                        uint32_t facts) {
    const PlVector* goal_args = goal->fn.args;
    if ((engine->flags & (PLE_TRACE | PLE_OPENING_CHAINS)) || !goal_frame || !goal_args ||
        goal->fn.functor != head->fn.functor)
        return kPlTryWithFrame;
    // The plan tells the head's count of arguments as well: each has bits of its own.
    const uint32_t count = goal_args->count;
    if (count < 2 || count > kPlHeadPlanArgs || !pl_head_plan_in_order(facts, kFirstVarsPlans[count]))
        return kPlTryWithFrame;
    // The levels the frame's try takes, the head's match, the body's chain and its last goal's
    // call, may be taken quietly.
    constexpr int kLevels = 2 * kPlChainLevels + 4;
    static_assert(3 * pl_head_walk::kWeight <= kLevels);
    if (!quiet_enough(engine, engine->depth, kLevels)) return kPlTryWithFrame;
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
    // The answer's call goes straight to its built-in (pl_calls_builtin_directly): the engine's own
    // "=" has its built-in and is not "is", and the query is not traced, so its flags tell it.
    if (!comparison || cut->type != PL_FUNCTOR || cut->fn.functor != engine->predefined[PLP_cut_0] ||
        answer->type != PL_FUNCTOR || answer->fn.functor != engine->predefined[PLP_unify_2] ||
        (answer->fn.functor->flags & (PLF_SYSTEM | PLF_REFUSE)) != PLF_SYSTEM)
        return kPlTryWithFrame;
    // The operands are variables of the head, each the goal's argument of its slot.
    const PlCell* operands[] = {pl_arg(test, 0), pl_arg(test, 1), pl_arg(answer, 0), pl_arg(answer, 1)};
    uint32_t named = 0;
    for (const PlCell* operand : operands) {
        if (operand->type != PL_VAR || static_cast<uint32_t>(operand->var.slot) >= count) return kPlTryWithFrame;
        named |= 1u << operand->var.slot;
    }
    // Every argument the body does not name is an integer: the head's match binds nothing of the
    // goal's for it.
    if (named != (1u << count) - 1)
        for (uint32_t i = 0; i < count; ++i)
            if (!(named >> i & 1) && argument(goal_args, i, goal_frame).term->type != PL_INT) return kPlTryWithFrame;
    int32_t a = 0, b = 0;
    if (!pl_builtin_integer_of(goal_args->items[operands[0]->var.slot], goal_frame, a) ||
        !pl_builtin_integer_of(goal_args->items[operands[1]->var.slot], goal_frame, b))
        return kPlTryWithFrame;
    // The answer's sides: two integers, or an integer and an unbound variable of the goal's, whose
    // binding met last (slot) takes the integer (value).
    const PlDeref l = argument(goal_args, static_cast<uint32_t>(operands[2]->var.slot), goal_frame);
    const PlDeref r = argument(goal_args, static_cast<uint32_t>(operands[3]->var.slot), goal_frame);
    PlBinding* slot = nullptr;
    PlFrame* slot_frame = nullptr;
    PlCell* value = nullptr;
    if (l.term->type == PL_INT) {
        if (r.term->type != PL_INT) {
            if (r.term->type != PL_UNBOUND || !r.slot) return kPlTryWithFrame;
            slot = r.slot;
            slot_frame = r.slot_frame;
            value = l.term;
        }
    } else {
        if (l.term->type != PL_UNBOUND || !l.slot || r.term->type != PL_INT) return kPlTryWithFrame;
        slot = l.slot;
        slot_frame = l.slot_frame;
        value = r.term;
    }
    engine->warning_line = static_cast<int32_t>(head->line);
    if (!pl_compare(comparison, a, b)) return PL_FAIL;
    // The cut answers the guard; the answer is called as the chain calls its last goal.
    pl_reset_once_cells(answer->fn.functor);
    if (!slot) return l.term->value == r.term->value ? PL_SUCCESS : PL_STOP;
    engine->run.trail.push_back({slot, slot_frame});
    slot->term = value;
    slot->frame = nullptr;
    return PL_SUCCESS;
}
