// Speed of the interpreter's inner loop: naive reverse of a 30-element list (496 logical
// inferences), written in the rule syntax and run again and again as one query. The counter
// "LIPS" is logical inferences per second.
#include "pie/builtins.h"
#include "pie/compiler.h"
#include "pie/engine.h"
#include "pie/guard.h"
#include "pie/interpreter.h"
#include "pie/lexer.h"
#include "pie/list.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr const char* kProgram =
    "app([], _L, _L)."
    "app([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R)."
    "nrev([], [])."
    "nrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R).";

constexpr int kInferences = 496;

std::string query_text() {
    std::string list;
    for (int i = 1; i <= 30; ++i) list += (i > 1 ? ", " : "") + std::to_string(i);
    return "nrev([" + list + "], _R).";
}

void NaiveReverse30(benchmark::State& state) {
    PieEngine* engine = pl_engine_create(nullptr, 0);  // not in propagation mode: helpers use every list
    PlCell* query = nullptr;
    pl_guarded(engine, -1, [&] {
        pl_compiler_create(engine);
        pl_builtins_install(engine);
        PlToken token;
        pl_lex_start(engine, kProgram, &token);
        while (PlCell* clause = pl_read_clause(engine, &token, PL_CLAUSE)) {
            PlFunctor* f = pl_clause_head(engine, clause->clause.term)->fn.functor;
            if (!f->clauses[0]) f->clauses[0] = pl_list_new(engine);
            pl_list_append(engine, f->clauses[0], clause);
        }
        const std::string text = query_text();
        pl_lex_start(engine, text.c_str(), &token);
        query = pl_read_clause(engine, &token, PL_QUERY_CLAUSE);
        return 0;
    });
    if (!query) {
        state.SkipWithError("the program did not load");
        pl_engine_destroy(engine);
        return;
    }
    for (auto _ : state) {
        const int outcome = pl_guarded(engine, -1, [&] { return pl_execute_main(engine, query); });
        if (outcome != 1) {
            state.SkipWithError("naive reverse failed");
            break;
        }
    }
    state.counters["LIPS"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kInferences, benchmark::Counter::kIsRate);
    pl_engine_destroy(engine);
}
BENCHMARK(NaiveReverse30)->Unit(benchmark::kMicrosecond);

}  // namespace
