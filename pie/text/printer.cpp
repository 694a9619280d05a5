// Term printing. Lists and right-nested chains are printed in loops and nesting is capped, so a
// long list or a deep term costs neither unbounded stack nor unbounded text.
#include "pie/text/printer.h"

#include "pie/api/engine.h"
#include "pie/text/operators.h"
#include "pie/text/output.h"

namespace {

// Arguments and list elements are separated by commas: a term of the comma's priority or above
// is written in parentheses there.
constexpr int kArgumentPriority = 999;

unsigned address(const void* p) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(p)); }

enum Mode { kPlain, kTagged, kAddresses };

Mode mode_of(const PieEngine* engine) {
    if (engine->flags & PLE_DUMP_ADDRESSES) return kAddresses;
    if (engine->flags & PLE_DUMP_TAGGED) return kTagged;
    return kPlain;
}

const PlOpDefinition* operator_of(PieEngine* engine, const PlCell* term) {
    if (term->type != PL_FUNCTOR) return nullptr;
    const PlFunctor* f = term->fn.functor;
    if (f->arity != 1 && f->arity != 2) return nullptr;
    const PlOperator* entry = pl_operator_lookup(engine, f->name);
    if (!entry) return nullptr;
    if (f->arity == 2) return entry->infix;
    return entry->prefix ? entry->prefix : entry->postfix;
}

struct Printer {
    PieEngine* engine;
    Mode mode;

    void print(const PlCell* term, int depth) {
        if (depth > kPlMaxPrintDepth) {
            pl_print(engine, "%s", "...");
            return;
        }
        switch (term->type) {
        case PL_VAR:
            if (mode == kAddresses) pl_print(engine, "{%08x}(VAR: {%08x} %s)", address(term), address(term->var.name), term->var.name->name);
            else if (mode == kTagged) pl_print(engine, "(VAR: %s)", term->var.name->name);
            else pl_print(engine, "%s", term->var.name->name);
            return;
        case PL_ANONYMOUS:
            if (mode == kAddresses) pl_print(engine, "{%08x}(ANONYMOUS)", address(term));
            else pl_print(engine, "%s", mode == kTagged ? "(ANONYMOUS)" : "_");
            return;
        case PL_INT:
            if (mode == kAddresses) pl_print(engine, "{%08x}(INT: %d)", address(term), term->value);
            else pl_print(engine, mode == kTagged ? "(INT: %d)" : "%d", term->value);
            return;
        case PL_NIL:
            if (mode == kAddresses) pl_print(engine, "{%08x}(NIL)", address(term));
            else pl_print(engine, "%s", mode == kTagged ? "(NIL)" : "[]");
            return;
        case PL_LIST:
            return list(term, depth);
        case PL_FUNCTOR:
            return compound(term, depth);
        case PL_AND_GROUP:
            return group(term->items, depth, mode == kPlain ? "{{" : "(AND_GROUP ", mode == kPlain ? "}}" : ")");
        case PL_MEMBER:
            return group(term->items, depth, mode == kPlain ? "[[" : "(MEMBER ", mode == kPlain ? "]]" : ")");
        case PL_ONCE:
            pl_print(engine, "%s", mode == kPlain ? "#(" : "(TAG ");
            print(term->once.goal, depth + 1);
            pl_print(engine, "%s", mode == kPlain ? "#)" : ")");
            return;
        case PL_CLAUSE:
        case PL_SYSTEM_CLAUSE:
        case PL_QUERY_CLAUSE:
            if (term->clause.term) print(term->clause.term, depth + 1);
            pl_print(engine, "%s", ".");
            return;
        case PL_UNBOUND:
            if (mode == kAddresses) pl_print(engine, "{%08x}_", address(term));
            else pl_print(engine, "%s", "_");
            return;
        default:
            pl_fatal_error(engine, PL_ERR_CELL_TYPE, "plout_tree", static_cast<int>(term->type));
        }
    }

    void list(const PlCell* term, int depth) {
        if (mode == kPlain) {
            pl_print(engine, "%s", "[");
            for (bool first = true; term->type == PL_LIST; term = term->list.tail, first = false) {
                if (!first) pl_print(engine, "%s", ",");
                operand(term->list.head, kArgumentPriority, depth);
            }
            if (term->type != PL_NIL) {
                pl_print(engine, "%s", "|");
                print(term, depth + 1);
            }
            pl_print(engine, "%s", "]");
            return;
        }
        int open = 0;
        for (; term->type == PL_LIST; term = term->list.tail, ++open) {
            if (mode == kAddresses) pl_print(engine, "{%08x}(LIST {%08x}", address(term), address(term->list.head));
            else pl_print(engine, "%s", "(LIST ");
            print(term->list.head, depth + 1);
            if (mode == kAddresses) pl_print(engine, " . {%08x}", address(term->list.tail));
            else pl_print(engine, "%s", " . ");
        }
        print(term, depth + 1);
        while (open-- > 0) pl_print(engine, "%s", ")");
    }

    void group(const PlCell* items, int depth, const char* open, const char* close) {
        pl_print(engine, "%s", open);
        for (bool first = true; items->type == PL_LIST; items = items->list.tail, first = false) {
            if (!first) pl_print(engine, "%s", mode == kPlain ? ", " : " ");
            print(items->list.head, depth + 1);
        }
        pl_print(engine, "%s", close);
    }

    // An operand in parentheses when its operator binds less tightly than the place allows.
    void operand(const PlCell* term, int bound, int depth) {
        const bool parens = pl_term_priority(engine, term) > bound;
        if (parens) pl_print(engine, "%s", "(");
        print(term, depth + 1);
        if (parens) pl_print(engine, "%s", ")");
    }

    void compound(const PlCell* term, int depth) {
        const PlFunctor* f = term->fn.functor;
        if (mode != kPlain) {
            const bool atom = f->arity == 0;
            if (mode == kAddresses)
                pl_print(engine, atom ? "{%08x}({%08x}ATOM: {%08x} %s" : "{%08x}({%08x}FUNCTOR: {%08x} %s", address(term),
                         address(f), address(f->name), f->name->name);
            else
                pl_print(engine, atom ? "(ATOM: %s" : "(FUNCTOR: %s", f->name->name);
            if (!atom) pl_print(engine, "/%u", f->arity);
            for (uint32_t i = 0; i < f->arity; ++i) {
                pl_print(engine, "%s", " ");
                print(pl_arg(term, i), depth + 1);
            }
            pl_print(engine, "%s", ")");
            return;
        }
        if (f->arity == 0) {
            pl_print(engine, "%s", f->name->name);
            return;
        }
        if (const PlOpDefinition* op = operator_of(engine, term)) {
            if (f->arity == 2) {
                // A right-nested chain of one operator ("a , b , c ...") is printed in a loop.
                const int left_bound = op->type == PL_YFX || op->type == PL_YFY ? op->priority : op->priority - 1;
                const int right_bound = pl_op_right_bound(*op);
                for (;;) {
                    operand(pl_arg(term, 0), left_bound, depth);
                    pl_print(engine, " %s ", f->name->name);
                    const PlCell* right = pl_arg(term, 1);
                    if (!pl_is_functor(right, f) || right_bound < op->priority) {
                        operand(right, right_bound, depth);
                        break;
                    }
                    term = right;
                }
            } else if (op->type <= PL_FY) {
                pl_print(engine, "%s ", f->name->name);
                operand(pl_arg(term, 0), pl_op_right_bound(*op), depth);
            } else {
                operand(pl_arg(term, 0), op->type == PL_YF ? op->priority : op->priority - 1, depth);
                pl_print(engine, " %s", f->name->name);
            }
            return;
        }
        pl_print(engine, "%s(", f->name->name);
        for (uint32_t i = 0; i < f->arity; ++i) {
            if (i) pl_print(engine, "%s", ",");
            operand(pl_arg(term, i), kArgumentPriority, depth);
        }
        pl_print(engine, "%s", ")");
    }
};

}  // namespace

void plout_tree(PieEngine* engine, const PlCell* term, int depth) { Printer{engine, mode_of(engine)}.print(term, depth); }

int pl_term_priority(PieEngine* engine, const PlCell* term) {
    const PlOpDefinition* op = operator_of(engine, term);
    return op ? op->priority : 0;
}
