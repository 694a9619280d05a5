// Where the core hands the opening of the user interface: the dialog framework's dispatcher,
// which opens the sheets a request asks for. It registers itself when the library loads; until
// it has, nothing opens and the requests answer their failure.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

struct UiDispatcher {
    // Opens the user interface a request of the user-interface kind asks for; answers the
    // module's result code.
    LONG (*Open)(UIDEVDATA* ctx);
    // Opens the property sheet of an application's request (a PropertySheetRequest); TRUE when
    // the user committed the sheet.
    BOOL (*ShowPropertySheetFromRequest)(UIDEVDATA* ctx, void* request);
};

// Registers (null removes) the dispatcher; answers the previous one.
const UiDispatcher* RegisterUiDispatcher(const UiDispatcher* dispatcher);
const UiDispatcher* CurrentUiDispatcher();
