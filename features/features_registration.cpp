// The document features' registration: the watermark object under the user data's watermark bit,
// so that the stamp list and the watermark page find the printer's presets, and the watermark
// dialog with its messages.
#include "features/features_registration.h"

#include "features/pdl_watermark.h"
#include "features/watermark_page.h"

void RegisterFeatures() {
    RegisterModuleFactory(kModuleWaterMark, MakeWaterMark);
    RegisterWaterMarkDialog();
}
