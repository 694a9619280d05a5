// Reading the describe records: a walk from the first application code, each answer naming the
// key it described, the next request starting one key above it.
#include "tools/option_catalogue.h"

#include "settings/sdk/option_description.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace {

constexpr DWORD kFirstKey = 0x10000;

template <size_t N>
std::string Field(const char (&text)[N]) {
    return std::string(text, strnlen(text, N));
}

bool Parse(const std::vector<uint8_t>& record, OptionEntry& entry) {
    OptionDescriptionHead head{};
    if (record.size() < sizeof head) return false;
    std::memcpy(&head, record.data(), sizeof head);
    if (head.size > record.size() || head.choiceCount > (head.size - sizeof head) / sizeof(OptionDescriptionChoice))
        return false;
    entry.key = head.key;
    entry.itemId = head.itemId;
    entry.page = head.page;
    entry.type = head.type;
    entry.state = head.state;
    entry.current = head.current;
    entry.minimum = head.minimum;
    entry.maximum = head.maximum;
    entry.valueSize = head.valueSize;
    entry.name = Field(head.name);
    entry.reason = Field(head.reason);
    entry.text = Field(head.text);
    for (uint32_t i = 0; i < head.choiceCount; ++i) {
        OptionDescriptionChoice raw{};
        std::memcpy(&raw, record.data() + sizeof head + i * sizeof raw, sizeof raw);
        entry.choices.push_back({Field(raw.name), raw.value, raw.state, Field(raw.reason)});
    }
    return true;
}

}  // namespace

bool OptionEntry::Available() const { return (state & kDescribedAvailable) != 0; }
bool OptionEntry::Enabled() const { return (state & kDescribedEnabled) != 0; }

std::string OptionEntry::ValueText() const {
    if (type == kDescribedText) return "\"" + text + "\"";
    if (!text.empty()) return text;
    return std::to_string(current);
}

const OptionChoice* OptionEntry::FindChoice(const std::string& wanted) const {
    for (const OptionChoice& choice : choices)
        if (strcasecmp(choice.name.c_str(), wanted.c_str()) == 0) return &choice;
    return nullptr;
}

const OptionChoice* OptionEntry::ChoiceOfValue(int32_t value) const {
    for (const OptionChoice& choice : choices)
        if ((choice.state & kChoiceOffered) && choice.value == value) return &choice;
    return nullptr;
}

std::vector<OptionEntry> ReadCatalogue(const Library& library, HANDLE session, std::vector<uint8_t>& settings) {
    std::vector<OptionEntry> catalogue;
    std::vector<uint8_t> record(64 * 1024);
    for (uint64_t from = kFirstKey; from <= 0xFFFFFFFFull;) {
        uint32_t room = static_cast<uint32_t>(record.size());
        std::memcpy(record.data(), &room, sizeof room);
        LONG answer = library.Send(session, settings, kSdkKindDescribe, static_cast<DWORD>(from), record.data());
        if (answer == 1) {
            // A key with more choices than the room: the first word tells the size it needs.
            uint32_t needed = 0;
            std::memcpy(&needed, record.data(), sizeof needed);
            if (needed <= room || needed > 16u * 1024 * 1024) break;
            record.resize(needed);
            continue;
        }
        OptionEntry entry;
        if (answer != 0 || !Parse(record, entry) || entry.key < from) break;
        from = uint64_t{entry.key} + 1;
        catalogue.push_back(std::move(entry));
    }
    return catalogue;
}

const OptionEntry* FindOption(const std::vector<OptionEntry>& catalogue, const std::string& wanted) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long key = std::strtoull(wanted.c_str(), &end, 0);
    const bool isNumber = !wanted.empty() && !*end && !errno;
    for (const OptionEntry& entry : catalogue)
        if (isNumber ? entry.key == key : strcasecmp(entry.name.c_str(), wanted.c_str()) == 0) return &entry;
    return nullptr;
}

std::string PageName(uint32_t page) {
    // The sheet's pages and dialogs by the item-set numbers the describe record gives.
    switch (page) {
    case 0: return "common settings";
    case 1: return "page setup";
    case 2: return "finishing";
    case 3: return "paper source";
    case 4: return "quality";
    case 5: return "device settings";
    case 21: return "layout options";
    case 30: return "booklet";
    case 31: return "gutter margin";
    case 34: return "staple position";
    case 80: return "device specification";
    case 81: return "application document";
    default: return "page " + std::to_string(page);
    }
}
