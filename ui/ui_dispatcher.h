// The user-interface dispatcher: opens the property sheet a request asks for, one SHEETDATA per
// page, and serves the application's sheet request (`UiServiceTable::ShowPropertySheetFromRequest`)
// on a device object of its own, so that the application's settings come back only on OK.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

// Shows the printing-preferences sheet over a request that works on copies of its settings (the
// user-interface and the driver's kinds), modal to `owner`, with the pages of the printer's add-ins
// after its own; a request for the device settings shows their page alone. The sheet's registry is started for it when the request
// has none, and ended with it. Answers what PropertySheetA answers: 1 when OK or Apply committed
// the settings into the request's device mode, 0 when nothing was committed, -1 when the sheet
// could not be shown.
INT_PTR ShowPrinterSheet(UIDEVDATA* ctx, HWND owner);

// The application's request (a PropertySheetRequest): the sheet starts from the request's copy
// of the settings and writes the committed settings back into it. TRUE when the sheet committed.
BOOL ShowPropertySheetFromRequest(UIDEVDATA* ctx, void* request);

// Makes this dispatcher the core's.
void RegisterDispatcher();
