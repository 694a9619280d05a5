// Unification by cell types, the bindings it leaves in frames, their undoing on failure, settling
// into the caller before a clause frame is released, and identity of terms.
#include "bindings_left.h"
#include "engine_fixture.h"
#include "term_builder.h"

#include "pie/run/fact_plan.h"
#include "pie/run/frame.h"
#include "pie/run/head_filter.h"
#include "pie/run/left_goal_head.h"
#include "pie/run/head_plan.h"
#include "pie/run/settle_quick.h"
#include "pie/terms/list_shape.h"
#include "pie/run/unify.h"
#include "pie/run/unify_steps.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/cycle_check.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Unify : EngineTest {
    TermBuilder t{e};
    PlFrame* left = pl_frame_alloc(e, 4, nullptr, nullptr);
    PlFrame* right = pl_frame_alloc(e, 4, left, nullptr);

    int unify(PlCell* a, PlCell* b) { return pl_unification_sub(e, a, left, b, right); }
    PlDeref in(PlFrame* frame, int slot) { return pl_deref(t.var("_V", slot), frame); }
};

TEST_F(Unify, ByCellTypes) {
    PlCell* a = t.atom("a");
    PlCell* one = t.integer(1);
    PlCell* big = t.integer(100000);
    PlCell* fa = t.fn("f", {a});
    PlCell* set = t.member({a, big});
    struct Row {
        PlCell* l;
        PlCell* r;
        int expected;
    } rows[] = {
        {t.anon(), fa, 1},        {one, one, 1},          {one, t.integer(2), 0},   {one, fa, 0},
        {one, t.nil(), 0},        {big, set, 1},          {one, set, 0},            {a, set, 1},
        {fa, set, 0},             {fa, t.fn("f", {a}), 1}, {fa, t.fn("f", {one}), 0}, {fa, t.fn("g", {a}), 0},
        {fa, t.list({a}), 0},     {t.list({a, one}), t.list({a, one}), 1},
        {t.list({a}), t.list({a, one}), 0},               {t.list({a}), t.nil(), 0}, {t.nil(), t.nil(), 1},
        {t.nil(), a, 0},          {set, a, 1},            {set, t.list({a}), 0},    {set, t.anon(), 1},
        {set, t.var("_S", 0), 0}, {t.var("_S", 0), set, 0},
    };
    for (const Row& row : rows) {
        const size_t mark = pl_trail_mark(e);
        EXPECT_EQ(unify(row.l, row.r), row.expected) << &row - rows;
        pl_trail_undo(e, mark);
    }
}

TEST_F(Unify, BindsUnboundOnEitherSide) {
    PlCell* term = t.fn("f", {t.var("_A", 1)});
    // A compound on the left binds the variable on the right.
    ASSERT_EQ(unify(term, t.var("_X", 0)), 1);
    PlDeref x = in(right, 0);
    EXPECT_EQ(x.term, term);
    EXPECT_EQ(x.frame, left);
    // An unbound left binds to a constant; the same variable on both sides binds nothing.
    ASSERT_EQ(unify(t.var("_Y", 2), t.integer(7)), 1);
    EXPECT_EQ(in(left, 2).term, t.integer(7));
    ASSERT_EQ(pl_unification_sub(e, t.var("_Z", 3), left, t.var("_Z", 3), left), 1);
    EXPECT_EQ(in(left, 3).term, e->cell.unbound);
    // Through a binding: _A of f(_A) is reached from the right frame's _X.
    ASSERT_EQ(unify(t.integer(5), t.fn("f", {t.var("_X", 0)})), 0);
    ASSERT_EQ(pl_unification_sub(e, t.fn("f", {t.integer(5)}), nullptr, t.var("_X", 0), right), 1);
    EXPECT_EQ(in(left, 1).term, t.integer(5));
}

// A built-in's arguments are followed by pl_deref_whole: every part of its answer is pl_deref's,
// through chains of bindings across frames, to unbound slots and to variables read in no frame.
TEST_F(Unify, DerefForBuiltInsAnswersAsDeref) {
    PlCell* seven = t.integer(7);
    PlCell* frameless = t.var("_F", 0);
    left->slots()[0] = {t.var("_B", 1), right};
    right->slots()[1] = {t.var("_C", 2), left};
    left->slots()[2] = {seven, nullptr};
    left->slots()[3] = {frameless, nullptr};
    right->slots()[2] = {t.var("_D", 3), left};
    right->slots()[3] = {t.fn("f", {t.var("_A", 0)}), left};
    const struct {
        PlCell* term;
        PlFrame* frame;
    } rows[] = {
        {seven, left},          {seven, nullptr},        {frameless, nullptr},   {t.var("_A", 0), left},
        {t.var("_C", 2), left}, {t.var("_A", 0), right}, {t.var("_D", 3), left}, {t.var("_E", 2), right},
        {t.var("_G", 3), right}, {t.anon(), left},
    };
    for (const auto& row : rows) {
        const PlDeref a = pl_deref(row.term, row.frame);
        const PlDeref b = pl_deref_whole(row.term, row.frame);
        const int at = static_cast<int>(&row - rows);
        EXPECT_EQ(a.term, b.term) << at;
        EXPECT_EQ(a.frame, b.frame) << at;
        EXPECT_EQ(a.slot, b.slot) << at;
        EXPECT_EQ(a.slot_frame, b.slot_frame) << at;
        EXPECT_EQ(a.var, b.var) << at;
    }
}

TEST_F(Unify, FailedAttemptIsUndone) {
    const size_t mark = pl_trail_mark(e);
    EXPECT_EQ(unify(t.fn("g", {t.var("_A", 0), t.integer(1)}), t.fn("g", {t.integer(3), t.integer(2)})), 0);
    EXPECT_EQ(in(left, 0).term, t.integer(3));
    pl_trail_undo(e, mark);
    // The slot holds the unbound pair again, its frame word included: an entry keeps no old value.
    EXPECT_EQ(left->slots()[0].term, e->cell.unbound);
    EXPECT_EQ(left->slots()[0].frame, nullptr);
}

// A term without variables, read in a frame or through a variable bound to it, resolves to that
// very term as far as the walk over it would fit under the depth limit, and raises 4102 one
// level deeper.
TEST_F(Unify, GroundTermsResolveToThemselvesWhereTheirWalksFit) {
    PlCell* ground = t.fn("f", {t.fn("f", {t.fn("f", {t.integer(1), t.atom("a")}), t.integer(2)}), t.nil()});
    left->slots()[0] = {ground, right};
    // Nested in the last argument, in both, deeper in the first.
    PlCell* last = t.fn("f", {t.integer(1), t.fn("f", {t.integer(2), t.fn("f", {t.integer(3), t.atom("a")})})});
    PlCell* both = t.fn("g", {t.fn("f", {t.integer(1), t.integer(2)}), t.fn("f", {t.integer(3), t.fn("h", {t.atom("a")})})});
    PlCell* first = t.fn("g", {t.fn("f", {t.fn("h", {t.integer(1)}), t.integer(3)}), t.fn("f", {t.integer(4), t.integer(5)})});
    struct Row {
        PlCell* term;
        PlCell* resolved;
        int walk;  // two levels for each of the term's four, and two for a variable leading to it
    } rows[] = {{ground, ground, 2 * 4}, {t.var("_X", 0), ground, 2 + 2 * 4}, {last, last, 2 * 4},
                {both, both, 2 * 4}, {first, first, 2 * 4}};
    for (const Row& row : rows) {
        for (const int over : {0, 1}) {
            e->depth = pl_depth_limit(e) - row.walk + over;
            PlTermRef got{nullptr, nullptr};
            EXPECT_EQ(errorOf([&] { got = pl_resolve_term(e, row.term, left, right); }), over ? PL_ERR_STACK : 0);
            if (!over) {
                EXPECT_EQ(got.term, row.resolved);
            }
            EXPECT_EQ(e->depth, pl_depth_limit(e) - row.walk + over);
        }
    }
    e->depth = 0;
    // A variable (unbound in the dying frame) below any compound argument: the term is copied.
    for (PlCell* open : {t.fn("g", {t.fn("f", {t.fn("h", {t.var("_Y", 1)}), t.integer(3)}), t.fn("f", {t.integer(4)})}),
                         t.fn("g", {t.fn("f", {t.integer(1)}), t.fn("f", {t.integer(3), t.fn("h", {t.var("_Y", 1)})})}),
                         t.fn("g", {t.fn("f", {t.integer(1)}), t.var("_Y", 1)})}) {
        const PlTermRef got = pl_resolve_term(e, open, right, right);
        EXPECT_NE(got.term, open);
    }
}

TEST_F(Unify, SettlingLeavesNoBindingIntoTheReleasedFrame) {
    // The caller's _X is bound to g(_B, _C) of the callee; the callee binds _B to 4 and leaves _C.
    const size_t mark = pl_trail_mark(e);
    ASSERT_EQ(pl_unification_sub(e, t.var("_X", 0), left, t.fn("g", {t.var("_B", 1), t.var("_C", 2)}), right), 1);
    ASSERT_EQ(pl_unification_sub(e, t.var("_B", 1), right, t.integer(4), nullptr), 1);
    pl_settle_frames(e, right, mark);
    pl_frame_release(e, right);
    PlDeref x = in(left, 0);
    ASSERT_EQ(x.term->type, PL_FUNCTOR);
    EXPECT_EQ(x.frame, nullptr);
    EXPECT_EQ(pl_arg(x.term, 0), t.integer(4));
    EXPECT_EQ(pl_arg(x.term, 1), e->cell.unbound);
    EXPECT_EQ(pl_trail_mark(e), mark + 1);  // the callee's own binding left the trail
}

// Settling a caller's variable bound into the callee: the term it is left with (cells, and the
// shape kept on each list cell as "{flags.reach}"), whether a new cell was made, and the least room
// under the depth limit with which it runs through; one level less raises 4102. The commonest
// kinds (a variable or a list cell leading to terms that need no frame, a short list, a term
// without variables) are made without the walk, and must make what the walk makes where it did.
TEST_F(Unify, SettlingMakesWhatTheWalkMakesAndMeetsTheLimitWhereItDid) {
    std::function<std::string(const PlCell*)> show = [&](const PlCell* c) -> std::string {
        switch (c->type) {
        case PL_INT: return std::to_string(c->value);
        case PL_NIL: return "[]";
        case PL_UNBOUND: return "_";
        case PL_VAR: return "V";
        case PL_FUNCTOR: return c->fn.args && c->fn.args->count ? c->fn.functor->name->name + std::string("(") +
                                                                      show(pl_arg(c, 0)) + ")"
                                                                : c->fn.functor->name->name;
        case PL_LIST:
            return "[" + show(c->list.head) + "|" + show(c->list.tail) + "]{" + std::to_string(c->shape & 3) + "." +
                   std::to_string(pl_shape_reach(c->shape)) + "}";
        default: return "?";
        }
    };
    PlCell* h = t.var("_H", 0);
    PlCell* tl = t.var("_T", 1);
    PlCell* settled = t.list({t.integer(2)});  // a list settled before, its shape known
    settled->shape = PL_SHAPE_GROUND | PL_SHAPE_FLAT | 1u << kPlShapeReachShift;
    PlCell* capped = t.list({t.integer(2)});  // as deep as a shape tells
    capped->shape = PL_SHAPE_GROUND | PL_SHAPE_FLAT | kPlShapeReachMax << kPlShapeReachShift;
    const std::string cap = std::to_string(kPlShapeReachMax);
    const std::string on_capped = "[5|[2|[]]{3." + cap + "}]{3." + cap + "}";
    PlCell* ten = t.list({t.var("_B", 2)});
    for (int i = 0; i < 9; ++i) ten = t.list({t.integer(1)}, ten);
    // Terms of a living frame met twice, the second time a level deeper: what the first look
    // found out of the term must hold at the second's depth, as must a look cut short.
    PlCell* plain = t.fn("k", {t.fn("m", {t.integer(1)}), t.fn("n", {t.fn("p", {t.integer(2)})})});
    PlCell* open_below = t.fn("k", {t.fn("m", {t.fn("n", {t.var("_B", 2)})}), t.integer(3)});
    PlCell* deep = t.integer(1);
    std::string on_deep = "1";
    for (int i = 0; i < 70; ++i) {
        deep = t.fn("d", {deep, t.atom("x")});
        on_deep = "d(" + on_deep + ")";
    }
    const std::string twice_deep = "f(g(" + on_deep + "))";
    const PlBinding unbound{e->cell.unbound, nullptr};
    struct Row {
        const char* what;
        PlCell* term;                     // the caller's variable is bound to it, read in the callee
        PlBinding head, tail;             // the callee's _H and _T
        const char* expected;
        int room;
    } rows[] = {
        {"variable to a constant", h, {t.integer(5), nullptr}, unbound, "5", 2},
        {"variable to a variable of a living frame", h, {t.var("_B", 2), left}, unbound, "7", 2},
        {"variable to a compound term in a living frame", h, {t.fn("g", {t.var("_B", 2)}), left}, unbound, "g(7)", 6},
        {"list, integer head", t.list({h}, tl), {t.integer(5), nullptr}, {settled, nullptr}, "[5|[2|[]]{3.1}]{3.2}", 4},
        {"list, integer head, tail at the deepest shape", t.list({h}, tl), {t.integer(5), nullptr}, {capped, nullptr},
         on_capped.c_str(), 4},
        {"list, integer head through a living frame", t.list({h}, tl), {t.var("_B", 2), left}, {settled, nullptr},
         "[7|[2|[]]{3.1}]{3.2}", 4},
        {"list, integer head, tail the empty list", t.list({h}, tl), {t.integer(5), nullptr}, {t.nil(), nullptr},
         "[5|[]]{3.1}", 4},
        {"list, head left unbound", t.list({h}, tl), unbound, {settled, nullptr}, "[_|[2|[]]{3.1}]{3.2}", 4},
        {"list, atom head", t.list({h}, tl), {t.atom("a"), nullptr}, {settled, nullptr}, "[a|[2|[]]{3.1}]{3.2}", 4},
        {"list, constant head", t.list({t.integer(6)}, tl), unbound, {t.nil(), nullptr}, "[6|[]]{3.1}", 4},
        {"list, compound head", t.list({h}, tl), {t.fn("f", {t.integer(1)}), nullptr}, {settled, nullptr},
         "[f(1)|[2|[]]{3.1}]{0.0}", 4},
        {"list, unbound tail", t.list({h}, tl), {t.integer(5), nullptr}, unbound, "[5|_]{3.1}", 4},
        {"list, tail of unknown shape", t.list({h}, tl), {t.integer(5), nullptr}, {t.list({t.integer(2)}), nullptr},
         "[5|[2|[]]{0.0}]{0.0}", 4},
        {"compound, argument without variables in a living frame", t.fn("f", {h}),
         {t.fn("g", {t.integer(1)}), left}, unbound, "f(g(1))", 8},
        {"compound, argument with a variable in a living frame", t.fn("f", {h}),
         {t.fn("g", {t.var("_B", 2)}), left}, unbound, "f(g(7))", 8},
        // The copy's cell and its arguments are taken together where the block has room for both.
        {"compound of two arguments, both bound", t.fn("p", {t.fn("q", {h, tl}), tl}), {t.integer(5), nullptr},
         {t.integer(6), nullptr}, "p(q(5))", 6},
        // A head that builds its answer, its compound arguments taken without the walk's calls
        // where their levels allow, any other part left to the walk at its level.
        {"compounds nested, a term without variables in a living frame at the bottom",
         t.fn("f", {t.fn("g", {t.fn("h", {h, tl})})}), {t.fn("k", {t.integer(1)}), left}, unbound, "f(g(h(k(1))))", 12},
        {"compounds nested, a variable left unbound beside a bound one", t.fn("f", {t.fn("g", {h, tl}), h}),
         {t.integer(5), nullptr}, unbound, "f(g(5))", 6},
        {"compounds nested, a list inside", t.fn("f", {t.fn("g", {t.list({h}, tl)})}), {t.integer(5), nullptr},
         {settled, nullptr}, "f(g([5|[2|[]]{3.1}]{3.2}))", 8},
        {"compounds nested, a variable bound to a term of the dying frame", t.fn("f", {t.fn("g", {h})}),
         {t.fn("k", {tl}), right}, {t.integer(6), nullptr}, "f(g(k(6)))", 10},
        {"compounds nested, three arguments above", t.fn("r", {t.fn("q", {t.fn("p", {h})}), tl, h}),
         {t.integer(5), nullptr}, {t.integer(6), nullptr}, "r(q(p(5)))", 8},
        {"short list through a living frame", t.list({h}, tl), {t.integer(5), nullptr},
         {t.list({t.var("_B", 2)}), left}, "[5|[7|[]]{3.1}]{3.2}", 8},
        {"short list of a constant through a living frame", t.list({h}, tl), {t.integer(5), nullptr},
         {t.list({t.integer(8)}), left}, "[5|[8|[]]{3.1}]{3.2}", 8},
        {"short list ending in a compound term", t.list({h}, tl), {t.integer(5), nullptr},
         {t.list({t.var("_B", 2)}, t.fn("f", {t.integer(1)})), left}, "[5|[7|f(1)]{0.0}]{0.0}", 10},
        {"a term without variables in a living frame, twice", t.fn("f", {h, t.fn("g", {h})}), {plain, left}, unbound,
         "f(k(m(1)))", 14},
        {"a term with a variable deep inside in a living frame, twice", t.fn("f", {t.fn("g", {h}), h}),
         {open_below, left}, unbound, "f(g(k(m(n(7)))))", 14},
        {"a term without variables deeper than the looks keep, twice", t.fn("f", {t.fn("g", {h}), h}), {deep, left},
         unbound, twice_deep.c_str(), 148},
        {"long list through a living frame", t.list({h}, tl), {t.integer(5), nullptr}, {ten, left},
         "[5|[1|[1|[1|[1|[1|[1|[1|[1|[1|[7|[]]{3.1}]{3.2}]{3.3}]{3.4}]{3.5}]{3.6}]{3.7}]{3.8}]{3.9}]{3.10}]"
         "{3.11}",
         26},
    };
    // Each row again with the query's pool block full, so that a new cell takes a new block, on
    // the engine's own stack, whose limit lies far above the other, by the loop of one-goal
    // bodies, which settles its commonest binding inline, and after a binding of the callee's own
    // slot, as a rule whose body was one call leaves the trail (which that loop takes in one step).
    for (int run = 0; run < 16; ++run) {
        const bool full = run & 1;
        const bool own_stack = run & 2;
        const bool inline_step = run & 4;
        const bool own_slot = run & 8;
        e->stack_floor = own_stack ? 1 : 0;  // below any address: never reached
        const int limit = pl_depth_limit(e);
        for (const Row& row : rows) {
            std::string got;
            int room = -1;
            for (int r = std::max(40, row.room + 2); r >= 0; --r) {
                const size_t mark = pl_trail_mark(e);
                const size_t mark_bytes = pl_trail_mark_bytes(e);
                left->slots()[2] = {t.integer(7), nullptr};
                right->slots()[0] = row.head;
                right->slots()[1] = row.tail;
                pl_bind(e, &left->slots()[0], left, row.term, right);
                if (own_slot) pl_bind(e, &right->slots()[3], right, t.integer(9), nullptr);
                if (full && e->run.terms.current) e->run.terms.current->end = e->run.terms.current->next;
                e->depth = limit - r;
                const int error = errorOf([&] {
                    if (inline_step && own_slot)
                        pl_settle_frames_from<pl_settle_binding_inline, true>(e, right, mark_bytes);
                    else if (inline_step)
                        pl_settle_frames_from<pl_settle_binding_inline>(e, right, mark_bytes);
                    else
                        pl_settle_frames(e, right, mark);
                });
                EXPECT_EQ(e->depth, limit - r);
                e->depth = 0;
                if (!error) {
                    const std::string shown = show(left->slots()[0].term);
                    EXPECT_TRUE(got.empty() || got == shown) << row.what << " at room " << r;
                    got = shown;
                    room = r;
                    EXPECT_EQ(left->slots()[0].frame, nullptr) << row.what;
                    EXPECT_EQ(pl_trail_mark(e), mark + 1) << row.what;
                } else {
                    EXPECT_EQ(error, PL_ERR_STACK) << row.what;
                }
                pl_trail_undo(e, mark);
            }
            const std::string how = std::string(full ? ", block full" : "") + (own_stack ? ", own stack" : "") +
                                    (inline_step ? ", inline" : "") + (own_slot ? ", own slot" : "");
            EXPECT_EQ(got, row.expected) << row.what << how;
            EXPECT_EQ(room, row.room) << row.what << how;
        }
        e->stack_floor = 0;
    }
}

TEST_F(Unify, Identity) {
    PlCell* x = t.var("_X", 0);
    EXPECT_EQ(term_compare(e, t.fn("f", {t.atom("a"), t.list({t.integer(1)})}),
                           t.fn("f", {t.atom("a"), t.list({t.integer(1)})}), left), 1);
    EXPECT_EQ(term_compare(e, t.fn("f", {t.atom("a")}), t.fn("f", {t.atom("b")}), left), 0);
    EXPECT_EQ(term_compare(e, x, t.var("_X", 0), left), 1);
    EXPECT_EQ(term_compare(e, x, t.var("_Y", 1), left), 0);
    EXPECT_EQ(term_compare(e, t.integer(3), t.atom("a"), left), 0);
    EXPECT_EQ(errorOf([&] { term_compare(e, t.member({t.integer(1)}), t.member({t.integer(1)}), left); }),
              PL_ERR_CELL_TYPE);
    EXPECT_TRUE(pl_terms_equal(e, t.list({t.atom("a"), t.anon()}), t.list({t.atom("a"), t.anon()}), nullptr));
    EXPECT_FALSE(pl_terms_equal(e, t.list({t.atom("a")}), t.list({t.atom("b")}), nullptr));
}

TEST_F(Unify, DeepTermsRaiseTheDepthError) {
    // Long lists are walked flat; nesting in heads is bounded.
    PlCell* a = t.nil();
    PlCell* b = t.nil();
    for (int i = 0; i < 100000; ++i) {
        a = pl_make_list(e, t.integer(1), a);
        b = pl_make_list(e, t.integer(1), b);
    }
    EXPECT_EQ(unify(a, b), 1);
    for (int i = 0; i < kPlMaxDepth; ++i) {
        a = pl_make_list(e, a, t.nil());
        b = pl_make_list(e, b, t.nil());
    }
    EXPECT_EQ(errorOf([&] { unify(a, b); }), PL_ERR_STACK);
    PlCell* cell = pl_cell_new(e, PL_CLAUSE);
    EXPECT_EQ(errorOf([&] { unify(cell, t.anon()); }), PL_ERR_NOT_UNIFIABLE);
}

// A clause head is matched by its own walk, and a plain pair is answered at once: each must
// answer, bind, trail and run out of depth exactly where one level of the generic walk does. A
// rule's head is also matched by the plan its clause keeps, where it has one.
TEST_F(Unify, HeadMatchIsTheGenericUnification) {
    PlCell* a = t.atom("a");
    PlCell* one = t.integer(1);
    auto g = [&](int slot) { return t.var("_G", slot); };  // goal side, read in left
    auto h = [&](int slot) { return t.var("_H", slot); };  // head side, read in right
    auto once = [&](PlCell* goal) { return pl_make_once(e, goal); };
    PlCell* walk = t.fn("w", {t.list({h(0)}, h(1)), h(2), t.list({h(0)}, h(3))});
    PlCell* joining = t.fn("j", {t.nil(), h(0), h(0)});
    // before, where given, is what the goal's variable 3 stands for when the match begins: bound
    // through variable 2 to before, read in a frame of its own (the look at first arguments
    // passes both).
    struct Case {
        PlCell* goal;
        PlCell* head;
        PlCell* before = nullptr;
    } cases[] = {
        {t.fn("app", {t.list({one, a}), a, g(0)}), t.fn("app", {t.list({h(0)}, h(1)), h(2), t.list({h(0)}, h(3))})},
        {t.fn("f", {g(0), g(0), g(0)}), t.fn("f", {h(0), h(1), h(1)})},
        {t.fn("f", {g(0), g(0)}), t.fn("f", {t.fn("s", {h(0)}), h(0)})},
        {t.fn("f", {g(1), g(1), one}), t.fn("f", {t.list({one}, h(0)), h(0), h(2)})},
        {t.fn("f", {g(0), t.anon(), t.nil()}), t.fn("f", {t.anon(), h(0), h(0)})},
        {t.fn("f", {t.member({a, one}), a}), t.fn("f", {one, h(0)})},
        {t.fn("f", {t.member({a}), g(2)}), t.fn("f", {h(0), t.member({a})})},
        {t.fn("d", {t.fn("+", {a, one}), a, g(3)}), t.fn("d", {t.fn("+", {h(0), h(1)}), a, t.fn("+", {h(2), h(3)})})},
        {t.fn("f", {t.fn("s", {one}), a}), t.fn("f", {t.fn("s", {t.integer(2)}), a})},
        {t.fn("f", {t.list({one, one}), g(0)}), t.fn("f", {t.list({h(0), h(0)}), t.nil()})},
        {t.fn("f", {one, t.nil()}), t.fn("f", {one, t.list({a})})},
        {t.fn("f", {one, a}), t.fn("g", {one, a})},
        {t.fn("f", {g(0), one, a}), t.fn("f", {h(0), h(0)})},
        {t.fn("f", {pl_cell_new(e, PL_CLAUSE), one}), t.fn("f", {h(0), one})},
        {g(0), one}, {one, h(0)}, {g(0), h(0)}, {t.list({a}), g(1)}, {g(2), t.fn("s", {h(1)})}, {one, t.integer(2)},
        {t.nil(), h(3)}, {g(0), t.member({a})}, {g(0), t.anon()}, {g(1), t.nil()}, {t.nil(), t.nil()}, {one, t.nil()},
        {t.fn("s", {one, g(0)}), one},
        {t.fn("f", {t.fn("g", {one, t.fn("k", {t.integer(2), a})})}), t.fn("f", {t.fn("g", {h(0), t.fn("k", {h(1), a})})})},
        {t.fn("f", {t.list({t.list({one}), a}, g(1)), one}), t.fn("f", {t.list({t.list({h(0)}, h(1)), h(2)}, h(1)), h(0)})},
        {t.fn("f", {t.fn("g", {one, a}), one}), t.fn("f", {t.fn("g", {one, t.integer(3)}), h(0)})},
        {t.fn("f", {once(one), once(g(1)), once(t.list({a})), once(g(2)), once(one)}),
         t.fn("f", {h(0), h(1), t.list({h(2)}), t.fn("s", {one}), one})},
        {t.fn("f", {t.fn("g", {once(a), once(g(3))}), once(t.fn("s", {a}))}), t.fn("f", {t.fn("g", {a, h(3)}), h(3)})},
        {once(one), h(0)}, {g(1), once(t.nil())},
        {t.fn("f", {a, t.fn("s", {t.fn("s", {a})})}), t.fn("f", {h(0), t.fn("s", {t.fn("s", {h(0)})})})},
        {t.fn("f", {a, t.fn("s", {t.fn("s", {one})})}), t.fn("f", {h(0), t.fn("s", {t.fn("s", {h(0)})})})},
        // A list of the head with variables for parts, below the first level, meeting each kind
        // of goal term, and with a part bound before.
        {t.fn("f", {g(0), one}), t.fn("f", {t.list({h(0)}, h(1)), h(1)})},
        {t.fn("f", {once(t.list({one})), g(1)}), t.fn("f", {t.list({h(0)}, h(1)), h(1)})},
        {t.fn("f", {one, a}), t.fn("f", {t.list({h(0)}, h(1)), a})},
        {t.fn("f", {t.member({a}), a}), t.fn("f", {t.list({h(0)}, h(1)), a})},
        {t.fn("f", {t.anon(), g(2)}), t.fn("f", {t.list({h(0)}, h(1)), h(0)})},
        {t.fn("f", {one, t.list({t.integer(2)}), a}), t.fn("f", {h(0), t.list({h(0)}, h(1)), h(1)})},
        {t.fn("f", {a, t.list({one}, g(2)), t.nil()}), t.fn("f", {h(1), t.list({h(0)}, h(1)), h(3)})},
        {t.fn("f", {t.list({one, g(1), one}), g(1)}), t.fn("f", {t.list({h(0)}, t.list({h(0)}, h(1))), h(1)})},
        {t.fn("f", {t.list({e->cell.unbound}, e->cell.unbound), one}), t.fn("f", {t.list({h(0)}, h(1)), h(1)})},
        {t.fn("f", {t.list({t.nil()}, t.fn("s", {g(0)})), a}), t.fn("f", {t.list({h(0)}, h(1)), a})},
        // The first variable of a rule's head is the only one sure to be unbound: its list's tail
        // may be the same variable.
        {t.fn("f", {t.list({one}, one), g(0)}), t.fn("f", {t.list({h(0)}, h(0)), h(0)})},
        {t.fn("f", {t.list({one}, t.integer(2)), g(0)}), t.fn("f", {t.list({h(0)}, h(0)), h(1)})},
        {t.fn("f", {t.fn("s", {one, t.integer(2)}), g(0)}), t.fn("f", {t.fn("s", {h(0), h(0)}), h(0)})},
        {t.fn("f", {t.fn("s", {g(0)}), one}), t.fn("f", {t.fn("s", {h(0)}), h(0)})},
        // Pairs taken up by the generic walk inside a list or term of the head, after a part
        // was bound: at the list's tail, at a term's argument, at a term's last argument.
        {t.fn("f", {one, t.list({t.integer(2)}, one)}), t.fn("f", {h(0), t.list({h(1)}, h(0))})},
        {t.fn("f", {one, t.list({t.integer(2)}, t.integer(3))}), t.fn("f", {h(0), t.list({h(1)}, h(0))})},
        {t.fn("f", {one, t.fn("s", {t.integer(2), one, a}), a}), t.fn("f", {h(0), t.fn("s", {h(1), h(0), h(2)}), a})},
        {t.fn("f", {one, t.fn("s", {t.integer(2), a, once(one)}), a}), t.fn("f", {h(0), t.fn("s", {h(1), h(2), h(0)}), a})},
        {t.fn("f", {t.fn("s", {one, a}), t.nil(), g(1)}), t.fn("f", {t.fn("s", {h(0), t.integer(2)}), h(1), h(2)})},
        // A goal's variable bound to a term of the head, then met by the same term's parts.
        {t.fn("f", {g(0), g(0), a}), t.fn("f", {t.fn("s", {h(0), h(1)}), t.fn("s", {one, t.list({a})}), a})},
        {t.fn("f", {g(0), g(0), a}), t.fn("f", {t.list({h(0)}, h(1)), t.list({h(1)}, h(0)), a})},
        // Atoms, [] and integers of the head against each kind of goal term, first and last.
        {t.fn("d", {a, t.nil(), g(1), t.fn("s", {a, a})}), t.fn("d", {a, t.nil(), t.integer(7), h(0)})},
        {t.fn("d", {t.list({a}), one, t.nil(), t.anon()}), t.fn("d", {t.nil(), one, t.nil(), one})},
        {t.fn("d", {t.fn("s", {one, one}), t.member({one}), g(0)}), t.fn("d", {t.fn("s", {h(0), h(0)}), one, t.nil()})},
        {t.fn("d", {g(0), g(0), g(0)}), t.fn("d", {h(0), t.fn("s", {h(1), h(2)}), t.list({h(3)}, h(0))})},
        // A variable of the head bound already, met by an unbound variable of the goal: at the
        // head's level, first and last, inside a list and a term, through a chain of variables,
        // and meeting a variable that is the goal's own.
        {t.fn("f", {one, g(1), a}), t.fn("f", {h(0), h(0), a})},
        {t.fn("f", {t.list({one}), g(1)}), t.fn("f", {h(0), h(0)})},
        {t.fn("f", {g(0), g(0), g(2)}), t.fn("f", {h(0), h(1), h(0)})},
        {t.fn("f", {g(0), g(0), g(0)}), t.fn("f", {h(0), h(1), h(0)})},
        {t.fn("f", {one, t.list({g(1)})}), t.fn("f", {h(0), t.list({h(0)}, h(1))})},
        {t.fn("f", {one, t.fn("s", {g(1), a}), g(2)}), t.fn("f", {h(0), t.fn("s", {h(0), a}), h(0)})},
        {t.fn("f", {t.member({a, one}), g(1)}), t.fn("f", {h(0), h(0)})},
        // Atoms and structures of a fact's arguments against each kind of goal term.
        {t.fn("d", {a, a, g(0)}), t.fn("d", {a, a, one})},
        {t.fn("d", {a, t.atom("b")}), t.fn("d", {a, a})},
        {t.fn("d", {one, t.list({a})}), t.fn("d", {t.fn("s", {a, a}), a})},
        {t.fn("d", {a, t.list({a}), t.nil()}), t.fn("d", {a, a, t.list({a})})},
        {t.fn("d", {t.fn("s", {one}), a}), t.fn("d", {t.fn("s", {h(0)}), a})},
        {t.fn("d", {t.fn("s", {one, a}), a}), t.fn("d", {t.fn("s", {h(0), a}), h(0)})},
        // Heads of one argument (an item's), whose status a member set meeting an unbound
        // variable looks at.
        {t.fn("i", {g(0)}), t.fn("i", {one})}, {t.fn("i", {one}), t.fn("i", {h(0)})},
        {t.fn("i", {g(0)}), t.fn("i", {h(0)})}, {t.fn("i", {t.nil()}), t.fn("i", {one})},
        {t.fn("i", {t.member({a, one})}), t.fn("i", {h(0)})}, {t.fn("i", {once(one)}), t.fn("i", {h(0)})},
        {t.fn("i", {t.list({one})}), t.fn("i", {t.list({h(0)})})}, {t.fn("i", {a}), t.fn("j", {a})},
        {t.fn("i", {t.fn("s", {one, a})}), t.fn("i", {h(1)})},
        // A term of one argument inside a head (d(log(U), x, DU / U)), taken by the quick steps
        // unless a member set on either side could have the walk look at an item's status.
        {t.fn("d", {t.fn("l", {t.fn("s", {one, a})}), a, g(0)}), t.fn("d", {t.fn("l", {h(0)}), a, t.fn("s", {h(1), h(0)})})},
        {t.fn("d", {t.fn("l", {one}), t.fn("l", {t.integer(2)})}), t.fn("d", {t.fn("l", {h(0)}), t.fn("l", {h(0)})})},
        {t.fn("d", {t.fn("l", {g(0)}), one}), t.fn("d", {t.fn("l", {t.fn("s", {h(0)})}), h(0)})},
        {t.fn("d", {t.fn("l", {t.member({a, one})}), a}), t.fn("d", {t.fn("l", {h(0)}), a})},
        {t.fn("d", {t.fn("l", {g(1)}), a}), t.fn("d", {t.fn("l", {t.member({a})}), a})},
        {t.fn("d", {t.fn("l", {once(one)}), a}), t.fn("d", {t.fn("l", {h(0)}), a})},
        {t.fn("d", {t.fn("l", {one}), a}), t.fn("d", {t.fn("m", {h(0)}), a})},
        // "_" and atoms in heads, what the rules of items hold (Item(_) :- ..., Item(OFF) :- ...,
        // (_X | _) :- _X), against each kind of goal term, as an item's one argument and as the
        // arguments of other heads.
        {t.fn("i", {g(0)}), t.fn("i", {t.anon()})}, {t.fn("i", {a}), t.fn("i", {t.anon()})},
        {t.fn("i", {one}), t.fn("i", {t.anon()})}, {t.fn("i", {t.list({one})}), t.fn("i", {t.anon()})},
        {t.fn("i", {t.anon()}), t.fn("i", {t.anon()})}, {t.fn("i", {once(one)}), t.fn("i", {t.anon()})},
        {t.fn("i", {t.member({a})}), t.fn("i", {t.anon()})}, {t.fn("i", {e->cell.unbound}), t.fn("i", {t.anon()})},
        {t.fn("i", {g(3)}), t.fn("i", {t.anon()}), one}, {t.fn("i", {t.anon()}), t.fn("i", {h(0)})},
        {t.fn("v", {t.anon(), t.anon(), g(0)}), t.fn("v", {h(0), h(1), h(2)})},
        {t.fn("i", {g(0)}), t.fn("i", {a})}, {t.fn("i", {a}), t.fn("i", {a})}, {t.fn("i", {t.atom("b")}), t.fn("i", {a})},
        {t.fn("i", {one}), t.fn("i", {a})}, {t.fn("i", {t.nil()}), t.fn("i", {a})}, {t.fn("i", {t.list({a})}), t.fn("i", {a})},
        {t.fn("i", {t.fn("s", {a})}), t.fn("i", {a})}, {t.fn("i", {t.fn("a", {one})}), t.fn("i", {a})},
        {t.fn("i", {t.anon()}), t.fn("i", {a})}, {t.fn("i", {once(a)}), t.fn("i", {a})},
        {t.fn("i", {t.member({a})}), t.fn("i", {a})}, {t.fn("i", {e->cell.unbound}), t.fn("i", {a})},
        {t.fn("i", {g(3)}), t.fn("i", {a}), a}, {t.fn("i", {g(3)}), t.fn("i", {a}), one},
        {t.fn("f", {t.fn("s", {one}), g(0)}), t.fn("f", {h(0), t.anon()})},
        {t.fn("f", {g(0), a}), t.fn("f", {t.anon(), h(0)})},
        {t.fn("f", {t.list({one}), once(one), t.anon()}), t.fn("f", {t.anon(), t.anon(), t.anon()})},
        {t.fn("f", {t.member({a}), e->cell.unbound}), t.fn("f", {t.anon(), t.anon()})},
        {t.fn("f", {g(3), t.nil(), one, a, g(1)}), t.fn("f", {t.anon(), t.anon(), t.anon(), t.anon(), t.anon()}), a},
        // Heads with a plan (first variables and lists ending in one) against goal terms the
        // plan's steps leave to others: once cells, "_", member sets, the unbound cell, a
        // variable of the goal met twice, a list part bound before, fewer goal arguments.
        {t.fn("f", {once(one), t.anon(), t.member({a})}), t.fn("f", {h(0), h(1), h(2)})},
        {t.fn("f", {g(0), g(0), g(1)}), t.fn("f", {h(0), h(1), t.list({h(2)}, h(3))})},
        {t.fn("f", {t.list({one}, g(2)), t.list({one, a}), g(1)}),
         t.fn("f", {t.list({h(0)}, h(1)), t.list({h(0)}, h(2)), h(3)})},
        {t.fn("f", {t.list({one}, g(2)), t.list({a}), g(1)}),
         t.fn("f", {t.list({h(0)}, h(1)), t.list({h(0)}, h(2)), h(3)})},
        {t.fn("f", {e->cell.unbound, t.fn("s", {one, a}), t.fn("s", {})}), t.fn("f", {h(0), h(1), h(2)})},
        {t.fn("f", {g(0), one}), t.fn("f", {h(0), h(1), h(2), h(3)})},
        {t.fn("f", {t.nil(), one, t.list({g(3)}), once(t.list({a}))}),
         t.fn("f", {t.list({h(0)}, h(1)), h(2), t.list({h(2)}, h(3)), t.list({h(0)}, h(1))})},
        {t.fn("f", {t.list({once(one)}, g(1)), t.list({t.anon()}, t.member({a}))}),
         t.fn("f", {t.list({h(0)}, h(1)), t.list({h(2)}, h(3))})},
        // The head of a rule that walks a list, whose plan the loop of one-goal bodies knows: the
        // common goal, and goals its steps leave to others, the list's head and tail met first.
        {t.fn("w", {t.list({one}, t.list({a})), t.list({one}), g(1)}), walk},
        {t.fn("w", {t.list({a}, t.integer(2)), one, g(1)}), walk},
        {t.fn("w", {g(0), g(0), g(0)}), walk},
        {t.fn("w", {t.list({g(0)}, g(1)), g(1), t.list({g(0)})}), walk},
        {t.fn("w", {t.list({once(one)}, a), t.anon(), g(2)}), walk},
        {t.fn("w", {t.list({one}), t.member({a}), one}), walk},
        {t.fn("w", {t.nil(), one, one}), walk},
        {t.fn("w", {t.list({one}, g(1)), one}), walk},
        {t.fn("w", {t.list({one}, g(1)), g(1), g(1), a}), walk},
        {t.fn("w", {t.list({one}, t.list({a})), t.list({one}), g(1)}),
         t.fn("w", {t.list({h(1)}, h(0)), h(2), t.list({h(1)}, h(3))})},
        {t.fn("w", {g(3), t.list({one}), g(1)}), walk, t.list({one, a})},
        {t.fn("w", {g(3), one, g(1)}), walk, t.nil()},
        // Heads of variables alone, met first, in slots in order or not; of three and four, which
        // a conjunction's left goal matches in place, also against odd cells and goals of another
        // size (as the list-walking head p([A | B], C) below).
        {t.fn("v", {one, g(1), t.list({a}), g(1)}), t.fn("v", {h(0), h(1), h(2), h(3)})},
        {t.fn("v", {one, g(1), t.fn("s", {a})}), t.fn("v", {h(0), h(1), h(2)})},
        {t.fn("v", {g(0), g(0), g(0)}), t.fn("v", {h(0), h(1), h(2)})},
        {t.fn("v", {once(one), t.anon(), t.member({a}), e->cell.unbound}), t.fn("v", {h(0), h(1), h(2), h(3)})},
        {t.fn("v", {g(0), g(0), g(0), g(0), one}), t.fn("v", {h(0), h(1), h(2), h(3)})},
        {t.fn("v", {g(0), one, a}), t.fn("v", {h(0), h(1), h(2), h(3)})},
        {t.fn("v", {one, g(1), t.list({a}), g(1)}), t.fn("v", {h(1), h(0), h(2), h(3)})},
        {t.fn("r", {t.list({one}, t.list({a})), g(1)}), t.fn("r", {t.list({h(0)}, h(1)), h(2)})},
        {t.fn("r", {g(0), g(0)}), t.fn("r", {t.list({h(0)}, h(1)), h(2)})},
        {t.fn("r", {t.list({once(one)}, t.member({a})), t.anon()}), t.fn("r", {t.list({h(0)}, h(1)), h(2)})},
        {t.fn("r", {t.nil(), one}), t.fn("r", {t.list({h(0)}, h(1)), h(2)})},
        {t.fn("r", {t.list({one}), g(1), one}), t.fn("r", {t.list({h(0)}, h(1)), h(2)})},
        {t.fn("v", {g(0), g(0)}), t.fn("v", {h(0), h(1)})},
        {t.fn("v", {t.fn("s", {a}), t.nil(), g(2)}), t.fn("v", {h(2), h(0), h(1)})},
        // Facts p(K, V, V), which the loop of one-goal bodies tries by steps of their own: the
        // common goal, each kind of term for V and the goal's last argument, constants that
        // differ, and goals those steps leave to others.
        {t.fn("j", {t.nil(), t.list({one}), g(1)}), joining},
        {t.fn("j", {g(3), t.fn("s", {g(0)}), g(1)}), joining, t.nil()},
        {t.fn("j", {t.nil(), one, g(3)}), joining, g(0)},
        {t.fn("j", {t.nil(), a, e->cell.unbound}), joining},
        {t.fn("j", {t.nil(), t.list({one}), t.list({g(0)})}), joining},
        {t.fn("j", {t.nil(), g(1), g(2)}), joining},
        {t.fn("j", {t.nil(), once(one), g(1)}), joining},
        {t.fn("j", {t.nil(), pl_cell_new(e, PL_CLAUSE), g(1)}), joining},
        {t.fn("j", {g(0), one, g(1)}), joining},
        {t.fn("j", {t.list({one}), one, g(1)}), joining},
        {t.fn("j", {one, one, g(1)}), joining},
        {t.fn("j", {t.integer(2), a, g(1)}), t.fn("j", {t.integer(2), h(0), h(0)})},
        {t.fn("j", {t.integer(2), a, g(1)}), t.fn("j", {one, h(0), h(0)})},
        {t.fn("j", {t.nil(), a}), joining},
        // Two cyclic terms made by the match itself and then walked against each other.
        {t.fn("f", {g(0), g(0), g(1), g(1), g(2), g(2)}),
         t.fn("f", {t.fn("s", {h(0)}), h(0), t.fn("s", {h(1)}), h(1), h(0), h(1)})},
    };
    struct Outcome {
        int answer;
        std::vector<PlBinding> slots;
        std::vector<PlTrailEntry> trail;
        int depth;
        int went_deep;
        bool operator==(const Outcome& o) const {
            auto same = [](const PlBinding& x, const PlBinding& y) { return x.term == y.term && x.frame == y.frame; };
            auto entry = [](const PlTrailEntry& x, const PlTrailEntry& y) {
                return x.slot == y.slot && x.slot_frame == y.slot_frame;
            };
            return answer == o.answer && depth == o.depth && went_deep == o.went_deep &&
                   std::equal(slots.begin(), slots.end(), o.slots.begin(), o.slots.end(), same) &&
                   std::equal(trail.begin(), trail.end(), o.trail.begin(), o.trail.end(), entry);
        }
    };
    // A fact's arguments are matched pair by pair, each pair from the same depth. A clause try
    // matches a compound goal through its own entry (kRuleHead), by its head's plan where it has
    // one (kPlannedRuleHead), or with the plan's steps laid out in the caller (kPlannedHere, and
    // kLeftGoal for a conjunction's left goal), there from the goal's first argument as the look at
    // first arguments left it (kPlannedAfterLook). A fact p(K, V, V) is tried as a fact (kFact) or by
    // the steps laid out in the loop (kFactHere).
    enum Way {
        kGeneric, kHead, kOutside, kUntraced, kGenericArguments, kArguments, kRuleHead, kPlannedRuleHead, kPlannedHere,
        kPlannedAfterLook, kFact, kFactHere, kLeftGoal
    };
    // Where a match runs: room levels below the limit, or on the engine's own stack (whose limit
    // is the larger) room levels below the other limit; with the trail's storage full or not; on
    // a stack every look finds exhausted (stack_low), so that a level that looks ends in 4102.
    struct Setting {
        int room;
        bool own_stack;
        bool trail_full;
        bool stack_low = false;
    };
    PlBinding filler{e->cell.unbound, nullptr};
    PlCell* const goal_var_2 = g(2);
    auto run = [&](const Case& c, Setting at, Way way) {
        PlFrame* outer = pl_frame_alloc(e, 1, nullptr, nullptr);
        PlFrame* goal = pl_frame_alloc(e, 4, outer, nullptr);
        PlFrame* clause = pl_frame_alloc(e, 4, goal, nullptr);
        if (c.before) {
            goal->slots()[3] = {goal_var_2, goal};
            goal->slots()[2] = {c.before, outer};
        }
        const size_t base = pl_trail_mark(e);
        while (at.trail_full && !e->run.trail.full()) pl_bind(e, &filler, goal, e->cell.unbound, nullptr);
        const size_t mark = pl_trail_mark(e);
        Outcome out{};
        const uintptr_t deep_mark = e->stack_deep_mark;
        e->stack_floor = at.stack_low ? UINTPTR_MAX : at.own_stack ? 1 : 0;  // 1: below any address, never reached
        if (at.stack_low) e->stack_deep_mark = UINTPTR_MAX;
        e->stack_went_deep = 0;
        const int depth = (at.own_stack ? kPlMaxDepth : pl_depth_limit(e)) - at.room;
        int answer = 0;
        const int error = errorOf([&] {
            e->depth = depth;
            // A head is matched with whatever frame the engine holds untrailed outside it (here
            // the goal's, whose bindings must still be trailed); the generic steps are given
            // the clause's.
            const bool head = way == kHead || way == kArguments || way == kRuleHead || way == kPlannedRuleHead ||
                              way == kPlannedHere || way == kPlannedAfterLook || way == kFact || way == kFactHere ||
                              way == kLeftGoal;
            PlUntrailedFrame untrailed(e, head ? goal : clause);
            const auto count = [&] { return std::min(c.goal->fn.args->count, c.head->fn.args->count); };
            if (way == kGeneric) {
                PlDepthGuard level(e, "pl_unification_sub", 2);
                PlCycleCheck cycle;
                answer = pl_unify_from(e, c.goal, goal, c.head, clause, cycle, false);
            } else if (way == kGenericArguments) {
                answer = 1;
                for (uint32_t i = 0; i < count() && answer; ++i) {
                    PlDepthGuard level(e, "pl_unification_sub", 2);
                    PlCycleCheck cycle;
                    answer = pl_unify_from(e, pl_arg(c.goal, i), goal, pl_arg(c.head, i), clause, cycle, false);
                }
            } else if (way == kArguments) {
                answer = pl_match_arguments(e, c.goal, goal, c.head, clause, count());
            } else if (way == kHead) {
                answer = pl_match_head(e, c.goal, goal, c.head, clause);
            } else if (way == kRuleHead || way == kPlannedRuleHead) {
                const uint32_t facts = way == kPlannedRuleHead ? pl_head_plan_of(c.head) : 0;
                answer = pl_match_rule_head(e, c.goal, goal, c.head, clause, facts);
            } else if (way == kPlannedHere) {
                PlCell* first = c.goal->fn.args && c.goal->fn.args->count ? c.goal->fn.args->items[0] : nullptr;
                answer = pl_match_rule_head_here(e, c.goal, goal, c.head, clause, pl_head_plan_of(c.head), first, goal);
            } else if (way == kPlannedAfterLook) {
                PlCell* first;
                PlFrame* first_frame;
                pl_head_filter_key_at(e, c.goal->fn.functor, c.goal, goal, pl_depth_limit(e), first, first_frame);
                answer = pl_match_rule_head_here(e, c.goal, goal, c.head, clause, pl_head_plan_of(c.head), first,
                                                 first_frame);
            } else if (way == kFact || way == kFactHere) {
                PlCell* first;
                PlFrame* first_frame;
                pl_head_filter_key_at(e, c.goal->fn.functor, c.goal, goal, pl_depth_limit(e), first, first_frame);
                const auto facts = static_cast<uint16_t>(pl_clause_facts_of(e, c.head).bits);
                const PlClauseParts parts{c.head, c.head, clause->count, false, facts};
                answer = way == kFact ? pl_try_fact(e, c.goal, goal, parts, clause)
                                      : pl_try_fact_here(e, c.goal, goal, parts, clause, first);
            } else if (way == kLeftGoal) {
                answer = pl_match_left_goal_head(e, c.goal, goal, c.head, clause, pl_head_plan_of(c.head));
            } else {
                answer = way == kOutside ? pl_unification_sub(e, c.goal, goal, c.head, clause)
                                         : pl_unify(e, c.goal, goal, c.head, clause);
            }
            out.depth = e->depth - depth;
        });
        e->stack_floor = 0;
        e->stack_deep_mark = deep_mark;
        out.went_deep = e->stack_went_deep;
        out.answer = error ? -error : answer;
        for (PlFrame* frame : {goal, clause})
            for (uint32_t i = 0; i < frame->count; ++i) out.slots.push_back(frame->slots()[i]);
        out.trail.assign(e->run.trail.data() + mark, e->run.trail.data() + e->run.trail.size());
        pl_trail_undo(e, base);
        pl_frame_release(e, clause);
        pl_frame_release(e, goal);
        pl_frame_release(e, outer);
        return out;
    };
    std::vector<Setting> settings;
    for (int room : {1000, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 33, 34, 35, 36, 37, 38, 39, 40})
        settings.push_back({room, false, false});
    for (int room : {0, 1, 2, 3, 4, 5, 6, 7, 8}) settings.push_back({room, true, false});
    // Each run that grows the trail doubles it, and the next one fills it again: a few runs only.
    settings.push_back({1000, false, true});
    int planned = 0;
    int joining_facts = 0;
    for (const Case& c : cases)
        for (const Setting& at : settings) {
            if (at.trail_full && &c - cases >= 3) continue;
            const Outcome generic = run(c, at, kGeneric);
            for (Way way : {kHead, kOutside, kUntraced})
                EXPECT_TRUE(run(c, at, way) == generic) << "case " << &c - cases << " room " << at.room << " way " << way
                                                        << (at.own_stack ? ", own stack" : "")
                                                        << (at.trail_full ? ", trail full" : "");
            if (c.goal->type == PL_FUNCTOR) {
                EXPECT_TRUE(run(c, at, kRuleHead) == generic) << "rule head, case " << &c - cases << " room " << at.room;
                if (pl_head_plan_of(c.head)) {
                    ++planned;
                    for (Way way : {kPlannedRuleHead, kPlannedHere, kPlannedAfterLook, kLeftGoal})
                        EXPECT_TRUE(run(c, at, way) == generic)
                            << "planned rule head, case " << &c - cases << " room " << at.room << " way " << way
                            << (at.own_stack ? ", own stack" : "") << (at.trail_full ? ", trail full" : "");
                }
            }
            if (c.goal->type == PL_FUNCTOR && (pl_clause_facts_of(e, c.head).bits & PLC_JOINING_FACT)) {
                ++joining_facts;
                EXPECT_TRUE(run(c, at, kFactHere) == run(c, at, kFact))
                    << "fact, case " << &c - cases << " room " << at.room << (at.own_stack ? ", own stack" : "")
                    << (at.trail_full ? ", trail full" : "");
            }
            if (!at.trail_full && c.goal->type == PL_FUNCTOR && c.head->type == PL_FUNCTOR && c.goal->fn.args &&
                c.head->fn.args) {
                EXPECT_TRUE(run(c, at, kArguments) == run(c, at, kGenericArguments)) << "args " << &c - cases;
            }
        }
    EXPECT_GT(planned, 0);
    EXPECT_GT(joining_facts, 0);
    // Where every look finds the stack exhausted, a planned head matched in its caller looks
    // where the function it stands for looks, and ends in 4102 there.
    for (const Case& c : cases)
        for (int room : {33, 34, 36, 38, 39}) {
            if (c.goal->type != PL_FUNCTOR || !pl_head_plan_of(c.head)) continue;
            const Setting at{room, true, false, true};
            const Outcome planned_head = run(c, at, kPlannedRuleHead);
            for (Way way : {kPlannedHere, kPlannedAfterLook, kLeftGoal})
                EXPECT_TRUE(run(c, at, way) == planned_head)
                    << "stack low, case " << &c - cases << " room " << room << " way " << way;
        }
}

// Where the trail has no room for a binding, a pair answered at once is left to the steps that
// grow it, with nothing bound before: the outcome is the generic walk's. Each pair runs in an
// engine of its own (a trail that grew stays grown, and is filled to the brim before each run).
TEST(UnifyWithAFullTrail, AnswersBindsAndTrailsAsTheGenericWalk) {
    using Build = PlCell* (*)(const TermBuilder&);
    struct Case {
        const char* what;
        Build goal;  // read in the goal's frame
        Build head;  // read in the clause's
    } cases[] = {
        {"a constant of the head, an unbound variable of the goal",
         [](const TermBuilder& t) { return t.fn("f", {t.var("_G", 0), t.var("_G", 1)}); },
         [](const TermBuilder& t) { return t.fn("f", {t.integer(1), t.var("_H", 0)}); }},
        {"a list of the head, the goal's last variable",
         [](const TermBuilder& t) { return t.fn("f", {t.integer(1), t.var("_G", 0)}); },
         [](const TermBuilder& t) { return t.fn("f", {t.var("_H", 0), t.list({t.var("_H", 1)}, t.var("_H", 2))}); }},
        {"two unbound variables",
         [](const TermBuilder& t) { return t.fn("f", {t.var("_G", 0), t.var("_G", 0), t.nil()}); },
         [](const TermBuilder& t) { return t.fn("f", {t.var("_H", 0), t.var("_H", 1), t.var("_H", 1)}); }},
        {"the tail of a list of two variables",
         [](const TermBuilder& t) { return t.fn("f", {t.list({t.integer(1)}, t.var("_G", 1)), t.atom("a")}); },
         [](const TermBuilder& t) { return t.fn("f", {t.list({t.var("_H", 0)}, t.var("_H", 1)), t.atom("a")}); }},
        {"a variable meeting an integer", [](const TermBuilder& t) { return t.var("_G", 2); },
         [](const TermBuilder& t) { return t.integer(7); }},
        {"an integer meeting the goal's variable the clause's stands for",
         [](const TermBuilder& t) { return t.integer(7); }, [](const TermBuilder& t) { return t.var("_H", 3); }},
        {"two variables", [](const TermBuilder& t) { return t.var("_G", 2); },
         [](const TermBuilder& t) { return t.var("_H", 2); }},
        {"a variable meeting a term", [](const TermBuilder& t) { return t.var("_G", 2); },
         [](const TermBuilder& t) { return t.fn("s", {t.var("_H", 0)}); }},
        {"the last argument of a fact p(K, V, V)",
         [](const TermBuilder& t) { return t.fn("j", {t.nil(), t.list({t.integer(1)}), t.var("_G", 0)}); },
         [](const TermBuilder& t) { return t.fn("j", {t.nil(), t.var("_H", 0), t.var("_H", 0)}); }},
        // Heads a conjunction's left goal matches in place (kLeftGoal), of three variables and
        // walking a list, meeting unbound variables of the goal.
        {"a head of three variables",
         [](const TermBuilder& t) { return t.fn("v", {t.var("_G", 0), t.var("_G", 1), t.integer(1)}); },
         [](const TermBuilder& t) { return t.fn("v", {t.var("_H", 0), t.var("_H", 1), t.var("_H", 2)}); }},
        {"the head of a rule walking a list",
         [](const TermBuilder& t) { return t.fn("r", {t.var("_G", 0), t.var("_G", 1)}); },
         [](const TermBuilder& t) { return t.fn("r", {t.list({t.var("_H", 0)}, t.var("_H", 1)), t.var("_H", 2)}); }},
        // Item(OFF) and Item(_), an item's heads, meeting the goal's unbound variable.
        {"an atom of an item's head", [](const TermBuilder& t) { return t.fn("i", {t.var("_G", 0)}); },
         [](const TermBuilder& t) { return t.fn("i", {t.atom("off")}); }},
        {"a \"_\" of an item's head", [](const TermBuilder& t) { return t.fn("i", {t.var("_G", 3)}); },
         [](const TermBuilder& t) { return t.fn("i", {t.anon()}); }},
    };
    // A fact p(K, V, V) is also tried as a fact, and by the steps the loop of one-goal bodies
    // lays out for it; heads a conjunction's left goal matches in place, by its steps (kLeftGoal).
    enum Way { kGeneric, kHead, kOutside, kUntraced, kFact, kFactHere, kLeftGoal, kArguments };
    struct Outcome {
        int answer;
        std::vector<const void*> slots;  // terms and frames, in turn
        std::vector<const void*> trail;  // slots and their frames, in turn
        bool operator==(const Outcome&) const = default;
    };
    for (const Case& c : cases) {
        PieEngine* e = pl_engine_create(nullptr, 0x2);
        const TermBuilder t{e};
        PlCell* goal_term = c.goal(t);
        PlCell* head_term = c.head(t);
        PlCell* linked = t.var("_G", 3);
        PlBinding filler{e->cell.unbound, nullptr};
        auto run = [&](Way way) {
            PlFrame* goal = pl_frame_alloc(e, 4, nullptr, nullptr);
            PlFrame* clause = pl_frame_alloc(e, 4, goal, nullptr);
            clause->slots()[3] = {linked, goal};
            while (!e->run.trail.full()) pl_bind(e, &filler, goal, e->cell.unbound, nullptr);
            const size_t mark = pl_trail_mark(e);
            Outcome out{};
            out.answer = pl_guarded(e, -1, [&] {
                PlUntrailedFrame untrailed(e, way == kHead || way >= kFact ? goal : clause);
                if (way == kFact || way == kFactHere) {
                    const auto facts = static_cast<uint16_t>(pl_clause_facts_of(e, head_term).bits);
                    const PlClauseParts parts{head_term, head_term, clause->count, false, facts};
                    return way == kFact ? pl_try_fact(e, goal_term, goal, parts, clause)
                                        : pl_try_fact_here(e, goal_term, goal, parts, clause,
                                                           pl_head_filter_key(e, goal_term, goal));
                }
                if (way == kGeneric) {
                    PlDepthGuard level(e, "pl_unification_sub", 2);
                    PlCycleCheck cycle;
                    return pl_unify_from(e, goal_term, goal, head_term, clause, cycle, false);
                }
                if (way == kHead) return pl_match_head(e, goal_term, goal, head_term, clause);
                if (way == kArguments)
                    return pl_match_arguments(e, goal_term, goal, head_term, clause, head_term->fn.args->count);
                if (way == kLeftGoal)
                    return pl_match_left_goal_head(e, goal_term, goal, head_term, clause, pl_head_plan_of(head_term));
                return way == kOutside ? pl_unification_sub(e, goal_term, goal, head_term, clause)
                                       : pl_unify(e, goal_term, goal, head_term, clause);
            });
            append_slots(out.slots, {goal, clause});
            append_trail(out.trail, e, mark);
            pl_trail_undo(e, 0);
            pl_frame_release(e, clause);
            pl_frame_release(e, goal);
            return out;
        };
        const Outcome generic = run(kGeneric);
        EXPECT_EQ(generic.answer, 1) << c.what;
        EXPECT_FALSE(generic.trail.empty()) << c.what;
        for (Way way : {kHead, kOutside, kUntraced}) EXPECT_TRUE(run(way) == generic) << c.what << ", way " << way;
        if (pl_clause_facts_of(e, head_term).bits & PLC_JOINING_FACT) {
            for (Way way : {kFact, kFactHere}) EXPECT_TRUE(run(way) == generic) << c.what << ", way " << way;
        }
        if (goal_term->type == PL_FUNCTOR && pl_head_plan_of(head_term)) {
            EXPECT_TRUE(run(kLeftGoal) == generic) << c.what << ", left goal";
        }
        if (goal_term->type == PL_FUNCTOR && head_term->type == PL_FUNCTOR &&
            goal_term->fn.args->count == head_term->fn.args->count) {
            EXPECT_TRUE(run(kArguments) == generic) << c.what << ", a fact's arguments";
        }
        pl_engine_destroy(e);
    }
}

// `=` and a built-in's answer bind a constant meeting an unbound variable, through chains of
// bindings, without the walk: each must answer, bind, trail and run out of depth exactly where
// the walk does, also where a level would look at the native stack and where the trail is full.
TEST_F(Unify, ConstantsMeetingVariablesAreTheGenericUnification) {
    PlCell* seven = t.integer(7);
    PlCell* on = t.atom("ON");
    PlCell* off = t.atom("OFF");
    PlCell* frameless = t.var("_F", 0);
    // Variables read in the left frame and in the right one, made once: each run binds the same.
    PlCell* ls[] = {t.var("_L", 0), t.var("_L", 1), t.var("_L", 2), t.var("_L", 3)};
    PlCell* rs[] = {t.var("_R", 0), t.var("_R", 1), t.var("_R", 2), t.var("_R", 3)};
    auto l = [&](int slot) { return ls[slot]; };
    auto r = [&](int slot) { return rs[slot]; };
    struct Row {
        PlCell* a;
        bool a_right;  // a is read in the right frame
        PlCell* b;
    } rows[] = {
        {l(0), false, r(1)},  {seven, false, l(2)},         {t.nil(), false, l(1)},  {l(0), false, seven},
        {l(0), false, t.integer(8)}, {t.nil(), false, seven}, {seven, false, r(0)},   {seven, false, r(2)},
        {l(2), false, seven}, {l(2), false, t.nil()},       {l(1), false, seven},    {l(2), false, l(0)},
        {seven, false, t.fn("f", {l(2)})}, {t.anon(), false, seven}, {seven, false, t.anon()},
        {l(2), false, l(2)},  {seven, false, t.member({seven})}, {frameless, false, seven}, {r(3), true, seven},
        // Atoms, as a rule's test of an item's value meets them, against each kind of term.
        {l(2), false, on},    {on, false, on},              {on, false, off},        {l(1), false, on},
        {l(0), false, on},    {on, false, l(2)},            {on, false, t.fn("f", {l(2)})}, {t.anon(), false, on},
        {on, false, t.member({on})}, {frameless, false, on}, {r(3), true, on},       {t.nil(), false, on},
        {t.fn("on", {seven}), false, on},
    };
    constexpr int kAtomBound = 19;  // the row that binds a variable to an atom
    struct Outcome {
        int answer;
        std::vector<const void*> cells;  // both frames' slots, then the trail's entries
        int depth;
        bool operator==(const Outcome&) const = default;
    };
    PlBinding filler{e->cell.unbound, nullptr};
    enum Way { kGeneric, kUntraced, kOutside };
    auto run = [&](const Row& row, int depth, bool trail_full, Way way) {
        PlFrame* lf = pl_frame_alloc(e, 4, nullptr, nullptr);
        PlFrame* rf = pl_frame_alloc(e, 4, lf, nullptr);
        lf->slots()[0] = {seven, nullptr};
        lf->slots()[1] = {r(1), rf};
        rf->slots()[1] = {l(2), lf};
        rf->slots()[0] = {t.nil(), nullptr};
        rf->slots()[2] = {frameless, nullptr};
        rf->slots()[3] = {l(1), lf};
        const size_t base = pl_trail_mark(e);
        while (trail_full && !e->run.trail.full()) pl_bind(e, &filler, lf, e->cell.unbound, nullptr);
        const size_t mark = pl_trail_mark(e);
        Outcome out{};
        const int error = errorOf([&] {
            e->depth = depth;
            PlFrame* fa = row.a_right ? rf : lf;
            if (way == kGeneric) {
                PlDepthGuard level(e, "pl_unification_sub", 2);
                PlCycleCheck cycle;
                out.answer = pl_unify_from(e, row.a, fa, row.b, lf, cycle, false);
            } else {
                out.answer = (way == kUntraced ? pl_unify : pl_unification_sub)(e, row.a, fa, row.b, lf);
            }
            out.depth = e->depth - depth;
        });
        if (error) out.answer = -error;
        take_bindings_left(out.cells, e, lf, rf, mark, base);
        return out;
    };
    const int limit = pl_depth_limit(e);
    for (const Row& row : rows)
        for (int depth : depths_to_step_at(limit))
            for (Way way : {kUntraced, kOutside}) {
                const int at = static_cast<int>(&row - rows);
                EXPECT_TRUE(run(row, depth, false, way) == run(row, depth, false, kGeneric))
                    << "row " << at << " depth " << depth << " way " << way;
                // Each run that grows the trail doubles it: a few rows only.
                if (depth == 100 && (at == 0 || at == 8 || at == kAtomBound)) {
                    EXPECT_TRUE(run(row, depth, true, way) == run(row, depth, true, kGeneric))
                        << "row " << at << " way " << way << ", trail full";
                }
            }
}

TEST_F(Unify, FramesComeAndGoInOrder) {
    PlFrame* third = pl_frame_alloc(e, 2, right, nullptr);
    EXPECT_EQ(errorOf([&] { pl_frame_release(e, right); }), PL_ERR_FRAME);
    pl_frame_release(e, third);
    EXPECT_EQ(errorOf([&] { pl_frame_alloc(e, kPlFrameSegmentWords, nullptr, nullptr); }), PL_ERR_STACK);
    EXPECT_EQ(errorOf([&] { pl_frame_alloc(e, 3, nullptr, left); }), PL_ERR_FRAME);
    // A chunk its last frame left stays in use, empty: a frame below it released out of order
    // still raises the error and closes nothing; the last frame below is released through it.
    std::vector<PlFrame*> made;
    PlFrameChunk* const first = e->run.frames;
    while (e->run.frames == first) made.push_back(pl_frame_alloc(e, 8, nullptr, nullptr));
    pl_frame_release(e, made.back());
    made.pop_back();
    EXPECT_NE(e->run.frames, first);
    EXPECT_EQ(errorOf([&] { pl_frame_release(e, made.front()); }), PL_ERR_FRAME);
    EXPECT_NE(e->run.frames, first);
    for (size_t i = made.size(); i-- > 0;) pl_frame_release(e, made[i]);
    EXPECT_EQ(e->run.frames, first);
    // Many frames span chunks; unwinding to a mark drops them all.
    const PlFrameMark mark = pl_frame_mark(e);
    for (int i = 0; i < 5000; ++i) pl_frame_alloc(e, 8, nullptr, nullptr);
    pl_frame_unwind(e, mark);
    PlFrame* next = pl_frame_alloc(e, 1, nullptr, nullptr);
    EXPECT_EQ(reinterpret_cast<char*>(next), reinterpret_cast<char*>(right) + sizeof(PlFrame) + 4 * sizeof(PlBinding));
    pl_frame_release(e, next);
    // With no frame left in use, releasing one again is out of order too.
    pl_frame_release(e, right);
    pl_frame_release(e, left);
    EXPECT_EQ(errorOf([&] { pl_frame_release(e, left); }), PL_ERR_FRAME);
}

// Frames of every size across chunk ends (each side of every group of slots filled together and of
// the groups filled out of line): each is made unbound without touching the live frames
// below it (a frame that ends a chunk exactly included), and the stack comes back in order.
TEST_F(Unify, FramesFillOnlyThemselvesUpToTheChunkEnd) {
    const uint32_t largest = (kPlFrameSegmentWords * sizeof(void*) - sizeof(PlFrame)) / sizeof(PlBinding);
    ASSERT_TRUE(pl_frame_fits(largest) && !pl_frame_fits(largest + 1));
    for (uint32_t count : {0u, 1u, 3u, 4u, 5u, 8u, 9u, 10u, 12u, 13u, largest}) {
        std::vector<PlFrame*> frames;
        const PlFrameMark mark = pl_frame_mark(e);
        PlCell* seven = t.integer(7);
        for (size_t bytes = 0; bytes < 3 * kPlFrameSegmentWords * sizeof(void*); bytes += pl_frame_bytes(count)) {
            PlFrame* frame = pl_frame_alloc(e, count, nullptr, nullptr);
            for (uint32_t i = 0; i < count; ++i) {
                ASSERT_EQ(frame->slots()[i].term, e->cell.unbound) << count << " slot " << i;
                ASSERT_EQ(frame->slots()[i].frame, nullptr) << count;
                frame->slots()[i] = {seven, frame};
            }
            frames.push_back(frame);
        }
        EXPECT_EQ(errorOf([&] { pl_frame_release(e, frames.front()); }), PL_ERR_FRAME) << count;
        for (size_t i = frames.size(); i-- > 0;) {
            for (uint32_t slot = 0; slot < count; ++slot)
                ASSERT_EQ(frames[i]->slots()[slot].frame, frames[i]) << count << " frame " << i;
            pl_frame_release(e, frames[i]);
        }
        // The frame made before them is the last one again.
        EXPECT_EQ(errorOf([&] { pl_frame_release(e, right); }), 0) << count;
        const PlFrameMark after = pl_frame_mark(e);
        EXPECT_EQ(after.chunk, mark.chunk) << count;
        EXPECT_EQ(after.top, reinterpret_cast<char*>(right)) << count;
        right = pl_frame_alloc(e, 4, left, nullptr);
        EXPECT_EQ(reinterpret_cast<char*>(right) + pl_frame_bytes(4), mark.top) << count;
    }
}

}  // namespace
