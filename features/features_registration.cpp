// The document features' registration: the watermark object under the user data's watermark bit,
// so that the stamp list and the watermark page find the printer's presets, and the watermark
// dialog with its messages; the overlay object and the overlay dialog the same way; the
// user-paper table and the job account under theirs; the print objectives, the colour settings
// and the colour adjustment and matching dialogs; the font module and its two dialogs; the
// feature dialogs over setting items and the job dialogs.
#include "features/features_registration.h"

#include "features/account.h"
#include "features/colour_adjustment_page.h"
#include "features/colour_matching_page.h"
#include "features/colour_settings.h"
#include "features/custom_paper.h"
#include "features/feature_pages.h"
#include "features/font_pages.h"
#include "features/job_dialogs.h"
#include "features/objective.h"
#include "features/overlay.h"
#include "features/overlay_page.h"
#include "features/pdl_watermark.h"
#include "features/watermark_page.h"

void RegisterFeatures() {
    RegisterModuleFactory(kModuleWaterMark, MakeWaterMark);
    RegisterWaterMarkDialog();
    RegisterModuleFactory(kModuleOverlay, MakeOverlay);
    RegisterOverlayDialog();
    RegisterModuleFactory(kModuleCustomPaper, MakeCustomPaper);
    RegisterModuleFactory(kModuleAccount, MakeAccount);
    RegisterModuleFactory(kModuleObjective, MakeObjective);
    RegisterModuleFactory(kModuleColorSettings, MakeColorSettings);
    RegisterColourAdjustmentDialog();
    RegisterColourMatchingDialog();
    RegisterFontDialogs();
    RegisterFeaturePages();
    RegisterJobDialogs();
}
