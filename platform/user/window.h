// The window manager's own records: window classes and windows, found by handle. Every user
// function goes through these; a handle that names no live window is refused, never followed.
#pragma once

#include "platform/user/window_lookup.h"

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace user {

struct WindowClass {
    std::string name;  // compared without regard to case, as class names are on the original
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;  // null for the system's classes, usable by every module
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    ATOM atom = 0;
};

struct Window {
    HWND handle = nullptr;
    const WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // a child's parent; null for a top-level window
    HWND owner = nullptr;   // a top-level window's owner
    std::vector<HWND> children;  // z-order, topmost first; also the dialog's tab order
    std::string text;
    RECT rect{};  // window rectangle in the parent's client coordinates (screen for top-level)
    LONG_PTR id = 0;
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;  // the class's window extra bytes
    RECT update{};            // part of the client area waiting for WM_PAINT
    bool needsPaint = false;
    bool needsErase = false;
    bool destroying = false;
    std::thread::id thread;
};

// Find (window_lookup.h) for a caller's handle: null sets ERROR_INVALID_WINDOW_HANDLE. Inline, as
// every user function starts with it.
inline Window* FromHandle(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}
// The thread of the live window with this handle, read under the window table's lock: for a call
// another thread makes while the window's own thread may destroy it. False for no window.
bool ThreadOf(HWND hwnd, std::thread::id& thread);
// Runs read on the live window with this handle under the window table's lock, for a call another
// thread makes: read may look at the window's words and list of children, not call out. False
// for no window.
bool ReadLocked(HWND hwnd, void (*read)(const Window&, void*), void* context);
template <class Read>
bool ReadLocked(HWND hwnd, Read&& read) {
    return ReadLocked(
        hwnd, [](const Window& w, void* context) { (*static_cast<Read*>(context))(w); },
        const_cast<void*>(static_cast<const void*>(&read)));
}
// The lock a window's thread holds while it changes the window's list of children.
std::mutex& TableLock();
// Answers 0 to the messages sent to a window that is gone and not yet taken.
void DropSentMessages(HWND hwnd, std::thread::id thread);
// SendMessageA to a window of another thread (or of none): queued for its thread, which calls the
// window's procedure when it next looks at its queue or waits for an answer of its own; waited for.
LRESULT SendAcross(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The first of the handles whose live window has this id (compared in 16 bits), or null: the
// children without a slot in the look-up, and those after them, under one lock.
HWND FindWithId(const std::vector<HWND>& handles, WORD id);
// The same among the children of a window of any thread, under the lock: false for no parent.
bool ChildWithId(HWND parent, WORD id, HWND& child);

// Raised whenever a window's list of children changes, or a child's id: what a thread found among
// a window's children by id stands while this has not moved.
uint64_t ChildrenStamp();
void ChildrenChanged();

// Window table operations used by creation and destruction.
Window* AddWindow();
void RemoveWindow(HWND hwnd);
// Every live top-level window, oldest first.
std::vector<HWND> TopLevelWindows();

// The class with this name usable by the module (a module's own class first, then a system one).
const WindowClass* FindClass(LPCSTR name, HINSTANCE instance);

// Non-client insets of a window with a frame or a scroll bar, from the system metrics.
RECT FramedInsets(DWORD style, DWORD exStyle);
// Non-client insets of a window of this style: the client area is the window rectangle less these.
// Most controls have no frame and no scroll bar, and every invalidation asks, so they are told
// inline.
inline RECT FrameInsets(DWORD style, DWORD exStyle) {
    constexpr DWORD kFrameStyles = WS_CAPTION | WS_DLGFRAME | WS_THICKFRAME | WS_BORDER | WS_VSCROLL | WS_HSCROLL;
    constexpr DWORD kFrameExStyles = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    if (!(style & kFrameStyles) && !(exStyle & kFrameExStyles)) return RECT{0, 0, 0, 0};
    return FramedInsets(style, exStyle);
}
// The window's client rectangle in its own coordinates, as GetClientRect answers it.
inline RECT ClientRect(const Window& w) {
    const RECT in = FrameInsets(w.style, w.exStyle);
    const LONG width = w.rect.right - w.rect.left - in.left - in.right;
    const LONG height = w.rect.bottom - w.rect.top - in.top - in.bottom;
    return {0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
}

// Calls a window procedure with the window's current procedure and the call hooks.
LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends WM_COMMAND with a notification code from a control to its parent.
void NotifyParent(HWND control, UINT code);
// Keeps what GetKeyState answers from a key or mouse message about to be delivered.
void NoteKeyState(UINT msg, WPARAM wParam);

// Focus bookkeeping when a window goes away or is hidden or disabled.
void ForgetFocus(HWND hwnd);

}  // namespace user

namespace user {

// Draws the frame and caption of a window (WM_NCPAINT's default).
void PaintFrame(HWND hwnd);

// The first window of this thread (the filter or one of its descendants, or any when null) that
// waits for WM_PAINT, or null.
HWND NextWindowToPaint(HWND filter);

}  // namespace user
