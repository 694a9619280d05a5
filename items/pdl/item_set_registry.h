// Item set 0 and the page-setup set in the sheet's registry: each set is registered before its
// items are added, and ended with its items when the sheet ends.
#pragma once

#include "core/device/uidevdata.h"

#include <cstdint>

class CmSvConflict;
class CmSvItemSet;
class ItemSink;

// The set, registered and filled; null when memory is short.
CmSvItemSet* CreateItemSet0(UIDEVDATA* ctx, CmSvConflict& registry);
CmSvItemSet* CreateItemSetPageSetup(UIDEVDATA* ctx, CmSvConflict& registry);
// A set of that id, registered, then filled by the builder; `includeCommon` 1 for a main page,
// whose page shows the items of set 0 as well.
CmSvItemSet* CreateItemSet(UIDEVDATA* ctx, CmSvConflict& registry, uint32_t setId, int32_t includeCommon,
                           void (*build)(ItemSink&));
// Deletes the set's items, then the set.
void DestroyItemSet(CmSvItemSet* set);
