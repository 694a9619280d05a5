// The shared library's own translation unit: the library is made of the subsystem archives,
// linked whole. It is also where the layers meet: the core may not call the layers above it, so
// they register what the core makes for them (the dialog framework's message catalogue and
// locale, the application option interface, the page-composition interface, the profile store,
// the device configuration, the pages' pictures, the watermark presets, the overlays, the
// custom paper dialog and each sheet's model tables) here, as the library is loaded, and the
// release of the rule engine a sheet leaves for the next, which the detach runs.
#include "core/library/detach_release.h"
#include "device/config/configuration.h"
#include "features/custom_paper_dialog.h"
#include "features/features_registration.h"
#include "items/pdl/folx.h"
#include "items/pdl/sdk.h"
#include "model/pdl_data.h"
#include "preview/page_previews.h"
#include "profiles/profiles_registration.h"
#include "settings/registry/conflict.h"
#include "ui/dialog_framework.h"

namespace {

[[maybe_unused]] const bool g_layersRegistered = (RegisterDialogFramework(), RegisterModelTables(), RegisterApplicationOptions(),
                                             RegisterPageComposition(), RegisterProfiles(),
                                             RegisterDeviceConfiguration(), RegisterPagePreviews(),
                                             RegisterFeatures(), RegisterCustomPaperDialog(),
                                             RegisterDetachRelease(EndLeftEngine), true);

}  // namespace
