// The engine's behaviour held against a record of itself: the host's programs (hand-written and
// generated) and the benchmark programs run through the same steps as the optimiser's
// equivalence test, and every answer, trace line, error code and host call, in order, must equal
// what tests/pie/data/differential.golden recorded. Work on the engine's speed must leave this
// record as it is. DRVOPUI_UPDATE_GOLDEN=1 writes the record anew from the engine as it is.
#include "rule_programs.h"

#include "pie/api/api.h"
#include "pie/api/guard.h"
#include "pie/build/compiler.h"
#include "pie/run/interpreter.h"
#include "pie/text/lexer.h"
#include "pie/text/output.h"

#include <drvtest/pie_fake_host.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kWin9x = 0x400;
constexpr uint32_t kPropagation = 0x2;
constexpr uint32_t kTrace = 0x8;
constexpr uint32_t kOptimise = 0x2000;

std::string* g_output = nullptr;  // where the output slot writes

// One engine as the host makes it, with the recording host's items a (1) to h (8), and the
// transcript of what it did. counted: the host counts its changes, so that a query holds the
// values it read.
class Recorder {
public:
    Recorder(uint32_t options, int changed_answer, uint32_t engine_flags = 0, bool counted = false) {
        EXPECT_EQ(PIE_init(&e_, nullptr, options), 0);
        e_->flags |= engine_flags;
        if (counted) {
            EXPECT_EQ(PIE_set_change_count(e_, &changes_), 0);
        }
        host_.install(e_);
        e_->host_slots[kPlOutputSlot] = reinterpret_cast<PlHostSlot>(+[](void*, const char* text) {
            *g_output += text;
            return 0;
        });
        g_output = &output_;
        int32_t id = 1;
        for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) {
            host_.items[id].type = 2;
            host_.items[id].value = "ON";
            host_.items[id].changed_answer = changed_answer;
            EXPECT_EQ(PIE_register_functor(e_, name, id++), 0);
        }
        out_ << "options " << options << " changed " << changed_answer << "\n";
    }
    ~Recorder() {
        PIE_term(e_);
        g_output = nullptr;
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void load(const std::string& text) {
        const int result = PIE_main(e_, text.c_str());
        out_ << "load " << result;
        if (result) out_ << " error " << pl_last_error(e_).code;
        take();
    }
    void query(const std::string& goal) {
        const std::string text = goal + ".";
        const int outcome = pl_guarded(e_, -1, [&] {
            PlToken token;
            pl_lex_start(e_, text.c_str(), &token);
            return pl_execute_main(e_, pl_read_clause(e_, &token, PL_CLAUSE));
        });
        out_ << "? " << goal << " -> " << outcome;
        if (outcome < 0) out_ << " error " << pl_last_error(e_).code;
        take();
    }
    void change(int32_t id, const char* value) {
        host_.items[id].value = value;
        ++changes_;
        out_ << "change " << id << " " << value << "\n";
    }
    void check(int32_t id) {
        out_ << "check " << id << " -> " << PIE_check_conflict(e_, id);
        take();
    }
    std::string transcript() {
        for (int32_t id = 1; id <= 8; ++id) out_ << "value " << id << " " << host_.items[id].value << "\n";
        return out_.str();
    }

private:
    // The host calls and output since the last step, one per line.
    void take() {
        out_ << "\n";
        for (const std::string& call : host_.log) out_ << "  " << call << "\n";
        host_.log.clear();
        if (!output_.empty()) out_ << output_ << (output_.back() == '\n' ? "" : "\n");
        output_.clear();
    }

    PieEngine* e_ = nullptr;
    uint32_t changes_ = 0;
    drvtest::PieFakeHost host_;
    std::string output_;
    std::ostringstream out_;
};

// The steps of the optimiser's equivalence test: item changes, each followed by every query and
// a check of the changed item, in three modes, plain and optimised, and once with the trace.
std::string item_program(const pieprograms::Program& program, bool trace, uint32_t engine_flags = 0,
                         bool counted = false) {
    const std::pair<int32_t, const char*> changes[] = {{3, "OFF"}, {0, nullptr}, {1, "OFF"}, {2, "OFF"}, {3, "ON"},
                                                       {7, "X1"},  {7, "OFF"},   {8, "OFF"}, {1, "ON"}};
    struct Mode {
        uint32_t options;
        int changed;
    };
    std::vector<Mode> modes = {{kWin9x, -3}, {kWin9x | kPropagation, -3}, {kWin9x | kPropagation, 0}};
    for (size_t i = 0, n = modes.size(); i < n; ++i) modes.push_back({modes[i].options | kOptimise, modes[i].changed});
    if (trace) modes.push_back({kWin9x | kPropagation | kTrace, 0});
    std::string out;
    for (const Mode& mode : modes) {
        Recorder r(mode.options, mode.changed, engine_flags, counted);
        r.load(program.text);
        for (auto [id, value] : changes) {
            if (id) r.change(id, value);
            for (const std::string& query : program.queries) r.query(query);
            if (id) r.check(id);
        }
        out += r.transcript();
    }
    return out;
}

std::string benchmark_program(const char* text, const std::vector<std::string>& queries, bool trace) {
    std::string out;
    for (uint32_t options : {kWin9x, kWin9x | kOptimise, kWin9x | (trace ? kTrace : 0)}) {
        Recorder r(options, -3);
        r.load(text);
        for (const std::string& query : queries) r.query(query);
        out += r.transcript();
    }
    return out;
}

std::map<std::string, std::string> record() {
    std::map<std::string, std::string> sections;
    const auto& hand = pieprograms::HandWritten();
    for (size_t i = 0; i < hand.size(); ++i) sections["hand " + std::to_string(i)] = item_program(hand[i], true);
    const auto generated = pieprograms::Generated();
    for (size_t i = 0; i < generated.size(); ++i)
        sections["generated " + std::to_string(i)] = item_program(generated[i], i < 2);
    using pieprograms::TakQuery;
    // Answers of the programs run without the trace, asked as queries with the answer given.
    sections["nrev"] = benchmark_program(pieprograms::kNrev, {pieprograms::NrevQuery(8), pieprograms::NrevQuery(30)}, true);
    const std::vector<std::string> tak = {TakQuery(3, 2, 1), TakQuery(12, 8, 4), "tak(12, 8, 4, 5)", "tak(12, 8, 4, 4)"};
    sections["tak is"] = benchmark_program(pieprograms::kTakIs, tak, false);
    sections["tak sub"] = benchmark_program(pieprograms::kTakSub, tak, false);
    sections["queens"] = benchmark_program(pieprograms::kQueens, {pieprograms::kQueensQuery, "queens(8, 92)"}, false);
    sections["deriv"] = benchmark_program(pieprograms::kDeriv, {pieprograms::kDerivQuery}, true);
    return sections;
}

const std::string kGolden = std::string(DRVOPUI_SOURCE_DIR) + "/tests/pie/data/differential.golden";

std::map<std::string, std::string> read_golden() {
    std::map<std::string, std::string> sections;
    std::ifstream in(kGolden);
    std::string line, name;
    while (std::getline(in, line)) {
        if (line.rfind("=== ", 0) == 0) name = line.substr(4);
        else sections[name] += line + "\n";
    }
    return sections;
}

// The first line where two texts differ, with its number.
std::string first_difference(const std::string& want, const std::string& got) {
    std::istringstream a(want), b(got);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool more_a = static_cast<bool>(std::getline(a, x)), more_b = static_cast<bool>(std::getline(b, y));
        if (!more_a && !more_b) return "";
        if (!more_a || !more_b || x != y)
            return "line " + std::to_string(line) + ": recorded \"" + (more_a ? x : "<end>") + "\", now \"" +
                   (more_b ? y : "<end>") + "\"";
    }
}

TEST(Differential, AnswersTracesErrorsAndHostCallsAsRecorded) {
    const std::map<std::string, std::string> now = record();
    if (const char* update = std::getenv("DRVOPUI_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream out(kGolden);
        for (const auto& [name, text] : now) out << "=== " << name << "\n" << text;
        ASSERT_TRUE(out.good()) << kGolden;
        GTEST_SKIP() << "recorded " << kGolden;
    }
    const std::map<std::string, std::string> golden = read_golden();
    ASSERT_FALSE(golden.empty()) << "no record at " << kGolden;
    for (const auto& [name, text] : golden) {
        auto it = now.find(name);
        ASSERT_NE(it, now.end()) << name;
        EXPECT_EQ(first_difference(text, it->second), "") << name;
    }
    EXPECT_EQ(golden.size(), now.size());
}

// "is" is evaluated directly unless the query is traced; both ways must answer alike, the
// corners of the integer operations and results that are bound, "_" or not integers included.
TEST(Differential, IsAnswersAsItsSystemRules) {
    const char* const goals[] = {
        "_X is 1 + 2 * 3 - 4", "7 is 1 + 2 * 3", "8 is 1 + 2 * 3", "_ is 5", "_ is 1 / 0", "_X is 1 / 0",
        "_X is 7 mod 0", "_X is -7 mod 2", "_X is -7 / 2", "_X is -2147483648 / -1", "_X is 2147483647 + 1",
        "_X is 1 << 33", "_X is -8 >> 1", "_X is 6 /\\ 3 \\/ 8", "_X is \\ 5", "_X is - (3)", "_X is + 4",
        "_X is _Y + 1", "_X is a + 1", "a is 1 + 1", "_X is heapused", "_Y = 3, _X is _Y * _Y", "_X is 5, _X is 5",
        "_X is 1 + 1, _X = 3", "_X = f(1), _X is 1", "_X is 2, eq(_X, 2)", "_X is (1 + 2) * (3 + 4) / (5 - 5)",
        "_Z = 4, _Y = _Z, _X is _Y - _Z + 1", "_Y = _Z, _X is 1 - _Y", "_Y = _Z, _Z = a, _X is _Y * 2",
        "3 is 5 - 2", "4 is 5 - 2", "_ is 5 - 2", "a is 5 - 2", "f(1) is 2 - 1", "_Y = 4, _X is _Y - 1, _X = 3",
        "_Y = 4, 3 is _Y + -1", "_Y = _Z, _Z = 3, _Y is 4 - 1", "_X is -2147483648 - 1", "_X is _Y - 1",
        "_Y = a, _X is _Y + 1", "_Y = 2 + 1, _X is _Y - 1", "_Y = 1, _X is 1 - 2 - _Y", "_X is 2, _X is 1 + 1",
    };
    for (const char* goal : goals) {
        int outcome[2];
        for (int traced = 0; traced < 2; ++traced) {
            const std::string text = std::string(goal) + ".";
            PieEngine* e = nullptr;
            ASSERT_EQ(PIE_init(&e, nullptr, kWin9x | (traced ? kTrace : 0)), 0);
            outcome[traced] = pl_guarded(e, -1, [&] {
                PlToken token;
                pl_lex_start(e, text.c_str(), &token);
                return pl_execute_main(e, pl_read_clause(e, &token, PL_CLAUSE));
            });
            if (outcome[traced] < 0) outcome[traced] = -pl_last_error(e).code;
            PIE_term(e);
        }
        EXPECT_EQ(outcome[0], outcome[1]) << goal;
    }
}

// Disjunctions solved by their rules and by the direct path must leave the same record: as a
// body's first goal retried for the goals after it, as a whole body, nested either way, mixed with
// ";", with cuts in either branch and at each depth, with bindings to undo, inside a negation,
// called through a variable, with a branch that is unbound or not callable, and in recursions
// deep enough to cross the stack's looks and to run out of it. (Where the native stack runs out
// depends on the frames each way takes, not on the count of levels: the recursions that reach
// it read no item, whose reads up to that point would tell the two ways apart.)
TEST(Differential, DisjunctionsAnswerAsTheirRules) {
    const pieprograms::Program programs[] = {
        {"p :- (a(ON) | b(ON)), c(ON).\nq :- (a(OFF) | b(ON) | c(ON)), d(OFF).\nr :- (a(ON) | b(ON)).\n"
         "s :- (a(OFF) | b(OFF) | c(OFF) | d(ON)).\n",
         {"p", "q", "r", "s", "(a(OFF) | b(ON))"}},
        {"p :- (a(ON), ! | b(ON)), c(OFF).\nq :- (a(OFF) | !, fail), c(ON).\nr :- (! | b(ON)).\n"
         "s :- (a(OFF) | (b(ON), !, fail) | c(ON)).\nt :- (a(OFF) | b(OFF) | !).\nt :- c(ON).\n"
         "u :- d(ON), (a(OFF) | !), e(OFF).\nu :- f(ON).\n",
         {"p", "q", "r", "s", "t", "u"}},
        {"p :- ((a(OFF) | b(ON)) | c(ON)), d(ON).\nq :- (a(OFF) ; b(OFF) | c(ON) ; d(ON)).\n"
         "r :- not((a(OFF) | b(OFF))).\ns :- _G = (a(OFF) | b(ON)), _G.\nt :- (a(OFF), b(ON) | c(ON), d(ON)).\n",
         {"p", "q", "r", "s", "t"}},
        {"p(_X) :- (_X = 1, a(OFF) | _X = 2 | _X = 3), _X >= 2.\nq(_X) :- (_X = 1 | _X = 2 | _X = 3), _X >= 3.\n"
         "r(_X) :- (a(ON) | _X), _X = 1.\ns(_X) :- (_X | a(ON)).\nt :- (a(OFF) | 3).\nu(_X) :- (a(_X) | b(_X)).\n"
         "v :- _M = (a(OFF) | b(ON)), (_M | c(ON)).\nw(_X) :- (a(OFF) | f(_X, 1) = f(2, 3) | _X = 5), _X == 5.\n"
         "x :- d(ON), (a(ON), b(OFF) | c(ON)), e(ON).\ny :- (a(ON), b(OFF) | c(ON) | a(ON), d(ON)), e(ON).\n"
         "h(ON) :- d(ON).\ng(OFF) :- a(ON), c(ON).\n",
         {"p(_X)", "q(_X)", "r(_X)", "s(_X)", "s(a(ON))", "t", "u(_X)", "u(OFF)", "v", "w(_X)", "x", "y"}},
        {"deep(0).\ndeep(_N) :- _N > 0, _M is _N - 1, (fail | a(OFF) | deep(_M)).\n"
         "left(0).\nleft(_N) :- _N > 0, _M is _N - 1, (left(_M) | fail).\nloop :- (fail | loop).\n",
         {"deep(70)", "deep(700)", "left(130)", "left(5000)", "loop"}},
        // Rules of items reading runs of another item's values, the commonest disjunction, while a
        // change of that item propagates and its value is held: runs that end in a match, in none,
        // or are broken off by another item, another kind of argument or another disjunction.
        {"e(OFF) :- (a(X1) | a(X2) | a(X3) | a(OFF) | a(ON)), b(ON), disable.\ne(_) :- enable.\n"
         "f(ON) :- (a(X1) | a(X2) | a(X3) | a(X4)).\n"
         "f(_) :- (a(X1) | a(X2) | b(ON) | b(X2) | a(X3) | b(OFF)), hide.\nf(_) :- show.\n"
         "d(_) :- (a(X1) | a(X2) | a(_Y) | a(X3)), _Y == ON, disable.\n"
         "h(ON) :- (g(X1) | g(X2) ; g(X3) | g(OFF)), show.\nh(OFF) :- (c(X1) | c(f(X2)) | c(X3) | c(ON)).\n",
         {"e(_X)", "f(_X)", "d(_)"}},
    };
    for (const pieprograms::Program& program : programs)
        for (bool counted : {false, true})
            EXPECT_EQ(first_difference(item_program(program, false, PLE_DISJUNCTION_RULES, counted),
                                       item_program(program, false, 0, counted)),
                      "")
                << program.text << (counted ? "(values held)" : "");
}

// A propagation's evaluations record their goal once, and with PLE_RECORD_EVALUATIONS again as
// their query's end once recorded it: items left "_" by their rules, with a value and without one
// (which each recording reads again from the host), must leave the same record.
TEST(Differential, EvaluationsRecordTheirGoalOnceAsTwice) {
    std::string record[2];
    for (int twice = 0; twice < 2; ++twice) {
        Recorder r(kWin9x | kPropagation, 0, twice ? uint32_t{PLE_RECORD_EVALUATIONS} : 0u);
        r.load("f(_) :- a(ON), enable.\nf(_) :- b(ON).\ng(_) :- f(_), disable.\nh(_) :- (a(OFF) | g(ON)), hide.\n"
               "h(_) :- enable.\nx(_) :- c(ON), show.\n");
        for (auto [id, value] : {std::pair{6, ""}, {1, "OFF"}, {2, "OFF"}, {6, "X1"}, {3, "OFF"}, {1, "ON"}}) {
            r.change(id, value);
            r.check(id);
        }
        record[twice] = r.transcript();
    }
    EXPECT_EQ(first_difference(record[1], record[0]), "");
}

// Rule bodies that open with a comparison, run by their chains and by the direct path, must leave
// the same record: tests that fail and hold, on integers, on anything else and on unbound
// variables, with the guard's cut, a binding to undo and a failure after it, an item read, a
// predicate's call, "is" and longer conjunctions after the test, and recursions deep enough to
// cross the stack's looks and to run out of it.
TEST(Differential, OpeningTestsAnswerAsTheirChains) {
    const pieprograms::Program programs[] = {
        {"max(_X, _Y, _Z) :- _X >= _Y, !, _Z = _X.\nmax(_X, _Y, _Y).\n",
         {"max(3, 2, _Z)", "max(2, 3, _Z)", "max(3, 2, 2)", "max(3, 3, 3)", "max(a, 2, _Z)", "max(_X, 2, _Z)",
          "max(2, 2, _)"}},
        {"p(_X, _Y) :- _X < _Y, fail, true.\np(_X, _Y) :- _X < _Y, a(ON), !.\np(_X, _Y) :- 1 =:= 1, b(OFF), c(ON).\n"
         "q(_X, _Y) :- _X =\\= _Y, !, r(_X).\nq(_X, _X).\nr(1).\n"
         "s(_X, _Y, _Z) :- _X > _Y, _Z = f(_X), _Z = f(0).\ns(_X, _Y, g).\n"
         "u(_X, _Y) :- _X > _Y, fail, !.\nu(_X, _Y) :- _Y > _X, !, fail.\nu(_X, _X).\n"
         "v(_X, _Y, _Z) :- _X < _Y, !, _Z is _X + _Y.\nv(_X, _Y, 0).\n"
         "w(_X) :- _X > 0, !, d(_X).\nw(_X) :- 0 <= _X, !, e(ON).\n",
         {"p(1, 2)", "p(2, 1)", "q(1, 2)", "q(2, 1)", "q(3, 3)", "s(2, 1, _Z)", "s(1, 2, _Z)", "u(2, 1)", "u(1, 2)",
          "u(1, 1)", "v(1, 2, _Z)", "v(2, 1, _Z)", "w(1)", "w(0)", "w(ON)"}},
        {"count(_N) :- _N > 0, !, _M is _N - 1, count(_M).\ncount(0).\n"
         "down(_N) :- _N <= 0, !, true.\ndown(_N) :- _M is _N - 1, down(_M).\n"
         "tak(_X, _Y, _Z, _A) :- _X <= _Y, !, _Z = _A.\n"
         "tak(_X, _Y, _Z, _A) :- _X1 is _X - 1, _Y1 is _Y - 1, _Z1 is _Z - 1,\n"
         "    tak(_X1, _Y, _Z, _A1), tak(_Y1, _Z, _X, _A2), tak(_Z1, _X, _Y, _A3), tak(_A1, _A2, _A3, _A).\n",
         {"count(70)", "count(700)", "count(5000)", "down(130)", "down(5000)", "tak(12, 8, 4, _A)",
          "tak(12, 8, 4, 4)"}},
    };
    for (const pieprograms::Program& program : programs)
        EXPECT_EQ(first_difference(item_program(program, true, PLE_OPENING_CHAINS), item_program(program, true)), "")
            << program.text;
}

// Rules whose body is a guard and its answer alone, tried as a conjunction's left goal without
// their frame and (PLE_OPENING_CHAINS) with it, must leave the same record: the answer bound on
// either side, two integers that meet or not (the cut then ends the clauses), a test that fails,
// arguments the body does not name, an operand or a side that is no integer, "_", one variable on
// both sides, bindings taken back when the goals after fail, an item read after, and a recursion
// through such a left goal deep enough to cross the stack's looks.
TEST(Differential, GuardsAnswerAsTheirFrames) {
    const pieprograms::Program programs[] = {
        {"g(_X, _Y, _Z, _A) :- _X <= _Y, !, _Z = _A.\ng(_X, _Y, _Z, other).\n"
         "h(_X, _Y, _Z) :- _X > _Y, !, _Z = _X.\nh(_X, _Y, _Y).\nk(_X, _Y) :- _X < _Y, !, _X = _Y.\nk(_X, _Y).\n"
         "m(_X, _Y, _W, _Z) :- _X < _Y, !, _Z = _X.\nm(_X, _Y, _W, no).\n"
         "s(_X, _Y, _Z) :- _X < _Y, !, _Z = _Z.\ns(_X, _Y, none).\n"
         "e(_X, _Y, _Z, _A) :- _X < _Y, !, _Z = _A.\ne(_X, _Y, _, _).\n"
         "t1 :- g(1, 2, 3, _R), _R == 3.\nt2 :- g(1, 2, _R, 4), _R == 4.\nt3 :- g(1, 2, 3, 3), true.\n"
         "t4 :- g(1, 2, 3, 4), true.\nt5 :- g(2, 1, 3, _R), _R == other.\nt6 :- g(1, 2, 3, _R), _R == other.\n"
         "t7 :- g(1, 2, 3, _R), fail.\nt7 :- true.\nt8 :- g(1, 2, _U, _U), var(_U).\nt9 :- g(1, 2, _, _R), var(_R).\n"
         "t10 :- g(1, 2, a, _R), _R == a.\nt11 :- g(_Q, 2, 3, _R), _R == other.\nt12 :- g(a, 2, 3, _R), _R == other.\n"
         "t13 :- h(3, 2, _R), _R == 3.\nt14 :- h(2, 3, _R), _R == 3.\nt15 :- k(1, 2), true.\nt16 :- k(2, 1), true.\n"
         "t17 :- m(1, 2, 7, _R), _R == 1.\nt18 :- m(1, 2, _W, _R), _R == 1, var(_W).\n"
         "t19 :- m(1, 2, a, _R), _R == 1.\nt20 :- s(1, 2, _R), var(_R).\nt21 :- s(1, 2, 5), true.\n"
         "t22 :- g(1, 2, _A, _B), _A == _B, _A = 7, _B == 7.\nt23 :- g(1, 2, f(1), _R), _R == f(1).\n"
         "t24 :- g(1, 2, 3, _R), a(ON), _R == 3.\nt25 :- g(1, 2, 3, _R), _R = 4.\n"
         "t26 :- g(12, 2, 3, _R), g(1, 22, _R, _S), _S == other.\nt27 :- e(1, 2, 3, 4), true.\n"
         "t28 :- e(1, 2, 3, 3), true.\n",
         {"t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "t10", "t11", "t12", "t13", "t14", "t15", "t16",
          "t17", "t18", "t19", "t20", "t21", "t22", "t23", "t24", "t25", "t26", "t27", "t28",
          "g(1, 2, 3, _R), _R == 3", "g(2, 1, 3, _R), true"}},
        {"d(_N, _R) :- _N <= 0, !, _R = _N.\nd(_N, _R) :- _M is _N - 1, d(_M, _S), _R = _S.\n",
         {"d(70, _R)", "d(700, 0)", "d(5000, _R)", "d(3, 1)"}},
    };
    for (const pieprograms::Program& program : programs)
        EXPECT_EQ(first_difference(item_program(program, true, PLE_OPENING_CHAINS), item_program(program, true)), "")
            << program.text;
}

}  // namespace
