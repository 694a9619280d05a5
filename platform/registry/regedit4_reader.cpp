// Reads REGEDIT4 text: the "REGEDIT4" header, key sections, and value lines holding a string, a
// "dword:", a "hex:" or "hex(type):" byte list (continued over lines by a final backslash), or
// "-" to delete. Every fault is reported with its line; nothing in the input can crash the reader.
#include "platform/registry/regedit4.h"

#include <cstdint>

namespace registry {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.substr(0, prefix.size()) == prefix;
}

class Reader {
public:
    Reader(std::string_view text, Tree& tree, HiveError& error, size_t linesBefore)
        : text_(text), tree_(tree), error_(error), lineNo_(linesBefore) {}

    bool Run(bool sawHeader) {
        if (text_.size() > kMaxHiveFileSize) return Fail(0, "the file is larger than 64 MiB");
        if (!sawHeader && (StartsWith(text_, "\xFF\xFE") || StartsWith(text_, "\xFE\xFF")))
            return Fail(1, "the file is in UTF-16, as version-5 registry files are; only REGEDIT4 files are read");
        if (!sawHeader && StartsWith(text_, "\xEF\xBB\xBF")) text_.remove_prefix(3);
        std::string_view line;
        while (NextLine(line)) {
            if (!lineOk_) return false;
            line = TrimRight(TrimLeft(line));
            if (line.empty()) continue;
            if (!sawHeader) {
                if (StartsWith(line, "Windows Registry Editor"))
                    return Fail(lineNo_, "\"" + std::string(line.substr(0, 64)) +
                                             "\" files are not read; only REGEDIT4 files are");
                if (line != "REGEDIT4") return Fail(lineNo_, "the file does not begin with \"REGEDIT4\"");
                sawHeader = true;
                continue;
            }
            if (line.front() == ';') continue;
            if (line.front() == '[') {
                if (!Section(line)) return false;
            } else if (line.front() == '"' || line.front() == '@') {
                if (!ValueLine(line)) return false;
            } else {
                return Fail(lineNo_, "expected a [key] section or a value line");
            }
        }
        if (!lineOk_) return false;
        if (!sawHeader) return Fail(lineNo_ ? lineNo_ : 1, "the file does not begin with \"REGEDIT4\"");
        return true;
    }

private:
    // Next physical line. Refuses (lineOk_ false, error set) a line beyond the length limit, a
    // NUL byte, which no text line holds, and a last line without a line end: the writer ends
    // every file with one, so its absence means the file was cut off, perhaps where what is left
    // still reads (inside a hex list, after a whole byte).
    bool NextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        bool cut = end == std::string_view::npos;
        if (cut) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        ++lineNo_;
        if (line.size() > kMaxHiveLineLength) {
            lineOk_ = false;
            Fail(lineNo_, "the line is longer than " + std::to_string(kMaxHiveLineLength) + " characters");
        } else if (line.find('\0') != std::string_view::npos) {
            lineOk_ = false;
            Fail(lineNo_, "a NUL byte in the line");
        } else if (cut) {
            lineOk_ = false;
            Fail(lineNo_, "the last line has no line end: the file was cut off");
        }
        return true;
    }

    bool Fail(size_t line, std::string message) {
        error_.line = line;
        error_.message = std::move(message);
        return false;
    }

    bool Section(std::string_view line) {
        if (line.back() != ']') return Fail(lineNo_, "the key section has no closing \"]\"");
        std::string_view path = line.substr(1, line.size() - 2);
        bool remove = !path.empty() && path.front() == '-';
        if (remove) path.remove_prefix(1);
        size_t slash = path.find('\\');
        std::string_view rootName = path.substr(0, slash);
        std::string_view rest = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        std::shared_ptr<Key> root;
        if (NamesEqual(rootName, "HKEY_LOCAL_MACHINE")) root = tree_.localMachine;
        else if (NamesEqual(rootName, "HKEY_CURRENT_USER")) root = tree_.currentUser;
        else return Fail(lineNo_, "unknown root key \"" + std::string(rootName.substr(0, 64)) + "\"");
        std::vector<std::string_view> parts;
        if (!SplitKeyPath(rest, parts) || (slash != std::string_view::npos && parts.empty()))
            return Fail(lineNo_, "bad key path (an empty name or a name longer than 255 characters)");
        current_.reset();
        if (remove) {
            if (parts.empty()) return Fail(lineNo_, "a root key cannot be deleted");
            Key* parent = root.get();
            for (size_t i = 0; parent && i + 1 < parts.size(); ++i) parent = parent->FindSubkey(parts[i]);
            if (parent) parent->RemoveSubkey(parts.back());
            return true;
        }
        std::shared_ptr<Key> key = root;
        for (std::string_view part : parts) {
            key = key->AddSubkey(part);
            if (!key)
                return Fail(lineNo_, "the key is deeper than 512 levels or its path longer than 16383 characters");
        }
        current_ = key;
        return true;
    }

    // Reads a quoted text starting at s[0] == '"' with the escapes \\ and \"; leaves s after it.
    // Runs between escapes are copied whole, as the writer writes them.
    bool Quoted(std::string_view& s, std::string& out, const char* what) {
        out.clear();
        for (size_t i = 1; i < s.size();) {
            size_t stop = s.find_first_of("\\\"", i);
            if (stop == std::string_view::npos) break;
            out.append(s.substr(i, stop - i));
            if (s[stop] == '"') {
                s.remove_prefix(stop + 1);
                return true;
            }
            if (stop + 1 >= s.size()) break;
            char e = s[stop + 1];
            if (e != '\\' && e != '"') return Fail(lineNo_, std::string("bad escape in the ") + what);
            out.push_back(e);
            i = stop + 2;
        }
        return Fail(lineNo_, std::string("the ") + what + " has no closing quote");
    }

    bool ValueLine(std::string_view line) {
        size_t firstLine = lineNo_;
        if (!current_) return Fail(lineNo_, "a value line outside a key section");
        std::string name;
        std::string_view s = line;
        if (s.front() == '@') {
            s.remove_prefix(1);
        } else {
            if (!Quoted(s, name, "value name")) return false;
            if (name.size() > kMaxValueNameLength) return Fail(lineNo_, "the value name is too long");
        }
        s = TrimLeft(s);
        if (s.empty() || s.front() != '=') return Fail(lineNo_, "expected \"=\" after the value name");
        s = TrimLeft(s.substr(1));
        if (s == "-") {
            current_->RemoveValue(name);
            return true;
        }
        if (!s.empty() && s.front() == '"') {
            std::string text;
            if (!Quoted(s, text, "string")) return false;
            if (!TrimLeft(s).empty()) return Fail(lineNo_, "text after the closing quote");
            current_->SetValue(name, REG_SZ, StoredString(reinterpret_cast<const BYTE*>(text.data()), text.size()));
            return true;
        }
        if (StartsWith(s, "dword:")) {
            // Eight digits always, as written; more only as leading zeros of a 32-bit value.
            s.remove_prefix(6);
            if (s.size() < 8) return Fail(lineNo_, "a dword needs 8 hex digits");
            uint32_t v = 0;
            for (size_t i = 0; i < s.size(); ++i) {
                int d = HexDigit(s[i]);
                if (d < 0) return Fail(lineNo_, "bad hex digit in a dword");
                if (i + 8 < s.size() && d != 0) return Fail(lineNo_, "the dword is larger than 32 bits");
                v = (v << 4) | static_cast<uint32_t>(d);
            }
            std::vector<BYTE> data{BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
            current_->SetValue(name, REG_DWORD, std::move(data));
            return true;
        }
        DWORD type = REG_BINARY;
        if (StartsWith(s, "hex(")) {
            size_t close = s.find(')');
            if (close == std::string_view::npos || close == 4 || close > 12)
                return Fail(lineNo_, "bad type in \"hex(type):\"");
            type = 0;
            for (char c : s.substr(4, close - 4)) {
                int d = HexDigit(c);
                if (d < 0) return Fail(lineNo_, "bad type in \"hex(type):\"");
                type = (type << 4) | static_cast<DWORD>(d);
            }
            s.remove_prefix(close + 1);
            if (s.empty() || s.front() != ':') return Fail(lineNo_, "bad type in \"hex(type):\"");
            s.remove_prefix(1);
        } else if (StartsWith(s, "hex:")) {
            s.remove_prefix(4);
        } else {
            return Fail(lineNo_, "unrecognised value data");
        }
        std::vector<BYTE> bytes;
        if (!HexBytes(s, bytes, firstLine)) return false;
        if (type == REG_SZ || type == REG_EXPAND_SZ) bytes = StoredString(bytes.data(), bytes.size());
        else if (type == REG_MULTI_SZ) bytes = StoredMultiString(bytes.data(), bytes.size());
        current_->SetValue(name, type, std::move(bytes));
        return true;
    }

    // Byte list "aa,bb,..." where a final backslash continues it on the next line.
    bool HexBytes(std::string_view s, std::vector<BYTE>& out, size_t firstLine) {
        for (;;) {
            s = TrimRight(TrimLeft(s));
            bool more = !s.empty() && s.back() == '\\';
            if (more) s = TrimRight(s.substr(0, s.size() - 1));
            while (!s.empty()) {
                if (s.size() < 2 || HexDigit(s[0]) < 0 || HexDigit(s[1]) < 0)
                    return Fail(lineNo_, "bad hex byte (two hex digits expected)");
                out.push_back(static_cast<BYTE>(HexDigit(s[0]) << 4 | HexDigit(s[1])));
                s = TrimLeft(s.substr(2));
                if (s.empty()) break;
                if (s.front() != ',') return Fail(lineNo_, "expected \",\" between hex bytes");
                s = TrimLeft(s.substr(1));
                if (s.empty() && !more) return Fail(lineNo_, "the hex list ends with \",\"");
            }
            if (!more) return true;
            std::string_view next;
            if (!NextLine(next)) return Fail(firstLine, "the file ends inside a hex value");
            if (!lineOk_) return false;
            s = next;
        }
    }

    std::string_view text_;
    Tree& tree_;
    HiveError& error_;
    size_t pos_ = 0;
    size_t lineNo_ = 0;
    bool lineOk_ = true;
    std::shared_ptr<Key> current_;
};

}  // namespace

bool ReadRegedit4(std::string_view text, Tree& tree, HiveError& error) {
    error = HiveError{};
    return Reader(text, tree, error, 0).Run(false);
}

bool ReadRegedit4Records(std::string_view text, Tree& tree, HiveError& error, size_t linesBefore) {
    error = HiveError{};
    return Reader(text, tree, error, linesBefore).Run(true);
}

void ReadRegedit4Journal(std::string_view text, Tree& tree, size_t linesBefore, bool sawHeader,
                         std::vector<HiveError>& skipped) {
    size_t line = linesBefore;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = pos;
        for (;;) {
            size_t next = text.find('\n', end);
            if (next == std::string_view::npos) {
                end = text.size();
                break;
            }
            std::string_view current = text.substr(end, next - end);
            end = next + 1;
            if (current.empty() || current == "\r") break;
        }
        std::string_view record = text.substr(pos, end - pos);
        // A record is read into a tree of its own first, so that one refused half-way leaves
        // nothing of itself behind.
        Tree scratch;
        HiveError error;
        if (Reader(record, scratch, error, line).Run(sawHeader)) Reader(record, tree, error, line).Run(sawHeader);
        else skipped.push_back(error);
        sawHeader = true;
        for (char c : record) line += c == '\n';
        pos = end;
    }
}

}  // namespace registry
