// What a successful call records: each argument against the value recorded before it, a changed
// one entering the call's answers, and the walks that do it stopping at the depth limit exactly
// where the full walks (recording, comparing, resolving out of the frame) would stop.
#include "run_fixture.h"

#include "pie/run/record_goal.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Recording : RunTest {
    // Calls goal and answers "1" when the call of keep in it entered keep in the answers (a value
    // it recorded changed), "0" when not, or the engine error.
    std::string entered(const char* goal) {
        PlFunctor* keep = pl_lookup_functor(e, t("keep"), 1, nullptr);
        return call_goal(goal, [&](PlCell*, PlFrame*, PlList* answers, int outcome) -> std::string {
            return outcome != 1 ? "failed" : pl_table_holds(answers, keep) ? "1" : "0";
        });
    }
};

TEST_F(Recording, ArgumentsChangeAgainstTheValueRecordedBefore) {
    load("keep(_L). f(_X). g(_X, _Y).");
    // One engine: each row is recorded against the value the rows above left.
    struct Row {
        const char* goal;
        const char* entered;
        const char* kept = nullptr;  // the value of keep afterwards, when it is shown
    } rows[] = {
        {"keep([1, 2])", "1"},
        {"keep([1, 2])", "0"},                 // equal, though other cells
        {"keep([1, 3])", "1"},                 // the first element alike, a later one not
        {"_A = 1, keep([_A, 3])", "0"},        // variables bound to equal constants
        {"_A = 1, keep([_A])", "1", "[1]"},    // shorter
        {"_A = 1, keep([_A])", "0"},
        {"_A = 2, keep([_A])", "1", "[2]"},
        {"_A = _B, _B = a, keep([_A])", "1", "[a]"},  // a chain of variables
        {"_A = _B, _B = a, keep([_A])", "0", "[a]"},
        {"_A = 1000, keep([_A])", "1", "[1000]"},
        {"_A = 1000, keep([_A])", "0"},
        {"_A = f(2), keep([_A])", "1", "[f(2)]"},  // a compound element, compared as a term
        {"_A = f(2), keep([_A])", "0"},
        {"_A = f(3), keep([_A])", "1", "[f(3)]"},
        {"keep([_U])", "1", "[<18>]"},         // left unbound
        {"_A = 2, keep([_A | _T])", "1"},      // an open end against []
        {"_A = 2, keep([_A | _T])", "0"},      // two open ends are alike
        {"_A = 2, keep([_A, 5])", "1"},        // longer
        {"_A = f(1), keep([_A, 5])", "1"},     // a compound element records its own values
        {"_A = f(1), keep([_A, 5])", "0"},     // and a list holding one compares as terms
        {"keep([])", "1"},
        {"keep([])", "0"},
        {"_A = 5, keep(g(1, is(_A, 1)))", "1", "g(1,is(5,1))"},  // a read-only term inside is resolved
        {"keep(g(1, 2))", "1"},
        {"keep(g(1, 2))", "0"},
        {"keep(g(1, _B))", "0"},               // a variable inside an argument is not followed
        {"keep(g(1, f(3)))", "1"},             // an inner value changed
        {"keep(g(1, f(3)))", "0"},
        {"keep(g(1, f(4)))", "1"},
        {"keep(f(4))", "1"},                   // another functor
        {"_X = f(4), keep(_X)", "0"},          // the same term, now through a variable
    };
    PlFunctor* keep = pl_lookup_functor(e, t("keep"), 1, nullptr);
    for (const Row& row : rows) {
        EXPECT_EQ(entered(row.goal), row.entered) << row.goal;
        if (row.kept) {
            EXPECT_EQ(show(keep->values->items[0]), row.kept) << row.goal;
        }
    }
    PlFunctor* g = pl_lookup_functor(e, t("g"), 2, nullptr);
    EXPECT_EQ(show(g->values->items[1]), "f(4)");
    EXPECT_EQ(show(keep->values->items[0]), "f(4)");
}

TEST_F(Recording, EachChangedFunctorEntersTheAnswersOnce) {
    load("keep(_L). f(_X). g(_X, _Y). h(_X). t(_X, _Y, _Z).");
    // The functors in the answers after goal, in the order they entered.
    auto table = [&](const char* goal) {
        return call_goal(goal, [](PlCell*, PlFrame*, PlList* answers, int outcome) -> std::string {
            if (outcome != 1) return "failed";
            std::string out;
            pl_list_each(answers, [&](void* f) {
                out += std::string(out.empty() ? "" : " ") + static_cast<PlFunctor*>(f)->name->name;
            });
            return out;
        });
    };
    // One engine: each row is recorded against the values the rows above left, into a new table.
    const struct {
        const char* goal;
        const char* answers;
    } rows[] = {
        {"keep(g(f(1), f(2)))", "f g keep"},
        {"keep(g(f(3), f(3)))", "f g keep"},  // what an earlier recording entered elsewhere does not count
        {"keep(g(f(3), f(3)))", ""},
        {"keep(g(f(5), h(f(6))))", "f h g keep"},
        {"keep(f(7)), keep(g(f(8), f(8)))", "f g keep"},  // two recordings, one table at the end
        // Terms of one, two and three arguments, nested in their own functors, with a variable,
        // "_", a list and an atom inside.
        {"keep(t(f(1), g(2, f(3)), 4))", "f g t keep"},
        {"keep(t(f(1), g(2, f(3)), 4))", "f g t keep"},  // f's value goes from 3 to 1 and back
        {"keep(g(g(1, 2), g(3, 4)))", "g keep"},
        {"keep(g(g(1, 2), g(3, 4)))", "g keep"},
        {"keep(h(h(h(1))))", "h keep"},
        {"keep(h(h(h(1))))", "h keep"},
        {"keep(t(t(1, 2, 3), t(1, 2, 3), t(1, 2, _)))", "t keep"},
        {"keep(t(_A, [f(5)], a))", "f t keep"},
        {"keep(t(_A, [f(5)], a))", ""},
        {"keep(g(_, f(6)))", "f g keep"},
        {"keep(g(_, f(6)))", "g keep"},  // "_" against a value counts as changed
        {"keep(t(1, 2, f(9)))", "f t keep"},  // a term of three arguments walks its last one too
    };
    for (const auto& row : rows) EXPECT_EQ(table(row.goal), row.answers) << row.goal;
    // Calls one after another into one table: a functor entered already, first or later, stays
    // where it entered.
    auto calls = [&](std::initializer_list<const char*> goals) {
        PlList* answers = pl_list_new(e);
        for (const char* goal : goals) {
            PlCell* c = clause((std::string(goal) + ".").c_str());
            const PlFrameMark mark = pl_frame_mark(e);
            pl_guarded(e, -1, [&] { return pl_call(e, c->clause.term, pl_frame_alloc(e, 0, nullptr, nullptr), answers); });
            pl_frame_unwind(e, mark);
        }
        std::string out;
        pl_list_each(answers, [&](void* f) { out += static_cast<PlFunctor*>(f)->name->name; });
        pl_list_free(e, answers);
        return out;
    };
    EXPECT_EQ(calls({"keep(1)", "f(2)", "keep(3)"}), "keepf");
    EXPECT_EQ(calls({"f(4)", "keep(5)", "keep(6)", "f(7)", "f(7)"}), "fkeep");
}

TEST_F(Recording, CompoundTermsMeetTheDepthLimitWhereTheirWalksWould) {
    // A term without variables is recorded as it stands, one with a variable as its resolved
    // copy; either way the levels the copy would take must fit. The terms are built here, deeper
    // than rule text may nest, and called with most of the depth taken, so that the walks stay
    // within the native stack.
    load("keep(_L).");
    constexpr int kStart = 3200;
    // depth f/1 cells around 1, around a variable (open), or around the outermost (cyclic).
    // low: every look at the native stack finds it exhausted, so that the first level of the
    // walk at a multiple of 64 (kStart's next) ends in 4102.
    auto call = [&](int depth, bool bound, bool open, bool cyclic = false, bool low = false) {
        PlCell* c = clause(bound ? "keep(_X)." : "keep(1).");
        PlCell* term = open ? find(clause("v(_V).")->clause.term, t("_V")) : pl_make_integer(e, 1);
        PlCell* innermost = nullptr;
        for (int i = 0; i < depth; ++i) {
            PlCell* outer = pl_make_compound(e, t("f"), 1);
            outer->fn.args->items[0] = term;
            term = outer;
            if (!innermost) innermost = outer;
        }
        if (cyclic) innermost->fn.args->items[0] = term;
        // Nothing recorded before: the first value always changes and is resolved when it must be.
        for (const char* name : {"keep", "f"}) pl_lookup_functor(e, t(name), 1, nullptr)->values->items[0] = nullptr;
        const PlFrameMark mark = pl_frame_mark(e);
        const uintptr_t floor = e->stack_floor, deep_mark = e->stack_deep_mark;
        if (low) e->stack_floor = e->stack_deep_mark = UINTPTR_MAX;
        const int r = pl_guarded(e, -1, [&] {
            PlFrame* frame = pl_frame_alloc(e, 1, nullptr, nullptr);
            if (bound) frame->slots()[0] = {term, frame};
            else c->clause.term->fn.args->items[0] = term;
            PlList* answers = pl_list_new(e);
            e->depth = kStart;
            const int outcome = pl_call(e, c->clause.term, frame, answers);
            e->depth = 0;
            pl_list_free(e, answers);
            return outcome;
        });
        e->stack_floor = floor;
        e->stack_deep_mark = deep_mark;
        e->depth = 0;
        pl_frame_unwind(e, mark);
        return r < 0 ? "error " + std::to_string(pl_last_error(e).code) : std::to_string(r);
    };
    // The last depth that passes and the first that fails; a cyclic term never ends.
    struct Row {
        int depth;
        bool bound, open, cyclic;
        const char* outcome;
        bool low = false;
    } rows[] = {
        {396, false, false, false, "1"}, {397, false, false, false, "error 4102"},
        {396, true, false, false, "1"},  {397, true, false, false, "error 4102"},
        {396, false, true, false, "1"},  {397, false, true, false, "error 4102"},
        {1, false, false, true, "error 4102"}, {3, true, false, true, "error 4102"},
        {58, false, false, false, "1", true}, {59, false, false, false, "error 4102", true},
        {58, true, false, false, "1", true},  {59, true, false, false, "error 4102", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(call(row.depth, row.bound, row.open, row.cyclic, row.low), row.outcome)
            << row.depth << (row.bound ? " bound" : "") << (row.open ? " open" : "") << (row.cyclic ? " cyclic" : "")
            << (row.low ? " low" : "");
        EXPECT_EQ(e->depth, 0);
    }
}

TEST_F(Recording, CommonArgumentsMeetTheDepthLimitWhereTheFullStepsWould) {
    // The commonest arguments (constants, walked lists told apart by their first elements, "[X]",
    // compound terms) are recorded by shorter steps, which must stop where the full ones stop.
    // Each goal is called with the levels left to the limit running from none to plenty, after
    // one call that walks its lists and one of before, which records the value it is held against;
    // one character an outcome (c a value changed, u none did, e error 4102).
    load("keep(_A, _B, _C).");
    PlFunctor* keep = pl_lookup_functor(e, t("keep"), 3, nullptr);
    auto run = [&](PlCell* c, int free) -> char {
        const PlFrameMark mark = pl_frame_mark(e);
        const size_t trail = pl_trail_mark(e);
        const int r = pl_guarded(e, -1, [&] {
            PlFrame* frame = pl_frame_alloc(e, c->clause.var_count, nullptr, nullptr);
            PlList* answers = pl_list_new(e);
            e->depth = pl_depth_limit(e) - free;
            const int outcome = pl_call(e, c->clause.term, frame, answers);
            e->depth = 0;
            const bool changed = pl_table_holds(answers, keep);
            pl_list_free(e, answers);
            return outcome != 1 ? 0 : changed ? 'c' : 'u';
        });
        e->depth = 0;
        e->run.trail.resize(trail);
        pl_frame_unwind(e, mark);
        return r > 0 ? static_cast<char>(r) : r < 0 && pl_last_error(e).code == PL_ERR_STACK ? 'e' : '?';
    };
    constexpr int kPlenty = 40;
    const struct {
        const char* before;
        const char* goal;
        int passes;   // the fewest free levels with which the goal passes
        char outcome;
    } rows[] = {
        {"keep([2, 3], 0, 0)", "keep([1, 2, 3], 0, 0)", 13, 'c'},         // first elements differ
        {"keep([1, 2], 0, 0)", "keep([1, 2, 3], 0, 0)", 13, 'c'},         // the same first element
        {"keep(0, 0, [1])", "keep(0, 0, [2, 3, 4, 5, 6, 7])", 19, 'c'},  // longer
        {"keep([], 0, 0)", "keep([1, 2, 3], 0, 0)", 13, 'c'},            // against a value that is no list
        {"keep(f(1), 0, 0)", "keep([a], 0, 0)", 9, 'c'},
        {"_X = 5, keep(0, [_X], 0)", "_X = 5, keep(0, [_X], 0)", 17, 'u'},  // "[X]" alike
        {"_X = 6, keep(0, [_X], 0)", "_X = 5, keep(0, [_X], 0)", 17, 'c'},  // "[X]" differs
        {"keep(0, [], [])", "_X = 5, _L = [_X], keep(0, _L, _L)", 25, 'c'},  // one list twice
        {"_X = 6, _L = [_X], keep(0, _L, _L)", "_X = 5, _L = [_X], keep(0, _L, _L)", 25, 'c'},  // against lists
        {"keep(2, [], b)", "keep(1, [], a)", 7, 'c'},
        {"keep(f(g(2, h(3)), b), 0, 0)", "keep(f(g(1, h(2)), a), 0, 0)", 13, 'c'},
        {"keep(f(g(1, h(2)), a), 0, 0)", "keep(f(g(1, h(2)), a), 0, 0)", 8, 'u'},
        {"keep(f(1), 0, 0)", "keep(f(_Y, g(1)), 0, 0)", 11, 'c'},  // a variable inside
        {"keep([f(1)], 0, 0)", "keep([f(1), f(2)], 0, 0)", 13, 'c'},  // compound elements
        // Terms of one, two and three arguments, with a list and a variable inside.
        {"keep(t(1, 2, 3), 0, 0)", "keep(t(g(1, h(2)), a, f(b)), 0, 0)", 13, 'c'},
        {"keep(t(g(1, h(2)), a, f(b)), 0, 0)", "keep(t(g(1, h(2)), a, f(b)), 0, 0)", 8, 'u'},
        {"keep(h(h(1)), 0, 0)", "keep(h(h(h(h(2)))), 0, 0)", 15, 'c'},
        {"keep(g(1, 2), 0, 0)", "keep(g(g(a, [1, 2]), f(_Y)), 0, 0)", 15, 'c'},
        {"keep(g(g(a, [1, 2]), f(_Y)), 0, 0)", "keep(g(g(a, [1, 2]), f(_Y)), 0, 0)", 15, 'c'},  // g's values change
        {"keep(t(a, [1, 2], f(_Y)), 0, 0)", "keep(t(a, [1, 2], f(_Y)), 0, 0)", 12, 'u'},
    };
    for (const auto& row : rows) {
        PlCell* before = clause((std::string(row.before) + ".").c_str());
        PlCell* goal = clause((std::string(row.goal) + ".").c_str());
        std::string outcomes;
        for (int free = 0; free <= kPlenty; ++free) {
            run(goal, kPlenty * 10);
            run(before, kPlenty * 10);
            outcomes += run(goal, free);
        }
        EXPECT_EQ(outcomes, std::string(row.passes, 'e') + std::string(kPlenty + 1 - row.passes, row.outcome)) << row.goal;
        EXPECT_EQ(e->depth, 0);
    }
    // A list given twice and found to differ is kept once: both arguments hold one copy.
    run(clause("_X = 6, _L = [_X], keep(0, _L, _L)."), kPlenty);
    run(clause("_X = 5, _L = [_X], keep(0, _L, _L)."), kPlenty);
    EXPECT_EQ(keep->values->items[1], keep->values->items[2]);
    EXPECT_EQ(show(keep->values->items[2]), "[5]");
}

TEST_F(Recording, TheLoopInTheCallAnswersAsTheStepsItStandsFor) {
    // The loop inline in a successful call (laid out by the count of arguments, its depth tested
    // once) against the steps it stands for: goal_rest from the first argument, and record_any.
    // Each way starts from the same values, with the levels free below the goal's from none
    // (error 4102) to plenty, past the level where the native stack is looked at. One line a
    // way: the outcome (changed, unchanged, error), the values after (a list's with its shape)
    // and the answers. A goal without variables is recorded in its frame and without one. v1 and
    // v0 are items the host holds with a value and without one; h1 and h2 are host facts.
    load("k1(_A).");
    PlFunctor* read_only = pl_lookup_functor(e, t("r2"), 2, nullptr);
    read_only->flags |= PLF_READ_ONLY;
    drvtest::PieFakeItem& v1 = item("v1", 1);
    v1.type = 2;
    v1.value = "ON";
    item("v0", 2).type = 0;
    for (auto [name, arity] : {std::pair{"h1", 1u}, {"h2", 2u}})
        pl_lookup_functor(e, t(name), arity, nullptr)->flags |= PLF_HOST_FACT;
    const std::pair<const char*, uint32_t> kept[] = {{"k1", 1}, {"k2", 2}, {"k3", 3}, {"k4", 4}, {"k5", 5}, {"r2", 2},
                                                     {"f", 1},  {"g", 2},  {"v1", 1}, {"v0", 1}, {"h1", 1}, {"h2", 2}};
    std::vector<PlFunctor*> functors;
    for (const auto& [name, arity] : kept) functors.push_back(pl_lookup_functor(e, t(name), arity, nullptr));
    auto values = [&] {
        std::vector<PlCell*> all;
        for (PlFunctor* f : functors) all.insert(all.end(), f->values->items, f->values->items + f->arity);
        return all;
    };
    auto restore = [&](const std::vector<PlCell*>& all) {
        auto at = all.begin();
        for (PlFunctor* f : functors)
            for (uint32_t i = 0; i < f->arity; ++i) f->values->items[i] = *at++;
    };
    enum Way { kLoop, kRest, kAny };
    // The goal of text (after the goals before it that bind its variables, run in frame).
    auto goal_of = [&](const char* text, PlFrame*& frame) {
        PlCell* c = clause((std::string(text) + ".").c_str());
        frame = pl_frame_alloc(e, c->clause.var_count, nullptr, nullptr);
        PlCell* goal = c->clause.term;
        for (; goal->fn.functor->name == t(",") && goal->fn.functor->arity == 2; goal = pl_arg(goal, 1))
            EXPECT_EQ(pl_guarded(e, -1, [&] { return pl_call(e, pl_arg(goal, 0), frame, nullptr); }), 1) << text;
        return goal;
    };
    auto record = [&](Way way, PlCell* goal, PlFrame* frame, int free) {
        PlList* answers = pl_list_new(e);
        const int r = pl_guarded(e, -1, [&] {
            e->depth = pl_depth_limit(e) - free;
            int changed;
            if (way == kLoop) {
                changed = pl_recording::record_goal(e, answers, goal->fn.functor, goal, frame, pl_depth_limit(e));
            } else {
                if (free < 1) pl_recording::too_deep(e);
                changed = way == kRest && pl_recording::own_vector(goal->fn.functor)
                              ? pl_recording::goal_rest(e, answers, goal, frame, 0, false)
                              : pl_recording::goal_any(e, answers, goal, frame);
            }
            return changed + 1;
        });
        e->depth = 0;
        std::string out = r > 0 ? std::to_string(r - 1) : "error " + std::to_string(pl_last_error(e).code);
        // A list's shape too: a copy's must be the one resolving finds.
        const std::vector<PlCell*> after = values();
        for (PlCell* v : after)
            out += " " + (v ? show(v) : "-") + (v && v->type == PL_LIST ? "#" + std::to_string(v->shape) : "");
        // Where a list is the very cell of the value before it: one copy kept for two arguments,
        // as goal_rest keeps it (the generic steps make one each).
        for (size_t i = 1; i < after.size(); ++i)
            if (after[i] && after[i]->type == PL_LIST && after[i] == after[i - 1]) out += " =" + std::to_string(i);
        pl_list_each(answers, [&](void* f) { out += std::string(" ") + static_cast<PlFunctor*>(f)->name->name; });
        pl_list_free(e, answers);
        return out + "\n";
    };
    const struct {
        const char* before;
        const char* goal;
        // The arguments (a bit each) whose list is built onto the value the goal before records
        // there: its tail is made that very cell, as a recursion builds a list a level further out.
        unsigned onto = 0;
        // Without a goal before, the goal's own values are the ones before, its "[X]" copied from
        // the very list; then, when not 0, binds the goal's first variable to another integer cell.
        int then = 0;
        bool unset = false;  // the goal's functor holds no values before: a "_" reads its item
    } rows[] = {
        {"k1(1)", "k1(2)"},
        {"k1(1)", "k1(1)"},
        {"k1(a)", "k1(b)"},
        {"k3(a, a, 1)", "k3(a, b, 1)"},                    // atoms, alike and not
        {"k3(f(1), 1, a)", "_X = a, k3(_X, a, [a])"},       // after a term, an integer, an atom
        {"k1([1, 2])", "k1([1, 3])"},                      // lists of equal first elements
        {"k1([1, 2])", "k1([2, 3])"},
        {"k1(f(1))", "k1([1])"},                           // a value before that is no list
        {"_X = 5, k1([_X])", "_X = 5, k1([_X])"},          // "[X]" alike
        {"_X = 6, k1([_X])", "_X = 5, k1([_X])"},          // "[X]" differs
        {"_X = f(1), k1([_X])", "_X = f(2), k1([_X])"},    // its element compound
        {"k2([2, 3], [])", "k2([1, 2, 3], _U)"},            // left unbound
        {"k2(0, [])", "_X = 5, _L = [_X], k2(_L, _L)"},   // one list twice
        {"k2([1], [2])", "_X = 5, _Y = 6, k2([_X], [_Y])"},  // two lists alike in shape
        {"k2(f(1), g(1, 2))", "k2(f(1), g(1, 3))"},
        {"k3([1], [2], [3])", "k3([1], [4], [3, 4])"},
        {"k3([], [5, 6], 0)", "_X = 5, k3([_X], [_X, 6], [])"},
        {"k4(1, 2, 3, 4)", "k4(1, [2], [3, 4], 5)"},
        {"k5(1, 2, 3, 4, 5)", "_X = 3, k5(1, 2, [_X], 4, [5, 6])"},
        {"r2(1, [1])", "r2(2, [2])"},                      // no vector of its own
        {"k1([[1], [2]])", "k1([[1], [3]])"},              // lists for elements
        {"k1([a, b])", "k1([b, c])"},
        {"k1(1)", "_X = _Y, _Y = [2, 3], k1(_X)"},          // a chain of variables to a list
        // Lists whose walks fit only with most of the levels free.
        {"k1([0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14])",
         "k1([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15])"},
        {"k2([], 0)", "k2([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16], [a])"},
        // "[X]" differing, then arguments that stand for the same list or for another.
        {"_X = 6, k3([1], [_X], [2, _X])", "_X = 5, _L = [_X], k3([], _L, _L)"},
        {"_X = 6, _Y = 5, k3([1], [_X], [_Y])", "_X = 5, _L = [_X], k3([], _L, _L)"},
        {"_X = 6, k3(0, [_X], [_X])", "_X = 5, _Y = 7, k3(0, [_X], [_Y])"},
        {"_X = 6, k3(0, [_X], [_X])", "_X = 5, _L = [_X], k3(0, _L, [_X])"},  // alike, other cells
        {"_X = a, _L = [_X], k3(_L, _L, _L)", "_X = b, _L = [_X], k3(_L, _L, _L)"},
        {"_X = a, k3(1, [_X], 2)", "_X = b, _L = [_X], k3(1, _L, _L)"},  // a value before that is no list
        {"_X = 6, k3([_X], [_X], [_X])", "_X = f(1), _L = [_X], k3(_L, _L, _L)"},  // its element compound
        {"_X = 6, k2([_X], [_X])", "_L = [_U], k2(_L, _L)"},  // left unbound
        // Lists whose tail is the value recorded before, "[]" among them.
        {"k1([])", "k1([7])"},
        {"k1([2, 3])", "k1([1, 0, 0])", 1},
        {"k1([1, 2])", "k1([1, 0, 0])", 1},                // the first elements alike
        {"k1([a, b])", "k1([a, 0, 0])", 1},
        {"k1([[1], 2])", "k1([[1], 0, 0])", 1},            // a list for an element
        {"k3([2], [9], [8, 9])", "_X = 9, k3([1, 0], [_X], [7, 0, 0])", 5},
        {"k2([1, 2], [3])", "k2([0, 0, 0], [4, 0])", 2},   // the second argument alone
        {"k1([0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13])",
         "k1([1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13])", 1},
        // "[X]" held against the copy made from it, as a recursion hands it down.
        {nullptr, "_X = 5, k1([_X])"},
        {nullptr, "_X = 5, k3(1, [_X], [_X])"},
        {nullptr, "_X = 5, k1([_X])", 0, 6},               // X bound again, to another integer
        {nullptr, "_X = 5, k1([_X])", 0, 5},               // to an equal one in another cell
        {nullptr, "_X = a, k1([_X])"},
        {nullptr, "_X = [1, [2]], k1([_X])"},            // a list for its element, the very cell
        {nullptr, "_Y = 5, _X = _Y, k1([_X])"},            // X bound to a variable
        {nullptr, "_T = [], _X = 5, k1([_X | _T])"},
        {nullptr, "_X = 5, k1([_X | 7])"},
        // "_", a value before kept (and changed), directly or through a variable, before other
        // arguments; an item read, its value found or none.
        {"k1(1)", "k1(_)"},
        {"k3(1, [2], a)", "_X = _, k3(_X, _, [2, 3])"},
        {"k2(1, [2])", "_X = 6, k2(_, [_X])"},
        {nullptr, "v1(_)", 0, 0, true},
        {nullptr, "_X = _, v1(_X)", 0, 0, true},
        {nullptr, "v0(_)", 0, 0, true},
        // Host facts: "_", equal constants and atoms, one that differs, or none before.
        {"h1(a)", "h1(a)"},
        {"h1(a)", "_X = _, h1(_X)"},
        {"h2(a, 1)", "h2(_, 1)"},
        {"h1(a)", "h1(b)"},
        {"h1(1)", "h1(2)"},
        {nullptr, "h1(b)", 0, 0, true},
        {"h2(a, 1)", "h2(a, 2)"},
        {"h1(a)", "h1(f(1))"},
    };
    for (const auto& row : rows) {
        const PlFrameMark mark = pl_frame_mark(e);
        const size_t trail = pl_trail_mark(e);
        PlFrame* goal_frame;
        PlFrame* before_frame;
        PlCell* goal = goal_of(row.goal, goal_frame);
        PlCell* before = row.before ? goal_of(row.before, before_frame) : nullptr;
        for (uint32_t i = 0; i < goal->fn.functor->arity; ++i)
            if (row.onto & (1u << i)) pl_arg(goal, i)->list.tail = pl_arg(before, i);
        record(kAny, goal, goal_frame, 400);  // its lists walked, as a call before would have
        if (before) record(kAny, before, before_frame, 400);
        if (row.then) goal_frame->slots()[0] = {pl_make_integer(e, row.then), nullptr};
        if (row.unset) std::fill_n(goal->fn.functor->values->items, goal->fn.functor->arity, nullptr);
        const std::vector<PlCell*> start = values();
        const bool ground = goal_frame->count == 0;
        std::string ways[3];
        for (int free = 0; free <= 40; ++free) {
            for (const Way way : {kLoop, kRest, kAny}) {
                restore(start);
                ways[way] += record(way, goal, goal_frame, free);
                if (ground) {
                    restore(start);
                    ways[way] += record(way, goal, nullptr, free);
                }
            }
        }
        EXPECT_EQ(ways[kLoop], ways[kRest]) << row.goal;
        const auto unshared = [](std::string way) {
            for (size_t at; (at = way.find(" =")) != std::string::npos;) way.erase(at, way.find_first_of(" \n", at + 1) - at);
            return way;
        };
        EXPECT_EQ(unshared(ways[kLoop]), unshared(ways[kAny])) << row.goal;
        EXPECT_EQ(e->depth, 0);
        e->run.trail.resize(trail);
        pl_frame_unwind(e, mark);
    }
}

TEST_F(Recording, AWalkOverListsLeavesTheValuesEachOfItsCallsWould) {
    // The inner calls of a walk over a list built at run time leave their recording to their
    // callers (pie/run/walk_recording.h); what stays must be what every call recording in turn
    // leaves: the outermost call's values, its walked list the very cell it was given, and the
    // answers in the order they entered. r copies the list it is given (M) before s walks the
    // copy, whose cells equal the values recorded before the walk: the walk's last call still
    // records the copy, the list it was given.
    load("app([], _L, _L). app([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R)."
         "nrev([], []). nrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R)."
         "h(_X). r(_L, _B, _C, _M) :- app(_L, [], _M), s(_M, _B, _C), h(1). s(_L, _B, _C) :- app(_L, _B, _C).");
    PlFunctor* app = pl_lookup_functor(e, t("app"), 3, nullptr);
    const struct {
        const char* goal;
        const char* recorded;  // the answers, then app's three values
    } rows[] = {
        {"r([2, 3, 4], [5], _Y, _M)", "app h r | [2,3,4] | [5] | [2,3,4,5]"},
        {"r([2, 3, 4], [5], _Y, _M)", "app | [2,3,4] | [5] | [2,3,4,5]"},
        {"r([1, 2, 3, 4], [5], _Y, _M)", "app r | [1,2,3,4] | [5] | [1,2,3,4,5]"},
        {"_X = 7, r([1, 2, 3], [_X], _Y, _M)", "app r | [1,2,3] | [7] | [1,2,3,7]"},
        {"_X = 7, r([1, 2, 3], [_X], _Y, _M)", "app | [1,2,3] | [7] | [1,2,3,7]"},
        {"_X = 8, r([1, 2, 3], [_X], _Y, _M)", "app r | [1,2,3] | [8] | [1,2,3,8]"},
        {"r([1, 2, 3], [_Z], _Y, _M)", "app r | [1,2,3] | [<18>] | [1,2,3,<18>]"},
        {"r([1, 2, 3], x, _Y, _M)", "app r | [1,2,3] | x | [1,2,3|x]"},
        {"r([a, [b], 3], [], _Y, _M)", "app r | [a,[b],3] | [] | [a,[b],3]"},
        {"nrev([1, 2, 3, 4, 5, 6], _R)", "app nrev | [6,5,4,3,2] | [1] | [6,5,4,3,2,1]"},
        {"nrev([1, 2, 3, 4, 5, 6], _R)", "app | [6,5,4,3,2] | [1] | [6,5,4,3,2,1]"},
    };
    for (const auto& row : rows) {
        std::string recorded = call_goal(row.goal, [&](PlCell* c, PlFrame* frame, PlList* answers, int outcome) {
            if (outcome != 1) return std::string("failed");
            std::string out;
            pl_list_each(answers, [&](void* f) {
                out += std::string(out.empty() ? "" : " ") + static_cast<PlFunctor*>(f)->name->name;
            });
            for (uint32_t i = 0; i < 3; ++i) out += " | " + show(app->values->items[i]);
            // M's first cell was settled out of r's frame as a cell of its own; its tail is the copy's.
            if (PlCell* copy = find(c->clause.term, t("_M"))) {
                EXPECT_EQ(app->values->items[0]->list.tail, pl_deref(copy, frame).term->list.tail) << row.goal;
            }
            return out;
        });
        EXPECT_EQ(recorded, row.recorded) << row.goal;
    }
}

TEST_F(Recording, TheCallAboveAWalkTakesTheWalkedAndTheBuiltListAsGiven) {
    // Values recorded before that equal the goal's lists stay where the goal's own recording
    // finds them equal; the call above a walk whose inner calls left their recording to it takes
    // the walked and the built list as the very cells it is given, as it would after the inner
    // calls' values (each a tail of its lists, which differs).
    load("k3(_A, _B, _C).");
    PlFunctor* k3 = pl_lookup_functor(e, t("k3"), 3, nullptr);
    auto goal_of = [&](const char* text) { return clause(text)->clause.term; };
    auto record = [&](PlCell* goal, bool after_walk) {
        pl_guarded(e, -1, [&] {
            PlFrame* frame = pl_frame_alloc(e, 0, nullptr, nullptr);
            const int limit = pl_depth_limit(e);
            return after_walk ? pl_recording::record_goal<true>(e, nullptr, k3, goal, frame, limit)
                              : pl_recording::record_goal(e, nullptr, k3, goal, frame, limit);
        });
        EXPECT_EQ(pl_last_error(e).code, 0);
    };
    PlCell* given = goal_of("k3([1, 2], [5], [1, 2, 5]).");
    PlCell* before = goal_of("k3([1, 2], [5], [1, 2, 5]).");
    for (const bool after_walk : {false, true}) {
        record(given, false);  // the lists walked, their shapes found
        record(before, false);
        PlCell** values = k3->values->items;
        for (uint32_t i = 0; i < 3; ++i) values[i] = pl_arg(before, i);
        record(given, after_walk);
        // Without the walk, the values recorded before stay: they equal the goal's lists.
        EXPECT_EQ(values[0] == pl_arg(given, 0), after_walk);
        EXPECT_EQ(values[2] == pl_arg(given, 2), after_walk);
        EXPECT_EQ(show(values[1]), "[5]");
    }
}

}  // namespace
