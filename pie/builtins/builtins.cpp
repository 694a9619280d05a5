// Installing the built-ins: each row's function goes on its functor, which becomes a system
// functor. The rows come in three groups kept beside their functions.
#include "pie/builtins/builtins.h"

#include "pie/terms/atoms.h"
#include "pie/api/engine.h"
#include "pie/run/interpreter.h"

void pl_builtins_install(PieEngine* engine) {
    const struct {
        const PlBuiltinRow* rows;
        uint32_t count;
    } groups[] = {{kPlArithmeticBuiltins, kPlArithmeticBuiltinCount},
                  {kPlControlBuiltins, kPlControlBuiltinCount},
                  {kPlItemBuiltins, kPlItemBuiltinCount}};
    for (const auto& group : groups) {
        for (uint32_t i = 0; i < group.count; ++i) {
            const PlBuiltinRow& row = group.rows[i];
            PlFunctor* functor = pl_lookup_functor(engine, pie_intern_atom(engine, row.name), row.arity, nullptr);
            functor->builtin = row.function;
            // Only the arithmetic rows hold comparisons.
            if (group.rows == kPlArithmeticBuiltins) functor->comparison = pl_comparison_of(row.function);
            functor->flags |= PLF_SYSTEM;
        }
    }
    engine->run_directive = pl_execute_main;
}

uint32_t pl_builtin_count() { return kPlArithmeticBuiltinCount + kPlControlBuiltinCount + kPlItemBuiltinCount; }
