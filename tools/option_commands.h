// The host program's commands on the settings by name: the listing of every option with its
// choices, and a set by name that says why it was refused or what else the rules changed.
#pragma once

#include "tools/option_catalogue.h"

#include <cstdio>
#include <string>
#include <vector>

// Every option, grouped by page, one line each.
void ListOptions(std::FILE* out, const std::vector<OptionEntry>& catalogue);

// Sets NAME (an item name or an option key) to VALUE (a choice name, ON or OFF, a number, or a
// text) on `settings`, and prints the outcome: why a refused set was refused, and every other
// setting the rules changed. 0 done, 1 not done.
int SetOption(const Library& library, HANDLE session, std::vector<uint8_t>& settings, const std::string& name,
              const std::string& value);

// The answer codes of the option interface in words.
const char* AnswerText(LONG answer);
