// Window classes: the ones modules register and the system's own (dialog and controls).
//
// How a control class is added: write its window procedure in a file of its own under
// platform/user/ (or the folder of its family), keep its state in a record allocated on
// WM_NCCREATE and stored in its window extra bytes (cbWndExtra = sizeof(void*)), freed on
// WM_NCDESTROY; declare the procedure in controls.h and add one row to kSystemClasses below.
// The class is then found by name by CreateWindowExA and by dialog templates, like any other.
#include "platform/user/controls.h"
#include "platform/user/truncated_text.h"
#include "platform/user/window.h"

#include <strings.h>

#include <deque>
#include <mutex>
#include <vector>

namespace user {
namespace {

struct SystemClass {
    const char* name;
    WNDPROC proc;
    UINT style;
    int wndExtra;
};

const std::vector<SystemClass> kSystemClasses = {
    {kDialogClass, DialogWindowProc, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA},
    {"Button", ButtonWindowProc, CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW, sizeof(void*)},
    {"Static", StaticWindowProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*)},
    {"Edit", EditWindowProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*)},
    {"ComboBox", ComboBoxWindowProc, CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW, sizeof(void*)},
    {"ListBox", ListBoxWindowProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*)},
    {"ScrollBar", ScrollBarWindowProc, CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW, sizeof(void*)},
};

struct Classes {
    std::mutex lock;
    std::deque<WindowClass> list;  // a deque keeps addresses stable for the windows that use them
    ATOM nextAtom = 0xC000;
};

Classes& classes() {
    static Classes* c = [] {
        auto* made = new Classes;
        for (const auto& s : kSystemClasses) {
            WindowClass wc;
            wc.name = s.name;
            wc.proc = s.proc;
            wc.style = s.style | CS_GLOBALCLASS;
            wc.wndExtra = s.wndExtra;
            wc.atom = made->nextAtom++;
            made->list.push_back(wc);
        }
        return made;
    }();
    return *c;
}

bool sameName(const std::string& a, LPCSTR b) { return strcasecmp(a.c_str(), b) == 0; }

// Finds a class by name or by atom (MAKEINTATOM) among those this module may use.
WindowClass* lookup(Classes& c, LPCSTR name, HINSTANCE instance, bool exactModule) {
    WindowClass* global = nullptr;
    for (auto& wc : c.list) {
        if (wc.atom == 0) continue;  // unregistered
        bool match = IS_INTRESOURCE(name) ? wc.atom == LOWORD(name) : sameName(wc.name, name);
        if (!match) continue;
        if (wc.instance == instance) return &wc;
        if (!exactModule && (wc.style & CS_GLOBALCLASS)) global = &wc;
    }
    return global;
}

ATOM registerClass(UINT style, WNDPROC proc, int wndExtra, HINSTANCE instance, HCURSOR cursor,
                   HBRUSH background, LPCSTR name) {
    if (!proc || !name || (!IS_INTRESOURCE(name) && !*name) || wndExtra < 0 || wndExtra > 4096) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& c = classes();
    std::lock_guard<std::mutex> guard(c.lock);
    if (IS_INTRESOURCE(name) || lookup(c, name, instance, true)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    WindowClass wc;
    wc.name = name;
    wc.style = style;
    wc.proc = proc;
    wc.wndExtra = wndExtra;
    wc.instance = instance;
    wc.cursor = cursor;
    wc.background = background;
    wc.atom = c.nextAtom++;
    c.list.push_back(wc);
    return wc.atom;
}

}  // namespace

const WindowClass* FindClass(LPCSTR name, HINSTANCE instance) {
    if (!name) return nullptr;
    auto& c = classes();
    std::lock_guard<std::mutex> guard(c.lock);
    if (WindowClass* own = lookup(c, name, instance, false)) return own;
    return lookup(c, name, nullptr, false);
}

}  // namespace user

extern "C" ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return user::registerClass(wc->style, wc->lpfnWndProc, wc->cbWndExtra, wc->hInstance, wc->hCursor,
                               wc->hbrBackground, wc->lpszClassName);
}

extern "C" ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return user::registerClass(wc->style, wc->lpfnWndProc, wc->cbWndExtra, wc->hInstance, wc->hCursor,
                               wc->hbrBackground, wc->lpszClassName);
}

extern "C" BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE instance) {
    auto& c = user::classes();
    std::lock_guard<std::mutex> guard(c.lock);
    user::WindowClass* wc = name ? user::lookup(c, name, instance, true) : nullptr;
    if (!wc || !wc->instance) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    // Windows of the class keep their record; the class only stops being found.
    wc->atom = 0;
    return TRUE;
}

extern "C" BOOL WINAPI GetClassInfoA(HINSTANCE instance, LPCSTR name, LPWNDCLASSA out) {
    const user::WindowClass* wc = user::FindClass(name, instance);
    if (!wc || !out) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *out = WNDCLASSA{};
    out->style = wc->style;
    out->lpfnWndProc = wc->proc;
    out->cbWndExtra = wc->wndExtra;
    out->hInstance = wc->instance;
    out->hCursor = wc->cursor;
    out->hbrBackground = wc->background;
    out->lpszClassName = wc->name.c_str();
    return TRUE;
}

extern "C" int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
    user::Window* w = user::FromHandle(hwnd);
    if (!w || !buffer || size <= 0) return 0;
    return static_cast<int>(user::CopyTruncated(w->cls->name, buffer, static_cast<size_t>(size)));
}
