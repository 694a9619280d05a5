// How a control keeps its state: a record of its own type, made on WM_NCCREATE and pointed to by
// the control's first window word, deleted on WM_NCDESTROY. Every control class does the same.
#pragma once

#include "platform/user/window.h"

#include <cstring>

namespace user {

// GetWindowLongPtrA(hwnd, 0), read from the window's words directly: every message a control
// handles starts here. A handle of no window, or a window without the word, takes the call and
// its refusal.
template <typename State>
State* StateOf(HWND hwnd) {
    const Window* w = Find(hwnd);
    if (!w || w->extra.size() < sizeof(LONG_PTR)) return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
    LONG_PTR word;
    std::memcpy(&word, w->extra.data(), sizeof word);
    return reinterpret_cast<State*>(word);
}

// Makes the record on WM_NCCREATE and deletes it on WM_NCDESTROY; call first in the procedure.
// True for those two messages, with `answer` set to what a control that does no more with them
// answers; the standard controls go on to their own handling, the common controls return it.
template <typename State>
bool ManageState(HWND hwnd, UINT msg, LRESULT& answer) {
    if (msg == WM_NCCREATE) {
        if (!StateOf<State>(hwnd))
            SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(new State));
        answer = TRUE;
        return true;
    }
    if (msg == WM_NCDESTROY) {
        delete StateOf<State>(hwnd);
        SetWindowLongPtrA(hwnd, 0, 0);
        answer = 0;
        return true;
    }
    return false;
}

template <typename State>
void ManageState(HWND hwnd, UINT msg) {
    LRESULT ignored;
    ManageState<State>(hwnd, msg, ignored);
}

// WM_SETFONT and WM_GETFONT as every control answers them: the font is kept in the control's own
// record, and a set that asks for a redraw repaints the control. True for those two messages,
// with `answer` set.
inline bool ManageFont(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HFONT& font, LRESULT& answer) {
    if (msg == WM_SETFONT) {
        font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        answer = 0;
        return true;
    }
    if (msg == WM_GETFONT) {
        answer = reinterpret_cast<LRESULT>(font);
        return true;
    }
    return false;
}

// The control's id and its style, read from the window's record as GetWindowLongPtrA answers
// them: a control asks for its style at nearly every message. A handle of no window takes the
// call and its refusal.
inline UINT ControlId(HWND hwnd) {
    const Window* w = Find(hwnd);
    return static_cast<UINT>(w ? w->id : GetWindowLongPtrA(hwnd, GWLP_ID));
}
inline DWORD StyleOf(HWND hwnd) {
    const Window* w = Find(hwnd);
    return w ? w->style : static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

}  // namespace user
