// Fuzzes the REGEDIT4 hive reader: any input must be read or refused without a crash, and
// whatever is read must write out as a file that reads back to the very same text. That file
// cut off anywhere but at a line end, or with a NUL byte put in, must be refused with a line,
// as must the torn tail of a journal be left out of its whole records. Read as a journal, record
// by record, whatever it holds gives a tree that writes out and reads back alike.
#include "platform/registry/regedit4.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void RefusedWithALine(std::string_view text) {
    registry::Tree tree;
    registry::HiveError error;
    if (registry::ReadRegedit4(text, tree, error) || error.line == 0 || error.message.empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    registry::Tree tree;
    registry::HiveError error;
    size_t whole = registry::WholeRecordsLength(text);
    if (whole > text.size() || (whole && text[whole - 1] != '\n')) std::abort();
    {
        registry::Tree journal;
        std::vector<registry::HiveError> skipped;
        registry::ReadRegedit4Journal(text.substr(0, whole), journal, 0, size % 2 == 0, skipped);
        for (const registry::HiveError& bad : skipped)
            if (bad.line == 0 || bad.message.empty()) std::abort();
        std::string written = registry::WriteRegedit4(journal);
        registry::Tree again;
        if (!registry::ReadRegedit4(written, again, error) || registry::WriteRegedit4(again) != written) std::abort();
    }
    if (!registry::ReadRegedit4(text, tree, error)) {
        if (error.message.empty()) std::abort();
        return 0;
    }
    std::string first = registry::WriteRegedit4(tree);
    registry::Tree again;
    if (!registry::ReadRegedit4(first, again, error)) std::abort();
    if (registry::WriteRegedit4(again) != first) std::abort();

    // Where to cut and where to put the NUL byte follows from the input, so that the fuzzer
    // explores both.
    size_t at = 1 + size * 2654435761u % (first.size() - 1);
    if (first[at - 1] != '\n') RefusedWithALine(std::string_view(first).substr(0, at));
    std::string withNul = first;
    withNul.insert(at, 1, '\0');
    RefusedWithALine(withNul);
    return 0;
}
