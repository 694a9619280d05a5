// Fuzz target of compiled rule images: any bytes are loaded as an image of exactly that length
// into an engine that holds the built-ins and system rules, followed by the pass after loading
// and a listing. Whatever the bytes, the call ends with its result, no recursion level held, and
// the engine still loads rule text afterwards.
#include "fuzz/pie_harness.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/build/image_loader.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/build/post_load.h"
#include "pie/build/program.h"
#include "pie/text/trace.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the end is caught.
    const std::vector<uint8_t> image(data, data + size);
    PieEngine* engine = fuzzpie::EngineWithSystemRules();
    if (!engine) return 0;
    pl_guarded(engine, -1, [&] {
        PlListNode* before = engine->program->clauses[PL_WRITTEN]->prev;
        pl_load_image(engine, image.data(), image.size());
        pl_post_load(engine, before);
        pl_program_renumber(engine);
        plout_listing(engine);
        return 0;
    });
    if (engine->depth != 0) std::abort();
    const int again = pl_guarded(engine, -1, [&] {
        pl_parse(engine, "p(a) :- q(b).");
        return 0;
    });
    if (again != 0) std::abort();
    pl_engine_destroy(engine);
    return 0;
}
