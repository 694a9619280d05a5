// The form table item and its keys.
#include "items/common/form_table.h"

#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"

#include <cstring>

int CmSv2ndKey_FormAttribute::GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) {
    const auto* row = static_cast<const CmSvOptionRecord*>(entry);
    if (!row || !out) return 0;
    TableCursorRef<PaperCursor> forms(ctx, kTablePapers);
    if (!forms || !forms->Select(static_cast<uint16_t>(row->value))) return 0;
    out->type = kSvTypeOnOff;
    out->value = static_cast<intptr_t>(forms->GetFormAttribute(attribute));
    return 1;
}

CmSvMulti_FormTable::CmSvMulti_FormTable()
    : CmSvMulti("FormTable", kItemId, 0u, 0u, nullptr), CmSvSdk_Multi(kSdkItemKeyBase + kItemId, 2, 0) {}

int CmSvMulti_FormTable::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

int CmSvMulti_FormTable::Init(UIDEVDATA*, const uint8_t*) {
    ClearEntries();
    for (uint32_t i = 0; i < count; ++i)
        if (CmSvOptionRecord* row = Row(i)) AddEntry(row->name, row);
    ClearKeys();
    AddKey(new CmSv2ndKey_FormTable_Assumed(this));
    AddKey(new CmSv2ndKey_FormTable_NoPairingOutputPage(this));
    AddKey(new CmSv2ndKey_FormTable_Duplex(this));
    AddKey(new CmSv2ndKey_FormTable_Staple(this));
    AddKey(new CmSv2ndKey_FormTable_ZFold(this));
    AddKey(new CmSv2ndKey_FormTable_Saddle(this));
    AddKey(new CmSv2ndKey_FormTable_HolePunch(this));
    return 1;
}

int CmSvMulti_FormTable::Action(UIDEVDATA*, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 2 || !arguments || !arguments[0] || !arguments[1]) return 0;
    const bool sizeCheck =
        std::strcmp(arguments[0], "CHECK_OUTPUTPAPER_SIZE") == 0 || std::strcmp(arguments[0], "CHECK_PAGE_SIZE") == 0;
    return sizeCheck && std::strncmp(arguments[1], "USER", 4) == 0 ? 1 : 0;
}
