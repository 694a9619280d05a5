// `CmSvChoiceItem`: the pseudo-item of one choice of a multiple-choice item, known to the rules
// by the item's key, an at sign and the choice's name. It is found again by that name whenever
// the item's table is rebuilt, and then points at the live record; a choice that is gone from
// the table keeps its pseudo-item without a record and counts as unavailable.
#pragma once

#include "settings/items/value_views.h"

class CmSvChoiceItem : public CmSvGUI {
public:
    // Takes the pool text `name`.
    CmSvChoiceItem(char* name, uint32_t itemId, CmSvMulti* owner, CmSvOptionRecord* record);
    ~CmSvChoiceItem() override;

    CmSvChoiceItem* AsChoice() override { return this; }
    CmSv* StandsFor() override;

    CmSvOptionRecord* Record() const { return static_cast<CmSvOptionRecord*>(target); }
    // Points the pseudo-item at the live record (null: the choice is gone).
    void Repoint(CmSvOptionRecord* record);

    CmSvMulti* owner;
    uint32_t generation = 0;  // the table rebuild that last saw the choice
};
