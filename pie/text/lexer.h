// The lexer of rule text: turns 8-bit, NUL-terminated text into the tokens of the operator
// parser, interning names, converting numbers, expanding abbreviations and skipping comments.
// Its place in the text and the line number live in the engine.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlAtom;

enum PlTokenKind : int {
    PLT_DOT = 6,
    PLT_COMMA = 7,
    PLT_SEMICOLON = 8,
    PLT_OPEN = 9,    // "(" or "{"
    PLT_CLOSE = 10,  // ")" or "}"
    PLT_OPEN_LIST = 11,
    PLT_CLOSE_LIST = 12,
    PLT_BAR = 13,
    PLT_NAME = 21,  // name, symbol name, quoted name, "!", "^", abbreviation
    PLT_VARIABLE = 22,
    PLT_INTEGER = 23,
    PLT_NECK = 24,  // ":-"
    PLT_ANONYMOUS = 25,
    PLT_END = 26,
};

struct PlToken {
    int kind = PLT_END;
    PlAtom* atom = nullptr;  // names, variables and the separators
    int32_t value = 0;       // integers
};

// Longest name, variable, symbol run or abbreviation; one more character raises error 285.
constexpr int kPlMaxNameLength = 511;

// Class of a 7-bit character (the table of the rule syntax); bytes of 0x80 and above have none.
int pl_char_class(unsigned char c);

// True when every character is a letter or "$", or "_" after the first; the empty text passes.
bool pl_well_formed_name(const char* text);

// Starts reading text at line 1 and reads the first token into token.
void pl_lex_start(PieEngine* engine, const char* text, PlToken* token);
// Reads the next token into token and returns its kind. At the end of the text the end token is
// returned again on every further call.
int pllex(PieEngine* engine, PlToken* token);
