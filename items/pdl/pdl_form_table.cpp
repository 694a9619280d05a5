// The printer's form table.
#include "items/pdl/pdl_form_table.h"

#include "core/memory/pool_text.h"
#include "items/pdl/paper_rows.h"

#include <cstring>

PDLSvMulti_FormTable::~PDLSvMulti_FormTable() { FreeNames(); }

void PDLSvMulti_FormTable::FreeNames() {
    for (char* name : names_) FreePoolText(name);
    names_.clear();
}

int PDLSvMulti_FormTable::Init(UIDEVDATA* ctx, const uint8_t* settings) {
    // The index points into the rows: empty it before the rows it points at go.
    ClearEntries();
    UseTable(nullptr, 0);
    forms_.clear();
    FreeNames();
    PoolVector<PaperEntry> own;
    const PoolVector<PaperEntry>* papers = PaperWalk::Papers(ctx, own);
    if (!papers) return 0;
    static_assert(kNameSize <= PaperRows::kDisplaySize);
    for (const PaperEntry& paper : *papers) {
        char* name = NewPoolText(kNameSize);
        if (!name) break;
        names_.push_back(name);
        char* display = NewPoolText(kNameSize);
        if (!display) break;
        names_.push_back(display);
        PaperRuleName(paper.code, paper.userForm, name, kNameSize);
        // The form name as the cursor cuts it to this size: the same first bytes.
        std::memcpy(display, paper.name.data(), kNameSize - 1);
        display[kNameSize - 1] = '\0';
        forms_.push_back(CmSvOptionRecord{name, display, paper.code, 0, 0, 1, 1, 0, 0, nullptr, 1, paper.code, 1});
    }
    UseTable(forms_.empty() ? nullptr : forms_.data(), static_cast<uint32_t>(forms_.size()));
    return CmSvMulti_FormTable::Init(ctx, settings);
}
