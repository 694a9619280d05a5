// Conflict propagation through the API with a recording host: dependents run after what they
// read and once per check, the host sees the writes in that order, and an engine error in the
// middle of a run leaves no mark that would spoil the next check.
#include "pie/api/api.h"
#include "pie/host/host_slots.h"
#include "pie/terms/atoms.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"

#include <drvtest/pie_fake_host.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct PropagationTest : ::testing::Test {
    PieEngine* e = nullptr;
    drvtest::PieFakeHost host;

    PropagationTest() {
        EXPECT_EQ(PIE_init(&e, nullptr, 0x402), 0);
        host.install(e);
    }
    ~PropagationTest() override { PIE_term(e); }

    void items(std::initializer_list<std::pair<const char*, int32_t>> list) {
        for (auto [name, id] : list) {
            host.items[id].number = 0;
            ASSERT_EQ(PIE_register_functor(e, name, id), 0);
        }
    }
    // The host's SetNumber calls as "id=value" in order, and the log cleared.
    std::string writes() {
        std::string all = host.take(), out;
        std::istringstream in(all);
        for (std::string call; std::getline(in, call, ';');) {
            std::istringstream words(call);
            std::string name, value, id;
            words >> name >> value >> id;
            if (name == "SetNumber") out += (out.empty() ? "" : " ") + id + "=" + value;
        }
        return out;
    }
};

// a -> b -> c, and d reads both a and c: d must run after c, once.
constexpr const char* kChain =
    "d(_X) :- c(_C), a(_A), sum(_A, _C, _X).\n"
    "b(_X) :- a(_A), sum(_A, 1, _X).\n"
    "c(_X) :- b(_B), sum(_B, 10, _X).\n";

TEST_F(PropagationTest, DependentsRunAfterWhatTheyReadAndOnce) {
    items({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    ASSERT_EQ(PIE_main(e, kChain), 0);
    host.items[1].number = 5;
    host.take();
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    EXPECT_EQ(writes(), "2=6 3=16 4=21");
    EXPECT_EQ(host.items[4].number, 21);
    // Nothing changed since: the same check writes nothing but reruns the dependents.
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    EXPECT_EQ(writes(), "");
    EXPECT_EQ(PIE_check_conflict(e, 99), 2);
    EXPECT_EQ(PIE_initial_conflict(e, 99), 1);
}

TEST_F(PropagationTest, InitialConflictSeedsEachItemOnce) {
    items({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    ASSERT_EQ(PIE_main(e, kChain), 0);
    host.items[1].number = 2;
    EXPECT_EQ(PIE_begin_update(e), 0);
    EXPECT_EQ(PIE_initial_conflict(e, 2), 0);
    EXPECT_EQ(PIE_initial_conflict(e, 2), 1);  // already seeded in this update
    EXPECT_EQ(PIE_end_update(e), 0);
    EXPECT_EQ(host.items[2].number, 3);
    EXPECT_EQ(PIE_begin_update(e), 0);
    EXPECT_EQ(PIE_initial_conflict(e, 2), 0);  // a new update seeds again
    EXPECT_EQ(PIE_end_update(e), 0);
}

// An item no clause names is settled by its initial conflict without a query: it is done for the
// rest of the update as the query would have left it, so a rule's write to it is refused.
TEST_F(PropagationTest, AnItemWithoutClausesIsDoneAfterItsInitialConflict) {
    struct Case { bool seedFirst; int answer; const char* writes; };
    for (auto c : {Case{true, 1, ""}, Case{false, 0, "5=7 2=2"}}) {
        PieEngine* fresh = nullptr;
        ASSERT_EQ(PIE_init(&fresh, nullptr, 0x402), 0);
        std::swap(e, fresh);
        PIE_term(fresh);
        host.install(e);
        items({{"b", 2}, {"w", 5}});
        ASSERT_EQ(PIE_main(e, "b(_X) :- sstatus(w, 7), sum(1, 1, _X).\n"), 0);
        host.take();
        EXPECT_EQ(PIE_begin_update(e), 0);
        if (c.seedFirst) {
            EXPECT_EQ(PIE_initial_conflict(e, 5), 1);
        }
        EXPECT_EQ(PIE_initial_conflict(e, 2), c.answer) << c.seedFirst;
        EXPECT_EQ(PIE_end_update(e), 0);
        EXPECT_EQ(writes(), c.writes) << c.seedFirst;
    }
}

TEST_F(PropagationTest, AnErrorMidRunLeavesNoMarks) {
    items({{"a", 1}, {"b", 2}, {"c", 3}});
    // c's rule calls a number when a is 0: an engine error while c is evaluated.
    ASSERT_EQ(PIE_main(e, "b(_X) :- a(_A), sum(_A, 1, _X).\n"
                          "c(_X) :- b(_B), a(_A), eq(_A, 0), apply(_A).\n"
                          "c(_X) :- b(_B), a(_A), sum(_B, _A, _X).\n"),
              0);
    host.items[1].number = 0;
    host.take();
    EXPECT_EQ(PIE_check_conflict(e, 1), -1);
    host.items[1].number = 4;
    host.take();
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    EXPECT_EQ(writes(), "2=5 3=9");
}

// b waits for c, which it does not read: queued before c as a's reader, it still runs after c.
TEST_F(PropagationTest, AnItemWaitsForTheItemsItNames) {
    items({{"a", 1}, {"b", 2}, {"c", 3}});
    ASSERT_EQ(PIE_main(e, "b(_X) :- wait([c]), a(_A), sum(_A, 1, _X).\nc(_X) :- a(_A), sum(_A, 10, _X).\n"), 0);
    host.items[1].number = 5;
    host.take();
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    EXPECT_EQ(writes(), "3=15 2=6");
}

TEST_F(PropagationTest, ItemsThatReadEachOtherRunOnceEach) {
    items({{"a", 1}, {"p", 2}, {"q", 3}});
    ASSERT_EQ(PIE_main(e, "p(_X) :- a(_A), q(_Q), sum(_A, _Q, _X).\nq(_X) :- a(_A), p(_P), sum(_A, 0, _X).\n"), 0);
    host.items[1].number = 3;
    host.take();
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    const std::string w = writes();
    EXPECT_EQ(std::count(w.begin(), w.end(), '='), 2) << w;
}

// A propagation reads an item through its default clause, named first in a body (b, c, d) or last
// (e): the value read, or, with none (z is no host item), the body fails and the next clause is
// tried. A branch of a disjunction reads the settled item it names (g). Traced, the clauses
// themselves run; the writes are the same.
TEST_F(PropagationTest, RulesReadItemsAsTheirClausesWould) {
    for (uint32_t options : {0x402u, 0x40Au}) {
        PieEngine* fresh = nullptr;
        ASSERT_EQ(PIE_init(&fresh, nullptr, options), 0);
        std::swap(e, fresh);
        PIE_term(fresh);
        host.install(e);
        items({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}, {"e", 5}, {"g", 6}});
        ASSERT_EQ(PIE_main(e, "b(_X) :- a(_A), sum(_A, 1, _X).\n"
                              "c(7) :- z(_Z), a(_A).\nc(8) :- a(_A).\n"
                              "d(_X) :- a(4), sum(40, 0, _X).\nd(_X) :- a(_A), sum(_A, 50, _X).\n"
                              "e(_X) :- sum(0, 0, _Z), a(_X).\n"
                              "g(1) :- (a(3) | a(5) | a(6)).\n"),
                  0);
        host.items[1].number = 3;
        host.take();
        EXPECT_EQ(PIE_check_conflict(e, 1), 0);
        EXPECT_EQ(writes(), "2=4 3=8 4=53 5=3 6=1") << options;
        host.items[1].number = 4;
        EXPECT_EQ(PIE_check_conflict(e, 1), 0);
        EXPECT_EQ(writes(), "2=5 4=40 5=4") << options;
        host.items[1].number = 6;
        host.items[6].number = 0;
        EXPECT_EQ(PIE_check_conflict(e, 1), 0);
        EXPECT_EQ(writes(), "2=7 4=56 5=6 6=1") << options;
    }
}

// A host that asks for a check while it takes a write of the running one: here, when c is
// written, the host moves a to 7 and x to 1 and checks x. The inner check is a run of its own
// (y follows x at once) that leaves the items the outer run settled as they are, the outer run
// then goes on as it stood (d reads the new a), and neither leaves anything behind for the
// checks after them.
struct NestedCheck {
    static inline PieEngine* engine = nullptr;
    static inline PlHostSlot setNumber = nullptr;
    static inline bool asked = false;
    static int hook(void* host, int32_t id, int32_t n) {
        const int answer = reinterpret_cast<PieIdFn<PIE_OP_SetNumber>>(setNumber)(host, id, n);
        if (id == 3 && !asked) {
            asked = true;
            auto& items = static_cast<drvtest::PieFakeHost*>(host)->items;
            items[1].number = 7;
            items[5].number = 1;
            EXPECT_EQ(PIE_check_conflict(engine, 5), 0);
        }
        return answer;
    }
};

TEST_F(PropagationTest, ACheckInsideARunIsARunOfItsOwn) {
    items({{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}, {"x", 5}, {"y", 6}});
    ASSERT_EQ(PIE_main(e, (std::string(kChain) + "y(_X) :- x(_A), sum(_A, 100, _X).\n").c_str()), 0);
    const int slot = pie_host_slot(PIE_BLOCK_ID, PIE_OP_SetNumber);
    NestedCheck::engine = e;
    NestedCheck::setNumber = e->host_slots[slot];
    NestedCheck::asked = false;
    e->host_slots[slot] = reinterpret_cast<PlHostSlot>(&NestedCheck::hook);
    host.items[1].number = 5;
    host.take();
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    EXPECT_EQ(writes(), "2=6 3=16 6=101 4=23");
    EXPECT_TRUE(NestedCheck::asked);
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    EXPECT_EQ(writes(), "2=8 3=18 4=25");
    host.items[5].number = 2;
    EXPECT_EQ(PIE_check_conflict(e, 5), 0);
    EXPECT_EQ(writes(), "6=102");
}

}  // namespace

// A dependent evaluated by a check records, for every functor inside its value, what stood in
// it: terms of the check's own query, which must not stay behind when that query's terms go.
TEST_F(PropagationTest, ValuesRecordedByADependentDoNotOutliveTheCheck) {
    items({{"a", 1}, {"b", 2}});
    ASSERT_EQ(PIE_main(e, "b(f(g(_A), 3)) :- a(_A).\n"), 0);
    host.items[1].number = 5;
    EXPECT_EQ(PIE_check_conflict(e, 1), 0);
    const PlFunctor* f = pl_lookup_functor(e, pie_intern_string(e, "f"), 2, nullptr);
    ASSERT_TRUE(f->values);
    EXPECT_EQ(f->values->items[0], nullptr);  // g(5), built by the check
    ASSERT_TRUE(f->values->items[1]);
    EXPECT_EQ(f->values->items[1]->value, 3);  // a constant of the program stays
}

namespace {

// The host's change count of the tests below, raised by its message slot.
uint32_t g_changes = 0;

// An engine over the fake host's items a (1), b (2) and c (3) of the type given, running the
// program; with `counted` the host hands the engine its change count.
PieEngine* CountingEngine(drvtest::PieFakeHost& fake, int32_t type, bool counted, const std::string& program,
                          uint32_t options = 0x402) {
    PieEngine* engine = nullptr;
    EXPECT_EQ(PIE_init(&engine, nullptr, options), 0);
    fake.install(engine);
    engine->host_slots[PIE_SLOT_SHOW_MESSAGE] = reinterpret_cast<PlHostSlot>(+[](void*, int32_t) {
        ++g_changes;
        return 0;
    });
    int32_t id = 1;
    for (const char* name : {"a", "b", "c"}) {
        fake.items[id].type = type;
        fake.items[id].value = "ON";
        fake.items[id].changed_answer = 0;  // a value held counts as a change
        EXPECT_EQ(PIE_register_functor(engine, name, id++), 0);
    }
    if (counted) {
        EXPECT_EQ(PIE_set_change_count(engine, &g_changes), 0);
    }
    EXPECT_EQ(PIE_main(engine, program.c_str()), 0);
    return engine;
}

size_t Count(const std::string& log, const std::string& call) {
    size_t n = 0;
    for (size_t at = log.find(call); at != std::string::npos; at = log.find(call, at + 1)) ++n;
    return n;
}

struct QuietCase {
    const char* b;  // b's rule: b keeps ON whatever a holds; c reads b
    bool counted;
    bool c_runs;
};

// An item whose rule kept its value wakes its readers only when its evaluation changed something
// they could read, as far as a host that counts its changes can tell.
TEST(PropagationQuiet, AnItemThatKeptItsValueAndChangedNothingWakesNoReader) {
    const QuietCase cases[] = {
        {"b(ON) :- a(_A).\n", false, true},              // a host that counts nothing: as ever
        {"b(ON) :- a(_A).\n", true, false},              // nothing changed: c is left alone
        {"b(ON) :- a(_A), sreason(_A).\n", true, true},  // b's reason followed a
        {"b(ON) :- a(_A), message(7).\n", true, true},   // the host counted a change
    };
    for (const QuietCase& q : cases) {
        drvtest::PieFakeHost fake;
        PieEngine* engine = CountingEngine(fake, 2, q.counted, std::string(q.b) + "c(_X) :- b(_X).\n");
        fake.items[1].value = "OFF";
        fake.take();
        EXPECT_EQ(PIE_check_conflict(engine, 1), 0);
        EXPECT_EQ(Count(fake.take(), "GetValueName 3"), q.c_runs ? 1u : 0u) << q.b << " counted " << q.counted;
        EXPECT_EQ(fake.items[2].value, "ON");
        PIE_term(engine);
    }
}

struct ReadCase {
    const char* b;  // b and c read a
    bool counted;
    size_t reads;   // of a's number, the check's own and the commit's among them
};

// A host that counts its changes is asked for an item's value once a query while the count stays.
TEST(PropagationQuiet, ACountingHostIsAskedAgainOnlyWhenItsCountMoved) {
    const ReadCase cases[] = {
        {"b(_X) :- a(_A), sum(_A, 1, _X).\n", false, 4},
        {"b(_X) :- a(_A), sum(_A, 1, _X).\n", true, 2},
        {"b(_X) :- a(_A), message(7), sum(_A, 1, _X).\n", true, 3},  // c reads a anew
    };
    for (const ReadCase& r : cases) {
        drvtest::PieFakeHost fake;
        PieEngine* engine = CountingEngine(fake, 3, r.counted, std::string(r.b) + "c(_X) :- a(_A), sum(_A, 2, _X).\n");
        fake.items[1].number = 5;
        fake.take();
        EXPECT_EQ(PIE_check_conflict(engine, 1), 0);
        EXPECT_EQ(Count(fake.take(), "GetNumber 1;"), r.reads) << r.b << " counted " << r.counted;
        EXPECT_EQ(fake.items[2].number, 6);
        EXPECT_EQ(fake.items[3].number, 7);
        PIE_term(engine);
    }
}

// Rules that test an item's value read before in the same check, in disjunctions of its values
// (nested | and ;, an atom, a number, a term, a variable bound or not, one item read branch after
// branch with other goals between) and through its default clause,
// disjunctions that read the value of the item under evaluation, and goals of not that read an
// item, settled or not, answer as the clauses do: a counting host's engine answers them from the
// value it holds and reads the item in place of its default clause, a traced one (the options'
// 0x8) runs the clauses, and a host that counts nothing is read each time. Every engine asks the
// host the same, in the same order, and writes the same.
TEST(PropagationQuiet, AHeldValueAnswersTheRulesAsTheirClausesWould) {
    const std::string program =
        "b(ON) :- (b(TOP) | b(ON)), a(CENTER).\n"
        "b(ON) :- (a(LEFT) | a(RIGHT) | a(TOP) | a(TOP)).\n"
        "b(OFF) :- (a(BOTTOM) ; a(_X), not a(_X)).\n"
        "b(ON) :- a(_A), (a(NONE) | a(_A)).\n"
        "c(OFF) :- b(_), (a(LEFT) | a(TOP) ; a(7) | a(BOTTOM)), not a(RIGHT).\n"
        "c(ON) :- (c(LEFT) ; c(NONE) | c(_X), not c(_X)).\n"
        "c(ON) :- (a(f(1)) | a(NONE) | a(7) | a(_Y), fail | ((b(NONE) | a(NONE)) | a(NONE)) | a(NONE) | a(_)), fail.\n"
        "c(ON) :- (a(LEFT) | a(TOP) | a(BOTTOM) | a(RIGHT) | a(CENTER)), fail.\n"
        "c(ON) :- a(_), (a(RIGHT) | a(_)).\n";
    for (const char* value : {"LEFT", "TOP", "BOTTOM", "RIGHT", "CENTER"}) {
        std::string logs[2][2];
        for (const bool counted : {false, true})
            for (const bool traced : {false, true}) {
                drvtest::PieFakeHost fake;
                PieEngine* engine = CountingEngine(fake, 2, counted, program, traced ? 0x40Au : 0x402u);
                fake.items[1].value = value;
                fake.take();
                EXPECT_EQ(PIE_check_conflict(engine, 1), 0);
                logs[counted][traced] = fake.take() + " => b " + fake.items[2].value + ", c " + fake.items[3].value;
                PIE_term(engine);
            }
        for (const bool counted : {false, true})
            EXPECT_EQ(logs[counted][0], logs[counted][1]) << value << " counted " << counted;
        const std::string b = std::string(value) == "BOTTOM" ? "OFF" : "ON";
        const std::string c = std::string(value) == "RIGHT" || std::string(value) == "CENTER" ? "ON" : "OFF";
        EXPECT_NE(logs[1][0].find(" => b " + b + ", c " + c), std::string::npos) << value << ": " << logs[1][0];
        EXPECT_NE(logs[0][0].find(" => b " + b + ", c " + c), std::string::npos) << value << ": " << logs[0][0];
    }
}

}  // namespace
