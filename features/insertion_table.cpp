// The insertion table's rules over the model section's page table and its three counters.
#include "features/insertion_table.h"

#include "core/devmode/model_section.h"

#include <algorithm>

namespace {

namespace model = devmode::model;

constexpr uint32_t kField = 0x3FF;
// Field and counter by kind: the counters follow the fields' order in the word.
constexpr unsigned kShift[InsertionTable::kKinds] = {10, 20, 0};
constexpr size_t kCounter[InsertionTable::kKinds] = {model::kListBCount, model::kThirdCount, model::kListACount};

bool ValidKind(int kind) { return kind >= 0 && kind < InsertionTable::kKinds; }

}  // namespace

InsertionTable::InsertionTable(MutableByteView section, size_t words)
    : section_(section), words_(std::min(words, model::kPageTableEntries)) {}

bool InsertionTable::Reachable() const { return section_.contains(0, model::kFieldsEnd); }

std::vector<uint16_t> InsertionTable::Pages(int kind) const {
    std::vector<uint16_t> pages;
    if (!ValidKind(kind) || !Reachable()) return pages;
    for (size_t i = 0; i < words_; ++i) {
        uint32_t word = 0;
        section_.u32(model::kPageTable + 4 * i, word);
        pages.push_back(uint16_t((word >> kShift[kind]) & kField));
    }
    return pages;
}

uint8_t InsertionTable::Count(int kind) const {
    uint8_t count = 0;
    if (ValidKind(kind)) section_.u8(kCounter[kind], count);
    return count;
}

void InsertionTable::Store(int kind, const std::vector<uint16_t>& pages) {
    for (size_t i = 0; i < words_ && i < pages.size(); ++i) {
        uint32_t word = 0;
        section_.u32(model::kPageTable + 4 * i, word);
        word = (word & ~(kField << kShift[kind])) | (uint32_t(pages[i] & kField) << kShift[kind]);
        section_.put_u32(model::kPageTable + 4 * i, word);
    }
}

bool InsertionTable::Add(int kind, uint16_t first, uint16_t last) {
    if (!ValidKind(kind) || !Reachable() || last > kMaxPage) return false;
    std::vector<uint16_t> pages = Pages(kind);
    uint8_t count = Count(kind);
    for (uint32_t page = std::max<uint16_t>(first, 1); page <= last; ++page) {
        if (page == 1 && kind != 2) continue;
        auto used = pages.end();
        while (used != pages.begin() && *(used - 1) == 0) --used;
        const auto held = std::find(pages.begin(), used, page);
        if (held != used) {
            // Written again as the last used field.
            std::rotate(held, held + 1, used);
            continue;
        }
        if (used == pages.end()) return false;
        *used = uint16_t(page);
        ++count;
    }
    Store(kind, pages);
    section_.put_u8(kCounter[kind], count);
    return true;
}

uint8_t InsertionTable::Compact(int kind) {
    if (!ValidKind(kind) || !Reachable()) return 0;
    std::vector<uint16_t> pages = Pages(kind);
    std::stable_partition(pages.begin(), pages.end(), [](uint16_t p) { return p != 0; });
    const auto used = std::find(pages.begin(), pages.end(), uint16_t{0});
    std::sort(pages.begin(), used);
    Store(kind, pages);
    const uint8_t count = uint8_t(used - pages.begin());
    section_.put_u8(kCounter[kind], count);
    return count;
}

void InsertionTable::Remove(int kind, const std::vector<uint16_t>& remove) {
    if (!ValidKind(kind) || !Reachable()) return;
    std::vector<uint16_t> pages = Pages(kind);
    for (uint16_t& p : pages)
        if (std::find(remove.begin(), remove.end(), p) != remove.end()) p = 0;
    Store(kind, pages);
    Compact(kind);
}

int InsertionTable::FindInsertPageEntry(int kind, uint16_t page) const {
    if (page == 0) return -1;
    const std::vector<uint16_t> pages = Pages(kind);
    const auto at = std::find(pages.begin(), pages.end(), page);
    return at == pages.end() ? -1 : int(at - pages.begin());
}
