// Fuzz target of rule programs: any bytes are loaded into an engine that holds the built-ins
// and system rules, with the pass after loading, a listing and the dumps printed, then the
// optimiser's rewriting and its listing. Whatever the text, the call ends with its result, no
// recursion level held, and the engine still loads.
#include "fuzz/pie_harness.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/build/optimiser.h"
#include "pie/text/output.h"
#include "pie/build/post_load.h"
#include "pie/build/program.h"
#include "pie/text/trace.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

int load(PieEngine* engine, const char* text) {
    return pl_guarded(engine, -1, [&] {
        PlListNode* before = engine->program->clauses[PL_WRITTEN]->prev;
        pl_parse(engine, text);
        pl_post_load(engine, before);
        if (engine->constants_defined) pl_substitute_constants(engine);
        pl_program_renumber(engine);
        plout_listing(engine);
        plout_reference_dump(engine);
        pl_optimise_program(engine);
        plout_listing(engine);
        return 0;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    PieEngine* engine = fuzzpie::EngineWithSystemRules();
    if (!engine) return 0;
    load(engine, text.c_str());
    if (engine->depth != 0) std::abort();
    if (load(engine, "p(a) :- q(b), ?d.") != 0) std::abort();
    pl_engine_destroy(engine);
    return 0;
}
