// The item side's describe request (kind 11): what an application needs to show a setting by
// name, its choices and why the rules hold it, read from the item registry and the rule engine.
#pragma once

#include "core/device/uidevdata.h"

#include <cstdint>

class CmSvConflict;

// Describes the items of the lowest option key from `from` up that items are bound to and that
// `skip` does not name (codes the driver answers itself never reach the items). `data` holds the
// room of the caller's buffer in its first word. 0 written; 1 no buffer, a buffer shorter than the
// head, or one too short for the choices (its first word then tells the size needed and nothing
// else is written); 2 no such key from `from` up.
int DescribeOption(UIDEVDATA* ctx, CmSvConflict& registry, uint32_t from, void* data, bool (*skip)(uint32_t key));
