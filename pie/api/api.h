// The rule engine's API: the host (the conflict manager of the setting framework) creates an
// engine, hands it its callbacks, registers its items as functors and constants, loads rule
// programs, asks for initial and changed conflicts, reads values and options, and ends the
// engine. Every function catches engine errors at its entry and answers its error result; the
// engine stays usable.
#pragma once

#include "pie/api/engine.h"
#include "pie/host/host_records.h"

#include <cstddef>
#include <cstdint>

// The host's two callback tables, copied into host slots 0-43 and 44-81.
struct PieHostBlock1 {
    PlHostSlot slots[44];
};
struct PieHostBlock2 {
    PlHostSlot slots[38];
};

// 0 and the engine in *out, or -1 when it cannot be made.
int PIE_init(PieEngine** out, void* host, uint32_t options);
int PIE_set_callbacks(PieEngine* engine, const PieHostBlock1* table);
int PIE_set_callbacks2(PieEngine* engine, const PieHostBlock2* table);
// The word the host raises on every change the rules make to its items (values, marks, choices,
// properties, actions, messages); null takes it back. With it, propagation does not wake the
// readers of an item whose rule changed nothing and left its value as it was. 0; -1 no engine.
int PIE_set_change_count(PieEngine* engine, const uint32_t* count);
// 0 defined; -1 not a well-formed name (or "" or beginning with "$"); -2 already defined; -3 an
// unknown type or a value text that is not a well-formed name.
int PIE_define_constant(PieEngine* engine, const char* name, const PieValue* value);
// Makes name/1 the functor of the host's item hostValue; 0, or -1 after an engine error.
int PIE_register_functor(PieEngine* engine, const char* name, int32_t hostValue);
// Seeds propagation from the registered item: 0 its rule held; 1 it did not, it was seeded
// already or no item has the id; -1 after an engine error.
int PIE_initial_conflict(PieEngine* engine, int32_t hostValue);
// Checks the registered item: 0 the check held, 1 it did not, 2 no item has the id, -1 error.
int PIE_check_conflict(PieEngine* engine, int32_t hostValue);
// Loads one rule text (NUL-terminated) or compiled image; 0 loaded, 1 refused or an engine error.
// A load asked for by a host callback while a load runs answers -1 and changes nothing: the
// lexer's place, the load pool and the pass after loading belong to the running load.
int PIE_main(PieEngine* engine, const char* text);
// The same for a text or image of size bytes; an image is never read beyond them.
int PIE_main_image(PieEngine* engine, const void* data, size_t size);
int PIE_begin_update(PieEngine* engine);
int PIE_end_update(PieEngine* engine);
// 0 and the value; -1 no value under the name; -2 the value is not an integer.
int PIE_get_integer(PieEngine* engine, const char* name, int32_t* out);
// The value stored under the name (a named constant, the reason a rule gave for an item or a
// choice) as the host's typed values read: type 3 and the integer, or type 2 and the atom's name
// (kept by the engine while it lives). 0; -1 no value under the name; -2 a value of another kind.
int PIE_get_value(PieEngine* engine, const char* name, PieValue* out);
int PIE_set_options(PieEngine* engine, uint32_t options);
int PIE_get_options(PieEngine* engine, uint32_t* out);
// 0; -1 (nothing ended) when asked from a host callback while an engine call runs.
int PIE_term(PieEngine* engine);
// Keeps the engine's state as its loads left it, for PIE_back_to_kept. 0 kept; -1 no engine, a
// call running, a query ran already (a directive of a load, a conflict: what it left may depend
// on what the host answered), or memory short (what was kept before is then kept still).
int PIE_keep(PieEngine* engine);
// Brings the engine back to what PIE_keep kept, as if no query had run since: 0 done; 1 when it
// cannot (nothing kept, a call running, or the queries since made functors or atoms, changed
// the program or grew the memory too far): the host then ends the engine.
int PIE_back_to_kept(PieEngine* engine);
// Hands the engine's callbacks another host word (null: none, while no host holds the engine).
// For a host, the platform and the calling side's answers are asked again as PIE_init and every
// load asked them: 0 when they are what the engine's loads saw (the program would load the same
// under this host); 1 when any differs, or a call runs: the host then ends the engine.
int PIE_move_host(PieEngine* engine, void* host);
