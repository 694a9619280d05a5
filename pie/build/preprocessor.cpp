// Per-clause analysis and rewriting of the loader. Goals such as "disable" or "sreason(12)"
// speak about the head's own item; here they become the built-ins that name it, and constant
// arithmetic is folded once at load time instead of at every query.
#include "pie/build/preprocessor.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/term_copy.h"
#include "pie/terms/term_walk.h"

#include <iterator>

namespace {

constexpr uint32_t kPropertyForbidden = PLR_ENABLE | PLR_REASON | PLR_WAIT;

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}

bool is_atom(const PlCell* cell) { return cell->type == PL_FUNCTOR && cell->fn.functor->arity == 0; }

// The predefined functors that have a goal kind; a functor named in two rows takes the first.
struct KindRow {
    int which;
    PlGoalKind kind;
};
constexpr KindRow kKindRows[] = {
    {PLP_disable_0, PLG_ENABLE}, {PLP_enable_0, PLG_ENABLE}, {PLP_show_0, PLG_ENABLE}, {PLP_hide_0, PLG_ENABLE},
    {PLP_readonly_0, PLG_ENABLE}, {PLP_writable_0, PLG_ENABLE}, {PLP_unsupported_0, PLG_ENABLE},
    {PLP_rreason_1, PLG_ENABLE}, {PLP_sreason_1, PLG_ENABLE},
    {PLP_reason_1, PLG_REASON},
    {PLP_constant_0, PLG_CONSTANT},
    {PLP_show_3, PLG_SHOW3}, {PLP_enable_3, PLG_SHOW3}, {PLP_readonly_3, PLG_SHOW3},
    {PLP_sreason_3, PLG_TARGETED}, {PLP_rreason_2, PLG_TARGETED},
    {PLP_plus_2, PLG_ARITHMETIC}, {PLP_minus_2, PLG_ARITHMETIC}, {PLP_times_2, PLG_ARITHMETIC},
    {PLP_divide_2, PLG_ARITHMETIC}, {PLP_mod_2, PLG_ARITHMETIC}, {PLP_bit_and_2, PLG_ARITHMETIC},
    {PLP_bit_or_2, PLG_ARITHMETIC}, {PLP_plus_1, PLG_ARITHMETIC}, {PLP_minus_1, PLG_ARITHMETIC},
    {PLP_tilde_1, PLG_ARITHMETIC}, {PLP_arith_eq_2, PLG_ARITHMETIC}, {PLP_arith_ne_2, PLG_ARITHMETIC},
    {PLP_lt_2, PLG_ARITHMETIC}, {PLP_gt_2, PLG_ARITHMETIC}, {PLP_le_2, PLG_ARITHMETIC}, {PLP_ge_2, PLG_ARITHMETIC},
    {PLP_is_2, PLG_ARITHMETIC},
    {PLP_select_enable_2, PLG_SELECT}, {PLP_select_show_2, PLG_SELECT},
    {PLP_wait_1, PLG_WAIT},
    {PLP_disable_element_2, PLG_ELEMENT}, {PLP_enable_element_2, PLG_ELEMENT}, {PLP_show_element_2, PLG_ELEMENT},
    {PLP_hide_element_2, PLG_ELEMENT}, {PLP_unsupported_element_2, PLG_ELEMENT}, {PLP_sreason_element_3, PLG_ELEMENT},
    {PLP_rreason_element_3, PLG_ELEMENT}, {PLP_reason_element_3, PLG_ELEMENT},
    {PLP_winNT_0, PLG_PLATFORM}, {PLP_win2k_0, PLG_PLATFORM}, {PLP_win9X_0, PLG_PLATFORM}, {PLP_win95_0, PLG_PLATFORM},
    {PLP_win98_0, PLG_PLATFORM}, {PLP_Folionix_0, PLG_PLATFORM}, {PLP_SDK_0, PLG_PLATFORM},
};

PlGoalKind kind_of(PieEngine* engine, const PlFunctor* f) {
    for (const KindRow& row : kKindRows)
        if (pl_predefined(engine, row.which) == f) return row.kind;
    return PLG_OTHER;
}

// Flags of one goal, and whether it is one a property's rule may not use.
uint32_t goal_flags(PieEngine* engine, const PlCell* goal, bool from_image) {
    if (goal->type != PL_FUNCTOR) return 0;
    const bool text_rows = !from_image;
    const bool loader_rows = !(engine->flags & PLE_SKIP_POST_LOAD);
    switch (pl_goal_kind(engine, goal->fn.functor)) {
    case PLG_ENABLE: return text_rows ? uint32_t{PLR_ENABLE} : 0u;
    case PLG_REASON: return text_rows ? uint32_t{PLR_REASON} : 0u;
    case PLG_CONSTANT:
        if (!text_rows) return 0;
        engine->constants_defined = 1;
        return 0x6;
    case PLG_SHOW3: return text_rows ? 0x6u : 0u;
    case PLG_ARITHMETIC: return text_rows ? uint32_t{PLR_ARITHMETIC} : 0u;
    case PLG_SELECT: return text_rows ? 0x60u : 0u;
    case PLG_WAIT: return loader_rows ? 0x102u : 0u;
    case PLG_ELEMENT: return loader_rows ? uint32_t{PLR_ELEMENT} : 0u;
    case PLG_PLATFORM: return loader_rows ? uint32_t{PLR_PLATFORM} : 0u;
    case PLG_TARGETED:
    case PLG_OTHER: return 0;
    }
    return 0;
}

// The first goal of body with one of flags, or nullptr.
const PlCell* find_goal(PieEngine* engine, PlCell*& body, uint32_t flags) {
    const PlCell* found = nullptr;
    pl_walk_top_down(body, [&](PlCell*& slot) {
        if (!found && slot->type == PL_FUNCTOR && (goal_flags(engine, slot, false) & flags)) found = slot;
        return !found;
    });
    return found;
}

PlCell* make_goal(PieEngine* engine, int which, std::initializer_list<PlCell*> args) {
    PlCell* goal = pl_make_term(engine, pl_predefined(engine, which));
    uint32_t i = 0;
    for (PlCell* arg : args) goal->fn.args->items[i++] = arg;
    return goal;
}

bool names_head(const PlCell* term, const PlFunctor* head) {
    return term->type == PL_FUNCTOR && term->fn.functor->name == head->name;
}

void check_reason_argument(PieEngine* engine, const PlCell* goal) {
    const PlCell* x = pl_arg(goal, 0);
    if (x->type != PL_INT && x->type != PL_VAR && !is_atom(x))
        pl_fatal_error(engine, PL_ERR_REASON_ARGUMENT, "replace_enable", goal->fn.functor->name->name);
}

void mark_constant(PieEngine* engine, PlCell* head) {
    PlFunctor* f = head->fn.functor;
    if (!(f->flags & PLF_HOST_FACT)) pl_fatal_error(engine, PL_ERR_CONSTANT_PLACE, "replace_enable");
    if (f->arity != 1) pl_fatal_error(engine, PL_ERR_CONSTANT_HEAD, "replace_enable");
    PlCell* value = pl_arg(head, 0);
    if (value->type != PL_INT && !is_atom(value)) pl_fatal_error(engine, PL_ERR_CONSTANT_HEAD, "replace_enable");
    f->flags |= PLF_CONSTANT;
    f->constant = value;
}

// 32-bit arithmetic that wraps; the one quotient with no 32-bit result is defined.
bool fold_binary(PieEngine* engine, int which, int32_t a, int32_t b, int32_t& out) {
    const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    switch (which) {
    case PLP_plus_2: out = static_cast<int32_t>(ua + ub); return true;
    case PLP_minus_2: out = static_cast<int32_t>(ua - ub); return true;
    case PLP_times_2: out = static_cast<int32_t>(ua * ub); return true;
    case PLP_bit_and_2: out = a & b; return true;
    case PLP_bit_or_2: out = a | b; return true;
    case PLP_divide_2:
        if (b == 0) pl_fatal_error(engine, PL_ERR_DIVISION_BY_ZERO, "replace_constant_div");
        out = b == -1 ? static_cast<int32_t>(0u - ua) : a / b;
        return true;
    case PLP_mod_2:
        if (b == 0) pl_fatal_error(engine, PL_ERR_DIVISION_BY_ZERO, "replace_constant_mod");
        out = b == -1 ? 0 : a % b;
        return true;
    default: return false;
    }
}

int compare_result(int which, int32_t a, int32_t b) {
    switch (which) {
    case PLP_arith_eq_2: case PLP_is_2: return a == b;
    case PLP_arith_ne_2: return a != b;
    case PLP_lt_2: return a < b;
    case PLP_gt_2: return a > b;
    case PLP_le_2: return a <= b;
    case PLP_ge_2: return a >= b;
    default: return -1;
    }
}

int predefined_index(const PieEngine* engine, const PlFunctor* f) {
    for (int which : {PLP_plus_2, PLP_minus_2, PLP_times_2, PLP_divide_2, PLP_mod_2, PLP_bit_and_2, PLP_bit_or_2,
                      PLP_plus_1, PLP_minus_1, PLP_tilde_1, PLP_arith_eq_2, PLP_arith_ne_2, PLP_lt_2, PLP_gt_2,
                      PLP_le_2, PLP_ge_2, PLP_is_2})
        if (pl_predefined(engine, which) == f) return which;
    return -1;
}

}  // namespace

void pl_prepare_goal_kinds(PieEngine* engine) {
    // Rows written last to first, so that a functor of two rows keeps the first one's kind.
    for (size_t i = std::size(kKindRows); i-- > 0;)
        pl_predefined(engine, kKindRows[i].which)->goal_kind = static_cast<uint8_t>(kKindRows[i].kind + 1);
    for (PlFunctor* f : engine->predefined)
        if (!f->goal_kind) f->goal_kind = static_cast<uint8_t>(PLG_OTHER + 1);
    engine->goal_kinds_known = 1;
}

PlGoalKind pl_find_goal_kind(PieEngine* engine, PlFunctor* f) {
    const PlGoalKind kind = engine->goal_kinds_known ? PLG_OTHER : kind_of(engine, f);
    f->goal_kind = static_cast<uint8_t>(kind + 1);
    return kind;
}

namespace {

// preprocessor_check, telling also whether a goal the header check looks at (show/3, enable/3,
// readonly/3, sreason/3, rreason/2) stands anywhere in body.
uint32_t scan_body(PieEngine* engine, PlCell* body, bool from_image, bool* targeted) {
    uint32_t flags = 0;
    bool any = false;
    pl_walk_top_down(body, [&](PlCell*& slot) {
        if (slot->type != PL_FUNCTOR) return true;
        // Nearly every goal is an ordinary one, which has no flags.
        const PlGoalKind kind = pl_goal_kind(engine, slot->fn.functor);
        if (kind == PLG_OTHER) return true;
        flags |= goal_flags(engine, slot, from_image);
        any |= kind == PLG_SHOW3 || kind == PLG_TARGETED;
        return true;
    });
    if (targeted) *targeted = any;
    return flags;
}

// Raises 277 for a rule of a constant head and 278 for a goal on another item than the head's;
// body is walked only when the scan met such a goal (targeted).
void gui_header_check_sub(PieEngine* engine, PlCell* head, PlCell* body, bool targeted) {
    const PlFunctor* h = head->fn.functor;
    if (h->flags & PLF_CONSTANT)
        pl_fatal_error(engine, PL_ERR_CONSTANT_REDEFINE, "gui_header_check_sub", h->name->name, static_cast<int>(h->arity));
    if (!targeted) return;
    pl_walk_top_down(body, [&](PlCell*& goal) {
        // Every goal looked for has two or three arguments.
        if (goal->type != PL_FUNCTOR || goal->fn.functor->arity < 2 || goal->fn.functor->arity > 3) return true;
        for (int which : {PLP_show_3, PLP_enable_3, PLP_readonly_3, PLP_sreason_3, PLP_rreason_2})
            if (is(engine, goal, which) && (h->arity != 1 || !names_head(pl_arg(goal, 0), h)))
                pl_fatal_error(engine, PL_ERR_DIFFERENT_TARGET, "gui_header_check_sub", goal->fn.functor->name->name,
                               static_cast<int>(goal->fn.functor->arity));
        return true;
    });
}

}  // namespace

uint32_t preprocessor_check(PieEngine* engine, PlCell* body, bool from_image) {
    return scan_body(engine, body, from_image, nullptr);
}

void replace_enable(PieEngine* engine, PlCell* head, PlCell*& body) {
    PlFunctor* h = head->fn.functor;
    auto item = [&] { return pl_make_atom(engine, h->name); };
    auto arity = [&] { return pl_make_integer(engine, static_cast<int32_t>(h->arity)); };
    PlCell* on = engine->cell.ON;
    PlCell* off = engine->cell.OFF;
    pl_walk_top_down(body, [&](PlCell*& goal) {
        if (goal->type == PL_AND_GROUP || goal->type == PL_ONCE) return true;
        if (goal->type != PL_FUNCTOR) return false;
        const PlGoalKind kind = pl_goal_kind(engine, goal->fn.functor);
        if (kind != PLG_ENABLE && kind != PLG_REASON && kind != PLG_SHOW3 && kind != PLG_CONSTANT) return true;
        struct Row { int from, to; PlCell* value; };
        for (Row row : {Row{PLP_disable_0, PLP_enable_3, off}, Row{PLP_enable_0, PLP_enable_3, on},
                        Row{PLP_show_0, PLP_show_3, on}, Row{PLP_hide_0, PLP_show_3, off},
                        Row{PLP_readonly_0, PLP_readonly_3, on}, Row{PLP_writable_0, PLP_readonly_3, off},
                        Row{PLP_unsupported_0, PLP_unsupported_3, on}})
            if (is(engine, goal, row.from)) {
                goal = make_goal(engine, row.to, {item(), arity(), row.value});
                return false;
            }
        if (is(engine, goal, PLP_reason_1) || is(engine, goal, PLP_sreason_1)) {
            check_reason_argument(engine, goal);
            const int to = is(engine, goal, PLP_reason_1) ? PLP_reason_3 : PLP_sreason_3;
            goal = make_goal(engine, to, {item(), pl_make_integer(engine, 1), pl_arg(goal, 0)});
            return false;
        }
        if (is(engine, goal, PLP_rreason_1)) {
            check_reason_argument(engine, goal);
            goal = make_goal(engine, PLP_rreason_2, {item(), pl_arg(goal, 0)});
            return false;
        }
        for (int which : {PLP_show_3, PLP_enable_3, PLP_readonly_3})
            if (is(engine, goal, which) && !names_head(pl_arg(goal, 0), h)) {
                pl_term_release(engine, goal);
                goal = engine->cell.true_;
                return false;
            }
        if (is(engine, goal, PLP_constant_0)) {
            mark_constant(engine, head);
            goal = engine->cell.true_;
            return false;
        }
        return true;
    });
}

void replace_reason(PieEngine* engine, PlCell* head, PlCell*& body) {
    PlFunctor* h = head->fn.functor;
    pl_walk_top_down(body, [&](PlCell*& goal) {
        if (!is(engine, goal, PLP_reason_1)) return true;
        if (h->owner) pl_fatal_error(engine, PL_ERR_PROPERTY_GOAL, "replace_reason", "reason", 1);
        check_reason_argument(engine, goal);
        goal = make_goal(engine, PLP_reason_3,
                         {pl_make_atom(engine, h->name), pl_make_integer(engine, static_cast<int32_t>(h->arity)), pl_arg(goal, 0)});
        return false;
    });
}

void pl_fold_constants(PieEngine* engine, PlCell*& body) {
    pl_rewrite_bottom_up(body, [&](PlCell*& cell) {
        if (cell->type != PL_FUNCTOR || cell->fn.functor->arity == 0) return;
        if (pl_goal_kind(engine, cell->fn.functor) != PLG_ARITHMETIC) return;
        const int which = predefined_index(engine, cell->fn.functor);
        if (which < 0) return;
        if (cell->fn.functor->arity == 1) {
            const PlCell* x = pl_arg(cell, 0);
            if (x->type != PL_INT) return;
            const uint32_t v = static_cast<uint32_t>(x->value);
            const int32_t folded = which == PLP_minus_1 ? static_cast<int32_t>(0u - v)
                                 : which == PLP_tilde_1 ? static_cast<int32_t>(~v)
                                                        : x->value;
            cell = pl_make_integer(engine, folded);
            return;
        }
        const PlCell* a = pl_arg(cell, 0);
        const PlCell* b = pl_arg(cell, 1);
        if (a->type != PL_INT || b->type != PL_INT) return;
        int32_t value;
        if (fold_binary(engine, which, a->value, b->value, value)) {
            cell = pl_make_integer(engine, value);
            return;
        }
        const int holds = compare_result(which, a->value, b->value);
        if (holds >= 0) cell = holds ? engine->cell.true_ : engine->cell.fail;
    });
}

void preprocessor(PieEngine* engine, PlCell* clause) {
    PlCell* term = clause->clause.term;
    if (!pl_is_functor(term, pl_predefined(engine, PLP_neck_2))) {
        clause->clause.flags = PLR_FACT;
        return;
    }
    PlCell* head = pl_arg(term, 0);
    PlCell*& body = term->fn.args->items[1];
    // One walk serves both: the scan raises nothing, and the header check's errors still come
    // before any of the rewrite's.
    bool targeted = false;
    const uint32_t flags = scan_body(engine, body, false, &targeted);
    gui_header_check_sub(engine, head, body, targeted);
    if (head->type == PL_FUNCTOR && head->fn.functor->owner && (flags & kPropertyForbidden)) {
        const PlCell* goal = find_goal(engine, body, kPropertyForbidden);
        pl_fatal_error(engine, PL_ERR_PROPERTY_GOAL, "preprocessor", goal->fn.functor->name->name,
                       static_cast<int>(goal->fn.functor->arity));
    }
    if (head->type == PL_FUNCTOR) {
        if (flags & PLR_ENABLE) replace_enable(engine, head, body);
        if (flags & PLR_REASON) replace_reason(engine, head, body);
    }
    if (flags & PLR_ARITHMETIC) {
        pl_fold_constants(engine, body);
        if (head->type == PL_FUNCTOR && head->fn.functor->arity > 0 && (head->fn.functor->flags & PLF_CONSTANT) &&
            body != engine->cell.true_)
            pl_fatal_error(engine, PL_ERR_CONSTANT_RULE, "preprocessor");
    }
    clause->clause.flags = flags;
}
