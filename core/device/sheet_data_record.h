// `SHEETDATA`: what each page or dialog of this library receives when it starts, so that its
// object finds the request it works for and whether it sits in a sheet or stands alone. The core
// makes them too, for the pages the 16-bit driver's sheet hosts.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

// Where a page or dialog is shown.
enum SheetDataKind : DWORD {
    kSheetPage = 1,        // a page of a sheet of this library
    kSheetModalDialog = 2,  // a modal dialog
    kSheetForeignPage = 3,  // a page of the 16-bit driver's sheet
};

struct SHEETDATA {
    DWORD size;  // sizeof(SHEETDATA): tells the record from the property-sheet page that carries it
    UIDEVDATA* ctx;
    LPARAM parameter;  // the opener's argument
    DWORD kind;
};
