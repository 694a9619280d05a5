// Speed of the interpreter's inner loop: naive reverse of a 30-element list (496 logical
// inferences), written in the rule syntax and run again and again as one query, and the same
// program run in the same process run by SWI-Prolog and GNU Prolog when they are installed
// (Debian's swi-prolog-nox and gprolog). Every case reports "LIPS", logical inferences per
// second; the other systems' cases also report "engine_ratio", the engine's LIPS divided by theirs,
// each the median over rounds that time the engine and the peer in turn, each side the median
// of batches of processor time.
#include "prolog_peers.h"

#include "pie/builtins/builtins.h"
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/run/interpreter.h"
#include "pie/text/lexer.h"
#include "pie/terms/list.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr double kInferences = 496;

constexpr const char* kProgram =
    "app([], _L, _L)."
    "app([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R)."
    "nrev([], [])."
    "nrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R).";

std::string query_text() {
    std::string list;
    for (int i = 1; i <= 30; ++i) list += (i > 1 ? ", " : "") + std::to_string(i);
    return "nrev([" + list + "], _R).";
}

// One engine holding the program and the prepared query.
class NrevEngine {
public:
    NrevEngine() : engine_(pl_engine_create(nullptr, 0)) {  // not in propagation mode
        pl_guarded(engine_, -1, [&] {
            pl_compiler_create(engine_);
            pl_builtins_install(engine_);
            PlToken token;
            pl_lex_start(engine_, kProgram, &token);
            while (PlCell* clause = pl_read_clause(engine_, &token, PL_CLAUSE)) {
                PlFunctor* f = pl_clause_head(engine_, clause->clause.term)->fn.functor;
                if (!f->clauses[0]) f->clauses[0] = pl_list_new(engine_);
                pl_list_append(engine_, f->clauses[0], clause);
            }
            const std::string text = query_text();
            pl_lex_start(engine_, text.c_str(), &token);
            query_ = pl_read_clause(engine_, &token, PL_QUERY_CLAUSE);
            return 0;
        });
    }
    ~NrevEngine() { pl_engine_destroy(engine_); }
    NrevEngine(const NrevEngine&) = delete;
    NrevEngine& operator=(const NrevEngine&) = delete;

    bool loaded() const { return query_ != nullptr; }
    bool run() { return pl_guarded(engine_, -1, [&] { return pl_execute_main(engine_, query_); }) == 1; }

private:
    PieEngine* engine_;
    PlCell* query_ = nullptr;
};

void NaiveReverse30(benchmark::State& state) {
    NrevEngine engine;
    if (!engine.loaded()) {
        state.SkipWithError("the program did not load");
        return;
    }
    for (auto _ : state) {
        if (!engine.run()) {
            state.SkipWithError("naive reverse failed");
            return;
        }
    }
    state.counters["LIPS"] = benchmark::Counter(state.iterations() * kInferences, benchmark::Counter::kIsRate);
}
BENCHMARK(NaiveReverse30)->Unit(benchmark::kMicrosecond);

// The engine's milliseconds per run for the ratios, timed as the peers are: the median of batches.
double engine_ms() {
    static NrevEngine engine;
    if (!engine.loaded()) return 0;
    return batchtiming::MedianMsPerRun([&] { return engine.run(); });
}

// The same program in standard Prolog.
constexpr const char* kPrologProgram = R"(
app([], L, L).
app([H|T], L, [H|R]) :- app(T, L, R).
nrev([], []).
nrev([H|T], R) :- nrev(T, RT), app(RT, [H], R).
list30([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30]).
goal :- list30(L), nrev(L, _).
)";

void NaiveReverse30Prolog(benchmark::State& state, const prologpeers::System& system) {
    for (auto _ : state) {
        std::string error;
        const prologpeers::Rounds timed = prologpeers::TimeInRounds(system, kPrologProgram, engine_ms, error);
        if (timed.peer_ms <= 0) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(timed.peer_ms / 1000);
        state.counters["LIPS"] = kInferences / (timed.peer_ms / 1000);
        // Of LIPS, the inverse of the ratio of times.
        if (timed.engine_over_peer > 0) state.counters["engine_ratio"] = 1 / timed.engine_over_peer;
    }
}
BENCHMARK_CAPTURE(NaiveReverse30Prolog, swipl, prologpeers::kSwi)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NaiveReverse30Prolog, gprolog, prologpeers::kGnu)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
