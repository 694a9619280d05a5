// The page-list parser: the text without its spaces is split at commas and each element read as
// one number or one range; the first refused element refuses the whole text.
#include "features/page_list.h"

#include <string>

namespace {

constexpr size_t kMaxDigits = 3;

// A number of one to three digits without a leading zero (0 itself is a number, refused later
// as a last page).
bool ReadNumber(std::string_view digits, uint16_t& out) {
    if (digits.empty() || digits.size() > kMaxDigits) return false;
    if (digits.size() > 1 && digits.front() == '0') return false;
    uint16_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = uint16_t(value * 10 + (c - '0'));
    }
    out = value;
    return true;
}

bool ReadElement(std::string_view element, PageRange& out) {
    const size_t hyphen = element.find('-');
    if (hyphen == std::string_view::npos) {
        if (!ReadNumber(element, out.first)) return false;
        out.last = out.first;
    } else {
        if (element.find('-', hyphen + 1) != std::string_view::npos) return false;
        if (!ReadNumber(element.substr(0, hyphen), out.first) || !ReadNumber(element.substr(hyphen + 1), out.last))
            return false;
    }
    return out.last != 0 && out.first <= out.last;
}

}  // namespace

std::optional<std::vector<PageRange>> ParsePageList(std::string_view text) {
    if (text.size() > kPageListTextLimit) return std::nullopt;
    std::string compact;
    for (char c : text)
        if (c != ' ') compact += c;
    std::vector<PageRange> ranges;
    if (compact.empty()) return ranges;
    std::string_view rest = compact;
    while (true) {
        const size_t comma = rest.find(',');
        PageRange range{};
        if (!ReadElement(rest.substr(0, comma), range)) return std::nullopt;
        ranges.push_back(range);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return ranges;
}
