// Fuzz target of the decoders of the device's command answers: the first byte picks the kind
// (rows, named variables, name lists, a text's words), the rest is the answer. Every length and
// count in an answer must be checked against its size and the target's room.
#include "device/command_builders.h"
#include "device/command_replies.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 0xFFFF) return 0;
    static const struct {
        uint32_t code;
        uint16_t command;
    } kinds[4] = {{kRowsCode, kRowsCommand}, {kVariablesCode, kVariablesCommand}, {kNameListCode, kNameListCommand},
                  {kTextCode, kTextCommand}};
    // A copy of exactly the answer, so that the sanitizer sees any read past its end.
    std::vector<uint8_t> answer(data + 1, data + size);
    DevInfoSourceNames names{};
    DevInfoRowTable rows{};
    DevInfoNameEntry entries[3] = {};
    DevInfoNameList list{0, 3, entries};
    uint32_t words[3] = {};
    DevInfoCommandTarget target{&names, &rows, &list, words};
    auto kind = kinds[data[0] % 4];
    DecodeCommandAnswer(&target, kind.code, kind.command, answer.data(), static_cast<uint32_t>(answer.size()));
    if (list.count > list.capacity || rows.rowCount > kRowsPerCommand) std::abort();
    for (const DevInfoNameEntry& e : entries)
        if (!std::memchr(e.name, 0, sizeof e.name) || !std::memchr(e.text, 0, sizeof e.text)) std::abort();
    if (!std::memchr(names.tray, 0, sizeof names.tray) || !std::memchr(names.envelope, 0, sizeof names.envelope) ||
        !std::memchr(names.namedStack, 0, sizeof names.namedStack) || !std::memchr(rows.texts[9], 0, sizeof rows.texts[9]))
        std::abort();
    return 0;
}
