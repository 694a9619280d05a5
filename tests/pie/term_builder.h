// Builds terms for engine tests from short calls: atoms, integers, variables with their slot,
// compound terms, lists and member sets.
#pragma once

#include "pie/terms/atoms.h"
#include "pie/api/engine.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"

#include <initializer_list>
#include <string>

struct TermBuilder {
    PieEngine* e;

    PlAtom* name(const std::string& text) const { return pie_intern_string(e, text.c_str()); }
    PlCell* atom(const std::string& text) const { return pl_make_atom(e, name(text)); }
    PlCell* integer(int32_t v) const { return pl_make_integer(e, v); }
    PlCell* var(const std::string& text, int32_t slot) const {
        PlCell* cell = pl_make_variable(e, name(text));
        if (cell->type == PL_VAR) cell->var.slot = slot;
        return cell;
    }
    PlCell* anon() const { return e->cell.anonymous; }
    PlCell* nil() const { return e->cell.nil; }
    PlCell* fn(const std::string& text, std::initializer_list<PlCell*> args) const {
        PlCell* cell = pl_make_compound(e, name(text), static_cast<uint32_t>(args.size()));
        uint32_t i = 0;
        for (PlCell* arg : args) cell->fn.args->items[i++] = arg;
        return cell;
    }
    PlCell* list(std::initializer_list<PlCell*> items, PlCell* tail = nullptr) const {
        PlCell* result = tail ? tail : e->cell.nil;
        for (auto it = items.end(); it != items.begin();) result = pl_make_list(e, *--it, result);
        return result;
    }
    PlCell* member(std::initializer_list<PlCell*> items) const { return pl_make_member(e, list(items)); }
};
