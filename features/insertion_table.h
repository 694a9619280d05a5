// The insertion table of the private device mode: words of three 10-bit page numbers, one field
// per kind of insertion (kind 2 bits 0 to 9, kind 0 bits 10 to 19, kind 1 bits 20 to 29), with a
// one-byte counter per kind. The inserted-sheet dialog adds, compacts, deletes and finds pages.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstdint>
#include <vector>

class InsertionTable {
public:
    static constexpr int kKinds = 3;
    static constexpr uint16_t kMaxPage = 999;

    // Over a model section; `words` is the model's table size (at most the section's 100).
    InsertionTable(MutableByteView section, size_t words);

    bool Reachable() const;
    size_t Words() const { return words_; }

    // The kind's fields in table order, empty ones included.
    std::vector<uint16_t> Pages(int kind) const;
    uint8_t Count(int kind) const;

    // Adds every page of first..last to the kind: a page it holds moves to the end of its used
    // fields, a new page is written after them and counted. Page 1 is never an insertion of kinds
    // 0 and 1, and page 0 of none. False, the table unchanged, when the new pages do not fit: a
    // full table refuses the add instead of dropping the pages added before.
    bool Add(int kind, uint16_t first, uint16_t last);
    // Moves the kind's pages to the front in ascending order and stores the count; answers it.
    uint8_t Compact(int kind);
    // Takes the pages out of the kind and compacts it.
    void Remove(int kind, const std::vector<uint16_t>& pages);
    // The index of the word whose field of that kind holds the page, or -1. The mode is the kind:
    // each kind is looked up in its own field.
    int FindInsertPageEntry(int kind, uint16_t page) const;

private:
    void Store(int kind, const std::vector<uint16_t>& pages);

    MutableByteView section_;
    size_t words_;
};
