// Menus: items with command ids, texts, states and pop-up sub-menus, held by the window manager
// and found by handle; a stale or forged handle is refused.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user {

struct MenuItem {
    UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR...
    UINT_PTR id = 0;
    std::string text;
    HMENU popup = nullptr;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

Menu* MenuOf(HMENU handle);
HMENU NewMenu(bool popup);

// Builds a menu from a standard menu template; null when the bytes are not a whole template.
HMENU MenuFromTemplate(const uint8_t* data, size_t size);

}  // namespace user
