// Conflict propagation (see propagation.h). Candidates are ordered as they are inserted, so that
// an item that another candidate reads stands before it; the choice of the next candidate then
// waits for prerequisites in up to four passes, the last of which breaks a cycle. The marks a
// run leaves on functors (queued, movable, settled, ...) are per query: an engine error clears
// them all at the API boundary, and the counters raised here are lowered however a run ends.
#include "pie/run/propagation.h"

#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/hash.h"
#include "pie/host/host_values.h"
#include "pie/run/interpreter.h"
#include "pie/terms/list.h"
#include "pie/text/output.h"
#include "pie/text/printer.h"
#include "pie/build/program.h"
#include "pie/terms/functor_set.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <vector>

namespace {

using Items = std::vector<PlFunctor*>;

bool tracing(const PieEngine* engine) { return engine->flags & PLE_TRACE; }

bool reads(const PlFunctor* reader, const PlFunctor* item) {
    // The dependents set of item holds the functors whose rules read it.
    return item->dependents && pl_functor_set_holds(item->dependents, reader);
}

// Marks the queued readers of item; true when there is one. Every reader's marks are written,
// with the bit or without it: whether a reader is queued follows no pattern a branch could learn.
bool mark_queued_readers(const PlFunctor* item) {
    if (!item->dependents) return false;
    uint32_t any = 0;
    for (uint32_t i = 0; i < item->dependents->count; ++i) {
        PlFunctor* reader = item->dependents->items[i];
        const uint32_t bit = (reader->flags & PLF_QUEUED) ? uint32_t{PLM_QUEUED_READER} : 0;
        reader->marks |= bit;
        any |= bit;
    }
    return any != 0;
}

void unmark_queued_readers(const PlFunctor* item) {
    for (uint32_t i = 0; i < item->dependents->count; ++i)
        item->dependents->items[i]->marks &= ~uint32_t{PLM_QUEUED_READER};
}

bool has_first_list(const PlFunctor* f) { return f->clauses[PL_WRITTEN] && !pl_list_empty(f->clauses[PL_WRITTEN]); }

// Raises the functor's use counter for the life of the object.
class Use {
public:
    explicit Use(PlFunctor* f) : f_(f) { ++f_->uses; }
    ~Use() { --f_->uses; }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

private:
    PlFunctor* f_;
};

// "\tname/arity[v1, v2]\n", with "owner(_)::" before a property's name.
void trace_values(PieEngine* engine, const PlFunctor* f, bool with_owner) {
    pl_print(engine, "%s", "\t");
    if (with_owner && f->owner) pl_print(engine, "%s(_)::", f->owner->name->name);
    pl_print(engine, "%s/%d[", f->name->name, static_cast<int>(f->arity));
    for (uint32_t i = 0; f->values && i < f->values->count; ++i) {
        if (i) pl_print(engine, "%s", ", ");
        if (f->values->items[i]) plout_tree(engine, f->values->items[i], 0);
    }
    pl_print(engine, "%s", "]\n");
    pl_flush(engine);
}

// The query Item(_X): the item is the goal itself, so that a successful check propagates.
PlCell* make_query(PieEngine* engine) {
    PlCell* query = pl_make_clause(engine, PL_QUERY_CLAUSE, nullptr);
    PlCell* goal = pl_make_term(engine, pl_lookup_functor(engine, pie_intern_string(engine, "$item"), 1, nullptr));
    goal->fn.args->items[0] = pl_clause_variable(engine, query, engine->atom.var_X);
    query->clause.term = goal;
    pl_clause_facts_update(engine, query);
    return query;
}

// Runs a prepared query for item; the query's former item is put back afterwards, so a check
// started from a host callback inside another leaves the outer one intact.
int run_query(PieEngine* engine, PlCell* query, PlFunctor* item, int (*execute)(PieEngine*, PlCell*)) {
    PlCell* goal = query->clause.term;
    PlFunctor* before = goal->fn.functor;
    goal->fn.functor = item;
    struct Restore {
        PlCell* goal;
        PlFunctor* functor;
        ~Restore() { goal->fn.functor = functor; }
    } restore{goal, before};
    Use use(item);
    return execute(engine, query);
}

// The counts of changes rules can read, the host's and the engine's, when an evaluation starts.
struct Changes {
    explicit Changes(const PieEngine* engine)
        : host(engine->host_changes ? *engine->host_changes : 0), own(engine->readable_changes) {}
    // Whether nothing changed since; always false for a host that counts none.
    bool none_since(const PieEngine* engine) const {
        return engine->host_changes && *engine->host_changes == host && engine->readable_changes == own;
    }
    uint32_t host;
    uint32_t own;
};

// The lists of a run. A run takes them from the runs before it on its thread, emptied, so that
// once they have grown to its size it allocates nothing; a run started inside another (a check a
// host callback asks for) takes a set of its own.
struct Lists {
    Items candidates, waiting, done, entered, sources, without;
};

// The functors done and answered in a run are told by marks on them (PLM_RUN_DONE,
// PLM_RUN_ANSWERED), which the lists done and entered hold for their clearing: a pick of a page
// size evaluates about a hundred candidates and asked sorted lists five times for each. The marks
// are the innermost run's: a run inside another takes the outer one's marks away while it runs
// and gives them back when it ends, however it ends.
void set_marks(const Lists& lists, bool on) {
    if (on) {
        for (PlFunctor* f : lists.done) f->marks |= PLM_RUN_DONE;
        for (PlFunctor* f : lists.entered) f->marks |= PLM_RUN_ANSWERED;
        return;
    }
    for (PlFunctor* f : lists.done) f->marks &= ~uint32_t{PLM_RUN_DONE};
    for (PlFunctor* f : lists.entered) f->marks &= ~uint32_t{PLM_RUN_ANSWERED};
}

class ListsInUse {
public:
    ListsInUse() {
        if (depth_ == kept_.size()) kept_.push_back(std::make_unique<Lists>());
        if (depth_ > 0) set_marks(*kept_[depth_ - 1], false);
        lists_ = kept_[depth_++].get();
        Lists& l = *lists_;
        for (Items* items : {&l.candidates, &l.waiting, &l.done, &l.entered, &l.sources, &l.without}) items->clear();
    }
    ~ListsInUse() {
        set_marks(*lists_, false);
        if (--depth_ > 0) set_marks(*kept_[depth_ - 1], true);
    }
    ListsInUse(const ListsInUse&) = delete;
    ListsInUse& operator=(const ListsInUse&) = delete;
    Lists& operator*() const { return *lists_; }

private:
    static thread_local std::vector<std::unique_ptr<Lists>> kept_;
    static thread_local size_t depth_;
    Lists* lists_;
};

thread_local std::vector<std::unique_ptr<Lists>> ListsInUse::kept_;
thread_local size_t ListsInUse::depth_ = 0;

struct Run {
    PieEngine* engine;
    PlList* answers;
    // The queued candidates are candidates[head] on (head below): the one chosen is most often
    // the first, which is then passed by instead of moving every other one up.
    Items& candidates;
    Items& waiting;
    Items& done;  // the functors marked PLM_RUN_DONE
    // The members of the answer table, marked PLM_RUN_ANSWERED: the table is a list that grows
    // to a couple of hundred items when a page size is picked, and each candidate asks it twice.
    // The table only grows while the run lasts: indexed_tail is its last node when the marks
    // last took it in, and the nodes after it, which the query's steps appended, are taken in
    // before the next question.
    Items& entered;
    const PlListNode* indexed_tail = nullptr;
    size_t head = 0;

    Items::iterator first_candidate() { return candidates.begin() + static_cast<std::ptrdiff_t>(head); }
    bool has_candidates() const { return head < candidates.size(); }
    // Takes candidates[head] out of the queue.
    PlFunctor* take_first() {
        PlFunctor* first = candidates[head++];
        if (head == candidates.size()) {
            candidates.clear();
            head = 0;
        }
        return first;
    }

    static bool is_done(const PlFunctor* f) { return f->marks & PLM_RUN_DONE; }
    void mark_done(PlFunctor* f) {
        if (is_done(f)) return;
        f->marks |= PLM_RUN_DONE;
        done.push_back(f);
    }

    void take_in(PlFunctor* f) {
        if (f->marks & PLM_RUN_ANSWERED) return;
        f->marks |= PLM_RUN_ANSWERED;
        entered.push_back(f);
    }
    void index_answers() {
        if (indexed_tail == answers->prev) return;
        for (const PlListNode* node = indexed_tail ? indexed_tail->next : answers->next; node != answers;
             node = node->next)
            take_in(static_cast<PlFunctor*>(node->item));
        indexed_tail = answers->prev;
    }
    bool answered(PlFunctor* f) {
        index_answers();
        return f->marks & PLM_RUN_ANSWERED;
    }
    // pl_table_enter through the marks.
    void enter_answer(PlFunctor* f) {
        index_answers();
        if (f->marks & PLM_RUN_ANSWERED) return;
        take_in(f);
        pl_list_append(engine, answers, f);
        indexed_tail = answers->prev;
    }

    void insert(PlFunctor* d, PlFunctor* origin) {
        if ((d->flags & (PLF_QUEUED | PLF_SETTLED)) || d->arity != 1) return;
        d->origin = origin;
        // d goes before the first queued candidate that reads it: d's queued readers are marked
        // for the search, which then asks no dependents set; without one, nothing is searched.
        // d is queued after the marking: an item whose rules read it would otherwise be its own
        // queued reader, which no search finds among the candidates (debug builds hold it to that).
        assert(std::find(first_candidate(), candidates.end(), d) == candidates.end());
        if (!(d->flags & PLF_REPLACEMENT) && mark_queued_readers(d)) {
            d->flags |= PLF_QUEUED;
            insert_before_reader(d);
            return;
        }
        d->flags |= PLF_QUEUED | PLF_MOVABLE;
        candidates.push_back(d);
    }

    // Out of line: most candidates have no queued reader and go last.
    [[gnu::noinline]] void insert_before_reader(PlFunctor* d) {
        const auto e = std::find_if(first_candidate(), candidates.end(),
                                    [](const PlFunctor* x) { return x->marks & PLM_QUEUED_READER; });
        unmark_queued_readers(d);
        if (e == candidates.end()) {
            d->flags |= PLF_MOVABLE;
            candidates.push_back(d);
            return;
        }
        (*e)->flags &= ~PLF_MOVABLE;
        size_t at = static_cast<size_t>(e - candidates.begin());
        candidates.insert(candidates.begin() + static_cast<std::ptrdiff_t>(at), d);
        // Items after the reader that d itself reads move in front of d.
        bool moved = false;
        for (size_t i = at + 2; i < candidates.size();) {
            PlFunctor* x = candidates[i];
            if ((x->flags & PLF_MOVABLE) && reads(d, x)) {
                candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(i));
                candidates.insert(candidates.begin() + static_cast<std::ptrdiff_t>(at), x);
                ++at;
                moved = true;
            } else {
                ++i;
            }
        }
        if (!moved) d->flags |= PLF_MOVABLE;
    }

    // Whether a prerequisite of x is unmet; the first one found answers.
    static bool prerequisites(const PlFunctor* x, uint32_t unmet_if_set, uint32_t unmet_if_clear) {
        if (!x->waits) return false;
        for (const PlListNode* node = x->waits->next; node != x->waits; node = node->next) {
            const auto* p = static_cast<const PlFunctor*>(node->item);
            if ((p->flags & unmet_if_set) == unmet_if_set && !(p->flags & unmet_if_clear)) return true;
        }
        return false;
    }

    // The place of the candidate the passes choose and the pass that chose it; pass 3 chose none,
    // which takes the first after an error line. Changes nothing. Out of line: most fetches take
    // the first candidate without it.
    [[gnu::noinline]] std::pair<size_t, int> choice() const {
        const auto held_begin = candidates.begin() + static_cast<std::ptrdiff_t>(head);
        for (int pass = 0; pass < 3; ++pass) {
            for (size_t i = head; i < candidates.size(); ++i) {
                const PlFunctor* x = candidates[i];
                const auto held_end = candidates.begin() + static_cast<std::ptrdiff_t>(i);
                bool aside = false;
                if (pass == 0)
                    aside = std::any_of(held_begin, held_end, [&](const PlFunctor* h) { return reads(h, x); }) ||
                            prerequisites(x, 0, PLF_SETTLED);
                else if (pass == 1)
                    aside = prerequisites(x, 0, PLF_SETTLED);
                else
                    aside = prerequisites(x, PLF_QUEUED, PLF_SETTLED);
                if (!aside) return {i, pass};
            }
        }
        return {head, 3};
    }

    // Every candidate before the one chosen was put aside, so the held ones are the front of
    // the list: the choice rotates them behind the rest in place instead of copying the list.
    PlFunctor* fetch() {
        // The first candidate has no candidate before it to read and, without prerequisites,
        // none to wait for: the first pass takes it, as most choices do. Debug builds hold the
        // passes to it.
        if (!candidates[head]->waits) {
            assert(choice() == std::make_pair(head, 0));
            return take_first();
        }
        const auto [at, pass] = choice();
        if (pass == 3) {
            pl_print(engine, "%s", "<<ERROR: fetch_candidate/waiting list illegal status.>>\n");
            pl_flush(engine);
        }
        if (at == head) return take_first();
        PlFunctor* x = candidates[at];
        std::rotate(first_candidate(), candidates.begin() + static_cast<std::ptrdiff_t>(at) + 1, candidates.end());
        candidates.pop_back();
        return x;
    }

    void schedule(PlFunctor* from, bool to_waiting) {
        if (!from->dependents) return;
        // Inserting a candidate changes flags and the candidate list, never a dependents set.
        pl_functor_set_each(from->dependents, [&](PlFunctor* d) {
            if (to_waiting)
                waiting.push_back(d);
            else
                insert(d, from);
        });
    }

    void evaluate(PlFunctor* t, bool follow) {
        const bool eligible = t->arity == 1 && !t->owner && !(t->flags & PLF_SETTLED) && !answered(t);
        if (eligible) {
            if (tracing(engine) && t->origin) {
                pl_print(engine, "<< propagate from %s/%d>>\n", t->origin->name->name, static_cast<int>(t->origin->arity));
                pl_flush(engine);
            }
            t->flags |= PLF_ALL_LISTS | PLF_IN_PROPAGATION;
            const Changes before(engine);
            bool kept = false;
            if (run_query(engine, engine->propagation_query, t, pl_execute_main_unbound) == PL_SUCCESS &&
                pie_commit_item_value(engine, t, &kept)) {
                if (tracing(engine)) trace_values(engine, t, false);
                if ((t->flags & PLF_HAS_CONTROL) && (t->flags & PLF_DONE)) t->marks |= PLM_DISPLAY_PENDING;
                // The rules are functions of what they read: an item whose evaluation kept its
                // value and changed nothing else leaves its readers' answers as they were.
                const bool quiet = kept && before.none_since(engine);
                if (follow && !quiet) schedule(t, !has_first_list(t) || (t->flags & PLF_REPLACEMENT));
            }
        }
        t->flags |= PLF_SETTLED;
        t->origin = nullptr;
        enter_answer(t);
        t->flags &= ~(PLF_ALL_LISTS | PLF_IN_PROPAGATION | PLF_QUEUED | PLF_MOVABLE);
    }
};

// Clears the reflected origin however the run ends.
struct ReflectedScope {
    PieEngine* engine;
    ~ReflectedScope() { engine->run.reflected = nullptr; }
};

int conflict(PieEngine* engine, PlFunctor* item, bool check) {
    if (tracing(engine)) {
        pl_print(engine, check ? "<< check conflict %s/%d >>\n" : "<< Initial conflict %s/%d >>\n", item->name->name,
                 static_cast<int>(item->arity));
        pl_flush(engine);
    }
    const uint32_t mark = check ? PLF_FORCE_PROPAGATE : PLF_INITIAL_RUNNING;
    item->flags |= mark | PLF_ALL_LISTS;
    if (item->values && item->values->count) item->values->items[0] = nullptr;
    const int outcome = run_query(engine, engine->conflict_query, item, pl_execute_main);
    item->flags &= ~mark;
    if (!check) item->flags |= PLF_DONE;
    return outcome == PL_SUCCESS ? 0 : 1;
}

// Most items of a sheet have no clause at all (no rule, no default, no complement): their
// initial conflict is a query whose only goal fails at once, and that query leaves nothing but
// its flags behind. Such an item is settled by those flags alone, unless the query would do more
// than fail: print a trace, renumber a changed program, or end the values of a query run before.
bool settles_without_query(const PieEngine* engine, const PlFunctor* item) {
    if (item->builtin || (engine->flags & PLE_TRACE) || engine->run.program_changed || engine->run.terms.current)
        return false;
    for (const PlList* list : item->clauses)
        if (list && !pl_list_empty(list)) return false;
    return true;
}

// What conflict() leaves on such an item: the query's goal is marked for propagation and
// unmarked again (a system functor is not), the item's value is forgotten and it is done.
void settle_without_query(const PieEngine* engine, PlFunctor* item) {
    item->flags |= PLF_ALL_LISTS;
    if (item->values && item->values->count) item->values->items[0] = nullptr;
    if ((engine->flags & PLE_PROPAGATION) && !(item->flags & PLF_SYSTEM))
        item->flags &= ~(PLF_ALL_LISTS | PLF_IN_PROPAGATION);
    item->flags = (item->flags & ~uint32_t{PLF_INITIAL_RUNNING}) | PLF_DONE;
}

}  // namespace

void pl_propagation_create(PieEngine* engine) {
    engine->conflict_query = make_query(engine);
    engine->propagation_query = make_query(engine);
    pl_set_propagation(engine, pl_propagate);
}

int pl_initial_conflict(PieEngine* engine, PlFunctor* item) {
    if (!item || (item->flags & PLF_DONE)) return 1;
    if (settles_without_query(engine, item)) {
        settle_without_query(engine, item);
        return 1;
    }
    return conflict(engine, item, false);
}

int pl_check_conflict(PieEngine* engine, PlFunctor* item) {
    if (!item) return 2;
    return conflict(engine, item, true);
}

void pl_propagate(PieEngine* engine, PlList* answers, PlFunctor* /*goal*/) {
    const ListsInUse in_use;
    Lists& lists = *in_use;
    Run run{engine, answers, lists.candidates, lists.waiting, lists.done, lists.entered, nullptr};
    ReflectedScope reflected{engine};
    // The answers in their order, each once, are what the run's answer marks take in first.
    run.index_answers();
    const size_t answered = lists.entered.size();
    Items& sources = lists.sources;
    for (size_t i = 0; i < answered; ++i) {
        PlFunctor* f = lists.entered[i];
        const bool changed = pie_commit_item_value(engine, f);
        if (changed && tracing(engine)) trace_values(engine, f, true);
        if (changed || (f->flags & PLF_FORCE_PROPAGATE)) sources.push_back(f);
    }
    PlFunctor* forced = nullptr;
    for (PlFunctor* s : sources)
        if (s->flags & PLF_FORCE_PROPAGATE) {
            forced = s;
            break;
        }
    // Each source's readers with a first list of their own go in before the others; inserting
    // changes neither a dependents set nor what is asked of its members here.
    Items& without = lists.without;
    for (PlFunctor* s : sources) {
        if (!s->dependents) continue;
        PlFunctor* origin = forced ? forced : s;
        without.clear();
        pl_functor_set_each(s->dependents, [&](PlFunctor* f) {
            if (has_first_list(f) && !(f->flags & PLF_REPLACEMENT)) run.insert(f, origin);
            else without.push_back(f);
        });
        for (PlFunctor* f : without) run.insert(f, origin);
    }
    while (run.has_candidates()) {
        if (tracing(engine)) {
            pl_print(engine, "%s", "<< [ ");
            for (size_t i = run.head; i < run.candidates.size(); ++i)
                pl_print(engine, "%s ", run.candidates[i]->name->name);
            pl_print(engine, "%s", "] >>\n");
            pl_flush(engine);
        }
        PlFunctor* next = run.fetch();
        if (!next) continue;
        if (run.is_done(next)) {
            next->flags &= ~(PLF_QUEUED | PLF_MOVABLE);
            continue;
        }
        engine->run.reflected = next->origin;
        run.evaluate(next, true);
        run.mark_done(next);
    }
    for (size_t i = 0; i < run.waiting.size(); ++i) {
        PlFunctor* next = run.waiting[i];
        if (run.is_done(next)) continue;
        engine->run.reflected = next->origin;
        run.evaluate(next, false);
        run.mark_done(next);
    }
}
