// NTPinPointUIOpen: the printing-preferences sheet for a 32-bit caller that names the printer in
// a wide string, on the caller's device mode.
#pragma once

#include "core/library/export.h"

#include <windows.h>

// The sheet over the printer (the default printer for a null or empty name), modal to `owner`,
// on `devmode` (may be null), which receives the settings on OK: 1 when the sheet committed, 0
// when not, -1 when it was not shown or the device mode, the owner or the name was refused.
DRVOPUI_EXPORT LONG WINAPI NTPinPointUIOpen(LPCWSTR printerName, HWND owner, LPDEVMODEA devmode);
