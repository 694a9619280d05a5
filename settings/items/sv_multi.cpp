// Multiple-choice values: the table copy, texts, comparison with a source and reference.
#include "settings/items/sv_multi.h"

#include "core/memory/pool_text.h"

#include <cstring>

namespace {

constexpr size_t kNameText = 32;  // names are told with at most 31 characters

char* NameText(const char* name) {
    char* text = NewPoolText(kNameText);
    if (text) std::strncpy(text, name, kNameText - 1);
    return text;
}

}  // namespace

CmSvMulti::CmSvMulti(const char* key, uint32_t itemId, uint32_t flag, uint32_t initial, uint32_t count,
                     const CmSvOptionRecord* rows)
    : CmSvItem(kSvTypeMulti, kSvKindNone, key, itemId, flag),
      ownTable(rows ? rows : nullptr, rows ? rows + count : nullptr),
      current(initial),
      reference(initial),
      count(rows ? count : 0),
      table(ownTable.empty() ? nullptr : ownTable.data()) {}

CmSvMulti::CmSvMulti(const char* key, uint32_t itemId, int32_t kind, int32_t display, uint32_t initial,
                     uint32_t count, const CmSvOptionRecord* rows)
    : CmSvMulti(key, itemId, 0u, initial, count, rows) {
    this->kind = kind;
    this->display = display;
}

void CmSvMulti::UseTable(CmSvOptionRecord* rows, uint32_t rowCount) {
    table = rows;
    count = rows ? rowCount : 0;
    if (current >= count) current = 0;
    if (reference >= count) reference = 0;
}

uint32_t CmSvMulti::FindValue(int32_t value) const {
    for (uint32_t i = 0; i < count && table; ++i)
        if (table[i].value == value) return i;
    return count;
}

char* CmSvMulti::GetValueText(UIDEVDATA*) {
    const CmSvOptionRecord* row = CurrentRow();
    return row && row->name ? NameText(row->name) : CopyPoolText("_");
}

char* CmSvMulti::GetChangeText(UIDEVDATA* ctx) {
    if (!(flags & kChangedByRules)) return GetValueText(ctx);
    if (!table || count == 0) return CopyPoolText("_");
    SetReference(ctx, 1);
    const CmSvOptionRecord* before = Row(reference);
    const CmSvOptionRecord* after = CurrentRow();
    if (!before || !after || !before->name || !after->name) return nullptr;
    return JoinChangeText(before->name, after->name);
}

int CmSvMulti::IsSameAsSource(UIDEVDATA* ctx, int mode) {
    const CmSvOptionRecord* row = CurrentRow();
    const uint8_t* source = SourceOfMode(ctx, mode);
    if (!row || !source) return 0;
    const uint32_t kept = current;
    saved = row->value;
    if (Load(ctx, source) == 1) {
        const CmSvOptionRecord* loaded = CurrentRow();
        if (loaded && loaded->value == saved) return 1;
    }
    current = kept;
    return 0;
}

int CmSvMulti::GetTypedValue(UIDEVDATA*, PieValue* out) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!out || !row || !row->name) return 0;
    out->type = kSvTypeMulti;
    out->value = reinterpret_cast<intptr_t>(row->name);
    return 1;
}

void CmSvMulti::SetReference(UIDEVDATA* ctx, int mode) {
    const int16_t m = static_cast<int16_t>(mode);
    if (!table || m == 0) {
        reference = current;
        return;
    }
    if (m == 1) {
        const uint32_t kept = current;
        const uint8_t* source = SheetSettings(ctx);
        reference = source && Load(ctx, source) == 1 && current < count ? current : kept;
        current = kept;
    } else if (m == 2) {
        const uint32_t found = FindValue(saved);
        reference = found < count ? found : current;
    }
}
