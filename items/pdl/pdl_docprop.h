// The printer's "DocProp$FolionixSW": the common switch as this driver's models use it.
#pragma once

#include "items/common/docprop_items.h"

class PDLSvOnOff_DocPropFolionixSW : public CmSvOnOff_DocPropFolionixSW {};
