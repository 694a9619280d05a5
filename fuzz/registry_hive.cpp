// Fuzzes the REGEDIT4 hive reader: any input must be read or refused without a crash, and
// whatever is read must write out as a file that reads back to the very same text.
#include "platform/registry/regedit4.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    registry::Tree tree;
    registry::HiveError error;
    if (!registry::ReadRegedit4(text, tree, error)) {
        if (error.message.empty()) std::abort();
        return 0;
    }
    std::string first = registry::WriteRegedit4(tree);
    registry::Tree again;
    if (!registry::ReadRegedit4(first, again, error)) std::abort();
    if (registry::WriteRegedit4(again) != first) std::abort();
    return 0;
}
