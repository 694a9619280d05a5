// Where the core hands the opening of the user interface: the dialog framework's dispatcher,
// which opens the sheets a request asks for. It registers itself when the library loads; until
// it has, nothing opens and the requests answer their failure.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

struct SHEETDATA;

struct UiDispatcher {
    // Opens the user interface a request of the user-interface kind asks for; answers the
    // module's result code.
    LONG (*Open)(UIDEVDATA* ctx);
    // Opens the property sheet of an application's request (a PropertySheetRequest); TRUE when
    // the user committed the sheet.
    BOOL (*ShowPropertySheetFromRequest)(UIDEVDATA* ctx, void* request);
    // Runs the dialog of the dialog registry of that kind, modal to `owner`: its result (1 for
    // OK), 0 when there is none or it cannot be shown.
    INT_PTR (*OpenDialog)(UIDEVDATA* ctx, HWND owner, int kind, LPARAM argument);
    // A page of this library (the main page whose template the record's parameter names) made a
    // child of `parent`, a page of the 16-bit driver's sheet, over the record's request; null
    // when there is no such page. DestroyHostedPage takes it down with what it started.
    HWND (*CreateHostedPage)(SHEETDATA* data, HWND parent);
    void (*DestroyHostedPage)(HWND child, UIDEVDATA* ctx);
};

// Registers (null removes) the dispatcher; answers the previous one.
const UiDispatcher* RegisterUiDispatcher(const UiDispatcher* dispatcher);
const UiDispatcher* CurrentUiDispatcher();
