// A recording host for the rule engine: items by host item id (block 2 of the host slots) with
// values, choices, properties and list elements, plus the block-1 extras; every call is logged
// as a short text so that a test can compare what the engine asked, in order.
#pragma once

#include "pie/host/host_records.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

struct PieEngine;

namespace drvtest {

struct PieFakeChoice {
    std::string name;
    int32_t value = 0;
    bool shown = true;
    bool enabled = true;
};

struct PieFakeItem {
    int32_t type = 3;  // 1 on/off, 2 choice, 3 number, 4 text
    std::string value, source, reference;  // names (types 1, 2, 4)
    int32_t number = 0, source_number = 0, reference_number = 0;
    int32_t low = 0, high = 100;
    bool has_control = true;
    int changed_answer = -3;  // IsChanged
    std::vector<PieFakeChoice> choices;
    std::map<std::pair<std::string, std::string>, PieValue> properties;  // (key, property)
    std::vector<std::string> texts;     // owns the texts handed out
    std::vector<std::string> elements;  // list items
    PieValue action_answer{6, 0};
    bool unavailable = false;
};

class PieFakeHost {
public:
    std::map<int32_t, PieFakeItem> items;
    std::vector<std::string> log;
    int true_answer = 0, mode_answer = 0, message_answer = 0, refuse_answer = 0, registry_answer = 0;
    int fail_sets = 0;  // SetNumber and SetValueName answer this when non-zero

    // Fills block 2 and the block-1 extras of the engine and makes this the host word.
    void install(PieEngine* engine);
    // The log joined by "; ", then cleared.
    std::string take();
    const char* keep(int32_t id, std::string text);
};

}  // namespace drvtest
