// The finishing page's buttons as the gate of their dialogs' option-interface requests.
#include "items/common/dialog_gate.h"

#include "settings/items/sv.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/sdk_binding.h"

int GateOn(UIDEVDATA* ctx, const CmSv& item, uint32_t button, const void* data, bool needData) {
    if (item.available == 0) return kSdkNotSupported;
    CmSvConflict* registry = RegistryOf(ctx);
    if (registry && registry->IsItemEnabled(ctx, button) == 0) return kSdkRefused;
    return needData && !data ? kSdkNoItem : kSdkDone;
}
