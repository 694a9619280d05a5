// Constant name tables of the device capability: the names the rules use for the device's
// papers, paper types, folds, halftones and memory sizes, looked up by the ids the device's lists
// hold. An id without a row is named "UNDEFINED" and the id in decimal by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct SpecName {
    uint32_t id;
    const char* name;
};

std::span<const SpecName> PaperNames();      // the public paper-size codes, by their names
std::span<const SpecName> PaperTypeNames();
std::span<const SpecName> FoldNames();
std::span<const SpecName> HalfToneNames();
std::span<const SpecName> MemorySizeNames();  // by size in bytes, N x 1,024,000
std::span<const SpecName> DefaultOffOnNames();  // "PRINTERDEFAULT", "OFF", "ON"

// The first row with that id; null when none.
const char* SpecNameOf(std::span<const SpecName> table, uint32_t id);
// The id of the first row with that name (exact, case-sensitive); false when none.
bool SpecIdOf(std::span<const SpecName> table, const char* name, uint32_t& id);
// The name of a table row into a 32-byte block: the table's, else "UNDEFINED<id>".
void NameRow(std::span<const SpecName> table, uint32_t id, char (&block)[32]);
