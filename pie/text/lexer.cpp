// The rule-text lexer. It reads the text in place: names are interned straight from their run
// of characters, so a token costs no allocation unless its name is new to the engine. The end
// token never moves past the terminating NUL, however often it is asked for again.
#include "pie/text/lexer.h"

#include "pie/text/abbrev.h"
#include "pie/api/engine.h"

#include <cstring>

namespace {

// Character classes: 0 unusable, 1 a-z, 2 A-Z, 3 "_", 4 digit, 5 symbol character, 6-20 the
// single characters of the rule syntax, 26 NUL.
enum CharClass : unsigned char {
    C_BLANK = 0, C_LOWER = 1, C_UPPER = 2, C_UNDERSCORE = 3, C_DIGIT = 4, C_SYMBOL = 5,
    C_DOT = 6, C_COMMA = 7, C_SEMICOLON = 8, C_OPEN = 9, C_CLOSE = 10, C_OPEN_LIST = 11,
    C_CLOSE_LIST = 12, C_BAR = 13, C_BANG = 14, C_QUOTE = 15, C_PERCENT = 16, C_HASH = 17,
    C_DOLLAR = 18, C_CARET = 19, C_QUESTION = 20, C_NUL = 26,
};

constexpr auto kClasses = [] {
    struct Table { unsigned char c[128]; } t{};
    auto put = [&t](const char* chars, CharClass k) {
        for (const char* p = chars; *p; ++p) t.c[static_cast<unsigned char>(*p)] = k;
    };
    t.c[0] = C_NUL;  // 0x01-0x20, the double quote and 0x7F stay 0
    for (int c = 'a'; c <= 'z'; ++c) t.c[c] = C_LOWER;
    for (int c = 'A'; c <= 'Z'; ++c) t.c[c] = C_UPPER;
    for (int c = '0'; c <= '9'; ++c) t.c[c] = C_DIGIT;
    put("&*+-/:<=>@\\~`", C_SYMBOL);
    put("_", C_UNDERSCORE); put(".", C_DOT); put(",", C_COMMA); put(";", C_SEMICOLON);
    put("({", C_OPEN); put(")}", C_CLOSE); put("[", C_OPEN_LIST); put("]", C_CLOSE_LIST);
    put("|", C_BAR); put("!", C_BANG); put("'", C_QUOTE); put("%", C_PERCENT); put("#", C_HASH);
    put("$", C_DOLLAR); put("^", C_CARET); put("?", C_QUESTION);
    return t;
}();

bool is_name_char(unsigned char c) {
    if (c >= 0x80) return false;
    const int k = kClasses.c[c];
    return k == C_LOWER || k == C_UPPER || k == C_DIGIT || k == C_UNDERSCORE || k == C_DOLLAR;
}
bool is_letter(unsigned char c) { return c < 0x80 && (kClasses.c[c] == C_LOWER || kClasses.c[c] == C_UPPER); }
bool is_symbol(unsigned char c) { return c < 0x80 && kClasses.c[c] == C_SYMBOL; }

using Text = const unsigned char*;

Text position(const PieEngine* engine) { return reinterpret_cast<Text>(engine->text_position); }
void set_position(PieEngine* engine, Text p) { engine->text_position = reinterpret_cast<const char*>(p); }

// The end of the run that starts at p; a run longer than a name may be raises error 285.
template <class Pred>
Text scan_run(PieEngine* engine, Text p, Pred keep) {
    Text start = p;
    while (keep(*p)) {
        ++p;
        if (p - start > kPlMaxNameLength) pl_fatal_error(engine, PL_ERR_NAME_TOO_LONG, "pllex");
    }
    return p;
}

PlAtom* intern_run(PieEngine* engine, Text start, Text end) {
    return pie_intern_string_len(engine, reinterpret_cast<const char*>(start), static_cast<size_t>(end - start));
}

// A comment runs to the next line feed or form feed, which ends it and counts a line. A byte of
// 0x80 or above starts a double-byte character and takes the next byte with it, but only a byte
// that can be a trail byte (0x40 and above): a stray lead byte at the end of a comment line must
// not hide the line break, and pairing with the NUL would step past the end of the text.
Text skip_comment(PieEngine* engine, Text p) {
    for (;;) {
        const unsigned char c = *p;
        if (c == '\0') return p;
        ++p;
        if (c == '\n' || c == '\f') {
            ++engine->line;
            return p;
        }
        if (c >= 0x80 && *p >= 0x40) ++p;
    }
}

// Digits, then an optional "KB" (times 1) or "MB" (times 1,024) suffix in upper case.
Text read_integer(PieEngine* engine, Text p, PlToken* token) {
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) pl_fatal_error(engine, PL_ERR_INTEGER_OVERFLOW, "fetch_number");
    }
    if (p[0] == 'K' && p[1] == 'B') {
        p += 2;
    } else if (p[0] == 'M' && p[1] == 'B') {
        p += 2;
        value *= 1024;
        if (value > INT32_MAX) pl_fatal_error(engine, PL_ERR_INTEGER_OVERFLOW, "fetch_number");
    }
    token->kind = PLT_INTEGER;
    token->value = static_cast<int32_t>(value);
    return p;
}

// Between quotes, any byte but NUL and no escapes; line breaks inside still count.
Text read_quoted(PieEngine* engine, Text p, PlToken* token) {
    Text start = ++p;
    for (; *p != '\''; ++p) {
        if (*p == '\0') pl_fatal_error(engine, PL_ERR_PATTERN, "pattern_length", 0x20u);
        if (*p == '\n' || *p == '\f') ++engine->line;
    }
    token->kind = PLT_NAME;
    token->atom = intern_run(engine, start, p);
    return p + 1;
}

Text read_abbreviation(PieEngine* engine, Text p, PlToken* token) {
    Text start = p + 1;
    Text end = scan_run(engine, start, is_name_char);
    PlAtom* name = intern_run(engine, start, end);
    PlAtom* expansion = pl_abbrev_lookup(engine, name);
    if (!expansion) pl_fatal_error(engine, PL_ERR_ABBREV_UNDEFINED, "pllex", name->name);
    token->kind = PLT_NAME;
    token->atom = expansion;
    return end;
}

Text single(PlToken* token, int kind, PlAtom* atom, Text p) {
    token->kind = kind;
    token->atom = atom;
    return p + 1;
}

}  // namespace

int pl_char_class(unsigned char c) { return c < 0x80 ? kClasses.c[c] : static_cast<int>(C_BLANK); }

bool pl_well_formed_name(const char* text) {
    for (const char* p = text; *p; ++p) {
        const int k = pl_char_class(static_cast<unsigned char>(*p));
        if (k == C_LOWER || k == C_UPPER || k == C_DOLLAR) continue;
        if (k == C_UNDERSCORE && p != text) continue;
        return false;
    }
    return true;
}

void pl_lex_start(PieEngine* engine, const char* text, PlToken* token) {
    engine->line = 1;
    engine->text_position = text;
    pllex(engine, token);
}

int pllex(PieEngine* engine, PlToken* token) {
    *token = PlToken{};
    const PlPredefinedAtoms& atom = engine->atom;
    Text p = position(engine);
    for (;;) {
        const unsigned char c = *p;
        switch (c) {
        case '\0':
            token->kind = PLT_END;  // stays on the NUL
            set_position(engine, p);
            return token->kind;
        case '\n':
        case '\f':
            ++engine->line;
            [[fallthrough]];
        case '\t':
        case '\r':
        case 0x1A:
        case ' ':
            ++p;
            continue;
        case '#':
        case '%':
            p = skip_comment(engine, p + 1);
            continue;
        default:
            break;
        }
        const int k = pl_char_class(c);
        if (c < 0x80 && (is_letter(c) || k == C_DOLLAR)) {
            Text end = scan_run(engine, p, is_name_char);
            token->kind = PLT_NAME;
            token->atom = intern_run(engine, p, end);
            p = end;
        } else if (k == C_UNDERSCORE) {
            Text end = scan_run(engine, p + 1, is_name_char);
            if (end - p > kPlMaxNameLength) pl_fatal_error(engine, PL_ERR_NAME_TOO_LONG, "pllex");
            if (end == p + 1) {
                token->kind = PLT_ANONYMOUS;
            } else {
                token->kind = PLT_VARIABLE;
                token->atom = intern_run(engine, p, end);
            }
            p = end;
        } else if (k == C_SYMBOL) {
            Text end = scan_run(engine, p, is_symbol);
            if (end - p == 2 && p[0] == ':' && p[1] == '-') {
                token->kind = PLT_NECK;
                token->atom = atom.neck;
            } else {
                token->kind = PLT_NAME;
                token->atom = intern_run(engine, p, end);
            }
            p = end;
        } else if (k == C_QUESTION) {
            if (is_name_char(p[1])) {
                p = read_abbreviation(engine, p, token);
            } else {
                Text end = scan_run(engine, p, [](unsigned char ch) { return is_symbol(ch) || ch == '?'; });
                token->kind = PLT_NAME;
                token->atom = intern_run(engine, p, end);
                p = end;
            }
        } else if (k == C_QUOTE) {
            p = read_quoted(engine, p, token);
        } else if (k == C_DIGIT) {
            p = read_integer(engine, p, token);
        } else {
            switch (c < 0x80 ? k : -1) {
            case C_BANG: p = single(token, PLT_NAME, atom.cut, p); break;
            case C_CARET: p = single(token, PLT_NAME, atom.caret, p); break;
            case C_COMMA: p = single(token, PLT_COMMA, atom.comma, p); break;
            case C_SEMICOLON: p = single(token, PLT_SEMICOLON, atom.semicolon, p); break;
            case C_BAR: p = single(token, PLT_BAR, atom.bar, p); break;
            case C_OPEN: p = single(token, PLT_OPEN, nullptr, p); break;
            case C_CLOSE: p = single(token, PLT_CLOSE, nullptr, p); break;
            case C_OPEN_LIST: p = single(token, PLT_OPEN_LIST, nullptr, p); break;
            case C_CLOSE_LIST: p = single(token, PLT_CLOSE_LIST, nullptr, p); break;
            case C_DOT: p = single(token, PLT_DOT, nullptr, p); break;
            default:
                set_position(engine, p);
                pl_fatal_error(engine, PL_ERR_ILLEGAL_CHARACTER, "pllex", static_cast<unsigned>(c));
            }
        }
        set_position(engine, p);
        return token->kind;
    }
}
