// Running a query: its frame, answer and changed tables, the clean-up of reasons, propagation over
// its answers, and the display of the controls the query changed, in the host's order.
#include "pie/run/interpreter.h"

#include "pie/terms/atoms.h"
#include "pie/terms/btree.h"
#include "pie/api/engine.h"
#include "pie/run/changed_table.h"
#include "pie/run/engine_stack.h"
#include "pie/run/frame.h"
#include "pie/run/held_status.h"
#include "pie/host/host_slots.h"
#include "pie/host/host_values.h"
#include "pie/terms/list.h"
#include "pie/text/output.h"
#include "pie/text/printer.h"
#include "pie/terms/term_walk.h"
#include "pie/text/trace.h"
#include "pie/build/program.h"
#include "pie/run/property_values.h"
#include "pie/run/unify.h"

#include <vector>

namespace {

// What a query owns on the engine, undone however the query ends (an engine error included).
class QueryScope {
public:
    explicit QueryScope(PieEngine* engine)
        : engine_(engine), frames_(pl_frame_mark(engine)), trail_(pl_trail_mark(engine)),
          outer_changed_(engine->run.changed), outer_answers_(engine->run.answers) {
        if (engine->run.queries++ == 0) ++engine->query_number;
    }
    ~QueryScope() {
        leave_changed();
        pl_trail_undo_to(engine_, trail_);
        pl_frame_unwind(engine_, frames_);
        engine_->run.answers = outer_answers_;
        if (--engine_->run.queries == 0 && engine_->run.terms.current) {
            pl_forget_query_values(engine_);
            pl_pool_release(engine_, &engine_->run.terms);
        }
    }
    QueryScope(const QueryScope&) = delete;
    QueryScope& operator=(const QueryScope&) = delete;

    // Back to the caller's changed table; the query's own, if it had one, may then be freed.
    // marks_cleared: the caller took the own table's marks away itself.
    void leave_changed(bool marks_cleared = false) {
        if (marks_cleared) engine_->run.changed = nullptr;
        pl_use_changed_table(engine_, outer_changed_);
    }

private:
    static void pl_trail_undo_to(PieEngine* engine, size_t mark) {
        // The query's frames go away with it: its trail entries are dropped, not undone.
        if (engine->run.trail.size() > mark) engine->run.trail.resize(mark);
    }
    PieEngine* engine_;
    PlFrameMark frames_;
    size_t trail_;
    PlList* outer_changed_;
    PlList* outer_answers_;
};

// Inline: each evaluation of a propagation starts with it.
[[gnu::always_inline]] inline PlCell* query_goal(PieEngine* engine, PlCell* query, uint32_t* variables) {
    // A prepared query (each evaluation of a propagation runs one) is read in place.
    const bool prepared = query->type == PL_QUERY_CLAUSE;
    *variables = prepared ? query->clause.var_count : pl_clause_variables(query);
    PlCell* goal = prepared ? query->clause.term : pl_clause_term(query);
    if (goal->type == PL_FUNCTOR && goal->fn.functor->arity == 1 && goal->fn.functor->name == engine->atom.query)
        goal = pl_arg(goal, 0);
    if (goal->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_NOT_CALLABLE, "pl_execute_main");
    return goal;
}

bool skipped_in_update(const PieEngine* engine, const PlFunctor* f) {
    return (engine->flags & PLE_UPDATE_MODE) && (f->flags & PLF_DONE) && !(f->flags & PLF_INITIAL_RUNNING);
}

// Clears the reasons of the changed table's items that no rule of the query gave one. Within a
// query the table only grows, a reason once given stays marked and a cleared one stays clear:
// an item already passed needs no second look, so each clearing starts after the last one's end.
void clear_reasons(PieEngine* engine, PlList* changed) {
    PlListNode* node = engine->reasons_table == changed ? engine->reasons_cleared : changed;
    for (node = node->next; node != changed; node = node->next) {
        auto* f = static_cast<PlFunctor*>(node->item);
        if ((f->flags & PLF_REASON_SET) || skipped_in_update(engine, f)) continue;
        // The reason is the value the item's name holds (pie_get_atom_value), read and cleared in
        // place: the walk then makes no call.
        if (!f->name->value) continue;
        f->name->value = nullptr;
        ++engine->readable_changes;
    }
    engine->reasons_table = changed;
    engine->reasons_cleared = changed->prev;
}

// Most evaluations of a propagation enter nothing in the changed table: the table last cleared,
// unchanged since, is passed by without a call.
inline void clear_new_reasons(PieEngine* engine, PlList* changed) {
    if (engine->reasons_table == changed && engine->reasons_cleared == changed->prev) return;
    clear_reasons(engine, changed);
}

// The reasons a query with a table of its own cleared are its own: however it ends, the next
// clearing looks at all of the table it meets. Null: the query shares its caller's table.
class ReasonsScope {
public:
    explicit ReasonsScope(PieEngine* engine) : engine_(engine) {
        if (engine_) engine_->reasons_table = nullptr;
    }
    ~ReasonsScope() {
        if (engine_) engine_->reasons_table = nullptr;
    }
    ReasonsScope(const ReasonsScope&) = delete;
    ReasonsScope& operator=(const ReasonsScope&) = delete;

private:
    PieEngine* engine_;
};

// Show or hide, enable or disable, clear or set the mark: the order the host expects.
void display(PieEngine* engine, PlList* changed) {
    pl_list_each(changed, [&](void* item) {
        auto* f = static_cast<PlFunctor*>(item);
        if (!(f->flags & PLF_HAS_CONTROL)) return;
        if (skipped_in_update(engine, f) && !(f->marks & PLM_DISPLAY_PENDING)) return;
        if (f->flags & PLF_HIDDEN) pie_item_call<PIE_OP_Hide>(engine, f);
        else pie_item_call<PIE_OP_Show>(engine, f);
        if (f->flags & PLF_DISABLED) pie_item_call<PIE_OP_Disable>(engine, f);
        else pie_item_call<PIE_OP_Enable>(engine, f);
        if (f->flags & PLF_MARKED) pie_item_call<PIE_OP_SetMark>(engine, f);
        else pie_item_call<PIE_OP_ClearMark>(engine, f);
        f->marks &= ~PLM_DISPLAY_PENDING;
    });
}

constexpr uint32_t kDisplayBits = PLF_HAS_CONTROL | PLF_REASON_SET | PLF_DISABLED | PLF_HIDDEN | PLF_MARKED;

void forget_answers(PlList* answers) {
    pl_list_each(answers, [&](void* item) {
        auto* f = static_cast<PlFunctor*>(item);
        if (!f->owner) {
            if ((f->flags & PLF_HOST_FACT) || !f->values || !f->values->count) return;
            // An item's vector holds its one value: a store, where the loop would be a memset call.
            if (f->values->count == 1) {
                f->values->items[0] = nullptr;
                return;
            }
            for (uint32_t i = 0; i < f->values->count; ++i) f->values->items[i] = nullptr;
            return;
        }
        if (!f->property_values) return;
        btree_walk(f->property_values, [&](void* entry) {
            auto* value = static_cast<PlPropertyValue*>(entry);
            value->marks = 0;
            if (f->flags & PLF_HOST_FACT) value->value = nullptr;
        });
    });
}

void mark_goal(PlCell* goal, bool on) {
    if (goal->type != PL_FUNCTOR || (goal->fn.functor->flags & PLF_SYSTEM)) return;
    if (on) goal->fn.functor->flags |= PLF_ALL_LISTS | PLF_IN_PROPAGATION;
    else goal->fn.functor->flags &= ~(PLF_ALL_LISTS | PLF_IN_PROPAGATION);
}

// "\t=>yes." with the query's bindings, or "\t=>no.".
void trace_answer(PieEngine* engine, PlCell* goal, PlFrame* frame, int outcome) {
    if (outcome != PL_SUCCESS) {
        pl_print(engine, "%s", "\t=>no.\n");
        pl_flush(engine);
        return;
    }
    std::vector<PlCell*> seen;
    PlCell* root = goal;
    pl_walk_top_down(root, [&](PlCell*& cell) {
        if (cell->type != PL_VAR) return true;
        for (const PlCell* other : seen)
            if (other->var.slot == cell->var.slot) return false;
        seen.push_back(cell);
        plout_binding(engine, cell->var.name, pl_resolve_term(engine, cell, frame, frame).term);
        pl_print(engine, "%s", "\n");
        return false;
    });
    pl_print(engine, "%s", "\t=>yes.\n");
    pl_flush(engine);
}

}  // namespace

void pl_set_propagation(PieEngine* engine, PlPropagateFn propagate) { engine->run.propagate = propagate; }

namespace {

int execute_main(PieEngine* engine, PlCell* query) {
    uint32_t variables = 0;
    PlCell* goal = query_goal(engine, query, &variables);
    QueryScope scope(engine);
    if (engine->run.program_changed) {
        if (engine->program && engine->program->changed) pl_program_renumber(engine);
        if (engine->run.rebuild) engine->run.rebuild(engine);
        engine->run.program_changed = false;
    }
    PlFrame* frame = pl_frame_alloc(engine, variables, nullptr, nullptr);
    PlList* answers = pl_list_new(engine);
    PlList* changed = pl_list_new(engine);
    pl_use_changed_table(engine, changed);
    engine->run.answers = answers;
    const ReasonsScope reasons(engine);
    const bool propagation = engine->flags & PLE_PROPAGATION;
    if (propagation) mark_goal(goal, true);

    if (engine->flags & PLE_TRACE) {
        plout_tree(engine, goal, 0);
        pl_print(engine, "%s", "\n");
    }
    const int outcome = pl_call(engine, goal, frame, answers);
    if (engine->flags & PLE_TRACE) trace_answer(engine, goal, frame, outcome);
    if (outcome == PL_SUCCESS) {
        clear_reasons(engine, changed);
        if (!pl_list_empty(answers)) {
            pl_list_each(answers, [](void* f) { static_cast<PlFunctor*>(f)->flags |= PLF_SETTLED; });
            if (engine->run.propagate && !(goal->fn.functor->flags & PLF_SYSTEM))
                engine->run.propagate(engine, answers, goal->fn.functor);
            pl_list_each(answers, [](void* f) { static_cast<PlFunctor*>(f)->flags &= ~PLF_SETTLED; });
        }
        display(engine, changed);
    }
    pl_list_each(changed, [](void* item) {
        auto* f = static_cast<PlFunctor*>(item);
        f->flags &= ~kDisplayBits;
        f->marks &= ~uint32_t{PLM_IN_CHANGED};
    });
    if (propagation) mark_goal(goal, false);
    forget_answers(answers);
    scope.leave_changed(true);
    pl_list_free(engine, answers);
    pl_list_free(engine, changed);
    return outcome;
}

// Whether recording the successful goal of an evaluation again would find nothing to do: its
// call recorded it already as its success step. Its single argument, left "_", then found the
// item's value recorded, or found none and read the item: a second recording finds that value
// (and the note the first made of it) or reads the item again, which this query's read answers
// with nothing and without the host, where the level it takes is clear of the depth limit and of
// the look at the native stack. Either way it changes nothing and calls nothing. A host fact's
// "_" records nothing at all (its values come only from what its goals bound).
bool recorded_already(const PieEngine* engine, const PlCell* goal, PlFrame* frame) {
    const PlFunctor* f = goal->fn.functor;
    if (f->arity != 1 || goal->fn.args->count != 1 || f->owner || (f->flags & (PLF_READ_ONLY | PLF_SYSTEM)) ||
        (engine->flags & PLE_RECORD_EVALUATIONS))
        return false;
    if (!(f->flags & PLF_HOST_FACT) &&
        (!f->values || (f->values->items[0] ? !(f->marks & PLM_QUERY_VALUES)
                                            : !pl_holds_values(engine) || !pl_read_still_held(engine, f) ||
                                                  f->read_value)))
        return false;
    const int64_t depth = int64_t{engine->depth} + 1;
    if (int64_t{pl_depth_limit(engine)} - depth < 6 || (depth & 63) == 0) return false;
    return pl_deref(pl_arg(const_cast<PlCell*>(goal), 0), frame).term->type == PL_ANONYMOUS;
}

int execute_main_unbound(PieEngine* engine, PlCell* query) {
    uint32_t variables = 0;
    PlCell* goal = query_goal(engine, query, &variables);
    QueryScope scope(engine);
    PlFrame* frame = pl_frame_alloc(engine, variables, nullptr, nullptr);
    PlList* changed = engine->run.changed;
    PlList* own = changed ? nullptr : pl_list_new(engine);
    if (own) pl_use_changed_table(engine, own);
    const ReasonsScope reasons_of_own(own ? engine : nullptr);
    const uint32_t saved = engine->flags & PLE_PROPAGATION;
    engine->flags |= PLE_PROPAGATION;
    int outcome = PL_FAIL;
    try {
        if (engine->flags & PLE_TRACE) plout_trace(engine, PL_TRACE_CALL, 0, goal);
        outcome = pl_call(engine, goal, frame, nullptr);
        if (engine->flags & PLE_TRACE)
            plout_trace(engine, outcome == PL_SUCCESS ? PL_TRACE_TRUE : PL_TRACE_FAIL, 0, goal);
    } catch (...) {
        engine->flags = (engine->flags & ~PLE_PROPAGATION) | saved;
        scope.leave_changed();
        if (own) pl_list_free(engine, own);
        throw;
    }
    engine->flags = (engine->flags & ~PLE_PROPAGATION) | saved;
    if (outcome == PL_SUCCESS) {
        if (goal->fn.args && goal->fn.args->count && !(goal->fn.functor->flags & PLF_SYSTEM) &&
            !recorded_already(engine, goal, frame))
            bound_last_query(engine, goal, frame, nullptr, false, true);
        clear_new_reasons(engine, engine->run.changed);
    }
    // A query that shares its caller's table leaves it to the scope.
    if (own) {
        scope.leave_changed();
        pl_list_free(engine, own);
    }
    return outcome;
}

}  // namespace

int pl_execute_main(PieEngine* engine, PlCell* query) {
    return pl_on_engine_stack(
        engine, [](PieEngine* e, void* q) { return execute_main(e, static_cast<PlCell*>(q)); }, query);
}

int pl_execute_main_unbound(PieEngine* engine, PlCell* query) {
    // A propagation evaluates its items from a query on the engine's stack already.
    if (engine->stack_floor) return execute_main_unbound(engine, query);
    return pl_on_engine_stack(
        engine, [](PieEngine* e, void* q) { return execute_main_unbound(e, static_cast<PlCell*>(q)); }, query);
}

namespace {

// The status of a host fact that holds none, from the item's status rule: its first and second
// lists, with the item refused meanwhile so that the rule cannot ask for the status it is
// computing. Out of line: most looks at a status end before it.
[[gnu::noinline]] PlCell* status_by_rule(PieEngine* engine, PlFunctor* item) {
    const size_t mark = pl_trail_mark(engine);
    PlFrame* frame = pl_frame_alloc(engine, 1, nullptr, nullptr);
    PlCell* var = pl_term_cell(engine, PL_VAR);
    var->var.slot = 0;
    PlCell* goal = pl_term_cell(engine, PL_FUNCTOR);
    goal->fn.functor = item;
    goal->fn.args = pl_vector_alloc(engine, &engine->run.terms, 1);
    goal->fn.args->items[0] = var;
    const uint32_t saved = engine->flags & PLE_STATUS_EVALUATION;
    engine->flags |= PLE_STATUS_EVALUATION;
    item->flags |= PLF_REFUSE;
    int outcome = PL_FAIL;
    try {
        for (int i = 0; i < 2 && outcome == PL_FAIL; ++i)
            outcome = pl_try_clause_list(engine, item->clauses[i], goal, frame, item, nullptr);
    } catch (...) {
        item->flags &= ~PLF_REFUSE;
        engine->flags = (engine->flags & ~PLE_STATUS_EVALUATION) | saved;
        throw;
    }
    item->flags &= ~PLF_REFUSE;
    engine->flags = (engine->flags & ~PLE_STATUS_EVALUATION) | saved;
    PlCell* value = nullptr;
    if (outcome == PL_SUCCESS) {
        const PlTermRef ref = pl_resolve_term(engine, var, frame, frame);
        value = ref.term->type == PL_UNBOUND ? engine->cell.anonymous : ref.term;
        pl_record_value(engine, item, 0, value);
        item->flags |= PLF_STATUS_SET;
    }
    pl_trail_undo(engine, mark);
    pl_frame_release(engine, frame);
    return value;
}

}  // namespace

PlCell* pl_item_status(PieEngine* engine, PlFunctor* item, PlList* answers) {
    if (answers && pl_table_holds(answers, item) && item->values && item->values->items[0])
        return item->values->items[0];
    if (PlCell* value = pie_read_item_value(engine, item)) return value;
    if (!(item->flags & PLF_HOST_FACT) || (item->flags & (PLF_CONSTANT | PLF_REFUSE))) return nullptr;
    return status_by_rule(engine, item);
}
