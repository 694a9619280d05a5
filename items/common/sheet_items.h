// Finding another item of the request's sheet by its id, for the item actions that combine the
// values of two items (the paper-type check reads "FormTable" and "Spec$PaperType", the paper
// tooltip "Layout$PageSize").
#pragma once

#include "core/device/uidevdata.h"

#include <cstdint>

class CmSv;

// The registered item of that id in the sheet's registry; null when the sheet has no registry
// or the registry does not hold it.
CmSv* FindSheetItem(UIDEVDATA* ctx, uint32_t itemId);
