// The document features' registration: the watermark object under the user data's watermark bit,
// so that the stamp list and the watermark page find the printer's presets, and the watermark
// dialog with its messages; the overlay object and the overlay dialog the same way; the font
// module and its two dialogs; the feature dialogs over setting items and the job dialogs.
#include "features/features_registration.h"

#include "features/feature_pages.h"
#include "features/font_pages.h"
#include "features/job_dialogs.h"
#include "features/overlay.h"
#include "features/overlay_page.h"
#include "features/pdl_watermark.h"
#include "features/watermark_page.h"

void RegisterFeatures() {
    RegisterModuleFactory(kModuleWaterMark, MakeWaterMark);
    RegisterWaterMarkDialog();
    RegisterModuleFactory(kModuleOverlay, MakeOverlay);
    RegisterOverlayDialog();
    RegisterFontDialogs();
    RegisterFeaturePages();
    RegisterJobDialogs();
}
