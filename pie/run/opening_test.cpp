// The opening test of a rule's body, and the two goals of built-ins after it, run where the chains
// would run them quietly: untraced, their levels taken by the limit's test alone, without a look at
// the native stack, with no once cell of the conjunction to reset first.
#include "pie/run/opening_test.h"

#include "pie/api/engine.h"
#include "pie/builtins/builtins.h"
#include "pie/builtins/integer_ops.h"
#include "pie/run/call_steps.h"
#include "pie/run/frame.h"

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
