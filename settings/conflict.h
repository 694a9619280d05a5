// `CmSvConflict`, the sheet's item registry, as far as the items themselves consult it: the
// dialog window it works on now and the window of the page being reset. The user data keeps
// the registry (`CmUserData::GetConflict`); the registry proper derives its bookkeeping from
// this class.
#pragma once

#include "core/pool_object.h"

#include <windows.h>

class CmSvConflict : public PoolObject {
public:
    CmSvConflict() = default;
    virtual ~CmSvConflict() = default;
    CmSvConflict(const CmSvConflict&) = delete;
    CmSvConflict& operator=(const CmSvConflict&) = delete;

    HWND dialogWindow = nullptr;     // the page the registry's current command came from
    HWND resetPageWindow = nullptr;  // the page whose values are being reset
    int initialising = 0;            // 1 while the sheet's items are being set up
    int noDialog = 0;                // 1 for a device-mode request that shows no dialog
};
