// Loading a rule program compiled in advance into an ELF32 image: names, functors, atoms,
// dependents and clauses in compact records. The image comes from the host, so every offset,
// size, count and index is checked against the image before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PieEngine;
struct PlAtom;
struct PlCell;
struct PlFunctor;

// 1 when the ELF magic stands at the first or the second byte of text (read no further than a
// NUL); the second-byte test answers 1 only for the second byte.
int pl_image_test(const char* text);
int pl_image_second_byte_test(const char* text);

// Loads the image of size bytes. A bad header raises 293, a bad section or clause 294; clauses
// read before the error stay loaded. A missing ".strtab", ".functor" or ".user" loads nothing.
void pl_load_image(PieEngine* engine, const uint8_t* image, size_t size);
// The same for an image whose length is not known: it ends with its section table, as the
// header places it (ELF32-sized entries behind the header, at most 16 MB in all); a section
// claiming bytes past the table raises 293.
void elf32_header_check(PieEngine* engine, const uint8_t* image);

// What reading the clauses of one image needs.
struct PlLoadContext {
    const uint8_t* user = nullptr;  // the ".user" bytes
    size_t user_size = 0;
    const char* strtab = nullptr;   // the copied ".strtab", ending in NUL
    size_t strtab_size = 0;
    std::vector<PlFunctor*> functors;
    std::vector<PlAtom*> atoms;
    bool has_tag = false;
    std::vector<PlCell*> once;        // once cells by index; null until built
    std::vector<uint8_t> once_state;  // 0 not built, 1 being read, 2 built and owned, 3 built
    std::vector<PlCell*> slots;       // the current clause's variables by image slot
    std::vector<uint32_t> clause_once;  // once-cell indexes first met in the current clause
    PlCell* clause = nullptr;           // the clause record being read
};

// Reads one term at position and advances it; nullptr at the end code. 294 for a code outside
// the table or operands beyond the section.
PlCell* pl_load_predicate(PieEngine* engine, PlLoadContext& context, size_t& position);
