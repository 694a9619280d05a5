// The option object of one application request: its routing between the driver's own answers
// and the item side, the registry's states, and the device-mode fields remembered across
// requests.
#include "items/pdl/sdk.h"

#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/controls/control.h"
#include "settings/items/sv.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/option_description.h"
#include "settings/sdk/sdk_describe.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace {

constexpr DWORD kZeroedFirstCode = 0x100DB;

// Deletes the option object on every path out of Run, an exception included.
struct SdkOwner {
    SDK* sdk;
    ~SdkOwner() { delete sdk; }
};

}  // namespace

SdkRememberedFields& SdkRemembered() {
    static SdkRememberedFields fields{};
    return fields;
}

LONG SDK::Run(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    try {
        SdkOwner owner{new SDK};
        const LONG result = owner.sdk->ItemProc(ctx, kind, code, data);
        owner.sdk->Reset();
        return result;
    } catch (const std::bad_alloc&) {
        return kSdkAnswerNoItem;
    }
}

LONG SDK::ItemProc(UIDEVDATA* request, DWORD kind, DWORD code, void* data) {
    Attach(request);
    if (kind == kSdkKindGet) {
        // The public fields of the settings the request works on; a device mode too short for
        // them reads as zeros.
        ByteView dm(settings, settings ? devmode::kPublicSize : 0);
        int16_t orientation = 0, paperSize = 0, copies = 0;
        dm.s16(offsetof(DEVMODEA, dmOrientation), orientation);
        dm.s16(offsetof(DEVMODEA, dmPaperSize), paperSize);
        dm.s16(offsetof(DEVMODEA, dmCopies), copies);
        SdkRememberedFields& seen = SdkRemembered();
        if (seen.orientation != orientation || seen.paperSize != paperSize || seen.copies != copies)
            OnDevmodeChanged(code);
        seen = {copies, orientation, paperSize};
    }
    // A describe request walks the items' keys; the codes the driver answers itself never reach
    // an item, so the walk passes over them.
    if (kind == kSdkKindDescribe) {
        CmSvConflict* registry = Registry();
        return registry ? DescribeOption(request, *registry, code, data, &NonSvSDK::Names) : kSdkAnswerNotSupported;
    }
    if (code >= kFirstDriverCode && code <= kLastDriverCode) {
        const LONG answer = Answer(kind, code, data);
        if (answer != kSdkNotMine) return answer;
    }
    if (code == kZeroedFirstCode && kind == kSdkKindGet) {
        if (!data) return kSdkAnswerNoItem;
        std::memset(data, 0, sizeof(uint32_t));
    }
    // The base's entry: the override on this class would come back here.
    return CmSvSDK::Dispatch(request, kind, code, data);
}

LONG SDK::Request(DWORD kind, DWORD code, void* data) { return ItemProc(ctx, kind, code, data); }

LONG SDK::Dispatch(UIDEVDATA* request, DWORD kind, DWORD key, void* data) {
    return ItemProc(request, kind, key, data);
}

LONG SDK::GetCodeState(DWORD code) {
    CmSvConflict* registry = Registry();
    if (!registry) return kSdkAnswerNotSupported;
    if (registry->GetSdkItemAvailability(ctx, code) == 0) return kSdkAnswerNotSupported;
    if (registry->IsSdkItemEnabled(ctx, code) == 0) return kSdkAnswerRefused;
    return kSdkAnswerDone;
}

LONG SDK::GetItemState(DWORD itemId) {
    CmSvConflict* registry = Registry();
    if (!registry) return kSdkAnswerNoItem;
    CmSv* item = registry->FindItem(itemId);
    if (!item) return kSdkAnswerNoItem;
    if (item->available != 1) return kSdkAnswerNotSupported;
    CmSvControl* control = item->AsControl();
    if (!control) return kSdkAnswerNoItem;
    return control->shown == 1 && control->enabled == 1 ? kSdkAnswerDone : kSdkAnswerRefused;
}

void SDK::Refresh(DWORD flag) {
    if (CmSvConflict* registry = Registry()) registry->Reevaluate(ctx, nullptr, flag);
}

void SDK::RefreshItems(DWORD flag) {
    if (CmSvConflict* registry = Registry()) registry->Refresh(ctx, nullptr, flag);
}
