// The built-in predicates: arithmetic modes and their wrapping, tests, program changes, and the
// item predicates against the recording host.
#include "bindings_left.h"
#include "run_fixture.h"
#include "term_builder.h"

#include "pie/run/direct_is.h"
#include "pie/run/update_store.h"

#include <vector>

namespace {

using Builtins = RunTest;

struct Row {
    const char* goal;
    std::initializer_list<const char*> vars;
    const char* expected;
};

void check(RunTest& test, std::initializer_list<Row> rows) {
    for (const Row& row : rows) EXPECT_EQ(test.solve(row.goal, row.vars), row.expected) << row.goal;
}

constexpr const char* kMin = "sub(0, 2147483647, _A), sub(_A, 1, _M), sub(0, 1, _N), ";

TEST_F(Builtins, EveryRegisteredBuiltinHasItsFunction) {
    for (int i = 0; i < kPlPredefinedFunctorCount; ++i) {
        const PlPredefinedRow& row = kPlPredefinedRows[i];
        if (row.kind != PLP_BUILTIN) continue;
        const std::string name = row.name;
        // Rewritten away while loading, never called.
        if ((row.arity == 1 && (name == "reason" || name == "sreason" || name == "rreason" || name == "wait")))
            continue;
        PlFunctor* f = pl_predefined(e, i);
        EXPECT_NE(f->builtin, nullptr) << name << "/" << row.arity;
        EXPECT_NE(f->flags & PLF_SYSTEM, 0u) << name;
    }
}

TEST_F(Builtins, Arithmetic) {
    const std::string min_quotient = std::string(kMin) + "quotient(_M, _N, _Z)";
    const std::string min_modulo = std::string(kMin) + "modulo(_M, _N, _Z)";
    const std::string min_times = std::string(kMin) + "multiply(_M, _N, _Z)";
    check(*this, {
        {"sum(_X, 2, 5)", {"_X"}, "1 _X=3"},
        {"sum(_, 2, 5)", {}, "1"},
        {"sum(_X, _Y, 5)", {}, "0"},
        {"sum(2, 3, 6)", {}, "0"},
        {"sum(2147483647, 1, _Z)", {"_Z"}, "1 _Z=-2147483648"},
        {"sub(_X, 2, 5)", {"_X"}, "1 _X=7"},
        {"sub(9, _Y, 5)", {"_Y"}, "1 _Y=4"},
        {"multiply(_X, 2, 6)", {"_X"}, "1 _X=3"},
        {"multiply(_X, 2, 5)", {}, "0"},
        {"multiply(_X, 0, 0)", {}, "0"},
        {"multiply(_, 0, 5)", {}, "0"},
        {"multiply(3, _, 6)", {}, "1"},
        {"quotient(7, 2, _Z)", {"_Z"}, "1 _Z=3"},
        {"quotient(7, 0, _Z)", {}, "0"},
        {"quotient(_X, 2, 3)", {"_X"}, "1 _X=6"},
        {"quotient(7, _Y, 3)", {"_Y"}, "1 _Y=2"},
        {"quotient(5, _Y, 3)", {}, "0"},
        {"quotient(7, _, 0)", {}, "0"},
        {"quotient(7, 0, _)", {}, "0"},
        {min_quotient.c_str(), {"_Z"}, "1 _Z=-2147483648"},
        {min_modulo.c_str(), {"_Z"}, "1 _Z=0"},
        {min_times.c_str(), {"_Z"}, "1 _Z=-2147483648"},
        {"modulo(7, 3, _Z)", {"_Z"}, "1 _Z=1"},
        {"modulo(_X, 3, 1)", {}, "0"},
        {"modulo(7, 0, _)", {}, "0"},
        {"lshift(1, 33, _Z)", {"_Z"}, "1 _Z=2"},
        {"sub(0, 8, _A), rshift(_A, 1, _Z)", {"_Z"}, "1 _Z=-4"},
        {"bitand(12, 10, _Z), bitor(12, 10, _W)", {"_Z", "_W"}, "1 _Z=8 _W=14"},
        {"bitand(_X, 1, 1)", {}, "0"},
        {"bitcmp(5, _Y), bitcmp(_X, _Y)", {"_Y", "_X"}, "1 _Y=-6 _X=5"},
        {"eq(2, 2), ne(2, 3), less(2, 3), greater(3, 2), leq(2, 2), geq(2, 2)", {}, "1"},
        {"<(3, 2)", {}, "0"},
        {"eq(a, a)", {}, "0"},
        // Comparisons follow chains of bindings, and hold only between integers.
        {"sum(1, 1, _A), _B = _A, leq(_B, 2), less(1, _B)", {}, "1"},
        {"_A = _B, ne(_A, 3)", {}, "0"},
        {"ne(_, 3)", {}, "0"},
        {"_A = [], eq(_A, _A)", {}, "0"},
    });
}

// An arithmetic built-in binds its answer to the variable its argument's dereferencing met last
// without unifying: it must answer, bind, trail and run out of depth exactly where unifying the
// answer with the argument does, through chains of bindings across frames, in the frame whose
// slots are not trailed, where a level would look at the native stack and with a full trail.
TEST_F(Builtins, AnArithmeticAnswerBindsAsItsUnification) {
    TermBuilder b{e};
    pl_direct_is_prepare(e);
    // Variables made once: each run binds the same cells.
    PlCell* ls[] = {b.var("_L", 0), b.var("_L", 1), b.var("_L", 2), b.var("_L", 3)};
    PlCell* r1 = b.var("_R", 1);
    auto l = [&](int slot) { return ls[slot]; };
    struct Case {
        PlCell* goal;
        uint32_t answered;  // the argument the answer binds
        int32_t answer;
        bool untrailed;     // the right frame's slots are bound untrailed
    } cases[] = {
        {b.fn("sub", {b.integer(7), b.integer(2), l(0)}), 2, 5, false},
        {b.fn("sub", {l(1), b.integer(2), b.integer(5)}), 0, 7, false},       // through the right frame
        {b.fn("sum", {b.integer(3), l(2), b.integer(30)}), 1, 27, false},     // through a second slot
        {b.fn("multiply", {b.integer(65536), b.integer(65536), l(0)}), 2, 0, false},
        {b.fn("bitcmp", {b.integer(5), l(0)}), 1, -6, false},
        {b.fn("bitcmp", {l(1), b.integer(5)}), 0, -6, true},
        {b.fn("is", {l(0), b.fn("-", {b.integer(7), b.integer(2)})}), 0, 5, false},  // "is" evaluated directly
        {b.fn("is", {l(1), b.fn("+", {b.integer(15), b.integer(5)})}), 0, 20, true},
    };
    PlBinding filler{e->cell.unbound, nullptr};
    auto run = [&](const Case& c, int depth, bool trail_full, bool generic) {
        PlFrame* lf = pl_frame_alloc(e, 4, nullptr, nullptr);
        PlFrame* rf = pl_frame_alloc(e, 4, lf, nullptr);
        lf->slots()[1] = {r1, rf};
        lf->slots()[2] = {l(3), lf};
        const size_t base = pl_trail_mark(e);
        while (trail_full && !e->run.trail.full()) pl_bind(e, &filler, lf, e->cell.unbound, nullptr);
        const size_t mark = pl_trail_mark(e);
        std::vector<const void*> out;
        const int error = errorOf([&] {
            PlUntrailedFrame untrailed(e, c.untrailed ? rf : nullptr);
            e->depth = depth;
            PlFunctor* f = c.goal->fn.functor;
            const int answer = generic ? pl_builtin_unify(e, c.goal, lf, c.answered, b.integer(c.answer))
                               : f->builtin ? f->builtin(e, c.goal, lf, nullptr)
                                            : pl_direct_is(e, c.goal, lf) == PL_SUCCESS;
            out.push_back(reinterpret_cast<const void*>(static_cast<intptr_t>(answer)));
            out.push_back(reinterpret_cast<const void*>(static_cast<intptr_t>(e->depth - depth)));
        });
        out.push_back(reinterpret_cast<const void*>(static_cast<intptr_t>(error)));
        take_bindings_left(out, e, lf, rf, mark, base);
        return out;
    };
    const int limit = pl_depth_limit(e);
    for (const Case& c : cases)
        for (int depth : depths_to_step_at(limit)) {
            const int at = static_cast<int>(&c - cases);
            EXPECT_EQ(run(c, depth, false, false), run(c, depth, false, true)) << "case " << at << " depth " << depth;
            // Each run that grows the trail doubles it: a few cases only.
            if (depth == 100 && at < 2) {
                EXPECT_EQ(run(c, depth, true, false), run(c, depth, true, true)) << "case " << at << ", trail full";
            }
        }
}

TEST_F(Builtins, TermsAndControl) {
    check(*this, {
        {"teq(f(_A, [1]), f(_A, [1]))", {}, "1"},
        {"teq(_A, _B)", {}, "0"},
        {"tne(f(a), f(b))", {}, "1"},
        {"var(_X), atom(a), integer(3), term(f(a))", {}, "1"},
        {"var(a)", {}, "0"},
        {"atom(f(a))", {}, "0"},
        {"term(a)", {}, "0"},
        {"member(_X, [a, b])", {"_X"}, "1 _X=a"},
        {"member(b, [a | b])", {}, "1"},
        {"member([], [a])", {}, "0"},
        {"member(c, [a, b])", {}, "0"},
        {"version(_V), cputime(_C)", {"_V", "_C"}, "1 _V=1 _C=0"},
        {"heapused(_H), greater(_H, 0)", {}, "1"},
        {"halt", {}, "0"},
    });
    EXPECT_EQ(solve("apply(5)"), "error 4112");
}

TEST_F(Builtins, ProgramChanges) {
    load("q(1).");
    const size_t program_clauses = pl_list_count(e->program->clauses[PL_WRITTEN]);
    EXPECT_EQ(solve("assert(q(2)), retract(q(2))"), "1");
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_WRITTEN]), program_clauses);
    EXPECT_EQ(solve("asserta(q(5))"), "1");
    EXPECT_EQ(pl_list_count(e->program->clauses[PL_WRITTEN]), program_clauses + 1);
    EXPECT_EQ(solve("retract(q(5))"), "1");
    check(*this, {
        {"assert(q(2)), asserta(q(0)), q(_X)", {"_X"}, "1 _X=0"},
        {"assertz(r(_A, _A) :- q(_A))", {}, "1"},
        {"r(_X, _Y)", {"_X", "_Y"}, "1 _X=0 _Y=0"},
        {"clause(r(_A, _B), _Body)", {"_Body"}, "1 _Body=q(<18>)"},
        {"clause(q(1), _Body)", {"_Body"}, "1 _Body=true"},
        {"clause(q(1), true)", {}, "0"},
        {"retract(q(0)), q(_X)", {"_X"}, "1 _X=1"},
        {"retract(q(7))", {}, "0"},
        {"abolish(q, 1), q(_X)", {}, "0"},
        {"abolish(q, 1)", {}, "0"},
        {"abbrev(zz, version), abbrev(zz, halt)", {}, "0"},
        {"op(700, xfx, ===)", {}, "1"},
    });
    EXPECT_EQ(solve("assert(sum(1, 2, 3))"), "error 257");
    EXPECT_EQ(solve("op(700, wrong, ===)"), "error 4100");
    EXPECT_TRUE(e->run.program_changed);
}

TEST_F(Builtins, ItemValues) {
    item("Copies", 5).number = 2;
    auto& size = item("Size", 6);
    size.type = 2;
    size.value = "A4";
    size.choices = {{"A4", 9}, {"A3", 8}};
    size.source = "A3";
    size.reference = "A5";
    check(*this, {{"status(Copies, _V)", {"_V"}, "1 _V=2"},
                  {"sstatus(Copies, 2)", {}, "1"},
                  {"sstatus(Copies, 7), cstatus(Copies, 100)", {}, "1"},
                  {"cstatus(Copies, 101)", {}, "0"},
                  {"sstatus(Size, A3), cstatus(Size, 9), cstatus(Size, A4)", {}, "1"},
                  {"cstatus(Size, B5)", {}, "0"},
                  {"init_status(Size, _S), prev_status(Size, _R)", {"_S", "_R"}, "1 _S=A3 _R=A5"}});
    EXPECT_EQ(host.items[5].number, 7);
    EXPECT_EQ(host.items[6].value, "A3");
    EXPECT_EQ(host.take(),
              "GetType 5; GetNumber 5; GetNumber 5; GetNumber 5; SetNumber 7 5; GetNumericRange 5; "
              "GetNumericRange 5; GetValueName 6; SetValueName A3 6; GetType 6; GetOptionTable 6; "
              "GetOptionTable 6; GetOptionTable 6; GetSourceValueName 6; GetReferenceValueName 6");
    host.fail_sets = -3;
    EXPECT_EQ(solve("sstatus(Copies, 8)"), "0");
}

TEST_F(Builtins, PropertiesReasonsAndMessages) {
    auto& paper = item("Paper", 5);
    paper.properties[{"A4", "Width"}] = PieValue{3, 210};
    paper.properties[{"A4", "Label"}] = PieValue{4, 0};
    check(*this, {{"status(Paper, A4, Width, _W)", {"_W"}, "1 _W=210"},
                  {"sstatus(Paper, A4, Width, 211)", {}, "1"},
                  {"sstatus(Paper, A4, Label, Wide), status(Paper, A4, Label, _L)", {"_L"}, "1 _L=Wide"},
                  {"sstatus(Paper, B5, Width, 1)", {}, "0"},
                  {"sreason(Paper, 1, 12), reason(Paper, 1, _R)", {"_R"}, "1 _R=12"},
                  {"rreason(Tray, Paper), reason(Tray, 1, _R)", {"_R"}, "1 _R=12"},
                  {"rreason(Tray, Nothing)", {}, "0"},
                  {"sreason_element(Paper, A4, 3), reason_element(Paper, A4, _R)", {"_R"}, "1 _R=3"},
                  {"message(4)", {}, "1"}});
    EXPECT_EQ(host.take(),
              "GetProperty A4 Width 5; PropertyCall0 A4 Width 5; GetProperty A4 Width 5; "
              "PropertyCall1 A4 Width 3:211 5; GetProperty A4 Label 5; PropertyCall1 A4 Label 4:Wide 5; "
              "GetProperty A4 Label 5; PropertyCall0 A4 Label 5; GetProperty B5 Width 5; ShowMessage 4");
    // Reasons not marked by the query that set them are cleared when a later query changes the item.
    host.message_answer = -3;
    EXPECT_EQ(solve("message(4)"), "0");
}

TEST_F(Builtins, StatusRuleOfAnEngineOwnProperty) {
    PlFunctor* owner = pl_lookup_functor(e, t("Paper"), 1, nullptr);
    PlFunctor* fit = pl_lookup_functor(e, t("$Fit"), 1, owner);
    fit->flags |= PLF_HOST_FACT;
    // The rule's clause for the property: $Fit(yes) under any key.
    PlCell* head = pl_make_term(e, fit);
    head->fn.args->items[0] = pl_make_atom(e, t("yes"));
    if (!fit->clauses[0]) fit->clauses[0] = pl_list_new(e);
    pl_list_append(e, fit->clauses[0], pl_make_clause(e, PL_CLAUSE, head));
    EXPECT_EQ(solve("status(Paper, A4, $Fit, _V)", {"_V"}), "1 _V=yes");
    EXPECT_EQ(pl_update_property(e, fit, pl_make_atom(e, t("A4"))->fn.functor), pl_make_atom(e, t("yes")));
    fit->clauses[0] = nullptr;
    EXPECT_EQ(solve("status(Paper, A4, $Fit, _V)", {"_V"}), "1 _V=yes");  // kept from the first run
    EXPECT_EQ(solve("status(Paper, B5, $Fit, _V)"), "0");
}

TEST_F(Builtins, ChoicesListsAndActions) {
    auto& size = item("Size", 6);
    size.type = 2;
    size.choices = {{"A4", 9}, {"A3", 8, true, false}, {"B5", 7, false, true}};
    auto& names = item("Names", 7);
    names.elements = {"x", "y"};
    auto& button = item("Button", 8);
    button.action_answer = PieValue{3, 7};
    check(*this, {{"count_element(Size, _N)", {"_N"}, "1 _N=1"},
                  {"count_element(Size, _, OFF, _N)", {"_N"}, "1 _N=1"},
                  {"count_element(Size, ON, _, _N)", {"_N"}, "1 _N=2"},
                  {"count_element(Size, maybe, _, _N)", {}, "0"},
                  {"get_top_enable(Size, A4, _R)", {"_R"}, "1 _R=A4"},
                  {"get_top_enable(Size, A3, _R)", {"_R"}, "1 _R=A4"},
                  {"get_top_enable(Size, B5, _R)", {}, "0"},
                  {"hide_element(Size, [A4, A3]), count_element(Size, _N)", {"_N"}, "1 _N=0"},
                  {"show_element(Size, _), enable_element(Size, [A3])", {}, "1"},
                  {"disable_element(Size, [C0])", {}, "0"},
                  {"index_element(Names, y, _I)", {"_I"}, "1 _I=1"},
                  {"add_element(Names, z, _R)", {"_R"}, "1 _R=+z"},
                  {"add_element(Names, z, _R)", {}, "0"},
                  {"ins_element(Names, w, 0, _R), index_element(Names, _I)", {"_I"}, "1 _I=0"},
                  {"del_element(Names, x, _R)", {"_R"}, "1 _R=-x"},
                  {"action(Button, [1, go])", {}, "1"},
                  {"action(Button, [2], _V)", {"_V"}, "1 _V=7"},
                  {"action(Button, notalist)", {}, "0"},
                  {"unsupported(Size, 1, ON)", {}, "1"}});
    EXPECT_EQ(host.items[7].elements, (std::vector<std::string>{"w", "y", "z"}));
    EXPECT_TRUE(host.items[6].unavailable);
    host.take();
    EXPECT_EQ(solve("action(Button, [12345678901])"), "error 262");
}

TEST_F(Builtins, HostEnvironment) {
    check(*this, {{"Folionix", {}, "0"},
                  {"Folionix(OFF), SDK", {}, "0"},
                  {"FindWindow(Main), RegistoryCheck(HKLM, Software)", {}, "1"},
                  {"reflected(Paper)", {}, "0"},
                  {"$set_force_propagate(Paper, ON)", {}, "1"}});
    host.true_answer = 1;
    host.mode_answer = 1;
    host.refuse_answer = -3;
    check(*this, {{"Folionix, Folionix(ON), SDK", {}, "1"}, {"FindWindow(Main)", {}, "0"}});
    EXPECT_NE(pl_lookup_functor(e, t("Paper"), 1, nullptr)->flags & PLF_FORCE_PROPAGATE, 0u);
    // Before any host function is given, message fails and Folionix is off.
    for (PlHostSlot& slot : e->host_slots) slot = nullptr;
    check(*this, {{"message(1)", {}, "0"}, {"Folionix", {}, "0"}, {"Folionix(OFF)", {}, "1"}});
}

}  // namespace
