// The one place where something outside the program may act in a modal dialog, a message box or a
// pop-up menu:
// a test's scripted user or the host program registers an observer; product code never does.
#pragma once

#include <windows.h>

namespace user {

struct ModalObserver {
    // Called once a modal dialog is shown, before its loop runs.
    void (*dialogShown)(HWND dialog, void* context) = nullptr;
    // Called for a message box; returns the button pressed, or 0 for the default button.
    int (*messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type, void* context) = nullptr;
    // Called for a pop-up menu; returns the command chosen, or 0 to close it without a choice.
    UINT (*popupMenu)(HMENU menu, HWND owner, void* context) = nullptr;
    void* context = nullptr;
};

// Installs (or with null removes) the observer of the calling thread; returns the previous one.
const ModalObserver* SetModalObserver(const ModalObserver* observer);
const ModalObserver* CurrentModalObserver();

}  // namespace user
