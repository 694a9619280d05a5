// Items of the host as the engine knows them: registered functors with their host ids, and
// constants whose value the host fixed, substituted into the rules when they load.
#include "pie/api/api.h"

#include "pie/api/guard.h"
#include "pie/text/lexer.h"
#include "pie/terms/list.h"
#include "pie/run/propagation.h"
#include "pie/run/watch.h"

namespace {

enum PieValueType : int16_t { kOnOff = 1, kChoice = 2, kInteger = 3, kText = 4 };

bool valid_name(const char* name) { return name && *name && *name != '$' && pl_well_formed_name(name); }

// The term of a typed value, or nullptr for a type or text the engine cannot hold.
PlCell* constant_term(PieEngine* engine, const PieValue& value) {
    switch (value.type) {
    case kOnOff: return value.value ? engine->cell.ON : engine->cell.OFF;
    case kInteger: return pl_make_integer(engine, static_cast<int32_t>(value.value));
    case kChoice:  // a constant multiple-choice item names its choice
    case kText: {
        const char* text = reinterpret_cast<const char*>(value.value);
        if (!valid_name(text)) return nullptr;
        return pl_make_atom(engine, pie_intern_string(engine, text));
    }
    default: return nullptr;
    }
}

void renew_answers(PieEngine* engine) {
    while (pl_list_remove_first(engine, engine->answers)) {
    }
}

}  // namespace

int PIE_define_constant(PieEngine* engine, const char* name, const PieValue* value) {
    if (!engine) return -1;
    engine->constants_defined = 1;
    if (!valid_name(name)) return -1;
    return pl_guarded(engine, -1, [&] {
        PlFunctor* functor = pl_lookup_functor(engine, pie_intern_string(engine, name), 1, nullptr);
        if (functor->flags & PLF_CONSTANT) return -2;
        PlCell* term = value ? constant_term(engine, *value) : nullptr;
        if (!term) return -3;
        functor->constant = term;
        functor->flags = (functor->flags & ~uint32_t{PLF_VALUE_TYPE}) | PLF_CONSTANT |
                         pie_flags_from_value_type(value->type);
        pie_set_atom_value(engine, functor->name, term);
        return 0;
    });
}

int PIE_register_functor(PieEngine* engine, const char* name, int32_t hostValue) {
    if (!engine || !name) return -1;
    return pl_guarded(engine, -1, [&] {
        renew_answers(engine);
        return pl_set_functor_value(engine, name, hostValue);
    });
}

int PIE_initial_conflict(PieEngine* engine, int32_t hostValue) {
    if (!engine) return -1;
    return pl_guarded(engine, -1, [&] {
        renew_answers(engine);
        return pl_initial_conflict(engine, pl_watch_find(engine, hostValue));
    });
}

int PIE_check_conflict(PieEngine* engine, int32_t hostValue) {
    if (!engine) return -1;
    return pl_guarded(engine, -1, [&] {
        renew_answers(engine);
        return pl_check_conflict(engine, pl_watch_find(engine, hostValue));
    });
}
