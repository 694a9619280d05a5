// Term tests, unification, control and changes of the rule program at run time.
#include "pie/builtins/builtins.h"

#include "pie/text/abbrev.h"
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/run/direct_branch.h"
#include "pie/run/interpreter.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/list.h"
#include "pie/text/operators.h"
#include "pie/build/program.h"
#include "pie/terms/term_copy.h"
#include "pie/run/unify.h"

#include <cstdio>
#include <unordered_map>

namespace {

bool is_atom(const PlCell* c) { return c->type == PL_FUNCTOR && (!c->fn.args || !c->fn.args->count); }

int bi_teq(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return term_compare(e, pl_arg(g, 0), pl_arg(g, 1), f); }
int bi_tne(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return !term_compare(e, pl_arg(g, 0), pl_arg(g, 1), f); }
int bi_var(PieEngine*, PlCell* g, PlFrame* f, PlList*) { return pl_builtin_arg(g, f, 0).term->type == PL_UNBOUND; }
int bi_atom(PieEngine*, PlCell* g, PlFrame* f, PlList*) { return is_atom(pl_builtin_arg(g, f, 0).term); }
int bi_integer(PieEngine*, PlCell* g, PlFrame* f, PlList*) { return pl_builtin_arg(g, f, 0).term->type == PL_INT; }
int bi_term(PieEngine*, PlCell* g, PlFrame* f, PlList*) {
    const PlCell* c = pl_builtin_arg(g, f, 0).term;
    return c->type == PL_FUNCTOR && !is_atom(c);
}
int bi_unify(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return pl_unify(e, pl_arg(g, 0), f, pl_arg(g, 1), f); }

int bi_true(PieEngine*, PlCell*, PlFrame*, PlList*) { return PL_SUCCESS; }
int bi_fail(PieEngine*, PlCell*, PlFrame*, PlList*) { return PL_FAIL; }
int bi_cut(PieEngine*, PlCell*, PlFrame*, PlList*) { return PL_CUT; }

int bi_not(PieEngine* e, PlCell* g, PlFrame* f, PlList* answers) {
    PlCell* goal = pl_arg(g, 0);
    switch (e->flags & PLE_TRACE ? pl_call(e, goal, f, answers) : pl_call_read_goal(e, goal, f, answers)) {
    case PL_SUCCESS: return PL_FAIL;
    case PL_CUT: return PL_CUT;
    default: return PL_SUCCESS;
    }
}

// Calls the goal over all its lists with status evaluation off; its outcome does not matter.
int bi_apply(PieEngine* e, PlCell* g, PlFrame* f, PlList* answers) {
    const PlDeref goal = pl_builtin_arg(g, f, 0);
    if (goal.term->type != PL_FUNCTOR) pl_fatal_error(e, PL_ERR_NOT_CALLABLE, "apply");
    PlFunctor* functor = goal.term->fn.functor;
    if (!functor->builtin && !functor->clauses[0] && !functor->clauses[1] && !functor->clauses[2]) return PL_FAIL;
    const uint32_t saved = e->flags & PLE_STATUS_EVALUATION;
    e->flags &= ~PLE_STATUS_EVALUATION;
    functor->flags |= PLF_ALL_LISTS;
    try {
        pl_call(e, goal.term, goal.frame, answers);
    } catch (...) {
        e->flags |= saved;
        throw;
    }
    e->flags |= saved;
    return PL_SUCCESS;
}

int bi_cputime(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    if (pl_builtin_arg(g, f, 0).term->type != PL_UNBOUND) return PL_FAIL;
    return pl_builtin_unify(e, g, f, 0, pl_make_integer(e, 0));
}
int bi_heapused(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    return pl_builtin_unify(e, g, f, 0, pl_make_integer(e, static_cast<int32_t>(pl_heap_used(e))));
}
int bi_version(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return pl_builtin_unify(e, g, f, 0, pl_make_integer(e, 1)); }

// A clause made at run time: the term with its frame's bindings in place and every variable left
// unbound numbered anew in the clause, copied into the main pool.
class ClauseBuilder {
public:
    explicit ClauseBuilder(PieEngine* engine) : e_(engine) {}

    PlCell* build(PlCell* term, PlFrame* frame) {
        PlCell* clause = pl_make_clause(e_, PL_CLAUSE, copy(term, frame));
        clause->clause.var_count = next_;
        return clause;
    }

private:
    PlCell* copy(PlCell* term, PlFrame* frame) {
        PlDepthGuard depth(e_, "assert", 2);
        const PlDeref d = pl_deref(term, frame);
        switch (d.term->type) {
        case PL_UNBOUND: {
            if (!d.slot) return e_->cell.anonymous;
            auto [it, fresh] = vars_.try_emplace(d.slot, nullptr);
            if (fresh) {
                char name[16];
                std::snprintf(name, sizeof name, "_V%u", next_);
                it->second = pl_make_variable(e_, pie_intern_string(e_, name));
                it->second->var.slot = static_cast<int32_t>(next_++);
            }
            return it->second;
        }
        case PL_FUNCTOR: {
            if (is_atom(d.term)) return d.term;
            PlFunctor* functor = d.term->fn.functor;
            const uint32_t n = d.term->fn.args->count;
            PlCell* cell = pl_cell_new(e_, PL_FUNCTOR);
            cell->fn.functor = functor;
            cell->fn.args = pl_vector_alloc(e_, &e_->main_pool, n);
            ++functor->uses;
            for (uint32_t i = 0; i < n; ++i) cell->fn.args->items[i] = copy(pl_arg(d.term, i), d.frame);
            return cell;
        }
        case PL_LIST:
            return pl_make_list(e_, copy(d.term->list.head, d.frame), copy(d.term->list.tail, d.frame));
        default:
            return d.term;
        }
    }

    PieEngine* e_;
    std::unordered_map<const PlBinding*, PlCell*> vars_;
    uint32_t next_ = 0;
};

PlList*& first_list(PieEngine* e, PlFunctor* functor) {
    if (!functor->clauses[0]) functor->clauses[0] = pl_list_new(e);
    return functor->clauses[0];
}

int assert_clause(PieEngine* e, PlCell* g, PlFrame* f, bool front) {
    const PlDeref arg = pl_builtin_arg(g, f, 0);
    if (arg.term->type != PL_FUNCTOR) return PL_FAIL;
    PlCell* clause = ClauseBuilder(e).build(arg.term, arg.frame);
    system_predicate_check(e, clause->clause.term);
    PlCell* head = pl_clause_head(e, clause->clause.term);
    if (head->type != PL_FUNCTOR) return PL_FAIL;
    PlList* list = first_list(e, head->fn.functor);
    if (front) pl_list_insert_after(e, list, clause);
    else pl_list_append(e, list, clause);
    pl_clause_lists_changed();
    if (PlProgram* program = e->program) {
        PlList* all = program->clauses[PL_WRITTEN];
        if (front) pl_list_insert_after(e, all, clause);
        else pl_list_append(e, all, clause);
        pl_program_add_functor(e, head->fn.functor);
        program->changed = 1;
    }
    e->run.program_changed = true;
    ++e->readable_changes;
    return PL_SUCCESS;
}

int bi_assertz(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return assert_clause(e, g, f, false); }
int bi_asserta(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return assert_clause(e, g, f, true); }

// Walks the first list of the goal's predicate for a clause that match accepts; the clause's
// frame is settled into the caller when found.
template <class Match>
PlListNode* find_clause(PieEngine* e, PlFunctor* functor, Match match) {
    PlList* list = functor->clauses[0];
    if (!list) return nullptr;
    for (PlListNode* node = list->next; node != list; node = node->next) {
        auto* clause = static_cast<PlCell*>(node->item);
        const size_t mark = pl_trail_mark(e);
        PlFrame* frame = pl_frame_alloc(e, pl_clause_variables(clause), nullptr, nullptr);
        if (match(clause, frame)) {
            pl_settle_frames(e, frame, mark);
            pl_frame_release(e, frame);
            return node;
        }
        pl_trail_undo(e, mark);
        pl_frame_release(e, frame);
    }
    return nullptr;
}

int bi_clause(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PlDeref head = pl_builtin_arg(g, f, 0);
    if (head.term->type != PL_FUNCTOR) pl_fatal_error(e, PL_ERR_NOT_CALLABLE, "pl_call_clause2");
    const PlDeref body = pl_builtin_arg(g, f, 1);
    if ((head.term->fn.functor->flags & PLF_SYSTEM) || body.term->type != PL_UNBOUND || body.slot_frame != f)
        return PL_FAIL;
    PlCell* true_ = e->cell.true_;
    return find_clause(e, head.term->fn.functor, [&](PlCell* clause, PlFrame* frame) {
               PlCell* term = clause->clause.term;
               PlCell* clause_head = pl_clause_head(e, term);
               if (!pl_unification_sub(e, head.term, head.frame, clause_head, frame)) return false;
               PlCell* clause_body = clause_head == term ? true_ : pl_arg(term, 1);
               return pl_unification_sub(e, pl_arg(g, 1), f, clause_body, frame) != 0;
           }) != nullptr;
}

// A clause that left its predicate's list leaves the program too, which keeps its bookkeeping
// (complements, defaults, use counts); without a program its cells go back at once.
void take_out(PieEngine* e, PlCell* clause) {
    if (e->program) {
        pl_program_unlink_clause(e, clause);
        pl_program_clause_removed(e, clause);
        return;
    }
    pl_term_release(e, clause->clause.term);
    pl_cell_release(e, clause);
}

int bi_retract(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PlDeref arg = pl_builtin_arg(g, f, 0);
    if (arg.term->type != PL_FUNCTOR) return PL_FAIL;
    const bool whole = pl_is_functor(arg.term, pl_predefined(e, PLP_neck_2));
    PlCell* target = whole ? pl_arg(arg.term, 0) : arg.term;
    const PlDeref head = pl_deref(target, arg.frame);
    if (head.term->type != PL_FUNCTOR) return PL_FAIL;
    PlListNode* node = find_clause(e, head.term->fn.functor, [&](PlCell* clause, PlFrame* frame) {
        PlCell* term = clause->clause.term;
        return pl_unification_sub(e, arg.term, arg.frame, whole ? term : pl_clause_head(e, term), frame) != 0;
    });
    if (!node) return PL_FAIL;
    auto* clause = static_cast<PlCell*>(node->item);
    pl_list_retire_node(e, node);
    pl_clause_lists_changed();
    take_out(e, clause);
    e->run.program_changed = true;
    ++e->readable_changes;
    return PL_SUCCESS;
}

int bi_abolish(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PlDeref name = pl_builtin_arg(g, f, 0);
    const PlDeref arity = pl_builtin_arg(g, f, 1);
    if (!is_atom(name.term) || arity.term->type != PL_INT || arity.term->value < 0 ||
        arity.term->value > static_cast<int32_t>(kPlMaxArity))
        return PL_FAIL;
    PlFunctor* functor =
        pl_lookup_functor(e, name.term->fn.functor->name, static_cast<uint32_t>(arity.term->value), nullptr);
    PlList* list = functor->clauses[0];
    if (!list || pl_list_empty(list)) return PL_FAIL;
    while (auto* clause = static_cast<PlCell*>(pl_list_retire_first(e, list))) take_out(e, clause);
    pl_clause_lists_changed();
    e->run.program_changed = true;
    ++e->readable_changes;
    return PL_SUCCESS;
}

int bi_op(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PlDeref priority = pl_builtin_arg(g, f, 0);
    const PlDeref type = pl_builtin_arg(g, f, 1);
    const PlDeref name = pl_builtin_arg(g, f, 2);
    if (priority.term->type != PL_INT || !is_atom(name.term)) return PL_FAIL;
    plop_put(e, name.term->fn.functor->name, fetch_opcode(e, type.term), priority.term->value);
    return PL_SUCCESS;
}

int bi_abbrev(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PlDeref name = pl_builtin_arg(g, f, 0);
    const PlDeref expansion = pl_builtin_arg(g, f, 1);
    if (!is_atom(name.term) || !is_atom(expansion.term)) return PL_FAIL;
    return pl_abbrev_define(e, name.term->fn.functor->name, expansion.term->fn.functor->name);
}

}  // namespace

int pl_builtin_unify(PieEngine* engine, PlCell* goal, PlFrame* frame, uint32_t i, PlCell* value) {
    return pl_unification_sub(engine, pl_arg(goal, i), frame, value, nullptr);
}

const PlBuiltinRow kPlControlBuiltins[] = {
    {"teq", 2, bi_teq, 0},        {"tne", 2, bi_tne, 0},           {"var", 1, bi_var, 0},
    {"atom", 1, bi_atom, 0},      {"integer", 1, bi_integer, 0},   {"term", 1, bi_term, 0},
    {"==", 2, bi_teq, 0},         {"\\==", 2, bi_tne, 0},          {"=", 2, bi_unify, 0},
    {",", 2, pl_call_logical_and, 0}, {":-", 2, pl_call_definition, 0}, {"true", 0, bi_true, 0},
    {"fail", 0, bi_fail, 0},      {"halt", 0, bi_fail, 0},         {"!", 0, bi_cut, 0},
    {"not", 1, bi_not, 0},        {"apply", 1, bi_apply, 0},       {"cputime", 1, bi_cputime, 0},
    {"heapused", 1, bi_heapused, 0}, {"version", 1, bi_version, 0}, {"assert", 1, bi_assertz, 0},
    {"assertz", 1, bi_assertz, 0}, {"asserta", 1, bi_asserta, 0},  {"clause", 2, bi_clause, 0},
    {"retract", 1, bi_retract, 0}, {"abolish", 2, bi_abolish, 0},  {"op", 3, bi_op, 0},
    {"abbrev", 2, bi_abbrev, 0},
};
const uint32_t kPlControlBuiltinCount = sizeof kPlControlBuiltins / sizeof kPlControlBuiltins[0];
