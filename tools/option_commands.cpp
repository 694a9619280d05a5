// Listing and setting options by name. Everything shown comes from the describe records the
// library hands out: the names, the choices and their marks, the ranges and the rules' reasons.
#include "tools/option_commands.h"

#include "settings/sdk/option_description.h"
#include "tools/devmode_listing.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

namespace {

constexpr DWORD kRequestSet = 3;

std::string Hex(uint32_t key) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", key);
    return text;
}

std::string ChoiceText(const OptionChoice& choice) {
    std::string text = (choice.state & kChoiceCurrent) ? "[" + choice.name + "]" : choice.name;
    if (!(choice.state & kChoiceAvailable) || !(choice.state & kChoiceShown)) text += "(hidden)";
    else if (!(choice.state & kChoiceEnabled)) text += "(disabled)";
    else if (!(choice.state & kChoiceOffered)) text += "(fixed)";
    return text;
}

std::string Values(const OptionEntry& entry) {
    std::string text;
    if (entry.type == kDescribedNumber) {
        text = std::to_string(entry.current) + " (" + std::to_string(entry.minimum) + ".." + std::to_string(entry.maximum) + ")";
    } else if (entry.type == kDescribedText) {
        text = entry.ValueText() + " (text, up to " + std::to_string(entry.maximum) + " characters)";
    } else if (!entry.choices.empty()) {
        for (const OptionChoice& choice : entry.choices) text += (text.empty() ? "" : " ") + ChoiceText(choice);
    } else {
        text = std::to_string(entry.current);
    }
    return text;
}

std::string StateText(const OptionEntry& entry) {
    if (!entry.Available()) return "not offered by this printer";
    std::string text;
    if (!(entry.state & kDescribedShown)) text = "hidden";
    if (!entry.Enabled()) text += std::string(text.empty() ? "" : ", ") + "disabled";
    if (!entry.reason.empty() && !text.empty()) text += ": " + entry.reason;
    return text;
}

// The data word or text of the set; false, with the reason printed, when VALUE names nothing.
bool SetData(const OptionEntry* entry, const std::string& value, std::vector<uint8_t>& data) {
    data.assign(std::max<size_t>(entry ? entry->valueSize : 0, 4) + 1, 0);
    if (entry && entry->type == kDescribedText) {
        if (value.size() >= data.size()) data.resize(value.size() + 1, 0);
        std::memcpy(data.data(), value.data(), value.size());
        return true;
    }
    if (const OptionChoice* choice = entry ? entry->FindChoice(value) : nullptr) {
        std::memcpy(data.data(), &choice->value, sizeof choice->value);
        return true;
    }
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(value.c_str(), &end, 0);
    if (value.empty() || *end || errno || number < INT32_MIN || number > 0xFFFFFFFFll) {
        std::string choices;
        for (const OptionChoice& choice : entry ? entry->choices : std::vector<OptionChoice>{})
            if (choice.state & kChoiceOffered) choices += " " + choice.name;
        std::printf("\"%s\" is not a choice of %s; its choices:%s\n", value.c_str(), entry ? entry->name.c_str() : "the key",
                    choices.empty() ? " (none by name: a number)" : choices.c_str());
        return false;
    }
    const uint32_t word = static_cast<uint32_t>(number);
    std::memcpy(data.data(), &word, sizeof word);
    return true;
}

// Why the library refused a set, from what the setting and the wanted choice looked like before.
std::string Why(const OptionEntry* entry, LONG answer, int32_t wanted) {
    if (!entry) return answer == 2 ? "no setting answers this key" : AnswerText(answer);
    if (!entry->Available()) return "not offered by this printer";
    if (!entry->Enabled())
        return std::string("disabled by the rules") + (entry->reason.empty() ? " (they give no reason)" : ": " + entry->reason);
    if (entry->type == kDescribedNumber && (wanted < entry->minimum || wanted > entry->maximum))
        return "out of range " + std::to_string(entry->minimum) + ".." + std::to_string(entry->maximum);
    if (!entry->choices.empty()) {
        const OptionChoice* choice = entry->ChoiceOfValue(wanted);
        if (!choice) return std::to_string(wanted) + " is not one of its values";
        const std::string reason = choice->reason.empty() ? "" : ": " + choice->reason;
        if (!(choice->state & kChoiceAvailable) || !(choice->state & kChoiceShown))
            return choice->name + " is not offered by this printer" + reason;
        if (!(choice->state & kChoiceEnabled))
            return choice->name + " is disabled by the rules" + (reason.empty() ? " (they give no reason)" : reason);
    }
    return answer == 3 ? "refused by the driver for the settings as they stand" : AnswerText(answer);
}

// Every other setting whose value or state the set changed, by name.
void ListRuleChanges(const std::vector<OptionEntry>& before, const std::vector<OptionEntry>& after, uint32_t setKey) {
    std::map<uint32_t, const OptionEntry*> old;
    uint32_t setItem = 0;
    for (const OptionEntry& entry : before) {
        old[entry.key] = &entry;
        if (entry.key == setKey) setItem = entry.itemId;
    }
    std::set<uint32_t> told;  // an item bound to several keys is told once
    for (const OptionEntry& entry : after) {
        auto found = old.find(entry.key);
        if (entry.key == setKey || entry.itemId == setItem || found == old.end() || !told.insert(entry.itemId).second)
            continue;
        const OptionEntry& was = *found->second;
        if (was.ValueText() != entry.ValueText())
            std::printf("  the rules changed %s (%s): %s -> %s\n", entry.name.c_str(), Hex(entry.key).c_str(),
                        was.ValueText().c_str(), entry.ValueText().c_str());
        if (was.Enabled() != entry.Enabled())
            std::printf("  the rules %s %s%s%s\n", entry.Enabled() ? "enabled" : "disabled", entry.name.c_str(),
                        entry.reason.empty() ? "" : ": ", entry.reason.c_str());
    }
}

}  // namespace

const char* AnswerText(LONG answer) {
    switch (answer) {
    case 0: return "done";
    case 1: return "no data, no such item or the action failed";
    case 2: return "not supported";
    case 3: return "refused";
    case 7: return "forbidden by another setting";
    default: return "unknown answer";
    }
}

void ListOptions(std::FILE* out, const std::vector<OptionEntry>& catalogue) {
    std::map<uint32_t, std::vector<const OptionEntry*>> pages;
    for (const OptionEntry& entry : catalogue) pages[entry.page].push_back(&entry);
    for (const auto& [page, entries] : pages) {
        std::fprintf(out, "\n%s:\n", PageName(page).c_str());
        for (const OptionEntry* entry : entries) {
            const std::string state = StateText(*entry);
            std::fprintf(out, "  %-9s %-28s %s%s%s%s\n", Hex(entry->key).c_str(), entry->name.c_str(), Values(*entry).c_str(),
                         state.empty() ? "" : "  {", state.c_str(), state.empty() ? "" : "}");
        }
    }
}

int SetOption(const Library& library, HANDLE session, std::vector<uint8_t>& settings, const std::string& name,
              const std::string& value) {
    const std::vector<OptionEntry> before = ReadCatalogue(library, session, settings);
    const OptionEntry* entry = FindOption(before, name);
    char* end = nullptr;
    const unsigned long long number = std::strtoull(name.c_str(), &end, 0);
    if (!entry && (name.empty() || *end || number < 0x10000 || number > 0xFFFFFFFFull)) {
        std::printf("\nset %s=%s: no setting of this printer is named \"%s\" (drvhost --options lists them)\n", name.c_str(),
                    value.c_str(), name.c_str());
        return 1;
    }
    const uint32_t key = entry ? entry->key : static_cast<uint32_t>(number);
    std::printf("\nset %s (%s) = %s: ", entry ? entry->name.c_str() : Hex(key).c_str(), Hex(key).c_str(), value.c_str());
    std::vector<uint8_t> data;
    if (!SetData(entry, value, data)) return 1;
    int32_t wanted = 0;
    std::memcpy(&wanted, data.data(), sizeof wanted);
    const std::vector<uint8_t> devmodeBefore = settings;
    const LONG answer = library.Send(session, settings, kRequestSet, key, data.data());
    if (answer != 0) {
        std::printf("%s (answer %d): %s\n", AnswerText(answer), static_cast<int>(answer), Why(entry, answer, wanted).c_str());
        return 1;
    }
    std::printf("done\n");
    const std::vector<OptionEntry> after = ReadCatalogue(library, session, settings);
    if (const OptionEntry* now = FindOption(after, Hex(key)); now && entry && now->ValueText() != entry->ValueText())
        std::printf("  %s: %s -> %s\n", now->name.c_str(), entry->ValueText().c_str(), now->ValueText().c_str());
    ListRuleChanges(before, after, key);
    if (ListDevmodeChanges(stdout, "before", devmodeBefore, "after", settings) == 0)
        std::printf("  the device mode did not change\n");
    return 0;
}
