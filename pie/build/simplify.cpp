// Simplification of a rule body, bottom-up: true and fail are taken out of conjunctions,
// alternatives and negations. The post-load pass and the element-control expansion both use it.
#include "pie/build/simplify.h"

#include "pie/api/engine.h"
#include "pie/build/compiler.h"
#include "pie/terms/term_walk.h"

namespace {

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}

}  // namespace

namespace {

// Whether a cell has slots below it (or a functor's arguments). A cell without any is left as it
// is by the rewrite, so the walk passes it by.
[[gnu::always_inline]] inline bool has_children(const PlCell* cell) {
    switch (cell->type) {
    case PL_FUNCTOR: return cell->fn.functor->arity != 0 || (cell->fn.args && cell->fn.args->count);
    case PL_LIST:
    case PL_AND_GROUP:
    case PL_MEMBER:
    case PL_ONCE: return true;
    default: return false;
    }
}

}  // namespace

void pl_simplify(PieEngine* engine, PlCell*& body) {
    PlCell* const yes = engine->cell.true_;
    PlCell* const no = engine->cell.fail;
    // The rewrite reads only a cell and its children, already rewritten, so the cells without
    // any need no turn of their own.
    pl_rewrite_bottom_up(body, [&](PlCell*& goal) {
        if (goal->type == PL_AND_GROUP) {
            PlCell** link = &goal->items;
            while ((*link)->type == PL_LIST) {
                if ((*link)->list.head == no) {
                    goal = no;
                    return;
                }
                if ((*link)->list.head == yes)
                    *link = (*link)->list.tail;
                else
                    link = &(*link)->list.tail;
            }
            if (goal->items->type == PL_NIL) goal = yes;
            return;
        }
        // Only ",", "|" (two arguments) and "not" (one) are simplified.
        if (goal->type != PL_FUNCTOR || goal->fn.functor->arity == 0 || goal->fn.functor->arity > 2) return;
        if (is(engine, goal, PLP_comma_2)) {
            PlCell* a = pl_arg(goal, 0);
            PlCell* b = pl_arg(goal, 1);
            if (a == no || b == no) goal = no;
            else if (a == yes) goal = b;
            else if (b == yes) goal = a;
        } else if (is(engine, goal, PLP_bar_2)) {
            // "A | true" stays: A may act on the host or bind variables, which dropping it
            // would lose; only an alternative that certainly holds or fails is decided here.
            PlCell* a = pl_arg(goal, 0);
            PlCell* b = pl_arg(goal, 1);
            if (a == yes) goal = yes;
            else if (a == no) goal = b;
            else if (b == no) goal = a;
        } else if (is(engine, goal, PLP_not_1)) {
            PlCell* a = pl_arg(goal, 0);
            if (a == yes) goal = no;
            else if (a == no) goal = yes;
        }
    }, [](const PlCell* cell) { return has_children(cell); });  // inlined: every cell of the body is asked
}
