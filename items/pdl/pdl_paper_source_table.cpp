// The printer's paper-source table and its paper-size key.
#include "items/pdl/pdl_paper_source_table.h"

#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/table_cursor_sources.h"
#include "items/pdl/paper_rows.h"

#include <cstring>

int PDLSv2ndKey_PaperSourceTable_PaperSize::GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) {
    const auto* row = static_cast<const CmSvOptionRecord*>(entry);
    if (!row || !out) return 0;
    uint16_t paper = 0;
    {
        TableCursorRef<PaperSourceCursor> sources(ctx, kTableSources);
        if (!sources || !sources->Select(static_cast<uint16_t>(row->value))) return 0;
        paper = static_cast<uint16_t>(sources->GetNumber(2));
    }
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    char name[kNameSize] = {};
    if (!papers || !papers->Select(paper)) return 0;
    // The form table's name of the paper, so that a rule can ask the form table about it.
    PaperRuleName(papers->GetWord(1), papers->GetFlag(kUserFormFlag) != 0, name, sizeof name);
    std::memcpy(name_, name, sizeof name_);
    out->type = 2;
    out->value = reinterpret_cast<intptr_t>(name_);
    return 1;
}

int PDLSvMulti_PaperSourceTable::Init(UIDEVDATA* ctx, const uint8_t* settings) {
    ClearEntries();
    const int built = CmSvMulti_PaperSourceTable::Init(ctx, settings);
    for (uint32_t i = 0; i < count; ++i)
        if (CmSvOptionRecord* row = Row(i)) AddEntry(row->name, row);
    if (KeyCount() == 0) {
        AddKey(new PDLSv2ndKey_PaperSourceTable_PaperSize(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_PaperOrient(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_MediaType(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_TrayName(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_PaperRemain(this));
        AddKey(new CmSv2ndKey_PaperSourceTable_Ftadel(this));
    }
    return built;
}
