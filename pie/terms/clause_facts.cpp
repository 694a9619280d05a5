// Working out a clause's facts from its term.
#include "pie/terms/clause_facts.h"

#include <algorithm>
#include <array>

namespace {

// The slots of the variables met in a head's arguments so far, as far as the walk over them
// knew every cell and kept within its bounds.
class SeenSlots {
public:
    bool has(int32_t slot) const {
        return std::find(slots_.begin(), slots_.begin() + count_, slot) != slots_.begin() + count_;
    }
    // Adds the variables of term; false when it holds a cell a head's plan does not know or is
    // larger than the walk looks at (a term made by hand may even be cyclic).
    bool add(const PlCell* term) {
        if (++cells_ > kMaxCells) return false;
        switch (term->type) {
        case PL_VAR:
            if (has(term->var.slot)) return true;
            if (count_ == slots_.size()) return false;
            if (term->var.slot != static_cast<int32_t>(count_)) in_order_ = false;
            slots_[count_++] = term->var.slot;
            return true;
        case PL_ANONYMOUS:
        case PL_INT:
        case PL_NIL:
            return true;
        case PL_LIST:
            return add(term->list.head) && add(term->list.tail);
        case PL_FUNCTOR:
            if (term->fn.args)
                for (uint32_t i = 0; i < term->fn.args->count; ++i)
                    if (!add(term->fn.args->items[i])) return false;
            return true;
        default:
            return false;
        }
    }

    // Whether each variable met so far holds the slot numbered by the order it was met in.
    bool in_order() const { return in_order_; }

private:
    static constexpr int kMaxCells = 64;
    std::array<int32_t, 32> slots_{};
    size_t count_ = 0;
    int cells_ = 0;
    bool in_order_ = true;
};

// The plan of one argument, given the variables met before it; 0 for none.
uint32_t argument_plan(const PlCell* arg, const SeenSlots& seen) {
    if (arg->type == PL_VAR) return seen.has(arg->var.slot) ? 0 : uint32_t{PLH_FIRST_VAR};
    if (arg->type != PL_LIST) return 0;
    const PlCell* head = arg->list.head;
    const PlCell* tail = arg->list.tail;
    if (head->type != PL_VAR || tail->type != PL_VAR || tail->var.slot == head->var.slot || seen.has(tail->var.slot))
        return 0;
    return seen.has(head->var.slot) ? PLH_LIST : PLH_FRESH_LIST;
}

// Whether a fact's head is p(K, V, V) (PLC_JOINING_FACT).
bool joins(const PlCell* head) {
    if (head->fn.args->count != 3) return false;
    const PlCell* const* args = head->fn.args->items;
    const auto slot_0 = [](const PlCell* arg) { return arg->type == PL_VAR && arg->var.slot == 0; };
    return (args[0]->type == PL_NIL || args[0]->type == PL_INT) && slot_0(args[1]) && slot_0(args[2]);
}

// Whether a rule of head and body is a disjunction's branch (PLC_BRANCH).
bool is_branch(const PieEngine* engine, const PlCell* head, const PlCell* body) {
    const PlFunctor* f = head->fn.functor;
    if ((f != engine->predefined[PLP_bar_2] && f != engine->predefined[PLP_semicolon_2]) || head->fn.args->count != 2 ||
        body->type != PL_VAR)
        return false;
    const PlCell* const* args = head->fn.args->items;
    const auto names = [&](const PlCell* var, const PlCell* other) {
        return var->type == PL_VAR && var->var.slot == body->var.slot && other->type == PL_ANONYMOUS;
    };
    return names(args[0], args[1]) || names(args[1], args[0]);
}

// Whether a rule's body opens with a comparison followed by a conjunction of two goals of
// built-ins, no conjunction last (PLC_OPENING_TEST).
bool opens_with_comparison(const PieEngine* engine, const PlCell* body) {
    if (body->type != PL_FUNCTOR) return false;
    const PlFunctor* conjunction = engine->predefined[PLP_comma_2];
    if (body->fn.functor != conjunction || !body->fn.args || body->fn.args->count != 2) return false;
    const PlCell* test = body->fn.args->items[0];
    const PlCell* rest = body->fn.args->items[1];
    if (test->type != PL_FUNCTOR || !test->fn.functor->comparison || rest->type != PL_FUNCTOR ||
        rest->fn.functor != conjunction || !rest->fn.args || rest->fn.args->count != 2)
        return false;
    const PlCell* left = rest->fn.args->items[0];
    const PlCell* right = rest->fn.args->items[1];
    return left->type == PL_FUNCTOR && left->fn.functor->builtin && right->type == PL_FUNCTOR &&
           right->fn.functor->builtin && right->fn.functor != conjunction;
}

// Whether a rule of head (of arguments) and body is an item's default clause (kPlStatusReadKey).
bool reads_status(const PieEngine* engine, const PlCell* head, const PlCell* body) {
    const auto call_of = [](const PlCell* goal, const PlFunctor* f) {
        return goal->type == PL_FUNCTOR && goal->fn.functor == f && goal->fn.args && goal->fn.args->count == f->arity;
    };
    if (!head->fn.args->count || !call_of(body, engine->predefined[PLP_comma_2])) return false;
    const PlCell* cut = body->fn.args->items[0];
    const PlCell* status = body->fn.args->items[1];
    if (cut->type != PL_FUNCTOR || cut->fn.functor != engine->predefined[PLP_cut_0] ||
        !call_of(status, engine->predefined[PLP_status_2]))
        return false;
    const PlCell* name = status->fn.args->items[0];
    const PlCell* value = status->fn.args->items[1];
    const PlCell* head_value = head->fn.args->items[0];
    return name->type == PL_FUNCTOR && (!name->fn.args || !name->fn.args->count) && value->type == PL_VAR &&
           head_value->type == PL_VAR && value->var.slot == head_value->var.slot;
}

}  // namespace

uint32_t pl_head_plan_of(const PlCell* head) {
    if (head->type != PL_FUNCTOR || !head->fn.args) return 0;
    const uint32_t count = head->fn.args->count;
    if (head->fn.functor->arity == 1)
        return count == 1 && head->fn.args->items[0]->type == PL_VAR ? pl_head_plan_bit(PLH_FIRST_VAR, 0) : 0;
    if (count < 2 || count > kPlHeadPlanArgs) return 0;
    SeenSlots seen;
    uint32_t plan = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const PlCell* arg = head->fn.args->items[i];
        const uint32_t kind = argument_plan(arg, seen);
        if (!kind || !seen.add(arg)) return 0;
        plan |= pl_head_plan_bit(static_cast<PlHeadArgPlan>(kind), i);
    }
    return seen.in_order() ? plan | PLC_SLOTS_IN_ORDER : plan;
}

PlClauseFacts pl_clause_facts_of(const PieEngine* engine, const PlCell* term) {
    PlClauseFacts facts{PLC_KNOWN, 0};
    if (term->type != PL_FUNCTOR || !term->fn.args) return facts;
    const PlCell* head = term;
    if (pl_is_neck(engine, term->fn.functor)) {
        facts.bits |= PLC_RULE;
        head = term->fn.args->items[0];
        if (head->type != PL_FUNCTOR || !head->fn.args) return facts;
        facts.bits |= pl_head_plan_of(head);
        if (term->fn.args->count == 2) {
            // A branch rule's body is a variable; an opening test is looked for in the rules over
            // numbers, whose heads take two arguments or more, not in an item's.
            const PlCell* body = term->fn.args->items[1];
            if (body->type == PL_VAR) {
                if (is_branch(engine, head, body)) facts.bits = (facts.bits & ~PLC_RULE) | PLC_BRANCH;
            } else if (head->fn.args->count >= 2 && opens_with_comparison(engine, body)) {
                facts.bits |= PLC_OPENING_TEST;
            }
        }
    } else if (joins(head)) {
        facts.bits |= PLC_JOINING_FACT;
    }
    if (!head->fn.args->count) return facts;
    if ((facts.bits & PLC_RULE) && term->fn.args->count == 2 && reads_status(engine, head, term->fn.args->items[1])) {
        facts.key = kPlStatusReadKey;
        return facts;
    }
    const PlCell* first = head->fn.args->items[0];
    switch (first->type) {
    case PL_INT: facts.key = static_cast<uint32_t>(first->value); break;
    case PL_FUNCTOR: facts.key = first->fn.functor->serial; break;
    case PL_LIST:
    case PL_NIL: break;
    default: return facts;  // a variable or anything else clashes with nothing
    }
    facts.bits |= first->type;
    return facts;
}

void pl_clause_facts_update(const PieEngine* engine, PlCell* clause) {
    const PlClauseFacts facts = clause->clause.term ? pl_clause_facts_of(engine, clause->clause.term) : PlClauseFacts{};
    clause->clause.facts = static_cast<uint16_t>(facts.bits);
    clause->first_key = facts.key;
    // A query's record is in no list.
    if (clause->type != PL_QUERY_CLAUSE) pl_clause_lists_changed();
}
