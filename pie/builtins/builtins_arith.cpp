// Integer arithmetic, comparisons and bit operations over 32-bit signed integers. Results wrap in
// two's complement as the 32-bit engine produced them; nothing traps (INT_MIN / -1 included).
#include "pie/builtins/builtins.h"

#include "pie/api/engine.h"
#include "pie/builtins/integer_ops.h"
#include "pie/run/interpreter.h"

#include <cstdint>

namespace {

enum Mode { I, A, U, X };  // integer, anonymous, unbound, anything else

// Of a dereferenced term and the binding its dereferencing met last (none for a term that was no
// variable).
Mode mode_of(const PlCell* term, const PlBinding* slot) {
    switch (term->type) {
    case PL_INT: return I;
    case PL_ANONYMOUS: return A;
    case PL_UNBOUND: return slot ? U : X;
    default: return X;
    }
}

constexpr auto add = pl_add;
constexpr auto subtract = pl_subtract;
constexpr auto times = pl_times;
constexpr auto divide = pl_divide;
constexpr auto remainder = pl_remainder;

// One argument of X op Y = Z, dereferenced: its mode, its value when an integer, and for an
// unbound variable the binding met last and the frame that holds it (what an answer binds).
struct Arg {
    Mode m;
    int32_t v;
    PlBinding* slot;
    PlFrame* slot_frame;
};

[[gnu::always_inline]] inline Arg arg_of(PlCell* goal, PlFrame* frame, uint32_t i) {
    // pl_builtin_arg's steps, kept in registers.
    PlCell* term = pl_arg(goal, i);
    PlBinding* slot = nullptr;
    PlFrame* slot_frame = nullptr;
    while (term->type == PL_VAR && frame) {
        slot = pl_binding_of(frame, term);
        slot_frame = frame;
        term = slot->term;
        frame = slot->frame;
    }
    const Mode m = mode_of(term, slot);
    return {m, m == I ? term->value : 0, slot, slot_frame};
}

constexpr unsigned modes(Mode a, Mode b, Mode c) { return unsigned{a} << 4 | unsigned{b} << 2 | c; }

// An answer for an unbound argument a, argument i.
[[gnu::always_inline]] inline int bind(PieEngine* engine, PlCell* goal, PlFrame* frame, uint32_t i, const Arg& a,
                                       int32_t value) {
    return pl_builtin_answer(engine, goal, frame, i, a.slot, a.slot_frame, value);
}

// The inverse of a forward operation: solve for the unbound argument, or fail.
struct Inverse {
    bool ok;
    int32_t value;
};

// Every mode of X op Y = Z by the look-up of its case: f(x, y) for the forward mode,
// inverse_x(y, z) and inverse_y(x, z) for the other two; an absent inverse fails. The anonymous
// cases answer anonymous(which, a, b).
template <class Forward, class InverseX, class InverseY, class Anonymous>
[[gnu::noinline]] int arithmetic_modes(PieEngine* engine, PlCell* goal, PlFrame* frame, Forward f, InverseX ix,
                                       InverseY iy, Anonymous anon) {
    const Arg x = arg_of(goal, frame, 0), y = arg_of(goal, frame, 1), z = arg_of(goal, frame, 2);
    switch (modes(x.m, y.m, z.m)) {
    case modes(I, I, I): {
        const Inverse r = f(x.v, y.v);
        return r.ok && r.value == z.v;
    }
    case modes(I, I, U): {
        const Inverse r = f(x.v, y.v);
        return r.ok && bind(engine, goal, frame, 2, z, r.value);
    }
    case modes(U, I, I): {
        const Inverse r = ix(y.v, z.v);
        return r.ok && bind(engine, goal, frame, 0, x, r.value);
    }
    case modes(I, U, I): {
        const Inverse r = iy(x.v, z.v);
        return r.ok && bind(engine, goal, frame, 1, y, r.value);
    }
    case modes(A, I, I): return anon(0, y.v, z.v);
    case modes(I, A, I): return anon(1, x.v, z.v);
    case modes(I, I, A): return anon(2, x.v, y.v);
    default: return PL_FAIL;
    }
}

// Whether argument i, followed as pl_builtin_arg follows it, ends at an unbound variable (mode U):
// slot and slot_frame are then the binding met last and the frame that holds it.
[[gnu::always_inline]] inline bool unbound_arg(PlCell* goal, PlFrame* frame, uint32_t i, PlBinding*& slot,
                                               PlFrame*& slot_frame) {
    // Only a variable read in a frame has a binding to answer into: the deref then names its slot.
    const PlDeref d = pl_deref_whole(pl_arg(goal, i), frame);
    if (!d.slot) return false;
    slot = d.slot;
    slot_frame = d.slot_frame;
    return d.term->type == PL_UNBOUND;
}

// The forward mode into a variable not bound yet, what a rule over numbers asks most, read
// argument by argument without working out the modes; every other case, read again from the
// start, by arithmetic_modes out of line, so that this path keeps its few values in registers.
template <class Forward, class InverseX, class InverseY, class Anonymous>
[[gnu::always_inline]] inline int arithmetic(PieEngine* engine, PlCell* goal, PlFrame* frame, Forward f, InverseX ix,
                                             InverseY iy, Anonymous anon) {
    int32_t x = 0, y = 0;
    PlBinding* slot = nullptr;
    PlFrame* slot_frame = nullptr;
    if (pl_builtin_integer(goal, frame, 0, x) && pl_builtin_integer(goal, frame, 1, y) &&
        unbound_arg(goal, frame, 2, slot, slot_frame)) [[likely]] {
        const Inverse r = f(x, y);
        return r.ok && pl_builtin_answer(engine, goal, frame, 2, slot, slot_frame, r.value);
    }
    return arithmetic_modes(engine, goal, frame, f, ix, iy, anon);
}

constexpr Inverse none{false, 0};
auto always = [](int, int32_t, int32_t) { return PL_SUCCESS; };
auto no_inverse = [](int32_t, int32_t) { return none; };

int bi_sum(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return arithmetic(
        e, g, f, [](int32_t x, int32_t y) { return Inverse{true, add(x, y)}; },
        [](int32_t y, int32_t z) { return Inverse{true, subtract(z, y)}; },
        [](int32_t x, int32_t z) { return Inverse{true, subtract(z, x)}; }, always);
}

int bi_sub(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return arithmetic(
        e, g, f, [](int32_t x, int32_t y) { return Inverse{true, subtract(x, y)}; },
        [](int32_t y, int32_t z) { return Inverse{true, add(z, y)}; },
        [](int32_t x, int32_t z) { return Inverse{true, subtract(x, z)}; }, always);
}

// A factor from the product: only when the product is a multiple of the other factor.
Inverse factor(int32_t other, int32_t product) {
    if (other == 0 || remainder(product, other) != 0) return none;
    return {true, divide(product, other)};
}

int bi_multiply(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return arithmetic(
        e, g, f, [](int32_t x, int32_t y) { return Inverse{true, times(x, y)}; }, factor, factor,
        [](int which, int32_t a, int32_t) { return which == 2 || a != 0 ? PL_SUCCESS : PL_FAIL; });
}

int bi_quotient(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return arithmetic(
        e, g, f, [](int32_t x, int32_t y) { return y ? Inverse{true, divide(x, y)} : none; },
        [](int32_t y, int32_t z) { return y ? Inverse{true, times(z, y)} : none; },
        [](int32_t x, int32_t z) {
            // The divisor is taken only when it gives the quotient back.
            if (z == 0) return none;
            const int32_t y = divide(x, z);
            return y != 0 && divide(x, y) == z ? Inverse{true, y} : none;
        },
        [](int which, int32_t, int32_t b) { return which == 0 || b != 0 ? PL_SUCCESS : PL_FAIL; });
}

int bi_modulo(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return arithmetic(
        e, g, f, [](int32_t x, int32_t y) { return y ? Inverse{true, remainder(x, y)} : none; }, no_inverse,
        no_inverse, [](int which, int32_t, int32_t b) { return which == 2 && b != 0 ? PL_SUCCESS : PL_FAIL; });
}

template <class Op>
int bit_operation(PieEngine* e, PlCell* g, PlFrame* f, Op op) {
    return arithmetic(
        e, g, f, [op](int32_t x, int32_t y) { return Inverse{true, op(x, y)}; }, no_inverse, no_inverse,
        [](int which, int32_t, int32_t) { return which == 2 ? PL_SUCCESS : PL_FAIL; });
}

int bi_bitand(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return bit_operation(e, g, f, [](int32_t x, int32_t y) { return x & y; });
}
int bi_bitor(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return bit_operation(e, g, f, [](int32_t x, int32_t y) { return x | y; });
}
int bi_lshift(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return bit_operation(e, g, f, pl_shift_left);
}
int bi_rshift(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return bit_operation(e, g, f, pl_shift_right);
}

int bi_bitcmp(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const Arg x = arg_of(g, f, 0), y = arg_of(g, f, 1);
    if (x.m == I && y.m == I) return ~x.v == y.v;
    if (x.m == I && y.m == U) return bind(e, g, f, 1, y, ~x.v);
    if (x.m == U && y.m == I) return bind(e, g, f, 0, x, ~y.v);
    return (x.m == I && y.m == A) || (x.m == A && y.m == I);
}

// A comparison of two integers, the one pl_compare makes, written out for its built-in; anything
// else fails.
template <PlComparison kComparison>
int bi_compare(PieEngine*, PlCell* g, PlFrame* f, PlList*) {
    int32_t x = 0, y = 0;
    if (!pl_builtin_integer(g, f, 0, x) || !pl_builtin_integer(g, f, 1, y)) return PL_FAIL;
    switch (kComparison) {
    case PL_COMPARE_LESS: return x < y;
    case PL_COMPARE_EQ: return x == y;
    case PL_COMPARE_LEQ: return x <= y;
    case PL_COMPARE_GREATER: return x > y;
    case PL_COMPARE_NE: return x != y;
    case PL_COMPARE_GEQ: return x >= y;
    }
    return PL_FAIL;
}
constexpr PlBuiltin bi_eq = bi_compare<PL_COMPARE_EQ>;
constexpr PlBuiltin bi_ne = bi_compare<PL_COMPARE_NE>;
constexpr PlBuiltin bi_less = bi_compare<PL_COMPARE_LESS>;
constexpr PlBuiltin bi_greater = bi_compare<PL_COMPARE_GREATER>;
constexpr PlBuiltin bi_leq = bi_compare<PL_COMPARE_LEQ>;
constexpr PlBuiltin bi_geq = bi_compare<PL_COMPARE_GEQ>;

}  // namespace

const PlBuiltinRow kPlArithmeticBuiltins[] = {
    {"sum", 3, bi_sum, 0},         {"sub", 3, bi_sub, 0},        {"multiply", 3, bi_multiply, 0},
    {"quotient", 3, bi_quotient, 0}, {"modulo", 3, bi_modulo, 0}, {"eq", 2, bi_eq, 0},
    {"ne", 2, bi_ne, 0},           {"less", 2, bi_less, 0},      {"greater", 2, bi_greater, 0},
    {"leq", 2, bi_leq, 0},         {"geq", 2, bi_geq, 0},        {"bitand", 3, bi_bitand, 0},
    {"bitor", 3, bi_bitor, 0},     {"lshift", 3, bi_lshift, 0},  {"rshift", 3, bi_rshift, 0},
    {"bitcmp", 2, bi_bitcmp, 0},   {"=:=", 2, bi_eq, 0},         {"=\\=", 2, bi_ne, 0},
    {"<", 2, bi_less, 0},          {">", 2, bi_greater, 0},      {"<=", 2, bi_leq, 0},
    {">=", 2, bi_geq, 0},
};
const uint32_t kPlArithmeticBuiltinCount = sizeof kPlArithmeticBuiltins / sizeof kPlArithmeticBuiltins[0];

uint8_t pl_comparison_of(PlBuiltin function) {
    constexpr struct {
        PlBuiltin function;
        PlComparison comparison;
    } kComparisons[] = {{bi_eq, PL_COMPARE_EQ},           {bi_ne, PL_COMPARE_NE},   {bi_less, PL_COMPARE_LESS},
                        {bi_greater, PL_COMPARE_GREATER}, {bi_leq, PL_COMPARE_LEQ}, {bi_geq, PL_COMPARE_GEQ}};
    for (const auto& row : kComparisons)
        if (row.function == function) return row.comparison;
    return 0;
}
