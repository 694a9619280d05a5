// The printer's papers as the rows of a list: one row per paper the paper table offers (hidden
// papers left out), named for the rules by the paper's code ("A4", "USER") and shown by its form
// name. The page-size and output-size lists of the page-setup page are built from it.
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/device/uidevdata.h"
#include "pie/host/host_records.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The name the rules know a paper by: the name of its code ("LETTER", "ENV_10", "USER" for the
// custom size), "USER" and the code for a form the user defined, and "PAPER" and the code for a
// code without a name; cut to `size`. Every list of papers the rules see (the page sizes, the
// form table, a tray's paper) names its papers so.
void PaperRuleName(uint16_t code, bool userForm, char* out, size_t size);
// The paper cursor's flag (GetFlag) of a form the user defined.
inline constexpr int kUserFormFlag = 2;

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
