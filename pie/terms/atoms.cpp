// Interning of names, and the values named by atoms. The table is probed by a hash of the whole
// text and doubles when half full; atoms themselves live in the main pool and never move.
#include "pie/terms/atoms.h"

#include "pie/api/engine.h"
#include "pie/build/read_text.h"
#include "pie/terms/pool.h"

#include <bit>
#include <cstring>

// Eight bytes a step: the byte-wise hash this replaces was a third of what every interning cost,
// and a sheet start interns about 1,500 names. Every byte still reaches every bit of the result,
// so names that differ only near their end ("Item@A4", "Item@A5") part.
uint32_t pie_text_hash(const char* text, size_t length) {
    constexpr uint64_t kMix = 0x9E3779B97F4A7C15ull;
    uint64_t h = length * kMix;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        h = std::rotl((h ^ word) * kMix, 29);
    }
    if (i < length) {
        uint64_t word = 0;
        std::memcpy(&word, text + i, length - i);
        h = std::rotl((h ^ word) * kMix, 29);
    }
    h ^= h >> 32;
    h *= kMix;
    return static_cast<uint32_t>(h >> 32);
}

namespace {

constexpr size_t kInitialCapacity = 1024;

// The slot that holds the text, or the empty slot where it belongs.
PlAtom** probe(const PlAtomTable& table, const char* text, size_t length, uint32_t hash) {
    const size_t mask = table.capacity - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        PlAtom* atom = table.slots[i];
        if (!atom) return &table.slots[i];
        if (atom->hash == hash && atom->length == length && std::memcmp(atom->name, text, length) == 0)
            return &table.slots[i];
    }
}

PlAtom** new_slots(PieEngine* engine, size_t capacity) {
    auto** slots = static_cast<PlAtom**>(xmalloc(engine, capacity * sizeof(PlAtom*)));
    std::memset(slots, 0, capacity * sizeof(PlAtom*));
    return slots;
}

void grow(PieEngine* engine) {
    PlAtomTable& table = engine->atom_table;
    PlAtomTable bigger{new_slots(engine, table.capacity * 2), table.capacity * 2, table.count};
    for (size_t i = 0; i < table.capacity; ++i)
        if (PlAtom* atom = table.slots[i]) *probe(bigger, atom->name, atom->length, atom->hash) = atom;
    xfree(table.slots);
    table = bigger;
}

// Finds the atom of the text or enters one; keep_text enters the caller's text itself.
PlAtom* intern(PieEngine* engine, const char* text, size_t length, bool keep_text) {
    PlAtomTable& table = engine->atom_table;
    const uint32_t hash = pie_text_hash(text, length);
    PlAtom** slot = probe(table, text, length, hash);
    if (*slot) return *slot;
    if (2 * (table.count + 1) > table.capacity) {
        grow(engine);
        slot = probe(table, text, length, hash);
    }
    PlAtom* atom;
    if (keep_text) {
        atom = pl_pool_new<PlAtom>(engine, &engine->main_pool);
        atom->name = text;
    } else {
        // The text follows the record in the same allocation.
        auto* block = static_cast<char*>(pl_pool_take(engine, &engine->main_pool, sizeof(PlAtom) + length + 1));
        char* copy = block + sizeof(PlAtom);
        std::memcpy(copy, text, length);
        copy[length] = '\0';
        atom = new (block) PlAtom{};
        atom->name = copy;
    }
    atom->length = static_cast<uint32_t>(length);
    atom->serial = static_cast<uint32_t>(table.count);
    atom->hash = hash;
    *slot = atom;
    ++table.count;
    if (engine->kept) pl_kept_note_atom(engine, atom);
    return atom;
}

}  // namespace

void pie_atom_table_create(PieEngine* engine) {
    engine->atom_table = PlAtomTable{new_slots(engine, kInitialCapacity), kInitialCapacity, 0};
}

void pie_atom_table_free(PieEngine* engine) {
    xfree(engine->atom_table.slots);
    engine->atom_table = PlAtomTable{};
}

void pie_intern_predefined(PieEngine* engine) {
#define PL_ATOM_INTERN(field, text) engine->atom.field = pie_intern_atom(engine, text);
    PL_PREDEFINED_ATOMS(PL_ATOM_INTERN)
#undef PL_ATOM_INTERN
}

PlAtom* pie_intern_atom(PieEngine* engine, const char* name) {
    return intern(engine, name, std::strlen(name), true);
}

PlAtom* pie_intern_string_len(PieEngine* engine, const char* text, size_t length) {
    if (length > kPlMaxRequest) pl_fatal_error(engine, PL_ERR_NO_MEMORY, "xmalloc");
    PlAtom* atom = intern(engine, text, length, false);
    if (engine->recorder) pl_text_recorder_note_atom(engine, atom);
    return atom;
}

PlAtom* pie_intern_string(PieEngine* engine, const char* text) {
    return pie_intern_string_len(engine, text, std::strlen(text));
}

// The engine this came from copied the text into a bounded static buffer before interning;
// lookup by (text, length) needs no copy, so any length works and engines share nothing.
PlAtom* pie_intern_copy(PieEngine* engine, const char* text, size_t length) {
    return pie_intern_string_len(engine, text, length);
}

PlAtom* pie_find_atom(const PieEngine* engine, const char* name) {
    const size_t length = std::strlen(name);
    return *probe(engine->atom_table, name, length, pie_text_hash(name, length));
}

size_t pie_atom_count(const PieEngine* engine) { return engine->atom_table.count; }

void pie_atoms_forget(PieEngine* engine, PlAtom* const* made, size_t count) {
    PlAtomTable& table = engine->atom_table;
    const size_t mask = table.capacity - 1;
    for (size_t n = 0; n < count; ++n) {
        const PlAtom* atom = made[n];
        // The slot empties, and each later atom of its run that would no longer be reached from
        // its home slot moves back into the hole.
        size_t hole = static_cast<size_t>(probe(table, atom->name, atom->length, atom->hash) - table.slots);
        if (table.slots[hole] != atom) continue;
        table.slots[hole] = nullptr;
        --table.count;
        for (size_t i = (hole + 1) & mask; PlAtom* next = table.slots[i]; i = (i + 1) & mask) {
            const size_t home = next->hash & mask;
            const bool stays = hole < i ? (home > hole && home <= i) : (home > hole || home <= i);
            if (stays) continue;
            table.slots[hole] = next;
            table.slots[i] = nullptr;
            hole = i;
        }
    }
}

void pie_set_atom_value(PieEngine* /*engine*/, PlAtom* atom, PlCell* value) { atom->value = value; }

PlCell* pie_get_atom_value(PieEngine* /*engine*/, PlAtom* atom) { return atom->value; }

int pl_compare_atoms(const PlAtom* a, const PlAtom* b) {
    return a->serial < b->serial ? -1 : a->serial > b->serial ? 1 : 0;
}
