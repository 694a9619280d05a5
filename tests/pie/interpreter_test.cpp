// Queries over rule text: committed choice, conjunction retry, the engine's cut, settled frames,
// once cells, recorded values and the display of changed controls after a query.
#include "run_fixture.h"
#include "term_builder.h"

#include "pie/host/host_slots.h"
#include "pie/host/host_values.h"
#include "pie/run/head_filter.h"
#include "pie/run/unify.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Interpreter = RunTest;

TEST_F(Interpreter, Outcomes) {
    load("p(1). p(2). q(_X) :- p(_X), greater(_X, 1)."
         "r(1) :- true, !. r(2)."          // a trailing cut makes the clause fail and stops r
         "s :- !. s."                      // so does a body that is only a cut
         "c(_X) :- !, _X = 1. c(2)."       // a leading cut commits to the first clause
         "d(_X) :- !, fail. d(2)."
         "add(_A, _B, _C) :- sum(_A, _B, _C)."
         "app([], _L, _L). app([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R)."
         "nrev([], []). nrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R).");
    pl_lookup_functor(e, t("add"), 3, nullptr)->flags |= PLF_SYSTEM;
    struct Row {
        const char* goal;
        std::initializer_list<const char*> vars;
        const char* expected;
    } rows[] = {
        {"p(_X)", {"_X"}, "1 _X=1"},
        {"q(_Y)", {"_Y"}, "1 _Y=2"},
        {"r(_X)", {}, "0"},
        {"s", {}, "0"},
        {"c(_X)", {"_X"}, "1 _X=1"},
        {"d(_X)", {}, "0"},
        {"nothing(1)", {}, "0"},
        {"not(fail)", {}, "1"},
        {"not(true)", {}, "0"},
        {"not(!)", {}, "2"},
        // Frames of succeeded system clauses are settled: the second call reads the first's result.
        {"add(2, 3, _X), add(_X, 4, _Y)", {"_Y"}, "1 _Y=9"},
        {"_X is 2 + 3, _Y is _X * 4", {"_Y"}, "1 _Y=20"},
        {"nrev([1, 2, 3, 4], _R)", {"_R"}, "1 _R=[4,3,2,1]"},
        {"app(_A, [b], [a, b])", {"_A"}, "1 _A=[a]"},
        {"_X is 7 - 2 * 3, _X =:= 1", {}, "1"},
        {"p(_X), p(_Y), _Y = 2", {"_X", "_Y"}, "1 _X=1 _Y=2"},
        {"p(_X), _X = 3", {}, "0"},
        {"f(_A, g(_B)) = f(h(_B), _C), _B = 7", {"_A", "_C"}, "1 _A=h(7) _C=g(7)"},
    };
    for (const Row& row : rows) EXPECT_EQ(solve(row.goal, row.vars), row.expected) << row.goal;
}

// A body of many goals is one chain of conjunctions: every left goal's clauses are retried when
// what follows fails, however far back the failure reaches, a cut anywhere in it commits the
// clause, and an error leaves no level of it behind.
TEST_F(Interpreter, LongBodiesRetryEveryGoalAndCommitOnACut) {
    load("n(1). n(2). n(3). hits(0)."
         "first(_A, _B) :- n(_A), n(_X1), n(_X2), n(_X3), n(_X4), n(_B), greater(_B, _A), greater(_A, 1)."
         "cut(_A, _B) :- n(_A), n(_X1), n(_X2), n(_X3), !, n(_B), greater(_B, _A), greater(_A, 1). cut(0, 0)."
         "late(_A) :- n(_X1), n(_X2), n(_X3), n(_X4), n(_X5), n(_A), greater(_A, 2), !. late(0)."
         "bump :- retract(hits(_N)), sum(_N, 1, _M), assert(hits(_M))."
         "count :- n(_A), n(_B), n(_C), n(_D), n(_E), n(_F), bump, fail. count.");
    struct Row {
        const char* goal;
        std::initializer_list<const char*> vars;
        const char* expected;
    } rows[] = {
        {"first(_A, _B)", {"_A", "_B"}, "1 _A=2 _B=3"},
        {"cut(_A, _B)", {}, "0"},
        {"late(_A)", {}, "0"},
        {"count, hits(_N)", {"_N"}, "1 _N=729"},
        // An error deep in a long body gives back every level the body took.
        {"n(_A), n(_B), n(_C), n(_D), n(_E), _G = 5, _G, true", {}, "error 4112"},
        // Left goals read through variables are retried as written ones are.
        {"_G = n(_A), _G, greater(_A, 2)", {"_A"}, "1 _A=3"},
        {"n(_A), _G = n(_B), _G, greater(_B, _A), greater(_A, 1)", {"_A", "_B"}, "1 _A=2 _B=3"},
        {"n(_A), n(_B), n(_C), _G = first(_D, _E), _G, greater(_C, 2)", {"_D", "_C"}, "1 _D=2 _C=3"},
        {"n(_A), _G, true", {}, "error 4112"},
        {"_G = [1], _G, true", {}, "error 4112"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(solve(row.goal, row.vars), row.expected) << row.goal;
        EXPECT_EQ(e->depth, 0) << row.goal;
    }
}

// The levels a recursion takes through a long body are what they always were: the deepest
// recursion that answers, and the first that ends in error 4102, stay where they were.
TEST_F(Interpreter, RecursionThroughLongBodiesMeetsTheDepthLimitWhereItDid) {
    // Bodies of four to nine goals: shorter and longer than the levels one native frame of a
    // chain holds.
    load("down(0). down(_N) :- greater(_N, 0), sub(_N, 1, _M), true, true, down(_M), true."
         "last(0). last(_N) :- greater(_N, 0), sub(_N, 1, _M), true, true, true, last(_M)."
         "five(0). five(_N) :- greater(_N, 0), sub(_N, 1, _M), true, five(_M), true."
         "seven(0). seven(_N) :- greater(_N, 0), sub(_N, 1, _M), true, true, true, true, seven(_M)."
         "nine(0). nine(_N) :- greater(_N, 0), sub(_N, 1, _M), true, true, true, true, true, nine(_M), true.");
    struct Row {
        const char* name;
        int deepest;  // answers; one more ends in 4102
    } rows[] = {{"down", 99}, {"last", 90}, {"five", 124}, {"seven", 76}, {"nine", 62}};
    for (const Row& row : rows) {
        for (int n : {row.deepest, row.deepest + 1}) {
            const std::string goal = std::string(row.name) + "(" + std::to_string(n) + ")";
            EXPECT_EQ(solve(goal.c_str()), n == row.deepest ? "1" : "error 4102") << goal;
            EXPECT_EQ(e->depth, 0);
        }
    }
}

// The text of a list of n ones, which the tests of deep calls walk.
std::string list_of_ones(int n) {
    std::string text = "[";
    for (int i = 0; i < n; ++i) text += i ? ", 1" : "1";
    return text + "]";
}

// A body of one goal is a call straight into the clause that solves it, each level passing the
// first clause over, down to the limit, where no clause is passed over any more.
TEST_F(Interpreter, OneGoalBodiesMeetTheDepthLimitWhereTheyDid) {
    load("peel([]). peel([_H | _T]) :- peel(_T).");
    const auto peel = [](int n) { return "peel(" + list_of_ones(n) + ")"; };
    const int deepest = 998;  // answers; one more ends in 4102
    EXPECT_EQ(solve(peel(deepest).c_str()), "1");
    EXPECT_EQ(solve(peel(deepest + 1).c_str()), "error 4102");
    EXPECT_EQ(e->depth, 0);
}

// Clauses whose first head argument cannot match the goal's are passed over without a try; the
// answers are those of trying every clause, in a call and as the left goal of a conjunction, and
// a clause too large for a frame still raises its error however its head reads. The goal's side
// of the look is read where a clause first needs it, after a body that bound the goal's first
// argument has failed (m) or after the goal's conjunction retried it (n), and for the list as it
// stands after clauses were added or taken out, within a query too (kk).
TEST_F(Interpreter, ClausesPassedOverByTheirFirstArgumentAnswerAsTriedClausesWould) {
    std::string big = "big(2) :- t([_V0";
    for (int i = 1; i <= 2100; ++i) big += ", _V" + std::to_string(i);
    big += "]). big(_X).";
    load(("k(1, one). k(2, two). k(f(_X), f). k(g(1), g). k([], nil). k([_H | _T], list). k(a, atom)."
          "k(-70000, neg). kk(_X, _W) :- k(_X, _W)."
          "k(_Y, any). r(1, _A) :- _A = r1. r(f(_X), _A) :- _A = rf. r([_H], _A) :- _A = rl. r(_Y, other)."
          "m(_X, _A) :- _X = b, fail. m(a, _A) :- _A = ma. m(b, _A) :- _A = mb. m(_Y, any)."
          "n(_X, 1). n(_X, 2). n(a, 3). n(b, 4)." +
          big).c_str());
    struct Row {
        const char* goal;
        const char* expected;
    } rows[] = {
        {"k(2, _W)", "1 _W=two"},       {"k(f(3), _W)", "1 _W=f"},       {"k(g(2), _W)", "1 _W=any"},
        {"k([], _W)", "1 _W=nil"},      {"k([1, 2], _W)", "1 _W=list"},  {"k(b, _W)", "1 _W=any"},
        {"k(_V, _W)", "1 _W=one"},      {"k(f(1), atom)", "0 _W=?"},     {"r(f(1), _W)", "1 _W=rf"},
        {"r([2], _W)", "1 _W=rl"},      {"r([2, 3], _W)", "1 _W=other"}, {"r(3, _W)", "1 _W=other"},
        {"k(g(2), _W), true", "1 _W=any"}, {"k(_V, _W), _V = a", "1 _W=atom"}, {"r(1, _W), true", "1 _W=r1"},
        {"big(1)", "error 4102"},       {"big(1), true", "error 4102"},  {"k(-70000, _W)", "1 _W=neg"},
        {"k(70000, _W)", "1 _W=any"},   {"k(f(1, 2), _W)", "1 _W=any"},  {"m(_V, _W)", "1 _W=ma"},
        {"m(b, _W)", "1 _W=mb"},        {"m(c, _W)", "1 _W=any"},        {"m(_V, _W), true", "1 _W=ma"},
        {"m(b, _W), true", "1 _W=mb"},  {"m(b, _W), _W = any", "1 _W=any"},
        {"n(b, _W), greater(_W, 2)", "1 _W=4"}, {"n(_V, _W), greater(_W, 2)", "1 _W=3"},
        // From a left goal, retried past the clause the look lands on.
        {"k(a, _W), true", "1 _W=atom"}, {"k(a, _W), _W = any", "1 _W=any"}, {"k(-70000, _W), true", "1 _W=neg"},
        // Clauses added and taken out between calls: the look answers for the list as it is now.
        {"kk(a, _W)", "1 _W=atom"},     {"kk(a, _V), retract(k(a, atom)), kk(a, _W)", "1 _W=any"},
        {"asserta(k(h(1), h)), k(a, _W)", "1 _W=any"}, {"asserta(k(a, front)), k(a, _W)", "1 _W=front"},
        {"assertz(k(7, seven)), k(7, _W)", "1 _W=any"}, {"k(h(1), _W)", "1 _W=h"},
        {"k(a, _V), retract(k(a, front)), k(a, _W), true", "1 _W=any"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(solve(row.goal, {"_W"}), row.expected) << row.goal;
        EXPECT_EQ(e->depth, 0) << row.goal;
    }
}

TEST_F(Interpreter, PropagationModeTriesTheThirdListOfHelpers) {
    load("helper(1). asks(_X) :- helper(_X).");
    e->flags |= PLE_PROPAGATION;
    // The goal of the query is marked to use every list; helper/1 has only its first list.
    EXPECT_EQ(query("helper(1)."), 1);
    EXPECT_EQ(query("asks(1)."), 0);
    EXPECT_EQ(pl_lookup_functor(e, t("asks"), 1, nullptr)->flags & (PLF_ALL_LISTS | PLF_IN_PROPAGATION), 0u);
    e->flags &= ~PLE_PROPAGATION;
    EXPECT_EQ(query("asks(1)."), 1);
}

TEST_F(Interpreter, ErrorsEndTheQueryAndLeaveTheEngineUsable) {
    load("loop :- loop. ok(1).");
    EXPECT_EQ(query("loop."), -PL_ERR_STACK);
    EXPECT_EQ(e->depth, 0);
    TermBuilder b{e};
    PlCell* number = pl_make_clause(e, PL_QUERY_CLAUSE, b.integer(5));
    EXPECT_EQ(pl_guarded(e, -1, [&] { return pl_execute_main(e, number); }), -1);
    EXPECT_EQ(pl_last_error(e).code, PL_ERR_NOT_CALLABLE);
    EXPECT_EQ(solve("_G = 5, call_me(_G)"), "0");
    EXPECT_EQ(query("ok(1)."), 1);
    EXPECT_EQ(e->run.frames, nullptr);
    EXPECT_TRUE(e->run.trail.empty());
}

TEST_F(Interpreter, OnceCellKeepsItsExactOutcome) {
    TermBuilder b{e};
    // An item the host cannot answer, asked while settled: undetermined.
    PlFunctor* unknown = pl_lookup_functor(e, t("Unknown"), 1, nullptr);
    unknown->flags |= PLF_SETTLED;
    load("Unknown(1).");
    PlCell* once = pl_make_once(e, b.fn("Unknown", {b.anon()}));
    const int first = pl_guarded(e, -1, [&] { return pl_call(e, once, nullptr, nullptr); });
    const int again = pl_guarded(e, -1, [&] { return pl_call(e, once, nullptr, nullptr); });
    EXPECT_EQ(first, PL_UNDETERMINED);
    EXPECT_EQ(again, PL_UNDETERMINED);
    // not of an undetermined item succeeds.
    EXPECT_EQ(solve("not(Unknown(_))"), "1");
}

TEST_F(Interpreter, MemberSetAgainstAnUnboundItemTakesTheItemsStatus) {
    auto& size = item("Size", 6);
    size.type = 2;
    size.value = "A4";
    TermBuilder b{e};
    PlCell* head = b.fn("Size", {b.member({b.atom("A4"), b.atom("A3")})});
    PlCell* goal = b.fn("Size", {b.var("_X", 0)});
    auto unifies = [&] {
        return pl_guarded(e, -1, [&] {
            PlFrame* frame = pl_frame_alloc(e, 1, nullptr, nullptr);
            const size_t mark = pl_trail_mark(e);
            const int r = pl_unification_sub(e, goal, frame, head, nullptr);
            pl_trail_undo(e, mark);
            pl_frame_release(e, frame);
            return r;
        });
    };
    EXPECT_EQ(unifies(), 1);
    size.value = "B5";
    EXPECT_EQ(unifies(), 0);
    host.items.erase(6);  // no status at all
    EXPECT_EQ(unifies(), 0);
}

TEST_F(Interpreter, TraceLines) {
    load("p(1). q(_X) :- p(_X).");
    std::string out;
    e->host_slots[19] = reinterpret_cast<PlHostSlot>(+[](void* h, const char* text) {
        static_cast<drvtest::PieFakeHost*>(h)->log.push_back(text);
        return 0;
    });
    e->flags |= PLE_TRACE;
    EXPECT_EQ(query("q(_Y)."), 1);
    EXPECT_EQ(query("sum(1, 1, 3)."), 0);
    const std::string log = host.take();
    EXPECT_NE(log.find("q(_Y)"), std::string::npos) << log;
    EXPECT_NE(log.find("_Y:=1"), std::string::npos) << log;
    EXPECT_NE(log.find("=>yes."), std::string::npos) << log;
    EXPECT_NE(log.find("CALL: "), std::string::npos) << log;
    EXPECT_NE(log.find("=>no."), std::string::npos) << log;
}

std::vector<std::string> propagated;
void record_answers(PieEngine*, PlList* answers, PlFunctor*) {
    pl_list_each(answers, [](void* f) {
        auto* functor = static_cast<PlFunctor*>(f);
        propagated.push_back(std::string(functor->name->name) + (functor->flags & PLF_SETTLED ? "*" : ""));
    });
}

TEST_F(Interpreter, BoundValuesEnterTheAnswersForOneQuery) {
    load("Copies(3). Duplex(ON). job :- Copies(_N), Duplex(_D).");
    pl_set_propagation(e, record_answers);
    propagated.clear();
    EXPECT_EQ(query("Copies(_X)."), 1);
    EXPECT_EQ(propagated, (std::vector<std::string>{"Copies*"}));
    PlFunctor* copies = pl_lookup_functor(e, t("Copies"), 1, nullptr);
    ASSERT_NE(copies->values, nullptr);
    EXPECT_EQ(copies->values->items[0], nullptr);  // forgotten when the query ended
    EXPECT_EQ(copies->flags & PLF_SETTLED, 0u);
    propagated.clear();
    // The left goal of a conjunction is tried clause by clause, not called: only the right one records.
    EXPECT_EQ(query("job."), 1);
    EXPECT_EQ(propagated, (std::vector<std::string>{"Duplex*"}));
    propagated.clear();
    EXPECT_EQ(query("Copies(4)."), 0);
    EXPECT_TRUE(propagated.empty());
}

TEST_F(Interpreter, LongListsAreRecordedWholeAndCyclicOnesEndInTheDepthError) {
    load("keep(_L). f(_X).");
    std::string list = "[";
    for (int i = 1; i <= 1200; ++i) list += std::to_string(i) + ", ";
    list += "f(7)]";
    EXPECT_EQ(solve(("keep(" + list + ")").c_str()), "1");
    PlFunctor* keep = pl_lookup_functor(e, t("keep"), 1, nullptr);
    ASSERT_NE(keep->values, nullptr);
    std::string shown = list;
    shown.erase(std::remove(shown.begin(), shown.end(), ' '), shown.end());
    EXPECT_EQ(show(keep->values->items[0]), shown);
    // The compound element past the long run of integers has its own value recorded.
    EXPECT_EQ(show(pl_lookup_functor(e, t("f"), 1, nullptr)->values->items[0]), "7");
    // Walks over a cyclic list stop at the depth limit, not on the native stack or never.
    for (const char* goal : {"_L = [1 | _L], keep(_L)", "_L = [1 | _L], _M = [1 | _M], _L == _M",
                             "_L = [f(1) | _L], _M = [1, 2], keep(_M), keep(_L)"})
        EXPECT_EQ(solve(goal), "error 4102") << goal;
    EXPECT_EQ(e->depth, 0);
}

TEST_F(Interpreter, ListsRecordedAgainAfterTheirOpenPartsWereBound) {
    // Each list is recorded once while a part is still open, then again once it is bound: what a
    // walk found out about the list the first time must not hide the new part.
    load("keep(_L). f(_X).");
    struct Row {
        const char* goal;
        const char* kept;
        const char* f;
    } rows[] = {
        {"_L = [1, 2 | _T], apply(keep(_L)), _T = [f(3)], keep(_L)", "[1,2,f(3)]", "3"},
        {"_L = [_X, 2], apply(keep(_L)), _X = f(4), keep(_L)", "[f(4),2]", "4"},
        {"_L = [[1, _Y], 2], apply(keep(_L)), _Y = f(5), keep(_L)", "[[1,f(5)],2]", "5"},
        {"_L = [1, 2, 3], apply(keep(_L)), _M = [0 | _L], keep(_M)", "[0,1,2,3]", "5"},
    };
    PlFunctor* keep = pl_lookup_functor(e, t("keep"), 1, nullptr);
    PlFunctor* f = pl_lookup_functor(e, t("f"), 1, nullptr);
    for (const Row& row : rows) {
        EXPECT_EQ(solve(row.goal), "1") << row.goal;
        EXPECT_EQ(show(keep->values->items[0]), row.kept) << row.goal;
        EXPECT_EQ(show(f->values->items[0]), row.f) << row.goal;
    }
}

TEST_F(Interpreter, LongListsMeetTheDepthLimitWhereTheirWalksWould) {
    // Recording a list walks it, compares it with the value before and resolves it out of its
    // frame; a list already found to hold nothing skips these walks but not their depth limit.
    // The lengths are the last that pass and the first that fail.
    load("keep(_L).");
    auto numbers = [](int n) {
        std::string list = "[";
        for (int i = 1; i <= n; ++i) list += std::to_string(i) + (i < n ? ", " : "]");
        return list;
    };
    struct Row {
        int length;
        const char* once;    // recorded once, when it is walked the first time
        const char* again;   // recorded again after the first recording found its shape
        const char* inside;  // the same list behind one more cell
    } rows[] = {
        {1986, "1", "1", "1"},
        {1987, "1", "1", "error 4102"},
        {1989, "1", "error 4102", "error 4102"},
        {1997, "error 4102", "error 4102", "error 4102"},
    };
    for (const Row& row : rows) {
        const std::string list = numbers(row.length);
        EXPECT_EQ(solve(("keep(" + list + ")").c_str()), row.once) << row.length;
        EXPECT_EQ(solve(("_X = " + list + ", apply(keep(_X)), keep(_X)").c_str()), row.again) << row.length;
        EXPECT_EQ(solve(("_X = " + list + ", apply(keep(_X)), keep([0 | _X])").c_str()), row.inside) << row.length;
        EXPECT_EQ(e->depth, 0);
    }
}

TEST_F(Interpreter, ListsOfBoundVariablesMeetTheDepthLimitWhereTheirWalksWould) {
    // Elements that are variables bound to constants keep a list from being marked: every
    // recording walks it and compares it with the value before, by loops that must fail where the
    // full walks would. The lengths are the last that pass and the first that fail.
    load("keep(_L).");
    auto bound = [](int n) {
        std::string list = "[";
        for (int i = 1; i <= n; ++i) list += std::string("_A") + (i < n ? ", " : "]");
        return list;
    };
    struct Row {
        int length;
        const char* once;   // recorded once
        const char* again;  // recorded again, equal to the value before
    } rows[] = {
        {1988, "1", "1"},
        {1989, "1", "error 4102"},
        {1992, "1", "error 4102"},
        {1993, "error 4102", "error 4102"},
    };
    for (const Row& row : rows) {
        const std::string list = bound(row.length);
        EXPECT_EQ(solve(("_A = 1, keep(" + list + ")").c_str()), row.once) << row.length;
        EXPECT_EQ(solve(("_A = 1, keep(" + list + "), keep(" + list + ")").c_str()), row.again) << row.length;
        EXPECT_EQ(e->depth, 0);
    }
}

TEST_F(Interpreter, DisplayAfterTheQueryInTheHostsOrder) {
    item("Paper", 5);
    item("Tray", 6).has_control = false;
    EXPECT_EQ(query("enable(Paper, 1, OFF), show(Paper, 1, ON), readonly(Paper, 1, ON), show(Tray, 1, OFF)."), 1);
    EXPECT_EQ(host.take(), "HasControl 5; HasControl 5; HasControl 5; HasControl 6; Show 5; Disable 5; SetMark 5");
    PlFunctor* paper = pl_lookup_functor(e, t("Paper"), 1, nullptr);
    EXPECT_EQ(paper->flags & (PLF_HAS_CONTROL | PLF_DISABLED | PLF_HIDDEN | PLF_MARKED), 0u);
    // A failed query shows nothing.
    EXPECT_EQ(query("enable(Paper, 1, ON), fail."), 0);
    EXPECT_EQ(host.take(), "HasControl 5");
    // A query a host call runs inside another tells its own changes; the outer one still holds
    // Paper, entered before, and tells it once.
    static PieEngine* engine = e;
    static PlCell* inner = clause("show(Paper, 1, ON).");
    e->host_slots[PIE_SLOT_SHOW_MESSAGE] = reinterpret_cast<PlHostSlot>(
        +[](void*, int32_t) { return pl_execute_main(engine, inner) == PL_SUCCESS ? 0 : 1; });
    EXPECT_EQ(query("show(Paper, 1, OFF), message(1), show(Paper, 1, OFF)."), 1);
    EXPECT_EQ(host.take(), "HasControl 5; HasControl 5; Show 5; Enable 5; ClearMark 5; HasControl 5; Hide 5; "
                           "Enable 5; ClearMark 5");
}

// A deep compound term resolved out of a dying frame meets the depth limit where its walk did,
// whether its innermost arguments are constants or variables bound to them, and when it is
// reached through a variable bound to it: a recursion that answers with a plain fact goes
// deeper than one that answers with such a term.
TEST_F(Interpreter, DeepTermsOutOfDyingFramesMeetTheDepthLimitWhereTheirWalksDid) {
    std::string ground = "f(1, 2)", bound = "f(_A, 2)";
    for (int i = 1; i < 900; ++i) {
        ground = "f(" + ground + ", 2)";
        bound = "f(" + bound + ", 2)";
    }
    load(("ground(" + ground + "). bound(_A, " + bound + ")."
          "g(0, _X) :- ground(_X). g(_N, _X) :- greater(_N, 0), sub(_N, 1, _M), g(_M, _X)."
          "b(0, _X) :- bound(1, _X). b(_N, _X) :- greater(_N, 0), sub(_N, 1, _M), b(_M, _X)."
          "w(0, _X) :- pick(" + ground + ", _X). w(_N, _X) :- greater(_N, 0), sub(_N, 1, _M), w(_M, _X)."
          "pick(_T, w(_T))."
          "p(0, _X). p(_N, _X) :- greater(_N, 0), sub(_N, 1, _M), p(_M, _X).")
             .c_str());
    struct Row {
        int n;
        const char* expected;  // of g, b, p and w
    } rows[] = {{109, "1 1 1 1"}, {110, "error 4102 error 4102 1 error 4102"}};
    for (const Row& row : rows) {
        std::string got;
        for (const char* name : {"g", "b", "p", "w"})
            got += (got.empty() ? "" : " ") + solve((std::string(name) + "(" + std::to_string(row.n) + ", _X)").c_str());
        EXPECT_EQ(got, row.expected) << row.n;
        EXPECT_EQ(e->depth, 0);
    }
}

// The one walk over a clause that a conjunction's left goal takes answers as the look at first
// arguments and the reading of the clause's parts do, for every kind of clause and key, whether
// the goal's key was worked out before or is worked out by the walk (from a goal whose first
// argument is the key); the look over many clauses, which reads the key once, answers as the look
// at one; and a record read from the facts kept in it answers as one read from its term.
TEST_F(Interpreter, OneWalkOverAClauseAnswersAsTheLookAndItsParts) {
    std::string big = "k(1, _V0) :- t([_V0";
    for (int i = 1; i <= 2100; ++i) big += ", _V" + std::to_string(i);
    big += "]).";
    TermBuilder b{e};
    std::vector<PlCell*> clauses;
    for (const std::string& text : {std::string("k(1, one)."), std::string("k(f(_X), f) :- true."),
                                    std::string("k(_Y, any)."), std::string("k([_H | _T], l)."),
                                    std::string("other(2) :- true."), std::string("k :- true."),
                                    std::string("k(a, b) :- true."), std::string("k."), big,
                                    std::string("k(-70000, n) :- true."), std::string("k(g(1), g).")})
        clauses.push_back(clause(text.c_str()));
    clauses.push_back(b.fn("k", {b.integer(1), b.atom("bare")}));  // a bare term standing for a clause
    clauses.push_back(b.fn(":-", {b.fn("k", {b.integer(2), b.atom("x")}), b.atom("true")}));
    // Each record beside a copy without facts, which is read from its term.
    std::vector<std::pair<PlCell*, PlCell*>> twins;
    for (PlCell* c : clauses) {
        ASSERT_NE(c, nullptr);
        if (c->type != PL_CLAUSE) continue;
        PlCell* unknown = pl_make_clause(e, PL_CLAUSE, nullptr);
        unknown->clause.term = c->clause.term;
        unknown->clause.var_count = c->clause.var_count;
        twins.emplace_back(c, unknown);
    }
    const PlCell* keys[] = {nullptr, b.integer(1), b.integer(2), b.fn("f", {b.integer(3)}), b.nil(),
                            b.list({b.integer(1)}), b.atom("a"), b.integer(-70000), b.fn("g", {b.integer(3)})};
    const auto goal_of = [&](const PlCell* key) {
        return b.fn("k", {key ? const_cast<PlCell*>(key) : e->cell.unbound, b.atom("x")});
    };
    const int limit = pl_depth_limit(e);
    for (PlFunctor* f : {pl_lookup_functor(e, t("k"), 2, nullptr), pl_lookup_functor(e, t("k"), 0, nullptr)}) {
        for (PlCell* c : clauses)
            for (const PlCell* key : keys)
                for (bool read : {true, false}) {
                    PlCell* goal = goal_of(key);
                    PlLazyKey ours{read ? key : PlLazyKey::unread()};
                    PlClauseParts got{};
                    const bool tried = pl_clause_to_try(e, f, goal, nullptr, limit, ours, c, got);
                    EXPECT_EQ(tried, !(key && pl_head_clashes(e, f, key, c))) << show(pl_clause_term(c));
                    EXPECT_TRUE(ours.key == key || (!read && ours.key == PlLazyKey::unread()));
                    if (key && read) {
                        EXPECT_EQ(pl_head_clashes(e, f, pl_head_filter_detail::key_word(key), c),
                                  pl_head_clashes(e, f, key, c))
                            << show(pl_clause_term(c));
                    }
                    if (!tried) continue;
                    const PlClauseParts want = pl_clause_parts(e, c);
                    EXPECT_EQ(got.term, want.term);
                    EXPECT_EQ(got.head, want.head);
                    EXPECT_EQ(got.variables, want.variables);
                    EXPECT_EQ(got.rule, want.rule);
                }
        for (auto [kept, unknown] : twins)
            for (const PlCell* key : keys) {
                PlClauseParts got{}, want{};
                PlLazyKey ours{key}, theirs{PlLazyKey::unread()};
                EXPECT_EQ(pl_clause_to_try(e, f, goal_of(key), nullptr, limit, ours, kept, got),
                          pl_clause_to_try(e, f, goal_of(key), nullptr, limit, theirs, unknown, want))
                    << show(pl_clause_term(kept));
                EXPECT_EQ(got.head, want.head);
                EXPECT_EQ(got.rule, want.rule);
                if (key) {
                    EXPECT_EQ(pl_head_clashes(e, f, pl_head_filter_detail::key_word(key), unknown),
                              pl_head_clashes(e, f, key, kept));
                }
            }
    }
}

// The look passes a clause over only where its frame fits, to the slot, for a fact and a rule; a
// rule only where its head is of the goal's functor, and a fact only for a goal of arguments.
TEST_F(Interpreter, TheLookPassesOverOnlyClausesItsTryWouldFailWithoutEffect) {
    const auto with_slots = [&](const char* head, uint32_t slots, const char* neck) {
        std::string text = std::string(head) + "(1, [_V0";
        for (uint32_t i = 1; i < slots; ++i) text += ", _V" + std::to_string(i);
        return clause((text + "])" + neck + ".").c_str());
    };
    TermBuilder b{e};
    PlFunctor* k2 = pl_lookup_functor(e, t("k"), 2, nullptr);
    PlFunctor* k0 = pl_lookup_functor(e, t("k"), 0, nullptr);
    const uint32_t fits = pl_head_filter_detail::kFrameSlots;
    ASSERT_TRUE(pl_frame_fits(fits));
    ASSERT_FALSE(pl_frame_fits(fits + 1));
    struct Row {
        const char* head;
        const char* neck;
        uint32_t slots;
        PlFunctor* f;
        bool passed;
    };
    const Row rows[] = {
        {"k", "", fits, k2, true},                   {"k", "", fits + 1, k2, false},
        {"k", " :- true", fits, k2, true},           {"k", " :- true", fits + 1, k2, false},
        {"k", " :- true", 1, k2, true},              {"other", " :- true", 1, k2, false},
        {"k", "", 1, k0, false},                     {"k", " :- true", 1, k0, false},
    };
    for (const Row& row : rows) {
        PlCell* c = with_slots(row.head, row.slots, row.neck);
        ASSERT_NE(c, nullptr);
        ASSERT_EQ(c->clause.var_count, row.slots);
        const PlCell* key = b.integer(2);
        EXPECT_EQ(pl_head_clashes(e, row.f, key, c), row.passed) << row.head << row.neck << " " << row.slots;
        EXPECT_EQ(pl_head_clashes(e, row.f, pl_head_filter_detail::key_word(key), c), row.passed) << row.slots;
        EXPECT_FALSE(pl_head_clashes(e, row.f, b.integer(1), c)) << row.slots;
    }
}

// The last clause of a list is tried without the look at first arguments: where the look would
// have passed it over, the failed try leaves the warning line as the look would have left it
// (each clause names its own line), also at the depth limit, and after a body that took its own
// clause out of the program.
TEST_F(Interpreter, ALastClauseTriedWithoutTheLookLeavesTheWarningLineAsTheLookWould) {
    load("a(1, _) :- true.\n"
         "a(2, _).\n"
         "b(x, _) :- fail.\n"
         "b(_X, _) :- sum(1, 1, _X).\n"
         "c(f(1), _).\n"
         "c(g(_Y), _) :- true.\n"
         "l([], _).\n"
         "l([_H | _T], _) :- l(_T, 0).\n"
         "i(1).\n"
         "i(2).\n"
         "r(1, _).\n"
         "r(_X, _) :- retract(r(_X, _)), fail.\n"
         "v(_X, _) :- fail.\n"
         "v(1, _).\n");
    struct Row {
        const char* goal;
        int below_limit;  // levels left under the depth limit when the goal is called; 0 for all
        const char* outcome;
        int line;         // the warning line afterwards, 99 before the call
    } rows[] = {
        {"a(3, 0)", 0, "0", 99},     {"a(2, 0)", 0, "1", 2},          {"a(1, 0)", 0, "1", 1},
        {"a(_X, 0)", 0, "1", 1},     {"b(y, 0)", 0, "0", 4},          {"b(2, 0)", 0, "1", 4},
        {"c(h(1), 0)", 0, "0", 99},  {"c(f(2), 0)", 0, "0", 5},       {"c(g(2), 0)", 0, "1", 6},
        {"l([1, 2], 0)", 0, "1", 7}, {"l(a, 0)", 0, "0", 99},         {"l(7, 0)", 0, "0", 99},
        {"i(3)", 0, "0", 99},        {"i(2)", 0, "1", 10},            {"r(2, 0)", 0, "0", 12},
        {"r(2, 0)", 0, "0", 99},     {"a(3, 0)", 7, "error 4102", 99}, {"a(3, 0)", 8, "0", 99},
        {"b(y, 0)", 7, "error 4102", 99}, {"b(y, 0)", 8, "0", 4},     {"l(a, 0)", 7, "error 4102", 99},
        {"l(a, 0)", 8, "0", 99},     {"c(h(1), 0)", 11, "error 4102", 99}, {"c(h(1), 0)", 12, "0", 99},
        {"v(2, 0)", 0, "0", 99},     {"v(1, 0)", 0, "1", 14},         {"v(2, 0)", 7, "error 4102", 99},
        {"v(2, 0)", 8, "0", 99},     {"v(2, 0)", 9, "0", 99},         {"v(2, 0), true", 0, "0", 99},
        {"v(2, 0), true", 11, "0", 14}, {"v(2, 0), true", 12, "0", 99}, {"v(2, 0), true", 13, "0", 99},
    };
    for (const Row& row : rows) {
        e->warning_line = 99;
        if (row.below_limit) e->depth = pl_depth_limit(e) - row.below_limit;
        EXPECT_EQ(solve(row.goal), row.outcome) << row.goal << " " << row.below_limit;
        EXPECT_EQ(e->warning_line, row.line) << row.goal << " " << row.below_limit;
        e->depth = 0;
    }
}

// Calls through rule bodies of one goal run as levels of one loop, a new native frame taken every
// so many levels: at every length the answers, the bindings carried up, a retry after a body
// that stopped, and the first depth at which the chain ends in error 4102 are those of nested
// calls.
TEST_F(Interpreter, ChainsOfOneGoalBodiesAnswerAsNestedCallsAtEveryLength) {
    load("w([], ok). w([_H | _T], _R) :- w(_T, _R).\n"
         "k([]) :- true, !. k([]). k([_H | _T]) :- k(_T). k(_).\n"
         "v([], _X) :- _X. v([_H | _T], _X) :- v(_T, _X).\n");
    struct Row {
        const char* name;
        const char* rest;  // the goal's arguments after the list
        int length;
        int below_limit;  // levels left under the depth limit when the goal is called; 0 for all
        const char* expected;
    } rows[] = {
        {"w", ", _R", 15, 0, "1 _R=ok"},     {"w", ", _R", 40, 0, "1 _R=ok"},     {"w", ", _R", 16, 69, "error 4102"},
        {"w", ", _R", 16, 70, "1 _R=ok"},    {"w", ", _R", 17, 73, "error 4102"}, {"w", ", _R", 17, 74, "1 _R=ok"},
        {"w", ", _R", 33, 137, "error 4102"}, {"w", ", _R", 33, 138, "1 _R=ok"},   {"k", "", 16, 0, "1 _R=?"},
        {"k", "", 17, 0, "1 _R=?"},          {"k", "", 33, 0, "1 _R=?"},          {"v", ", fail", 17, 0, "0 _R=?"},
        {"v", ", _R", 17, 0, "error 4112"},  {"v", ", 7", 17, 0, "error 4112"},   {"v", ", true", 17, 0, "1 _R=?"},
    };
    for (const Row& row : rows) {
        const std::string goal = std::string(row.name) + "(" + list_of_ones(row.length) + row.rest + ")";
        if (row.below_limit) e->depth = pl_depth_limit(e) - row.below_limit;
        EXPECT_EQ(solve(goal.c_str(), {"_R"}), row.expected) << goal << " " << row.below_limit;
        e->depth = 0;
    }
}

// Such a chain looks at the native stack where nested calls look, whenever the depth crosses a
// multiple of 64: a look that finds the stack's reserve ends the chain in error 4102 at that
// level (before the loop, at its start, inside it, at a new native frame), one that finds the
// stack deep notes it, and the depth limit holds wherever the stack stands.
TEST_F(Interpreter, ChainsOfOneGoalBodiesLookAtTheStackAsNestedCallsDo) {
    load("w([], ok). w([_H | _T], _R) :- w(_T, _R).\n");
    enum Stack { kRoom, kDeep, kReserve };
    struct Row {
        int length;
        // The depth the goal is called at: so many levels under 6,400, a multiple of 64, or
        // (negative) under the limit. A call takes 4 levels, the first before the loop and the
        // second at its start, and the deepest takes one more.
        int below;
        Stack stack;
        const char* expected;
        int went_deep;
    } rows[] = {
        {20, 1, kReserve, "error 4102", 1},  {20, 8, kReserve, "error 4102", 1},
        {20, 12, kReserve, "error 4102", 1}, {20, 40, kReserve, "error 4102", 1},
        {20, 64, kReserve, "error 4102", 1}, {3, 17, kReserve, "error 4102", 1},
        {3, 18, kReserve, "1 _R=ok", 0},     {3, 65, kReserve, "error 4102", 1},
        {20, 12, kDeep, "1 _R=ok", 1},       {3, 17, kDeep, "1 _R=ok", 1},
        {3, 18, kDeep, "1 _R=ok", 0},        {20, 12, kRoom, "1 _R=ok", 0},
        {3, -17, kDeep, "error 4102", 0},    {3, -18, kDeep, "1 _R=ok", 1},
        {3, -17, kRoom, "error 4102", 0},    {3, -18, kRoom, "1 _R=ok", 0},
        {20, -85, kRoom, "error 4102", 0},   {20, -86, kRoom, "1 _R=ok", 0},
        {20, -86, kDeep, "1 _R=ok", 1},
    };
    const uintptr_t floor = e->stack_floor, deep_mark = e->stack_deep_mark;
    for (const Row& row : rows) {
        // A floor above every address finds the reserve at each look, a floor of 1 never does;
        // a deep mark above every address finds the stack deep at each look.
        e->stack_floor = row.stack == kReserve ? UINTPTR_MAX : 1;
        e->stack_deep_mark = row.stack == kRoom ? 0 : UINTPTR_MAX;
        e->stack_went_deep = 0;
        // Read and answered at depth 0: only the call itself runs at the row's depth.
        PlCell* c = clause(("w(" + list_of_ones(row.length) + ", _R).").c_str());
        ASSERT_TRUE(c);
        const PlFrameMark mark = pl_frame_mark(e);
        const size_t trail = pl_trail_mark(e);
        PlFrame* frame = pl_frame_alloc(e, c->clause.var_count, nullptr, nullptr);
        PlList* answers = pl_list_new(e);
        const int depth = row.below < 0 ? pl_depth_limit(e) + row.below : 64 * 100 - row.below;
        e->depth = depth;
        const int outcome = pl_guarded(e, -1, [&] { return pl_call(e, c->clause.term, frame, answers); });
        const int went_deep = e->stack_went_deep, depth_after = e->depth;
        e->stack_floor = floor;
        e->stack_deep_mark = deep_mark;
        e->depth = 0;
        std::string out = outcome < 0 ? "error " + std::to_string(pl_last_error(e).code) : std::to_string(outcome);
        if (outcome == PL_SUCCESS)
            out += " _R=" + show(pl_resolve_term(e, find(c->clause.term, t("_R")), frame, frame).term);
        EXPECT_EQ(out, row.expected) << row.length << " " << row.below;
        EXPECT_EQ(went_deep, row.went_deep) << row.length << " " << row.below;
        EXPECT_EQ(depth_after, depth) << row.length << " " << row.below;
        pl_list_free(e, answers);
        e->run.trail.resize(trail);
        pl_frame_unwind(e, mark);
    }
    e->stack_went_deep = 0;
}

// A chain of such bodies that answered leaves the frame stack as nested calls leave it, each of
// its frames released: across the levels one native frame holds, across the ends of frame chunks,
// under a conjunction, and after a chain that failed or stopped.
TEST_F(Interpreter, ChainsOfOneGoalBodiesGiveBackEveryFrame) {
    load("w([], ok). w([_H | _T], _R) :- w(_T, _R).\n"
         "c(_L, _M, _R) :- w(_L, _R), w(_M, _R).\n"
         "v([], _X) :- _X. v([_H | _T], _X) :- v(_T, _X).\n");
    struct Row {
        const char* goal;  // %L a list of length, %M one of 17
        int length;
        const char* expected;
    } rows[] = {
        {"w(%L, _R)", 1, "1"},     {"w(%L, _R)", 16, "1"},         {"w(%L, _R)", 17, "1"},
        {"w(%L, _R)", 700, "1"},   {"w(%L, bad)", 700, "0"},       {"c(%L, %M, _R)", 800, "1"},
        {"v(%L, fail)", 40, "0"},  {"v(%L, w(%M, _R))", 900, "1"}, {"v(%L, (w(%M, _R), w(%L, _R)))", 300, "1"},
    };
    for (const Row& row : rows) {
        std::string goal = row.goal;
        for (size_t at; (at = goal.find("%L")) != std::string::npos;) goal.replace(at, 2, list_of_ones(row.length));
        for (size_t at; (at = goal.find("%M")) != std::string::npos;) goal.replace(at, 2, list_of_ones(17));
        // Frames made on a chunk filled but for a few frames, so that the chain crosses its end soon.
        const PlFrameMark mark = pl_frame_mark(e);
        pl_frame_alloc(e, 0, nullptr, nullptr);
        while (e->run.frame_end - e->run.frame_top > 8 * static_cast<ptrdiff_t>(pl_frame_bytes(4)))
            pl_frame_alloc(e, 4, nullptr, nullptr);
        const std::string out = call_goal(goal.c_str(), [&](PlCell*, PlFrame* frame, PlList*, int outcome) {
            const bool back = e->run.frame_top == reinterpret_cast<char*>(frame) + pl_frame_bytes(frame->count);
            return std::to_string(outcome) + (back ? "" : " frames left");
        });
        EXPECT_EQ(out, row.expected) << row.goal << " " << row.length;
        pl_frame_unwind(e, mark);
    }
}

// However the clauses of a predicate lie in its three lists, a body of one goal tries them as the
// left goal and the last goal of a conjunction do, in propagation mode (the third list only) too.
TEST_F(Interpreter, OneGoalBodiesTryTheListsAsTheOtherCallsDo) {
    load("b(1). b(2). b(3). one(_X) :- b(_X). left(_X) :- b(_X), true. last(_X) :- true, b(_X).");
    PlFunctor* b = pl_lookup_functor(e, t("b"), 1, nullptr);
    std::vector<void*> clauses;
    pl_list_each(b->clauses[0], [&](void* clause) { clauses.push_back(clause); });
    struct Row {
        int lists[3];  // the list each clause of b goes to
        bool propagation;
        const char* expected;
    } rows[] = {
        {{0, 0, 0}, false, "1 _X=1"}, {{1, 0, 2}, false, "1 _X=2"}, {{1, 1, 2}, false, "1 _X=1"},
        {{2, 2, 2}, false, "1 _X=1"}, {{2, 1, 2}, false, "1 _X=2"}, {{1, 0, 2}, true, "1 _X=3"},
        {{0, 0, 1}, true, "0"},       {{2, 2, 1}, true, "1 _X=1"},
    };
    for (const Row& row : rows) {
        for (PlList*& list : b->clauses) {
            if (!list) list = pl_list_new(e);
            while (pl_list_remove_first(e, list)) {
            }
        }
        for (int i = 0; i < 3; ++i) pl_list_append(e, b->clauses[row.lists[i]], clauses[i]);
        if (row.propagation) e->flags |= PLE_PROPAGATION;
        for (const char* name : {"one", "left", "last"}) {
            // The goal itself, as the goal of a query, uses every list.
            pl_lookup_functor(e, t(name), 1, nullptr)->flags |= PLF_ALL_LISTS;
            const std::string goal = std::string(name) + "(_X)";
            EXPECT_EQ(row.expected[0] == '0' ? solve(goal.c_str()) : solve(goal.c_str(), {"_X"}), row.expected)
                << goal << " " << row.lists[0] << row.lists[1] << row.lists[2];
        }
        e->flags &= ~PLE_PROPAGATION;
    }
}

// A rule body of one goal records into its caller's table when that holds nothing yet: the
// table ends as the body's own table moved into it would leave it, after bodies that failed
// having recorded, into tables that hold entries already, and through nested bodies.
TEST_F(Interpreter, ABodyOfOneGoalLeavesTheAnswersAsATableOfItsOwnWould) {
    load("p(_X, _) :- q(_X, 0).\n"
         "q(_X, _) :- r(_X, 0), fail.\n"
         "q(_X, _) :- r(_X, 0).\n"
         "r(_X, _) :- s(_X, 0).\n"
         "s(1, _). s(2, _). s(3, _).\n"
         "t(_X, _) :- s(_X, 1), p(_X, 1).\n"
         "n(_X, _) :- not(p(_X, 7)).\n"
         "o(_X, _) :- p(_X, 1), fail.\n"
         "o(_X, _) :- s(_X, 2).\n"
         // Chains of such bodies longer than the levels one native frame holds.
         "d([], _X, _) :- o(_X, 0).\n"
         "d([_H | _T], _X, _) :- d(_T, _X, 0).\n"
         "e([], _X, _) :- p(_X, 2), fail.\n"
         "e([_H | _T], _X, _) :- e(_T, _X, 0).\n"
         "e(_L, _X, _) :- s(_X, 3).\n"
         "g([], _X, _) :- n(_X, 0).\n"
         "g([_H | _T], _X, _) :- g(_T, _X, 0).\n"
         "m(_X, _) :- not(p(_X, 8)).\n"
         "m(_X, _) :- s(_X, 4).\n"
         "h([], _X, _) :- m(_X, 0).\n"
         "h([_H | _T], _X, _) :- h(_T, _X, 0).\n");
    // The functors in the call's answers in the order they entered, after the outcome.
    auto table = [&](const char* goal) {
        return call_goal(goal, [](PlCell*, PlFrame*, PlList* answers, int outcome) {
            std::string out = std::to_string(outcome);
            pl_list_each(answers, [&](void* f) { out += std::string(" ") + static_cast<PlFunctor*>(f)->name->name; });
            return out;
        });
    };
    // One engine: each row records against the values the rows above left.
    const struct {
        const char* goal;
        const char* answers;
    } rows[] = {
        {"p(_X, 0)", "1 r q p"},     {"p(_X, 0)", "1"},           {"p(2, 0)", "1 r q p"},
        {"p(1, 0), p(3, 0)", "1 r q p"}, {"t(_X, 0)", "1 r q p t"}, {"t(_X, 0)", "1"},
        {"n(_X, 0)", "0"},           {"n(5, 0)", "1 n"},          {"o(_X, 0)", "1 s o"},
        {"o(_X, 0)", "1 s"},         {"p(5, 0)", "0"},
        {"d([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20], _X, 0)", "1 s d"},
        {"e([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20], _X, 0)", "1 s e"},
        {"g([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20], _X, 0)", "0"},
        {"h([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20], _X, 0)", "1 s m h"},
    };
    for (const auto& row : rows) EXPECT_EQ(table(row.goal), row.answers) << row.goal;
}

// The last goal of a body, when its predicate walks a list, p([A | B], C, [E | D]), runs straight
// in the loop of one-goal bodies: its outcome, what it bound, the answers it leaves in a table
// that holds entries already or none, after calls that failed, and the depth at which it ends in
// error 4102 are those of an ordinary call.
TEST_F(Interpreter, ALastGoalThatWalksAListAnswersAsAnOrdinaryCall) {
    load("app([], _L, _L). app([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R).\n"
         "nrev([], []). nrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R).\n"
         "s(1, _). s(2, _).\n"
         "p(_X) :- s(_X, 0).\n"
         // The last goal's predicate recursing through a conjunction of its own (an ordinary call
         // then) or of another predicate.
         "fails([_H | _T], _L, [_H | _R]) :- p(_H), fails(_T, _L, _R).\n"
         "w([], _L, _L). w([_H | _T], _L, [_H | _R]) :- v(_T, _L, _R).\n"
         "v(_T, _L, _R) :- p(_X), w(_T, _L, _R).\n"
         "one(_R) :- true, app([1], [2], _R).\n"
         "after(_R) :- p(_A), app([_A, 3], [_A], _R).\n"
         "failed(_R) :- p(_A), app([_A], [2], [9 | _R]).\n"
         "deep(_R) :- p(_A), fails([_A, 2], [], _R).\n"
         "walk(_R) :- p(_A), w([_A, 2, 3], [4], _R).\n");
    const auto list = [](int n) {
        std::string text = "[";
        for (int i = 0; i < n; ++i) text += i ? ", " + std::to_string(i) : "0";
        return text + "]";
    };
    struct Row {
        const char* goal;  // %L a list of length
        int length;
        int below_limit;  // levels left under the depth limit when the goal is called; 0 for all
        const char* expected;
    } rows[] = {
        {"one(_R)", 0, 0, "1 [1,2] | app one"},
        {"after(_R)", 0, 0, "1 [1,3,1] | s app after"},
        {"failed(_R)", 0, 0, "0 |"},
        {"deep(_R)", 0, 0, "0 |"},
        {"walk(_R)", 0, 0, "1 [1,2,3,4] | s w v walk"},
        {"nrev(%L, _R)", 3, 0, "1 [2,1,0] | app nrev"},
        {"nrev(%L, _R)", 3, 36, "error 4102"},
        {"nrev(%L, _R)", 3, 37, "1 [2,1,0] | app"},  // nrev recorded these values above
        {"nrev(%L, _R)", 12, 108, "error 4102"},
        {"nrev(%L, _R)", 12, 109, "1 [11,10,9,8,7,6,5,4,3,2,1,0] | app nrev"},
        {"nrev(%L, _R)", 40, 332, "error 4102"},
        {"nrev(%L, _R)", 40, 333,
         "1 [39,38,37,36,35,34,33,32,31,30,29,28,27,26,25,24,23,22,21,20,19,18,17,16,15,14,13,12,11,10,"
         "9,8,7,6,5,4,3,2,1,0] | app nrev"},
    };
    for (const Row& row : rows) {
        std::string goal = row.goal;
        if (const size_t at = goal.find("%L"); at != std::string::npos) goal.replace(at, 2, list(row.length));
        if (row.below_limit) e->depth = pl_depth_limit(e) - row.below_limit;
        const std::string out = call_goal(goal.c_str(), [&](PlCell* c, PlFrame* frame, PlList* answers, int outcome) {
            std::string text = std::to_string(outcome);
            if (outcome == PL_SUCCESS) {
                PlCell* var = find(c->clause.term, pie_intern_string(e, "_R"));
                text += " " + (var ? show(pl_resolve_term(e, var, frame, frame).term) : std::string("?"));
            }
            text += " |";
            pl_list_each(answers, [&](void* f) { text += std::string(" ") + static_cast<PlFunctor*>(f)->name->name; });
            return text;
        });
        EXPECT_EQ(out, row.expected) << goal << " " << row.below_limit;
        e->depth = 0;
    }
}

}  // namespace
