// `CmSvMulti`: a multiple-choice setting over a table of option records (`CmSvOptionRecord`),
// with the index of the current and of the reference choice. The item keeps its own copy of a
// table given at construction; items whose choices are only known at run time point the table
// in use at rows of their own (`UseTable`). Every read of a row checks the index against the
// count first.
#pragma once

#include "core/memory/pool_allocator.h"
#include "settings/items/sv_item.h"

class CmSvMulti : public CmSvItem {
public:
    CmSvMulti(const char* key, uint32_t itemId, uint32_t flag, uint32_t initial, uint32_t count,
              const CmSvOptionRecord* table);
    CmSvMulti(const char* key, uint32_t itemId, int32_t kind, int32_t display, uint32_t initial, uint32_t count,
              const CmSvOptionRecord* table);
    CmSvMulti(const char* key, uint32_t itemId, uint32_t initial, uint32_t count, const CmSvOptionRecord* table)
        : CmSvMulti(key, itemId, 0u, initial, count, table) {}

    char* GetValueText(UIDEVDATA* ctx) override;
    char* GetChangeText(UIDEVDATA* ctx) override;
    int IsSameAsSource(UIDEVDATA* ctx, int mode) override;
    int GetTypedValue(UIDEVDATA* ctx, PieValue* out) override;
    void SetReference(UIDEVDATA* ctx, int mode) override;

    // Row `index` of the table in use; null when there is no table or the index is past the count.
    CmSvOptionRecord* Row(uint32_t index) const { return table && index < count ? &table[index] : nullptr; }
    CmSvOptionRecord* CurrentRow() const { return Row(current); }
    // Points the item at other rows; an index that no longer names a row falls back to the first.
    void UseTable(CmSvOptionRecord* rows, uint32_t rowCount);
    // The first row whose option value is `value`; count when none.
    uint32_t FindValue(int32_t value) const;

    PoolVector<CmSvOptionRecord> ownTable;  // the copy of the constructor's table
    int32_t display = 0;                     // how the control shows the choices
    uint32_t current;
    uint32_t reference;
    uint32_t count;
    int32_t saved = 0;  // the current option's value when IsSameAsSource last ran
    CmSvOptionRecord* table;
};
