// The drivers that answer DocumentPropertiesA and DeviceCapabilitiesA. On the original the
// spooler loads the printer's driver module for these; here the library registers its own entry
// points for the drivers it serves, and the spooler routes each call by the printer's driver.
#pragma once

#include <windows.h>

namespace spooler {

typedef LONG(WINAPI* DocumentPropertiesProc)(HWND hWnd, HANDLE hPrinter, LPSTR pDeviceName,
                                             PDEVMODEA pDevModeOutput, PDEVMODEA pDevModeInput, DWORD fMode);
typedef int(WINAPI* DeviceCapabilitiesProc)(LPCSTR pDevice, LPCSTR pPort, WORD fwCapability, LPSTR pOutput,
                                            const DEVMODEA* pDevMode);

struct DriverEntryPoints {
    DocumentPropertiesProc documentProperties = nullptr;
    DeviceCapabilitiesProc deviceCapabilities = nullptr;
};

// Registers the entry points for the drivers whose "Configuration File" is `configFile` (a file
// name, compared without regard to case), or for every driver when it is null. A later
// registration for the same name replaces the earlier one.
void RegisterDriver(const char* configFile, DriverEntryPoints entryPoints);
void UnregisterDriver(const char* configFile);

}  // namespace spooler
