// The clause loop of rule text and the start-up load of the system rules. Every check that can
// refuse a clause runs before the clause is linked anywhere, so a refused clause leaves no half
// registration behind (no dependents, complement or default clause of a clause not stored).
#include "pie/build/loader.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/hash.h"
#include "pie/text/lexer.h"
#include "pie/terms/list.h"
#include "pie/build/preprocessor.h"
#include "pie/build/program.h"
#include "pie/build/read_text.h"
#include "pie/terms/term_walk.h"
#include "pie/terms/functor_set.h"
#include "pie/terms/work_stack.h"

#include <cstring>
#include <memory>
#include <vector>

const char* const kPlSystemRules =
    "unsupported_element(_,_).\n"
    "(_X|_):-_X.\n"
    "(_|_Y):-_Y.\n"
    "(_X;_):-_X.\n"
    "(_;_Y):-_Y.\n"
    "_X=:=_Y :- eq(_X,_Y).\n"
    "_X=\\=_Y :- ne(_X,_Y).\n"
    "_X<_Y :- less(_X,_Y).\n"
    "_X>_Y :- greater(_X,_Y).\n"
    "_X<=_Y :- leq(_X,_Y).\n"
    "_X>=_Y :- geq(_X,_Y).\n"
    "_X==_Y :- teq(_X,_Y).\n"
    "_X\\==_Y :- tne(_X,_Y).\n"
    "^(_X) :- reflected(_X).\n"
    "_Z is _X+_Y:-_Xval is _X,_Yval is _Y,sum(_Xval,_Yval,_Z).\n"
    "_Z is _X-_Y:-_Xval is _X,_Yval is _Y,sub(_Xval,_Yval,_Z).\n"
    "_Z is _X*_Y:-_Xval is _X,_Yval is _Y,multiply(_Xval,_Yval,_Z).\n"
    "_Z is _X/_Y:-_Xval is _X,_Yval is _Y,quotient(_Xval,_Yval,_Z).\n"
    "_Z is _X mod _Y:-_Xval is _X,_Yval is _Y,modulo(_Xval,_Yval,_Z).\n"
    "_Z is _X /\\ _Y:-_Xval is _X,_Yval is _Y,bitand(_Xval,_Yval,_Z).\n"
    "_Z is _X \\/ _Y:-_Xval is _X,_Yval is _Y,bitor(_Xval,_Yval,_Z).\n"
    "_Z is _X << _Y:-_Xval is _X,_Yval is _Y,lshift(_Xval,_Yval,_Z).\n"
    "_Z is _X >> _Y:-_Xval is _X,_Yval is _Y,rshift(_Xval,_Yval,_Z).\n"
    "_Z is + _X :-_Xval is _X,sum(_Xval,0,_Z).\n"
    "_Z is - _X :-_Xval is _X,sub(0,_Xval,_Z).\n"
    "_Z is \\ _X :-_Xval is _X,bitcmp(_Xval,_Z).\n"
    "_X is heapused:-heapused(_X).\n"
    "_X is _X:-integer(_X).\n";

namespace {

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}

// F(x) :: G(y) names the property G of the item F: the term of G/1 owned by F, whose hidden
// second argument keeps the key x. Whether any was rewritten.
bool rewrite_aliases(PieEngine* engine, PlCell*& term) {
    bool rewritten = false;
    pl_walk_top_down(term, [&](PlCell*& cell) {
        if (!is(engine, cell, PLP_colons_2)) return true;
        PlCell* f = pl_arg(cell, 0);
        PlCell* g = pl_arg(cell, 1);
        if (f->type != PL_FUNCTOR || g->type != PL_FUNCTOR || f->fn.functor->arity != 1 || g->fn.functor->arity != 1 ||
            (f->fn.functor->flags & PLF_SYSTEM))
            return true;
        PlCell* property = pl_make_term(engine, pl_lookup_functor(engine, g->fn.functor->name, 1, f->fn.functor));
        property->fn.args->items[0] = pl_arg(g, 0);
        property->fn.args->items[1] = pl_arg(f, 0);
        cell = property;
        rewritten = true;
        return true;
    });
    return rewritten;
}

// The goals of a body that read an item: arity-1 goals under the logical connectives.
template <class Fn>
void for_each_read(PieEngine* engine, PlCell* body, Fn&& fn) {
    PlWorkStack<PlCell*> work(body);
    while (!work.empty()) {
        PlCell* goal = work.back();
        work.pop_back();
        if (goal->type == PL_AND_GROUP) {
            for (PlCell* c = goal->items; c->type == PL_LIST; c = c->list.tail) work.push_back(c->list.head);
        } else if (goal->type == PL_ONCE) {
            work.push_back(goal->once.goal);
        } else if (is(engine, goal, PLP_comma_2) || is(engine, goal, PLP_semicolon_2) || is(engine, goal, PLP_bar_2)) {
            work.push_back(pl_arg(goal, 1));
            work.push_back(pl_arg(goal, 0));
        } else if (is(engine, goal, PLP_not_1) || is(engine, goal, PLP_apply_1)) {
            work.push_back(pl_arg(goal, 0));
        } else if (goal->type == PL_FUNCTOR && goal->fn.functor->arity == 1 && !(goal->fn.functor->flags & PLF_SYSTEM)) {
            fn(goal->fn.functor);
        }
    }
}

PlCell* rule(PieEngine* engine, PlCell* head, PlCell* body) {
    PlCell* term = pl_make_term(engine, pl_predefined(engine, PLP_neck_2));
    term->fn.args->items[0] = head;
    term->fn.args->items[1] = body;
    return term;
}

void add_complement(PieEngine* engine, PlFunctor* fact, PlCell* value, int32_t line) {
    PlCell* head = pl_make_term(engine, fact);
    head->fn.args->items[0] = value;
    head->line = static_cast<uint32_t>(line);
    PlCell* clause = pl_make_clause(engine, PL_CLAUSE, rule(engine, head, engine->cell.true_));
    clause->clause.flags = PLR_FACT;
    pl_program_link_clause(engine, clause, fact, PL_COMPLEMENTS);
}

void remove_complements(PieEngine* engine, PlFunctor* fact) {
    while (void* clause = pl_list_remove_first(engine, fact->clauses[PL_COMPLEMENTS]))
        pl_list_remove_item(engine, engine->program->clauses[PL_COMPLEMENTS], clause);
    pl_clause_lists_changed();
}

// A host fact written only with ON (or only OFF) holds OFF (ON) otherwise.
void register_complement(PieEngine* engine, PlFunctor* fact, PlCell* value, int32_t line) {
    constexpr uint32_t kBoth = PLF_ON_WRITTEN | PLF_OFF_WRITTEN;
    const uint32_t sides = fact->flags & kBoth;
    const bool on = value == engine->cell.ON, off = value == engine->cell.OFF;
    if (sides == kBoth) return;
    if (sides == 0) {
        if (on || off) add_complement(engine, fact, on ? engine->cell.OFF : engine->cell.ON, line);
        fact->flags |= on ? PLF_ON_WRITTEN : off ? PLF_OFF_WRITTEN : kBoth;
        return;
    }
    if ((sides == PLF_ON_WRITTEN && on) || (sides == PLF_OFF_WRITTEN && off)) return;
    remove_complements(engine, fact);
    fact->flags |= kBoth;
}

// Item(_X) :- !, status(Item, _X): the item's value comes from the host when no rule decides.
void add_default_clause(PieEngine* engine, PlFunctor* item) {
    if ((item->marks & PLM_DEFAULT_CLAUSE) || (item->flags & (PLF_CONSTANT | PLF_SYSTEM)) || item->arity != 1) return;
    PlCell* clause = pl_make_clause(engine, PL_CLAUSE, nullptr);
    PlCell* x = pl_clause_variable(engine, clause, engine->atom.var_X);
    PlCell* head = pl_make_term(engine, item);
    --item->uses;  // the item's own default clause is no use of it: it goes when the last use goes
    head->fn.args->items[0] = x;
    PlCell* status = pl_make_term(engine, pl_predefined(engine, PLP_status_2));
    status->fn.args->items[0] = pl_make_atom(engine, item->name);
    status->fn.args->items[1] = x;
    PlCell* body = pl_make_term(engine, pl_predefined(engine, PLP_comma_2));
    body->fn.args->items[0] = pl_make_atom_term(engine, pl_predefined(engine, PLP_cut_0));
    body->fn.args->items[1] = status;
    clause->clause.term = rule(engine, head, body);
    pl_clause_facts_update(engine, clause);
    clause->clause.flags = PLR_FACT;
    pl_program_link_clause(engine, clause, item, PL_DEFAULTS);
    item->marks |= PLM_DEFAULT_CLAUSE;
}

void run_directive(PieEngine* engine, PlCell* clause) {
    PlCell* goal = pl_arg(clause->clause.term, 0);
    pl_walk_top_down(goal, [&](PlCell*& cell) {
        if (cell->type == PL_FUNCTOR && !(cell->fn.functor->flags & PLF_SYSTEM)) --cell->fn.functor->uses;
        return true;
    });
    if (!engine->run_directive) return;
    clause->type = PL_QUERY_CLAUSE;
    engine->run_directive(engine, clause);
}

void load_clause(PieEngine* engine, PlCell* clause, int32_t line) {
    PlCell* term = clause->clause.term;
    const bool has_neck = is(engine, term, PLP_neck_2);
    PlCell*& head = has_neck ? term->fn.args->items[0] : clause->clause.term;
    if (head->type != PL_FUNCTOR) pl_fatal_error(engine, PL_ERR_NOT_FUNCTOR, "pl_parse");
    preprocessor(engine, clause);
    PlFunctor* functor = head->fn.functor;
    if (functor->name == engine->atom.dollars) {
        PlFunctor* own = replace_nopropagate_functor(engine, functor);
        --functor->uses;
        ++own->uses;
        head->fn.functor = functor = own;
    }
    pl_store_clause(engine, clause, line, true);
}

// What follows reading a clause that is not a directive, from text or from its record; the lexer
// stood at next_line when the clause was read, and stands there again afterwards. A record
// tells whether the clause holds a "::" term at all; text is looked through.
void store_read_clause(PieEngine* engine, PlCell* clause, int32_t line, int32_t next_line, bool aliases) {
    engine->line = next_line;
    // The head, or its first argument, may be one of them.
    if (aliases && rewrite_aliases(engine, clause->clause.term)) pl_clause_facts_update(engine, clause);
    engine->line = line;  // errors of this clause name its own line
    load_clause(engine, clause, line);
    engine->line = next_line;
}

// A system rule as read: its head's functor becomes a system functor.
void store_system_clause(PieEngine* engine, PlCell* clause, int32_t /*line*/, int32_t /*next_line*/, bool /*aliases*/) {
    PlCell* term = clause->clause.term;
    PlCell* head = is(engine, term, PLP_neck_2) ? pl_arg(term, 0) : term;
    PlFunctor* functor = head->fn.functor;
    functor->flags |= PLF_SYSTEM;
    if (!pl_cell_is_shared(engine, head)) head->line = 0;
    pl_program_link_clause(engine, clause, functor, PL_WRITTEN);
    pl_program_add_functor(engine, functor);
}

void register_builtin(PieEngine* engine, PlFunctor* functor) {
    functor->flags |= PLF_SYSTEM;
    PlCell* clause = pl_make_clause(engine, PL_SYSTEM_CLAUSE, pl_make_term(engine, functor));
    pl_program_link_clause(engine, clause, functor, PL_WRITTEN);
    pl_program_add_functor(engine, functor);
}

}  // namespace

void pl_store_clause(PieEngine* engine, PlCell* clause, int32_t line, bool collect_dependents) {
    PlProgram* program = engine->program;
    PlCell* term = clause->clause.term;
    const bool has_neck = is(engine, term, PLP_neck_2);
    PlCell* head = has_neck ? pl_arg(term, 0) : term;
    PlFunctor* functor = head->fn.functor;
    PlCell* body = has_neck ? pl_arg(term, 1) : nullptr;
    const bool suppressed = body == engine->cell.fail;
    const bool constant = functor->flags & PLF_CONSTANT;
    if (!constant) system_predicate_check(engine, term);
    program->user_clauses = 1;
    if (!pl_cell_is_shared(engine, head)) head->line = static_cast<uint32_t>(line);
    if (constant) return;
    pl_program_add_functor(engine, functor);
    if (suppressed) return;
    // One walk finds the items the body reads for both steps below: neither step changes the
    // body or what the walk looks at.
    PlWorkStack<PlFunctor*> reads;
    if (body) for_each_read(engine, body, [&](PlFunctor* read) { reads.push_back(read); });
    if (collect_dependents)
        for (PlFunctor* read : reads)
            if (read->dependents) pl_functor_set_add(engine, read->dependents, functor);
    pl_program_link_clause(engine, clause, functor, PL_WRITTEN);
    const bool host_fact = functor->arity == 1 && (functor->flags & PLF_HOST_FACT) && !functor->owner &&
                           !(functor->flags & PLF_REPLACEMENT);
    if (host_fact) register_complement(engine, functor, pl_arg(head, 0), line);
    for (PlFunctor* read : reads) {
        add_default_clause(engine, read);
        if (read->owner) add_default_clause(engine, read->owner);
    }
}

void pl_parse(PieEngine* engine, const char* text) {
    const size_t length = std::strlen(text);
    if (std::shared_ptr<const PlReadText> record = pl_read_text_find(engine, text, length, PL_CLAUSE)) {
        engine->text_position = text + length;
        pl_read_text_replay(engine, *record, store_read_clause);
        return;
    }
    PlTextRecording recording(engine, text, length, PL_CLAUSE);
    PlToken token;
    pl_lex_start(engine, text, &token);
    recording.first_token_read();
    for (;;) {
        const int32_t line = engine->line;
        PlCell* clause = pl_read_clause(engine, &token, PL_CLAUSE);
        if (!clause) return recording.finish(engine->line);
        const int32_t next_line = engine->line;
        if (is(engine, clause->clause.term, PLP_query_1)) {
            recording.abandon();
            if (rewrite_aliases(engine, clause->clause.term)) pl_clause_facts_update(engine, clause);
            engine->line = line;
            run_directive(engine, clause);
            engine->line = next_line;
        } else {
            recording.clause_read(clause, line, next_line);
            store_read_clause(engine, clause, line, next_line, true);
        }
        recording.resume();
    }
}

void pl_parse_system(PieEngine* engine) {
    for (int i = 0; i < kPlPredefinedFunctorCount; ++i)
        if (kPlPredefinedRows[i].kind == PLP_BUILTIN) register_builtin(engine, pl_predefined(engine, i));
    // Every engine reads the same rules: all but the first build them from the record.
    const size_t length = std::strlen(kPlSystemRules);
    if (std::shared_ptr<const PlReadText> record = pl_read_text_find(engine, kPlSystemRules, length, PL_SYSTEM_CLAUSE)) {
        engine->text_position = kPlSystemRules + length;
        pl_read_text_replay(engine, *record, store_system_clause);
        return;
    }
    PlTextRecording recording(engine, kPlSystemRules, length, PL_SYSTEM_CLAUSE);
    PlToken token;
    pl_lex_start(engine, kPlSystemRules, &token);
    recording.first_token_read();
    for (;;) {
        const int32_t line = engine->line;
        PlCell* clause = pl_read_clause(engine, &token, PL_SYSTEM_CLAUSE);
        if (!clause) return recording.finish(engine->line);
        recording.clause_read(clause, line, engine->line);
        store_system_clause(engine, clause, line, engine->line, false);
        recording.resume();
    }
}
