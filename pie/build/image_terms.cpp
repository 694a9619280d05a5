// The clause terms of a compiled rule image: one code byte, then its big-endian operands. Every
// read is bounded by the ".user" section; list tails are read in a loop and every other nesting
// counts against the engine's depth limit, so no image can exhaust the native stack.
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/build/image_loader.h"
#include "pie/terms/list.h"

#include <array>

namespace {

constexpr int kCodeVariable = 0x00, kCodeAnonymous = 0x01, kCodeInteger = 0x02, kCodeFunctor = 0x03,
              kCodeList = 0x04, kCodeNil = 0x05, kCodeProperty = 0x06, kCodeAtom = 0x07, kCodeCompound = 0x08,
              kCodeAndGroup = 0x09, kCodeNoPropagate = 0x38, kCodeOnce = 0xFD, kCodeMember = 0xFE, kCodeEnd = 0xFF;

[[noreturn]] void bad(PieEngine* engine, unsigned code) {
    pl_fatal_error(engine, PL_ERR_LOAD_ELEMENT, "pl_load_predicate", code);
}

// The predefined functor of each image code, from the one predefined table.
std::array<int, 256> predefined_by_code() {
    std::array<int, 256> map;
    map.fill(-1);
    for (int i = 0; i < kPlPredefinedFunctorCount; ++i)
        if (kPlPredefinedRows[i].image_code) map[kPlPredefinedRows[i].image_code] = i;
    return map;
}

struct Reader {
    PieEngine* engine;
    PlLoadContext& context;
    size_t& position;
    unsigned code = 0;  // the element being read, named when its operands run out

    uint32_t take(size_t bytes) {
        if (context.user_size - position < bytes) bad(engine, code);
        uint32_t value = 0;
        for (size_t i = 0; i < bytes; ++i) value = value << 8 | context.user[position + i];
        position += bytes;
        return value;
    }
    PlAtom* name() {
        const uint32_t offset = take(2);
        if (offset >= context.strtab_size) bad(engine, code);
        return pie_intern_atom(engine, context.strtab + offset);
    }

    // A variable's image slot names one cell of the clause, and one name has one slot.
    PlCell* variable() {
        PlAtom* atom = name();
        const uint32_t slot = take(1);
        PlCell* cell = pl_clause_variable(engine, context.clause, atom);
        if (cell == engine->cell.anonymous) return cell;
        PlCell*& known = context.slots[slot];
        if (known && known != cell) bad(engine, code);
        for (size_t i = 0; i < context.slots.size(); ++i)
            if (context.slots[i] == cell && i != slot) bad(engine, code);
        known = cell;
        return cell;
    }

    PlCell* sequence() {
        const uint32_t count = take(1);
        PlCell* first = engine->cell.nil;
        PlCell** tail = &first;
        for (uint32_t i = 0; i < count; ++i) {
            *tail = pl_make_list(engine, term(), engine->cell.nil);
            tail = &(*tail)->list.tail;
        }
        return first;
    }

    PlCell* arguments(PlCell* cell, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) cell->fn.args->items[i] = term();
        return cell;
    }

    PlCell* once() {
        const uint32_t index = take(2);
        if (!context.has_tag || index >= context.once.size()) bad(engine, code);
        if (context.once_state[index] == 1) bad(engine, code);  // a cell inside its own goal
        if (context.once[index]) return context.once[index];
        context.once_state[index] = 1;
        PlCell* goal = term();
        context.once[index] = pl_make_once(engine, goal);
        context.once_state[index] = 3;
        context.clause_once.push_back(index);
        return context.once[index];
    }

    PlCell* term() {
        PlDepthGuard depth(engine, "pl_load_predicate", 1, PlDepthKind::Text);
        code = take(1);
        if (code == kCodeList) {
            // [a, b, ...]: heads recurse, the tail chain is followed here.
            PlCell* first = nullptr;
            PlCell** tail = &first;
            while (code == kCodeList) {
                *tail = pl_make_list(engine, term(), engine->cell.nil);
                tail = &(*tail)->list.tail;
                code = take(1);
            }
            --position;
            *tail = term();
            return first;
        }
        return element();
    }

    PlCell* element() {
        static const std::array<int, 256> predefined = predefined_by_code();
        switch (code) {
        case kCodeVariable: return variable();
        case kCodeAnonymous: return engine->cell.anonymous;
        case kCodeInteger: return pl_make_integer(engine, static_cast<int32_t>(take(4)));
        case kCodeFunctor:
        case kCodeProperty: {
            const uint32_t index = take(2);
            if (index >= context.functors.size()) bad(engine, code);
            PlFunctor* functor = context.functors[index];
            PlCell* cell = pl_make_term(engine, functor);
            // A property term written with its key (0x06) carries the hidden key argument too.
            return arguments(cell, code == kCodeProperty && functor->owner ? 2 : 1);
        }
        case kCodeNil: return engine->cell.nil;
        case kCodeAtom: {
            const uint32_t index = take(2);
            if (index >= context.atoms.size()) bad(engine, code);
            return pl_make_atom(engine, context.atoms[index]);
        }
        case kCodeCompound: {
            PlAtom* atom = name();
            const uint32_t arity = take(1);
            if (arity > kPlMaxArity) bad(engine, code);
            return arguments(pl_make_compound(engine, atom, arity), arity);
        }
        case kCodeAndGroup: return pl_make_and_group(engine, sequence());
        case kCodeMember: return pl_make_member(engine, sequence());
        case kCodeNoPropagate: return pl_make_term(engine, pl_predefined(engine, PLP_dollars_1));
        case kCodeOnce: return once();
        default: break;
        }
        const int row = predefined[code];
        if (row < 0) bad(engine, code);
        PlFunctor* functor = pl_predefined(engine, row);
        if (functor->arity == 0) return pl_make_atom_term(engine, functor);
        return arguments(pl_make_term(engine, functor), functor->arity);
    }
};

}  // namespace

PlCell* pl_load_predicate(PieEngine* engine, PlLoadContext& context, size_t& position) {
    if (position < context.user_size && context.user[position] == kCodeEnd) {
        ++position;
        return nullptr;
    }
    Reader reader{engine, context, position};
    return reader.term();
}
