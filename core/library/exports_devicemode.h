// The device-mode exports for 32-bit callers: a session over a printer between
// VomelDeviceModeInit and VomelDeviceModeTerm, and the requests of the option interfaces in
// between, each on the caller's device mode. The export lock serialises them.
#pragma once

#include "core/library/export.h"

#include <windows.h>

// Opens a session (a device object for device-mode work, without dialogs) on the printer, the
// default printer when the name is null or empty. With `size` given, *size becomes the byte size
// of the printer's device mode, and `devmode` (when not null, *size bytes on entry) receives the
// session's current device mode, which is the printer's default. Null, with the last error set,
// when the printer does not open, or when `devmode` is smaller than the device mode
// (ERROR_INSUFFICIENT_BUFFER; nothing written, no session kept). A session whose printer's data
// file does not load opens over the built-in defaults, as for a device without data, and leaves
// the loader's error code as the last error (ERROR_SUCCESS otherwise), its text in debug output.
DRVOPUI_EXPORT HANDLE WINAPI VomelDeviceModeInit(LPCSTR printerName, LPDEVMODEA devmode, LPDWORD size);

// One request of an option interface on the caller's device mode: codes below 0x10000 are the
// page-composition tool's, codes from 0x10000 an application's. The device mode is accepted
// only when dmSize + dmDriverExtra is at least 220, "Vomel" stands at byte 148 and its private
// part passes the checks; the request then works on a validated copy merged over the printer's
// default. After a set (kind 3; for application codes also kinds 6 and 8) that answered 0 the
// copy is written back into the caller's device mode: whole when the caller's declared size
// holds it, else its public fields only.
// Answers the request's result (0 done, 1 no item, 2 not supported, 3 refused); 1 for an
// unknown session or a null device mode, 3 for a refused device mode, which is left untouched.
DRVOPUI_EXPORT LONG WINAPI VomelDeviceMode(HANDLE session, LPDEVMODEA devmode, DWORD kind, DWORD code, LPVOID data);

// Ends a session; FALSE for a handle that is not an open session.
DRVOPUI_EXPORT BOOL WINAPI VomelDeviceModeTerm(HANDLE session);
