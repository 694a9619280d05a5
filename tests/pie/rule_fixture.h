// An engine that reads rule text (predefined functors, abbreviations, operators), with helpers
// that show tokens and terms as short texts a table can compare against.
#pragma once

#include "engine_fixture.h"
#include "pie/build/compiler.h"
#include "pie/build/program.h"
#include "pie/terms/clause_facts.h"
#include "pie/terms/list.h"
#include "pie/text/lexer.h"

#include <string>

struct RuleTest : EngineTest {
    RuleTest() { pl_compiler_create(e); }

    // Every token up to the end: "21:a 24 23:5" (names and variables with their text).
    std::string tokens(const char* text) {
        std::string out;
        PlToken t;
        for (pl_lex_start(e, text, &t); t.kind != PLT_END; pllex(e, &t)) {
            if (!out.empty()) out += ' ';
            out += std::to_string(t.kind);
            if (t.kind == PLT_NAME || t.kind == PLT_VARIABLE) out += std::string(":") + t.atom->name;
            if (t.kind == PLT_INTEGER) out += ":" + std::to_string(t.value);
        }
        return out;
    }

    // Canonical form: every compound as name(args), lists as [a,b|T].
    static std::string show(const PlCell* c) {
        switch (c->type) {
        case PL_VAR: return c->var.name->name;
        case PL_ANONYMOUS: return "_";
        case PL_INT: return std::to_string(c->value);
        case PL_NIL: return "[]";
        case PL_LIST: {
            std::string s = "[" + show(c->list.head);
            for (c = c->list.tail; c->type == PL_LIST; c = c->list.tail) s += "," + show(c->list.head);
            if (c->type != PL_NIL) s += "|" + show(c);
            return s + "]";
        }
        case PL_FUNCTOR: {
            std::string s = c->fn.functor->name->name;
            for (uint32_t i = 0; i < c->fn.functor->arity; ++i) s += (i ? "," : "(") + show(pl_arg(c, i));
            return c->fn.functor->arity ? s + ")" : s;
        }
        default: return "<" + std::to_string(c->type) + ">";
        }
    }

    // The first clause of text, read and compiled (nullptr after an engine error).
    PlCell* clause(const char* text) {
        PlCell* result = nullptr;
        errorOf([&] {
            PlToken t;
            pl_lex_start(e, text, &t);
            result = pl_read_clause(e, &t, PL_CLAUSE);
        });
        return result;
    }
    std::string term(const char* text) {
        PlCell* c = clause(text);
        return c ? show(c->clause.term) : "error " + std::to_string(pl_last_error(e).code);
    }
    // The program's clause records whose kept facts are not those their term gives now ("; "-
    // separated): every pass that makes a record or rewrites its term must leave none.
    std::string staleFacts() {
        std::string out;
        for (PlList* list : e->program->clauses)
            pl_list_each(list, [&](void* item) {
                auto* c = static_cast<PlCell*>(item);
                const PlClauseFacts kept = pl_clause_facts(c), now = pl_clause_facts_of(e, c->clause.term);
                if (kept.bits != now.bits || kept.key != now.key) out += show(c->clause.term) + "; ";
            });
        return out;
    }
    // 0 when every clause of text reads, else the engine error's code.
    int readError(const char* text) {
        return errorOf([&] {
            PlToken t;
            pl_lex_start(e, text, &t);
            while (pl_read_clause(e, &t, PL_CLAUSE)) {
            }
        });
    }
};
