// Expansion of element-control goals into per-choice rules. A goal whose element list holds E
// (or is "_", every choice) becomes the item-level goal on I@E; a goal that does not name E
// becomes true there. The one fixed use in the driver's rules,
//   $$(_) :- { unsupported_element(Key, [A, B]) }.
// gives Key@A(_) :- Key(_), unsupported(Key@A, 1, ON). and the same for B, with the catch-alls.
#include "pie/build/element_control.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/build/preprocessor.h"
#include "pie/build/program.h"
#include "pie/build/simplify.h"
#include "pie/terms/term_walk.h"
#include "pie/terms/functor_set.h"
#include "pie/terms/work_stack.h"

#include <cstring>
#include <string>

namespace {

struct ElementRow {
    int goal;
    int item_level;  // the goal on the per-choice item
};

constexpr ElementRow kListGoals[] = {
    {PLP_disable_element_2, PLP_disable_0}, {PLP_enable_element_2, PLP_enable_0},
    {PLP_show_element_2, PLP_show_0},       {PLP_hide_element_2, PLP_hide_0},
    {PLP_unsupported_element_2, PLP_unsupported_0},
};
constexpr ElementRow kReasonGoals[] = {
    {PLP_sreason_element_3, PLP_sreason_1}, {PLP_reason_element_3, PLP_reason_1}, {PLP_rreason_element_3, PLP_rreason_1},
};

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}
bool is_atom(const PlCell* cell) { return cell->type == PL_FUNCTOR && cell->fn.functor->arity == 0; }

// Whether goal is one of the element goals: the walks below ask every cell of every body, and
// the functor's goal kind turns almost all of them away with one compare.
bool element_goal(PieEngine* engine, const PlCell* goal) {
    return goal->type == PL_FUNCTOR && pl_goal_kind(engine, goal->fn.functor) == PLG_ELEMENT;
}

const ElementRow* list_row(PieEngine* engine, const PlCell* goal) {
    if (!element_goal(engine, goal)) return nullptr;
    for (const ElementRow& row : kListGoals)
        if (is(engine, goal, row.goal)) return &row;
    return nullptr;
}
const ElementRow* reason_row(PieEngine* engine, const PlCell* goal) {
    if (!element_goal(engine, goal)) return nullptr;
    for (const ElementRow& row : kReasonGoals)
        if (is(engine, goal, row.goal)) return &row;
    return nullptr;
}

[[noreturn]] void bad_operand(PieEngine* engine, const PlCell* goal, int position) {
    pl_fatal_error(engine, PL_ERR_GUI_OPERAND, "collect_element_control", goal->fn.functor->name->name,
                   static_cast<int>(goal->fn.functor->arity), position);
}

PlFunctor* item_of(PieEngine* engine, const PlCell* goal) {
    const PlCell* item = pl_arg(goal, 0);
    if (!is_atom(item) || item->fn.functor->owner) bad_operand(engine, goal, 1);
    return pl_unary_functor(engine, item->fn.functor);
}

// Does the element argument of a list goal name element ("_" names every one)?
bool element_in_p(PieEngine* engine, const PlCell* elements, const PlAtom* element) {
    if (elements->type == PL_ANONYMOUS) return true;
    for (const PlCell* c = elements; c->type == PL_LIST; c = c->list.tail) {
        if (!is_atom(c->list.head)) pl_fatal_error(engine, PL_ERR_GUI_ELEMENT, "element_in_p");
        if (c->list.head->fn.functor->name == element) return true;
    }
    return false;
}

struct Target {
    PlFunctor* item;
    PlAtom* element;
};
// A rule names a choice or two: its targets ask nothing of the heap.
using Targets = PlWorkStack<Target, 8>;

void add_target(Targets& targets, PlFunctor* item, PlAtom* element) {
    for (const Target& t : targets)
        if (t.item == item && t.element == element) return;
    targets.push_back(Target{item, element});
}

// The goals that become true in the rule itself once its choices' rules are made: the element
// goals and these.
bool cleared_in_rule(PieEngine* engine, const PlCell* goal) {
    for (int which : {PLP_disable_0, PLP_enable_0, PLP_show_0, PLP_hide_0, PLP_readonly_0, PLP_writable_0, PLP_constant_0})
        if (is(engine, goal, which)) return true;
    return false;
}

// The slots of a rule's body that become true, found by the walk that collects its targets.
struct Cleared {
    PlWorkStack<PlCell**> slots;
    // A once cell is shared with the copies the choices' rules are made from, whose rewrites may
    // change the goal below it: then the body is walked again afterwards instead.
    bool walk_again = false;
};

// collect_element_control: the (item, element) pairs the goals of body name, in order.
void collect(PieEngine* engine, PlCell*& body, Cleared& cleared, Targets& targets) {
    pl_walk_top_down(body, [&](PlCell*& goal) {
        if (goal->type == PL_ONCE) cleared.walk_again = true;
        if (goal->type != PL_FUNCTOR) return true;
        const PlGoalKind kind = pl_goal_kind(engine, goal->fn.functor);
        if (kind == PLG_ENABLE || kind == PLG_CONSTANT) {
            if (cleared_in_rule(engine, goal)) cleared.slots.push_back(&goal);
            return true;
        }
        if (kind != PLG_ELEMENT) return true;
        if (list_row(engine, goal)) {
            cleared.slots.push_back(&goal);
            PlFunctor* item = item_of(engine, goal);
            const PlCell* elements = pl_arg(goal, 1);
            if (elements->type == PL_ANONYMOUS) {
                if (item->choices)
                    pl_list_each(item->choices, [&](void* name) { add_target(targets, item, static_cast<PlAtom*>(name)); });
                return false;
            }
            if (elements->type != PL_LIST) bad_operand(engine, goal, 2);
            for (const PlCell* c = elements; c->type != PL_NIL; c = c->list.tail) {
                if (c->type != PL_LIST || !is_atom(c->list.head)) pl_fatal_error(engine, PL_ERR_GUI_ELEMENT, "collect_element_control");
                add_target(targets, item, c->list.head->fn.functor->name);
            }
            return false;
        }
        if (reason_row(engine, goal)) {
            cleared.slots.push_back(&goal);
            PlFunctor* item = item_of(engine, goal);
            if (!is_atom(pl_arg(goal, 1))) bad_operand(engine, goal, 2);
            add_target(targets, item, pl_arg(goal, 1)->fn.functor->name);
            return false;
        }
        return true;
    });
}

// "item@element"/1. The name is put together on the stack when it fits: every derived rule
// asks for one.
PlFunctor* per_choice(PieEngine* engine, const PlFunctor* item, const PlAtom* element) {
    const size_t item_length = item->name->length, element_length = std::strlen(element->name);
    const size_t length = item_length + 1 + element_length;
    char stack[256];
    std::string heap;
    char* name = stack;
    if (length > sizeof stack) {
        heap.resize(length);
        name = heap.data();
    }
    std::memcpy(name, item->name->name, item_length);
    name[item_length] = '@';
    std::memcpy(name + item_length + 1, element->name, element_length);
    return pl_lookup_functor(engine, pie_intern_string_len(engine, name, length), 1, nullptr);
}

PlCell* make(PieEngine* engine, int which, std::initializer_list<PlCell*> args) {
    PlCell* cell = pl_make_term(engine, pl_predefined(engine, which));
    uint32_t i = 0;
    for (PlCell* arg : args) cell->fn.args->items[i++] = arg;
    return cell;
}

// The body as it acts on element of item: element goals become item-level goals or true.
void rewrite_for(PieEngine* engine, PlCell*& body, const PlFunctor* item, const PlAtom* element) {
    pl_walk_top_down(body, [&](PlCell*& goal) {
        if (!element_goal(engine, goal)) return true;
        if (const ElementRow* row = list_row(engine, goal)) {
            const bool hit = item_of(engine, goal) == item && element_in_p(engine, pl_arg(goal, 1), element);
            goal = hit ? pl_make_atom_term(engine, pl_predefined(engine, row->item_level)) : engine->cell.true_;
            return false;
        }
        if (const ElementRow* row = reason_row(engine, goal)) {
            const bool hit = item_of(engine, goal) == item && pl_arg(goal, 1)->fn.functor->name == element;
            PlCell* value = pl_arg(goal, 2);
            if (value->type == PL_FUNCTOR && value->fn.functor->arity > 0) value = pl_make_atom(engine, value->fn.functor->name);
            goal = hit ? make(engine, row->item_level, {value}) : engine->cell.true_;
            return false;
        }
        return true;
    });
}

// Counts the uses a copy of term would make: a replaced goal's copy is made no more, but its
// functors keep the uses its copy gave them, as before.
void count_copy_uses(PlCell* term) {
    PlWorkStack<PlCell*> work(term);
    while (!work.empty()) {
        PlCell* cell = work.back();
        work.pop_back();
        switch (cell->type) {
        case PL_FUNCTOR:
            if (cell->fn.functor->atom_term == cell) break;
            ++cell->fn.functor->uses;
            if (cell->fn.args)
                for (uint32_t i = cell->fn.args->count; i-- > 0;) work.push_back(cell->fn.args->items[i]);
            break;
        case PL_LIST:
            work.push_back(cell->list.tail);
            work.push_back(cell->list.head);
            break;
        case PL_AND_GROUP:
        case PL_MEMBER: work.push_back(cell->items); break;
        default: break;
        }
    }
}

// pl_term_copy of body followed by rewrite_for on the copy, in one walk: the copy meets the
// cells in the order the rewrite's walk would, and an element goal is rewritten as it is met
// instead of being copied first. A cell the copy shares (a once cell) is rewritten in place, as
// the rewrite of the copy did.
PlCell* copy_for(PieEngine* engine, PlCell* body, const PlFunctor* item, const PlAtom* element) {
    struct Step {
        PlCell* cell;
        PlCell** place;
    };
    PlCell* result = body;
    PlWorkStack<Step> work(Step{body, &result});
    while (!work.empty()) {
        auto [cell, place] = work.back();
        work.pop_back();
        switch (cell->type) {
        case PL_FUNCTOR: {
            PlFunctor* functor = cell->fn.functor;
            if (functor->atom_term == cell) {
                *place = cell;
                break;
            }
            if (element_goal(engine, cell) && (list_row(engine, cell) || reason_row(engine, cell))) {
                count_copy_uses(cell);
                *place = cell;
                rewrite_for(engine, *place, item, element);
                break;
            }
            PlCell* copy = pl_cell_new(engine, PL_FUNCTOR);
            copy->line = cell->line;
            *place = copy;
            const uint32_t count = cell->fn.args ? cell->fn.args->count : 0;
            copy->fn.functor = functor;
            copy->fn.args = pl_vector_alloc(engine, &engine->main_pool, count);
            ++functor->uses;
            for (uint32_t i = count; i-- > 0;) work.push_back(Step{cell->fn.args->items[i], &copy->fn.args->items[i]});
            break;
        }
        case PL_LIST: {
            PlCell* copy = pl_cell_new(engine, PL_LIST);
            copy->line = cell->line;
            *place = copy;
            work.push_back(Step{cell->list.tail, &copy->list.tail});
            work.push_back(Step{cell->list.head, &copy->list.head});
            break;
        }
        case PL_AND_GROUP:
        case PL_MEMBER: {
            PlCell* copy = pl_cell_new(engine, cell->type);
            copy->line = cell->line;
            *place = copy;
            work.push_back(Step{cell->items, &copy->items});
            break;
        }
        default:
            *place = cell;
            if (cell->type == PL_ONCE) rewrite_for(engine, *place, item, element);
            break;
        }
    }
    return result;
}

void derive(PieEngine* engine, PlCell* clause, PlFunctor* item, PlAtom* element) {
    PlFunctor* choice = per_choice(engine, item, element);
    const uint32_t line = pl_arg(clause->clause.term, 0)->line;
    PlCell* body = copy_for(engine, pl_arg(clause->clause.term, 1), item, element);
    PlCell* head = pl_make_term(engine, choice);
    head->line = line;
    body = make(engine, PLP_comma_2, {pl_make_term(engine, item), body});
    replace_enable(engine, head, body);
    pl_simplify(engine, body);
    if (body != engine->cell.fail) {
        PlCell* derived = pl_make_clause(engine, PL_CLAUSE, make(engine, PLP_neck_2, {head, body}));
        derived->clause.vars = clause->clause.vars;  // the copy shares the rule's variables
        derived->clause.var_count = clause->clause.var_count;
        derived->clause.flags = PLR_FACT;             // nothing of the pass is left to do on it
        pl_program_link_clause(engine, derived, choice, PL_WRITTEN);
        pl_program_add_functor(engine, choice);
        pl_walk_top_down(body, [&](PlCell*& goal) {
            if (goal->type == PL_FUNCTOR && goal->fn.functor->arity == 1 && goal->fn.functor->dependents &&
                !(goal->fn.functor->flags & PLF_SYSTEM))
                pl_functor_set_add(engine, goal->fn.functor->dependents, choice);
            return true;
        });
    }
    if (pl_list_empty(choice->clauses[PL_COMPLEMENTS])) {
        PlCell* catch_all_head = pl_make_term(engine, choice);
        catch_all_head->line = line;
        PlCell* catch_all = pl_make_clause(engine, PL_CLAUSE, make(engine, PLP_neck_2, {catch_all_head, engine->cell.true_}));
        catch_all->clause.flags = PLR_FACT;
        pl_program_link_clause(engine, catch_all, choice, PL_COMPLEMENTS);
        pl_program_add_functor(engine, choice);
    }
}

}  // namespace

bool pl_expand_element_controls(PieEngine* engine, PlCell* clause) {
    PlCell*& body = clause->clause.term->fn.args->items[1];
    Cleared cleared;
    Targets targets;
    collect(engine, body, cleared, targets);
    for (const Target& t : targets) derive(engine, clause, t.item, t.element);
    // The copies share no slot of the body but through a once cell, so the slots found before
    // the choices' rules were made are the ones a walk now would find.
    if (!cleared.walk_again) {
        for (PlCell** slot : cleared.slots) *slot = engine->cell.true_;
    } else {
        pl_walk_top_down(body, [&](PlCell*& goal) {
            if (goal->type != PL_FUNCTOR) return true;
            const PlGoalKind kind = pl_goal_kind(engine, goal->fn.functor);
            if (kind != PLG_ENABLE && kind != PLG_CONSTANT && kind != PLG_ELEMENT) return true;
            if (cleared_in_rule(engine, goal) || list_row(engine, goal) || reason_row(engine, goal)) {
                goal = engine->cell.true_;
                return false;
            }
            return true;
        });
    }
    pl_simplify(engine, body);
    return body != engine->cell.true_;
}
