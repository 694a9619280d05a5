// Abbreviations of rule text: "?d" stands for disable, "?sr" for sreason. The table maps a name
// atom to its expansion; entries are only ever added.
#pragma once

struct PieEngine;
struct PlAtom;

// Makes the table with the engine's predefined abbreviations.
void pl_abbrev_create(PieEngine* engine);
// 1 when defined, 0 when the name already had an expansion (which stays).
int pl_abbrev_define(PieEngine* engine, PlAtom* name, PlAtom* expansion);
// The expansion, or nullptr.
PlAtom* pl_abbrev_lookup(PieEngine* engine, PlAtom* name);
