// The description parser: a line tokenizer (words, quoted strings with escapes, "=", ",",
// comments, here-documents) and one handler per statement. Names of fields, lists and texts come
// from the record's layout table; entry keys from the table below.
#include "tools/datafile/description.h"

#include "core/datafile/device_data_layout.h"

#include <charconv>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace datafile {

namespace {

using devicedata::FieldKind;

struct Mistake : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Refuse(const std::string& message) { throw Mistake(message); }

struct Token {
    enum Kind { Word, String, Equals, Comma } kind;
    std::string text;
};

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '\0') {
            Refuse("a NUL character outside quotes");
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '=' || c == ',') {
            tokens.push_back({c == '=' ? Token::Equals : Token::Comma, std::string(1, c)});
            ++i;
        } else if (c == '"') {
            std::string text;
            for (++i;; ++i) {
                if (i >= line.size()) Refuse("text not closed by a quote");
                char d = line[i];
                if (d == '"') break;
                if (d == '\\') {
                    if (++i >= line.size()) Refuse("text ends in a backslash");
                    switch (line[i]) {
                    case 'n': d = '\n'; break;
                    case 't': d = '\t'; break;
                    case 'r': d = '\r'; break;
                    case '"': d = '"'; break;
                    case '\\': d = '\\'; break;
                    case 'x': {
                        unsigned v = 0;
                        if (i + 2 >= line.size() || std::from_chars(&line[i + 1], &line[i + 3], v, 16).ptr != &line[i + 3])
                            Refuse("\\x needs two hexadecimal digits");
                        d = static_cast<char>(v);
                        i += 2;
                        break;
                    }
                    default: Refuse(std::string("unknown escape \\") + line[i]);
                    }
                }
                text += d;
            }
            ++i;
            tokens.push_back({Token::String, text});
        } else {
            const size_t start = i;
            constexpr std::string_view kEnds(" \t\r#=,\"\0", 8);
            while (i < line.size() && kEnds.find(line[i]) == std::string_view::npos) ++i;
            tokens.push_back({Token::Word, std::string(line.substr(start, i - start))});
        }
    }
    return tokens;
}

int64_t Number(const std::string& word, int64_t low, int64_t high) {
    const bool negative = !word.empty() && word[0] == '-';
    std::string_view digits(word);
    if (negative) digits.remove_prefix(1);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) Refuse("\"" + word + "\" is not a number");
    if (magnitude > (uint64_t{1} << 40)) Refuse(word + " is out of range");
    const int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < low || value > high)
        Refuse(word + " is out of range " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

void PutLE(std::vector<uint8_t>& out, size_t at, uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Bytes of a number or text of the given kind; a text takes at most width - 1 bytes. A 32-bit
// field is unsigned; only a raw key, which names bytes rather than a value, takes a negative
// number as its bit pattern.
std::vector<uint8_t> Encode(FieldKind kind, uint16_t width, const Token& value, bool padText, bool rawBits = false) {
    std::vector<uint8_t> bytes;
    if (kind == FieldKind::Text) {
        if (value.kind != Token::String) Refuse("a text in quotes is expected");
        if (value.text.size() >= width) Refuse("text \"" + value.text + "\" is longer than " + std::to_string(width - 1) + " characters");
        bytes.assign(value.text.begin(), value.text.end());
        if (padText) bytes.resize(width, 0);
        return bytes;
    }
    if (value.kind != Token::Word) Refuse("a number is expected");
    int64_t v = 0;
    if (kind == FieldKind::U16) v = Number(value.text, 0, 0xFFFF);
    else if (kind == FieldKind::S16) v = Number(value.text, -0x8000, 0x7FFF);
    else v = Number(value.text, rawBits ? -0x80000000LL : 0, 0xFFFFFFFFLL);
    bytes.resize(width);
    PutLE(bytes, 0, static_cast<uint64_t>(v), width);
    return bytes;
}

struct EntryKey {
    std::string_view list;  // empty: every list whose entries have a name and an id at 64
    std::string_view key;
    uint16_t offset;
    FieldKind kind;
    uint16_t width;
    bool sub = false;
};

constexpr EntryKey kEntryKeys[] = {
    {"Paper", "id", 0, FieldKind::U16, 2},
    {"Paper", "Assumed", 0x84, FieldKind::U32, 4},
    {"Paper", "NoPairingOutputPage", 0x88, FieldKind::U32, 4},
    {"Paper", "Stretch", 0x8c, FieldKind::U32, 4},
    {"Paper", "Up2", 0x90, FieldKind::U32, 4},
    {"Paper", "Up4", 0x94, FieldKind::U32, 4},
    {"Paper", "Twice", 0x98, FieldKind::U32, 4},
    {"Paper", "FinishingFlag", 0x9c, FieldKind::U32, 4},
    {"Paper", "Duplex", 0xa0, FieldKind::U32, 4},
    {"Paper", "Booklet", 0xa4, FieldKind::U32, 4},
    {"Paper", "ReverseOrder", 0xa8, FieldKind::U32, 4},
    {"Paper", "JobOffset", 0xac, FieldKind::U32, 4},
    {"Paper", "JobRotation", 0xb0, FieldKind::U32, 4},
    {"Paper", "Collate", 0xb4, FieldKind::U32, 4},
    {"Paper", "Group", 0xb8, FieldKind::U32, 4},
    {"Paper", "MailBox", 0xbc, FieldKind::U32, 4},
    {"Paper", "Staple", 0xc0, FieldKind::U32, 4},
    {"Paper", "Fold", 0xc4, FieldKind::U32, 4},
    {"Paper", "HolePunch", 0xc8, FieldKind::U32, 4},
    {"Paper", "MediaFlag", 0xcc, FieldKind::U32, 4},
    {"Paper", "media", 0, FieldKind::U16, 2, true},
    {"PaperSource", "papers", 0, FieldKind::U16, 2, true},
    {"PaperDestination", "papers", 0, FieldKind::U16, 2, true},
    {"Resolution", "quality", 66, FieldKind::U16, 2},
    {"HalfTone", "colorspace", 66, FieldKind::U16, 2},
    {"HalfToneObj", "id", 0, FieldKind::U16, 2},
    {"HalfToneObj", "colorspace", 2, FieldKind::U16, 2},
    {"Fold", "id", 0, FieldKind::U16, 2},
    {"ExpRam", "memory", 68, FieldKind::U32, 4},
    {"ExpStorage", "type", 64, FieldKind::U16, 2},
    {"FontSet", "memory", 66, FieldKind::U16, 2},
    {"OptionRecord", "type", 0, FieldKind::U16, 2},
    {"OptionRecord", "value", 4, FieldKind::U32, 4},
    {"", "name", 0, FieldKind::Text, 64},
    {"", "id", 64, FieldKind::U16, 2},
};

const EntryKey* FindEntryKey(const devicedata::ListInfo& list, std::string_view key) {
    for (const EntryKey& k : kEntryKeys) {
        if (k.key != key) continue;
        if (k.list == list.name) return &k;
        if (k.list.empty() && list.idOffset == 64 && list.entrySize >= 66) return &k;
    }
    return nullptr;
}

class Parser {
public:
    Parser(std::string_view text, std::string baseFolder, FileSpec& out) : text_(text), base_(std::move(baseFolder)), out_(out) {}

    void Run() {
        while (NextLine()) {
            const std::vector<Token> tokens = Tokenize(line_);
            if (tokens.empty()) continue;
            if (tokens[0].kind != Token::Word) Refuse("a statement begins with a name");
            if (list_) ListLine(tokens);
            else Statement(tokens);
        }
        if (list_) Refuse("list " + std::string(list_->name) + " is not closed by \"end\"");
        if (!sawModel_) Refuse("no \"model\" statement");
        if (out_.modelName.empty()) Refuse("no \"name\" statement (the model name block)");
    }

    size_t LineNumber() const { return lineNumber_; }

private:
    bool NextLine() {
        if (at_ >= text_.size()) return false;
        const size_t end = text_.find('\n', at_);
        line_ = text_.substr(at_, end == std::string_view::npos ? std::string_view::npos : end - at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
        ++lineNumber_;
        return true;
    }

    // The value of a statement: a quoted text, or a here-document "<<TAG" whose lines run up to
    // a line that is TAG alone (each line keeps its line feed).
    std::string TextValue(const std::vector<Token>& tokens, size_t i) {
        if (i + 1 != tokens.size()) Refuse("one text is expected at the end of the line");
        if (tokens[i].kind == Token::String) return tokens[i].text;
        if (tokens[i].kind != Token::Word || tokens[i].text.rfind("<<", 0) != 0 || tokens[i].text.size() < 3)
            Refuse("a text in quotes or a here-document (<<TAG) is expected");
        const std::string tag = tokens[i].text.substr(2);
        const size_t startLine = lineNumber_;
        std::string text;
        for (;;) {
            if (!NextLine()) {
                lineNumber_ = startLine;
                Refuse("here-document " + tag + " is not closed");
            }
            std::string_view l = line_;
            if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
            if (l == tag) return text;
            text.append(l);
            text += '\n';
        }
    }

    void Once(const std::string& what) {
        auto [it, fresh] = seen_.emplace(what, lineNumber_);
        if (!fresh) Refuse(what + " given twice (first on line " + std::to_string(it->second) + ")");
    }

    void Statement(const std::vector<Token>& t) {
        const std::string& word = t[0].text;
        if (word == "model") {
            Once("model");
            if (t.size() != 2) Refuse("model takes one number");
            out_.modelCode = static_cast<uint16_t>(Number(t[1].text, 0, 0xFFFF));
            sawModel_ = true;
        } else if (word == "name") {
            Once("name");
            out_.modelName = TextValue(t, 1);
            if (out_.modelName.empty() || out_.modelName.size() > 31 || out_.modelName.find('\0') != std::string::npos)
                Refuse("the model name block is a text of 1 to 31 characters");
        } else if (word == "info") {
            Once("info");
            out_.hasModelInfo = true;
            out_.modelInfo = HexBytes(t, 1);
        } else if (word == "text") {
            if (t.size() < 3) Refuse("text takes a name and a value");
            const devicedata::TextInfo* info = devicedata::FindText(t[1].text);
            if (!info) Refuse("no text is named " + t[1].text);
            Once("text " + t[1].text);
            std::string value = TextValue(t, 2);
            if (value.size() > info->maxLength || value.find('\0') != std::string::npos)
                Refuse("text " + t[1].text + " holds a NUL or is longer than " + std::to_string(info->maxLength));
            out_.texts.emplace_back(info->handleOffset, std::move(value));
        } else if (word == "list") {
            if (t.size() != 2) Refuse("list takes a name");
            list_ = devicedata::FindList(t[1].text);
            if (!list_) Refuse("no list is named " + t[1].text);
            Once("list " + t[1].text);
            out_.lists.push_back({list_->handleOffset, list_->entrySize, {}});
        } else if (word == "item") {
            Item(t);
        } else if (word == "end") {
            Refuse("\"end\" outside a list");
        } else {
            const devicedata::FieldInfo* field = devicedata::FindField(word);
            if (!field) Refuse("no field, list or statement is named " + word);
            Once("field " + word);
            if (t.size() != 2) Refuse("field " + word + " takes one value");
            out_.fields.emplace_back(field->offset, Encode(field->kind, field->width, t[1], false));
        }
    }

    std::vector<uint8_t> HexBytes(const std::vector<Token>& t, size_t from) {
        std::vector<uint8_t> bytes;
        for (size_t i = from; i < t.size(); ++i) {
            if (t[i].kind != Token::Word) Refuse("hexadecimal bytes are expected");
            const std::string& w = t[i].text;
            if (w.size() % 2) Refuse("\"" + w + "\" is not whole bytes of hexadecimal digits");
            for (size_t k = 0; k < w.size(); k += 2) {
                unsigned v = 0;
                if (std::from_chars(w.data() + k, w.data() + k + 2, v, 16).ptr != w.data() + k + 2)
                    Refuse("\"" + w + "\" is not hexadecimal");
                bytes.push_back(static_cast<uint8_t>(v));
            }
        }
        return bytes;
    }

    void Item(const std::vector<Token>& t) {
        if (t.size() < 3) Refuse("item takes an id, a kind and a value");
        ItemSpec item;
        item.id = static_cast<uint16_t>(Number(t[1].text, 1, 0xFFFF));
        Once("item " + std::to_string(item.id));
        size_t i = 2;
        if (t[i].kind == Token::Word && t[i].text == "compressed") {
            item.compress = true;
            ++i;
        }
        if (i >= t.size() || t[i].kind != Token::Word) Refuse("item kind (u16, u32, text, hex, file) is expected");
        const std::string kind = t[i++].text;
        if (kind == "u16" || kind == "u32") {
            if (i + 1 != t.size()) Refuse("item " + kind + " takes one number");
            const size_t width = kind == "u16" ? 2 : 4;
            item.bytes = Encode(width == 2 ? FieldKind::U16 : FieldKind::U32, static_cast<uint16_t>(width), t[i], false);
        } else if (kind == "text") {
            const std::string text = TextValue(t, i);
            item.bytes.assign(text.begin(), text.end());
        } else if (kind == "hex") {
            item.bytes = HexBytes(t, i);
        } else if (kind == "file") {
            // One or more files, joined in the order given (a rule text made of several parts).
            if (i >= t.size()) Refuse("item file takes file names in quotes");
            for (size_t k = i; k < t.size(); ++k)
                if (t[k].kind != Token::String) Refuse("item file takes file names in quotes");
            for (; i < t.size(); ++i) {
                const std::string path = t[i].text.empty() || t[i].text[0] == '/' ? t[i].text : base_ + "/" + t[i].text;
                std::ifstream in(path, std::ios::binary);
                if (!in) Refuse("cannot read " + path);
                std::ostringstream buffer;
                buffer << in.rdbuf();
                const std::string bytes = buffer.str();
                item.bytes.insert(item.bytes.end(), bytes.begin(), bytes.end());
            }
        } else {
            Refuse("unknown item kind " + kind);
        }
        if (item.bytes.empty()) Refuse("item " + std::to_string(item.id) + " is empty");
        out_.items.push_back(std::move(item));
    }

    void ListLine(const std::vector<Token>& t) {
        if (t.size() == 1 && t[0].text == "end") {
            list_ = nullptr;
            return;
        }
        const devicedata::ListInfo& list = *list_;
        if (list.countOffset == 0 && !out_.lists.back().entries.empty()) Refuse("list " + std::string(list.name) + " holds one entry");
        EntrySpec entry;
        entry.bytes.assign(list.entrySize, 0);
        std::map<std::string, bool> keys;
        size_t i = 0;
        while (i < t.size()) {
            if (i + 2 >= t.size() || t[i].kind != Token::Word || t[i + 1].kind != Token::Equals)
                Refuse("key=value is expected");
            const std::string& key = t[i].text;
            if (!keys.emplace(key, true).second) Refuse("key " + key + " given twice in one entry");
            i += 2;
            if (const EntryKey* k = FindEntryKey(list, key); k && k->sub) {
                i = SubValues(list, t, i, entry);
            } else {
                Put(list, key, k, t[i++], entry);
            }
            if (i < t.size() && t[i].kind == Token::Comma) Refuse("a list of numbers belongs to a sub-list key");
        }
        out_.lists.back().entries.push_back(std::move(entry));
    }

    void Put(const devicedata::ListInfo& list, const std::string& key, const EntryKey* k, const Token& value, EntrySpec& entry) {
        uint16_t offset = 0, width = 0;
        FieldKind kind = FieldKind::U16;
        if (k) {
            offset = k->offset, width = k->width, kind = k->kind;
        } else {
            // Raw keys: u8@N, u16@N, s16@N, u32@N, text@N (the text runs to the entry's end).
            const size_t atSign = key.find('@');
            if (atSign == std::string::npos) Refuse("list " + std::string(list.name) + " has no entry key " + key);
            const std::string type = key.substr(0, atSign);
            offset = static_cast<uint16_t>(Number(key.substr(atSign + 1), 0, list.entrySize - 1));
            if (type == "u8") kind = FieldKind::U32, width = 1;
            else if (type == "u16") kind = FieldKind::U16, width = 2;
            else if (type == "s16") kind = FieldKind::S16, width = 2;
            else if (type == "u32") kind = FieldKind::U32, width = 4;
            else if (type == "text") kind = FieldKind::Text, width = static_cast<uint16_t>(list.entrySize - offset);
            else Refuse("unknown raw key type " + type);
            if (offset + width > list.entrySize) Refuse("key " + key + " runs past the entry's " + std::to_string(list.entrySize) + " bytes");
            // The builder places an entry's sub-list and writes its count and position itself;
            // bytes given there would point the loader at a sub-list that is not there.
            if (list.subHandleOffset && offset < list.subHandleOffset + 4 && offset + width > list.subCountOffset)
                Refuse("key " + key + " overlaps the count and place of the entry's sub-list, which the builder writes");
        }
        std::vector<uint8_t> bytes;
        if (width == 1) {
            if (value.kind != Token::Word) Refuse("a number is expected");
            bytes.push_back(static_cast<uint8_t>(Number(value.text, 0, 0xFF)));
        } else {
            bytes = Encode(kind, width, value, false, !k);
        }
        std::copy(bytes.begin(), bytes.end(), entry.bytes.begin() + offset);
    }

    size_t SubValues(const devicedata::ListInfo& list, const std::vector<Token>& t, size_t i, EntrySpec& entry) {
        entry.hasSub = true;
        for (;;) {
            if (i >= t.size() || t[i].kind != Token::Word) Refuse("a number is expected");
            const uint16_t id = static_cast<uint16_t>(Number(t[i++].text, 0, 0xFFFF));
            std::vector<uint8_t> sub(list.subEntrySize, 0);
            PutLE(sub, list.subEntrySize >= 66 ? 64 : 0, id, 2);  // media types keep their id at 64
            entry.sub.insert(entry.sub.end(), sub.begin(), sub.end());
            if (i >= t.size() || t[i].kind != Token::Comma) return i;
            ++i;
        }
    }

    std::string_view text_;
    std::string base_;
    FileSpec& out_;
    size_t at_ = 0;
    size_t lineNumber_ = 0;
    std::string_view line_;
    const devicedata::ListInfo* list_ = nullptr;
    bool sawModel_ = false;
    std::map<std::string, size_t> seen_;
};

}  // namespace

bool ParseDescription(std::string_view text, const std::string& sourceName, const std::string& baseFolder,
                      FileSpec& out, std::string& error) {
    out = {};
    Parser parser(text, baseFolder, out);
    try {
        parser.Run();
        return true;
    } catch (const Mistake& mistake) {
        error = sourceName + ":" + std::to_string(parser.LineNumber()) + ": " + mistake.what();
        return false;
    }
}

}  // namespace datafile
