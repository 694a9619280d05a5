// A main page of this library hosted inside a page of the 16-bit driver's own sheet: made a
// frameless child of the driver's page, over the settings registry of its request, which is
// started for the hosted pages when no sheet of this library has started it.
#pragma once

#include "core/device/sheet_data_record.h"

#include <windows.h>

// The child over `data` (its parameter the main page's template id), sized to the parent's client
// area; null when the template or the registry is missing.
HWND CreateHostedPage(SHEETDATA* data, HWND parent);
// Destroys the child; the last hosted page of a request ends the registry it started.
void DestroyHostedPage(HWND child, UIDEVDATA* ctx);
