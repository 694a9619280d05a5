// The value-name tables of the capability facts: which name a rule sees for a number of the
// device capability record ("$Paper(A4)" for paper 9). The names keep their historical
// spellings ("BaceColorSpace", "PLANE") because the rule texts are written against them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One pair of a table; a table ends with a pair whose name is null.
struct ValueName {
    int32_t value;
    const char* name;
};

namespace valuenames {

// Each table by its name (the names of the capability table's value column).
extern const ValueName kEngineType[], kOnOff[], kState[], kStorage[], kPageProtect[], kColorSpace[],
    kBaceColorSpace[], kColorSwitch[], kDefaultResoUnit[], kPixelDepth[], kLayout[], kStapleLocation[],
    kFN_FoldsID[], kPaper[], kPaperSource[], kPaperType[], kTonerSave[], kSmoothingMode[], kHalfTone[],
    kDefaultFace[], kGrayout[], kLocale[];

struct NamedTable {
    std::string_view name;
    const ValueName* table;
};
// All 22 tables, for checks and tools.
std::span<const NamedTable> AllTables();

}  // namespace valuenames

// The name of the first pair with that value (tables hold duplicates; the first wins), or null.
const char* FindValueName(const ValueName* table, int32_t value);
// The number of pairs before the terminator.
size_t CountValueNames(const ValueName* table);
