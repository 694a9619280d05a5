// The sections of a compiled rule image: the ELF32 header and section table (little-endian),
// then names, functors, atoms, dependents, once cells and clauses (big-endian). Header and
// section-table faults answer 293, anything wrong inside a section 294; nothing is read before
// its place has been checked against the image.
#include "pie/build/image_loader.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/terms/pool.h"
#include "pie/build/preprocessor.h"
#include "pie/build/program.h"
#include "pie/terms/functor_set.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

constexpr uint8_t kMagic[4] = {0x7F, 'E', 'L', 'F'};
constexpr size_t kHeaderSize = 52;
constexpr size_t kSectionFieldsEnd = 24;  // the fields read lie in the first 24 bytes
constexpr uint64_t kElf32SectionHeaderSize = 40;
constexpr uint64_t kMaxUnboundedImage = 16u << 20;

struct Section {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool found = false;
};

uint32_t le(const uint8_t* p, size_t bytes) {
    uint32_t value = 0;
    for (size_t i = bytes; i-- > 0;) value = value << 8 | p[i];
    return value;
}
uint32_t be16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 8 | p[1]; }

[[noreturn]] void bad_header(PieEngine* engine) { pl_fatal_error(engine, PL_ERR_ELF_HEADER, "elf32_header_check"); }
[[noreturn]] void bad_element(PieEngine* engine, unsigned code) {
    pl_fatal_error(engine, PL_ERR_LOAD_ELEMENT, "elf32_header_check", code);
}

struct Sections {
    Section strtab, functor, atom, refer, tag, user;
};

Sections find_sections(PieEngine* engine, const uint8_t* image, size_t size) {
    if (size < kHeaderSize || std::memcmp(image, kMagic, 4) != 0) bad_header(engine);
    const uint64_t table = le(image + 32, 4), entry = le(image + 46, 2), count = le(image + 48, 2),
                   names = le(image + 50, 2);
    if (entry < kSectionFieldsEnd || names >= count || table + entry * count > size) bad_header(engine);
    auto header = [&](uint64_t i) { return image + table + entry * i; };
    auto data = [&](uint64_t i) {
        const uint64_t offset = le(header(i) + 16, 4), length = le(header(i) + 20, 4);
        if (offset + length > size) bad_header(engine);
        return Section{image + offset, static_cast<size_t>(length), true};
    };
    const Section shstrtab = data(names);
    Sections found;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t name = le(header(i), 4);
        if (name >= shstrtab.size) bad_header(engine);
        const char* text = reinterpret_cast<const char*>(shstrtab.data + name);
        const std::string_view section(text, strnlen(text, shstrtab.size - name));
        Section* slot = section == ".strtab"    ? &found.strtab
                        : section == ".functor" ? &found.functor
                        : section == ".atom"    ? &found.atom
                        : section == ".refer"   ? &found.refer
                        : section == ".tag"     ? &found.tag
                        : section == ".user"    ? &found.user
                                                : nullptr;
        if (slot) *slot = data(i);
    }
    return found;
}

PlAtom* name_at(PieEngine* engine, const PlLoadContext& context, uint32_t offset, unsigned code) {
    if (offset >= context.strtab_size) bad_element(engine, code);
    return pie_intern_atom(engine, context.strtab + offset);
}

void load_strings(PieEngine* engine, PlLoadContext& context, const Section& strtab) {
    if (strtab.size == 0 || strtab.data[strtab.size - 1] != 0) bad_element(engine, 0);
    char* copy = static_cast<char*>(pl_pool_alloc(engine, &engine->main_pool, strtab.size));
    std::memcpy(copy, strtab.data, strtab.size);
    context.strtab = copy;
    context.strtab_size = strtab.size;
    for (size_t at = 0; at < strtab.size; at += std::strlen(copy + at) + 1)
        if (copy[at]) pie_intern_atom(engine, copy + at);
}

// Entries name their owner by index, possibly a later one: each pass makes every entry whose
// owner exists; a pass that makes none means a cycle or a missing owner.
void load_functors(PieEngine* engine, PlLoadContext& context, const Section& section) {
    if (section.size % 2) bad_element(engine, 0);
    struct Entry {
        uint32_t name;
        int64_t owner;  // -1 none
    };
    std::vector<Entry> entries;
    for (size_t at = 0; at < section.size; at += 2) {
        const uint32_t word = be16(section.data + at);
        if (!(word & 0x8000)) {
            entries.push_back({word, -1});
            continue;
        }
        if (section.size - at < 4) bad_element(engine, 0);
        at += 2;
        entries.push_back({word & 0x7FFF, be16(section.data + at)});
    }
    context.functors.assign(entries.size(), nullptr);
    for (const Entry& entry : entries)
        if (entry.owner >= static_cast<int64_t>(entries.size())) bad_element(engine, 0);
    for (size_t left = entries.size(); left > 0;) {
        size_t made = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (context.functors[i]) continue;
            PlFunctor* owner = nullptr;
            if (entries[i].owner >= 0 && !(owner = context.functors[entries[i].owner])) continue;
            context.functors[i] = pl_lookup_functor(engine, name_at(engine, context, entries[i].name, 0), 1, owner);
            ++made;
        }
        if (made == 0) bad_element(engine, 0);
        left -= made;
    }
}

void load_atoms(PieEngine* engine, PlLoadContext& context, const Section& section) {
    if (section.size % 2) bad_element(engine, 0);
    for (size_t at = 0; at < section.size; at += 2)
        context.atoms.push_back(name_at(engine, context, be16(section.data + at), 0));
}

void load_dependents(PieEngine* engine, const PlLoadContext& context, const Section& section) {
    auto functor = [&](size_t at) {
        const uint32_t index = be16(section.data + at);
        if (index >= context.functors.size()) bad_element(engine, 0);
        return context.functors[index];
    };
    for (size_t at = 0; at < section.size;) {
        if (section.size - at < 4) bad_element(engine, 0);
        PlFunctor* read = functor(at);
        const size_t count = be16(section.data + at + 2);
        at += 4;
        if ((section.size - at) / 2 < count) bad_element(engine, 0);
        for (size_t i = 0; i < count; ++i, at += 2)
            if (read->dependents) pl_functor_set_add(engine, read->dependents, functor(at));
    }
}

void make_once_table(PieEngine* engine, PlLoadContext& context, const Section& section) {
    if (section.size < 4) bad_element(engine, 0);
    const uint64_t count = static_cast<uint64_t>(be16(section.data)) << 16 | be16(section.data + 2);
    // Indexes are 16 bits, so a larger table could never be addressed.
    if (count > 0xFFFF) bad_element(engine, 0);
    context.has_tag = true;
    context.once.assign(count + 1, nullptr);
    context.once_state.assign(count + 1, 0);
}

void load_clauses(PieEngine* engine, PlLoadContext& context, bool dependents_from_image) {
    PlFunctor* neck = pl_predefined(engine, PLP_neck_2);
    for (size_t position = 0; position < context.user_size;) {
        PlCell* clause = pl_make_clause(engine, PL_CLAUSE, nullptr);
        context.clause = clause;
        context.slots.assign(256, nullptr);
        context.clause_once.clear();
        const unsigned code = context.user[position];
        PlCell* term = pl_load_predicate(engine, context, position);
        if (!term) return;
        if (term->type != PL_FUNCTOR) bad_element(engine, code);
        clause->clause.term = term;
        pl_clause_facts_update(engine, clause);
        const bool rule = term->fn.functor == neck;
        PlCell*& head = rule ? term->fn.args->items[0] : clause->clause.term;
        if (head->type != PL_FUNCTOR) bad_element(engine, code);
        clause->clause.flags = rule ? preprocessor_check(engine, pl_arg(term, 1), true) : PLR_FACT;
        PlFunctor* functor = head->fn.functor;
        for (uint32_t index : context.clause_once) {
            if (!functor->once_cells) functor->once_cells = pl_list_new(engine);
            pl_list_append(engine, functor->once_cells, context.once[index]);
            context.once_state[index] = 2;
        }
        if (functor->name == engine->atom.dollars) {
            PlFunctor* own = replace_nopropagate_functor(engine, functor);
            --functor->uses;
            ++own->uses;
            head->fn.functor = own;
        }
        engine->program->changed = 1;
        pl_store_clause(engine, clause, engine->line, !dependents_from_image);
    }
}

void load(PieEngine* engine, const uint8_t* image, size_t size) {
    const Sections sections = find_sections(engine, image, size);
    if (!sections.strtab.found || !sections.functor.found || !sections.user.found) return;
    PlLoadContext context;
    load_strings(engine, context, sections.strtab);
    load_functors(engine, context, sections.functor);
    if (sections.atom.found) load_atoms(engine, context, sections.atom);
    if (sections.refer.found) load_dependents(engine, context, sections.refer);
    if (sections.tag.found) make_once_table(engine, context, sections.tag);
    context.user = sections.user.data;
    context.user_size = sections.user.size;
    load_clauses(engine, context, sections.refer.found);
}

// Compares byte by byte, so a shorter text is never read past its NUL.
bool magic_at(const char* text, int start) {
    for (int i = 0; i < start; ++i)
        if (text[i] == 0) return false;
    for (int i = 0; i < 4; ++i)
        if (text[start + i] != static_cast<char>(kMagic[i])) return false;
    return true;
}

}  // namespace

int pl_image_test(const char* text) { return magic_at(text, 0) || magic_at(text, 1); }

int pl_image_second_byte_test(const char* text) { return !magic_at(text, 0) && magic_at(text, 1); }

void pl_load_image(PieEngine* engine, const uint8_t* image, size_t size) { load(engine, image, size); }

void elf32_header_check(PieEngine* engine, const uint8_t* image) {
    // Without a length, the image is taken to end where the compiler ends it, with its section
    // table behind the sections; a section that claims bytes past the table is refused, not read.
    // The table must stand behind the header, in entries of the ELF32 size, within the largest
    // image a rule program makes, so that a forged offset in the header alone cannot send the
    // reading anywhere in the process.
    if (std::memcmp(image, kMagic, 4) != 0) bad_header(engine);
    const uint64_t table = le(image + 32, 4), entry = le(image + 46, 2), count = le(image + 48, 2);
    if (entry != kElf32SectionHeaderSize || table < kHeaderSize || table + entry * count > kMaxUnboundedImage)
        bad_header(engine);
    load(engine, image, static_cast<size_t>(table + entry * count));
}
