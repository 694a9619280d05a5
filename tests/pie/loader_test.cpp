// Loading rule programs: the built-ins and system rules, the clause loop with its checks,
// complements, default clauses and dependents, the rewriting of item goals, folding, and the
// post-load pass.
#include "rule_fixture.h"

#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/build/compiler.h"
#include "pie/build/loader.h"
#include "pie/build/post_load.h"
#include "pie/build/preprocessor.h"
#include "pie/build/program.h"
#include "pie/terms/functor_set.h"

#include <string>

namespace {

struct LoaderTest : RuleTest {
    LoaderTest() {
        pl_program_create(e);
        pl_parse_system(e);
    }
    // Loads text as a load of a rule program does: the clause loop, then the pass over its clauses.
    // Every load leaves each record's facts in step with its term.
    int load(const char* text) {
        PlListNode* before = e->program->clauses[PL_WRITTEN]->prev;
        const int error = errorOf([&] {
            pl_parse(e, text);
            if (!(e->flags & PLE_SKIP_POST_LOAD)) {
                pl_post_load(e, before);
                if (e->constants_defined) pl_substitute_constants(e);
            }
        });
        EXPECT_EQ(staleFacts(), "") << text;
        return error;
    }
    PlFunctor* functor(const char* name, uint32_t arity) {
        return pl_lookup_functor(e, pie_intern_string(e, name), arity, nullptr);
    }
    // The terms of one clause list of a functor, "; "-separated.
    std::string clauses(PlFunctor* f, int list = PL_WRITTEN) {
        std::string out;
        pl_list_each(f->clauses[list], [&](void* item) {
            out += (out.empty() ? "" : "; ") + show(static_cast<PlCell*>(item)->clause.term);
        });
        return out;
    }
    std::string lastBody(const char* name, uint32_t arity = 1) {
        auto* clause = static_cast<PlCell*>(functor(name, arity)->clauses[PL_WRITTEN]->prev->item);
        return show(pl_arg(clause->clause.term, 1));
    }
};

TEST_F(LoaderTest, BuiltinsAndSystemRulesAreRegistered) {
    for (int i = 0; i < kPlPredefinedFunctorCount; ++i) {
        if (kPlPredefinedRows[i].kind != PLP_BUILTIN) continue;
        PlFunctor* f = pl_predefined(e, i);
        EXPECT_TRUE(f->flags & PLF_SYSTEM) << f->name->name;
        ASSERT_FALSE(pl_list_empty(f->clauses[PL_WRITTEN])) << f->name->name;
        EXPECT_EQ(static_cast<PlCell*>(f->clauses[PL_WRITTEN]->next->item)->type, PL_SYSTEM_CLAUSE);
    }
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_WRITTEN]), 94u + 28u);
    EXPECT_EQ(pl_list_count(pl_predefined(e, PLP_is_2)->clauses[PL_WRITTEN]), 14u);
    EXPECT_EQ(clauses(pl_predefined(e, PLP_bar_2)), ":-(|(_X,_),_X); :-(|(_,_Y),_Y)");
    EXPECT_TRUE(pl_predefined(e, PLP_caret_1)->flags & PLF_SYSTEM);
    EXPECT_FALSE(pl_predefined(e, PLP_dollars_1)->flags & PLF_SYSTEM);
    EXPECT_EQ(load("sum(1, 2, 3).\n"), PL_ERR_REDEFINE_SYSTEM);
    EXPECT_EQ(load("_X :- true."), PL_ERR_NOT_FUNCTOR);
}

TEST_F(LoaderTest, ClauseLoopStoresChecksAndSuppresses) {
    const size_t loaded = pl_list_count(e->program->clauses[PL_WRITTEN]);
    EXPECT_EQ(load("# nothing but comments\n% and blanks\n"), 0);
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_WRITTEN]), loaded);
    EXPECT_EQ(load("p(a) :- fail.\n?- true.\n"), 0);
    EXPECT_TRUE(pl_list_empty(functor("p", 1)->clauses[PL_WRITTEN]));
    EXPECT_TRUE(pl_hash_lookup(e->program->functors, functor("p", 1)));
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_WRITTEN]), loaded);
    EXPECT_EQ(load("p(b).\nq(c) :- p(b).\nr(d)"), PL_ERR_MISSING_DOT);
    EXPECT_EQ(pl_last_error(e).line, 3);
    EXPECT_EQ(clauses(functor("q", 1)), ":-(q(c),p(b))");  // loaded before the error
    EXPECT_EQ(static_cast<PlCell*>(functor("q", 1)->clauses[PL_WRITTEN]->next->item)->clause.term->fn.args->items[0]->line, 2u);
}

int directives_run = 0;
int count_directive(PieEngine*, PlCell* query) {
    directives_run += query->type == PL_QUERY_CLAUSE;
    return 1;
}

TEST_F(LoaderTest, DirectivesRunAtOnceAndStoreNothing) {
    e->run_directive = count_directive;
    const size_t loaded = pl_list_count(e->program->clauses[PL_WRITTEN]);
    EXPECT_EQ(load("?- true.\n?- p(a), q(b).\n"), 0);
    EXPECT_EQ(directives_run, 2);
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_WRITTEN]), loaded);
    EXPECT_EQ(functor("p", 1)->uses, 0);  // a directive's goals are no uses
}

TEST_F(LoaderTest, HostFactsGetTheirComplement) {
    ASSERT_EQ(load("$F(ON) :- true.\n$G(OFF).\n$H(3) :- true."), 0);
    PlFunctor* f = functor("$F", 1);
    EXPECT_EQ(f->flags & (PLF_ON_WRITTEN | PLF_OFF_WRITTEN), PLF_ON_WRITTEN);
    EXPECT_EQ(clauses(f, PL_COMPLEMENTS), ":-($F(OFF),true)");
    EXPECT_EQ(clauses(functor("$G", 1), PL_COMPLEMENTS), ":-($G(ON),true)");
    EXPECT_EQ(functor("$H", 1)->flags & 0xC, 0xCu);
    EXPECT_EQ(clauses(functor("$H", 1), PL_COMPLEMENTS), "");
    ASSERT_EQ(load("$F(ON) :- true.\n"), 0);  // the same side again keeps it
    EXPECT_EQ(clauses(f, PL_COMPLEMENTS), ":-($F(OFF),true)");
    ASSERT_EQ(load("$F(3) :- true.\n"), 0);
    EXPECT_EQ(f->flags & 0xC, 0xCu);
    EXPECT_EQ(clauses(f, PL_COMPLEMENTS), "");
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_COMPLEMENTS]), 1u);  // $G's stays
}

TEST_F(LoaderTest, BodiesGiveDefaultClausesAndDependents) {
    ASSERT_EQ(load("p(a) :- q(b), not r(c) | (s(d) ; t(e, f)), sum(1, 2, _X)."), 0);
    PlFunctor* p = functor("p", 1);
    for (const char* name : {"q", "r", "s"}) {
        PlFunctor* read = functor(name, 1);
        EXPECT_EQ(clauses(read, PL_DEFAULTS), std::string(":-(") + name + "(_X),,(!,status(" + name + ",_X)))");
        EXPECT_TRUE(read->marks & PLM_DEFAULT_CLAUSE);
        EXPECT_TRUE(pl_functor_set_holds(read->dependents, p)) << name;
    }
    EXPECT_EQ(clauses(functor("t", 2), PL_DEFAULTS), "");
    EXPECT_EQ(clauses(pl_predefined(e, PLP_sum_3), PL_DEFAULTS), "");
    ASSERT_EQ(load("p(b) :- q(c)."), 0);
    EXPECT_EQ(pl_list_count(functor("q", 1)->clauses[PL_DEFAULTS]), 1u);  // made once
    // Its facts tell a default clause for its read; a rule written in that shape is one too, and
    // none that differs from it anywhere.
    const auto told = [](PlList* list) {
        const PlClauseFacts facts = pl_clause_facts(static_cast<PlCell*>(list->prev->item));
        return (facts.bits & (PLC_RULE | PLC_FIRST_TYPE)) == PLC_RULE && facts.key == kPlStatusReadKey;
    };
    EXPECT_TRUE(told(functor("q", 1)->clauses[PL_DEFAULTS]));
    for (const auto& [text, expected] : std::initializer_list<std::pair<const char*, bool>>{
             {"w(_X) :- !, status(q, _X).", true},     {"w(_X) :- !, status(q, _Y).", false},
             {"w(_X) :- status(q, _X), !.", false},    {"w(_X) :- !, status(q(1), _X).", false},
             {"w(_X) :- !, status(_Y, _X).", false},   {"w(a) :- !, status(q, _X).", false},
             {"w(_X) :- !, sstatus(q, _X).", false},   {"w(_X) :- true, status(q, _X).", false},
             {"w(_X) :- (!; status(q, _X)).", false}}) {
        ASSERT_EQ(load(text), 0) << text;
        EXPECT_EQ(told(functor("w", 1)->clauses[PL_WRITTEN]), expected) << lastBody("w");
    }
}

TEST_F(LoaderTest, NoPropagateHeadsAreNumberedInLoadOrder) {
    ASSERT_EQ(load("$$(_) :- q(a).\n$$(_) :- q(b)."), 0);
    for (const char* name : {"$$@0", "$$@1"}) {
        PlFunctor* f = functor(name, 1);
        EXPECT_TRUE(f->flags & PLF_REPLACEMENT);
        EXPECT_EQ(pl_list_count(f->clauses[PL_WRITTEN]), 1u) << name;
        EXPECT_EQ(clauses(f, PL_COMPLEMENTS), "");
    }
    EXPECT_EQ(load("$$(a, b) :- q(a)."), PL_ERR_NOPROPAGATE_ARITY);
}

TEST_F(LoaderTest, ItemGoalsBecomeBuiltinsOnTheHeadsItem) {
    ASSERT_EQ(load("Item$A(_) :- disable, enable, show, hide, readonly, writable, unsupported.\n"
                   "Item$B(_) :- ?r(1), ?sr(_X), ?rr(Item$A), enable(Item$B, 1, ON), sreason(Item$B, 1, 3)."),
              0);
    EXPECT_EQ(lastBody("Item$A"),
              ",(enable(Item$A,1,OFF),,(enable(Item$A,1,ON),,(show(Item$A,1,ON),,(show(Item$A,1,OFF),"
              ",(readonly(Item$A,1,ON),,(readonly(Item$A,1,OFF),unsupported(Item$A,1,ON)))))))");
    EXPECT_EQ(lastBody("Item$B"),
              ",(reason(Item$B,1,1),,(sreason(Item$B,1,_X),,(rreason(Item$B,Item$A),,(enable(Item$B,1,ON),"
              "sreason(Item$B,1,3)))))");
}

TEST_F(LoaderTest, ConstantArithmeticFoldsAtLoad) {
    ASSERT_EQ(load("p(_Z) :- _Z is 2+3*4, _Y is ~(5) - -3 mod 2, 7 / -2 =:= -3, -2147483647 - 2 < 0, "
                   "_W is -2147483647 - 1, _V is (_W / -1) mod -1, 1 << 2 > 0."),
              0);
    EXPECT_EQ(lastBody("p"), ",(is(_Z,14),,(is(_Y,-5),,(true,,(fail,,(is(_W,-2147483648),,(is(_V,mod(/(_W,-1),-1)),"
                             ">(<<(1,2),0)))))))");
    ASSERT_EQ(load("q(_X) :- _X is (-2147483647 - 1) / -1 + (-2147483647 - 1) mod -1."), 0);
    EXPECT_EQ(lastBody("q"), "is(_X,-2147483648)");
}

TEST_F(LoaderTest, RuleErrorsCarryTheirCodesAndLines) {
    struct Case { const char* text; int code; const char* message; };
    for (auto c : {
             Case{"p(1) :- _X is 4/0.", 281, "Division by zero.\n"},
             Case{"p(1) :- _X is 4 mod 0.", 281, "Division by zero.\n"},
             Case{"p(1) :- sreason(f(a)).", 273, "sreason/1 have either integer or atom.\n"},
             Case{"p(1) :- reason([a]).", 273, "reason/1 have either integer or atom.\n"},
             Case{"p(a) :- constant.", 274, "constant/0 is only use local status variable.\n"},
             Case{"$C(f(x)) :- constant.", 275, "constant/0's header don't have atom or integer.\n"},
             Case{"$C(7) :- constant.\n$C(8) :- true.", 277, "Constant redefine '$C/1'.\n"},
             Case{"p(a) :- enable(q, 1, ON).", 278, "Different target 'enable/3'.\n"},
             Case{"p(a, b) :- rreason(p, x).", 278, "Different target 'rreason/2'.\n"},
             Case{"p(a) :- wait(x).", 272, "wait/1 must have a list paramater.\n"},
             Case{"p(a) :- wait([f(x)]).", 271, "wait/1 have not atom element.\n"},
             Case{"i(a) :: g(b) :- disable.", 276, "Property cannot use 'disable/0'.\n"},
             Case{"i(a) :: g(b) :- reason(1).", 276, "Property cannot use 'reason/1'.\n"},
             Case{"$K(1) :- constant, 1 < 2.", 282, "Too complex constant rule.\n"},
         }) {
        EXPECT_EQ(load(c.text), c.code) << c.text;
        EXPECT_STREQ(pl_last_error(e).text, c.message) << c.text;
    }
    load("p(x).\n\np(1) :-\n  _X is 4/0.");
    EXPECT_EQ(pl_last_error(e).line, 3);
}

TEST_F(LoaderTest, ConstantHeadsAndWaitLists) {
    ASSERT_EQ(load("$C(7) :- constant.\np(a) :- wait([q, r, q])."), 0);
    PlFunctor* c = functor("$C", 1);
    EXPECT_TRUE(c->flags & PLF_CONSTANT);
    EXPECT_EQ(c->constant->value, 7);
    EXPECT_TRUE(pl_list_empty(c->clauses[PL_WRITTEN]));
    PlFunctor* p = functor("p", 1);
    ASSERT_TRUE(p->waits);
    ASSERT_EQ(pl_list_count(p->waits), 2u);
    EXPECT_EQ(p->waits->next->item, functor("q", 1));
    EXPECT_EQ(p->waits->prev->item, functor("r", 1));
    EXPECT_EQ(lastBody("p"), "true");
}

TEST_F(LoaderTest, PlatformGoalsFoldAndBodiesSimplify) {
    e->win98 = 1;
    e->sdk_answer = 1;
    ASSERT_EQ(load("a(1) :- winNT, q(x).\n"
                   "b(1) :- (win9X | win2k), not win95, q(x).\n"
                   "c(1) :- (q(x) | win98), (winNT | q(y)), SDK, not Folionix.\n"
                   "d(1) :- select_enable(i, [x, y]), select_show(j, _), q(z)."),
              0);
    EXPECT_EQ(lastBody("a"), "fail");
    EXPECT_EQ(lastBody("b"), "q(x)");
    EXPECT_EQ(lastBody("c"), ",(|(q(x),true),q(y))");  // q(x) | true keeps q(x)
    // Every element off, then the listed ones on: as rules of the choices.
    EXPECT_EQ(lastBody("d"), "q(z)");
    EXPECT_EQ(clauses(functor("i@y", 1)), ":-(i@y(_),,(i(_),,(,(enable(i@y,1,OFF),enable(i@y,1,ON)),q(z))))");
    e->flags |= PLE_SKIP_POST_LOAD;
    ASSERT_EQ(load("e(1) :- winNT, q(x)."), 0);
    EXPECT_EQ(lastBody("e"), ",(winNT,q(x))");
}

TEST_F(LoaderTest, AliasesBecomePropertiesOfTheirItem) {
    ASSERT_EQ(load("p(a) :- Item$A(k) :: Color(red)."), 0);
    PlFunctor* owner = functor("Item$A", 1);
    PlFunctor* color = pl_lookup_functor(e, pie_intern_string(e, "Color"), 1, owner);
    auto* clause = static_cast<PlCell*>(functor("p", 1)->clauses[PL_WRITTEN]->next->item);
    PlCell* goal = pl_arg(clause->clause.term, 1);
    EXPECT_EQ(goal->fn.functor, color);
    EXPECT_EQ(show(goal->fn.args->items[0]), "red");
    EXPECT_EQ(show(goal->fn.args->items[1]), "k");
    EXPECT_TRUE(owner->marks & PLM_DEFAULT_CLAUSE);  // the alias gets its default clause too
    // A head, or its first argument, may be one too (load checks the records' facts).
    ASSERT_EQ(load("Item$A(k) :: Color(red) :- true.\nq(Item$A(j) :: Color(blue))."), 0);
    EXPECT_EQ(clauses(color), ":-(Color(red),true)");
}

TEST_F(LoaderTest, DefinedConstantsAreSubstituted) {
    PlFunctor* c = functor("Const$A", 1);
    c->flags |= PLF_CONSTANT;
    c->constant = e->cell.ON;
    e->constants_defined = 1;
    ASSERT_EQ(load("p(a) :- Const$A(_X), Const$A(ON), Const$A(OFF)."), 0);
    EXPECT_EQ(lastBody("p"), ",(=(_X,ON),,(true,fail))");
}

TEST_F(LoaderTest, ElementControlsBecomePerChoiceRules) {
    ASSERT_EQ(load("$$(_) :- { unsupported_element(Finishing$Punch, [A, B]) }.\n"
                   "Paper$Tray(T1) :- q(x), disable_element(Paper$Size, [A4]), sreason_element(Paper$Size, A4, 12)."),
              0);
    for (const char* element : {"A", "B"}) {
        const std::string name = std::string("Finishing$Punch@") + element;
        PlFunctor* choice = functor(name.c_str(), 1);
        EXPECT_EQ(clauses(choice), ":-(" + name + "(_),,(Finishing$Punch(_),unsupported(" + name + ",1,ON)))");
        EXPECT_EQ(clauses(choice, PL_COMPLEMENTS), ":-(" + name + "(_),true)");
    }
    EXPECT_TRUE(pl_list_empty(functor("$$@0", 1)->clauses[PL_WRITTEN]));  // nothing left of it
    EXPECT_EQ(clauses(functor("Paper$Size@A4", 1)),
              ":-(Paper$Size@A4(_),,(Paper$Size(_),,(q(x),,(enable(Paper$Size@A4,1,OFF),sreason(Paper$Size@A4,1,12)))))");
    EXPECT_EQ(lastBody("Paper$Tray"), "q(x)");
    struct Case { const char* text; int code; };
    for (auto c : {Case{"p(1) :- disable_element(f(x), [A]).", 280}, Case{"p(1) :- disable_element(i, a).", 280},
                   Case{"p(1) :- disable_element(i, [f(a)]).", 279}, Case{"p(1) :- reason_element(i, [a], 1).", 280}})
        EXPECT_EQ(load(c.text), c.code) << c.text;
}

TEST_F(LoaderTest, RemovedClausesReworkComplementsAndDefaults) {
    ASSERT_EQ(load("$F(ON) :- true.\n$F(3) :- true.\np(a) :- q(b)."), 0);
    PlFunctor* f = functor("$F", 1);
    auto* odd = static_cast<PlCell*>(f->clauses[PL_WRITTEN]->prev->item);
    pl_list_remove_item(e, f->clauses[PL_WRITTEN], odd);
    pl_list_remove_item(e, e->program->clauses[PL_WRITTEN], odd);
    pl_program_clause_removed(e, odd);
    EXPECT_EQ(clauses(f, PL_COMPLEMENTS), ":-($F(OFF),true)");
    EXPECT_EQ(f->flags & 0xC, static_cast<uint32_t>(PLF_ON_WRITTEN));
    PlFunctor* p = functor("p", 1);
    auto* rule = static_cast<PlCell*>(p->clauses[PL_WRITTEN]->next->item);
    pl_list_remove_item(e, p->clauses[PL_WRITTEN], rule);
    pl_list_remove_item(e, e->program->clauses[PL_WRITTEN], rule);
    pl_program_clause_removed(e, rule);
    EXPECT_EQ(clauses(functor("q", 1), PL_DEFAULTS), "");
    EXPECT_FALSE(functor("q", 1)->marks & PLM_DEFAULT_CLAUSE);
    pl_program_renumber(e);
    auto* first = static_cast<PlCell*>(e->program->clauses[PL_WRITTEN]->next->next->item);
    EXPECT_EQ(pl_clause_head(e, first->clause.term)->line, 2u);
    EXPECT_EQ(e->program->changed, 0);
}

}  // namespace
