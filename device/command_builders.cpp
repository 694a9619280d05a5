// Building the command data blocks. Fields of the row records are big-endian, as the device
// reads them; names carry a length byte, so a name longer than 255 characters is refused rather
// than sent with a length that wrapped.
#include "device/command_builders.h"

#include "core/memory/private_heap.h"

#include <cstring>

namespace {

void PutBigEndian(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value >> 24);
    at[1] = static_cast<uint8_t>(value >> 16);
    at[2] = static_cast<uint8_t>(value >> 8);
    at[3] = static_cast<uint8_t>(value);
}

uint32_t ReadU32(const void* base, size_t offset) {
    uint32_t value;
    std::memcpy(&value, static_cast<const uint8_t*>(base) + offset, 4);
    return value;
}

const char* NameAt(const void* base, size_t offset) { return static_cast<const char*>(base) + offset; }

// The length of a name in its 260-byte place; -1 when it does not fit a length byte.
int NameLength(const char* name) {
    size_t length = strnlen(name, kItemNameSize);
    return length <= 255 ? static_cast<int>(length) : -1;
}

uint8_t* Block(size_t size) { return static_cast<uint8_t*>(PrivateAlloc(size)); }

int Rows(const void* items, uint32_t index, BuiltCommand* out) {
    uint32_t first = ReadU32(items, 4 + size_t{index} * 8);
    uint32_t second = ReadU32(items, 8 + size_t{index} * 8);
    uint8_t* data = Block(kRowsBlockSize);
    if (!data) return -11;
    data[4] = 1;
    data[5] = kRowsPerCommand;
    for (uint32_t n = 0; n < kRowsPerCommand; ++n) {
        uint8_t* row = data + 6 + n * 32;
        const uint32_t fields[8] = {700, 0, 20, 1, first, n + 1, second, 0};
        for (int f = 0; f < 8; ++f) PutBigEndian(row + f * 4, fields[f]);
    }
    *out = {kRowsCode, kRowsCommand, data, static_cast<uint16_t>(kRowsBlockSize)};
    return 0;
}

int Variables(const void* items, uint32_t index, BuiltCommand* out) {
    const char* name = NameAt(items, 4 + size_t{index} * kItemNameSize);
    int length = NameLength(name);
    if (length < 0) return -1;
    uint8_t* data = Block(3 + static_cast<size_t>(length));
    if (!data) return -11;
    data[0] = 1;
    data[2] = static_cast<uint8_t>(length);
    std::memcpy(data + 3, name, static_cast<size_t>(length));
    *out = {kVariablesCode, kVariablesCommand, data, static_cast<uint16_t>(3 + length)};
    return 0;
}

int NameList(const void* items, uint32_t index, BuiltCommand* out) {
    const char* name = NameAt(items, 0);
    const char* entry = NameAt(items, kItemNameSize + 4 + size_t{index} * kItemNameSize);
    int nameLength = NameLength(name);
    int entryLength = NameLength(entry);
    if (nameLength < 0 || entryLength < 0) return -1;
    size_t size = 4 + static_cast<size_t>(nameLength) + static_cast<size_t>(entryLength);
    uint8_t* data = Block(size);
    if (!data) return -11;
    data[1] = 1;
    data[2] = static_cast<uint8_t>(nameLength);
    std::memcpy(data + 3, name, static_cast<size_t>(nameLength));
    data[3 + nameLength] = static_cast<uint8_t>(entryLength);
    std::memcpy(data + 4 + nameLength, entry, static_cast<size_t>(entryLength));
    *out = {kNameListCode, kNameListCommand, data, static_cast<uint16_t>(size)};
    return 0;
}

int Text(const void* items, BuiltCommand* out) {
    auto* text = static_cast<const char*>(items);
    size_t length = strnlen(text, kCommandTextMax + 1);
    if (length > kCommandTextMax) length = kCommandTextMax;
    size_t size = 11 + length;
    uint8_t* data = Block(size);
    if (!data) return -11;
    data[10] = static_cast<uint8_t>(length);
    std::memcpy(data + 11, text, length);
    *out = {kTextCode, kTextCommand, data, static_cast<uint16_t>(size & 0xFF)};
    return 0;
}

}  // namespace

uint32_t CommandItemCount(int kind, const void* items) {
    if (!items) return 0;
    switch (kind) {
    case kCommandRows:
    case kCommandVariables: return ReadU32(items, 0);
    case kCommandNameList: return ReadU32(items, kItemNameSize);
    case kCommandText: return 1;
    default: return 0;
    }
}

int BuildCommand(int kind, const void* items, uint32_t index, BuiltCommand* out) {
    *out = {};
    switch (kind) {
    case kCommandRows: return Rows(items, index, out);
    case kCommandVariables: return Variables(items, index, out);
    case kCommandNameList: return NameList(items, index, out);
    case kCommandText: return Text(items, out);
    default: return -1;
    }
}
