// Item set 0 and the page-setup set in the sheet's registry: each set is registered before its
// items are added, and ended with its items when the sheet ends.
#pragma once

#include "core/device/uidevdata.h"

class CmSvConflict;
class CmSvItemSet;

// The set, registered and filled; null when memory is short.
CmSvItemSet* CreateItemSet0(UIDEVDATA* ctx, CmSvConflict& registry);
CmSvItemSet* CreateItemSetPageSetup(UIDEVDATA* ctx, CmSvConflict& registry);
// Deletes the set's items, then the set.
void DestroyItemSet(CmSvItemSet* set);
