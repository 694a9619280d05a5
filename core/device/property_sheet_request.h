// The request an application's "open the settings" call hands to
// `UiServiceTable::ShowPropertySheetFromRequest`: the sheet works on `copy` (the current device
// mode in the extended form), which the caller takes back when the answer is 1 (OK).
#pragma once

#include <windows.h>

#include <cstdint>

class DeviceData;

struct PropertySheetRequest {
    DWORD callerWord;      // the application's word
    LPCSTR printerName;
    uint8_t* current;      // the request's current device mode
    WORD kind;             // 14: opened by an application
    uint8_t* copy;         // what the sheet edits
    DeviceData* deviceData;
    void* callerData;      // the application's data block
};

inline constexpr WORD kSheetFromApplication = 14;
