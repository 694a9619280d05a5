// The built-ins through which rules read and change setting items, their choices, reasons and
// controls, and ask about the host's environment. Every host answer other than 0 makes the
// built-in fail; none of them raises an error.
#include "pie/builtins/builtins.h"

#include "pie/terms/atoms.h"
#include "pie/api/engine.h"
#include "pie/host/host_slots.h"
#include "pie/host/host_values.h"
#include "pie/run/changed_table.h"
#include "pie/run/interpreter.h"
#include "pie/run/property_values.h"
#include "pie/run/update_store.h"
#include "pie/run/unify.h"
#include "pie/terms/cycle_check.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool is_atom(const PlCell* c) { return c->type == PL_FUNCTOR && (!c->fn.args || !c->fn.args->count); }

// The item functor of an argument: name/1 of an atom, or the functor of a one-argument term.
PlFunctor* item_of(PieEngine* e, PlCell* g, PlFrame* f, uint32_t i) {
    const PlCell* c = pl_builtin_arg(g, f, i).term;
    if (c->type != PL_FUNCTOR) return nullptr;
    if (is_atom(c)) return pl_unary_functor(e, c->fn.functor);
    return c->fn.functor->arity == 1 ? c->fn.functor : nullptr;
}

PlFunctor* atom_arg(PlCell* g, PlFrame* f, uint32_t i) {
    const PlCell* c = pl_builtin_arg(g, f, i).term;
    return is_atom(c) ? c->fn.functor : nullptr;
}

const char* atom_name(const PlFunctor* atom) { return atom->name->name; }

// ON, OFF or neither (-1).
int on_off(PieEngine* e, PlCell* g, PlFrame* f, uint32_t i) {
    const PlCell* c = pl_builtin_arg(g, f, i).term;
    return c == e->cell.ON ? 1 : c == e->cell.OFF ? 0 : -1;
}

int unify_result(PieEngine* e, PlCell* g, PlFrame* f, uint32_t i, PlCell* value) {
    return value && pl_builtin_unify(e, g, f, i, value);
}

PlCell* frame_free_value(PieEngine* e, PlCell* g, PlFrame* f, uint32_t i) {
    const PlDeref d = pl_builtin_arg(g, f, i);
    return d.term->type == PL_INT || is_atom(d.term) ? d.term : nullptr;
    (void)e;
}

// Item values and status.

int bi_status(PieEngine* e, PlCell* g, PlFrame* f, PlList* answers) {
    PlFunctor* item = item_of(e, g, f, 0);
    return item && unify_result(e, g, f, 1, pl_item_status(e, item, answers));
}

int bi_sstatus(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlCell* value = frame_free_value(e, g, f, 1);
    if (!item || !value || !pie_set_item_value(e, item, value)) return PL_FAIL;
    pl_record_value(e, item, 0, value);
    return PL_SUCCESS;
}

int bi_cstatus(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlCell* value = frame_free_value(e, g, f, 1);
    return item && value && pie_check_item_value(e, item, value);
}

int bi_init_status(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    return item && unify_result(e, g, f, 1, pie_read_item_source(e, item, false));
}

int bi_prev_status(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    return item && unify_result(e, g, f, 1, pie_read_item_source(e, item, true));
}

// Item, Key and Property name a property functor of the item and the key of its value.
struct PropertyArgs {
    PlFunctor* item = nullptr;
    PlFunctor* key = nullptr;
    PlFunctor* property = nullptr;
};

PropertyArgs property_args(PieEngine* e, PlCell* g, PlFrame* f) {
    PropertyArgs p;
    PlFunctor* item = atom_arg(g, f, 0);
    p.key = atom_arg(g, f, 1);
    PlFunctor* name = atom_arg(g, f, 2);
    if (!item || !p.key || !name) return {};
    p.item = pl_unary_functor(e, item);
    p.property = pl_lookup_functor(e, name->name, 1, p.item);
    return p;
}

int bi_sstatus4(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PropertyArgs p = property_args(e, g, f);
    PlCell* value = frame_free_value(e, g, f, 3);
    return p.item && value && pie_set_property(e, p.item, p.key, p.property, value);
}

// The status rule of an engine-own property, run once for one key: its first and second lists
// with the property refused meanwhile. The value found is kept like one set by sstatus/4.
PlCell* property_status_rule(PieEngine* e, PlFunctor* property, PlFunctor* key) {
    PlCell* var = pl_term_cell(e, PL_VAR);
    var->var.slot = 0;
    PlCell* goal = pl_term_cell(e, PL_FUNCTOR);
    goal->fn.functor = property;
    goal->fn.args = pl_vector_alloc(e, &e->run.terms, 2);
    goal->fn.args->items[0] = var;
    goal->fn.args->items[1] = pl_make_atom_term(e, key);
    const size_t mark = pl_trail_mark(e);
    PlFrame* frame = pl_frame_alloc(e, 1, nullptr, nullptr);
    const uint32_t saved = e->flags & PLE_STATUS_EVALUATION;
    e->flags |= PLE_STATUS_EVALUATION;
    property->flags |= PLF_REFUSE;
    int outcome = PL_FAIL;
    try {
        for (int i = 0; i < 2 && outcome == PL_FAIL; ++i)
            outcome = pl_try_clause_list(e, property->clauses[i], goal, frame, property, nullptr);
    } catch (...) {
        property->flags &= ~PLF_REFUSE;
        e->flags = (e->flags & ~PLE_STATUS_EVALUATION) | saved;
        throw;
    }
    property->flags &= ~PLF_REFUSE;
    e->flags = (e->flags & ~PLE_STATUS_EVALUATION) | saved;
    PlCell* value = nullptr;
    if (outcome == PL_SUCCESS) {
        PlCell* found = pl_resolve_term(e, var, frame, frame).term;
        value = found->type == PL_UNBOUND ? e->cell.anonymous : pl_keep_term(e, found);
        pl_update_set_property(e, property, key, value);
    }
    pl_trail_undo(e, mark);
    pl_frame_release(e, frame);
    return value;
}

int bi_status4(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PropertyArgs p = property_args(e, g, f);
    if (!p.item) return PL_FAIL;
    PlCell* key = pl_make_atom_term(e, p.key);
    PlPropertyValue* recorded = pl_property_value(p.property, key);
    PlCell* value = recorded && recorded->value ? recorded->value : pie_read_property(e, p.item, p.key, p.property);
    if (!value && (p.property->flags & PLF_HOST_FACT) && !(p.property->flags & PLF_REFUSE))
        value = property_status_rule(e, p.property, p.key);
    return unify_result(e, g, f, 3, value);
}

// Reasons: the value of the item's name in the engine's table of named values.

PlAtom* element_name(PieEngine* e, PlFunctor* item, PlFunctor* element) {
    const std::string name = std::string(atom_name(item)) + "@" + atom_name(element);
    return pie_intern_string_len(e, name.c_str(), name.size());
}

// atom: the name's functor where the caller has it, whose name/1 it keeps once looked up.
void mark_reason(PieEngine* e, PlAtom* name, PlFunctor* atom) {
    PlFunctor* functor = atom ? pl_unary_functor(e, atom) : pl_lookup_functor(e, name, 1, nullptr);
    functor->flags |= PLF_REASON_SET;
    pl_changed_enter(e, functor);
}

int set_reason(PieEngine* e, PlAtom* name, PlCell* value, PlFunctor* atom = nullptr) {
    if (!value) return PL_FAIL;
    if (PlCell* before = pie_get_atom_value(e, name); !before || !pl_terms_equal(e, before, value, nullptr))
        ++e->readable_changes;
    pie_set_atom_value(e, name, value);
    mark_reason(e, name, atom);
    return PL_SUCCESS;
}

int bi_reason(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    return item && unify_result(e, g, f, 2, pie_get_atom_value(e, item->name));
}

int bi_sreason(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    return item && set_reason(e, item->name, frame_free_value(e, g, f, 2), item);
}

int bi_rreason(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    PlFunctor* other = atom_arg(g, f, 1);
    return item && other && set_reason(e, item->name, pie_get_atom_value(e, other->name), item);
}

int bi_reason_element(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    PlFunctor* element = atom_arg(g, f, 1);
    return item && element && unify_result(e, g, f, 2, pie_get_atom_value(e, element_name(e, item, element)));
}

int bi_sreason_element(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    PlFunctor* element = atom_arg(g, f, 1);
    return item && element && set_reason(e, element_name(e, item, element), frame_free_value(e, g, f, 2));
}

int bi_message(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const PlCell* n = pl_builtin_arg(g, f, 0).term;
    return n->type == PL_INT && pie_extra_call<PieShowMessageFn>(e, PIE_SLOT_SHOW_MESSAGE, n->value) == 0;
}

// Display flags of a predicate whose item has a control; applied to the host after the query.
int display_flag(PieEngine* e, PlCell* g, PlFrame* f, uint32_t bit, bool on_sets) {
    PlFunctor* name = atom_arg(g, f, 0);
    const PlCell* arity = pl_builtin_arg(g, f, 1).term;
    const int state = on_off(e, g, f, 2);
    if (!name || arity->type != PL_INT || arity->value < 0 || arity->value > static_cast<int32_t>(kPlMaxArity) ||
        state < 0)
        return PL_FAIL;
    // An item's name/1, the commonest, as the name keeps it once looked up (read in place when it
    // has been).
    PlFunctor* functor = nullptr;
    if (arity->value != 1)
        functor = pl_lookup_functor(e, name->name, static_cast<uint32_t>(arity->value), nullptr);
    else
        functor = name->unary ? name->unary : pl_unary_functor(e, name);
    if (functor->arity != 1 || (functor->flags & PLF_SYSTEM) || functor->owner) return PL_SUCCESS;
    int32_t control = 0;
    if (pie_item_call<PIE_OP_HasControl>(e, functor, &control) != 0 || control != 1) return PL_SUCCESS;
    if ((state == 1) == on_sets) functor->flags |= bit;
    else functor->flags &= ~bit;
    functor->flags |= PLF_HAS_CONTROL;
    pl_changed_enter(e, functor);
    return PL_SUCCESS;
}

int bi_enable(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return display_flag(e, g, f, PLF_DISABLED, false); }
int bi_show(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return display_flag(e, g, f, PLF_HIDDEN, false); }
int bi_readonly(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return display_flag(e, g, f, PLF_MARKED, true); }

// The option names of an element argument: "_" (one call with no name) or a list of atoms.
bool element_names(PieEngine* e, PlCell* g, PlFrame* f, uint32_t i, std::vector<const char*>& names) {
    PlDeref d = pl_builtin_arg(g, f, i);
    if (d.term->type == PL_ANONYMOUS) {
        names.push_back(nullptr);
        return true;
    }
    PlCycleCheck cycle;
    while (d.term->type == PL_LIST) {
        if (cycle.seen(d.term, d.frame)) pl_fatal_error(e, PL_ERR_STACK, "element_names");
        const PlCell* head = pl_deref(d.term->list.head, d.frame).term;
        if (!is_atom(head)) return false;
        names.push_back(atom_name(head->fn.functor));
        d = pl_deref(d.term->list.tail, d.frame);
    }
    return d.term->type == PL_NIL;
}

template <PieHostOp op>
int element_operation(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    std::vector<const char*> names;
    if (!item || !element_names(e, g, f, 1, names)) return PL_FAIL;
    for (const char* name : names)
        if (pie_item_call<op>(e, item, name) != 0) return PL_FAIL;
    return PL_SUCCESS;
}

int bi_unsupported(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    const int state = on_off(e, g, f, 2);
    if (!item || state < 0) return PL_FAIL;
    if (state) item->flags |= PLF_UNSUPPORTED;
    else item->flags &= ~PLF_UNSUPPORTED;
    return pie_make_unavailable(e, item) == 0;
}

int bi_unsupported_element(PieEngine*, PlCell* g, PlFrame* f, PlList*) { return atom_arg(g, f, 0) != nullptr; }

// A filter of count_element: "_" for any, else ON or OFF.
bool filter(PieEngine* e, PlCell* g, PlFrame* f, uint32_t i, const char** out) {
    if (pl_builtin_arg(g, f, i).term->type == PL_ANONYMOUS) {
        *out = nullptr;
        return true;
    }
    const int state = on_off(e, g, f, i);
    *out = state == 1 ? "ON" : "OFF";
    return state >= 0;
}

int count_options(PieEngine* e, PlCell* g, PlFrame* f, const char* shown, const char* enabled, uint32_t result) {
    PlFunctor* item = item_of(e, g, f, 0);
    int32_t count = 0;
    if (!item || pie_item_call<PIE_OP_CountOptions>(e, item, shown, enabled, &count) != 0) return PL_FAIL;
    return pl_builtin_unify(e, g, f, result, pl_make_integer(e, count));
}

int bi_count_element4(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const char* shown = nullptr;
    const char* enabled = nullptr;
    if (!filter(e, g, f, 1, &shown) || !filter(e, g, f, 2, &enabled)) return PL_FAIL;
    return count_options(e, g, f, shown, enabled, 3);
}

int bi_count_element2(PieEngine* e, PlCell* g, PlFrame* f, PlList*) { return count_options(e, g, f, "ON", "ON", 1); }

// The elements of the list in order; an improper tail counts as one, the empty list as none.
int bi_member(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlDeref d = pl_builtin_arg(g, f, 1);
    auto attempt = [&](PlCell* element, PlFrame* frame) {
        const size_t mark = pl_trail_mark(e);
        if (pl_unification_sub(e, pl_arg(g, 0), f, element, frame)) return true;
        pl_trail_undo(e, mark);
        return false;
    };
    PlCycleCheck cycle;
    while (d.term->type == PL_LIST) {
        if (cycle.seen(d.term, d.frame)) pl_fatal_error(e, PL_ERR_STACK, "member");
        if (attempt(d.term->list.head, d.frame)) return PL_SUCCESS;
        d = pl_deref(d.term->list.tail, d.frame);
    }
    if (d.term->type == PL_NIL || d.term->type == PL_UNBOUND) return PL_FAIL;
    return attempt(d.term, d.frame);
}

int bi_get_top_enable(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlFunctor* option = atom_arg(g, f, 1);
    if (!item || !option || pie_item_value_type(e, item) != 2) return PL_FAIL;
    int32_t shown = 0, enabled = 0;
    if (pie_item_call<PIE_OP_IsOptionShown>(e, item, atom_name(option), &shown) != 0 || !shown) return PL_FAIL;
    const int answer = pie_item_call<PIE_OP_IsOptionEnabled>(e, item, atom_name(option), &enabled);
    if (answer == 0 && enabled) return pl_builtin_unify(e, g, f, 2, pl_make_atom_term(e, option));
    if (answer != 0) return PL_FAIL;
    const char* first = nullptr;
    if (pie_item_call<PIE_OP_FirstUsableOption>(e, item, &first) != 0 || !first) return PL_FAIL;
    return pl_builtin_unify(e, g, f, 2, pie_atom_of_text(e, first));
}

// The names of an action: integers as decimal text, atoms by their names.
struct ActionNames {
    std::vector<std::string> numbers;
    std::vector<const char*> names;
};

bool action_names(PieEngine* e, PlCell* g, PlFrame* f, ActionNames& out) {
    PlDeref d = pl_builtin_arg(g, f, 1);
    std::vector<const PlCell*> cells;
    PlCycleCheck cycle;
    while (d.term->type == PL_LIST) {
        if (cycle.seen(d.term, d.frame)) pl_fatal_error(e, PL_ERR_STACK, "action_names");
        cells.push_back(pl_deref(d.term->list.head, d.frame).term);
        d = pl_deref(d.term->list.tail, d.frame);
    }
    if (d.term->type != PL_NIL) return false;
    out.numbers.reserve(cells.size());
    for (const PlCell* c : cells) {
        if (c->type == PL_INT) {
            char text[33];
            std::snprintf(text, sizeof text, "%d", static_cast<int>(c->value));
            out.numbers.emplace_back(text);
            out.names.push_back(out.numbers.back().c_str());
        } else if (is_atom(c)) {
            out.names.push_back(atom_name(c->fn.functor));
        } else {
            return false;
        }
    }
    return true;
}

int bi_action2(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    ActionNames a;
    if (!item || !action_names(e, g, f, a)) return PL_FAIL;
    return pie_item_call<PIE_OP_DoAction>(e, pl_unary_functor(e, item), static_cast<int32_t>(a.names.size()),
                                          a.names.data()) == 0;
}

int bi_action3(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = atom_arg(g, f, 0);
    ActionNames a;
    if (!item || !action_names(e, g, f, a)) return PL_FAIL;
    PlCell* out = nullptr;
    if (sv_action_out(e, pl_unary_functor(e, item), static_cast<int32_t>(a.names.size()), a.names.data(), &out) != 0)
        return PL_FAIL;
    return pl_builtin_unify(e, g, f, 2, out);
}

// List items.

int index_of(PieEngine* e, PlFunctor* item, const char* element, int32_t* index) {
    return pie_item_call<PIE_OP_VListSet>(e, item, element, index);
}

int bi_index_element3(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlFunctor* element = atom_arg(g, f, 1);
    int32_t index = 0;
    if (!item || !element || index_of(e, item, atom_name(element), &index) != 0) return PL_FAIL;
    return pl_builtin_unify(e, g, f, 2, pl_make_integer(e, index));
}

int bi_index_element2(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    int32_t index = 0;
    if (!item || index_of(e, item, nullptr, &index) != 0) return PL_FAIL;
    return pl_builtin_unify(e, g, f, 1, pl_make_integer(e, index));
}

int insert_element(PieEngine* e, PlCell* g, PlFrame* f, PlFunctor* item, PlFunctor* element, int32_t position,
                   uint32_t result) {
    const char* name = nullptr;
    if (pie_item_call<PIE_OP_VListMatch>(e, item, position, atom_name(element), &name) != 0 || !name) return PL_FAIL;
    return pl_builtin_unify(e, g, f, result, pie_atom_of_text(e, name));
}

int bi_add_element(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlFunctor* element = atom_arg(g, f, 1);
    int32_t index = 0, count = 0;
    if (!item || !element || index_of(e, item, atom_name(element), &index) == 0) return PL_FAIL;
    if (pie_item_call<PIE_OP_VListCall2>(e, item, &count) != 0) return PL_FAIL;
    return insert_element(e, g, f, item, element, count, 2);
}

int bi_ins_element(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlFunctor* element = atom_arg(g, f, 1);
    const PlCell* position = pl_builtin_arg(g, f, 2).term;
    int32_t index = 0;
    if (!item || !element || position->type != PL_INT || index_of(e, item, atom_name(element), &index) == 0)
        return PL_FAIL;
    return insert_element(e, g, f, item, element, position->value, 3);
}

int bi_del_element(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    PlFunctor* element = atom_arg(g, f, 1);
    int32_t index = 0;
    const char* name = nullptr;
    if (!item || !element || index_of(e, item, atom_name(element), &index) != 0) return PL_FAIL;
    if (pie_item_call<PIE_OP_VListMatch1>(e, item, atom_name(element), &name) != 0 || !name) return PL_FAIL;
    return pl_builtin_unify(e, g, f, 2, pie_atom_of_text(e, name));
}

// The host's environment.

int bi_folionix1(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    const int state = on_off(e, g, f, 0);
    return state >= 0 && pie_extra_call<PieTrueFn>(e, PIE_SLOT_TRUE) == state;
}
int bi_folionix0(PieEngine* e, PlCell*, PlFrame*, PlList*) { return pie_extra_call<PieTrueFn>(e, PIE_SLOT_TRUE) == 1; }
int bi_sdk(PieEngine* e, PlCell*, PlFrame*, PlList*) { return pie_extra_call<PieIsModeSetFn>(e, PIE_SLOT_IS_MODE_SET) == 1; }

int bi_find_window(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* name = atom_arg(g, f, 0);
    return name && pie_extra_call<PieRefuseFn>(e, PIE_SLOT_REFUSE, atom_name(name)) == 0;
}

int bi_registory_check(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* root = atom_arg(g, f, 0);
    PlFunctor* path = atom_arg(g, f, 1);
    return root && path &&
           pie_extra_call<PieRegistryKeyExistsFn>(e, PIE_SLOT_REGISTRY_KEY_EXISTS, atom_name(root), atom_name(path)) == 0;
}

int bi_reflected(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* name = atom_arg(g, f, 0);
    return name && e->run.reflected && e->run.reflected->name == name->name;
}

int bi_set_force_propagate(PieEngine* e, PlCell* g, PlFrame* f, PlList*) {
    PlFunctor* item = item_of(e, g, f, 0);
    const int state = on_off(e, g, f, 1);
    if (!item || state < 0) return PL_FAIL;
    if (state) item->flags |= PLF_FORCE_PROPAGATE;
    else item->flags &= ~PLF_FORCE_PROPAGATE;
    ++e->readable_changes;
    return PL_SUCCESS;
}

}  // namespace

const PlBuiltinRow kPlItemBuiltins[] = {
    {"status", 2, bi_status, 0},
    {"sstatus", 2, bi_sstatus, 0},
    {"cstatus", 2, bi_cstatus, 1},
    {"init_status", 2, bi_init_status, 0},
    {"prev_status", 2, bi_prev_status, 0},
    {"sstatus", 4, bi_sstatus4, 0},
    {"status", 4, bi_status4, 0},
    {"reason", 3, bi_reason, 0},
    {"sreason", 3, bi_sreason, 0},
    {"rreason", 2, bi_rreason, 0},
    {"reason_element", 3, bi_reason_element, 0},
    {"sreason_element", 3, bi_sreason_element, 0},
    {"message", 1, bi_message, 1},
    {"enable", 3, bi_enable, 0},
    {"show", 3, bi_show, 0},
    {"readonly", 3, bi_readonly, 0},
    {"show_element", 2, element_operation<PIE_OP_ShowOption>, 0},
    {"hide_element", 2, element_operation<PIE_OP_HideOption>, 0},
    {"disable_element", 2, element_operation<PIE_OP_DisableOption>, 0},
    {"enable_element", 2, element_operation<PIE_OP_EnableOption>, 0},
    {"unsupported", 3, bi_unsupported, 0},
    {"unsupported_element", 2, bi_unsupported_element, 0},
    {"count_element", 4, bi_count_element4, 0},
    {"count_element", 2, bi_count_element2, 0},
    {"member", 2, bi_member, 0},
    {"get_top_enable", 3, bi_get_top_enable, 0},
    {"action", 2, bi_action2, 0},
    {"action", 3, bi_action3, 0},
    {"index_element", 3, bi_index_element3, 1},
    {"index_element", 2, bi_index_element2, 1},
    {"add_element", 3, bi_add_element, 1},
    {"ins_element", 4, bi_ins_element, 1},
    {"del_element", 3, bi_del_element, 1},
    {"Folionix", 1, bi_folionix1, 0},
    {"Folionix", 0, bi_folionix0, 0},
    {"SDK", 0, bi_sdk, 0},
    {"FindWindow", 1, bi_find_window, 1},
    {"RegistoryCheck", 2, bi_registory_check, 0},
    {"reflected", 1, bi_reflected, 0},
    {"$set_force_propagate", 2, bi_set_force_propagate, 0},
};
const uint32_t kPlItemBuiltinCount = sizeof kPlItemBuiltins / sizeof kPlItemBuiltins[0];
