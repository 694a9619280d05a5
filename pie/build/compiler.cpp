// The rule compiler's steps on one clause, and the conversions of the op and abbrev built-ins.
// Walks over a term use a work list instead of native recursion: a clause body of thousands of
// goals or a long left-nested sum converts in constant stack.
#include "pie/build/compiler.h"

#include "pie/build/preprocessor.h"
#include "pie/text/abbrev.h"
#include "pie/terms/btree.h"
#include "pie/terms/clause_facts.h"
#include "pie/api/engine.h"
#include "pie/text/lexer.h"
#include "pie/text/operators.h"
#include "pie/text/parser.h"
#include "pie/terms/work_stack.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace {

int compare_variable(const void* item, const void* key) {
    return pl_compare_atoms(static_cast<const PlCell*>(item)->var.name, static_cast<const PlAtom*>(key));
}

bool is_atom(const PlCell* term) { return term->type == PL_FUNCTOR && term->fn.functor->arity == 0; }

// Rewrites one operator node into the compound term of its definition's functor.
void to_compound(PieEngine* engine, PlCell* node) {
    const PlOperator* entry = node->op.entry;
    const PlOpDefinition* definition = node->type == PL_INFIX    ? entry->infix
                                       : node->type == PL_PREFIX ? entry->prefix
                                                                 : entry->postfix;
    PlCell* left = node->op.left;
    PlCell* right = node->op.right;
    PlFunctor* functor = definition->functor;
    PlVector* args = pl_vector_alloc(engine, &engine->main_pool, functor->arity);
    if (node->type == PL_INFIX) {
        args->items[0] = left;
        args->items[1] = right;
    } else {
        args->items[0] = node->type == PL_PREFIX ? right : left;
    }
    node->type = PL_FUNCTOR;
    node->line = 0;
    node->fn.functor = functor;
    node->fn.args = args;
    node->fn.plain = 0;  // where the right operand was: not yet looked at
    ++functor->uses;
}

}  // namespace

void pl_compiler_create(PieEngine* engine) {
    for (int i = 0; i < kPlPredefinedFunctorCount; ++i) {
        const PlPredefinedRow& row = kPlPredefinedRows[i];
        engine->predefined[i] = pl_lookup_functor(engine, pie_intern_atom(engine, row.name), row.arity, nullptr);
    }
    // Only predefined functors have a kind of their own: with theirs found now, every other
    // functor's is known without comparing it with all of them.
    pl_prepare_goal_kinds(engine);
    pl_abbrev_create(engine);
    pl_operators_create(engine);
    // What reading rule text starts from; a definition after this one makes it read differently.
    engine->syntax_changes = 0;
}

PlCell* pl_read_clause(PieEngine* engine, PlToken* token, uint32_t type) {
    PlCell* clause = pl_make_clause(engine, static_cast<PlCellType>(type), nullptr);
    PlCell* term = pl_parse_term(engine, token, clause, kPlClausePriority);
    if (term == engine->cell.end_of_text) {
        pl_cell_release(engine, clause);
        return nullptr;
    }
    if (token->kind != PLT_DOT) pl_fatal_error(engine, PL_ERR_MISSING_DOT, "pl_parse");
    if (term->type == PL_MARKER) pl_fatal_error(engine, PL_ERR_NOT_FUNCTOR, "pl_parse");
    operator_to_functor(engine, term);
    if (term->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_NOT_FUNCTOR, "pl_parse");
    clause->clause.term = term;
    pl_clause_facts_update(engine, clause);
    pllex(engine, token);
    return clause;
}

PlCell* pl_clause_variable(PieEngine* engine, PlCell* clause, PlAtom* name) {
    if (name->length == 1 && name->name[0] == '_') return engine->cell.anonymous;
    BTree*& table = clause->clause.vars;
    if (!table) table = btree_create(engine, &engine->main_pool, compare_variable);
    if (auto* found = static_cast<PlCell*>(btree_lookup(table, name))) return found;
    PlCell* cell = pl_make_variable(engine, name);
    BTreeNode* node = btree_lookup_or_insert(engine, table, name);
    node->item = cell;
    cell->var.slot = static_cast<int32_t>(clause->clause.var_count++);
    pl_clause_slots_grew(clause->clause.var_count);
    return cell;
}

void recollect_variables(PieEngine* engine, PlCell* clause, PlCell* term) {
    PlWorkStack<PlCell*> work(term);
    while (!work.empty()) {
        PlCell* cell = work.back();
        work.pop_back();
        switch (cell->type) {
        case PL_VAR: {
            BTree*& table = clause->clause.vars;
            if (!table) table = btree_create(engine, &engine->main_pool, compare_variable);
            BTreeNode* node = btree_lookup_or_insert(engine, table, cell->var.name);
            if (!node->item) {
                node->item = cell;
                cell->var.slot = static_cast<int32_t>(clause->clause.var_count++);
                pl_clause_slots_grew(clause->clause.var_count);
            }
            break;
        }
        case PL_FUNCTOR:
            for (uint32_t i = cell->fn.functor->arity; i-- > 0;) work.push_back(pl_arg(cell, i));
            break;
        case PL_LIST:
            work.push_back(cell->list.tail);
            work.push_back(cell->list.head);
            break;
        case PL_AND_GROUP:
            work.push_back(cell->items);
            break;
        case PL_PREFIX:
        case PL_INFIX:
        case PL_POSTFIX:
            if (cell->op.right) work.push_back(cell->op.right);
            if (cell->op.left) work.push_back(cell->op.left);
            break;
        case PL_ONCE:
            work.push_back(cell->once.goal);
            break;
        case PL_INT:
        case PL_ANONYMOUS:
        case PL_NIL:
        case PL_MEMBER:
        case PL_UNBOUND:
            break;
        default:
            pl_fatal_error(engine, PL_ERR_OPCODE_UNMATCHED, "recollect_variables");
        }
    }
}

PlCell* operator_to_functor(PieEngine* engine, PlCell* term) {
    PlWorkStack<PlCell*> work(term);
    while (!work.empty()) {
        PlCell* cell = work.back();
        work.pop_back();
        switch (cell->type) {
        case PL_PREFIX:
        case PL_INFIX:
        case PL_POSTFIX:
            to_compound(engine, cell);
            [[fallthrough]];
        case PL_FUNCTOR:
            for (uint32_t i = cell->fn.functor->arity; i-- > 0;) work.push_back(pl_arg(cell, i));
            break;
        case PL_LIST:
            // Elements hold operator nodes too ("[a = b]"): a list is not left half converted.
            work.push_back(cell->list.tail);
            work.push_back(cell->list.head);
            break;
        case PL_VAR:
        case PL_ANONYMOUS:
        case PL_INT:
        case PL_NIL:
        case PL_MEMBER:
            break;
        default:
            pl_fatal_error(engine, PL_ERR_CELL_TYPE, "operator_to_functor", static_cast<int>(cell->type));
        }
    }
    return term;
}

PlCell* pl_clause_head(PieEngine* engine, PlCell* term) {
    if (pl_is_functor(term, pl_predefined(engine, PLP_neck_2))) return pl_arg(term, 0);
    return term;
}

void system_predicate_check(PieEngine* engine, PlCell* term) {
    const PlCell* head = pl_clause_head(engine, term);
    if (head->type == PL_FUNCTOR && (head->fn.functor->flags & PLF_SYSTEM))
        pl_fatal_error(engine, PL_ERR_REDEFINE_SYSTEM, "system_predicate_check", head->fn.functor->name->name);
}

PlFunctor* replace_nopropagate_functor(PieEngine* engine, PlFunctor* marker) {
    if (marker->owner) pl_fatal_error(engine, PL_ERR_NOPROPAGATE_PROPERTY, "replace_nopropagate_functor");
    if (marker->arity != 1) pl_fatal_error(engine, PL_ERR_NOPROPAGATE_ARITY, "replace_nopropagate_functor");
    // "$$@<n>", written without the formatter: every no-propagate head of every load takes one.
    char name[32] = "$$@";
    const auto written = std::to_chars(name + 3, name + sizeof name, static_cast<int>(engine->replacement_count));
    PlFunctor* functor = pl_lookup_functor(
        engine, pie_intern_string_len(engine, name, static_cast<size_t>(written.ptr - name)), 1, nullptr);
    ++engine->replacement_count;
    functor->flags |= PLF_REPLACEMENT;
    return functor;
}

int32_t fetch_integer(PieEngine* engine, const PlCell* term) {
    if (term->type != PL_INT) pl_fatal_error(engine, PL_ERR_CELL_TYPE, "fetch_integer", static_cast<int>(term->type));
    return term->value;
}

int pl_is_op_type(PieEngine*, const PlCell* term) {
    return is_atom(term) && pl_op_type_code(term->fn.functor->name->name) >= 0 ? 1 : 0;
}

int fetch_opcode(PieEngine* engine, const PlCell* term) {
    if (!is_atom(term)) pl_fatal_error(engine, PL_ERR_OPCODE_UNMATCHED, "fetch_opcode");
    const int code = pl_op_type_code(term->fn.functor->name->name);
    if (code < 0) pl_fatal_error(engine, PL_ERR_OPCODE_UNDEFINED, "fetch_opcode");
    return code;
}

uint32_t functor_argument(PieEngine* engine, const PlCell* term) {
    if (term->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_OPCODE_UNMATCHED, "functor_argument");
    return term->fn.functor->arity;
}

int32_t pl_size_text(PieEngine* engine, const char* text) {
    int64_t value = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) pl_fatal_error(engine, PL_ERR_INTEGER_OVERFLOW, "pl_size_text");
    }
    while (*p) ++p;
    if (p - text >= 2 && p[-2] == 'M' && p[-1] == 'B') value *= 1024;
    if (value > INT32_MAX) pl_fatal_error(engine, PL_ERR_INTEGER_OVERFLOW, "pl_size_text");
    return static_cast<int32_t>(value);
}

void pl_mark_keep_reason(PieEngine* engine, PlAtom* name) {
    pl_lookup_functor(engine, name, 1, nullptr)->flags |= PLF_KEEP_REASON;
}
