// Shared start of the fuzz targets that load whole rule programs: an engine holding the
// built-ins and the system rules, set up as the driver runs it, so that each target only feeds
// its input and checks that the engine is still whole afterwards.
#pragma once

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/build/loader.h"
#include "pie/build/program.h"

#include <cstdlib>

namespace fuzzpie {

// Null only when the engine cannot be made at all; a failure of the system rules is a fault.
inline PieEngine* EngineWithSystemRules() {
    PieEngine* engine = pl_engine_create(nullptr, 0x2 | 0x8);
    if (!engine) return nullptr;
    const int made = pl_guarded(engine, -1, [&] {
        pl_compiler_create(engine);
        pl_program_create(engine);
        pl_parse_system(engine);
        return 0;
    });
    if (made != 0) std::abort();
    engine->win98 = 1;
    return engine;
}

}  // namespace fuzzpie
