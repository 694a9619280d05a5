// Test-only: a window of a class the test registers with its own procedure, as the control,
// menu and message tests need for a parent or an owner that hears what is sent to it.
#pragma once

#include <windows.h>

namespace drvtest {

// Registers the class (a second registration of the name fails harmlessly) and makes the window
// at the origin.
inline HWND MakeWindow(const char* cls, WNDPROC proc, DWORD style, int width, int height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowExA(0, cls, "", style, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace drvtest
