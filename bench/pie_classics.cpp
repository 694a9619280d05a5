// Speed of the rule engine on the classic Prolog benchmarks, beside SWI-Prolog and GNU Prolog in
// the same run: tak(18, 12, 6) written with "is" and with the arithmetic built-ins, all 92
// placings of 8 queens, and symbolic derivative. The engine's cases report the time of one run
// (and tak with "is" its ratio to tak with the built-ins); each peer's case reports its own time
// and "engine_slower", the engine's time divided by the peer's. All ratios are of processor time,
// each the median over rounds that time the engine and the peer in turn.
#include "prolog_peers.h"
#include "tests/pie/rule_programs.h"

#include "pie/api/api.h"
#include "pie/api/guard.h"
#include "pie/build/compiler.h"
#include "pie/run/interpreter.h"
#include "pie/text/lexer.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Classic {
    const char* name;
    const char* engine_program;
    std::string engine_query;
    const char* prolog_program;  // standard Prolog defining goal/0
};

constexpr const char* kPrologTak = R"(
tak(X, Y, Z, A) :- X =< Y, !, Z = A.
tak(X, Y, Z, A) :- X1 is X - 1, Y1 is Y - 1, Z1 is Z - 1,
    tak(X1, Y, Z, A1), tak(Y1, Z, X, A2), tak(Z1, X, Y, A3), tak(A1, A2, A3, A).
goal :- tak(18, 12, 6, _).
)";

constexpr const char* kPrologQueens = R"(
:- dynamic(solutions/2).
col(8, 1). col(8, 2). col(8, 3). col(8, 4). col(8, 5). col(8, 6). col(8, 7). col(8, 8).
ok(A, B, D) :- A =\= B, X is A - B, X =\= D, Y is B - A, Y =\= D.
place :- col(8, A), col(8, B), ok(A, B, 1),
    col(8, C), ok(A, C, 2), ok(B, C, 1),
    col(8, D), ok(A, D, 3), ok(B, D, 2), ok(C, D, 1),
    col(8, E), ok(A, E, 4), ok(B, E, 3), ok(C, E, 2), ok(D, E, 1),
    col(8, F), ok(A, F, 5), ok(B, F, 4), ok(C, F, 3), ok(D, F, 2), ok(E, F, 1),
    col(8, G), ok(A, G, 6), ok(B, G, 5), ok(C, G, 4), ok(D, G, 3), ok(E, G, 2), ok(F, G, 1),
    col(8, H), ok(A, H, 7), ok(B, H, 6), ok(C, H, 5), ok(D, H, 4), ok(E, H, 3), ok(F, H, 2),
    ok(G, H, 1), found, fail.
place.
found :- retract(solutions(count, N)), M is N + 1, assertz(solutions(count, M)).
solutions(count, 0).
queens(8, N) :- retract(solutions(count, _)), assertz(solutions(count, 0)), place, solutions(count, N).
goal :- queens(8, 92).
)";

constexpr const char* kPrologDeriv = R"(
d(U + V, x, DU + DV) :- d(U, x, DU), d(V, x, DV).
d(U - V, x, DU - DV) :- d(U, x, DU), d(V, x, DV).
d(U * V, x, DU * V + U * DV) :- d(U, x, DU), d(V, x, DV).
d(U / V, x, (DU * V - U * DV) / pow(V, 2)) :- d(U, x, DU), d(V, x, DV).
d(pow(U, N), x, DU * N * pow(U, N1)) :- integer(N), N1 is N - 1, d(U, x, DU).
d(- U, x, - DU) :- d(U, x, DU).
d(exp(U), x, exp(U) * DU) :- d(U, x, DU).
d(log(U), x, DU / U) :- d(U, x, DU).
d(x, x, 1).
d(C, x, 0) :- integer(C).
deriv(A, B, C, D) :-
    d((x + 1) * ((pow(x, 2) + 2) * (pow(x, 3) + 3)), x, A),
    d(((((((((x / x) / x) / x) / x) / x) / x) / x) / x) / x, x, B),
    d(log(log(log(log(log(log(log(log(log(log(x)))))))))), x, C),
    d(((((((((x * x) * x) * x) * x) * x) * x) * x) * x) * x, x, D).
goal :- deriv(_, _, _, _).
)";

const Classic kTakIs = {"tak_is", pieprograms::kTakIs, pieprograms::TakQuery(18, 12, 6), kPrologTak};
const Classic kTakSub = {"tak_sub", pieprograms::kTakSub, pieprograms::TakQuery(18, 12, 6), kPrologTak};
const Classic kQueens = {"queens_all", pieprograms::kQueens, pieprograms::kQueensQuery, kPrologQueens};
const Classic kDeriv = {"deriv", pieprograms::kDeriv, pieprograms::kDerivQuery, kPrologDeriv};

// One engine as the host makes it (PIE_init installs its propagation, which each query runs
// once), holding the program and the prepared query.
class Runner {
public:
    explicit Runner(const Classic& classic) {
        if (PIE_init(&engine_, nullptr, 0x400) != 0) return;
        if (PIE_main(engine_, classic.engine_program) != 0) return;
        const std::string text = classic.engine_query + ".";
        pl_guarded(engine_, -1, [&] {
            PlToken token;
            pl_lex_start(engine_, text.c_str(), &token);
            query_ = pl_read_clause(engine_, &token, PL_QUERY_CLAUSE);
            return 0;
        });
    }
    ~Runner() { PIE_term(engine_); }
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    bool loaded() const { return query_ != nullptr; }
    bool run() { return pl_guarded(engine_, -1, [&] { return pl_execute_main(engine_, query_); }) == 1; }

private:
    PieEngine* engine_ = nullptr;
    PlCell* query_ = nullptr;
};

// The engine's milliseconds per run of the runner's case, the median of batches; 0 when it failed.
double engine_ms(Runner& runner) {
    return runner.loaded() ? batchtiming::MedianMsPerRun([&] { return runner.run(); }) : 0.0;
}

void Engine(benchmark::State& state, const Classic& classic) {
    Runner runner(classic);
    if (!runner.loaded()) {
        state.SkipWithError("the program did not load");
        return;
    }
    for (auto _ : state) {
        if (!runner.run()) {
            state.SkipWithError("the query failed");
            return;
        }
    }
    if (&classic == &kTakIs) {
        Runner sub_runner(kTakSub);
        if (const double is = engine_ms(runner), sub = engine_ms(sub_runner); is > 0 && sub > 0)
            state.counters["is_over_sub"] = is / sub;
    }
}

void Peer(benchmark::State& state, const Classic& classic, const prologpeers::System& system) {
    Runner runner(classic);
    const auto engine = [&] { return engine_ms(runner); };
    for (auto _ : state) {
        std::string error;
        const prologpeers::Rounds timed = prologpeers::TimeInRounds(system, classic.prolog_program, engine, error);
        if (timed.peer_ms <= 0) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(timed.peer_ms / 1000);
        if (timed.engine_over_peer > 0) state.counters["engine_slower"] = timed.engine_over_peer;
    }
}

#define PIE_CLASSIC(classic)                                                                                     \
    BENCHMARK_CAPTURE(Engine, classic, classic)->Unit(benchmark::kMillisecond);                                  \
    BENCHMARK_CAPTURE(Peer, classic##_swipl, classic, prologpeers::kSwi)                                         \
        ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);                                         \
    BENCHMARK_CAPTURE(Peer, classic##_gprolog, classic, prologpeers::kGnu)                                       \
        ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond)

PIE_CLASSIC(kTakIs);
PIE_CLASSIC(kTakSub);
PIE_CLASSIC(kQueens);
PIE_CLASSIC(kDeriv);

}  // namespace
