// The error routine and the two message tables. Texts are the engine's own, kept word for word
// (stored rule files and hosts compare against them), their slips of spelling included.
#include "pie/api/errors.h"

#include "pie/api/engine.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Codes 257-294; the first entry stands for 256, which has no text.
const char* const kRuleMessages[] = {
    nullptr,
    "System functor '%s' can't redefined.\n",
    "Don't use no propagate functor in property.\n",
    "No propagate functor must be one argument.\n",
    "File %s can't open.\n",
    "Not call prolog_init().\n",
    "Integer overflow.\n",
    "Match void paren.\n",
    "Unmatch parren.\n",
    "Unmatch bracket.\n",
    "No support basic term.\n",
    "This term cannot proceed.\n",
    "Binary operator need two operand.\n",
    "Functor '%s' has no parameter.\n",
    "Prefix operator need one operand.\n",
    "wait/1 have not atom element.\n",
    "wait/1 must have a list paramater.\n",
    "%s/1 have either integer or atom.\n",
    "constant/0 is only use local status variable.\n",
    "constant/0's header don't have atom or integer.\n",
    "Property cannot use '%s/%d'.\n",
    "Constant redefine '%s/%d'.\n",
    "Different target '%s/%d'.\n",
    "Illegal element in GUI operate functor.\n",
    "Illegal '%s/%d' operand(arg %d)\n.",
    "Division by zero.\n",
    "Too complex constant rule.\n",
    "Predicate without '.'.\n",
    "Not functor predicate.\n",
    "Too long variable name.\n",
    "Abbrev '%s' not defined.\n",
    "Illegal character '0x%02x'.\n",
    "Too much symbol.\n",
    "Too much functor.\n",
    "Too much atom\n.",
    "Too much and_group elements.\n",
    "Too much member elements.\n",
    "Illegal elf header.\n",
    "Illegal load element (%x).\n",
};

// Codes 4097-4124.
const char* const kSystemMessages[] = {
    "Not enough memory.\n",
    "plt_code [%d] is unsupported.\n",
    "op_code unmatched.\n",
    "op_code undefined.\n",
    "Same key crash.\n",
    "Too much stack element.\n",
    "No logical tree's parent node.\n",
    "Put to read-only operator.\n",
    "Logical code [%d] is unsupported.\n",
    "Not equal bitmap size.\n",
    "Tree translation fail(%s).\n",
    "Logical tree not found.\n",
    "Matching pattern not found %02x.\n",
    "Unmatch variable stack frame.\n",
    "term is not unifiable.\n",
    "Must be call functor.\n",
    "Functor table create failed.\n",
    "'%s' not in compile symbol table.\n",
    "Property base %s/%d not collected.\n",
    "Atom table create failed.\n",
    "Functor %s/%d not collected.\n",
    "Property can't bound list element.\n",
    "Property can't bound functor with argument element.\n",
    "Property can't bound property element.\n",
    "Bound process for table error.\n",
    "Node overflow.\n",
    "Unmach argument.\n",
    "Unmatch data.\n",
};

constexpr int kRuleFirst = 256;
constexpr int kSystemFirst = 4097;
constexpr int kRuleCount = sizeof kRuleMessages / sizeof kRuleMessages[0];
constexpr int kSystemCount = sizeof kSystemMessages / sizeof kSystemMessages[0];
static_assert(kRuleFirst + kRuleCount - 1 == 294 && kSystemFirst + kSystemCount - 1 == 4124);

bool is_system_code(int code) { return code >= kSystemFirst && code < kSystemFirst + kSystemCount; }

// "[function] message" for system errors, the message alone for rule errors; the function name
// is cut to fit and "] " is written only while it still fits, so the text stays within 511.
void format_error(char* out, int code, const char* function, va_list args) {
    const char* format = pl_error_format(code);
    if (!format) {
        std::snprintf(out, kPlErrorTextSize, "%s", "Unknown Error.\n");
        return;
    }
    size_t used = 0;
    if (is_system_code(code)) {
        const size_t room = kPlErrorTextSize - 1;
        out[used++] = '[';
        const char* name = function ? function : "";
        size_t n = std::strlen(name);
        if (n > room - used) n = room - used;
        std::memcpy(out + used, name, n);
        used += n;
        if (room - used >= 2) {
            out[used++] = ']';
            out[used++] = ' ';
        }
        out[used] = '\0';
    }
    std::vsnprintf(out + used, kPlErrorTextSize - used, format, args);
}

}  // namespace

PlError::PlError(int code, const char* function, const char* text) : code_(code), function_(function) {
    std::snprintf(text_, sizeof text_, "%s", text);
}

const char* pl_error_format(int code) {
    if (code >= kRuleFirst && code < kRuleFirst + kRuleCount) return kRuleMessages[code - kRuleFirst];
    if (is_system_code(code)) return kSystemMessages[code - kSystemFirst];
    return nullptr;
}

void pl_fatal_error(PieEngine* engine, int code, const char* function, ...) {
    PlErrorRecord& record = engine->last_error;
    record.line = engine->line;
    record.code = code;
    va_list args;
    va_start(args, function);
    format_error(record.text, code, function, args);
    va_end(args);
    throw PlError(code, function, record.text);
}

void pl_warning(PieEngine* engine, int code, const char*, ...) {
    PlErrorRecord& record = engine->last_error;
    record.line = engine->warning_line;
    record.code = 0;
    std::snprintf(record.text, sizeof record.text, "%s",
                  code == PL_WARN_NO_MEMORY ? "Not enough memory.\n" : "Unknown Warning.\n");
}

const PlErrorRecord& pl_last_error(const PieEngine* engine) { return engine->last_error; }
