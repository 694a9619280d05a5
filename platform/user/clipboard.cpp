// The clipboard: one per process, opened by one window (or none) of one thread at a time. Data is
// kept by format; the clipboard owns every handle placed on it and frees it when it is emptied or
// replaced, as on the original, so a caller never frees what it has handed over.
#include "platform/user/window.h"

#include <map>
#include <mutex>
#include <thread>

namespace {

struct Clipboard {
    std::mutex lock;
    bool open = false;
    std::thread::id openThread;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::map<UINT, HANDLE> data;
};

Clipboard& clipboard() {
    static Clipboard* c = new Clipboard;
    return *c;
}

// True when the calling thread holds the clipboard open; else sets the error.
bool heldHere(const Clipboard& c) {
    if (c.open && c.openThread == std::this_thread::get_id()) return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

void release(HANDLE h) {
    if (h) GlobalFree(h);
}

}  // namespace

extern "C" BOOL WINAPI OpenClipboard(HWND window) {
    if (window && !user::FromHandle(window)) return FALSE;
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.open && (c.openThread != std::this_thread::get_id() || c.openWindow != window)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    c.open = true;
    c.openThread = std::this_thread::get_id();
    c.openWindow = window;
    return TRUE;
}

extern "C" BOOL WINAPI CloseClipboard(void) {
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!heldHere(c)) return FALSE;
    c.open = false;
    c.openWindow = nullptr;
    return TRUE;
}

extern "C" BOOL WINAPI EmptyClipboard(void) {
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!heldHere(c)) return FALSE;
    for (auto& [format, handle] : c.data) release(handle);
    c.data.clear();
    c.owner = c.openWindow;
    return TRUE;
}

extern "C" HANDLE WINAPI SetClipboardData(UINT format, HANDLE handle) {
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!heldHere(c)) return nullptr;
    if (format == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        auto [it, added] = c.data.emplace(format, handle);
        if (!added) {
            if (it->second != handle) release(it->second);
            it->second = handle;
        }
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return handle;
}

extern "C" HANDLE WINAPI GetClipboardData(UINT format) {
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    if (!heldHere(c)) return nullptr;
    auto it = c.data.find(format);
    return it == c.data.end() ? nullptr : it->second;
}

extern "C" BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    return c.data.count(format) ? TRUE : FALSE;
}

extern "C" HWND WINAPI GetClipboardOwner(void) {
    Clipboard& c = clipboard();
    std::lock_guard<std::mutex> guard(c.lock);
    return user::Find(c.owner) ? c.owner : nullptr;
}
