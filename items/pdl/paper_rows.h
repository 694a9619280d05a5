// The printer's papers as the rows of a list: one row per paper the paper table offers (hidden
// papers left out), named for the rules by the paper's code ("A4", "USER") and shown by its form
// name. The page-size and output-size lists of the page-setup page are built from it.
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/device/uidevdata.h"
#include "pie/host/host_records.h"

#include <array>
#include <cstddef>

class PaperRows {
public:
    static constexpr size_t kNameSize = 32;
    static constexpr size_t kDisplaySize = 64;

    // Rebuilds the rows from the paper table, after `leading` rows of the caller's.
    void Build(UIDEVDATA* ctx, const CmSvOptionRecord* leading, size_t leadingCount);
    CmSvOptionRecord* Rows() { return rows_.empty() ? nullptr : rows_.data(); }
    uint32_t Count() const { return static_cast<uint32_t>(rows_.size()); }

private:
    PoolVector<CmSvOptionRecord> rows_;
    PoolVector<std::array<char, kNameSize>> names_;
    PoolVector<std::array<char, kDisplaySize>> displays_;
};
