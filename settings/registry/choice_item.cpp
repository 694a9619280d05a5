// The choice pseudo-item keeps its name text and follows its choice's record.
#include "settings/registry/choice_item.h"

#include "core/memory/pool_text.h"

CmSvChoiceItem::CmSvChoiceItem(char* name, uint32_t itemId, CmSvMulti* owner, CmSvOptionRecord* record)
    : CmSvGUI(name, itemId, record), owner(owner) {}

CmSvChoiceItem::~CmSvChoiceItem() { FreePoolText(const_cast<char*>(key)); }

void CmSvChoiceItem::Repoint(CmSvOptionRecord* record) {
    target = record;
    if (record) controlId = record->control_id;
}

CmSv* CmSvChoiceItem::StandsFor() { return owner; }
