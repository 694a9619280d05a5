// `SheetChangeWatch`: how a settings page tells its sheet that the user changed a setting, so the
// sheet's Apply button becomes available (PSM_CHANGED). A page's items write straight into the
// sheet's settings and device options, through the rules as well as through their own control,
// so the watch compares both blocks before and after the page handles a user's event.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

class SheetChangeWatch {
public:
    // Remembers the sheet's settings and device options; a page of no sheet watches nothing.
    SheetChangeWatch(UIDEVDATA* ctx, HWND page, DWORD sheetKind);
    // Sends PSM_CHANGED to the page's sheet when either block differs from what it was.
    void Tell() const;

private:
    // A copy of one block, in place when it fits (a device mode and the device options do): a
    // watch is made for every event a page handles, and two heap blocks each time showed.
    class Copy {
    public:
        void Take(const uint8_t* bytes, size_t size);
        bool Same(const uint8_t* now, size_t size) const;

    private:
        static constexpr size_t kInPlace = 4096;
        const uint8_t* Bytes() const { return size_ <= kInPlace ? inPlace_ : spilled_.data(); }
        size_t size_ = 0;
        uint8_t inPlace_[kInPlace];
        std::vector<uint8_t> spilled_;
    };

    UIDEVDATA* ctx_ = nullptr;
    HWND page_ = nullptr;
    Copy settings_, options_;
};
