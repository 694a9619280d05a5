// The names the engine compares against without a lookup, in the order in which a new engine
// interns them. Each row is (field of PlPredefinedAtoms, name); fields differ from names only
// where a name is a symbol or a word of C++.
#pragma once

#define PL_PREDEFINED_ATOMS(X)                                                                  \
    X(dot, ".") X(comma, ",") X(semicolon, ";") X(bar, "|") X(cut, "!") X(caret, "^")           \
    X(query, "?-") X(neck, ":-") X(ON, "ON") X(OFF, "OFF") X(enable, "enable")                  \
    X(disable, "disable") X(readonly, "readonly") X(writable, "writable")                       \
    X(unsupported, "unsupported") X(constant, "constant") X(winNT, "winNT") X(win9X, "win9X")   \
    X(win95, "win95") X(win98, "win98") X(win2k, "win2k") X(Folionix, "Folionix") X(SDK, "SDK") \
    X(rreason, "rreason") X(action, "action") X(hide, "hide") X(show, "show")                   \
    X(sstatus, "sstatus") X(cputime, "cputime") X(reason, "reason") X(sreason, "sreason")       \
    X(not_, "not") X(status, "status") X(true_, "true") X(fail, "fail") X(apply, "apply")       \
    X(message, "message") X(disable_element, "disable_element")                                 \
    X(enable_element, "enable_element") X(show_element, "show_element")                         \
    X(hide_element, "hide_element") X(var_X, "_X") X(var_Y, "_Y") X(colons, "::") X(is, "is")   \
    X(plus, "+") X(minus, "-") X(times, "*") X(divide, "/") X(mod, "mod") X(bit_and, "/\\")     \
    X(bit_or, "\\/") X(tilde, "~") X(arith_eq, "=:=") X(arith_ne, "=\\=") X(lt, "<") X(gt, ">") \
    X(le, "<=") X(ge, ">=") X(dollars, "$$") X(teq, "teq") X(wait, "wait") X(sum, "sum")        \
    X(sub, "sub") X(multiply, "multiply") X(quotient, "quotient") X(modulo, "modulo")           \
    X(eq, "eq") X(ne, "ne") X(less, "less") X(greater, "greater") X(leq, "leq") X(geq, "geq")   \
    X(bitand_, "bitand") X(bitor_, "bitor") X(lshift, "lshift") X(rshift, "rshift")             \
    X(bitcmp, "bitcmp") X(tne, "tne") X(var, "var") X(atom, "atom") X(integer, "integer")       \
    X(term, "term") X(unify, "=") X(identical, "==") X(not_identical, "\\==")                   \
    X(init_status, "init_status") X(prev_status, "prev_status")                                 \
    X(count_element, "count_element") X(member, "member") X(get_top_enable, "get_top_enable")   \
    X(add_element, "add_element") X(del_element, "del_element") X(ins_element, "ins_element")   \
    X(index_element, "index_element") X(reflected, "reflected") X(version, "version")           \
    X(sreason_element, "sreason_element") X(rreason_element, "rreason_element")                 \
    X(reason_element, "reason_element") X(select_enable, "select_enable")                       \
    X(select_show, "select_show") X(RegistoryCheck, "RegistoryCheck")                           \
    X(unsupported_element, "unsupported_element")
