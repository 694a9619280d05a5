// Fuzz target of what a person types into the feature dialogs: a page list either is refused or
// gives ranges inside 1 to 999 that the insertion table takes without leaving its words or
// miscounting; the number checks answer without overflowing. The first byte picks the input.
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "features/feature_numbers.h"
#include "features/insertion_table.h"
#include "features/page_list.h"

#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t choice = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    IsValidAdjustment(text, choice & 1 ? ',' : '.');
    IsValidShift(text, '.', choice & 2, uint16_t(choice & 4));
    const auto ranges = ParsePageList(text);
    if (!ranges) return 0;
    std::vector<uint8_t> section(devmode::kModelSectionSize, 0);
    InsertionTable table(MutableByteView(section.data(), section.size()), 1 + choice % 100);
    const int kind = choice % 3;
    for (const PageRange& r : *ranges) {
        if (r.first > r.last || r.last == 0 || r.last > 999) std::abort();
        table.Add(kind, r.first, r.last);
    }
    const uint8_t count = table.Compact(kind);
    size_t held = 0;
    for (uint16_t page : table.Pages(kind)) held += page != 0;
    if (held != count || table.Pages(kind).size() != table.Words()) std::abort();
    return 0;
}
