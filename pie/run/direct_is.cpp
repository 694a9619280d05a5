// Direct evaluation of "is". The system rules evaluate the left operand before the right, fail
// as soon as an operation has no result (a divisor of 0), and finally hand the value to the
// operator's built-in, which binds an unbound result, compares an integer one, accepts "_" and
// fails on anything else; the evaluation here keeps that order and those answers.
#include "pie/run/direct_is.h"

#include "pie/api/engine.h"
#include "pie/build/compiler.h"
#include "pie/builtins/builtins.h"
#include "pie/builtins/integer_ops.h"
#include "pie/run/interpreter.h"

namespace {

enum class Op : uint8_t { Add, Sub, Mul, Div, Mod, And, Or, Shl, Shr, Plus, Minus, Not };

struct Row {
    const char* name;
    uint32_t arity;
    Op op;
};
constexpr Row kOperators[kPlDirectIsOperators] = {
    {"+", 2, Op::Add}, {"-", 2, Op::Sub},  {"*", 2, Op::Mul},   {"/", 2, Op::Div},  {"mod", 2, Op::Mod},
    {"/\\", 2, Op::And}, {"\\/", 2, Op::Or}, {"<<", 2, Op::Shl}, {">>", 2, Op::Shr}, {"+", 1, Op::Plus},
    {"-", 1, Op::Minus}, {"\\", 1, Op::Not},
};

// The rows are in the order of the operations: a row's place is its operation.
constexpr bool rows_in_order() {
    for (int i = 0; i < kPlDirectIsOperators; ++i)
        if (kOperators[i].op != static_cast<Op>(i)) return false;
    return true;
}
static_assert(rows_in_order());

enum class Result : uint32_t { Value, Fail, Other };

// What an evaluation gives: its result, and the value when there is one. Returned in one register
// where a value written through a reference would keep the operands in memory.
struct Evaluated {
    Result result;
    int32_t value;
};

constexpr int kMaxNesting = 64;  // deeper expressions are left to the rules

Evaluated evaluate(const PieEngine* engine, PlCell* term, PlFrame* frame, int nesting);

// An operand: most are integers, read here without a call of their own; the rest are evaluated.
[[gnu::always_inline]] inline Evaluated operand(const PieEngine* engine, PlCell* term, PlFrame* frame, int nesting) {
    PlCell* leaf = term;
    for (PlFrame* f = frame; leaf->type == PL_VAR && f;) {
        const PlBinding* binding = pl_binding_of(f, leaf);
        leaf = binding->term;
        f = binding->frame;
    }
    if (leaf->type != PL_INT) return evaluate(engine, term, frame, nesting);
    return {Result::Value, leaf->value};
}

// evaluate's steps, inline where "is" starts its walk: most expressions are one operator over
// integers, which then takes no call at all.
[[gnu::always_inline]] inline Evaluated evaluate_here(const PieEngine* engine, PlCell* term, PlFrame* frame,
                                                      int nesting) {
    // Followed in registers: an expression is most often the clause's own compound term.
    while (term->type == PL_VAR && frame) {
        const PlBinding* binding = pl_binding_of(frame, term);
        term = binding->term;
        frame = binding->frame;
    }
    if (term->type == PL_INT) return {Result::Value, term->value};
    if (term->type != PL_FUNCTOR || !term->fn.args || nesting > kMaxNesting) return {Result::Other, 0};
    const PlFunctor* f = term->fn.functor;
    // Each operator is a functor of its own: the first match is the only one.
    int which = 0;
    while (which < kPlDirectIsOperators && engine->direct_is[which] != f) ++which;
    if (which == kPlDirectIsOperators) return {Result::Other, 0};
    const Evaluated left = operand(engine, pl_arg(term, 0), frame, nesting + 1);
    if (left.result != Result::Value) return left;
    Evaluated right{Result::Value, 0};
    if (f->arity == 2)
        if (right = operand(engine, pl_arg(term, 1), frame, nesting + 1); right.result != Result::Value) return right;
    const int32_t a = left.value, b = right.value;
    switch (static_cast<Op>(which)) {
    case Op::Add: return {Result::Value, pl_add(a, b)};
    case Op::Sub: return {Result::Value, pl_subtract(a, b)};
    case Op::Mul: return {Result::Value, pl_times(a, b)};
    case Op::Div: return b == 0 ? Evaluated{Result::Fail, 0} : Evaluated{Result::Value, pl_divide(a, b)};
    case Op::Mod: return b == 0 ? Evaluated{Result::Fail, 0} : Evaluated{Result::Value, pl_remainder(a, b)};
    case Op::And: return {Result::Value, a & b};
    case Op::Or: return {Result::Value, a | b};
    case Op::Shl: return {Result::Value, pl_shift_left(a, b)};
    case Op::Shr: return {Result::Value, pl_shift_right(a, b)};
    case Op::Plus: return {Result::Value, pl_add(a, 0)};
    case Op::Minus: return {Result::Value, pl_subtract(0, a)};
    case Op::Not: return {Result::Value, ~a};
    }
    return {Result::Other, 0};
}

Evaluated evaluate(const PieEngine* engine, PlCell* term, PlFrame* frame, int nesting) {
    return evaluate_here(engine, term, frame, nesting);
}

}  // namespace

void pl_direct_is_prepare(PieEngine* engine) {
    engine->direct_is_functor = pl_predefined(engine, PLP_is_2);
    for (int i = 0; i < kPlDirectIsOperators; ++i)
        engine->direct_is[i] =
            pl_lookup_functor(engine, pie_intern_string(engine, kOperators[i].name), kOperators[i].arity, nullptr);
}

namespace {

// The answer of "is" for value as the operator's built-in gives it: an unbound result bound, an
// integer compared, "_" accepted; PL_UNDETERMINED for any other result, which the rules take.
[[gnu::always_inline]] inline int answer(PieEngine* engine, PlCell* goal, PlFrame* frame, const PlDeref& r,
                                         int32_t value) {
    if (r.term->type == PL_UNBOUND && r.slot)
        return pl_builtin_answer(engine, goal, frame, 0, r.slot, r.slot_frame, value) ? PL_SUCCESS : PL_FAIL;
    if (r.term->type == PL_INT) return r.term->value == value ? PL_SUCCESS : PL_FAIL;
    return r.term->type == PL_ANONYMOUS ? PL_SUCCESS : PL_UNDETERMINED;
}

}  // namespace

int pl_direct_is(PieEngine* engine, PlCell* goal, PlFrame* frame) {
    if (!goal->fn.args || goal->fn.args->count < 2) return PL_UNDETERMINED;
    // The commonest goal first, X is A - B or A + B of integers (X1 is X - 1): its operator found
    // by two comparisons and its operands read as integers, with no walk of the expression. Its
    // evaluation can neither fail nor be left to the rules, so that the result is read after it.
    if (const PlCell* expression = pl_arg(goal, 1); expression->type == PL_FUNCTOR && expression->fn.args) {
        const PlFunctor* f = expression->fn.functor;
        const bool subtract = f == engine->direct_is[static_cast<int>(Op::Sub)];
        int32_t a = 0, b = 0;
        if ((subtract || f == engine->direct_is[static_cast<int>(Op::Add)]) &&
            pl_builtin_integer_of(pl_arg(expression, 0), frame, a) &&
            pl_builtin_integer_of(pl_arg(expression, 1), frame, b))
            return answer(engine, goal, frame, pl_deref(pl_arg(goal, 0), frame), subtract ? pl_subtract(a, b) : pl_add(a, b));
    }
    // The result followed with the binding met last (what an answer binds).
    const PlDeref target = pl_deref(pl_arg(goal, 0), frame);
    const PlCell* result = target.term;
    const bool unbound = result->type == PL_UNBOUND && target.slot;
    if (!unbound && result->type != PL_INT && result->type != PL_ANONYMOUS) return PL_UNDETERMINED;
    const Evaluated evaluated = evaluate_here(engine, pl_arg(goal, 1), frame, 0);
    if (evaluated.result != Result::Value) return evaluated.result == Result::Fail ? PL_FAIL : PL_UNDETERMINED;
    const int32_t value = evaluated.value;
    if (result->type == PL_INT) return result->value == value ? PL_SUCCESS : PL_FAIL;
    if (!unbound) return PL_SUCCESS;
    return pl_builtin_answer(engine, goal, frame, 0, target.slot, target.slot_frame, value) ? PL_SUCCESS : PL_FAIL;
}
