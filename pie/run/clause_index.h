// An index of a functor's clause list by the first arguments of its heads: where the look at
// first arguments (head_filter.h), walking the list from its first clause, stops for a goal's
// key, read from a table instead of the walk over every clause it passes. A predicate of many
// clauses told apart by their first arguments (a rule for each kind of term) otherwise pays for
// a look at each clause before the one that answers.
//
// The index lives with its list, in the item of the list's sentinel, which no step of a list
// reads or writes; it is made when a look first needs it, and made again when any clause list or
// record has changed since (pl_clause_change_count), or for a goal of another functor.
#pragma once

#include "pie/run/head_filter.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/list.h"

#include <cstdint>

struct PlClauseIndex {
    struct Slot {
        uint64_t word;  // a first argument as key_word gives it; 0 for a free slot
        PlListNode* node;  // the first clause of the list that holds it
    };
    uint64_t changes;    // pl_clause_change_count when the index was made
    const PlFunctor* f;  // the functor of the goals it answers for
    // Where the look stops for a key that no clause it passes holds: the first clause it never
    // passes, or the list's last, which it does not look at.
    PlListNode* other;
    uint64_t spread;    // the odd multiplier that gives each word a slot of its own where one was found
    uint32_t mask;      // slots - 1; 0 when the list is walked (too few clauses, or one the index cannot tell)
    uint32_t shift;     // 64 - log2(slots), for the slot of a word
    uint32_t capacity;  // slots the block holds, for an index made again in its place
    Slot slots[];

    // The slot a word's probe starts at.
    uint64_t first_slot(uint64_t word) const { return (word * spread) >> shift; }
};

// The index of list for goals of f, made (again) where it is missing or stale. Out of line:
// most calls find it made.
[[gnu::cold, gnu::noinline]] const PlClauseIndex* pl_clause_index_make(PieEngine* engine, PlList* list,
                                                                       const PlFunctor* f);

// Where the look at first arguments stops from node on, for a goal of f whose key is word: the
// walk over the clauses it passes, the last clause of the list never looked at.
inline PlListNode* pl_look_from(const PieEngine* engine, const PlList* list, const PlFunctor* f, uint64_t word,
                                PlListNode* node) {
    while (node->next != list && pl_head_clashes(engine, f, word, static_cast<PlCell*>(node->item)))
        node = node->next;
    return node;
}

// Where the look stops for a goal of f whose key is word, from the first clause of list on,
// which the look passed over, with two clauses or more after it: the index's answer.
[[gnu::hot, gnu::noinline]] PlListNode* pl_indexed_look(PieEngine* engine, PlList* list, const PlFunctor* f,
                                                        uint64_t word);

// Where the look stops from node on, which it passed over, node being no last clause: from the
// first clause of a list of the goal's functor (indexed), the index's answer where the list holds
// two clauses or more after it. The commonest walk, past a list's first clause onto its last,
// takes no call. An unoptimised build calls it: there its steps inline would take stack of their
// own in the frame of every call of a predicate, which a recursion takes once a level.
#ifdef __OPTIMIZE__
[[gnu::always_inline]]
#endif
inline PlListNode* pl_look_past(PieEngine* engine, PlList* list, const PlFunctor* f, uint64_t word, PlListNode* node,
                                bool indexed) {
    PlListNode* next = node->next;
    if (next->next == list) return next;
    return indexed && node == list->next ? pl_indexed_look(engine, list, f, word)
                                         : pl_look_from(engine, list, f, word, next);
}
