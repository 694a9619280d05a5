// A look at the first argument of a clause head before a frame is made for the clause: when it
// and the goal's first argument are constants or structures of different kinds (or different
// integers or functors), unifying the head would fail at its first step and leave nothing
// behind, so the clause is passed over without trying it. What the look and a try read of a
// clause record comes from the facts kept in it (clause_facts.h), not from its term.
#pragma once

#include "pie/api/engine.h"
#include "pie/run/frame.h"
#include "pie/run/interpreter.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/functor.h"
#include "pie/terms/predefined_functors.h"

namespace pl_head_filter_detail {

inline bool comparable(PlCellType type) {
    return type == PL_INT || type == PL_FUNCTOR || type == PL_LIST || type == PL_NIL;
}

// The most slots of a frame that fits in a segment (pl_frame_fits).
constexpr uint32_t kFrameSlots = (kPlFrameSegmentWords * sizeof(void*) - sizeof(PlFrame)) / sizeof(PlBinding);

inline bool is_record(const PlCell* clause) { return clause->type >= PL_CLAUSE && clause->type <= PL_QUERY_CLAUSE; }

// The facts of a record kept without them, read from its term. Cold: records get their facts
// when they are made.
[[gnu::noinline, gnu::cold]] inline PlClauseFacts facts_from_term(const PieEngine* engine, const PlCell* clause) {
    return pl_clause_facts_of(engine, clause->clause.term);
}

inline PlClauseFacts facts_of(const PieEngine* engine, const PlCell* clause) {
    if (!(clause->clause.facts & PLC_KNOWN)) [[unlikely]]
        return facts_from_term(engine, clause);
    return pl_clause_facts(clause);
}

// ours, a comparable cell, and the clause's first argument as its facts tell it: whether unifying
// them fails without a look inside (constants and structures of different kinds, different
// integers, different functors: no two functors of an engine share a serial number). differs
// takes facts that tell the argument's type; a functor is tested first, the kind of argument that
// most often tells clauses apart.
inline bool differs(const PlCell* ours, PlClauseFacts facts) {
    const uint32_t type = facts.bits & PLC_FIRST_TYPE;
    if (type != ours->type) return true;
    if (type == PL_FUNCTOR) return facts.key != ours->fn.functor->serial;
    if (type == PL_INT) return facts.key != static_cast<uint32_t>(ours->value);
    return false;
}
inline bool clash(const PlCell* ours, PlClauseFacts facts) {
    return (facts.bits & PLC_FIRST_TYPE) && differs(ours, facts);
}

// ours as the facts keep a clause's first argument: its type, and above it an integer's value or
// a functor's serial number (0 for a list or "[]", as in the facts), worked out once for a look
// over many clauses. Never 0: a comparable cell has a type.
inline uint64_t key_word(const PlCell* ours) {
    uint32_t value = 0;
    if (ours->type == PL_INT)
        value = static_cast<uint32_t>(ours->value);
    else if (ours->type == PL_FUNCTOR)
        value = ours->fn.functor->serial;
    return uint64_t{value} << 32 | ours->type;
}

// differs and clash for ours as key_word gives it, without a load from the goal's side.
inline bool differs(uint64_t ours, PlClauseFacts facts) {
    if ((facts.bits & PLC_FIRST_TYPE) != static_cast<uint32_t>(ours)) return true;
    return facts.key != static_cast<uint32_t>(ours >> 32);
}
inline bool clash(uint64_t ours, PlClauseFacts facts) {
    return (facts.bits & PLC_FIRST_TYPE) && differs(ours, facts);
}

}  // namespace pl_head_filter_detail

// What a try reads of a clause: its term, its head and the size of its frame.
struct PlClauseParts {
    PlCell* term;        // the clause's term (a bare term stands for itself)
    PlCell* head;        // a rule's head; the term itself for anything else
    uint32_t variables;  // slots of the clause's frame
    bool rule;           // a compound ":-"/2 term
    uint16_t facts;      // the record's fact bits (clause_facts.h), 0 for a bare term: its head's plan
};

// The parts of a bare term standing for a clause, out of line: clause lists hold records.
[[gnu::noinline, gnu::cold]] inline PlClauseParts pl_bare_clause_parts(const PieEngine* engine, PlCell* clause) {
    PlClauseParts c{clause, clause, 0, false, 0};
    if (clause->type == PL_FUNCTOR && clause->fn.args && pl_is_neck(engine, clause->fn.functor)) {
        c.rule = true;
        c.head = clause->fn.args->items[0];
    }
    return c;
}

// The parts of a record from its facts.
inline PlClauseParts pl_record_parts(PlCell* clause, PlClauseFacts facts) {
    PlClauseParts c;
    c.term = clause->clause.term;
    c.variables = clause->clause.var_count;
    c.rule = facts.bits & PLC_RULE;
    c.facts = static_cast<uint16_t>(facts.bits);
    c.head = c.rule ? c.term->fn.args->items[0] : c.term;
    return c;
}

inline PlClauseParts pl_clause_parts(const PieEngine* engine, PlCell* clause) {
    using namespace pl_head_filter_detail;
    if (!is_record(clause)) [[unlikely]]
        return pl_bare_clause_parts(engine, clause);
    return pl_record_parts(clause, facts_of(engine, clause));
}

// The goal's side of the look, the same for every clause tried for the goal (a failed try leaves
// its bindings and the depth as they were): its first argument, or nullptr when no clause can be
// passed over. A property's key is matched before the first argument, and a unification at the
// depth limit raises its own error.
// limit is the engine's depth limit, for callers that have read it already.
inline const PlCell* pl_head_filter_key(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame, int limit) {
    using namespace pl_head_filter_detail;
    if (goal->fn.functor->owner || !goal->fn.args || !goal->fn.args->count || engine->depth + 4 > limit) return nullptr;
    const PlCell* ours = pl_deref(goal->fn.args->items[0], goal_frame).term;
    return comparable(ours->type) ? ours : nullptr;
}
// The key with the goal's first argument for a head match that starts from it (first, read in
// first_frame): the key where there is one, else as the goal holds it (nullptr for a goal
// without arguments). A key is no variable: the match, which keeps the slot of the variable met
// last for an unbound variable alone, needs nothing of the variables the look passed.
inline const PlCell* pl_head_filter_key_at(PieEngine* engine, const PlFunctor* f, const PlCell* goal,
                                           PlFrame* goal_frame, int limit, PlCell*& first, PlFrame*& first_frame) {
    using namespace pl_head_filter_detail;
    const PlVector* args = goal->fn.args;
    first_frame = goal_frame;
    if (!args || !args->count) {
        first = nullptr;
        return nullptr;
    }
    first = args->items[0];
    if (f->owner || engine->depth + 4 > limit) return nullptr;
    // Followed here rather than by pl_deref, whose slot and variable the look does not need:
    // their registers would keep the frame in memory on every step.
    PlCell* ours = first;
    PlFrame* ours_frame = goal_frame;
    while (ours->type == PL_VAR && ours_frame) {
        const PlBinding* binding = pl_binding_of(ours_frame, ours);
        ours = binding->term;
        ours_frame = binding->frame;
    }
    if (!comparable(ours->type)) return nullptr;
    // Two stores, kept apart: gathered into one vector store, the frame would be kept in memory
    // on every step of the loop above.
    first = ours;
    PlFrame** at = &first_frame;
    asm("" : "+r"(at));
    *at = ours_frame;
    return ours;
}
inline const PlCell* pl_head_filter_key(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame) {
    return pl_head_filter_key(engine, goal, goal_frame, pl_depth_limit(engine));
}

// The rest of the look, once the clause's facts tell its head's first argument apart from ours:
// true when trying the clause would fail at that argument with no effect (no binding, no host
// call, no trace line and no engine error). That holds for a rule whose head is of f itself and
// for a fact when f takes arguments; a clause too large for a frame raises its error when it is
// tried, so it is never passed over.
inline bool pl_first_argument_clashes(const PlFunctor* f, const PlCell* clause, PlClauseFacts facts) {
    if (facts.bits & PLC_RULE) {
        if (pl_arg(clause->clause.term, 0)->fn.functor != f) return false;
    } else if (f->arity == 0) {
        return false;
    }
    // pl_frame_fits as one comparison: its size arithmetic costs the look as much as the rest.
    return clause->clause.var_count <= pl_head_filter_detail::kFrameSlots;
}

// pl_head_clashes for a record kept without its facts, read from its term. Cold: records get
// their facts when they are made.
template <class Key>
[[gnu::noinline, gnu::cold]] bool pl_head_clashes_by_term(const PieEngine* engine, const PlFunctor* f, Key ours,
                                                          const PlCell* clause) {
    const PlClauseFacts facts = pl_clause_facts_of(engine, clause->clause.term);
    return pl_head_filter_detail::clash(ours, facts) && pl_first_argument_clashes(f, clause, facts);
}

// True when clause cannot match a goal of f whose key is ours (see pl_first_argument_clashes).
// ours is the key's cell, or (a look over many clauses) its key_word.
template <class Key>
inline bool pl_head_clashes(const PieEngine* engine, const PlFunctor* f, Key ours, const PlCell* clause) {
    using namespace pl_head_filter_detail;
    if (!is_record(clause)) return false;
    const PlClauseFacts facts = pl_clause_facts(clause);
    // Facts that are not known have no bits: one test tells that they are known and that the
    // clause's first argument can clash.
    if (!(facts.bits & PLC_FIRST_TYPE)) [[unlikely]]
        return !(facts.bits & PLC_KNOWN) && pl_head_clashes_by_term(engine, f, ours, clause);
    return pl_head_filter_detail::differs(ours, facts) && pl_first_argument_clashes(f, clause, facts);
}

// The goal's side of the look for the tries of one goal, worked out the first time a clause the
// look could pass over is met: a goal of a predicate whose heads start with a variable (most
// rules over numbers) never needs it. Worked out after some tries it is what it would have been
// before them: a failed try leaves the goal's bindings and the depth as they were, and the rest
// of what it reads (the goal's term, its functor, the depth limit) does not change in a call.
struct PlLazyKey {
    const PlCell* key;  // the key once worked out; until then unread()

    // Not worked out yet: no cell lies at an odd address.
    static const PlCell* unread() { return reinterpret_cast<const PlCell*>(uintptr_t{1}); }
};

// Whether the look could pass clause over for some goal: a record whose facts tell its head's
// first argument is a constant or a structure. Only such a clause needs the goal's side.
inline bool pl_head_may_clash(const PieEngine* engine, const PlCell* clause) {
    using namespace pl_head_filter_detail;
    return is_record(clause) && (facts_of(engine, clause).bits & PLC_FIRST_TYPE);
}

// The goal's side of the look from ours, worked out now when it is not yet known.
inline const PlCell* pl_lazy_key(PieEngine* engine, const PlCell* goal, PlFrame* goal_frame, int limit,
                                 PlLazyKey& ours) {
    if (ours.key == PlLazyKey::unread()) ours.key = pl_head_filter_key(engine, goal, goal_frame, limit);
    return ours.key;
}

// The look and the parts in one reading of the clause, for the tries that read the parts of every
// clause the look lets through: false when the look passes clause over (as pl_head_clashes), else
// true with the clause's parts (as pl_clause_parts) in c. ours is the goal's key, worked out only
// when clause could be passed over (PlLazyKey), goal read in goal_frame; limit is the engine's
// depth limit.
[[gnu::always_inline]] inline bool pl_clause_to_try(PieEngine* engine, const PlFunctor* f, const PlCell* goal,
                                                   PlFrame* goal_frame, int limit, PlLazyKey& ours, PlCell* clause,
                                                   PlClauseParts& c) {
    using namespace pl_head_filter_detail;
    if (!is_record(clause)) [[unlikely]] {
        c = pl_bare_clause_parts(engine, clause);
        return true;
    }
    const PlClauseFacts facts = facts_of(engine, clause);
    if (facts.bits & PLC_FIRST_TYPE) {
        // One test for a key worked out already, the common case: nullptr and unread() are the
        // two addresses below 2.
        const PlCell* key = ours.key;
        if (reinterpret_cast<uintptr_t>(key) < 2) [[unlikely]]
            key = pl_lazy_key(engine, goal, goal_frame, limit, ours);
        if (key && clash(key, facts) && pl_first_argument_clashes(f, clause, facts)) return false;
    }
    c = pl_record_parts(clause, facts);
    return true;
}

// A clause tried without the look, the try having failed before any body ran: where the look
// would have passed the clause over, the try failed at the head's first argument and changed
// nothing but the warning line, which the clause named; line, the one named before, is put back.
// ours is the goal's key. (A try that ran a body is one the look would have let through.)
inline void pl_look_after_try(PieEngine* engine, const PlFunctor* f, const PlCell* ours, const PlCell* clause,
                              int32_t line) {
    if (ours && pl_head_clashes(engine, f, ours, clause)) engine->warning_line = line;
}
// The same for a goal whose key is worked out only when needed (PlLazyKey).
inline void pl_look_after_try_lazily(PieEngine* engine, const PlFunctor* f, const PlCell* goal, PlFrame* goal_frame,
                                     int limit, PlLazyKey& ours, const PlCell* clause, int32_t line) {
    if (pl_head_may_clash(engine, clause))
        pl_look_after_try(engine, f, pl_lazy_key(engine, goal, goal_frame, limit, ours), clause, line);
}
