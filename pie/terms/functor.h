// Functor records: one per (name, arity, owner), found or made by pl_lookup_functor. A functor
// carries a predicate's clauses and everything the engine knows about the setting item of the
// same name: its flags, recorded values, dependents, host ids and constant value.
#pragma once

#include <cstdint>
#include <cstddef>
#include <type_traits>

struct BTree;
struct PieEngine;
struct PlAtom;
struct PlCell;
struct PlFrame;
struct PlHash;
struct PlListNode;
struct PlVector;
using PlList = PlListNode;

// Flag bits of a functor; every part of the engine uses these values.
enum PlFunctorFlag : uint32_t {
    PLF_READ_ONLY = 0x1,
    PLF_SYSTEM = 0x2,
    PLF_ON_WRITTEN = 0x4,
    PLF_OFF_WRITTEN = 0x8,
    PLF_SETTLED = 0x10,
    PLF_ALL_LISTS = 0x20,
    PLF_FORCE_PROPAGATE = 0x80,
    PLF_REFUSE = 0x100,
    PLF_VALUE_TYPE = 0xE00,
    PLF_DISABLED = 0x1000,
    PLF_HIDDEN = 0x2000,
    PLF_MARKED = 0x4000,
    PLF_DONE = 0x10000,
    PLF_CONSTANT = 0x20000,
    PLF_HOST_FACT = 0x40000,
    PLF_STATUS_SET = 0x80000,
    PLF_INITIAL_RUNNING = 0x100000,
    PLF_IN_PROPAGATION = 0x200000,
    PLF_UNSUPPORTED = 0x400000,
    PLF_REPLACEMENT = 0x800000,
    PLF_QUEUED = 0x1000000,
    PLF_MOVABLE = 0x2000000,
    PLF_REASON_SET = 0x4000000,
    PLF_HAS_CONTROL = 0x8000000,
    PLF_KEEP_REASON = 0x10000000,
};

// Marks word beside the flags.
enum PlFunctorMark : uint32_t {
    PLM_DEFAULT_CLAUSE = 0x1,   // the item's default status clause exists
    PLM_DISPLAY_PENDING = 0x2,  // a propagation run changed a done item that has a control
    PLM_QUERY_VALUES = 0x4,     // values may hold terms of the running query (PlRunState::query_valued)
    PLM_QUEUED_READER = 0x8,    // a queued reader of the candidate propagation is placing
    PLM_IN_PROGRAM = 0x10,      // entered in the program's functor table (entries never leave it)
    PLM_RUN_DONE = 0x20,        // evaluated by the innermost running propagation
    PLM_RUN_ANSWERED = 0x40,    // in the answer table of the innermost running propagation
    PLM_IN_CHANGED = 0x80,      // in the changed table the engine runs with (pie/run/changed_table.h)
};

// Bits that belong to one query or one conflict check and must not outlive it.
constexpr uint32_t kPlQueryFlags = PLF_SETTLED | PLF_ALL_LISTS | PLF_FORCE_PROPAGATE | PLF_REFUSE |
                                   PLF_DISABLED | PLF_HIDDEN | PLF_MARKED | PLF_INITIAL_RUNNING |
                                   PLF_IN_PROPAGATION | PLF_QUEUED | PLF_MOVABLE | PLF_REASON_SET |
                                   PLF_HAS_CONTROL;

constexpr uint32_t kPlMaxArity = 31;

// A built-in predicate: answers an outcome of the interpreter (0 fail, 1 succeed, 2 cut, ...).
using PlBuiltin = int (*)(PieEngine* engine, PlCell* goal, PlFrame* frame, PlList* answers);

struct PlFunctorSet;

struct PlFunctor {
    PlAtom* name;
    uint32_t arity;
    uint32_t serial;        // creation order
    PlList* clauses[3];     // written, added complements, generated defaults
    uint32_t flags;
    uint32_t marks;
    int32_t uses;           // terms built with it, plus running checks
    PlVector* values;       // the term last recorded for each argument
    PlFunctor* owner;       // the item whose property this is (the alias); null for most
    BTree* property_values; // a property's recorded values by key; made with the first value
    PlList* choices;        // the item's choice names (atoms), read once from the host
    PlCell* constant;       // value given by PIE_define_constant or a constant goal
    PlFunctorSet* dependents;  // functors whose rules read this one; null for "@" names and arity 0
    PlList* waits;          // functors named by the wait goals of its clauses
    PlCell* atom_term;      // the one arity-0 term of this functor
    int32_t host_item;      // the host's item id (block 2 of the host slots)
    int32_t host_item3;     // a third id (block 3); nothing sets it today
    PlFunctor* unary;       // name/1, looked up once
    PlAtom* read_name;      // the atom of the value name the host last gave for the item
    // The item's value as last read from the host (null: it had none), with the host's change
    // count and the engine's query number at that read (see pie_read_item_value).
    PlCell* read_value;
    uint32_t read_changes;
    uint32_t read_query;
    PlFunctor* origin;      // the item whose change scheduled this one
    PlBuiltin builtin;      // set for built-in predicates
    PlList* once_cells;     // once cells of its clauses, reset before each call
    uint8_t goal_kind;      // what loading does with a goal of this functor, plus 1; 0 not known yet
    uint8_t comparison;     // for a built-in comparing two integers, which comparison (PlComparison), else 0
    uint64_t recorded_in;   // the recording that last entered it in its answer table (PlRunState::recordings)
};

// Finds or makes name/arity with the given owner. Arity above 31 raises error 289.
PlFunctor* pl_lookup_functor(PieEngine* engine, PlAtom* name, uint32_t arity, PlFunctor* owner);
// name/1, cached on the functor.
PlFunctor* pl_unary_functor(PieEngine* engine, PlFunctor* functor);

void pl_functor_tables_create(PieEngine* engine);

// The value-type bits of an item whose host answered it has none (it reads as 6, unknown).
constexpr uint32_t kPlValueTypeNone = 0xE00;
// Value type of the item behind a functor: 1 on/off, 2 choice, 3 integer, 4 text, 6 unknown.
int pie_value_type_from_flags(uint32_t flags);
uint32_t pie_flags_from_value_type(int type);

// Orderings for tables of functors: by (name, arity, owner), and by serial number.
int pl_compare_functors(const void* item, const void* key);
int pl_compare_functor_serial(const void* item, const void* key);

// Visits every functor of arities from to to (inclusive), table by table.
void pl_functor_visit(PieEngine* engine, uint32_t from, uint32_t to,
                      void (*visit)(PlFunctor* functor, void* context), void* context);

template <class Fn>
void pl_functor_walk(PieEngine* engine, uint32_t from, uint32_t to, Fn&& fn) {
    using F = std::remove_reference_t<Fn>;
    pl_functor_visit(
        engine, from, to, [](PlFunctor* functor, void* context) { (*static_cast<F*>(context))(functor); },
        &fn);
}

// Takes the functors made (all of them made from serial on) out of the tables and their atoms
// (their records stay in the pool, unreachable), so that the next functor made gets serial again.
void pl_functors_forget(PieEngine* engine, PlFunctor* const* made, size_t count, uint32_t serial);

// Clears the per-query flags of every functor (after an engine error ended a query).
void pl_clear_query_flags(PieEngine* engine);
