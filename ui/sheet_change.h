// `SheetChangeWatch`: how a settings page tells its sheet that the user changed a setting, so the
// sheet's Apply button becomes available (PSM_CHANGED). A page's items write straight into the
// sheet's settings and device options, through the rules as well as through their own control,
// so the watch compares both blocks before and after the page handles a user's event.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class SheetChangeWatch {
public:
    // Remembers the sheet's settings and device options; a page of no sheet watches nothing.
    SheetChangeWatch(UIDEVDATA* ctx, HWND page, DWORD sheetKind);
    // Sends PSM_CHANGED to the page's sheet when either block differs from what it was.
    void Tell() const;

private:
    UIDEVDATA* ctx_ = nullptr;
    HWND page_ = nullptr;
    std::vector<uint8_t> settings_, options_;
};
