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

// One paper of the table as the paper lists read it: its code, its hidden and user-form flags,
// and its form name as the cursor gives it into a buffer of PaperRows::kDisplaySize bytes.
struct PaperEntry {
    uint16_t code = 0;
    bool hidden = false, userForm = false;
    std::array<char, PaperRows::kDisplaySize> name{};
};

// A walk of the paper table that the paper lists of one sheet start share (the form table, the
// page sizes and the output sizes): every field the cursor gives is a search of the table, and
// each list read all of them. While a walk is open on the thread, the first list built over its
// request walks the table and the others read what it found; the table does not change while the
// item sets are built. Open walks nest.
class PaperWalk {
public:
    explicit PaperWalk(UIDEVDATA* ctx);
    ~PaperWalk();
    PaperWalk(const PaperWalk&) = delete;
    PaperWalk& operator=(const PaperWalk&) = delete;

    // The papers of the request's table in its order; null when it has no paper table. A walk
    // made here when none is open over ctx goes into `own`.
    static const PoolVector<PaperEntry>* Papers(UIDEVDATA* ctx, PoolVector<PaperEntry>& own);

private:
    UIDEVDATA* ctx_;
    PaperWalk* outer_;
    bool walked_ = false, found_ = false;
    PoolVector<PaperEntry> papers_;
};
