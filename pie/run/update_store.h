// Values of the engine's own facts (functors whose name begins with "$") during one update: they
// never reach the host, so the engine keeps them in the update pool, which each begin of an
// update drops and makes again.
#pragma once

struct PieEngine;
struct PlCell;
struct PlFunctor;

// Drops the values of the last update (when there were any) and starts empty; sets engine flag
// 0x2000, which marks that the update pool exists.
void pl_update_store_reset(PieEngine* engine);
// Releases the update pool at the end of the engine; clears flag 0x2000.
void pl_update_store_free(PieEngine* engine);

// The value recorded for a fact, or nullptr.
PlCell* pl_update_value(PieEngine* engine, PlFunctor* fact);
void pl_update_set_value(PieEngine* engine, PlFunctor* fact, PlCell* value);

// The value recorded for a property of the fact under a key atom (its functor), or nullptr.
PlCell* pl_update_property(PieEngine* engine, PlFunctor* property, PlFunctor* key);
void pl_update_set_property(PieEngine* engine, PlFunctor* property, PlFunctor* key, PlCell* value);
