// The abbreviation table, with the abbreviations every engine knows from its creation.
#include "pie/text/abbrev.h"

#include "pie/api/engine.h"
#include "pie/terms/hash.h"

namespace {

struct Abbreviation {
    PlAtom* name;
    PlAtom* expansion;
};

constexpr const char* kPredefined[][2] = {
    {"w2", "win2k"}, {"w9", "win9X"}, {"wN", "winNT"}, {"d", "disable"}, {"de", "disable_element"},
    {"h", "hide"}, {"he", "hide_element"}, {"s", "show"}, {"se", "show_element"}, {"e", "enable"},
    {"ee", "enable_element"}, {"ps", "prev_status"}, {"m", "member"}, {"me", "message"}, {"a", "action"},
    {"sr", "sreason"}, {"r", "reason"}, {"rr", "rreason"}, {"sre", "sreason_element"},
    {"re", "reason_element"}, {"rre", "rreason_element"}, {"t", "true"},
};

int compare(const void* item, const void* key) {
    return pl_compare_atoms(static_cast<const Abbreviation*>(item)->name, static_cast<const PlAtom*>(key));
}

size_t hash(const void* key) { return static_cast<const PlAtom*>(key)->serial; }

}  // namespace

void pl_abbrev_create(PieEngine* engine) {
    engine->abbreviations = pl_hash_create(engine, &engine->main_pool, compare, hash, 4);
    for (const auto& row : kPredefined)
        pl_abbrev_define(engine, pie_intern_atom(engine, row[0]), pie_intern_atom(engine, row[1]));
}

int pl_abbrev_define(PieEngine* engine, PlAtom* name, PlAtom* expansion) {
    if (pl_hash_lookup(engine->abbreviations, name)) return 0;
    // The record exists before its node, so an exhausted pool leaves no empty node behind.
    auto* entry = pl_pool_new<Abbreviation>(engine, &engine->main_pool, Abbreviation{name, expansion});
    pl_hash_lookup_or_insert(engine, engine->abbreviations, name)->item = entry;
    ++engine->syntax_changes;
    return 1;
}

PlAtom* pl_abbrev_lookup(PieEngine* engine, PlAtom* name) {
    auto* entry = static_cast<Abbreviation*>(pl_hash_lookup(engine->abbreviations, name));
    return entry ? entry->expansion : nullptr;
}
