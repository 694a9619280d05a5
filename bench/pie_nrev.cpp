// Speed of the interpreter's inner loop: naive reverse of a 30-element list (496 logical
// inferences), written in the rule syntax and run again and again as one query, and the same
// program run in the same process run by SWI-Prolog and GNU Prolog when they are installed
// (Debian's swi-prolog-nox and gprolog). Every case reports "LIPS", logical inferences per
// second; the other systems' cases also report "engine_ratio", the engine's LIPS divided by theirs.
#include "pie/builtins/builtins.h"
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/run/interpreter.h"
#include "pie/text/lexer.h"
#include "pie/terms/list.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

double g_engine_lips = 0;

void NaiveReverse30(benchmark::State& state) {
    NrevEngine engine;
    if (!engine.loaded()) {
        state.SkipWithError("the program did not load");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (!engine.run()) {
            state.SkipWithError("naive reverse failed");
            return;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds > 0.1) g_engine_lips = state.iterations() * kInferences / seconds;
    state.counters["LIPS"] = benchmark::Counter(state.iterations() * kInferences, benchmark::Counter::kIsRate);
}
BENCHMARK(NaiveReverse30)->Unit(benchmark::kMicrosecond);

// The engine's LIPS for the ratios, measured here when the engine's own case was filtered out.
double engine_lips() {
    if (g_engine_lips > 0) return g_engine_lips;
    NrevEngine engine;
    if (!engine.loaded()) return 0;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    long runs = 0;
    while (Clock::now() - start < std::chrono::milliseconds(500)) {
        if (!engine.run()) return 0;
        ++runs;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return g_engine_lips = runs * kInferences / seconds;
}

// The same program in standard Prolog. It doubles its repetitions until they take half a second
// of processor time, subtracts the cost of the empty loop and prints "repetitions milliseconds".
constexpr const char* kPrologProgram = R"(
app([], L, L).
app([H|T], L, [H|R]) :- app(T, L, R).
nrev([], []).
nrev([H|T], R) :- nrev(T, RT), app(RT, [H], R).
range(N, N, [N]) :- !.
range(I, N, [I|T]) :- I < N, I1 is I + 1, range(I1, N, T).
dummy(_, _).
run(N, L, T) :-
    now_ms(T0), ( between(1, N, _), nrev(L, _), fail ; true ),
    now_ms(T1), ( between(1, N, _), dummy(L, _), fail ; true ),
    now_ms(T2), T is (T1 - T0) - (T2 - T1).
bench(N) :-
    range(1, 30, L), run(N, L, T),
    ( T < 500 -> N2 is N * 2, bench(N2) ; format("~w ~w~n", [N, T]) ).
)";

struct PrologSystem {
    const char* name;
    const char* program_suffix;  // the clock and the entry point of the system
    const char* check;           // a command that tells whether the system is installed
    const char* command;         // %s: the program file; prints the result line
};

const PrologSystem kSwi = {
    "swipl",
    "now_ms(T) :- statistics(cputime, S), T is S * 1000.\n"
    ":- initialization((bench(1000), halt)).\n",
    "command -v swipl >/dev/null 2>&1",
    "swipl -O -q %s 2>&1",
};

// GNU Prolog's own compiler gives its native-code speed, which is how its programs are run.
const PrologSystem kGnu = {
    "gprolog",
    "now_ms(T) :- cpu_time(T).\n"
    ":- initialization((bench(1000), halt)).\n",
    "command -v gplc >/dev/null 2>&1",
    "gplc --no-top-level -o %s.bin %s >/dev/null 2>&1 && %s.bin 2>&1",
};

// Runs the program under one system; answers the milliseconds of processor time per repetition,
// or an error text in `error`.
double run_prolog(const PrologSystem& system, std::string& error) {
    if (std::system(system.check) != 0) {
        error = std::string(system.name) + " is not installed (apt-get install swi-prolog-nox gprolog)";
        return 0;
    }
    std::string folder = (std::filesystem::temp_directory_path() / "nrevXXXXXX").string();
    if (!mkdtemp(folder.data())) {
        error = "no temporary folder";
        return 0;
    }
    const std::string file = folder + "/nrev.pl";
    std::ofstream(file) << kPrologProgram << system.program_suffix;
    char command[1024];
    std::snprintf(command, sizeof command, system.command, file.c_str(), file.c_str(), file.c_str());
    double per_run_ms = 0;
    if (FILE* out = popen(command, "r")) {
        long runs = 0;
        double ms = 0;
        char line[256];
        while (std::fgets(line, sizeof line, out))
            if (std::sscanf(line, "%ld %lf", &runs, &ms) == 2 && runs > 0 && ms > 0) per_run_ms = ms / runs;
        pclose(out);
    }
    std::filesystem::remove_all(folder);
    if (per_run_ms <= 0) error = std::string(system.name) + " did not report a time";
    return per_run_ms;
}

void NaiveReverse30Prolog(benchmark::State& state, const PrologSystem& system) {
    for (auto _ : state) {
        std::string error;
        const double ms = run_prolog(system, error);
        if (ms <= 0) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(ms / 1000);
        const double lips = kInferences / (ms / 1000);
        state.counters["LIPS"] = lips;
        if (const double engine = engine_lips(); engine > 0) state.counters["engine_ratio"] = engine / lips;
    }
}
BENCHMARK_CAPTURE(NaiveReverse30Prolog, swipl, kSwi)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NaiveReverse30Prolog, gprolog, kGnu)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
