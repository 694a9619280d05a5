// Window procedures of the system's window classes (one control per file) and the table that
// registers them. The common controls add their procedures here the same way.
#pragma once

#include <windows.h>

namespace user {

LRESULT CALLBACK DialogWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListBoxWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ScrollBarWindowProc(HWND, UINT, WPARAM, LPARAM);

// The dialog class's name, as templates and FindWindow know it.
inline constexpr const char* kDialogClass = "#32770";

}  // namespace user
