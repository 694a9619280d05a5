// Speed of reading rule text: a generated rule program of 5,000 clauses, shaped like a sheet's
// capability facts and driver rules, lexed, parsed and compiled into a fresh engine.
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/text/lexer.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kClauses = 5000;

std::string rule_text() {
    const char* groups[] = {"Layout", "Finishing", "PaperSource", "Quality", "DocProp"};
    std::string text = "# generated rules\n";
    for (int i = 0; i < kClauses; ++i) {
        const std::string key = std::string(groups[i % 5]) + "$Setting" + std::to_string(i / 5);
        switch (i % 4) {
        case 0: text += "$Capability" + std::to_string(i) + "(" + std::to_string(i - 2000) + ") :- true.\n"; break;
        case 1: text += key + "(ON) :- (win9X | win2k), not Layout$Booklet(ON), ?d, ?sr(" + std::to_string(i) + ").\n"; break;
        case 2: text += key + "(_X) :- $Capability" + std::to_string(i - 2) + "(_V), _X is _V * 2 + 1, _X >= 0.\n"; break;
        default: text += "$$(_) :- { unsupported_element(" + key + ", [A, B, C | _T]) }.\n"; break;
        }
    }
    return text;
}

void ParseAndCompileRuleProgram(benchmark::State& state) {
    const std::string text = rule_text();
    for (auto _ : state) {
        state.PauseTiming();
        PieEngine* engine = pl_engine_create(nullptr, 0x2);
        pl_compiler_create(engine);
        state.ResumeTiming();
        const int clauses = pl_guarded(engine, -1, [&] {
            int count = 0;
            PlToken token;
            pl_lex_start(engine, text.c_str(), &token);
            while (PlCell* clause = pl_read_clause(engine, &token, PL_CLAUSE)) {
                system_predicate_check(engine, clause->clause.term);
                PlCell* head = pl_clause_head(engine, clause->clause.term);
                if (pl_is_functor(head, pl_predefined(engine, PLP_dollars_1)))
                    head->fn.functor = replace_nopropagate_functor(engine, head->fn.functor);
                ++count;
            }
            return count;
        });
        if (clauses != kClauses) state.SkipWithError("the rule text did not load");
        state.PauseTiming();
        pl_engine_destroy(engine);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kClauses);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(ParseAndCompileRuleProgram)->Unit(benchmark::kMillisecond);

}  // namespace
