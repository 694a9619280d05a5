// The resources of one module, read from the standard compiled resource (.res) format: a table of
// entries by type, name and language over one copy of the file's bytes. How the module was loaded
// does not matter here: whoever has the bytes parses them and attaches the table to a handle.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace res {

// A resource type or name: a 16-bit number, or a text (kept upper-case, as names compare
// without regard to case).
struct ResourceId {
    uint16_t number = 0;
    std::string text;

    bool isNumber() const { return text.empty(); }
    // Matches a Win32 argument: MAKEINTRESOURCE(n), "#n" or a name.
    bool matches(LPCSTR id) const;
};

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    uint16_t language = 0;
    size_t offset = 0;  // of the data within the file's bytes
    uint32_t size = 0;
};

class ResourceTable {
public:
    // Parses a whole .res file; false with a reason on bad or truncated input (nothing kept).
    static std::shared_ptr<ResourceTable> Parse(const uint8_t* data, size_t size, std::string* why = nullptr);

    const std::vector<ResourceEntry>& entries() const { return entries_; }
    const uint8_t* dataOf(const ResourceEntry& e) const { return bytes_.data() + e.offset; }
    // The entry of this type and name: language neutral first, then US English, then the first.
    const ResourceEntry* find(LPCSTR type, LPCSTR name) const;
    bool owns(const ResourceEntry* e) const {
        return !entries_.empty() && e >= entries_.data() && e < entries_.data() + entries_.size();
    }

private:
    std::vector<uint8_t> bytes_;
    std::vector<ResourceEntry> entries_;
};

// The table of a module handle (null for the handle of the program itself), or null.
std::shared_ptr<const ResourceTable> TableOf(HMODULE module);
// Gives a module handle its resources; a handle already holding a table is refused.
bool AttachResources(HMODULE module, std::shared_ptr<const ResourceTable> table);
void DetachResources(HMODULE module);

// A module made of a .res file alone, as LoadLibraryExA with LOAD_LIBRARY_AS_DATAFILE gives:
// reads and parses the file, makes a new handle and attaches the table. Null with the last error
// set (ERROR_FILE_NOT_FOUND, ERROR_BAD_FORMAT) on failure.
HMODULE OpenResourceFile(const char* path);
// Releases a handle made by OpenResourceFile; false when it is not one.
bool CloseResourceFile(HMODULE module);

}  // namespace res
