// Writes the registry tree as REGEDIT4 text, the way the original's editor lays it out: a section
// per key, strings quoted, DWORDs as "dword:", other data as "hex:"/"hex(type):" lists wrapped
// before 80 columns. Strings that a quoted line cannot carry (line breaks, no terminator, very
// long) are written as "hex(1):" so that every value reads back byte for byte.
#include "platform/registry/regedit4.h"

#include <algorithm>
#include <cstdio>

namespace registry {

namespace {

constexpr size_t kWrapColumn = 77;  // leaves room for the continuation backslash
constexpr size_t kMaxQuotedString = 16000;

// Runs between escapes are copied whole: a hive of tens of megabytes is written at every fold.
void Quote(std::string& out, std::string_view text) {
    out.push_back('"');
    for (size_t from = 0; from < text.size();) {
        size_t stop = std::min(text.find_first_of("\\\"", from), text.size());
        out.append(text.substr(from, stop - from));
        if (stop < text.size()) {
            out.push_back('\\');
            out.push_back(text[stop++]);
        }
        from = stop;
    }
    out.push_back('"');
}

bool QuotableString(const Value& v) {
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != 0) return false;
    if (v.data.size() - 1 > kMaxQuotedString) return false;  // escaped, it still fits a line
    std::string_view text(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1);
    return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

void HexList(std::string& out, size_t lineStart, const std::vector<BYTE>& data) {
    static const char kDigits[] = "0123456789abcdef";
    size_t column = out.size() - lineStart;
    for (size_t i = 0; i < data.size(); ++i) {
        size_t width = i + 1 < data.size() ? 3 : 2;
        if (column + width > kWrapColumn) {
            out += "\\\n  ";
            column = 2;
        }
        out.push_back(kDigits[data[i] >> 4]);
        out.push_back(kDigits[data[i] & 15]);
        if (i + 1 < data.size()) out.push_back(',');
        column += width;
    }
}

void WriteValue(std::string& out, const Value& v) {
    size_t lineStart = out.size();
    if (v.name.empty()) out.push_back('@');
    else Quote(out, v.name);
    out.push_back('=');
    if (QuotableString(v)) {
        Quote(out, std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        char buf[16];
        unsigned long d = static_cast<unsigned long>(v.data[0]) | static_cast<unsigned long>(v.data[1]) << 8 |
                          static_cast<unsigned long>(v.data[2]) << 16 | static_cast<unsigned long>(v.data[3]) << 24;
        std::snprintf(buf, sizeof buf, "dword:%08lx", d);
        out += buf;
    } else {
        if (v.type == REG_BINARY) {
            out += "hex:";
        } else {
            char buf[24];
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
            out += buf;
        }
        HexList(out, lineStart, v.data);
    }
    out.push_back('\n');
}

void WriteKey(std::string& out, const Key& key, const std::string& path, bool isRoot) {
    if (!isRoot || !key.Values().empty()) {
        out += '[' + path + "]\n";
        for (const Value& v : key.Values()) WriteValue(out, v);
        out.push_back('\n');
    }
    for (const auto& entry : key.AllSubkeys()) {
        const Key& sub = *entry.second;
        WriteKey(out, sub, path + '\\' + sub.Name(), false);
    }
}

}  // namespace

std::string ValueRecord(const std::string& keyPath, const Value& value) {
    std::string out = '[' + keyPath + "]\n";
    WriteValue(out, value);
    out.push_back('\n');
    return out;
}

std::string DeletedValueRecord(const std::string& keyPath, std::string_view valueName) {
    std::string out = '[' + keyPath + "]\n";
    if (valueName.empty()) out.push_back('@');
    else Quote(out, valueName);
    out += "=-\n\n";
    return out;
}

std::string KeyRecord(const std::string& keyPath) { return '[' + keyPath + "]\n\n"; }

std::string DeletedKeyRecord(const std::string& keyPath) { return "[-" + keyPath + "]\n\n"; }

size_t WholeRecordsLength(std::string_view text) {
    for (size_t end = text.size(); end >= 2; --end) {
        if (text[end - 1] != '\n') continue;
        if (text[end - 2] == '\n') return end;
        if (end >= 3 && text[end - 2] == '\r' && text[end - 3] == '\n') return end;
    }
    return 0;
}

std::string WriteRegedit4(const Tree& tree) {
    std::string out = "REGEDIT4\n\n";
    WriteKey(out, *tree.localMachine, "HKEY_LOCAL_MACHINE", true);
    WriteKey(out, *tree.currentUser, "HKEY_CURRENT_USER", true);
    return out;
}

}  // namespace registry
