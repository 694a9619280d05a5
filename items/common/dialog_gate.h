// The gate of option-interface requests on the items of the dialogs the finishing page opens
// (booklet, gutter margin): an application reaches them only while the page's button that opens
// their dialog is enabled, as a user does.
#pragma once

#include "core/device/uidevdata.h"

#include <cstdint>

class CmSv;

// 2 while the item is unavailable, 3 while the button is disabled, then 1 without data; 0 to go
// on with the request.
int GateOn(UIDEVDATA* ctx, const CmSv& item, uint32_t button, const void* data, bool needData);
