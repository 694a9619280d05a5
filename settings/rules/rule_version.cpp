// The version header scan: a character state machine over the clauses of a rule text. It looks
// only for the header clause; any other clause is skipped up to its full stop. A number that was
// read survives a clause that turns out invalid later, so "CommonRuleVersion(120) x." still
// answers 120: rule files in the field rely on that reading.
#include "settings/rules/rule_version.h"

#include "settings/rules/rule_chars.h"

#include <cstring>

namespace {

constexpr size_t kWordLimit = 32;  // a word or number that reaches this length is invalid

enum class State { Start, Word, Open, Number, Close, Body, BodyWord };

}  // namespace

int32_t ScanRuleVersion(std::string_view text, bool pdlName) {
    text = text.substr(0, strnlen(text.data(), text.size()));
    const std::string_view header = pdlName ? "PDLRuleVersion" : "CommonRuleVersion";
    int32_t result = kDefaultRuleVersion;
    State state = State::Start;
    char word[kWordLimit];
    size_t length = 0;
    bool spaced = false;  // white space seen since the word or number began

    size_t i = 0;
    auto invalid = [&] {
        // Skip the rest of the clause, its full stop included.
        while (i < text.size() && text[i] != '.') ++i;
        state = State::Start;
        length = 0;
        spaced = false;
    };
    auto append = [&](char c) {
        if (length + 1 >= kWordLimit) return false;
        word[length++] = c;
        return true;
    };

    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool space = IsSpaceChar(c);
        switch (state) {
        case State::Start:
            if (IsAsciiLetter(c)) {
                length = 0;
                spaced = false;
                append(static_cast<char>(c));
                state = State::Word;
            } else if (c == '#') {
                while (i < text.size() && text[i] != '\n') ++i;
            } else if (!space) {
                invalid();
            }
            break;
        case State::Word:
            if (IsAsciiLetter(c) && !spaced) {
                if (!append(static_cast<char>(c))) invalid();
            } else if (space) {
                spaced = true;
            } else if (c == '(' && std::string_view(word, length) == header) {
                state = State::Open;
            } else {
                invalid();
            }
            break;
        case State::Open:
            if (IsAsciiDigit(c)) {
                length = 0;
                spaced = false;
                append(static_cast<char>(c));
                state = State::Number;
            } else if (!space) {
                invalid();
            }
            break;
        case State::Number:
            if (IsAsciiDigit(c) && !spaced) {
                if (!append(static_cast<char>(c))) invalid();
            } else if (c == ')') {
                result = ParseDecimal(std::string_view(word, length));
                state = State::Close;
            } else if (space) {
                spaced = true;
            } else {
                invalid();
            }
            break;
        case State::Close:
            if (c == '.') return result;
            if (c == ':' && i + 1 < text.size() && text[i + 1] == '-') {
                ++i;
                state = State::Body;
            } else if (!space) {
                invalid();
            }
            break;
        case State::Body:
            if (IsAsciiLetter(c)) {
                length = 0;
                spaced = false;
                append(static_cast<char>(c));
                state = State::BodyWord;
            } else if (!space) {
                invalid();
            }
            break;
        case State::BodyWord:
            if (IsAsciiLetter(c)) {
                if (spaced || !append(static_cast<char>(c))) invalid();
            } else if (c == '.') {
                return std::string_view(word, length) == "true" ? result : kDefaultRuleVersion;
            } else if (space) {
                spaced = true;
            }
            break;
        }
    }
    return result;
}
