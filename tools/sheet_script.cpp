// The sheet script's reader: lines into words, words into steps.
#include "tools/sheet_script.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace {

struct Verb {
    const char* word;
    SheetStep::Kind kind;
    size_t args;
};

constexpr Verb kVerbs[] = {{"page", SheetStep::kPage, 1},       {"type", SheetStep::kType, 2},
                           {"choose", SheetStep::kChoose, 2},   {"check", SheetStep::kCheck, 1},
                           {"uncheck", SheetStep::kUncheck, 1}, {"click", SheetStep::kClick, 1},
                           {"ok", SheetStep::kOk, 0},           {"cancel", SheetStep::kCancel, 0},
                           {"apply", SheetStep::kApply, 0},     {"answer", SheetStep::kAnswer, 1}};

// The words of a line: blanks separate them, double quotes hold blanks in; "#" starts a comment.
bool Words(const std::string& line, std::vector<std::string>& words) {
    std::string word;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && c == '#') {
            break;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return !quoted;
}

}  // namespace

bool ParseSheetScript(const std::string& text, std::vector<SheetStep>& steps, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::vector<std::string> words;
        if (!Words(line, words)) {
            error = "line " + std::to_string(number) + ": a quote is not closed";
            return false;
        }
        if (words.empty()) continue;
        std::string verb = words[0];
        for (char& c : verb) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const Verb* found = nullptr;
        for (const Verb& v : kVerbs)
            if (verb == v.word) found = &v;
        if (!found) {
            error = "line " + std::to_string(number) + ": no step is called \"" + words[0] + "\"";
            return false;
        }
        if (words.size() - 1 != found->args) {
            error = "line " + std::to_string(number) + ": \"" + found->word + "\" takes " + std::to_string(found->args) +
                    (found->args == 1 ? " argument" : " arguments");
            return false;
        }
        steps.push_back({found->kind, std::vector<std::string>(words.begin() + 1, words.end()), number});
    }
    return true;
}

bool ReadSheetScript(const std::string& argument, std::string& text, std::string& error) {
    if (argument.empty() || argument[0] != '@') {
        text.clear();
        bool quoted = false;
        for (char c : argument) {
            if (c == '"') quoted = !quoted;
            text += c == ';' && !quoted ? '\n' : c;
        }
        return true;
    }
    std::ifstream file(argument.substr(1));
    if (!file) {
        error = argument.substr(1) + ": the script cannot be read";
        return false;
    }
    std::ostringstream all;
    all << file.rdbuf();
    text = all.str();
    return true;
}
