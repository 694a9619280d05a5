// The time of one run as the median of several batches of processor time, the way the peers'
// harness (prolog_peers.h) times goal/0: on a shared machine a batch that another process slowed
// moves a mean, not a median, so ratios taken in the same run stay put.
#pragma once

#include <algorithm>
#include <ctime>
#include <vector>

namespace batchtiming {

constexpr double kBatchMs = 100;  // each batch takes at least this much processor time
constexpr int kBatches = 5;

inline double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_nsec) / 1e6;
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Milliseconds per call of run (which answers false when it failed: 0 then): the run count is
// doubled until a batch takes kBatchMs, then kBatches batches of that count are timed.
template <class Run>
double MedianMsPerRun(Run&& run) {
    long count = 1;
    for (;;) {
        const double start = CpuMs();
        for (long i = 0; i < count; ++i)
            if (!run()) return 0;
        if (CpuMs() - start >= kBatchMs) break;
        count *= 2;
    }
    std::vector<double> per_run;
    for (int b = 0; b < kBatches; ++b) {
        const double start = CpuMs();
        for (long i = 0; i < count; ++i)
            if (!run()) return 0;
        per_run.push_back((CpuMs() - start) / static_cast<double>(count));
    }
    return Median(per_run);
}

}  // namespace batchtiming
