// `CmSvSDK`: the item side of the application option interface. A request whose code is an
// option key goes to the sheet's item registry, which hands it to the option-code bindings of
// every item bound to the key; the finishing method keeps its three switches consistent with it.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

class CmSvSDK {
public:
    CmSvSDK() = default;
    virtual ~CmSvSDK() = default;
    CmSvSDK(const CmSvSDK&) = delete;
    CmSvSDK& operator=(const CmSvSDK&) = delete;

    // The registry's answer for (kind, key); 2 without a registry and for kinds 5, 7, 8 and
    // above 11; 1 for a set without data. Kind 11 describes the first key from `key` up.
    virtual LONG Dispatch(UIDEVDATA* ctx, DWORD kind, DWORD key, void* data);
    // The finishing method (key 0x1007F) with kinds 3 and 6, and its rotate, punch and Z-fold
    // switches; a failure restores the device mode's finishing word and reloads the switches it
    // had changed.
    virtual LONG DispatchSpecial(UIDEVDATA* ctx, DWORD kind, DWORD key, void* data);
};

inline constexpr DWORD kPageLayoutKey = 0x10064;
inline constexpr DWORD kFinishingMethodKey = 0x1007F;
