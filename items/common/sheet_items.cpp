// Items of the sheet by id, from the sheet's registry.
#include "items/common/sheet_items.h"

#include "settings/registry/conflict.h"

CmSv* FindSheetItem(UIDEVDATA* ctx, uint32_t itemId) {
    CmSvConflict* registry = RegistryOf(ctx);
    return registry ? registry->FindItem(itemId) : nullptr;
}
