// The text of a profile (INI) file as lines, with the lookups and edits of the profile calls.
// Sections and keys are matched without regard to case; the first section or key of a name
// wins; edits keep every other line (comments, blank lines, unknown lines) as it was.
#pragma once

#include <windef.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kernel {

class ProfileText {
public:
    explicit ProfileText(std::string_view bytes);

    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;
    // "key=value" for each key of the section, spaces around the key and the value removed.
    std::vector<std::string> SectionEntries(std::string_view section) const;
    // The value with surrounding spaces and one pair of matching quotes removed.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Both answer whether anything was removed.
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

    // The whole text, each line ending in CR LF.
    std::string Text() const;

private:
    // Index of the first section header of the name, or npos; its lines run to End(header).
    size_t FindSection(std::string_view section) const;
    size_t End(size_t header) const;
    size_t FindKey(size_t header, std::string_view key) const;

    std::vector<std::string> lines_;
};

// Copies a value as GetPrivateProfileStringA does: cut to size - 1 characters when too long;
// answers the number of characters copied.
DWORD CopyProfileValue(std::string_view value, LPSTR buffer, DWORD size);
// Copies a list of NUL-terminated names followed by one more NUL; when it does not fit, fills
// the buffer, ends it with two NULs and answers size - 2, as the original does.
DWORD CopyProfileList(const std::vector<std::string>& names, LPSTR buffer, DWORD size);

}  // namespace kernel
