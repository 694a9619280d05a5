// The one place where something outside the program may act in a property sheet: a test's
// scripted user or the host program installs an observer on its thread; product code never does.
// A sheet still open when the observer returns (or without one) is cancelled, so nothing waits.
#pragma once

#include <windows.h>

namespace commctl {

struct SheetObserver {
    // Called once a modal sheet is shown with its first page, before its loop runs.
    void (*sheetShown)(HWND sheet, void* context) = nullptr;
    void* context = nullptr;
};

// Installs (or with null removes) the observer of the calling thread; returns the previous one.
const SheetObserver* SetSheetObserver(const SheetObserver* observer);

}  // namespace commctl
