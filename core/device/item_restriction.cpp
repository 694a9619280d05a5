// Lookup of an item id in the request's restriction list.
#include "core/device/item_restriction.h"

BOOL IsItemAllowed(UIDEVDATA* ctx, UINT itemId) {
    const WORD* list = ctx ? static_cast<const WORD*>(ctx->itemBuffers[kItemRestrictionBuffer]) : nullptr;
    if (!list) return TRUE;
    const bool allowList = list[0] == 0;
    if (allowList && list[1] == 0 && itemId >= 0x400) return TRUE;
    bool found = false;
    for (int i = 0; i < kMaxRestrictedItems && list[2 + i] != 0; ++i) {
        if (list[2 + i] == itemId) {
            found = true;
            break;
        }
    }
    return found == allowList;
}
