// The paper-source table item and its keys. The records, their name blocks and display blocks
// are made once and overwritten by each rebuild; the keys open the cursor for each question, so
// their answers follow the configuration as it is now.
#include "items/common/paper_source_table.h"

#include "core/helpers/bounded_text.h"
#include "core/memory/pool_text.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/table_cursor_sources.h"
#include "items/common/source_tables.h"

#include <cstdio>

CmSvMulti_PaperSourceTable::CmSvMulti_PaperSourceTable()
    : CmSvMulti("PaperSourceTable", kItemId, 0u, 0u, nullptr), CmSvSdk_Multi(kSdkItemKeyBase + kItemId, 2, 0) {}

int CmSvMulti_PaperSourceTable::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

CmSvMulti_PaperSourceTable::~CmSvMulti_PaperSourceTable() {
    for (size_t i = 0; i < kRecordCount; ++i) {
        FreePoolText(names_[i]);
        FreePoolText(displays_[i]);
    }
}

int CmSvMulti_PaperSourceTable::Init(UIDEVDATA* ctx, const uint8_t*) {
    if (records_.empty()) records_.resize(kRecordCount, CmSvOptionRecord{});
    TableCursorRef<PaperSourceCursor> sources(ctx, kTableSources);
    if (!sources) return 0;
    uint32_t built = 0;
    bool complete = true;
    for (int more = sources->First(); more; more = sources->Next()) {
        if (built == kRecordCount) {
            complete = false;  // more sources than records: the rest take no choice
            break;
        }
        const auto id = static_cast<uint16_t>(sources->GetNumber(1));
        if (!names_[built] && !(names_[built] = NewPoolText(kNameSize))) {
            complete = false;
            break;
        }
        if (const char* known = PaperSourceNameOf(id))
            CopyBounded(names_[built], kNameSize, known);
        else
            std::snprintf(names_[built], kNameSize, "UNDEFINED%u", static_cast<unsigned>(id));

        char display[kDisplaySize] = {};
        sources->GetText(2, 0, display);
        display[kDisplaySize - 1] = '\0';
        if (!display[0]) continue;  // the name block stays for the next source
        if (!displays_[built] && !(displays_[built] = NewPoolText(kDisplaySize))) {
            complete = false;
            break;
        }
        CopyBounded(displays_[built], kDisplaySize, display);
        records_[built] = CmSvOptionRecord{names_[built], displays_[built], id, 0, 0, 1, 1, 0, 0, nullptr, 0, 0, 1};
        ++built;
    }
    UseTable(records_.data(), built);
    return complete ? 1 : 0;
}

int CmSv2ndKey_PaperSource::GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) {
    const auto* row = static_cast<const CmSvOptionRecord*>(entry);
    if (!row || !out) return 0;
    TableCursorRef<PaperSourceCursor> sources(ctx, kTableSources);
    if (!sources || !sources->Select(static_cast<uint16_t>(row->value))) return 0;
    return ValueOf(*sources.operator->(), out);
}

int CmSv2ndKey_PaperSourceTable_PaperOrient::ValueOf(PaperSourceCursor& source, PieValue* out) {
    const int32_t orientation = source.GetNumber(3);
    const char* name = orientation == 3 ? "LANDSCAPE" : orientation == 4 ? "PORTRAIT" : nullptr;
    if (!name) return 0;
    out->type = 4;
    out->value = reinterpret_cast<intptr_t>(name);
    return 1;
}

int CmSv2ndKey_PaperSourceTable_MediaType::ValueOf(PaperSourceCursor& source, PieValue* out) {
    const char* name = MediaTypeName(source.GetNumber(5));
    if (!name) return 0;
    out->type = 4;
    out->value = reinterpret_cast<intptr_t>(name);
    return 1;
}

CmSv2ndKey_PaperSourceTable_TrayName::~CmSv2ndKey_PaperSourceTable_TrayName() { FreePoolText(text_); }

int CmSv2ndKey_PaperSourceTable_TrayName::ValueOf(PaperSourceCursor& source, PieValue* out) {
    char read[kSourceTextSize] = {};
    source.GetText(1, 0, read);
    if (!text_ && !(text_ = NewPoolText(kSourceTextSize))) return 0;
    if (!CopyBounded(text_, kSourceTextSize, read)) return 0;
    out->type = 4;
    out->value = reinterpret_cast<intptr_t>(text_);
    return 1;
}

int CmSv2ndKey_PaperSourceTable_PaperRemain::ValueOf(PaperSourceCursor& source, PieValue* out) {
    out->type = 3;
    out->value = source.GetNumber(4);
    return 1;
}

int CmSv2ndKey_PaperSourceTable_Ftadel::ValueOf(PaperSourceCursor& source, PieValue* out) {
    out->type = 1;
    out->value = source.GetFlag(1) == 1 ? 1 : 0;
    return 1;
}
