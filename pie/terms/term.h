// Term cells: every rule, query and value inside the engine is a graph of these cells over atoms
// and functors. Constants are shared (small integers preset, other integers interned, one atom
// term per functor, one anonymous cell), so equal constants are the same cell.
#pragma once

#include <cstddef>
#include <cstdint>

struct BTree;
struct PieEngine;
struct PlAtom;
struct PlFunctor;
struct PlOperator;
struct PlPool;
struct PlProgram;

enum PlCellType : uint32_t {
    PL_NAME = 0,       // parser name token, not yet classified
    PL_VAR = 1,
    PL_ANONYMOUS = 2,  // the one shared cell of every "_"
    PL_INT = 3,
    PL_FUNCTOR = 4,    // compound term, or atom when the arity is 0
    PL_LIST = 5,
    PL_NIL = 6,        // shared
    PL_PREFIX = 7,     // parser operator nodes
    PL_INFIX = 8,
    PL_POSTFIX = 9,
    PL_CLAUSE = 10,    // clause records: user, system, and query
    PL_SYSTEM_CLAUSE = 11,
    PL_QUERY_CLAUSE = 12,
    PL_AND_GROUP = 13,
    PL_MEMBER = 14,
    PL_ONCE = 15,      // a tagged goal evaluated at most once per call ("TAG" in dumps)
    PL_LISTING = 16,
    PL_MARKER = 17,    // shared; the parser's end-of-text and void markers
    PL_UNBOUND = 18,   // shared; the value of a fresh frame slot
};

struct PlCell;

// A counted array of cells; the elements follow the count in the same allocation, so an
// argument is read without first reading where the elements are. A const vector's elements stay
// writable (mutable), as when the vector held a pointer to them.
struct PlVector {
    uint32_t count;
    mutable PlCell* items[];
};

struct PlCell {
    PlCellType type;
    union {
        uint32_t line;       // PL_FUNCTOR: line of a clause head, or its sequence number
        uint32_t shape;      // PL_LIST: what the list is known to hold (list_shape.h), 0 when unknown
        uint32_t first_key;  // clause records: the value of their head's first argument (clause_facts.h)
    };
    union {
        PlAtom* token;                                                  // PL_NAME
        struct { PlAtom* name; int32_t slot; } var;                     // PL_VAR
        int32_t value;                                                  // PL_INT
        // plain: what resolving found the term to hold (pie/run/resolve.cpp), 0 before it looks; a
        // cell made a compound term in place clears it.
        struct { PlFunctor* functor; PlVector* args; uint32_t plain; } fn;  // PL_FUNCTOR
        struct { PlCell* head; PlCell* tail; } list;                    // PL_LIST
        // Operator nodes: a prefix operand stands right, a postfix operand left.
        struct { PlOperator* entry; PlCell* left; PlCell* right; } op;  // PL_PREFIX..PL_POSTFIX
        // facts: what a try reads of the term, worked out once (clause_facts.h); flags: PLR_ bits.
        struct { PlCell* term; BTree* vars; uint16_t flags; uint16_t facts; uint32_t var_count; } clause;
        PlCell* items;                                                  // PL_AND_GROUP, PL_MEMBER: a list
        struct { PlCell* goal; int32_t state; } once;                   // PL_ONCE: 0 not run, 1, 2
        PlProgram* listing;                                             // PL_LISTING
        PlCell* free_next;                                              // on the free list
    };
};

// The engine's shared cells.
struct PlSharedCells {
    PlCell* anonymous;
    PlCell* nil;
    PlCell* unbound;
    PlCell* digits[10];  // integers 0 to 9
    // Interned integers made lately, by their low bits: arithmetic makes the same few values over
    // and over, and the look in the table of integers costs more than the arithmetic.
    PlCell* recent_integers[64];  // at pl_recent_integer_slot
    PlCell* ON;          // atom terms substituted for constants and folded goals
    PlCell* OFF;
    PlCell* true_;
    PlCell* fail;
    PlCell* end_of_text;  // the parser met the end of the text
    PlCell* void_term;    // the parser was asked for a term where ".", ")" or "]" stands
};

// The entry of PlSharedCells::recent_integers that keeps value when it was made lately.
constexpr uint32_t pl_recent_integer_slot(int32_t value) { return static_cast<uint32_t>(value) % 64; }

void pl_cells_create(PieEngine* engine);

// A cell of the given type with an empty payload, from the free list or the main pool.
PlCell* pl_cell_new(PieEngine* engine, PlCellType type);
// Puts one cell back on the free list; shared cells are left alone.
void pl_cell_release(PieEngine* engine, PlCell* cell);
bool pl_cell_is_shared(const PieEngine* engine, const PlCell* cell);

PlVector* pl_vector_alloc(PieEngine* engine, PlPool* pool, uint32_t count);

PlCell* pl_make_variable(PieEngine* engine, PlAtom* name);  // "_" gives the anonymous cell
PlCell* pl_make_integer(PieEngine* engine, int32_t value);
PlCell* pl_make_atom(PieEngine* engine, PlAtom* name);
PlCell* pl_make_atom_term(PieEngine* engine, PlFunctor* functor);
// name(...) with arity empty argument slots for the caller to fill; arity 0 is the atom term.
PlCell* pl_make_compound(PieEngine* engine, PlAtom* name, uint32_t arity);
// A term of the functor with every argument "_" (a property's hidden key slot included).
PlCell* pl_make_term(PieEngine* engine, PlFunctor* functor);
PlCell* pl_make_list(PieEngine* engine, PlCell* head, PlCell* tail);
// Turns a "," term into list cells in place, ending in tail (NIL when null).
PlCell* pl_make_list_from(PieEngine* engine, PlCell* elements, PlCell* tail);
PlCell* pl_make_and_group(PieEngine* engine, PlCell* goals);
PlCell* pl_make_member(PieEngine* engine, PlCell* elements);
PlCell* pl_make_once(PieEngine* engine, PlCell* goal);
PlCell* pl_make_operator(PieEngine* engine, PlCellType type, PlOperator* entry, PlCell* left, PlCell* right);
PlCell* pl_make_clause(PieEngine* engine, PlCellType type, PlCell* term);

inline bool pl_is_functor(const PlCell* cell, const PlFunctor* functor) {
    return cell->type == PL_FUNCTOR && cell->fn.functor == functor;
}
inline PlCell* pl_arg(const PlCell* cell, uint32_t i) { return cell->fn.args->items[i]; }

// Interned integers are ordered by value.
int pl_compare_integer_cells(const void* item, const void* key);
