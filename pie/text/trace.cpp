// Banner, listings, dumps and trace lines. Every function here is reached only when the host
// asked for that output, so the normal path formats nothing.
#include "pie/text/trace.h"

#include "pie/api/engine.h"
#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/text/output.h"
#include "pie/text/printer.h"
#include "pie/build/program.h"
#include "pie/terms/functor_set.h"

#include <cstring>

namespace {

constexpr const char* kTags[] = {"FAIL: ", "TRUE: ", "CUT:  ", "CUT:  ", "CALL: ", "FIX:  ", "PROP: ", "FAIL*:"};

void list_clauses(PieEngine* engine, const PlList* list, int& number, bool user_only) {
    pl_list_each(list, [&](void* item) {
        auto* clause = static_cast<const PlCell*>(item);
        if (user_only && clause->type != PL_CLAUSE) return;
        pl_print(engine, "%2d: ", ++number);
        plout_tree(engine, clause, 0);
        pl_print(engine, "%s", "\n");
    });
}

}  // namespace

void plout_trace(PieEngine* engine, int event, int depth, const PlCell* goal) {
    if (!(engine->flags & PLE_TRACE)) return;
    if (event >= 0 && event < 8) pl_print(engine, "%s", kTags[event]);
    if (depth >= 1)
        pl_print(engine, "[%3d] ", depth);
    else
        pl_print(engine, "%s", "      ");
    plout_tree(engine, goal, 0);
    pl_print(engine, "%s", "\n");
    pl_flush(engine);
}

void plout_binding(PieEngine* engine, const PlAtom* name, const PlCell* value) {
    pl_print(engine, "\t%s:=", name->name);
    plout_tree(engine, value, 0);
}

void plout_banner(PieEngine* engine) {
    pl_print(engine, "<< PIE(ver %s) [%s] >>\n", kPieVersion, kPieBuildDate);
    pl_flush(engine);
}

void plout_listing(PieEngine* engine) {
    const PlProgram* program = engine->program;
    if (!program) return;
    int number = 0;
    pl_print(engine, "%s", "<< USER PREDICATES >>\n");
    list_clauses(engine, program->clauses[PL_WRITTEN], number, true);
    pl_flush(engine);
    number = 0;
    pl_print(engine, "%s", "<< COMPLETE PREDICATES >>\n");
    for (const PlList* list : program->clauses) list_clauses(engine, list, number, false);
    pl_flush(engine);
}

void plout_functor_dump(PieEngine* engine) {
    if (!engine->program) return;
    pl_print(engine, "%s", "<<Functor Dump>>\n");
    pl_hash_walk(engine->program->functors, [&](void* item) {
        auto* f = static_cast<const PlFunctor*>(item);
        pl_print(engine, "  %s/%u\n", f->name->name, f->arity);
    });
    pl_flush(engine);
}

void plout_reference_dump(PieEngine* engine) {
    pl_print(engine, "%s", "<<Functor Reference Dump>>\n");
    pl_flush(engine);
    pl_functor_walk(engine, 1, kPlMaxArity, [&](PlFunctor* f) {
        if (!f->dependents || (f->flags & PLF_SYSTEM) || std::strncmp(f->name->name, "$$@", 3) == 0) return;
        pl_print(engine, "%s/%u : ", f->name->name, f->arity);
        pl_functor_set_each(f->dependents, [&](const PlFunctor* d) { pl_print(engine, " %s/%u", d->name->name, d->arity); });
        pl_print(engine, "%s", "\n");
        pl_flush(engine);
    });
}
