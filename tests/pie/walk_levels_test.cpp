// The levels of a walk over lists taken by the walk's own steps (pie/run/walk_levels.h) against the
// loop's general steps alone (PLE_WALK_GENERAL): every goal, run in turn on two engines that differ
// in that flag alone, must leave the same outcome or error, bindings, recorded values, answers,
// warning line, depth and trail.
#include "run_fixture.h"

#include "pie/api/api.h"

#include <string>
#include <vector>

namespace {

// One engine of the comparison.
struct WalkEngine : RunTest {
    void TestBody() override {}

    // What a goal left, read right after its call.
    std::string run(const char* goal, const std::vector<const char*>& functors) {
        const size_t trail = pl_trail_mark(e);
        const std::string out = call_goal(goal, [&](PlCell* c, PlFrame* frame, PlList* answers, int outcome) {
            std::string s = std::to_string(outcome);
            for (const char* name : {"_X", "_Y", "_R", "_M", "_T"})
                if (PlCell* var = find(c->clause.term, t(name)))
                    s += std::string(" ") + name + "=" + show(pl_resolve_term(e, var, frame, frame).term);
            s += " |";
            pl_list_each(answers, [&](void* f) { s += std::string(" ") + static_cast<PlFunctor*>(f)->name->name; });
            s += " | changed";
            pl_list_each(e->run.changed, [&](void* item) {
                auto* f = static_cast<PlFunctor*>(item);
                s += std::string(" ") + f->name->name;
                f->marks &= ~uint32_t{PLM_IN_CHANGED};  // emptied below, as a query's end empties it
            });
            pl_list_clear(e, e->run.changed);
            for (const char* name : functors) {
                PlFunctor* f = pl_lookup_functor(e, t(name), 3, nullptr);
                s += std::string(" | ") + name;
                for (uint32_t i = 0; i < 3; ++i) {
                    const PlCell* value = f->values->items[i];
                    s += std::string(" ") + (value ? show(value) : "-");
                }
            }
            s += " | line " + std::to_string(e->warning_line) + " depth " + std::to_string(e->depth) + " trail " +
                 std::to_string(pl_trail_mark(e) - trail);
            return s;
        });
        return out + " | after: depth " + std::to_string(e->depth) + " line " + std::to_string(e->warning_line);
    }
};

std::string list_of(int n, int from = 1) {
    std::string s = "[";
    for (int i = 0; i < n; ++i) s += (i ? ", " : "") + std::to_string(from + i);
    return s + "]";
}

TEST(WalkLevels, AnswerAsTheLoopsGeneralSteps) {
    const char* program =
        "app([], _L, _L).\napp([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R).\n"
        "nrev([], []).\nnrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R).\n"
        "h(_X).\nr(_L, _B, _C, _M) :- app(_L, [], _M), s(_M, _B, _C), h(1).\ns(_L, _B, _C) :- app(_L, _B, _C).\n"
        // Clauses the look passes over before the rule, and after it.
        "cat(foo, _L, _L).\ncat(7, _L, [7]).\ncat([], _L, _L).\ncat([_H | _T], _L, [_H | _R]) :- cat(_T, _L, _R).\n"
        "two([], _L, _L).\ntwo([_H | _T], _L, [_H | _R]) :- two(_T, _L, _R).\n"
        "two([_H | _T], _L, [x | _R]) :- two(_T, _L, _R).\n"
        // The rule first, and a rule whose head's look keys no list.
        "w([_H | _T], _L, [_H | _R]) :- w(_T, _L, _R).\nw([], _L, _L).\n"
        "v([_H | _T], _L, [_H | _R]) :- v(_T, _L, _R).\nv(_X, _L, _L).\n"
        // Ends that fail: before the rule, and as the last clause.
        "z([], 1, _L).\nz([_H | _T], _L, [_H | _R]) :- z(_T, _L, _R).\n"
        "y([_H | _T], _L, [_H | _R]) :- y(_T, _L, _R).\ny([], 1, _L).\n";
    const std::vector<const char*> functors = {"app", "cat", "two", "w", "v", "z", "y"};
    std::vector<std::string> goals = {
        "app([1, 2, 3], [4], _X)",
        "app([1, 2, 3], [4], _X)",
        "app([], [4], _X)",
        "app([1, 2, 3], [4], [1, 2, 3, 4])",
        "app([1, 2, 3], [4], [1, 2, 9, 4])",  // fails three levels down
        "app([1, 2, 3], [4], [1, 2 | _T])",
        "app([1, 2 | _T], [4], _X)",  // the walk meets an unbound tail
        "app([a, f(1), [2]], _Y, _X)",
        "app([_A, _B, 3], [1], _X)",
        "app([1, 2], _Y, _X)",
        "app([1, 2], x, _X)",
        "app(" + list_of(20) + ", [0], _X)",
        "app(" + list_of(40) + ", " + list_of(3) + ", _X)",
        "app(" + list_of(100) + ", [], _X)",
        "nrev(" + list_of(30) + ", _R)",
        "nrev(" + list_of(30) + ", _R)",
        "nrev(" + list_of(31) + ", _R)",
        "r([2, 3, 4], [5], _Y, _M)",
        "r([2, 3, 4], [5], _Y, _M)",
        "_X = 7, r([1, 2, 3], [_X], _Y, _M)",
        "r([1, 2, 3], [_Z], _Y, _M)",
        "cat([1, 2, 3], [4], _X)",
        "cat(foo, [4], _X)",
        "cat(7, [4], _X)",
        "two([1, 2, 3], [], _X)",
        "two([1, 2, 3], [], [1, x, 3])",
        "w([1, 2, 3], [4], _X)",
        "v([1, 2, 3], [4], _X)",
        "z([1, 2], 1, _X)",
        "z([1, 2], 2, _X)",
        "y([1, 2], 1, _X)",
        "y([1, 2], 2, _X)",
        "app([1, 2], [3], [1, 2, 3 | _T])",
        "app([1, 2], [3], [1, 2])",
    };
    // Walks that reach the depth limit at each of their levels' steps, and just short of it.
    for (int n : {985, 990, 993, 994, 995, 996, 997, 998, 999, 1000, 1005})
        goals.push_back("app(" + list_of(n) + ", [0], _X)");
    goals.push_back("app(" + list_of(30) + ", [4], _X)");
    WalkEngine general, walks;
    general.e->flags |= PLE_WALK_GENERAL;
    // The table of functors a query changed, as propagation keeps it.
    for (WalkEngine* engine : {&general, &walks}) engine->e->run.changed = pl_list_new(engine->e);
    general.load(program);
    walks.load(program);
    for (const std::string& goal : goals) {
        const std::string want = general.run(goal.c_str(), functors);
        EXPECT_EQ(walks.run(goal.c_str(), functors), want) << goal;
    }
    for (WalkEngine* engine : {&general, &walks}) {
        pl_list_free(engine->e, engine->e->run.changed);
        engine->e->run.changed = nullptr;
    }
}

// Walks on the engine's own stack, as the host's queries run, below recursions deep enough to
// bring them near the stack's deep mark and past it, where the head matches of a walk's levels
// leave the quick steps: the outcome or error of each query, the depth after it and whether the
// stack went deep.
TEST(WalkLevels, DeepWalksAnswerAsTheLoopsGeneralSteps) {
    const std::string program =
        "app([], _L, _L).\napp([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R).\n"
        "deep(0, _L, _R) :- app(_L, [0], _R).\n"
        "deep(_N, _L, _R) :- _N > 0, _M is _N - 1, deep(_M, _L, _R), true.\n";
    std::vector<std::string> queries;
    for (int n = 0; n <= 40000; n += 4000)
        queries.push_back("deep(" + std::to_string(n) + ", " + list_of(2000) + ", _R)");
    std::string answers[2];
    for (int walks = 0; walks < 2; ++walks) {
        PieEngine* e = nullptr;
        ASSERT_EQ(PIE_init(&e, nullptr, 0x400), 0);
        if (!walks) e->flags |= PLE_WALK_GENERAL;
        EXPECT_EQ(PIE_main(e, program.c_str()), 0);
        for (const std::string& query : queries) {
            const std::string text = query + ".";
            const int outcome = pl_guarded(e, -1, [&] {
                PlToken token;
                pl_lex_start(e, text.c_str(), &token);
                return pl_execute_main(e, pl_read_clause(e, &token, PL_CLAUSE));
            });
            answers[walks] += query.substr(0, 12) + " -> " + std::to_string(outcome) +
                              (outcome < 0 ? " error " + std::to_string(pl_last_error(e).code) : "") + " depth " +
                              std::to_string(e->depth) + " went deep " + std::to_string(e->stack_went_deep) + "\n";
        }
        PIE_term(e);
    }
    EXPECT_EQ(answers[1], answers[0]);
}

}  // namespace
