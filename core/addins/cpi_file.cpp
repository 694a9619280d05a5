// The ".CPI" reader (see core/addins/cpi_file.h). Lines end at CR, LF or both; a line may carry
// spaces around its parts; section names and keys compare without regard to case, as profile
// files do. A NUL ends nothing: it is one more character, and a name or file holding one is
// refused.
#include "core/addins/cpi_file.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace {

constexpr std::size_t kMaxFileName = 255;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool Printable(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x20; });
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool Hex(std::string_view text, uint64_t& value) {
    value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return true;
}

// A plain file name: no folder, no drive, no parent reference, a name and an extension.
bool PlainFileName(std::string_view name) {
    if (name.empty() || name.size() > kMaxFileName || !Printable(name)) return false;
    if (name.find_first_of("\\/:*?\"<>|") != std::string_view::npos) return false;
    return name.front() != '.' && name.find('.') != std::string_view::npos;
}

bool ReadLine(std::string_view line, AddInRecord& record) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = Trim(line.substr(0, equals));
    std::string_view rest = line.substr(equals + 1);
    const size_t comma = rest.find(',');
    if (comma == std::string_view::npos) return false;
    const std::string_view id = Trim(rest.substr(0, comma));
    rest = rest.substr(comma + 1);
    const size_t second = rest.find(',');
    const std::string_view file = Trim(rest.substr(0, second));
    const std::string_view description = second == std::string_view::npos ? std::string_view{} : Trim(rest.substr(second + 1));
    if (name.empty() || name.size() > kCpiMaxText || !Printable(name) || description.size() > kCpiMaxText ||
        !Printable(description) || !PlainFileName(file) || !ParseClassId(std::string(id), record.classId))
        return false;
    record.name = name;
    record.file = file;
    record.description = description;
    return true;
}

}  // namespace

bool ParseClassId(const std::string& text, ClassId& id) {
    // {8-4-4-4-12}: 38 characters with the braces.
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' || text[14] != '-' ||
        text[19] != '-' || text[24] != '-')
        return false;
    const std::string_view t(text);
    uint64_t a, b, c, d, e;
    if (!Hex(t.substr(1, 8), a) || !Hex(t.substr(10, 4), b) || !Hex(t.substr(15, 4), c) || !Hex(t.substr(20, 4), d) ||
        !Hex(t.substr(25, 12), e))
        return false;
    id.data1 = static_cast<uint32_t>(a);
    id.data2 = static_cast<uint16_t>(b);
    id.data3 = static_cast<uint16_t>(c);
    id.data4[0] = static_cast<uint8_t>(d >> 8);
    id.data4[1] = static_cast<uint8_t>(d);
    for (int i = 0; i < 6; ++i) id.data4[2 + i] = static_cast<uint8_t>(e >> (40 - 8 * i));
    return true;
}

bool ReadCpiFile(const uint8_t* bytes, std::size_t size, std::vector<AddInRecord>& addIns) {
    addIns.clear();
    if (!bytes || size > kCpiMaxBytes) return false;
    std::string_view text(reinterpret_cast<const char*>(bytes), size);
    bool inSection = false, sawSection = false;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            inSection = close != std::string_view::npos && EqualNoCase(Trim(line.substr(1, close - 1)), "Add-Ins");
            sawSection = sawSection || inSection;
            continue;
        }
        AddInRecord record;
        if (!inSection || addIns.size() == kCpiMaxAddIns || !ReadLine(line, record)) continue;
        // A class listed twice is one add-in: the first line stands.
        if (std::none_of(addIns.begin(), addIns.end(), [&](const AddInRecord& r) { return r.classId == record.classId; }))
            addIns.push_back(std::move(record));
    }
    return sawSection;
}
