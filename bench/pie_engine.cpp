// Speed of the engine API on a generated sheet: loading a rule program of 5,000 clauses from
// text and from its compiled image, seeding the initial conflicts of 1,000 items, one check
// whose change reaches 50 dependents, and a check over rules that share their tests, with and
// without the optimiser. The host is a table of numbers in this program; its calls per check are
// reported beside the time.
#include "pie/api/api.h"
#include "pie/api/engine.h"
#include "pie/host/host_slots.h"
#include "tests/pie/image_writer.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Items 1..n; item i reads items i-1, i-2 and i-3 (when they exist).
std::string sheet(int items, int clauses_per_item, const std::string& prefix = "Item") {
    std::string text;
    for (int i = 1; i <= items; ++i) {
        const std::string me = prefix + std::to_string(i);
        for (int c = 0; c < clauses_per_item; ++c) {
            text += me + "(_X) :- ";
            for (int r = 1; r <= 3 && i - r >= 1; ++r) text += prefix + std::to_string(i - r) + "(_V" + std::to_string(r) + "), ";
            text += "less(" + std::to_string(c) + ", 1000), sum(" + std::to_string(c) + ", " + std::to_string(i) + ", _X).\n";
        }
    }
    return text;
}

struct Host {
    std::vector<int32_t> numbers;
    long calls = 0;
    static Host& of(void* h) { return *static_cast<Host*>(h); }
    static int type(void* h, int32_t, int32_t* out) { return ++of(h).calls, *out = 3, 0; }
    static int get(void* h, int32_t id, int32_t* out) {
        Host& host = of(h);
        ++host.calls;
        if (id < 0 || static_cast<size_t>(id) >= host.numbers.size()) return -1;
        *out = host.numbers[static_cast<size_t>(id)];
        return 0;
    }
    static int set(void* h, int32_t id, int32_t value) {
        Host& host = of(h);
        ++host.calls;
        if (id < 0 || static_cast<size_t>(id) >= host.numbers.size()) return -1;
        host.numbers[static_cast<size_t>(id)] = value;
        return 0;
    }
    static int control(void* h, int32_t, int32_t* out) { return ++of(h).calls, *out = 0, 0; }
    static int quiet(void* h, int32_t) { return ++of(h).calls, 0; }
    int32_t message = 0;
    static int show_message(void* h, int32_t n) { return of(h).message = n, 0; }
};

PieEngine* engine_for(Host& host, int items, uint32_t options = 0x402) {
    PieEngine* engine = nullptr;
    if (PIE_init(&engine, &host, options) != 0) return nullptr;
    PieHostBlock2 block{};
    block.slots[PIE_OP_GetType] = reinterpret_cast<PlHostSlot>(&Host::type);
    block.slots[PIE_OP_GetNumber] = reinterpret_cast<PlHostSlot>(&Host::get);
    block.slots[PIE_OP_SetNumber] = reinterpret_cast<PlHostSlot>(&Host::set);
    block.slots[PIE_OP_HasControl] = reinterpret_cast<PlHostSlot>(&Host::control);
    for (int op : {PIE_OP_Enable, PIE_OP_Disable, PIE_OP_Show, PIE_OP_Hide, PIE_OP_SetMark, PIE_OP_ClearMark})
        block.slots[op] = reinterpret_cast<PlHostSlot>(&Host::quiet);
    PIE_set_callbacks2(engine, &block);
    host.numbers.assign(static_cast<size_t>(items) + 1, 0);
    for (int i = 1; i <= items; ++i) PIE_register_functor(engine, ("Item" + std::to_string(i)).c_str(), i);
    return engine;
}

void LoadText5000Clauses(benchmark::State& state) {
    const std::string text = sheet(1000, 5);
    Host host;
    for (auto _ : state) {
        state.PauseTiming();
        PieEngine* engine = engine_for(host, 1000);
        state.ResumeTiming();
        if (PIE_main(engine, text.c_str()) != 0) state.SkipWithError("load failed");
        state.PauseTiming();
        PIE_term(engine);
        state.ResumeTiming();
    }
}
BENCHMARK(LoadText5000Clauses)->Unit(benchmark::kMillisecond);

void LoadImage5000Clauses(benchmark::State& state) {
    ImageWriter writer;
    if (!writer.text(sheet(1000, 5).c_str())) state.SkipWithError("no image");
    const std::vector<uint8_t> image = writer.image();
    Host host;
    for (auto _ : state) {
        state.PauseTiming();
        PieEngine* engine = engine_for(host, 1000);
        state.ResumeTiming();
        if (PIE_main_image(engine, image.data(), image.size()) != 0) state.SkipWithError("load failed");
        state.PauseTiming();
        PIE_term(engine);
        state.ResumeTiming();
    }
    state.counters["image_bytes"] = static_cast<double>(image.size());
}
BENCHMARK(LoadImage5000Clauses)->Unit(benchmark::kMillisecond);

void SeedInitialConflicts1000Items(benchmark::State& state) {
    const std::string text = sheet(1000, 1);
    Host host;
    PieEngine* engine = engine_for(host, 1000);
    if (PIE_main(engine, text.c_str()) != 0) state.SkipWithError("load failed");
    for (auto _ : state) {
        PIE_begin_update(engine);
        for (int i = 1; i <= 1000; ++i) PIE_initial_conflict(engine, i);
        PIE_end_update(engine);
    }
    PIE_term(engine);
}
BENCHMARK(SeedInitialConflicts1000Items)->Unit(benchmark::kMillisecond);

// Item 1 is read by items 2..51, in a program of 3,000 more clauses about other items.
void CheckWith50Dependents(benchmark::State& state) {
    std::string text;
    for (int i = 2; i <= 51; ++i)
        text += "Item" + std::to_string(i) + "(_X) :- Item1(_A), sum(_A, " + std::to_string(i) + ", _X).\n";
    text += sheet(1000, 3, "Other");
    Host host;
    PieEngine* engine = engine_for(host, 1000);
    if (PIE_main(engine, text.c_str()) != 0) state.SkipWithError("load failed");
    int32_t value = 0;
    long calls = 0;
    for (auto _ : state) {
        host.numbers[1] = ++value;
        host.calls = 0;
        if (PIE_check_conflict(engine, 1) < 0) state.SkipWithError("check failed");
        calls += host.calls;
    }
    state.counters["host_calls_per_check"] = benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
    PIE_term(engine);
}
BENCHMARK(CheckWith50Dependents)->Unit(benchmark::kMicrosecond);

// Item 1 is read by items 2..51, each with four rules that test the same two mode items (3 and
// 4 of the "Other" items) and Item 1 against a list; argument 1 runs the optimiser (option 0x2000).
void CheckWithSharedTests(benchmark::State& state) {
    std::string text;
    for (int i = 2; i <= 51; ++i) {
        const std::string me = "Item" + std::to_string(i);
        for (int c = 1; c <= 4; ++c)
            text += me + "(_X) :- Other3(0), Other4(" + std::to_string(c > 2) + "), Item1(_A), member(_A, [" +
                    std::to_string(c) + ", " + std::to_string(c + 4) + "]), sum(" + std::to_string(c) + ", " +
                    std::to_string(i) + ", _X).\n";
    }
    text += sheet(1000, 3, "Other");
    Host host;
    PieEngine* engine = engine_for(host, 1000, state.range(0) ? 0x2402 : 0x402);
    for (int i = 1; i <= 1000; ++i) PIE_register_functor(engine, ("Other" + std::to_string(i)).c_str(), 1000 + i);
    host.numbers.assign(2001, 0);
    host.numbers[1004] = 1;
    if (PIE_main(engine, text.c_str()) != 0) state.SkipWithError("load failed");
    int32_t value = 0;
    long calls = 0;
    for (auto _ : state) {
        host.numbers[1] = ++value % 8 + 1;  // every value of the lists in turn
        host.calls = 0;
        if (PIE_check_conflict(engine, 1) < 0) state.SkipWithError("check failed");
        calls += host.calls;
    }
    state.counters["host_calls_per_check"] = benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
    PIE_term(engine);
}
BENCHMARK(CheckWithSharedTests)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Main-pool bytes an engine takes for rule programs. Per item read by rules: 1,000 rules that
// each read another item, less the same rules all reading one item (what the items themselves
// cost: functor, default status rule, dependents, tables). Per 1,000 clauses: the 5,000-clause
// sheet beyond an engine with its items registered and no program.
void MemoryPerItemAndClause(benchmark::State& state) {
    Host host;
    auto used_by = [&](const std::string& text, int items) {
        PieEngine* engine = engine_for(host, items);
        const size_t before = pl_heap_used(engine);
        if (PIE_main(engine, text.c_str()) != 0) state.SkipWithError("load failed");
        const double used = static_cast<double>(pl_heap_used(engine) - before);
        PIE_term(engine);
        return used;
    };
    double per_item = 0, per_1000_clauses = 0;
    for (auto _ : state) {
        std::string many, one;
        for (int i = 1; i <= 1000; ++i) {
            many += "check" + std::to_string(i) + "(_X, _Y) :- Item" + std::to_string(i) + "(_X), sum(_X, 1, _Y).\n";
            one += "check" + std::to_string(i) + "(_X, _Y) :- Item0(_X), sum(_X, 1, _Y).\n";
        }
        per_item = (used_by(many, 0) - used_by(one, 0)) / 1000;
        per_1000_clauses = used_by(sheet(1000, 5), 1000) / 5;
    }
    state.counters["bytes_per_item"] = per_item;
    state.counters["bytes_per_1000_clauses"] = per_1000_clauses;
}
BENCHMARK(MemoryPerItemAndClause)->Iterations(1)->Unit(benchmark::kMillisecond);

// A recursive rule builds a list of n elements and another walks it (neither in last-call form),
// and a runaway recursion that must end in error 4102; each reports the answer it got ("ok" 1
// for a whole answer, "error" the engine error's code) and the engine must answer afterwards.
void DeepRecursion(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Host host;
    PieEngine* engine = engine_for(host, 0, 0x400);
    const char* program =
        "mk(0, []).\n"
        "mk(_N, [_N | _T]) :- greater(_N, 0), sub(_N, 1, _M), mk(_M, _T).\n"
        "len([], 0).\n"
        "len([_ | _T], _N) :- len(_T, _M), sum(_M, 1, _N).\n"
        "loop(_X) :- loop(f(_X)).\n";
    if (PIE_main(engine, program) != 0) state.SkipWithError("load failed");
    PieHostBlock1 block{};
    block.slots[PIE_SLOT_SHOW_MESSAGE] = reinterpret_cast<PlHostSlot>(&Host::show_message);
    PIE_set_callbacks(engine, &block);
    const std::string query = "?- mk(" + std::to_string(n) + ", _L), len(_L, " + std::to_string(n) + "), message(1).";
    int ok = 0, error = 0, after = 0;
    for (auto _ : state) {
        host.message = 0;
        ok = PIE_main(engine, query.c_str()) == 0 && host.message == 1;
        error = PIE_main(engine, "?- loop(a).") == 0 ? 0 : pl_last_error(engine).code;
        host.message = 0;
        after = PIE_main(engine, "?- len([a, b], 2), message(2).") == 0 && host.message == 2;
    }
    state.counters["ok"] = ok;
    state.counters["loop_error"] = error;
    state.counters["usable_after"] = after;
    PIE_term(engine);
}
BENCHMARK(DeepRecursion)->Arg(400)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
