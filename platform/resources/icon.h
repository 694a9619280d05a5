// Icons and cursors: a colour bitmap with its AND mask, and a hot spot for cursors. A handle is
// checked against the live set before use, so a stale or forged one is refused.
#pragma once

#include <windows.h>

namespace res {

struct Icon {
    HBITMAP color = nullptr;  // null for the system's cursors, which are never drawn here
    HBITMAP mask = nullptr;
    int width = 0;
    int height = 0;
    POINT hotSpot{0, 0};
    bool cursor = false;
    bool shared = false;  // loaded once per module and resource; DestroyIcon leaves it alone
};

// Takes ownership of the record and hands out its handle.
HICON AddIcon(Icon* icon);
// The live icon or cursor of a handle, or null.
const Icon* IconOf(HICON handle);

}  // namespace res
