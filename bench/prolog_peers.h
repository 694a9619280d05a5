// The two Prolog systems the rule engine is measured against, run in the same benchmark program
// as the engine: SWI-Prolog (optimised, "swipl -O") and GNU Prolog compiled to native code
// ("gplc"), as Debian's swi-prolog-nox and gprolog install them. A program in standard Prolog
// defines goal/0; the harness here repeats it, doubling the repetitions until they take a tenth of
// a second of processor time, then times five batches of that many, each less the empty loop, and
// prints "repetitions milliseconds" for each: the time of one run is their median.
#pragma once

#include "batch_timing.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace prologpeers {

constexpr const char* kHarness = R"(
dummy.
run(N, T) :-
    now_ms(T0), ( between(1, N, _), goal, fail ; true ),
    now_ms(T1), ( between(1, N, _), dummy, fail ; true ),
    now_ms(T2), T is (T1 - T0) - (T2 - T1).
bench(N) :- run(N, T), ( T < 100 -> N2 is N * 2, bench(N2) ; batches(N, 5) ).
batches(_, 0) :- !.
batches(N, K) :- run(N, T), format("~w ~w~n", [N, T]), K1 is K - 1, batches(N, K1).
)";

struct System {
    const char* name;
    const char* program_suffix;  // the clock and the entry point of the system
    const char* check;           // a command that tells whether the system is installed
    const char* command;         // %s: the program file; prints the result line
};

inline const System kSwi = {
    "swipl",
    "now_ms(T) :- statistics(cputime, S), T is S * 1000.\n"
    ":- initialization((bench(1), halt)).\n",
    "command -v swipl >/dev/null 2>&1",
    "swipl -O -q %s 2>&1",
};

// GNU Prolog's own compiler gives its native-code speed, which is how its programs are run.
inline const System kGnu = {
    "gprolog",
    "now_ms(T) :- cpu_time(T).\n"
    ":- initialization((bench(1), halt)).\n",
    "command -v gplc >/dev/null 2>&1",
    "gplc --no-top-level -o %s.bin %s >/dev/null 2>&1 && %s.bin 2>&1",
};

// Milliseconds of processor time per run of goal/0 of program under system (the median of its
// batches), or 0 and an error
// text in `error`.
inline double Run(const System& system, const std::string& program, std::string& error) {
    if (std::system(system.check) != 0) {
        error = std::string(system.name) + " is not installed (apt-get install swi-prolog-nox gprolog)";
        return 0;
    }
    std::string folder = (std::filesystem::temp_directory_path() / "prologXXXXXX").string();
    if (!mkdtemp(folder.data())) {
        error = "no temporary folder";
        return 0;
    }
    const std::string file = folder + "/bench.pl";
    std::ofstream(file) << program << kHarness << system.program_suffix;
    char command[1024];
    std::snprintf(command, sizeof command, system.command, file.c_str(), file.c_str(), file.c_str());
    std::vector<double> batches;
    if (FILE* out = popen(command, "r")) {
        long runs = 0;
        double ms = 0;
        char line[256];
        while (std::fgets(line, sizeof line, out))
            if (std::sscanf(line, "%ld %lf", &runs, &ms) == 2 && runs > 0 && ms > 0) batches.push_back(ms / runs);
        pclose(out);
    }
    const double per_run_ms = batchtiming::Median(batches);
    std::filesystem::remove_all(folder);
    if (per_run_ms <= 0) error = std::string(system.name) + " did not report a time";
    return per_run_ms;
}

// The peer's time per run and the engine's time divided by it, each the median over rounds that
// time the engine (engine_ms: its milliseconds per run, 0 when it failed) and then the peer: a
// machine that slows down for a while slows both sides of a round alike, and a round it slowed on
// one side only is outvoted. Zeros and an error text when the peer gave no time.
struct Rounds {
    double peer_ms;
    double engine_over_peer;
};
template <class EngineMs>
Rounds TimeInRounds(const System& system, const std::string& program, EngineMs&& engine_ms, std::string& error) {
    constexpr int kRounds = 3;
    std::vector<double> peer, ratio;
    for (int r = 0; r < kRounds; ++r) {
        const double engine = engine_ms();
        const double ms = Run(system, program, error);
        if (ms <= 0) return {0, 0};
        peer.push_back(ms);
        if (engine > 0) ratio.push_back(engine / ms);
    }
    return {batchtiming::Median(peer), batchtiming::Median(ratio)};
}

}  // namespace prologpeers
