// The engine's diagnostic texts: the banner and predicate listings after a load, the functor
// and reference dumps, binding lines and the trace lines of queries and propagation.
#pragma once

struct PieEngine;
struct PlAtom;
struct PlCell;

// Trace events; their tags are six characters wide.
enum PlTraceEvent : int {
    PL_TRACE_FAIL = 0,
    PL_TRACE_TRUE = 1,
    PL_TRACE_CUT = 2,
    PL_TRACE_STOP = 3,
    PL_TRACE_CALL = 4,
    PL_TRACE_FIX = 5,
    PL_TRACE_PROPAGATE = 6,
    PL_TRACE_UNDETERMINED = 7,
};

// One trace line (tag, depth, goal) handed to the host at once. Prints only with flag 0x10.
void plout_trace(PieEngine* engine, int event, int depth, const PlCell* goal);
// "\t<name>:=<value>".
void plout_binding(PieEngine* engine, const PlAtom* name, const PlCell* value);
// The banner, flushed.
void plout_banner(PieEngine* engine);
// "<< USER PREDICATES >>" with the clauses of the text, then "<< COMPLETE PREDICATES >>" with
// every clause of the program's three lists, each numbered; flushed.
void plout_listing(PieEngine* engine);
// "<<Functor Dump>>" and one line per functor of the program; flushed.
void plout_functor_dump(PieEngine* engine);
// "<<Functor Reference Dump>>" and, per item functor, the functors whose rules read it.
void plout_reference_dump(PieEngine* engine);
