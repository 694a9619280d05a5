// Menus and their items (see menu.h): creation, items by command or by position, states, and
// TrackPopupMenu, which lets the scripted user pick an item and otherwise closes at once.
#include "platform/user/menu.h"

#include "platform/user/modal_observer.h"
#include "platform/user/truncated_text.h"

#include <memory>
#include <mutex>
#include <set>

namespace user {
namespace {

std::mutex g_lock;
std::set<Menu*>& menus() {
    static auto* s = new std::set<Menu*>;
    return *s;
}

// The item named by command (searching pop-ups too) or by position; its menu comes back in owner.
MenuItem* findItem(HMENU handle, UINT item, UINT flags, Menu** owner = nullptr) {
    Menu* menu = MenuOf(handle);
    if (!menu) return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= menu->items.size()) return nullptr;
        if (owner) *owner = menu;
        return &menu->items[item];
    }
    for (auto& it : menu->items) {
        if (!(it.flags & MF_POPUP) && it.id == item) {
            if (owner) *owner = menu;
            return &it;
        }
        if (it.flags & MF_POPUP)
            if (MenuItem* inner = findItem(it.popup, item, flags, owner)) return inner;
    }
    return nullptr;
}

void destroy(HMENU handle) {
    Menu* menu = MenuOf(handle);
    if (!menu) return;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        menus().erase(menu);
    }
    for (auto& item : menu->items)
        if (item.flags & MF_POPUP) destroy(item.popup);
    delete menu;
}

}  // namespace

Menu* MenuOf(HMENU handle) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto* menu = reinterpret_cast<Menu*>(handle);
    return menus().count(menu) ? menu : nullptr;
}

HMENU NewMenu(bool popup) {
    auto* menu = new Menu;
    menu->popup = popup;
    std::lock_guard<std::mutex> guard(g_lock);
    menus().insert(menu);
    return reinterpret_cast<HMENU>(menu);
}

}  // namespace user

extern "C" HMENU WINAPI CreateMenu(void) { return user::NewMenu(false); }

extern "C" HMENU WINAPI CreatePopupMenu(void) { return user::NewMenu(true); }

extern "C" BOOL WINAPI DestroyMenu(HMENU menu) {
    if (!user::MenuOf(menu)) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    user::destroy(menu);
    return TRUE;
}

extern "C" BOOL WINAPI AppendMenuA(HMENU handle, UINT flags, UINT_PTR id, LPCSTR text) {
    user::Menu* menu = user::MenuOf(handle);
    if (!menu || ((flags & MF_POPUP) && !user::MenuOf(reinterpret_cast<HMENU>(id)))) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    user::MenuItem item;
    item.flags = flags;
    if (flags & MF_POPUP) item.popup = reinterpret_cast<HMENU>(id);
    else item.id = id;
    if (!(flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && text) item.text = text;
    menu->items.push_back(item);
    return TRUE;
}

extern "C" int WINAPI GetMenuItemCount(HMENU handle) {
    user::Menu* menu = user::MenuOf(handle);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

extern "C" UINT WINAPI GetMenuItemID(HMENU handle, int position) {
    user::Menu* menu = user::MenuOf(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size()) return static_cast<UINT>(-1);
    const auto& item = menu->items[static_cast<size_t>(position)];
    return (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : static_cast<UINT>(item.id);
}

extern "C" HMENU WINAPI GetSubMenu(HMENU handle, int position) {
    user::Menu* menu = user::MenuOf(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size()) return nullptr;
    const auto& item = menu->items[static_cast<size_t>(position)];
    return (item.flags & MF_POPUP) ? item.popup : nullptr;
}

extern "C" int WINAPI GetMenuStringA(HMENU handle, UINT id, LPSTR buffer, int size, UINT flags) {
    user::MenuItem* item = user::findItem(handle, id, flags);
    if (!item) return 0;
    if (!buffer || size <= 0) return static_cast<int>(item->text.size());
    return static_cast<int>(user::CopyTruncated(item->text, buffer, static_cast<size_t>(size)));
}

extern "C" UINT WINAPI GetMenuState(HMENU handle, UINT id, UINT flags) {
    user::MenuItem* item = user::findItem(handle, id, flags);
    if (!item) return static_cast<UINT>(-1);
    UINT state = item->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_HILITE);
    if (item->flags & MF_POPUP) state |= static_cast<UINT>(GetMenuItemCount(item->popup)) << 8;
    return state;
}

extern "C" BOOL WINAPI EnableMenuItem(HMENU handle, UINT id, UINT enable) {
    user::MenuItem* item = user::findItem(handle, id, enable);
    if (!item) return -1;
    UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(old);
}

extern "C" DWORD WINAPI CheckMenuItem(HMENU handle, UINT id, UINT check) {
    user::MenuItem* item = user::findItem(handle, id, check);
    if (!item) return static_cast<DWORD>(-1);
    DWORD old = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

namespace {

// Takes the item out of its menu; a pop-up it opened is destroyed too when asked.
BOOL takeOut(HMENU handle, UINT position, UINT flags, bool destroyPopup) {
    user::Menu* owner = nullptr;
    user::MenuItem* item = user::findItem(handle, position, flags, &owner);
    if (!item || !owner) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    const HMENU popup = (item->flags & MF_POPUP) ? item->popup : nullptr;
    owner->items.erase(owner->items.begin() + (item - owner->items.data()));
    if (popup && destroyPopup) user::destroy(popup);
    return TRUE;
}

}  // namespace

extern "C" BOOL WINAPI DeleteMenu(HMENU handle, UINT position, UINT flags) { return takeOut(handle, position, flags, true); }

extern "C" BOOL WINAPI RemoveMenu(HMENU handle, UINT position, UINT flags) { return takeOut(handle, position, flags, false); }

extern "C" BOOL WINAPI TrackPopupMenu(HMENU handle, UINT flags, int, int, int, HWND owner, const RECT*) {
    if (!user::MenuOf(handle) || !IsWindow(owner)) {
        SetLastError(user::MenuOf(handle) ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    UINT chosen = 0;
    if (const user::ModalObserver* o = user::CurrentModalObserver(); o && o->popupMenu)
        chosen = o->popupMenu(handle, owner, o->context);
    // Only an enabled command of this menu can be chosen; anything else closes the menu.
    user::MenuItem* item = chosen ? user::findItem(handle, chosen, MF_BYCOMMAND) : nullptr;
    if (!item || (item->flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR))) chosen = 0;
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && !(flags & TPM_NONOTIFY)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}
