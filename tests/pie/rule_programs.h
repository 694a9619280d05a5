// Rule programs that several tests and the benchmarks run: programs of the kinds the host writes
// (hand-written, and generated from a seed), each with its queries, and the classic benchmark
// programs written in the rule syntax (naive reverse, tak with "is" and with the arithmetic
// built-ins, all answers of 8 queens, symbolic derivative).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pieprograms {

struct Program {
    std::string text;
    std::vector<std::string> queries;
};

// Item programs over the items a to h of the recording host.
inline const std::vector<Program>& HandWritten() {
    static const std::vector<Program> programs = {
        {"p :- a(ON), !, b(ON).\np :- c(ON).\n", {"p"}},
        {"p :- a(ON), b(ON), !.\np :- c(ON).\n", {"p"}},
        {"q(1).\nq(2).\nq(3).\np(_Y) :- q(_Y), eq(_Y, 2).\nr :- q(_Z), !, eq(_Z, 2).\nr :- a(ON).\n",
         {"p(_Y)", "p(3)", "r"}},
        {"p :- g(ON), h(ON), fail.\np :- g(ON), h(OFF).\np :- not(g(OFF)), h(ON).\n", {"p"}},
        {"p :- g(_X), member(_X, [ON, X1]), h(_Y), member(_Y, [ON]).\nq :- g(_X), not(member(_X, [OFF])).\n",
         {"p", "q"}},
        {"s :- (a(ON), !, b(ON) ; c(ON)), d(ON).\nt :- not((a(ON), b(OFF))), e(ON).\n", {"s", "t"}},
        // What a query's last goals read is propagated after it; shared goals must not change that.
        {"p :- a(ON), b(ON), fail.\np :- a(ON), b(ON).\nc(_X) :- b(_B), _X = _B.\nd(_X) :- a(_A), _X = _A.\n",
         {"p", "c(_X)"}},
        // Member tests of items whose rules work their value out, and of facts.
        {"b(_X) :- a(_A), _X = _A.\np :- b(_V), member(_V, [OFF]).\nq(OFF).\nq(X1).\nr :- q(_V), member(_V, [X1]).\n",
         {"p", "r"}},
        // Rules taken out by their written bodies.
        {"p :- a(ON), b(ON), c(ON).\np :- c(ON).\nq :- a(ON), b(ON).\nr :- a(ON), b(ON).\n",
         {"retract((p :- a(ON), b(_B), c(ON)))", "p", "retract((q :- _Body))", "q", "retract((r :- a(ON)))", "r"}},
        // Item rules: values and display states that depend on other items, read in several rules.
        {"b(OFF) :- a(ON), c(ON), !.\nb(ON) :- a(_A), member(_A, [OFF, X1]), c(ON).\n"
         "d(_X) :- b(_B), c(ON), _X = _B.\ne(ON) :- a(ON), g(ON), d(OFF), !.\ne(OFF) :- a(ON), g(ON).\n"
         "f(_X) :- g(_G), member(_G, [ON, X1]), _X = ON.\nf(OFF) :- g(OFF), a(ON).\n"
         "h(_) :- a(OFF), g(ON), !, disable.\nh(_) :- c(ON), g(ON), enable, hide.\n",
         {"b(_X)", "d(_X)", "e(_X)", "f(_X)", "h(_X)"}},
        // An item a choice's rule reads keeps its default clause when the last written rule reading it goes.
        {"d(1) :- select_enable(a, [x]), c(ON).\nq :- a(ON).\n", {"retract((q :- _B))", "a(_X)"}},
    };
    return programs;
}

// Generated item programs: each item's rules read earlier items through ground tests (mostly of
// a and b, so that rules share them), member tests, negations, alternatives and cuts. Round r
// of 16 continues the one random sequence the rounds before it drew from; the draws of one
// goal are taken left to right, one statement each, so that every compiler writes the same text.
inline std::vector<Program> Generated() {
    std::vector<Program> programs;
    uint32_t seed = 12345;
    auto next = [&](uint32_t n) { return (seed = seed * 1103515245u + 12345u) / 65536u % n; };
    const char* const names[] = {"a", "b", "c", "d", "e", "f", "g", "h"};
    const char* const values[] = {"ON", "OFF", "X1"};
    for (int round = 0; round < 16; ++round) {
        Program program;
        for (int head = 3; head < 8; ++head) {
            program.queries.push_back(std::string(names[head]) + "(_X)");
            for (uint32_t clause = 0, clauses = 1 + next(3); clause < clauses; ++clause) {
                std::string body;
                auto item = [&] { return std::string(names[next(static_cast<uint32_t>(head))]); };
                for (uint32_t goal = 0, goals = 1 + next(4); goal < goals; ++goal) {
                    const std::string v = "_V" + std::to_string(goal);
                    switch (next(6)) {
                    case 0: case 1: {
                        const std::string name = names[next(2)];
                        const std::string value = values[next(2)];
                        body += name + "(" + value + ")";
                        break;
                    }
                    case 2: body += item() + "(" + v + "), member(" + v + ", [ON, X1])"; break;
                    case 3: body += "!"; break;
                    case 4: body += "not(" + item() + "(OFF))"; break;
                    default: {
                        const std::string first = item();
                        const std::string second = item();
                        body += "(" + first + "(ON) ; " + second + "(X1))";
                        break;
                    }
                    }
                    body += ", ";
                }
                program.text += std::string(names[head]) + "(_X) :- " + body + "_X = " + values[next(3)] + ".\n";
            }
        }
        programs.push_back(std::move(program));
    }
    return programs;
}

// Naive reverse: nrev of an n-element list takes (n + 1)(n + 2) / 2 logical inferences.
constexpr const char* kNrev =
    "app([], _L, _L).\n"
    "app([_H | _T], _L, [_H | _R]) :- app(_T, _L, _R).\n"
    "nrev([], []).\n"
    "nrev([_H | _T], _R) :- nrev(_T, _RT), app(_RT, [_H], _R).\n";

inline std::string NrevQuery(int n) {
    std::string list;
    for (int i = 1; i <= n; ++i) list += (i > 1 ? ", " : "") + std::to_string(i);
    return "nrev([" + list + "], _R)";
}

// Takeuchi's function, once with "is" and comparison operators (through the system rules) and
// once with the arithmetic built-ins they stand for.
constexpr const char* kTakIs =
    "tak(_X, _Y, _Z, _A) :- _X <= _Y, !, _Z = _A.\n"
    "tak(_X, _Y, _Z, _A) :- _X1 is _X - 1, _Y1 is _Y - 1, _Z1 is _Z - 1,\n"
    "    tak(_X1, _Y, _Z, _A1), tak(_Y1, _Z, _X, _A2), tak(_Z1, _X, _Y, _A3), tak(_A1, _A2, _A3, _A).\n";
constexpr const char* kTakSub =
    "tak(_X, _Y, _Z, _A) :- leq(_X, _Y), !, _Z = _A.\n"
    "tak(_X, _Y, _Z, _A) :- sub(_X, 1, _X1), sub(_Y, 1, _Y1), sub(_Z, 1, _Z1),\n"
    "    tak(_X1, _Y, _Z, _A1), tak(_Y1, _Z, _X, _A2), tak(_Z1, _X, _Y, _A3), tak(_A1, _A2, _A3, _A).\n";

inline std::string TakQuery(int x, int y, int z) {
    return "tak(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(z) + ", _A)";
}

// Every placing of 8 queens, counted: the search retries the columns of each left goal of the
// conjunction, and each placing found bumps the counter before the search fails back into it.
// (The engine's one-argument predicates are items, so every predicate here takes two or more.)
constexpr const char* kQueens =
    "col(8, 1). col(8, 2). col(8, 3). col(8, 4). col(8, 5). col(8, 6). col(8, 7). col(8, 8).\n"
    "ok(_A, _B, _D) :- ne(_A, _B), sub(_A, _B, _X), ne(_X, _D), sub(_B, _A, _Y), ne(_Y, _D).\n"
    "place :- col(8, _A), col(8, _B), ok(_A, _B, 1),\n"
    "    col(8, _C), ok(_A, _C, 2), ok(_B, _C, 1),\n"
    "    col(8, _D), ok(_A, _D, 3), ok(_B, _D, 2), ok(_C, _D, 1),\n"
    "    col(8, _E), ok(_A, _E, 4), ok(_B, _E, 3), ok(_C, _E, 2), ok(_D, _E, 1),\n"
    "    col(8, _F), ok(_A, _F, 5), ok(_B, _F, 4), ok(_C, _F, 3), ok(_D, _F, 2), ok(_E, _F, 1),\n"
    "    col(8, _G), ok(_A, _G, 6), ok(_B, _G, 5), ok(_C, _G, 4), ok(_D, _G, 3), ok(_E, _G, 2), ok(_F, _G, 1),\n"
    "    col(8, _H), ok(_A, _H, 7), ok(_B, _H, 6), ok(_C, _H, 5), ok(_D, _H, 4), ok(_E, _H, 3), ok(_F, _H, 2),\n"
    "    ok(_G, _H, 1), found, fail.\n"
    "place.\n"
    "found :- retract(solutions(count, _N)), sum(_N, 1, _M), assert(solutions(count, _M)).\n"
    "solutions(count, 0).\n"
    "queens(8, _N) :- retract(solutions(count, _)), assert(solutions(count, 0)), place, solutions(count, _N).\n";
constexpr const char* kQueensQuery = "queens(8, _N)";

// Symbolic derivative: the four expressions of the classic benchmark (powers written pow(U, N)),
// with heads that exclude each other in place of its cuts.
constexpr const char* kDeriv =
    "d(_U + _V, x, _DU + _DV) :- d(_U, x, _DU), d(_V, x, _DV).\n"
    "d(_U - _V, x, _DU - _DV) :- d(_U, x, _DU), d(_V, x, _DV).\n"
    "d(_U * _V, x, _DU * _V + _U * _DV) :- d(_U, x, _DU), d(_V, x, _DV).\n"
    "d(_U / _V, x, (_DU * _V - _U * _DV) / pow(_V, 2)) :- d(_U, x, _DU), d(_V, x, _DV).\n"
    "d(pow(_U, _N), x, _DU * _N * pow(_U, _N1)) :- integer(_N), sub(_N, 1, _N1), d(_U, x, _DU).\n"
    "d(- _U, x, - _DU) :- d(_U, x, _DU).\n"
    "d(exp(_U), x, exp(_U) * _DU) :- d(_U, x, _DU).\n"
    "d(log(_U), x, _DU / _U) :- d(_U, x, _DU).\n"
    "d(x, x, 1).\n"
    "d(_C, x, 0) :- integer(_C).\n"
    "deriv(_A, _B, _C, _D) :-\n"
    "    d((x + 1) * ((pow(x, 2) + 2) * (pow(x, 3) + 3)), x, _A),\n"
    "    d(((((((((x / x) / x) / x) / x) / x) / x) / x) / x) / x, x, _B),\n"
    "    d(log(log(log(log(log(log(log(log(log(log(x)))))))))), x, _C),\n"
    "    d(((((((((x * x) * x) * x) * x) * x) * x) * x) * x) * x, x, _D).\n";
constexpr const char* kDerivQuery = "deriv(_A, _B, _C, _D)";

}  // namespace pieprograms
