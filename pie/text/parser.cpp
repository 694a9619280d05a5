// The term parser. Chains of operators ("a, b, c, ..." bodies, long lists) are parsed with an
// explicit stack of pending operators rather than one native call per operand, so a long body
// costs no stack; only real nesting (parentheses, brackets, arguments) recurses, and that is
// bounded by the engine's depth limit (error 4102).
#include "pie/text/parser.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/text/lexer.h"
#include "pie/text/operators.h"

#include <vector>

namespace {

// Marks an operator node written in parentheses (the line word is unused in operator nodes).
constexpr uint32_t kParenthesised = 1;

// A prefix or infix operator waiting for its right operand.
struct Pending {
    PlCellType type;  // PL_PREFIX or PL_INFIX
    PlOperator* entry;
    PlCell* left;     // infix only
    int max_priority; // of the term the operator node becomes part of
    bool or_postfix;  // infix reading that falls back to postfix when no operand follows
};

// One level of nesting (parentheses, brackets, arguments) runs through three native frames of
// some size, so it counts for several levels of the engine's depth limit: about a thousand
// levels of nesting, far beyond any rule text, fit a small thread stack.
constexpr int kNestingWeight = 4;

bool is_marker(const PlCell* cell) { return cell->type == PL_MARKER; }

PlCell* parse(PieEngine* engine, PlToken* token, PlCell* clause, int max_priority, bool list_top);

bool is_separator_comma(const PieEngine* engine, const PlCell* cell) {
    return cell->type == PL_INFIX && cell->op.entry == engine->op_comma && !pl_is_parenthesised(cell);
}

// A prefix operator is read as an atom when nothing it could take as an operand follows: the end
// of a clause, argument or list, a separator, or an infix operator that cannot begin a term.
bool prefix_reading_possible(PieEngine* engine, const PlToken& next) {
    switch (next.kind) {
    case PLT_DOT:
    case PLT_COMMA:
    case PLT_SEMICOLON:
    case PLT_BAR:
    case PLT_CLOSE:
    case PLT_CLOSE_LIST:
    case PLT_NECK:
        return false;
    case PLT_NAME:
        if (const PlOperator* entry = pl_operator_lookup(engine, next.atom)) return entry->prefix || !entry->infix;
        return true;
    default:
        return true;
    }
}

// name(arguments): the arguments are one term whose top-level commas separate them.
PlCell* parse_compound(PieEngine* engine, PlToken* token, PlCell* clause, PlAtom* name) {
    if (pllex(engine, token) == PLT_CLOSE) pl_fatal_error(engine, PL_ERR_NO_PARAMETER, "pl_parse_term", name->name);
    PlCell* args = parse(engine, token, clause, kPlClausePriority, false);
    if (token->kind != PLT_CLOSE) pl_fatal_error(engine, PL_ERR_UNMATCHED_PAREN, "pl_parse_term");
    pllex(engine, token);
    uint32_t arity = 1;
    for (PlCell* c = args; is_separator_comma(engine, c); c = c->op.right) ++arity;
    PlCell* term = pl_make_compound(engine, name, arity);
    for (uint32_t i = 0; i < arity; ++i) {
        if (i + 1 == arity) {
            term->fn.args->items[i] = args;
        } else {
            term->fn.args->items[i] = args->op.left;
            PlCell* rest = args->op.right;
            pl_cell_release(engine, args);
            args = rest;
        }
    }
    return term;
}

// [elements | tail]: a "|" at the top of the elements ends them (the elements are parsed with
// list_top set, which parentheses clear).
PlCell* parse_list(PieEngine* engine, PlToken* token, PlCell* clause) {
    if (pllex(engine, token) == PLT_CLOSE_LIST) {
        pllex(engine, token);
        return engine->cell.nil;
    }
    PlCell* elements = parse(engine, token, clause, kPlClausePriority, true);
    PlCell* tail = engine->cell.nil;
    if (token->kind == PLT_BAR) {
        if (pllex(engine, token) == PLT_CLOSE_LIST) pl_fatal_error(engine, PL_ERR_UNMATCHED_BRACKET, "pl_parse_term");
        tail = parse(engine, token, clause, kPlClausePriority, true);
    }
    if (token->kind != PLT_CLOSE_LIST || is_marker(elements)) pl_fatal_error(engine, PL_ERR_UNMATCHED_BRACKET, "pl_parse_term");
    pllex(engine, token);
    if (!is_separator_comma(engine, elements)) return pl_make_list(engine, elements, tail);
    // The separator cells become the list cells.
    for (PlCell* c = elements;;) {
        PlCell* head = c->op.left;
        PlCell* rest = c->op.right;
        c->type = PL_LIST;
        c->line = 0;
        c->list.head = head;
        if (!is_separator_comma(engine, rest)) {
            c->list.tail = pl_make_list(engine, rest, tail);
            return elements;
        }
        c->list.tail = rest;
        c = rest;
    }
}

// The primary at the current token.
PlCell* pl_parse_term_basic(PieEngine* engine, PlToken* token, PlCell* clause) {
    PlCell* cell;
    switch (token->kind) {
    case PLT_DOT:
    case PLT_CLOSE:
    case PLT_CLOSE_LIST:
        return engine->cell.void_term;
    case PLT_END:
        return engine->cell.end_of_text;
    case PLT_COMMA:
    case PLT_SEMICOLON:
    case PLT_BAR:
    case PLT_NECK:
    case PLT_NAME:
        cell = pl_cell_new(engine, PL_NAME);
        cell->token = token->atom;
        break;
    case PLT_OPEN: {
        if (pllex(engine, token) == PLT_CLOSE) pl_fatal_error(engine, PL_ERR_VOID_PAREN, "pl_parse_term_basic");
        cell = parse(engine, token, clause, kPlClausePriority, false);
        if (token->kind != PLT_CLOSE) pl_fatal_error(engine, PL_ERR_UNMATCHED_PAREN, "pl_parse_term_basic");
        if (cell->type >= PL_PREFIX && cell->type <= PL_POSTFIX) cell->line |= kParenthesised;
        break;
    }
    case PLT_OPEN_LIST:
        return parse_list(engine, token, clause);
    case PLT_VARIABLE:
        cell = pl_clause_variable(engine, clause, token->atom);
        break;
    case PLT_INTEGER:
        cell = pl_make_integer(engine, token->value);
        break;
    case PLT_ANONYMOUS:
        cell = engine->cell.anonymous;
        break;
    default:
        pl_fatal_error(engine, PL_ERR_BASIC_TERM, "pl_parse_term_basic");
    }
    pllex(engine, token);
    return cell;
}

// "-1" and "+1" are integers wherever they stand, so that facts can carry negative values.
PlCell* make_prefix(PieEngine* engine, PlOperator* entry, PlCell* operand) {
    if (operand->type == PL_INT && (entry->name == engine->atom.minus || entry->name == engine->atom.plus))
        return pl_make_integer(engine, entry->name == engine->atom.minus ? -operand->value : operand->value);
    return pl_make_operator(engine, PL_PREFIX, entry, nullptr, operand);
}

PlOperator* separator_entry(PieEngine* engine, int kind) {
    switch (kind) {
    case PLT_COMMA: return engine->op_comma;
    case PLT_SEMICOLON: return engine->op_semicolon;
    case PLT_BAR: return engine->op_bar;
    case PLT_NECK: return engine->op_neck;
    default: return nullptr;
    }
}

PlCell* parse(PieEngine* engine, PlToken* token, PlCell* clause, int max_priority, bool list_top) {
    PlDepthGuard depth(engine, "pl_parse_term", kNestingWeight, PlDepthKind::Text);
    std::vector<Pending> pending;
    int m = max_priority;
    for (;;) {
        PlCell* left = pl_parse_term_basic(engine, token, clause);
        if (left->type == PL_NAME) {
            PlAtom* name = left->token;
            pl_cell_release(engine, left);
            PlOperator* entry = token->kind == PLT_OPEN ? nullptr : pl_operator_lookup(engine, name);
            if (token->kind == PLT_OPEN) {
                left = parse_compound(engine, token, clause, name);
            } else if (entry && entry->prefix && prefix_reading_possible(engine, *token)) {
                pending.push_back(Pending{PL_PREFIX, entry, nullptr, m, false});
                m = pl_op_right_bound(*entry->prefix);
                continue;
            } else {
                left = pl_make_atom(engine, name);
            }
        }
        if (is_marker(left)) {
            if (pending.empty()) return left;
            Pending top = pending.back();
            if (top.type == PL_PREFIX) pl_fatal_error(engine, PL_ERR_PREFIX_OPERAND, "pl_parse_term");
            if (!top.or_postfix) pl_fatal_error(engine, PL_ERR_BINARY_OPERAND, "pl_parse_term");
            pending.pop_back();
            left = pl_make_operator(engine, PL_POSTFIX, top.entry, top.left, nullptr);
            m = top.max_priority;
        }
        // Extend left by the operators that follow; when the term ends here, it completes the
        // operator that waits for it and the loop goes on at that operator's level.
        for (;;) {
            PlOperator* entry = nullptr;
            int reading = 3;
            if (PlOperator* separator = separator_entry(engine, token->kind)) {
                entry = separator;
                bool stop = separator->infix->priority > m || (list_top && token->kind == PLT_BAR);
                reading = stop ? 3 : 1;
            } else if (token->kind == PLT_NAME && (entry = pl_operator_lookup(engine, token->atom))) {
                reading = get_priority(engine, entry, left, m);
            }
            if (reading == 1 || reading == 4) {
                pending.push_back(Pending{PL_INFIX, entry, left, m, reading == 4});
                // The separators take a right operand of their own priority, ":-" included.
                m = separator_entry(engine, token->kind) ? entry->infix->priority : pl_op_right_bound(*entry->infix);
                pllex(engine, token);
                break;
            }
            if (reading == 2) {
                left = pl_make_operator(engine, PL_POSTFIX, entry, left, nullptr);
                pllex(engine, token);
                continue;
            }
            if (reading != 3) pl_fatal_error(engine, PL_ERR_CELL_TYPE, "pl_parse_term", reading);
            if (pending.empty()) return left;
            Pending top = pending.back();
            pending.pop_back();
            left = top.type == PL_PREFIX ? make_prefix(engine, top.entry, left)
                                         : pl_make_operator(engine, PL_INFIX, top.entry, top.left, left);
            m = top.max_priority;
        }
    }
}

int definition_priority(const PlCell* cell) {
    if (pl_is_parenthesised(cell)) return 0;
    switch (cell->type) {
    case PL_PREFIX: return cell->op.entry->prefix->priority;
    case PL_INFIX: return cell->op.entry->infix->priority;
    case PL_POSTFIX: return cell->op.entry->postfix->priority;
    default: return 0;
    }
}

}  // namespace

bool pl_is_parenthesised(const PlCell* node) {
    return node->type >= PL_PREFIX && node->type <= PL_POSTFIX && (node->line & kParenthesised);
}

PlCell* pl_parse_term(PieEngine* engine, PlToken* token, PlCell* clause, int max_priority) {
    return parse(engine, token, clause, max_priority, false);
}

int get_priority(PieEngine* engine, const PlOperator* entry, const PlCell* left, int m) {
    switch (left->type) {
    case PL_VAR: case PL_ANONYMOUS: case PL_INT: case PL_FUNCTOR: case PL_LIST: case PL_NIL:
    case PL_PREFIX: case PL_INFIX: case PL_POSTFIX:
        break;
    default:
        pl_fatal_error(engine, PL_ERR_CANNOT_PROCEED, "get_priority");
    }
    const int l = definition_priority(left);
    const PlOpDefinition* in = entry->infix;
    const PlOpDefinition* post = entry->postfix;
    if (!in && !post) return 3;
    if (!in) return post->priority <= m ? 2 : 3;
    if (!post) return in->priority <= m ? 1 : 3;
    const int i = in->priority, p = post->priority;
    if (i < p) return p <= m ? 2 : 3;
    if (i == p && l != p) return p <= m ? 4 : 3;
    if (i == p && post->type == PL_YF) {
        if (in->type == PL_XFX || in->type == PL_XFY) return p <= m ? 2 : 3;
        return p <= m ? 4 : 3;
    }
    return i <= m ? 1 : 3;
}
