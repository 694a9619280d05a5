// The settings of a session as the option interface describes them (request kind 11): every
// option key the items answer, with its name, page, value, range and choices by name. The host
// program lists them, finds a setting by name and tells what a set changed, all from this.
#pragma once

#include "tools/driver_library.h"

#include <cstdint>
#include <string>
#include <vector>

struct OptionChoice {
    std::string name;
    int32_t value = 0;
    uint32_t state = 0;  // kChoice... bits
    std::string reason;
};

struct OptionEntry {
    uint32_t key = 0;
    uint32_t itemId = 0;
    uint32_t page = 0;
    uint32_t type = 0;   // OptionDescriptionType
    uint32_t state = 0;  // kDescribed... bits
    int32_t current = 0;
    int32_t minimum = 0, maximum = 0;
    uint32_t valueSize = 0;
    std::string name;
    std::string reason;
    std::string text;
    std::vector<OptionChoice> choices;

    bool Available() const;
    bool Enabled() const;
    // The current value as a person reads it: the choice's name, the number, the text in quotes.
    std::string ValueText() const;
    const OptionChoice* FindChoice(const std::string& name) const;  // without regard to case
    const OptionChoice* ChoiceOfValue(int32_t value) const;
};

// Every described key, in key order; empty when the library describes none.
std::vector<OptionEntry> ReadCatalogue(const Library& library, HANDLE session, std::vector<uint8_t>& settings);

// The entry of a key, or of an item name without regard to case; null when none has it.
const OptionEntry* FindOption(const std::vector<OptionEntry>& catalogue, const std::string& nameOrKey);

// The name of a page (item set) of the sheet, for grouping the listing.
std::string PageName(uint32_t page);
