// The items of the two item sets without a page: set 80, the device capability values, and
// set 81, the application and document values (the device-mode flags and values, the request's
// facts, the form and paper-source tables, the document properties). The sheet's registry builds
// set 80 first and set 81 third; these functions make the items, in item-id order, for it.
#pragma once

#include "core/memory/pool_allocator.h"

#include <cstdint>

class CmSv;

inline constexpr uint32_t kSpecItemSet = 80;
inline constexpr uint32_t kAppDocItemSet = 81;

// Appends new items (the caller owns them); true when every item was made.
bool MakeSpecItems(PoolVector<CmSv*>& items);
bool MakeAppDocItems(PoolVector<CmSv*>& items);
