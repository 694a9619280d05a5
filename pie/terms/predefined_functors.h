// The engine's one table of predefined functors: every built-in predicate, the operators' and
// system rules' functors, the atoms that loading compares against, and the codes by which a
// compiled rule image names them. Registration of the built-ins, the compiler and the image
// loader all read these rows, so the three cannot disagree.
#pragma once

#include <cstdint>

// Row kinds: a built-in predicate is registered with a system clause of anonymous arguments.
enum PlPredefinedKind : uint8_t { PLP_OTHER = 0, PLP_BUILTIN = 1 };

// X(field, name, arity, kind, built-in flag, image code); image code 0 is "none". The built-ins
// come first, in the order in which they are registered.
#define PL_PREDEFINED_FUNCTORS(X)                                                                   \
    X(cut_0, "!", 0, PLP_BUILTIN, 0, 0)                                                             \
    X(sum_3, "sum", 3, PLP_BUILTIN, 0, 0x39) X(sub_3, "sub", 3, PLP_BUILTIN, 0, 0x3A)               \
    X(multiply_3, "multiply", 3, PLP_BUILTIN, 0, 0x3B) X(quotient_3, "quotient", 3, PLP_BUILTIN, 0, 0x3C) \
    X(modulo_3, "modulo", 3, PLP_BUILTIN, 0, 0x3D) X(eq_2, "eq", 2, PLP_BUILTIN, 0, 0x3E)           \
    X(ne_2, "ne", 2, PLP_BUILTIN, 0, 0x3F) X(less_2, "less", 2, PLP_BUILTIN, 0, 0x40)               \
    X(greater_2, "greater", 2, PLP_BUILTIN, 0, 0x41) X(leq_2, "leq", 2, PLP_BUILTIN, 0, 0x42)       \
    X(geq_2, "geq", 2, PLP_BUILTIN, 0, 0x43) X(bitand_3, "bitand", 3, PLP_BUILTIN, 0, 0x44)         \
    X(bitor_3, "bitor", 3, PLP_BUILTIN, 0, 0x45) X(lshift_3, "lshift", 3, PLP_BUILTIN, 0, 0x46)     \
    X(rshift_3, "rshift", 3, PLP_BUILTIN, 0, 0x47) X(bitcmp_2, "bitcmp", 2, PLP_BUILTIN, 0, 0x48)   \
    X(teq_2, "teq", 2, PLP_BUILTIN, 0, 0x49) X(tne_2, "tne", 2, PLP_BUILTIN, 0, 0x4A)               \
    X(var_1, "var", 1, PLP_BUILTIN, 0, 0x4B) X(atom_1, "atom", 1, PLP_BUILTIN, 0, 0x4C)                \
    X(integer_1, "integer", 1, PLP_BUILTIN, 0, 0x4D) X(term_1, "term", 1, PLP_BUILTIN, 0, 0x4E)     \
    X(comma_2, ",", 2, PLP_BUILTIN, 0, 0x14) X(unify_2, "=", 2, PLP_BUILTIN, 0, 0x4F)               \
    X(not_1, "not", 1, PLP_BUILTIN, 0, 0x13) X(status_2, "status", 2, PLP_BUILTIN, 0, 0x18)         \
    X(sstatus_2, "sstatus", 2, PLP_BUILTIN, 0, 0x0D) X(enable_3, "enable", 3, PLP_BUILTIN, 0, 0x0B) \
    X(readonly_3, "readonly", 3, PLP_BUILTIN, 0, 0x0C) X(action_2, "action", 2, PLP_BUILTIN, 0, 0x16) \
    X(action_3, "action", 3, PLP_BUILTIN, 0, 0x17) X(show_3, "show", 3, PLP_BUILTIN, 0, 0x0A)       \
    X(message_1, "message", 1, PLP_BUILTIN, 1, 0x19) X(apply_1, "apply", 1, PLP_BUILTIN, 0, 0x52)   \
    X(reason_3, "reason", 3, PLP_BUILTIN, 0, 0x0F) X(sreason_3, "sreason", 3, PLP_BUILTIN, 0, 0x10) \
    X(reason_element_3, "reason_element", 3, PLP_BUILTIN, 0, 0)                                     \
    X(sreason_element_3, "sreason_element", 3, PLP_BUILTIN, 0, 0)                                   \
    X(reason_1, "reason", 1, PLP_BUILTIN, 0, 0x11) X(sreason_1, "sreason", 1, PLP_BUILTIN, 0, 0x12) \
    X(status_4, "status", 4, PLP_BUILTIN, 0, 0x1E) X(sstatus_4, "sstatus", 4, PLP_BUILTIN, 0, 0x0E) \
    X(init_status_2, "init_status", 2, PLP_BUILTIN, 0, 0x53)                                        \
    X(prev_status_2, "prev_status", 2, PLP_BUILTIN, 0, 0x54)                                        \
    X(show_element_2, "show_element", 2, PLP_BUILTIN, 0, 0x1C)                                      \
    X(hide_element_2, "hide_element", 2, PLP_BUILTIN, 0, 0x1D)                                      \
    X(disable_element_2, "disable_element", 2, PLP_BUILTIN, 0, 0x1A)                                \
    X(enable_element_2, "enable_element", 2, PLP_BUILTIN, 0, 0x1B)                                  \
    X(unsupported_element_2, "unsupported_element", 2, PLP_BUILTIN, 0, 0)                           \
    X(count_element_4, "count_element", 4, PLP_BUILTIN, 0, 0x55)                                    \
    X(count_element_2, "count_element", 2, PLP_BUILTIN, 0, 0x56)                                    \
    X(member_2, "member", 2, PLP_BUILTIN, 0, 0x58)                                                  \
    X(get_top_enable_3, "get_top_enable", 3, PLP_BUILTIN, 0, 0x57)                                  \
    X(add_element_3, "add_element", 3, PLP_BUILTIN, 1, 0x59)                                        \
    X(del_element_3, "del_element", 3, PLP_BUILTIN, 1, 0x5A)                                        \
    X(ins_element_4, "ins_element", 4, PLP_BUILTIN, 1, 0x5B)                                        \
    X(index_element_3, "index_element", 3, PLP_BUILTIN, 1, 0x5C)                                    \
    X(index_element_2, "index_element", 2, PLP_BUILTIN, 1, 0x5D)                                    \
    X(rreason_2, "rreason", 2, PLP_BUILTIN, 0, 0x33) X(rreason_1, "rreason", 1, PLP_BUILTIN, 0, 0x32) \
    X(reflected_1, "reflected", 1, PLP_BUILTIN, 0, 0x5E)                                            \
    X(unsupported_3, "unsupported", 3, PLP_BUILTIN, 0, 0x34) X(wait_1, "wait", 1, PLP_BUILTIN, 0, 0x35) \
    X(version_1, "version", 1, PLP_BUILTIN, 0, 0x5F)                                                \
    X(arith_eq_2, "=:=", 2, PLP_BUILTIN, 0, 0x29) X(arith_ne_2, "=\\=", 2, PLP_BUILTIN, 0, 0x2A)    \
    X(lt_2, "<", 2, PLP_BUILTIN, 0, 0x2B) X(gt_2, ">", 2, PLP_BUILTIN, 0, 0x2C)                     \
    X(le_2, "<=", 2, PLP_BUILTIN, 0, 0x2D) X(ge_2, ">=", 2, PLP_BUILTIN, 0, 0x2E)                   \
    X(identical_2, "==", 2, PLP_BUILTIN, 0, 0) X(not_identical_2, "\\==", 2, PLP_BUILTIN, 0, 0x50)  \
    X(neck_2, ":-", 2, PLP_BUILTIN, 0, 0x37) X(true_0, "true", 0, PLP_BUILTIN, 0, 0x66)             \
    X(fail_0, "fail", 0, PLP_BUILTIN, 0, 0x67) X(halt_0, "halt", 0, PLP_BUILTIN, 0, 0)              \
    X(cputime_1, "cputime", 1, PLP_BUILTIN, 0, 0) X(heapused_1, "heapused", 1, PLP_BUILTIN, 0, 0)   \
    X(assert_1, "assert", 1, PLP_BUILTIN, 0, 0) X(assertz_1, "assertz", 1, PLP_BUILTIN, 0, 0)       \
    X(asserta_1, "asserta", 1, PLP_BUILTIN, 0, 0) X(clause_2, "clause", 2, PLP_BUILTIN, 0, 0)       \
    X(retract_1, "retract", 1, PLP_BUILTIN, 0, 0) X(abolish_2, "abolish", 2, PLP_BUILTIN, 0, 0)     \
    X(op_3, "op", 3, PLP_BUILTIN, 0, 0) X(abbrev_2, "abbrev", 2, PLP_BUILTIN, 0, 0)                 \
    X(cstatus_2, "cstatus", 2, PLP_BUILTIN, 1, 0) X(Folionix_1, "Folionix", 1, PLP_BUILTIN, 0, 0)   \
    X(Folionix_0, "Folionix", 0, PLP_BUILTIN, 0, 0x75) X(SDK_0, "SDK", 0, PLP_BUILTIN, 0, 0x76)     \
    X(FindWindow_1, "FindWindow", 1, PLP_BUILTIN, 1, 0)                                             \
    X(RegistoryCheck_2, "RegistoryCheck", 2, PLP_BUILTIN, 0, 0x60)                                  \
    X(set_force_propagate_2, "$set_force_propagate", 2, PLP_BUILTIN, 0, 0)                          \
    X(semicolon_2, ";", 2, PLP_OTHER, 0, 0) X(bar_2, "|", 2, PLP_OTHER, 0, 0x15)                    \
    X(query_1, "?-", 1, PLP_OTHER, 0, 0) X(is_2, "is", 2, PLP_OTHER, 0, 0x2F)                       \
    X(plus_2, "+", 2, PLP_OTHER, 0, 0x1F) X(minus_2, "-", 2, PLP_OTHER, 0, 0x20)                    \
    X(times_2, "*", 2, PLP_OTHER, 0, 0x21) X(divide_2, "/", 2, PLP_OTHER, 0, 0x22)                  \
    X(mod_2, "mod", 2, PLP_OTHER, 0, 0x23) X(plus_1, "+", 1, PLP_OTHER, 0, 0x24)                    \
    X(minus_1, "-", 1, PLP_OTHER, 0, 0x25) X(bit_and_2, "/\\", 2, PLP_OTHER, 0, 0x26)               \
    X(bit_or_2, "\\/", 2, PLP_OTHER, 0, 0x27) X(lshift_op_2, "<<", 2, PLP_OTHER, 0, 0)              \
    X(rshift_op_2, ">>", 2, PLP_OTHER, 0, 0) X(complement_1, "\\", 1, PLP_OTHER, 0, 0)              \
    X(tilde_1, "~", 1, PLP_OTHER, 0, 0) X(colons_2, "::", 2, PLP_OTHER, 0, 0)                       \
    X(caret_1, "^", 1, PLP_OTHER, 0, 0x61) X(dollars_1, "$$", 1, PLP_OTHER, 0, 0x31)                \
    X(wait_3, "wait", 3, PLP_OTHER, 0, 0x36) X(select_enable_2, "select_enable", 2, PLP_OTHER, 0, 0) \
    X(select_show_2, "select_show", 2, PLP_OTHER, 0, 0)                                             \
    X(rreason_element_3, "rreason_element", 3, PLP_OTHER, 0, 0)                                     \
    X(heapused_0, "heapused", 0, PLP_OTHER, 0, 0) X(ON_0, "ON", 0, PLP_OTHER, 0, 0x64)              \
    X(OFF_0, "OFF", 0, PLP_OTHER, 0, 0x65) X(disable_0, "disable", 0, PLP_OTHER, 0, 0x68)           \
    X(enable_0, "enable", 0, PLP_OTHER, 0, 0x69) X(show_0, "show", 0, PLP_OTHER, 0, 0x6A)           \
    X(hide_0, "hide", 0, PLP_OTHER, 0, 0x6B) X(readonly_0, "readonly", 0, PLP_OTHER, 0, 0x6C)       \
    X(writable_0, "writable", 0, PLP_OTHER, 0, 0x6D)                                                \
    X(unsupported_0, "unsupported", 0, PLP_OTHER, 0, 0x6E)                                          \
    X(constant_0, "constant", 0, PLP_OTHER, 0, 0x6F) X(win9X_0, "win9X", 0, PLP_OTHER, 0, 0x70)     \
    X(win2k_0, "win2k", 0, PLP_OTHER, 0, 0x71) X(winNT_0, "winNT", 0, PLP_OTHER, 0, 0x72)           \
    X(win95_0, "win95", 0, PLP_OTHER, 0, 0x73) X(win98_0, "win98", 0, PLP_OTHER, 0, 0x74)

enum PlPredefinedFunctor : int {
#define PL_PREDEFINED_ENUM(field, name, arity, kind, flag, code) PLP_##field,
    PL_PREDEFINED_FUNCTORS(PL_PREDEFINED_ENUM)
#undef PL_PREDEFINED_ENUM
    kPlPredefinedFunctorCount
};

struct PlPredefinedRow {
    const char* name;
    uint32_t arity;
    PlPredefinedKind kind;
    uint8_t builtin_flag;  // 1 for the built-ins the host may be asked about (message/1 ...)
    uint8_t image_code;
};

extern const PlPredefinedRow kPlPredefinedRows[kPlPredefinedFunctorCount];
