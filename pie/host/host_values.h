// The item value routines: how the engine reads an item's value from the host, asks whether a
// value is possible, sets it, and reads and sets item properties, all through the host slots of
// the block chosen for the item.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFunctor;

// Value routine: sets the item's value (an integer or atom term). 1 accepted, 0 refused.
int pie_set_item_value(PieEngine* engine, PlFunctor* item, PlCell* value);
// Reading routine: the item's current value as a term, or nullptr.
PlCell* pie_read_item_value(PieEngine* engine, PlFunctor* item);
// The item's value as loaded into the dialog (source) or its reference value, or nullptr.
PlCell* pie_read_item_source(PieEngine* engine, PlFunctor* item, bool reference);
// Check routine: 1 when the item can take value, else 0.
int pie_check_item_value(PieEngine* engine, PlFunctor* item, PlCell* value);

// Property reading: the value of property (a property functor of item) under key, or nullptr.
PlCell* pie_read_property(PieEngine* engine, PlFunctor* item, PlFunctor* key, PlFunctor* property);
// Property routine: sets the property under key to value. 1 accepted, 0 refused.
int pie_set_property(PieEngine* engine, PlFunctor* item, PlFunctor* key, PlFunctor* property, PlCell* value);

// Action with an answer: 0 with *out set, else the host's answer or -1.
int sv_action_out(PieEngine* engine, PlFunctor* item, int32_t count, const char* const* names, PlCell** out);

// Value commit, run by propagation for a changed item: 1 when the host (or the update table for
// the engine's own facts) took a new value, else 0. An atom value the host already held counts as
// a change when the host's is-changed operation says so; *kept (when given) then tells so.
int pie_commit_item_value(PieEngine* engine, PlFunctor* item, bool* kept = nullptr);

// Property commit: writes the recorded values of a property functor to the host (or the update
// tree for the engine's own facts); 1 when something changed.
int pie_commit_property(PieEngine* engine, PlFunctor* property);

// The atom term of a host text (interned by copy).
PlCell* pie_atom_of_text(PieEngine* engine, const char* text);
