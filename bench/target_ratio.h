// The time of one iteration against the time promised for it, printed beside the benchmark's own
// time as "of_target" (0.5: twice as fast as promised, 2: twice as slow), so that every run says
// how far a path is from its promise.
#pragma once

#include <benchmark/benchmark.h>

inline void ReportAgainstTarget(benchmark::State& state, double targetSeconds) {
    // target x iterations / time, inverted: the processor time of one iteration over the target.
    state.counters["of_target"] =
        benchmark::Counter(targetSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
