// The page-list text of the inserted-sheet dialog: page numbers separated by commas, ranges
// written "a-b", spaces ignored. Typed by a person, so every malformed text is refused whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct PageRange {
    uint16_t first;
    uint16_t last;
    bool operator==(const PageRange&) const = default;
};

// At most this many characters are taken by the edit.
inline constexpr size_t kPageListTextLimit = 399;

// The ranges in the order written; an empty text gives none. Null for a text that is refused: an
// empty element (a comma first, last or doubled), a number of more than three digits or with a
// leading zero, a second hyphen in one element, a range without a first or last number, a last
// of 0, a first above the last, or any other character.
std::optional<std::vector<PageRange>> ParsePageList(std::string_view text);
