// Decoders of the command answers. Each reads through a bounded cursor over the answer, so a
// length byte or count that runs past the end stops the decoder instead of reading on.
#include "device/command_replies.h"

#include "device/command_builders.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

class Cursor {
public:
    Cursor(const uint8_t* data, uint32_t size) : data_(data), size_(size) {}
    bool Skip(uint32_t n) {
        if (n > size_ - at_) return false;
        at_ += n;
        return true;
    }
    bool Byte(uint8_t& value) {
        if (at_ >= size_) return false;
        value = data_[at_++];
        return true;
    }
    bool BigEndian16(uint16_t& value) {
        if (size_ - at_ < 2) return false;
        value = static_cast<uint16_t>(data_[at_] << 8 | data_[at_ + 1]);
        at_ += 2;
        return true;
    }
    bool BigEndian32(uint32_t& value) {
        if (size_ - at_ < 4) return false;
        value = uint32_t{data_[at_]} << 24 | uint32_t{data_[at_ + 1]} << 16 | uint32_t{data_[at_ + 2]} << 8 |
                data_[at_ + 3];
        at_ += 4;
        return true;
    }
    // n bytes in place; null when they run past the end.
    const char* Bytes(uint32_t n) {
        if (n > size_ - at_) return nullptr;
        const char* p = reinterpret_cast<const char*>(data_ + at_);
        at_ += n;
        return p;
    }

private:
    const uint8_t* data_;
    uint32_t size_;
    uint32_t at_ = 0;
};

// Copies n characters into a field, cut to it and terminated (a NUL inside ends the text).
void StoreText(char* field, size_t width, const char* text, size_t n) {
    n = std::min(n, width - 1);
    n = strnlen(text, n);
    std::memcpy(field, text, n);
    field[n] = '\0';
}

char* VariableField(DevInfoSourceNames* names, std::string_view name, size_t& width) {
    if (name == "TRAY-NAME") return width = sizeof names->tray, names->tray;
    if (name == "ENVELOPE-NAME") return width = sizeof names->envelope, names->envelope;
    if (name == "NAMED-STACK") return width = sizeof names->namedStack, names->namedStack;
    for (int i = 0; i < 6; ++i) {
        char expected[] = "CASSETTE1-NAME";
        expected[8] = static_cast<char>('1' + i);
        if (name == expected) return width = sizeof names->cassette[i], names->cassette[i];
    }
    for (int i = 0; i < 7; ++i) {
        char expected[] = "BIN1-NAME";
        expected[3] = static_cast<char>('1' + i);
        if (name == expected) return width = sizeof names->bin[i], names->bin[i];
    }
    return nullptr;
}

void Variables(DevInfoSourceNames* names, const uint8_t* data, uint32_t size) {
    Cursor c(data, size);
    uint8_t nameLength, valueLength;
    uint16_t word;
    if (!c.Skip(2) || !c.Byte(nameLength)) return;
    const char* name = c.Bytes(nameLength);
    if (!name || !c.BigEndian16(word) || !c.Byte(valueLength)) return;
    if (valueLength < 1 || valueLength > 32) return;
    const char* value = c.Bytes(valueLength);
    size_t width = 0;
    char* field = value ? VariableField(names, std::string_view(name, strnlen(name, nameLength)), width) : nullptr;
    if (field) StoreText(field, width, value, valueLength);
}

void Rows(DevInfoRowTable* rows, const uint8_t* data, uint32_t size) {
    Cursor c(data, size);
    uint8_t count;
    if (!c.Skip(3) || !c.Byte(count)) return;
    count = std::min<uint8_t>(count, kRowsPerCommand);
    rows->rowCount = count;
    for (uint32_t r = 0; r < count; ++r) {
        uint32_t fields[8];
        for (uint32_t& f : fields)
            if (!c.BigEndian32(f)) return;
        uint8_t length;
        if (!c.Byte(length) || length < 1 || length > 31) return;
        const char* value = c.Bytes(length);
        if (!value) return;
        uint32_t item = fields[4];
        if (item < kRowItemFirst || item > kRowItemFirst + 3) continue;
        if (item == kRowItemText && fields[7] == kZdsvText) {
            StoreText(rows->texts[r], sizeof rows->texts[r], value, length);
            continue;
        }
        uint32_t number = 0;
        for (uint8_t i = 0; i < length && i < 4; ++i) number = number << 8 | static_cast<uint8_t>(value[i]);
        rows->words[item - kRowItemFirst] = number;
    }
}

void NameList(DevInfoNameList* list, const uint8_t* data, uint32_t size) {
    Cursor c(data, size);
    uint16_t count;
    if (!c.BigEndian16(count)) return;
    for (uint16_t i = 0; i < count && list->count < list->capacity && list->entries; ++i) {
        uint8_t nameLength, textLength, value;
        if (!c.Byte(nameLength)) return;
        const char* name = c.Bytes(nameLength);
        if (!name || !c.Byte(textLength)) return;
        const char* text = c.Bytes(textLength);
        if (!text || !c.Byte(value)) return;
        DevInfoNameEntry& e = list->entries[list->count++];
        StoreText(e.name, sizeof e.name, name, nameLength);
        StoreText(e.text, sizeof e.text, text, textLength);
        e.value = value;
    }
}

void Words(uint32_t* words, const uint8_t* data, uint32_t size) {
    Cursor c(data, size);
    uint32_t values[3];
    for (uint32_t& v : values)
        if (!c.BigEndian32(v)) return;
    std::memcpy(words, values, sizeof values);
}

}  // namespace

void DecodeCommandAnswer(DevInfoCommandTarget* target, uint32_t code, uint16_t command, const uint8_t* data,
                         uint32_t size) {
    if (!target || !data || size == 0) return;
    if (code == kVariablesCode && command == kVariablesCommand && target->names) Variables(target->names, data, size);
    else if (code == kRowsCode && command == kRowsCommand && target->rows) Rows(target->rows, data, size);
    else if (code == kTextCode && command == kTextCommand && target->words) Words(target->words, data, size);
    else if (code == kNameListCode && command == kNameListCommand && target->list) NameList(target->list, data, size);
}

int DevInfoClient_DecodeCommandReplies(DevInfoClient*, DevInfoCommandTarget* target, uint32_t count,
                                       void* const* replies) {
    if (!target || !replies) return 0;
    for (uint32_t i = 0; i < count && replies[i]; ++i) {
        auto* reply = static_cast<const ZdsvCommand*>(replies[i]);
        DecodeCommandAnswer(target, reply->code, reply->command, reply->data, reply->dataSize);
    }
    return 1;
}
