// Fuzz target of rule text: any bytes are lexed, parsed and compiled clause by clause inside a
// guarded call, as loading a rule program does; op directives change the operator table for the
// clauses after them. An error must leave the engine usable with no recursion level held.
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/api/guard.h"
#include "pie/text/lexer.h"
#include "pie/text/operators.h"
#include "pie/terms/term_copy.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// "?- op(P, T, N)." enters an operator, as the op built-in will.
void run_op_directive(PieEngine* engine, PlCell* term) {
    if (!pl_is_functor(term, pl_predefined(engine, PLP_query_1))) return;
    PlCell* goal = pl_arg(term, 0);
    if (!pl_is_functor(goal, pl_predefined(engine, PLP_op_3))) return;
    PlCell* name = pl_arg(goal, 2);
    if (name->type != PL_FUNCTOR || name->fn.functor->arity != 0) return;
    plop_put(engine, name->fn.functor->name, fetch_opcode(engine, pl_arg(goal, 1)), fetch_integer(engine, pl_arg(goal, 0)));
}

void compile(PieEngine* engine, PlCell* clause) {
    PlCell* term = clause->clause.term;
    run_op_directive(engine, term);
    system_predicate_check(engine, term);
    PlCell* head = pl_clause_head(engine, term);
    if (head->type == PL_FUNCTOR && head->fn.functor == pl_predefined(engine, PLP_dollars_1))
        replace_nopropagate_functor(engine, head->fn.functor);
    pl_term_release(engine, pl_term_copy(engine, term));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // NUL-terminated
    PieEngine* engine = pl_engine_create(nullptr, 0x2);
    if (!engine) return 0;
    pl_compiler_create(engine);
    pl_predefined(engine, PLP_sum_3)->flags |= PLF_SYSTEM;
    pl_guarded(engine, -1, [&] {
        PlToken token;
        pl_lex_start(engine, text.c_str(), &token);
        while (PlCell* clause = pl_read_clause(engine, &token, PL_CLAUSE)) compile(engine, clause);
        return 0;
    });
    if (engine->depth != 0) std::abort();
    // Still usable after whatever happened.
    const int again = pl_guarded(engine, -1, [&] {
        PlToken token;
        pl_lex_start(engine, "p(a) :- q.", &token);
        return pl_read_clause(engine, &token, PL_CLAUSE) ? 0 : 1;
    });
    if (again != 0) std::abort();
    pl_engine_destroy(engine);
    return 0;
}
