// Queries as the host runs them: directives of rule texts loaded by PIE_main into an engine made
// by PIE_init, answered through the output slot. What a directive does to the program, cyclic
// terms, a host callback that loads again, and the line a warning names.
#include "pie/api/api.h"
#include "pie/host/host_slots.h"
#include "pie/terms/list.h"
#include "pie/build/program.h"
#include "pie/run/engine_stack.h"
#include "pie/text/output.h"

#include <drvtest/pie_fake_host.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct DirectiveTest;
DirectiveTest* running = nullptr;  // the slots below reach the test through this

struct DirectiveTest : ::testing::Test {
    drvtest::PieFakeHost host;
    PieEngine* e = nullptr;
    std::string output;
    const char* nested = nullptr;  // loaded by the message slot when set
    int nested_result = -2;
    int messages = 0;  // calls of the message slot

    DirectiveTest() { make(0x402 | 0x8); }  // Windows 9x, trace on: answers are printed
    void make(uint32_t options) {
        PIE_term(e);
        running = this;
        EXPECT_EQ(PIE_init(&e, &host, options), 0);
        host.install(e);
        e->host_slots[kPlOutputSlot] = reinterpret_cast<PlHostSlot>(+[](void*, const char* text) {
            running->output += text;
            return 0;
        });
        e->host_slots[PIE_SLOT_SHOW_MESSAGE] = reinterpret_cast<PlHostSlot>(+[](void*, int32_t) {
            ++running->messages;
            if (running->nested) running->nested_result = PIE_main(running->e, running->nested);
            return 0;
        });
    }
    ~DirectiveTest() override {
        PIE_term(e);
        running = nullptr;
    }

    // 0 loaded, else the code of the error that ended the load.
    int load(const char* text) {
        output.clear();
        return PIE_main(e, text) == 0 ? 0 : pl_last_error(e).code;
    }
    // The answer lines a text's directives printed ("=>yes." or "=>no."), in order.
    std::string answers(const char* text) {
        EXPECT_EQ(load(text), 0) << text;
        std::string out;
        for (size_t at = output.find("=>"); at != std::string::npos; at = output.find("=>", at + 2))
            out += output.substr(at + 2, output.find('.', at) - at - 2) + " ";
        return out;
    }
    size_t clauses() { return pl_list_count(e->program->clauses[PL_WRITTEN]); }
};

// A directive may take out the clause the load wrote last, or one an earlier load wrote last;
// the rest of the load and the loads after it go on over a whole program.
TEST_F(DirectiveTest, DirectivesThatChangeTheProgramLeaveTheLoadWhole) {
    const char* const texts[] = {
        "f(7).",
        "?- retract(f(7)).",
        "g(1).\n?- abolish(g, 1).\nh(1) :- winNT.",
        "?- assert(f(8)), f(_X).",
        "?- retract(f(8)).",
        "k(1).\n?- retract(k(1)), assert(k(2)), asserta(k(0)).\n?- op(700, xfx, ===).\n?- abbrev(kk, k).\nm(_X) :- kk(_X).",
        "n(1). n(2). n(3).\n?- n(_X), retract(n(_X)), fail.",
        "?- abolish(m, 1), abolish(n, 1), retract(k(_)).",
    };
    const size_t system = clauses();
    for (const char* text : texts) EXPECT_EQ(load(text), 0) << text;
    EXPECT_EQ(answers("?- f(_X).\n?- h(1).\n?- k(_X).\n?- n(_X).\n?- a === b."), "no no yes no no ");
    EXPECT_EQ(clauses(), system + 2);  // h(1) :- fail, and the one k left
}

TEST_F(DirectiveTest, CyclicTermsEndInAnAnswerOrTheDepthError) {
    const char* const texts[] = {
        "?- _X = f(_X), _X = _X.",
        "?- _X = f(_X), _Y = f(_Y), _X = _Y.",
        "?- _L = [a|_L], _M = [a|_M], _L = _M.",
        "?- _X = [1|_X], member(2, _X).",
        "?- _X = f(_X, _X), _Y = f(_Y, _Y), _X = _Y.",
        "?- _X = [a|_X], _X == _X.",
        "?- _X = [a|_X], _Y = [a|_Y], _X == _Y.",
        "?- _X = f(_X), assert(p(_X)).",
        "?- _X = [a|_X], enable_element(x, _X).",
        "?- _X = [a|_X], action(x, _X).",
        "?- _X = f(_X), p(_X) = p(_X).",
        "?- _X = [a|_X], _X = [a, a|_Y].",
        "q(_). ?- _X = f(_X), q(_X).",
        "r(_). ?- _X = [a|_X], r(_X).",
        "?- _X = [a|_X], asserta(s(_X)).",
        "?- _X = [a | _X = x], _X == _X.",  // cyclic through an argument: a recursion, not a loop
        "?- _X = f(_X, 1), _Y = f(_Y, 1), _X = _Y.",
    };
    for (uint32_t trace : {0x8, 0x0}) {
        make(0x402 | trace);
        for (const char* text : texts) {
            const int code = load(text);
            EXPECT_TRUE(code == 0 || code == PL_ERR_STACK) << text << " " << code;
            EXPECT_EQ(PIE_main(e, "?- true."), 0) << text;  // still usable
        }
    }
}

// A host callback that loads a text while a load runs is refused; the outer load goes on.
TEST_F(DirectiveTest, ALoadFromACallbackIsRefused) {
    nested = "inner(1).";
    EXPECT_EQ(load("a(1).\n?- message(1).\nb(1)."), 0);
    EXPECT_EQ(nested_result, -1);
    nested = nullptr;
    EXPECT_EQ(answers("?- a(1).\n?- b(1).\n?- inner(1)."), "yes yes no ");
}

// Recursive rules not in last-call form walk a list of 100,000 elements (2,000 under the
// sanitizers, whose native frames are several times larger on a stack they cap); a runaway
// recursion ends in error 4102 and the engine answers afterwards.
TEST_F(DirectiveTest, DeepRecursionRunsAndARunawayOneEndsInTheDepthError) {
#ifdef PL_ENGINE_STACK_SANITIZED
    const std::string n = "2000";
#else
    const std::string n = "100000";
#endif
    make(0x400);  // outside propagation mode, where rules call rules
    ASSERT_EQ(load("mk(0, []).\n"
                   "mk(_N, [_N | _T]) :- greater(_N, 0), sub(_N, 1, _M), mk(_M, _T).\n"
                   "len([], 0).\n"
                   "len([_ | _T], _N) :- len(_T, _M), _N is _M + 1.\n"
                   "loop(_X) :- loop(f(_X)).\n"
                   "spin :- spin.\n"),
              0);
    EXPECT_EQ(load(("?- mk(" + n + ", _L), len(_L, " + n + "), message(7).").c_str()), 0);
    EXPECT_EQ(messages, 1);
    for (const char* runaway : {"?- loop(a).", "?- spin."}) {
        EXPECT_EQ(load(runaway), PL_ERR_STACK) << runaway;
        EXPECT_EQ(e->depth, 0);
    }
    EXPECT_EQ(load("?- len([a, b], 2), message(7)."), 0);
    EXPECT_EQ(messages, 2);
}

TEST_F(DirectiveTest, AWarningNamesTheLineOfTheClauseTriedLast) {
    host.items[5].action_answer = PieValue{9, 0};  // a value type the engine cannot take
    ASSERT_EQ(PIE_register_functor(e, "Tray", 5), 0);
    ASSERT_EQ(load("t(_X) :-\n  action(Tray, [a], _X).\n\n?- t(_X)."), 0);
    EXPECT_EQ(pl_last_error(e).code, 0);
    EXPECT_STREQ(pl_last_error(e).text, "Not enough memory.\n");
    EXPECT_EQ(pl_last_error(e).line, 1);
}

}  // namespace
