// The document features' registration: the watermark object under the user data's watermark bit,
// so that the stamp list and the watermark page find the printer's presets.
#include "features/features_registration.h"

#include "features/pdl_watermark.h"

void RegisterFeatures() { RegisterModuleFactory(kModuleWaterMark, MakeWaterMark); }
