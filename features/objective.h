// `CmObjective` and `Objective`: the print objectives a device model offers (a table chosen by
// the model number and the colour flag) and the turning of one objective into a block of quality
// and colour settings that is written into the sheet's device mode in one step. Only the bits of
// the quality flags under the objective's mask ever change.
#pragma once

#include "core/device/user_data.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct ObjectiveEntry {
    uint16_t nameId;
    uint16_t value;
    uint16_t descriptionId;
};
static_assert(sizeof(ObjectiveEntry) == 6);

// The table of a model: 1018 and its neighbours F, 1020 I, 1024 G, 2059 H, the groups of D and E,
// 2075 C, any other B for a colour device and A for a monochrome one.
const ObjectiveEntry* ObjectiveTableFor(uint16_t model, bool colour, size_t* rows);
// Whether the model is one of table E's group (its objective 1 keeps no toner-save bit).
bool IsObjectiveGroupE(uint16_t model);

class CmObjective : public CmModule {
public:
    explicit CmObjective(UIDEVDATA* owner);

    // 1 when a row of the table has that value.
    BOOL Contains(uint32_t objective) const;
    virtual BOOL Apply(uint32_t objective);
    virtual BOOL AdjustQualityFlags(uint32_t objective);
    const ObjectiveEntry* Table() const { return table_; }
    const ObjectiveEntry* TableEnd() const { return table_ + rows_; }
    size_t RowCount() const { return rows_; }
    uint16_t RowValue(size_t row) const { return row < rows_ ? table_[row].value : 0; }
    uint16_t RowName(size_t row) const { return row < rows_ ? table_[row].nameId : 0; }
    uint16_t RowDescription(size_t row) const { return row < rows_ ? table_[row].descriptionId : 0; }
    // An objective of the table without bit 0x80 is applied whole; any other value only adjusts
    // the quality flags (bit 0x80 ignored).
    BOOL Select(uint32_t objective);

protected:
    UIDEVDATA* owner_;
    const ObjectiveEntry* table_ = nullptr;
    size_t rows_ = 0;
    bool colour_ = false;
    uint16_t model_ = 0;
};

class Objective : public CmObjective {
public:
    explicit Objective(UIDEVDATA* owner) : CmObjective(owner) {}
    BOOL Apply(uint32_t objective) override;
    BOOL AdjustQualityFlags(uint32_t objective) override;
};

CmModule* MakeObjective(UIDEVDATA* ctx);
