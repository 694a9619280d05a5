// Atoms: every name the engine knows, interned once, so that two names are equal exactly when
// their atoms are the same object. Also the engine's table of values named by atoms.
#pragma once

#include "pie/terms/predefined_atoms.h"

#include <cstddef>
#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFunctor;

struct PlAtom {
    const char* name;  // NUL-terminated
    uint32_t length;
    uint32_t serial;   // interning order; orders tables the same way in every run
    uint32_t hash;
    // The value named by the atom, held here rather than in a table: clearing the reasons of a
    // run asks it of every item the run changed, and nearly all have none.
    PlCell* value;
    // name/0 and name/1 without an owner, entered when the functor is made (pl_lookup_functor
    // makes every functor): atoms and items' names are asked for at every rule and registration.
    PlFunctor* functor0;
    PlFunctor* functor1;
};

// Open-addressed table of atoms by text; it grows, so interning stays fast for any number of
// names, and long common prefixes ("Layout$...", "Item@...") do not crowd one bucket.
struct PlAtomTable {
    PlAtom** slots = nullptr;
    size_t capacity = 0;
    size_t count = 0;
};

struct PlPredefinedAtoms {
#define PL_ATOM_FIELD(field, text) PlAtom* field;
    PL_PREDEFINED_ATOMS(PL_ATOM_FIELD)
#undef PL_ATOM_FIELD
};

// The hash the atom table probes by; the registry's table of choice names uses it too.
uint32_t pie_text_hash(const char* text, size_t length);

void pie_atom_table_create(PieEngine* engine);
void pie_atom_table_free(PieEngine* engine);
// Interns the names of PlPredefinedAtoms in their fixed order.
void pie_intern_predefined(PieEngine* engine);

// Interns a name that lives as long as the engine: the atom keeps the caller's text.
PlAtom* pie_intern_atom(PieEngine* engine, const char* name);
// The copying forms: a new name is copied into the main pool. Any length is accepted; the text
// must hold no NUL within length.
PlAtom* pie_intern_string_len(PieEngine* engine, const char* text, size_t length);
PlAtom* pie_intern_string(PieEngine* engine, const char* text);
PlAtom* pie_intern_copy(PieEngine* engine, const char* text, size_t length);
// The atom of name when it was interned, else nullptr; interns nothing.
PlAtom* pie_find_atom(const PieEngine* engine, const char* name);

size_t pie_atom_count(const PieEngine* engine);
// Takes the atoms made (the last ones interned) out of the table (their records stay in the pool,
// unreachable), so that the next atom interned gets the first one's serial again.
void pie_atoms_forget(PieEngine* engine, PlAtom* const* made, size_t count);

// Values named by atoms (named constants, reasons, results of directives).
void pie_set_atom_value(PieEngine* engine, PlAtom* atom, PlCell* value);
PlCell* pie_get_atom_value(PieEngine* engine, PlAtom* atom);

int pl_compare_atoms(const PlAtom* a, const PlAtom* b);  // by serial
