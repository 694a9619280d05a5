// Parsing and editing of profile text. A header is a line whose first non-blank character is
// "["; its name runs to "]" (or the line's end). A key line holds "="; lines before the first
// header and comment lines (";") belong to no key.
#include "platform/kernel/profile_text.h"

#include "platform/kernel/code_page.h"

#include <cstring>

namespace kernel {

namespace {

constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool HeaderName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return false;
    line.remove_prefix(1);
    name = Trim(line.substr(0, line.find(']')));
    return true;
}

bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return false;
    size_t eq = t.find('=');
    if (eq == npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, end == npos ? npos : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        if (end == npos) break;
        start = end + 1;
    }
}

size_t ProfileText::FindSection(std::string_view section) const {
    std::string_view want = Trim(section), name;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (HeaderName(lines_[i], name) && EqualNoCase(name, want)) return i;
    return npos;
}

size_t ProfileText::End(size_t header) const {
    std::string_view name;
    size_t i = header + 1;
    while (i < lines_.size() && !HeaderName(lines_[i], name)) ++i;
    return i;
}

size_t ProfileText::FindKey(size_t header, std::string_view key) const {
    std::string_view want = Trim(key), k, v;
    for (size_t i = header + 1, end = End(header); i < end; ++i)
        if (KeyLine(lines_[i], k, v) && EqualNoCase(k, want)) return i;
    return npos;
}

std::vector<std::string> ProfileText::SectionNames() const {
    std::vector<std::string> names;
    std::string_view name;
    for (const std::string& line : lines_)
        if (HeaderName(line, name)) names.emplace_back(name);
    return names;
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    size_t header = FindSection(section);
    std::string_view k, v;
    if (header == npos) return names;
    for (size_t i = header + 1, end = End(header); i < end; ++i)
        if (KeyLine(lines_[i], k, v)) names.emplace_back(k);
    return names;
}

std::vector<std::string> ProfileText::SectionEntries(std::string_view section) const {
    std::vector<std::string> entries;
    size_t header = FindSection(section);
    std::string_view k, v;
    if (header == npos) return entries;
    for (size_t i = header + 1, end = End(header); i < end; ++i)
        if (KeyLine(lines_[i], k, v)) entries.push_back(std::string(k) + "=" + std::string(v));
    return entries;
}

std::optional<std::string> ProfileText::Value(std::string_view section, std::string_view key) const {
    size_t header = FindSection(section);
    size_t line = header == npos ? npos : FindKey(header, key);
    std::string_view k, v;
    if (line == npos || !KeyLine(lines_[line], k, v)) return std::nullopt;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

void ProfileText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + std::string(value));
        return;
    }
    if (size_t line = FindKey(header, key); line != npos) {
        std::string_view k, v;
        KeyLine(lines_[line], k, v);
        lines_[line] = std::string(k) + "=" + std::string(value);  // the key keeps its spelling
        return;
    }
    // A new key goes after the section's last non-blank line, before the blank lines that
    // separate it from the next section.
    size_t at = End(header);
    while (at > header + 1 && Trim(lines_[at - 1]).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::string(key) + "=" + std::string(value));
}

bool ProfileText::DeleteKey(std::string_view section, std::string_view key) {
    size_t header = FindSection(section);
    size_t line = header == npos ? npos : FindKey(header, key);
    if (line == npos) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

bool ProfileText::DeleteSection(std::string_view section) {
    size_t header = FindSection(section);
    if (header == npos) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(End(header)));
    return true;
}

std::string ProfileText::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

DWORD CopyProfileValue(std::string_view value, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    size_t n = value.size() < size ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

DWORD CopyProfileList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    size_t total = 1;
    for (const std::string& name : names) total += name.size() + 1;
    if (total <= size) {
        char* out = buffer;
        for (const std::string& name : names) {
            std::memcpy(out, name.c_str(), name.size() + 1);
            out += name.size() + 1;
        }
        *out = '\0';
        if (names.empty() && size > 1) buffer[1] = '\0';  // an empty list still ends in two NULs
        return static_cast<DWORD>(total - 1);
    }
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    size_t at = 0;
    for (const std::string& name : names) {
        for (size_t i = 0; i <= name.size() && at < size - 2; ++i) buffer[at++] = i < name.size() ? name[i] : '\0';
        if (at >= size - 2) break;
    }
    buffer[size - 2] = buffer[size - 1] = '\0';
    return size - 2;
}

}  // namespace kernel
