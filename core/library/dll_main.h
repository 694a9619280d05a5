// The library's entry point, which the loader calls when the library is attached to and
// detached from a process (and, ignored here, when threads start and end).
#pragma once

#include "core/library/export.h"

#include <windows.h>

// The library's own module handle, kept on attach: resources and paths are found through it.
extern HINSTANCE g_hInstance;

DRVOPUI_EXPORT BOOL WINAPI DllMain(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpvReserved);
