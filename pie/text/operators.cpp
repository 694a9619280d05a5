// The operator table and its built-in rows. Entries are keyed by their name atom in a hash
// table of the engine, so lookups need no shared key record and engines do not interfere.
#include "pie/text/operators.h"

#include "pie/api/engine.h"
#include "pie/terms/hash.h"

#include <cstring>

namespace {

constexpr const char* kTypeNames[] = {"fx", "fy", "xf", "yf", "xfx", "xfy", "yfx", "yfy"};

struct BuiltinRow {
    const char* name;
    int priority;
    int type;
    int op_class;  // 3 logical, 2 arithmetic
};

// In the order in which a new engine loads them.
constexpr BuiltinRow kBuiltinRows[] = {
    {":-", 1200, PL_XFX, 3}, {"?-", 1200, PL_FX, 3}, {";", 1100, PL_XFY, 3}, {"|", 1100, PL_XFY, 3},
    {",", 1000, PL_XFY, 3},  {"not", 900, PL_FY, 3}, {"apply", 900, PL_FY, 3}, {"=", 700, PL_XFX, 3},
    {"is", 700, PL_XFX, 3},  {"=:=", 700, PL_XFX, 3}, {"=\\=", 700, PL_XFX, 3}, {"==", 700, PL_XFX, 3},
    {"\\==", 700, PL_XFX, 3}, {"<", 700, PL_XFX, 3},  {">", 700, PL_XFX, 3},    {"<=", 700, PL_XFX, 3},
    {">=", 700, PL_XFX, 3},  {"+", 500, PL_YFX, 2},  {"-", 500, PL_YFX, 2},    {"/\\", 500, PL_YFX, 2},
    {"\\/", 500, PL_YFX, 2}, {"<<", 500, PL_YFX, 2}, {">>", 500, PL_YFX, 2},   {"+", 500, PL_FX, 2},
    {"-", 500, PL_FX, 2},    {"\\", 500, PL_FX, 2},  {"*", 400, PL_YFX, 2},    {"/", 400, PL_YFX, 2},
    {"mod", 300, PL_YFX, 2}, {"::", 200, PL_XFX, 2}, {"^", 200, PL_FX, 3},
};

int compare(const void* item, const void* key) {
    return pl_compare_atoms(static_cast<const PlOperator*>(item)->name, static_cast<const PlAtom*>(key));
}

size_t hash(const void* key) { return static_cast<const PlAtom*>(key)->serial; }

PlOpDefinition*& slot_of(PlOperator* entry, int type) {
    if (type <= PL_FY) return entry->prefix;
    if (type <= PL_YF) return entry->postfix;
    return entry->infix;
}

PlOperator* find_or_create(PieEngine* engine, PlAtom* name) {
    if (PlOperator* entry = pl_operator_lookup(engine, name)) return entry;
    auto* entry = pl_pool_new<PlOperator>(engine, &engine->main_pool, PlOperator{name, nullptr, nullptr, nullptr});
    pl_hash_lookup_or_insert(engine, engine->operators, name)->item = entry;
    return entry;
}

}  // namespace

void pl_operators_create(PieEngine* engine) {
    engine->operators = pl_hash_create(engine, &engine->main_pool, compare, hash, 5);
    for (const BuiltinRow& row : kBuiltinRows) plop_put(engine, pie_intern_atom(engine, row.name), row.type, row.priority);
    for (const BuiltinRow& row : kBuiltinRows) {
        PlOperator* entry = pl_operator_lookup(engine, pie_intern_atom(engine, row.name));
        slot_of(entry, row.type)->functor->flags |= row.op_class == 3 ? PLF_READ_ONLY | PLF_SYSTEM : PLF_SYSTEM;
    }
    engine->op_neck = pl_operator_lookup(engine, engine->atom.neck);
    engine->op_semicolon = pl_operator_lookup(engine, engine->atom.semicolon);
    engine->op_bar = pl_operator_lookup(engine, engine->atom.bar);
    engine->op_comma = pl_operator_lookup(engine, engine->atom.comma);
}

PlOperator* plop_put(PieEngine* engine, PlAtom* name, int type, int priority) {
    if (type < PL_FX || type > PL_YFY) return pl_operator_lookup(engine, name);
    PlOperator* entry = find_or_create(engine, name);
    PlOpDefinition*& definition = slot_of(entry, type);
    if (definition) {
        if (definition->functor->flags & (PLF_READ_ONLY | PLF_SYSTEM))
            pl_fatal_error(engine, PL_ERR_READ_ONLY_OPERATOR, "plop_put");
    } else {
        PlFunctor* functor = pl_lookup_functor(engine, name, type >= PL_XFX ? 2 : 1, nullptr);
        definition = pl_pool_new<PlOpDefinition>(engine, &engine->main_pool, PlOpDefinition{0, 0, functor});
    }
    definition->type = type;
    definition->priority = priority;
    ++engine->syntax_changes;
    return entry;
}

PlOperator* pl_operator_lookup(PieEngine* engine, PlAtom* name) {
    return static_cast<PlOperator*>(pl_hash_lookup(engine->operators, name));
}

int pl_op_right_bound(const PlOpDefinition& definition) {
    switch (definition.type) {
    case PL_FY:
    case PL_XFY:
    case PL_YFY:
        return definition.priority;
    default:
        return definition.priority - 1;
    }
}

int pl_op_type_code(const char* name) {
    for (int i = 0; i < 8; ++i)
        if (std::strcmp(kTypeNames[i], name) == 0) return i;
    return -1;
}

const char* pl_op_type_name(int type) { return type >= 0 && type < 8 ? kTypeNames[type] : nullptr; }
