// Engine errors: the codes and message texts of the rule engine, the one exception that carries
// an error back to the API entry, and the fixed last-error record that the error routine fills.
#pragma once

#include <cstdint>

struct PieEngine;

// Errors in rules (256-294) and system errors (4097-4124); the numbers are the engine's own.
enum PlErrorCode : int {
    PL_ERR_REDEFINE_SYSTEM = 257,
    PL_ERR_NOPROPAGATE_PROPERTY = 258,
    PL_ERR_NOPROPAGATE_ARITY = 259,
    PL_ERR_FILE_OPEN = 260,
    PL_ERR_NOT_INITIALISED = 261,
    PL_ERR_INTEGER_OVERFLOW = 262,
    PL_ERR_VOID_PAREN = 263,
    PL_ERR_UNMATCHED_PAREN = 264,
    PL_ERR_UNMATCHED_BRACKET = 265,
    PL_ERR_BASIC_TERM = 266,
    PL_ERR_CANNOT_PROCEED = 267,
    PL_ERR_BINARY_OPERAND = 268,
    PL_ERR_NO_PARAMETER = 269,
    PL_ERR_PREFIX_OPERAND = 270,
    PL_ERR_WAIT_ELEMENT = 271,
    PL_ERR_WAIT_LIST = 272,
    PL_ERR_REASON_ARGUMENT = 273,
    PL_ERR_CONSTANT_PLACE = 274,
    PL_ERR_CONSTANT_HEAD = 275,
    PL_ERR_PROPERTY_GOAL = 276,
    PL_ERR_CONSTANT_REDEFINE = 277,
    PL_ERR_DIFFERENT_TARGET = 278,
    PL_ERR_GUI_ELEMENT = 279,
    PL_ERR_GUI_OPERAND = 280,
    PL_ERR_DIVISION_BY_ZERO = 281,
    PL_ERR_CONSTANT_RULE = 282,
    PL_ERR_MISSING_DOT = 283,
    PL_ERR_NOT_FUNCTOR = 284,
    PL_ERR_NAME_TOO_LONG = 285,
    PL_ERR_ABBREV_UNDEFINED = 286,
    PL_ERR_ILLEGAL_CHARACTER = 287,
    PL_ERR_TOO_MANY_SYMBOLS = 288,
    PL_ERR_TOO_MANY_FUNCTORS = 289,
    PL_ERR_TOO_MANY_ATOMS = 290,
    PL_ERR_AND_GROUP_SIZE = 291,
    PL_ERR_MEMBER_SIZE = 292,
    PL_ERR_ELF_HEADER = 293,
    PL_ERR_LOAD_ELEMENT = 294,

    PL_ERR_NO_MEMORY = 4097,
    PL_ERR_CELL_TYPE = 4098,
    PL_ERR_OPCODE_UNMATCHED = 4099,
    PL_ERR_OPCODE_UNDEFINED = 4100,
    PL_ERR_SAME_KEY = 4101,
    PL_ERR_STACK = 4102,
    PL_ERR_NO_PARENT = 4103,
    PL_ERR_READ_ONLY_OPERATOR = 4104,
    PL_ERR_LOGICAL_CODE = 4105,
    PL_ERR_BITMAP_SIZE = 4106,
    PL_ERR_TREE_TRANSLATION = 4107,
    PL_ERR_LOGICAL_TREE = 4108,
    PL_ERR_PATTERN = 4109,
    PL_ERR_FRAME = 4110,
    PL_ERR_NOT_UNIFIABLE = 4111,
    PL_ERR_NOT_CALLABLE = 4112,
    PL_ERR_FUNCTOR_TABLE = 4113,
    PL_ERR_COMPILE_SYMBOL = 4114,
    PL_ERR_PROPERTY_BASE = 4115,
    PL_ERR_ATOM_TABLE = 4116,
    PL_ERR_FUNCTOR_NOT_COLLECTED = 4117,
    PL_ERR_PROPERTY_LIST = 4118,
    PL_ERR_PROPERTY_FUNCTOR = 4119,
    PL_ERR_PROPERTY_PROPERTY = 4120,
    PL_ERR_BOUND_TABLE = 4121,
    PL_ERR_NODE_OVERFLOW = 4122,
    PL_ERR_ARGUMENT = 4123,
    PL_ERR_DATA = 4124,
};

// The one warning code: the pool could not give what a query asked for.
constexpr int PL_WARN_NO_MEMORY = 1;

constexpr int kPlErrorTextSize = 512;

// Last error or warning of an engine: one record inside the engine, overwritten each time, so
// that reporting memory exhaustion never needs memory. A warning leaves code 0.
struct PlErrorRecord {
    int32_t line = 0;
    char text[kPlErrorTextSize] = {};
    int32_t code = 0;
};

// Thrown by pl_fatal_error and caught only at the API entry (see guard.h).
class PlError {
public:
    PlError(int code, const char* function, const char* text);
    int code() const { return code_; }
    const char* function() const { return function_; }
    const char* text() const { return text_; }

private:
    int code_;
    const char* function_;
    char text_[kPlErrorTextSize];
};

// The message format of a code, or nullptr for a code with no text (256 included).
const char* pl_error_format(int code);

// Fills the engine's last-error record and throws PlError. The arguments follow the message
// format of the code (a name is passed as its C string, an atom as atom->name; a byte as an
// unsigned value); function names the reporting operation (shown for system errors).
[[noreturn]] void pl_fatal_error(PieEngine* engine, int code, const char* function, ...);

// Fills the last-error record with a warning text and returns: the query goes on.
void pl_warning(PieEngine* engine, int code, const char* function, ...);

const PlErrorRecord& pl_last_error(const PieEngine* engine);
