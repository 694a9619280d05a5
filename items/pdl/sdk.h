// `SDK`: the short-lived option object of one application request. `SDK::Run` makes it for the
// request, its item procedure answers the driver's own codes through `NonSvSDK` and every other
// code through the item side, and the object goes when the request returns.
#pragma once

#include "items/pdl/pdl_sv_sdk.h"
#include "settings/sdk/non_sv_sdk.h"

class SDK : public NonSvSDK, public PDLSvSDK {
public:
    SDK() = default;
    ~SDK() override = default;

    // Answers one application request (the core's runner for codes from 0x10000); 1 when memory
    // ran out.
    static LONG Run(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);

    LONG ItemProc(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) override;
    LONG Request(DWORD kind, DWORD code, void* data) override;
    // 2 when no item under the key is available, 3 when its control is disabled, else 0.
    LONG GetCodeState(DWORD code) override;
    // 1 no such item or no control, 2 not available, 0 shown and enabled, else 3.
    LONG GetItemState(DWORD itemId) override;
    void Refresh(DWORD flag) override;
    void RefreshItems(DWORD flag) override;

    // On an `SDK` the item side's entry runs the item procedure.
    LONG Dispatch(UIDEVDATA* ctx, DWORD kind, DWORD key, void* data) override;
};

// The device-mode fields the last current-value request saw, process-wide.
struct SdkRememberedFields {
    int16_t copies;
    int16_t orientation;
    int16_t paperSize;
};
SdkRememberedFields& SdkRemembered();

// Makes the option interface the core's runner for application codes, with the sheet registry
// that a device-mode session keeps from its first request to its end.
void RegisterApplicationOptions();
