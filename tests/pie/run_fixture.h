// An engine with the built-ins and a recording host, loaded from rule text: every clause goes to
// its predicate's first list. Queries run whole (outcome only) or as a single call whose
// bindings are shown.
#pragma once

#include "rule_fixture.h"

#include "drvtest/pie_fake_host.h"
#include "pie/builtins/builtins.h"
#include "pie/run/frame.h"
#include "pie/run/interpreter.h"
#include "pie/terms/list.h"
#include "pie/build/loader.h"
#include "pie/build/post_load.h"
#include "pie/build/program.h"

#include <string>

struct RunTest : RuleTest {
    drvtest::PieFakeHost host;

    RunTest() {
        pl_program_create(e);
        pl_builtins_install(e);
        pl_parse_system(e);
        host.install(e);
        // Outside propagation mode every clause list of a predicate is tried.
        e->flags &= ~PLE_PROPAGATION;
    }

    PlAtom* t(const char* name) { return pie_intern_string(e, name); }

    // Loads text as a load of a rule program does: the clause loop, then the pass over its clauses.
    void load(const char* text) {
        PlListNode* before = e->program->clauses[PL_WRITTEN]->prev;
        ASSERT_EQ(errorOf([&] {
                      pl_parse(e, text);
                      pl_post_load(e, before);
                  }),
                  0);
    }

    // An item functor name/1 known to the host under id.
    drvtest::PieFakeItem& item(const char* name, int32_t id) {
        PlFunctor* f = pl_lookup_functor(e, pie_intern_string(e, name), 1, nullptr);
        f->host_item = id;
        return host.items[id];
    }

    // The outcome of a whole query, or -(error code).
    int query(const char* text) {
        PlCell* c = clause(text);
        if (!c) return -pl_last_error(e).code;
        int outcome = pl_guarded(e, -1, [&] { return pl_execute_main(e, c); });
        return outcome < 0 ? -pl_last_error(e).code : outcome;
    }

    // Calls goal (text without the full stop) in a frame of its own with an answer table, then
    // undoes what it bound: report(clause, frame, answers, outcome) reads the result before. The
    // report's text, or the engine error.
    template <class Report>
    std::string call_goal(const char* goal, Report report) {
        const std::string text = std::string(goal) + ".";
        PlCell* c = clause(text.c_str());
        if (!c) return "error " + std::to_string(pl_last_error(e).code);
        std::string out;
        const PlFrameMark mark = pl_frame_mark(e);
        const size_t trail = pl_trail_mark(e);
        const int r = pl_guarded(e, -1, [&] {
            PlFrame* frame = pl_frame_alloc(e, c->clause.var_count, nullptr, nullptr);
            PlList* answers = pl_list_new(e);
            const int outcome = pl_call(e, c->clause.term, frame, answers);
            out = report(c, frame, answers, outcome);
            pl_list_free(e, answers);
            return 0;
        });
        e->run.trail.resize(trail);
        pl_frame_unwind(e, mark);
        return r < 0 ? "error " + std::to_string(pl_last_error(e).code) : out;
    }

    // "outcome" then " name=value" for each variable given, read right after the call.
    std::string solve(const char* goal, std::initializer_list<const char*> names = {}) {
        return call_goal(goal, [&](PlCell* c, PlFrame* frame, PlList*, int outcome) {
            std::string out = std::to_string(outcome);
            for (const char* name : names) {
                PlCell* var = find(c->clause.term, pie_intern_string(e, name));
                out += std::string(" ") + name + "=";
                out += var ? show(pl_resolve_term(e, var, frame, frame).term) : "?";
            }
            return out;
        });
    }

    static PlCell* find(PlCell* term, PlAtom* name) {
        switch (term->type) {
        case PL_VAR: return term->var.name == name ? term : nullptr;
        case PL_LIST: {
            PlCell* v = find(term->list.head, name);
            return v ? v : find(term->list.tail, name);
        }
        case PL_FUNCTOR:
            for (uint32_t i = 0; term->fn.args && i < term->fn.args->count; ++i)
                if (PlCell* v = find(pl_arg(term, i), name)) return v;
            return nullptr;
        default: return nullptr;
        }
    }
};
