// The printer's "PaperSourceTable": the common table of the device's sources, indexed by choice
// name, with the keys the rules ask of a source, its paper size first.
#pragma once

#include "items/common/paper_source_table.h"

// The form of the paper the source holds, named as the form table names it (type 2); the name
// stays valid until the key's next answer.
class PDLSv2ndKey_PaperSourceTable_PaperSize : public CmSvSecondKey {
public:
    static constexpr size_t kNameSize = 32;
    explicit PDLSv2ndKey_PaperSourceTable_PaperSize(CmSvProperty* owner) : CmSvSecondKey(2, "PaperSize", owner) {}
    int GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) override;

private:
    char name_[kNameSize] = {};
};

class PDLSvMulti_PaperSourceTable : public CmSvMulti_PaperSourceTable, public CmSvProperty {
public:
    CmSvProperty* AsProperty() override { return this; }
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
};
