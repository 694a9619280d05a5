// What every common control shares: its state record behind its first window word (made on
// WM_NCCREATE, deleted on WM_NCDESTROY), and the WM_NOTIFY it sends to its parent.
#pragma once

#include "platform/user/control_state.h"

#include <commctrl.h>

namespace commctl {

// The record, the id and the style are kept as the standard controls keep theirs, by the same code.
using user::ControlId;
using user::ManageState;
using user::StateOf;
using user::StyleOf;

// Fills the header of a notification record and sends it to the control's parent.
inline LRESULT Notify(HWND control, UINT code, NMHDR* header) {
    header->hwndFrom = control;
    header->idFrom = ControlId(control);
    header->code = code;
    HWND parent = GetParent(control);
    return parent ? SendMessageA(parent, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header)) : 0;
}

// Runs the body of a control's window procedure: an exception (memory refused) ends as the answer
// 0 rather than crossing into the caller's message loop.
template <typename Body>
LRESULT Guarded(Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

// The window procedures of the common controls, registered by InitCommonControlsEx.
LRESULT CALLBACK UpDownWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TrackBarWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListViewWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TabControlWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TooltipWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProgressWindowProc(HWND, UINT, WPARAM, LPARAM);

}  // namespace commctl
