// The program optimiser: the forms it rewrites bodies into, that a shared goal runs once per call
// and a member set answers as the list test did, and above all that a program answers the same
// queries with the same host writes whether option 0x2000 runs the optimiser or not.
#include "image_writer.h"
#include "rule_programs.h"

#include "pie/api/api.h"
#include "pie/api/guard.h"
#include "pie/run/interpreter.h"
#include "pie/text/lexer.h"
#include "pie/terms/list.h"
#include "pie/text/output.h"
#include "pie/build/program.h"
#include "pie/terms/clause_facts.h"

#include <drvtest/pie_fake_host.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kOptimise = 0x2000;
constexpr uint32_t kPropagation = 0x2;  // the query option the host always sets
constexpr uint32_t kWin9x = 0x400;

// Bodies as short texts: "{{a,b}}" an and-group, "[[a,b]]" a member set, "#g(ON)" a once cell.
std::string shape(const PlCell* c) {
    auto items = [](const PlCell* list) {
        std::string s;
        for (; list->type == PL_LIST; list = list->list.tail) s += (s.empty() ? "" : ",") + shape(list->list.head);
        return s;
    };
    switch (c->type) {
    case PL_VAR: return c->var.name->name;
    case PL_ANONYMOUS: return "_";
    case PL_INT: return std::to_string(c->value);
    case PL_NIL: return "[]";
    case PL_LIST: return "[" + items(c) + "]";
    case PL_AND_GROUP: return "{{" + items(c->items) + "}}";
    case PL_MEMBER: return "[[" + items(c->items) + "]]";
    case PL_ONCE: return "#" + shape(c->once.goal);
    case PL_FUNCTOR: {
        std::string s = c->fn.functor->name->name;
        for (uint32_t i = 0; i < c->fn.functor->arity; ++i) s += (i ? "," : "(") + shape(pl_arg(c, i));
        return c->fn.functor->arity ? s + ")" : s;
    }
    default: return "<" + std::to_string(c->type) + ">";
    }
}

// One engine as the host makes it, with a recording host whose items are a (1) to h (8).
struct Engine {
    PieEngine* e = nullptr;
    drvtest::PieFakeHost host;

    explicit Engine(uint32_t options) {
        EXPECT_EQ(PIE_init(&e, nullptr, options), 0);
        host.install(e);
        int32_t id = 1;
        for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) {
            host.items[id].type = 2;
            host.items[id].value = "ON";
            EXPECT_EQ(PIE_register_functor(e, name, id++), 0);
        }
    }
    ~Engine() { PIE_term(e); }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The outcome of one query through the interpreter's entry, or -(error code).
    int query(const std::string& goal) {
        const std::string text = goal + ".";
        const int outcome = pl_guarded(e, -1, [&] {
            PlToken token;
            pl_lex_start(e, text.c_str(), &token);
            return pl_execute_main(e, pl_read_clause(e, &token, PL_CLAUSE));
        });
        return outcome < 0 ? -pl_last_error(e).code : outcome;
    }
    // The host calls that change something, in order; the log is cleared.
    std::string writes() {
        std::string out;
        for (const std::string& call : host.log)
            for (const char* verb : {"Set", "ClearMark", "Make", "VListSet", "Show", "Hide", "Enable", "Disable"})
                if (call.rfind(verb, 0) == 0) out += (out.empty() ? "" : "; ") + call;
        host.log.clear();
        return out;
    }
    int reads(int32_t id) {
        const std::string call = "GetValueName " + std::to_string(id);
        const auto n = std::count(host.log.begin(), host.log.end(), call);
        host.log.clear();
        return static_cast<int>(n);
    }
    PlFunctor* functor(const char* name, uint32_t arity) {
        return pl_lookup_functor(e, pie_intern_string(e, name), arity, nullptr);
    }
    // The bodies of name's rules, "|" between clauses.
    std::string bodies(const char* name, uint32_t arity) {
        std::string out;
        for (PlList* list : functor(name, arity)->clauses)
            if (list)
                pl_list_each(list, [&](void* item) {
                    const PlCell* term = static_cast<PlCell*>(item)->clause.term;
                    out += (out.empty() ? "" : " | ") + shape(pl_arg(term, 1));
                });
        return out;
    }
};

TEST(Optimiser, RewritesBodies) {
    const struct {
        const char* text;
        const char* bodies;  // of p/0 or p/1
    } cases[] = {
        {"p :- x, y, z.", "{{x,y,z}}"},
        {"p :- x.", "x"},
        {"p :- (x, y ; z).", ";(,(x,y),z)"},  // only a conjunction at the top becomes a group
        {"p :- (x, y), (z, w).", "{{x,y,z,w}}"},
        // Member sets: X used by the item goal and the member test only.
        {"p(_Y) :- g(_X), member(_X, [A4, B5]).", "g([[A4,B5]])"},
        {"p :- x, g(_X), member(_X, [A4, 3]), y.", "{{x,g([[A4,3]]),y}}"},
        {"p(_X) :- g(_X), member(_X, [A4]).", "{{g(_X),member(_X,[A4])}}"},
        {"p :- g(_X), member(_X, [A4, _Y]).", "{{g(_X),member(_X,[A4,_Y])}}"},
        {"p :- g(_X), not(member(_X, [A4])).", "{{g(_X),not(member(_X,[A4]))}}"},
        {"p :- (g(_X), member(_X, [A4]) ; h(ON)).", ";(g([[A4]]),h(ON))"},
        {"g(A4). g(_). p :- g(_X), member(_X, [A4]).", "g([[A4]])"},
        {"g(A4) :- h(ON). p :- g(_X), member(_X, [A4]).", "{{g(_X),member(_X,[A4])}}"},
        {"g(_Y) :- h(_Y). p :- g(_X), member(_X, [A4]).", "{{g(_X),member(_X,[A4])}}"},
        // Common goals: two ground goals shared, wherever they stand in the bodies.
        {"p :- g(ON), x. p :- g(ON), h(1). p :- h(1).", "{{#g(ON),x}} | {{#g(ON),#h(1)}} | #h(1)"},
        {"p :- not(g(ON)), h(2). p :- (g(ON) ; h(2)).", "{{not(#g(ON)),#h(2)}} | ;(#g(ON),#h(2))"},
        // Only one shared goal, or goals with variables, or system goals: nothing is shared.
        {"p :- g(ON), x. p :- g(ON), y.", "{{g(ON),x}} | {{g(ON),y}}"},
        {"p(_V) :- g(_V), integer(1). p(_V) :- g(_V), integer(1).", "{{g(_V),integer(1)}} | {{g(_V),integer(1)}}"},
    };
    for (const auto& c : cases) {
        Engine on(kWin9x | kOptimise);
        ASSERT_EQ(PIE_main(on.e, c.text), 0) << c.text;
        std::string got = on.bodies("p", 0);
        if (got.empty()) got = on.bodies("p", 1);
        EXPECT_EQ(got, c.bodies) << c.text;
    }
}

TEST(Optimiser, SharedGoalsAreOneOnceCellResetPerCall) {
    Engine on(kWin9x | kOptimise);
    ASSERT_EQ(PIE_main(on.e, "p :- g(ON), h(ON), fail.\np :- g(ON), h(ON).\n"), 0);
    PlFunctor* p = on.functor("p", 0);
    ASSERT_NE(p->once_cells, nullptr);
    EXPECT_EQ(pl_list_count(p->once_cells), 2u);
    on.host.log.clear();
    EXPECT_EQ(on.query("p"), PL_SUCCESS);
    EXPECT_EQ(on.reads(7), 1);  // g read once for both clauses
    EXPECT_EQ(on.query("p"), PL_SUCCESS);
    EXPECT_EQ(on.reads(7), 1);  // and again in the next call
    on.host.items[7].value = "OFF";
    EXPECT_EQ(on.query("p"), PL_FAIL);

    Engine off(kWin9x);
    ASSERT_EQ(PIE_main(off.e, "p :- g(ON), h(ON), fail.\np :- g(ON), h(ON).\n"), 0);
    off.host.log.clear();
    EXPECT_EQ(off.query("p"), PL_SUCCESS);
    EXPECT_EQ(off.reads(7), 2);
}

// A conjunction inside a disjunction stays a chain of ","; a shared goal there is a once cell met
// as the chain's left goal, which runs as a conjunction runs it.
TEST(Optimiser, OnceCellLeftInAChainRunsItsGoal) {
    Engine on(kWin9x | kOptimise);
    ASSERT_EQ(PIE_main(on.e, "p :- (g(ON), h(ON) ; x(ON)).\np :- g(ON), h(ON).\n"), 0);
    ASSERT_EQ(on.bodies("p", 0), ";(,(#g(ON),#h(ON)),x(ON)) | {{#g(ON),#h(ON)}}");
    on.host.log.clear();
    EXPECT_EQ(on.query("p"), PL_SUCCESS);
    EXPECT_EQ(on.reads(7), 1);
    on.host.items[8].value = "OFF";
    EXPECT_EQ(on.query("p"), PL_FAIL);
}

// A guard's rule grouped by the optimiser no longer opens with a conjunction: its record must not
// send its tries to the opening test, which reads the body as one.
TEST(Optimiser, GroupedGuardAnswersAsItsConjunction) {
    const char* program = "t(_X, _Y, _Z) :- _X <= _Y, !, _Z = _X.\nt(_X, _Y, _Z) :- _Z = _Y.\n";
    Engine on(kWin9x | kOptimise), off(kWin9x);
    for (Engine* engine : {&on, &off}) ASSERT_EQ(PIE_main(engine->e, program), 0);
    ASSERT_EQ(on.bodies("t", 3), "{{<=(_X,_Y),!,=(_Z,_X)}} | =(_Z,_Y)");
    const auto* guard = static_cast<const PlCell*>(on.functor("t", 3)->clauses[PL_WRITTEN]->next->item);
    EXPECT_FALSE(pl_clause_facts(guard).bits & PLC_OPENING_TEST);
    for (const char* goal : {"t(1, 2, 1)", "t(1, 2, 2)", "t(3, 2, 2)", "t(3, 2, 3)", "t(2, 2, _Z)"})
        EXPECT_EQ(on.query(goal), off.query(goal)) << goal;
}

TEST(Optimiser, MemberSetAnswersAsTheListTest) {
    for (const char* value : {"A4", "B5", "LETTER"}) {
        Engine on(kWin9x | kOptimise), off(kWin9x);
        for (Engine* engine : {&on, &off}) {
            engine->host.items[7].value = value;
            ASSERT_EQ(PIE_main(engine->e, "p :- g(_X), member(_X, [A4, B5]).\n"), 0);
        }
        EXPECT_EQ(on.bodies("p", 0), "g([[A4,B5]])");
        EXPECT_EQ(on.query("p"), off.query("p")) << value;
        EXPECT_EQ(on.query("p"), std::string(value) == "LETTER" ? PL_FAIL : PL_SUCCESS) << value;
    }
}

TEST(Optimiser, FailingGoalEndsTheGroup) {
    Engine on(kWin9x | kOptimise);
    on.host.items[2].value = "OFF";
    ASSERT_EQ(PIE_main(on.e, "p :- a(ON), b(ON), c(ON).\n"), 0);
    EXPECT_EQ(on.bodies("p", 0), "{{a(ON),b(ON),c(ON)}}");
    on.host.log.clear();
    EXPECT_EQ(on.query("p"), PL_FAIL);
    std::string reads;
    for (const std::string& call : on.host.log)
        if (call.rfind("GetValueName", 0) == 0) reads += call.substr(13);
    EXPECT_EQ(reads, "12");  // a once, b, and never c
}

// A group inside a group (an image may nest them) answers as the nested conjunction.
TEST(Optimiser, NestedGroupRunsAsItsConjunction) {
    for (const char* value : {"ON", "OFF"}) {
        Engine on(kWin9x | kOptimise), off(kWin9x);
        for (Engine* engine : {&on, &off}) {
            engine->host.items[2].value = value;
            ASSERT_EQ(PIE_main(engine->e, "p :- a(ON), b(ON), c(ON).\n"), 0);
        }
        PlCell* body = pl_arg(static_cast<PlCell*>(on.functor("p", 0)->clauses[0]->next->item)->clause.term, 1);
        ASSERT_EQ(body->type, PL_AND_GROUP);
        PlCell* a = body->items;
        PlCell* c = a->list.tail->list.tail;
        a->list.tail->list.tail = on.e->cell.nil;
        body->items = pl_make_list(on.e, pl_make_and_group(on.e, a), c);
        EXPECT_EQ(on.bodies("p", 0), "{{{{a(ON),b(ON)}},c(ON)}}");
        EXPECT_EQ(on.query("p"), off.query("p")) << value;
    }
}

// Runs the program on a plain and an optimised engine through the same item changes, queries
// and checks. The host either keeps a value it is handed again (-3) or takes it as a change (0),
// after which the engine propagates from that item too.
void expect_same(const std::string& text, const std::vector<std::string>& queries) {
    const std::pair<int32_t, const char*> changes[] = {{3, "OFF"}, {0, nullptr}, {1, "OFF"}, {2, "OFF"}, {3, "ON"},
                                                       {7, "X1"},  {7, "OFF"},   {8, "OFF"}, {1, "ON"}};
    for (auto [mode, changed] : {std::pair{kWin9x, -3}, {kWin9x | kPropagation, -3}, {kWin9x | kPropagation, 0}}) {
        Engine on(mode | kOptimise), off(mode);
        for (Engine* engine : {&on, &off}) {
            for (auto& item : engine->host.items) item.second.changed_answer = changed;
            ASSERT_EQ(PIE_main(engine->e, text.c_str()), 0) << text;
        }
        const std::string where = text + "mode " + std::to_string(mode) + " " + std::to_string(changed) + ": ";
        for (auto [id, value] : changes) {
            for (Engine* engine : {&on, &off})
                if (id) engine->host.items[id].value = value;
            for (const std::string& query : queries) {
                EXPECT_EQ(on.query(query), off.query(query)) << where << query;
                EXPECT_EQ(on.writes(), off.writes()) << where << query;
            }
            if (!id) continue;
            EXPECT_EQ(PIE_check_conflict(on.e, id), PIE_check_conflict(off.e, id)) << where;
            EXPECT_EQ(on.writes(), off.writes()) << where << "change of " << id;
        }
        for (int32_t id = 1; id <= 8; ++id) EXPECT_EQ(on.host.items[id].value, off.host.items[id].value) << where;
    }
}

// Programs of the kinds the host writes, each with queries and item changes; both engines must
// answer every query alike and leave the same writes with the host.
TEST(Optimiser, AnswersAndWritesEqualThePlainProgram) {
    for (const pieprograms::Program& program : pieprograms::HandWritten()) expect_same(program.text, program.queries);
}

TEST(Optimiser, GeneratedProgramsAnswerAsThePlainOnes) {
    for (const pieprograms::Program& program : pieprograms::Generated()) expect_same(program.text, program.queries);
}

// Only option 0x2000 rewrites, for text and images alike; a later load leaves earlier clauses.
TEST(Optimiser, RunsAfterEachLoadUnderItsOption) {
    Engine off(kWin9x);
    ASSERT_EQ(PIE_main(off.e, "p :- a(ON), b(ON).\n"), 0);
    EXPECT_EQ(off.bodies("p", 0), ",(a(ON),b(ON))");

    Engine on(kWin9x | kOptimise);
    ASSERT_EQ(PIE_main(on.e, "p :- a(ON), x. p :- a(ON), b(ON).\n"), 0);
    ASSERT_EQ(PIE_main(on.e, "p :- a(ON), b(ON), y.\n"), 0);
    EXPECT_EQ(on.bodies("p", 0), "{{a(ON),x}} | {{a(ON),b(ON)}} | {{a(ON),b(ON),y}}");
    EXPECT_EQ(on.functor("p", 0)->once_cells, nullptr);

    ImageWriter writer;
    ASSERT_TRUE(writer.text("q :- a(ON), b(ON), c(ON).\n"));
    const std::vector<uint8_t> image = writer.image();
    ASSERT_EQ(PIE_main_image(on.e, image.data(), image.size()), 0);
    EXPECT_EQ(on.bodies("q", 0), "{{a(ON),b(ON),c(ON)}}");
}

// A member set stands for the test only while its item answers by facts and its status; a later
// load that gives the item a rule has the test spelled out again.
TEST(Optimiser, LaterRuleOfTheItemSpellsTheMemberTestOut) {
    Engine on(kWin9x | kOptimise), off(kWin9x);
    for (Engine* engine : {&on, &off}) {
        engine->host.items[1].value = "OFF";
        ASSERT_EQ(PIE_main(engine->e, "p :- b(_V), member(_V, [OFF]), c(ON).\np :- b(_V), member(_V, [X1]).\n"), 0);
    }
    EXPECT_EQ(on.bodies("p", 0), "{{b([[OFF]]),c(ON)}} | b([[X1]])");
    for (Engine* engine : {&on, &off}) ASSERT_EQ(PIE_main(engine->e, "b(_X) :- a(_A), _X = _A.\n"), 0);
    EXPECT_EQ(on.bodies("p", 0), "{{b(_M1),member(_M1,[OFF]),c(ON)}} | ,(b(_M1),member(_M1,[X1]))");
    for (const char* value : {"OFF", "X1", "ON"}) {
        for (Engine* engine : {&on, &off}) engine->host.items[1].value = value;
        EXPECT_EQ(on.query("p"), off.query("p")) << value;
    }
    EXPECT_EQ(on.query("p"), PL_FAIL);
}

// The listing after a load shows the rewritten forms.
TEST(Optimiser, ListingShowsTheRewrittenForms) {
    struct Collector {
        std::string text;
        static int collect(void* host, const char* text) { return static_cast<Collector*>(host)->text += text, 0; }
    } out;
    PieEngine* e = nullptr;
    ASSERT_EQ(PIE_init(&e, &out, kWin9x | kOptimise | 0x8), 0);
    e->host_slots[kPlOutputSlot] = reinterpret_cast<PlHostSlot>(&Collector::collect);
    ASSERT_EQ(PIE_main(e, "p :- g(_X), member(_X, [A4, B5]), h(ON), x.\np :- g(ON), h(ON).\np :- g(ON).\n"), 0);
    PIE_term(e);
    EXPECT_NE(out.text.find("{{"), std::string::npos) << out.text;
    EXPECT_NE(out.text.find("[[A4, B5]]"), std::string::npos) << out.text;
    EXPECT_NE(out.text.find("#("), std::string::npos) << out.text;
}

}  // namespace
