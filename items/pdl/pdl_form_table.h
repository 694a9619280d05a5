// The printer's "FormTable": one choice per form of the printer's paper table, named as the rules
// name papers ("LETTER", "ENV_10", "USER...") and shown by the form's name, valued by its paper
// code; made before the common item indexes the choices and makes the form keys.
#pragma once

#include "items/common/form_table.h"

class PDLSvMulti_FormTable : public CmSvMulti_FormTable {
public:
    static constexpr size_t kNameSize = 32;

    PDLSvMulti_FormTable() = default;
    ~PDLSvMulti_FormTable() override;

    // Rebuilds the choices from the paper cursor; answers what the common Init answers, or 0
    // when the cursor cannot be opened (no choices then).
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;

private:
    void FreeNames();

    PoolVector<CmSvOptionRecord> forms_;
    PoolVector<char*> names_;  // the rules' names and the display names, both owned
};
