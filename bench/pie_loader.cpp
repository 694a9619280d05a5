// Speed of loading a sheet's rule program: capability facts, driver rules with item goals,
// arithmetic and platform tests, and the element-control block, loaded into an engine that
// holds the built-ins and system rules, with the pass after loading; from the text's record, as
// every engine after the first loads it, and read from the text, as the first does.
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/build/post_load.h"
#include "pie/build/program.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kClauses = 3000;

std::string rule_program() {
    const char* groups[] = {"Layout", "Finishing", "PaperSource", "Quality", "DocProp"};
    std::string text = "# generated sheet\n";
    for (int i = 0; i < kClauses; ++i) {
        const std::string key = std::string(groups[i % 5]) + "$Setting" + std::to_string(i / 5);
        switch (i % 5) {
        case 0: text += "$Capability" + std::to_string(i) + "(ON) :- true.\n"; break;
        case 1: text += key + "(ON) :- (win9X | win2k), not Layout$Booklet(ON), ?d, ?sr(" + std::to_string(i) + ").\n"; break;
        case 2: text += key + "(_X) :- $Capability" + std::to_string(i - 2) + "(_V), _X is 2 * 3 + 1, _X >= 0.\n"; break;
        case 3: text += key + "(_) :- wait([Layout$Booklet, Quality$Setting1]), { unsupported }.\n"; break;
        default: text += "$$(_) :- { unsupported_element(" + key + ", [A, B, C]) }.\n"; break;
        }
    }
    return text;
}

// Loads the program into fresh engines. A text loaded before in the process is built from its
// record; first_read makes every text new (a numbered comment line), so that it is read and
// recorded, as the first engine of a process does.
void Load(benchmark::State& state, bool first_read) {
    const std::string program = rule_program();
    std::string text = program;
    static int64_t loads = 0;  // across the runs of the case: a text of an earlier run is known
    for (auto _ : state) {
        state.PauseTiming();
        if (first_read) text = "# load " + std::to_string(++loads) + "\n" + program;
        PieEngine* engine = pl_engine_create(nullptr, 0x2);
        pl_guarded(engine, -1, [&] {
            pl_compiler_create(engine);
            pl_program_create(engine);
            pl_parse_system(engine);
            return 0;
        });
        engine->win98 = 1;
        state.ResumeTiming();
        const int result = pl_guarded(engine, -1, [&] {
            PlListNode* before = engine->program->clauses[PL_WRITTEN]->prev;
            pl_parse(engine, text.c_str());
            pl_post_load(engine, before);
            return 0;
        });
        if (result != 0) state.SkipWithError("the rule program did not load");
        state.PauseTiming();
        pl_engine_destroy(engine);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kClauses);
}

void LoadSheetRuleProgram(benchmark::State& state) { Load(state, false); }
BENCHMARK(LoadSheetRuleProgram)->Unit(benchmark::kMillisecond);

void LoadSheetRuleProgramFirstRead(benchmark::State& state) { Load(state, true); }
BENCHMARK(LoadSheetRuleProgramFirstRead)->Unit(benchmark::kMillisecond);

}  // namespace
