// Sending the command line's requests and printing their answers. The size of an answer is asked
// of the library (kind 0, and kind 1 for the entries of a list) before the answer is printed, so
// that nothing past what the library wrote is shown.
#include "tools/request_printing.h"

#include "settings/sdk/option_description.h"
#include "tools/devmode_listing.h"
#include "tools/option_catalogue.h"
#include "tools/option_commands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum FieldType { kU16, kS16, kS32, kU32, kText };
struct Field {
    uint32_t offset;
    FieldType type;
    uint32_t width;  // a text's field size
    const char* name;
};
struct Record {
    uint32_t code;
    uint32_t kind;  // the kind that hands the record out
    std::vector<Field> fields;
    uint32_t size = 0;       // the entry's size where kind 0 does not tell it
    uint32_t countCode = 0;  // the code whose value counts the entries of a list kind 2 hands out
};

// The records data/option-interface*.md describes field by field.
const Record kRecords[] = {
    {0x1000A, 2, {{0, kText, 64, "name"}, {64, kText, 64, "text"}, {128, kText, 64, "font face"}, {192, kS32, 0, "size"},
                  {196, kS32, 0, "angle"}, {200, kS32, 0, "position x"}, {204, kS32, 0, "position y"},
                  {208, kU16, 0, "style"}, {210, kU16, 0, "colour"}, {212, kU16, 0, "outline"}, {214, kU16, 0, "frame"},
                  {216, kU16, 0, "switch"}}},
    {0x1000D, 2, {{0, kText, 64, "device name"}}},
    {0x1007D, 2, {{0, kText, 64, "profile name"}}},
    {0x1007D, 4, {{0, kText, 64, "profile name"}}},
    {0x1004C, 2, {{0, kU32, 0, "word 9"}, {4, kU32, 0, "word 10"}}},
    {0x1004D, 2, {{0, kU32, 0, "word 7"}, {4, kU32, 0, "word 8"}}},
    {0x10013, 4, {{0, kU16, 0, "source"}, {4, kText, 32, "source name"}, {68, kU32, 0, "capabilities"}}},
    // The page-composition interface's records.
    {0x406, 2, {{0, kS16, 0, "flags"}, {2, kS16, 0, "paper"}, {4, kS16, 0, "scale"}, {6, kS16, 0, "reduction"}}, 8},
    {0x407, 2, {{0, kS32, 0, "x"}, {4, kS32, 0, "y"}}, 8},
    {0x47C, 2, {{0, kU16, 0, "flags"}, {16, kText, 14, "group 1 text"}, {42, kText, 14, "group 2 text"},
                {68, kText, 14, "group 3 text"}, {80, kU32, 0, "media word"}}, 84},
    {0x47F, 2, {{0, kText, 256, "registry key"}}, 256},
    {0x80A, 2, {{0, kText, 256, "text"}}, 256},
    {0x815, 2, {{0, kU16, 0, "paper code"}, {2, kText, 32, "name"}, {34, kU16, 0, "flags"}}, 36, 0x814},
    {1071, 2, {{0, kU32, 0, "kind"}, {4, kU32, 0, "flags"}, {8, kU32, 0, "outline"}, {24, kU32, 0, "position"},
               {28, kText, 256, "text"}, {284, kS16, 0, "font size"}, {288, kS16, 0, "escapement"},
               {292, kS16, 0, "weight"}, {302, kText, 32, "face"}, {334, kU32, 0, "colour"}, {338, kS32, 0, "angle"},
               {630, kU32, 0, "outline width"}, {634, kS32, 0, "offset x"}, {638, kS32, 0, "offset y"}}},
};

const Record* FindRecord(DWORD code, DWORD kind) {
    for (const Record& record : kRecords)
        if (record.code == code && record.kind == kind) return &record;
    return nullptr;
}

std::string TextAt(const uint8_t* bytes, size_t width) {
    size_t length = 0;
    while (length < width && bytes[length]) ++length;
    std::string text;
    for (size_t i = 0; i < length; ++i) text += std::isprint(bytes[i]) ? static_cast<char>(bytes[i]) : '?';
    return "\"" + text + "\"";
}

void PrintFields(const Record& record, const uint8_t* entry, size_t size) {
    for (const Field& field : record.fields) {
        const size_t width = field.type == kText ? field.width : field.type == kU16 || field.type == kS16 ? 2 : 4;
        if (field.offset + width > size) continue;
        std::string value;
        if (field.type == kText) {
            value = TextAt(entry + field.offset, width);
        } else if (field.type == kU16 || field.type == kS16) {
            uint16_t v = 0;
            std::memcpy(&v, entry + field.offset, 2);
            value = field.type == kS16 ? std::to_string(static_cast<int16_t>(v)) : std::to_string(v);
        } else {
            uint32_t v = 0;
            std::memcpy(&v, entry + field.offset, 4);
            value = field.type == kS32 ? std::to_string(static_cast<int32_t>(v)) : std::to_string(v);
        }
        std::printf("    %-12s %s\n", field.name, value.c_str());
    }
}

// An entry no page names: its words by offset, a run of zero words as one line, and a text
// where the entry starts with one.
void PrintWords(const uint8_t* entry, size_t size) {
    size_t text = 0;
    while (text < size && entry[text] && std::isprint(entry[text])) ++text;
    if (text >= 2 && (text == size || entry[text] == 0)) std::printf("    text        %s\n", TextAt(entry, text).c_str());
    for (size_t at = 0; at < size;) {
        uint32_t word = 0;
        const size_t width = std::min<size_t>(4, size - at);
        std::memcpy(&word, entry + at, width);
        size_t end = at;
        while (end + 4 <= size && std::all_of(entry + end, entry + end + 4, [](uint8_t b) { return b == 0; })) end += 4;
        if (end - at > 4) {
            std::printf("    +%zu..%zu zero\n", at, end - 1);
            at = end;
            continue;
        }
        std::printf("    +%-10zu 0x%08X (%d)\n", at, word, static_cast<int32_t>(word));
        at += width;
    }
}

void PrintEntry(DWORD code, DWORD kind, const uint8_t* entry, size_t size) {
    if (const Record* record = FindRecord(code, kind)) return PrintFields(*record, entry, size);
    if (size <= 4) {
        uint32_t word = 0;
        std::memcpy(&word, entry, size);
        std::printf("    value       0x%08X (%d)\n", word, static_cast<int32_t>(word));
        return;
    }
    PrintWords(entry, size);
}

// The batch query's output area: one entry per code, {code, result, count, size} and the value.
void PrintBatch(const std::vector<uint8_t>& data, DWORD kind) {
    uint32_t at = 0;
    std::memcpy(&at, data.data(), 4);
    while (at + 16 <= data.size()) {
        uint32_t head[4];
        std::memcpy(head, data.data() + at, sizeof head);
        if (head[0] == 0) break;
        std::printf("  code 0x%X: answer %u, %u entries, %u bytes\n", head[0], head[1], head[2], head[3]);
        const size_t size = std::min<size_t>(head[3], data.size() - at - 16);
        const size_t count = kind == 4 && head[2] ? head[2] : 1;
        for (size_t i = 0; i < count && size; ++i)
            PrintEntry(head[0], kind == 4 ? 4 : 2, data.data() + at + 16 + i * (size / count), size / count);
        at += 20 + head[3];
    }
}

void PrintDescribe(const std::vector<uint8_t>& data) {
    OptionDescriptionHead head{};
    std::memcpy(&head, data.data(), sizeof head);
    std::printf("  key 0x%X, item %u, page %u, type %u, state 0x%X, value %d, range %d..%d, size %u\n", head.key,
                head.itemId, head.page, head.type, head.state, head.current, head.minimum, head.maximum, head.valueSize);
    std::printf("  name \"%.64s\", text \"%.128s\", reason \"%.128s\"\n", head.name, head.text, head.reason);
    for (uint32_t i = 0; i < head.choiceCount && sizeof head + (i + 1) * sizeof(OptionDescriptionChoice) <= data.size(); ++i) {
        OptionDescriptionChoice choice{};
        std::memcpy(&choice, data.data() + sizeof head + i * sizeof choice, sizeof choice);
        std::printf("    choice %-20.32s value %d, state 0x%X%s%.88s\n", choice.name, choice.value, choice.state,
                    choice.reason[0] ? ", reason " : "", choice.reason);
    }
}

// The size of one entry (kind 0) and, for a list, the count (kind 1) as the library tells them.
size_t AnswerSize(const Library& library, HANDLE session, std::vector<uint8_t>& settings, const OptionRequest& request,
                  size_t& count) {
    count = 1;
    const Record* record = FindRecord(request.code, request.kind);
    uint32_t size = 0;
    const LONG sized = library.Send(session, settings, 0, request.code, &size);
    if (sized == 0 && size == 0) {
        count = 0;  // a list or record set with nothing in it
        return 4;
    }
    if (sized != 0 || size == 0) size = record && record->size ? record->size : 4;
    uint32_t entries = 0;
    if (request.kind == 4 && library.Send(session, settings, 1, request.code, &entries) == 0) count = entries;
    if (record && record->countCode && library.Send(session, settings, 2, record->countCode, &entries) == 0) count = entries;
    // A record of several entries (1071, one per stamp) tells its size for all of them.
    if (request.code < 0x10000 && record && !record->size && record->fields.size() > 1 && size > 662 && size % 662 == 0) {
        count = size / 662;
        size = 662;
    }
    return size;
}

int SendOne(const Library& library, HANDLE session, std::vector<uint8_t>& settings, const OptionRequest& request) {
    std::vector<uint8_t> data(0x10000, 0);
    void* pointer = data.data();
    if (request.value == "null") {
        pointer = nullptr;
    } else if (request.value.rfind("text:", 0) == 0) {
        const std::string text = request.value.substr(5);
        std::memcpy(data.data(), text.data(), std::min(text.size(), data.size() - 1));
    } else if (request.kind == kSdkKindDescribe) {
        const uint32_t room = static_cast<uint32_t>(data.size());
        std::memcpy(data.data(), &room, sizeof room);
    } else if (!request.value.empty()) {
        DWORD word = 0;
        ParseNumber(request.value, word);
        std::memcpy(data.data(), &word, sizeof word);
    }
    const std::vector<uint8_t> before = settings;
    const LONG answer = library.Send(session, settings, request.kind, request.code, pointer);
    std::printf("\nrequest kind %u, code 0x%X%s%s: answer %d (%s)\n", request.kind, request.code,
                request.value.empty() ? "" : ", data ", request.value.c_str(), static_cast<int>(answer), AnswerText(answer));
    if (answer != 0) return 1;
    const bool changes = request.kind == 3 || request.kind == 6 || request.kind == 8;
    if (changes) {
        if (ListDevmodeChanges(stdout, "before", before, "after", settings) == 0)
            std::printf("  the device mode did not change\n");
        return 0;
    }
    if (!pointer) return 0;
    if (request.kind == kSdkKindDescribe) return PrintDescribe(data), 0;
    if (request.code == 0x10051 && (request.kind == 2 || request.kind == 4)) return PrintBatch(data, request.kind), 0;
    if (request.kind == 0 || request.kind == 1) return PrintEntry(request.code, request.kind, data.data(), 4), 0;
    size_t count = 1;
    const size_t size = std::min<size_t>(AnswerSize(library, session, settings, request, count), data.size());
    count = std::min(count, data.size() / size);
    if (count == 0) std::printf("  no entries\n");
    for (size_t i = 0; i < count; ++i) {
        if (count > 1) std::printf("  entry %zu:\n", i);
        PrintEntry(request.code, request.kind, data.data() + i * size, size);
    }
    return 0;
}

}  // namespace

int SendRequests(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                 const std::vector<OptionRequest>& requests) {
    int rc = 0;
    for (const OptionRequest& request : requests)
        rc |= request.byName ? SetOption(library, session, settings, request.name, request.value)
                             : SendOne(library, session, settings, request);
    return rc;
}
