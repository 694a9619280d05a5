// The item set: adding an item fills the set's maps, then registers the item with the sheet's
// registry; the set deletes the pseudo-items of its choices.
#include "settings/registry/item_set.h"

#include "settings/registry/conflict.h"
#include "settings/controls/control.h"
#include "settings/controls/digit.h"
#include "settings/items/sv.h"

CmSvItemSet::~CmSvItemSet() {
    for (auto& [id, pseudo] : pseudoItems) delete pseudo;
}

int CmSvItemSet::AddItem(UIDEVDATA* ctx, CmSv* item) {
    CmSvConflict* registry = RegistryOf(ctx);
    return AddItem(ctx, item, registry, registry ? SettingsOf(ctx) : nullptr);
}

int CmSvItemSet::AddItem(UIDEVDATA* ctx, CmSv* item, CmSvConflict* registry, uint8_t* settings) {
    if (!item) return 0;
    // Most sets register their items in the order of their ids: the end is tried first.
    items.emplace_hint(items.end(), item->itemId, item);
    const bool hasDialog = !registry || !registry->noDialog;
    if (hasDialog && item->kind >= kSvKindPushButton && item->kind <= kSvKindText) {
        if (CmSvControl* control = item->AsControl()) controls.emplace(control->controlId, item);
        // Only the number field has the digit kind.
        if (item->kind == kSvKindDigit) {
            auto* digit = static_cast<CmSvDigit*>(item);
            spins.emplace(digit->spinId, digit);
        }
    }
    return registry ? registry->AddItem(ctx, this, item, settings) : 0;
}
