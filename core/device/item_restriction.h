// The request's item-restriction list (item buffer 10): which setting items a caller lets the
// sheet show. Its layout: a 16-bit kind (0 an allow list, else a deny list), a 16-bit word, then
// 16-bit item ids ending in 0.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

// The longest id array read; a list without its terminator ends here.
inline constexpr int kMaxRestrictedItems = 4096;

// 1 when the item may be shown: no list; an allow list with both leading words 0 and an id of
// 0x400 or more; an id an allow list holds; an id a deny list does not hold. Else 0.
BOOL IsItemAllowed(UIDEVDATA* ctx, UINT itemId);
