// Fuzz target of the profile-file reader: any bytes parse; every listed section and key can be
// looked up; lists copied into small buffers stay inside them; an edit reads back as written.
#include "platform/kernel/profile_text.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kernel::ProfileText text(bytes);
    char buffer[40];
    DWORD small = size % sizeof buffer;
    std::vector<std::string> sections = text.SectionNames();
    kernel::CopyProfileList(sections, buffer, small);
    for (const std::string& section : sections) {
        kernel::CopyProfileList(text.SectionEntries(section), buffer, small);
        for (const std::string& key : text.KeyNames(section)) {
            if (!text.Value(section, key)) std::abort();
            kernel::CopyProfileValue(*text.Value(section, key), buffer, small);
        }
    }
    kernel::ProfileText edited(text.Text());
    edited.SetValue("Fuzz Section", "fuzzkey", "fuzz value");
    auto value = kernel::ProfileText(edited.Text()).Value("fuzz section", "FUZZKEY");
    if (!value || *value != "fuzz value") std::abort();
    edited.DeleteSection("fuzz section");
    return 0;
}
