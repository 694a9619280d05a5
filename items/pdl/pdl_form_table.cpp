// The printer's form table.
#include "items/pdl/pdl_form_table.h"

#include "core/memory/pool_text.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "items/pdl/paper_rows.h"

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
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers) return 0;
    for (int more = papers->First(); more; more = papers->Next()) {
        char* name = NewPoolText(kNameSize);
        if (!name) break;
        names_.push_back(name);
        char* display = NewPoolText(kNameSize);
        if (!display) break;
        names_.push_back(display);
        // Each field the cursor gives is a search of the paper table: the code is read once.
        const uint16_t code = papers->GetWord(1);
        PaperRuleName(code, papers->GetFlag(kUserFormFlag) != 0, name, kNameSize);
        papers->GetFormName(1, display, kNameSize);
        display[kNameSize - 1] = '\0';
        forms_.push_back(CmSvOptionRecord{name, display, code, 0, 0, 1, 1, 0, 0, nullptr, 1, code, 1});
    }
    UseTable(forms_.empty() ? nullptr : forms_.data(), static_cast<uint32_t>(forms_.size()));
    return CmSvMulti_FormTable::Init(ctx, settings);
}
