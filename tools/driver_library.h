// The host program's hold on the driver library: the exports GetProcAddress finds, and a session
// opened on a printer through them. Nothing else of the library is reached.
#pragma once

#include "core/library/exports_devicemode.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Library {
    HMODULE module = nullptr;
    decltype(&VomelDeviceModeInit) init = nullptr;
    decltype(&VomelDeviceMode) request = nullptr;
    decltype(&VomelDeviceModeTerm) term = nullptr;

    // One request on the device mode in `settings` (which a set, default or action may change).
    LONG Send(HANDLE session, std::vector<uint8_t>& settings, DWORD kind, DWORD code, void* data) const {
        return request(session, reinterpret_cast<LPDEVMODEA>(settings.data()), kind, code, data);
    }
};

// Loads the library from the driver folder and finds its exports; false, with the reason printed.
bool LoadDriverLibrary(const char* path, Library& library);

// A session on the printer (null: the default printer) with its device mode in `devmode`; null when
// the printer does not open, with the library's account in the last error.
HANDLE OpenSession(const Library& library, LPCSTR name, std::vector<uint8_t>& devmode);

// The printers of the spooler, in its order.
std::vector<std::string> InstalledPrinters();

// The printer a session without a name opens: the spooler's default.
std::string DefaultPrinterName();
