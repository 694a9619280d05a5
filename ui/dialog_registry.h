// The dialog registry: every dialog that can be opened by kind (a button of a page, a request of
// the dispatcher) is one entry, registered by the subsystem that owns the dialog.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstddef>

struct DialogEntry {
    int kind;
    DLGPROC procedure;  // the class's static dialog procedure
    UINT pageId;        // the title string
    UINT templateId;    // the dialog template of the resource module
    const DWORD* helpIds;  // (control id, context id) pairs ending at a control id of 0; may be null
};

// Adds the entries (the table must live as long as the library); a kind registered again takes
// the newer entry. Answers false when the registry is full.
bool RegisterDialogEntries(const DialogEntry* entries, std::size_t count);
// Removes every entry of the table.
void UnregisterDialogEntries(const DialogEntry* entries);
const DialogEntry* FindDialogEntry(int kind);

// A kind shown by code of its own (a sheet of pages) rather than one template: registered with
// its opener, which answers as OpenDialogByKind does. Null removes it; false when full.
using DialogOpener = INT_PTR (*)(UIDEVDATA* ctx, HWND owner, LPARAM argument);
bool RegisterDialogOpener(int kind, DialogOpener opener);

// Runs the dialog of that kind, modal to `owner`, from the request's resource module; its
// SHEETDATA carries the request and the argument. The dialog works on copies of the sheet's
// settings and device-option block; when it ends with OK the blocks it changed are copied back,
// otherwise nothing is. Answers
// the dialog's result (1 for OK), or 0 when there is no such dialog or it cannot be shown.
INT_PTR OpenDialogByKind(UIDEVDATA* ctx, HWND owner, int kind, LPARAM argument);
