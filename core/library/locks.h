// The library's two process-wide locks, initialised by DllMain on attach. The export lock
// serialises every export of the 16-bit side for its whole run; the core lock is handed to each
// core context and guards one-time loading of the device data and merging of device-mode fields.
#pragma once

#include <windows.h>

extern CRITICAL_SECTION g_coreLock;
extern CRITICAL_SECTION g_exportLock;
