// The operator table: one entry per operator name with its prefix, infix and postfix
// definitions. It starts with the built-in rows and grows through the op built-in; the parser
// reads it to shape terms and the printer to write them back.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlAtom;
struct PlFunctor;

// Operator type codes; the names ("fx" ...) are the atoms op/3 accepts.
enum PlOpType : int { PL_FX = 0, PL_FY = 1, PL_XF = 2, PL_YF = 3, PL_XFX = 4, PL_XFY = 5, PL_YFX = 6, PL_YFY = 7 };

struct PlOpDefinition {
    int type;
    int priority;
    PlFunctor* functor;  // name/1 for prefix and postfix, name/2 for infix
};

struct PlOperator {
    PlAtom* name;
    PlOpDefinition* prefix;
    PlOpDefinition* infix;
    PlOpDefinition* postfix;
};

// Makes the table with the built-in rows and marks their functors system (arithmetic rows) or
// read-only and system (logical rows); keeps the entries of ":-", ";", "|" and ",".
void pl_operators_create(PieEngine* engine);

// Sets the definition of name for the kind of type (prefix 0-1, postfix 2-3, infix 4-7) and
// returns the entry; a type outside 0-7 changes nothing. Changing a definition whose functor is
// read-only or system raises error 4104.
PlOperator* plop_put(PieEngine* engine, PlAtom* name, int type, int priority);
// The entry of name, or nullptr.
PlOperator* pl_operator_lookup(PieEngine* engine, PlAtom* name);

// The highest priority the right operand (a prefix operator's operand) may have.
int pl_op_right_bound(const PlOpDefinition& definition);

// The code of a type name ("xfx" gives 4), or -1; and the name of a code.
int pl_op_type_code(const char* name);
const char* pl_op_type_name(int type);
