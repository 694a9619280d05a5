// The pages of the 16-bit driver's sheet that host a child page of this library, on the thread
// that runs the sheet. While any exists, a message hook on the thread hands the keyboard
// messages meant for a child's controls to the child first, so that Tab, arrows and mnemonics
// work inside it as inside a page of our own.
#pragma once

#include "core/device/sheet_data_record.h"

#include <windows.h>

// Hosts `child` in `page` for the record; the first page of the thread sets the hook.
void AddHostedPage(HWND page, HWND child, SHEETDATA* data);
// The child a page hosts, or null.
HWND HostedChildOf(HWND page);
// Forgets the page and answers its child and record (null when it hosted none); the last page of
// the thread removes the hook.
HWND RemoveHostedPage(HWND page, SHEETDATA** data);
// True while a page of this thread hosts a child over a record of the request.
bool RequestHosted(const UIDEVDATA* ctx);
// True while a page of this thread (the 16-bit side's one thread) hosts a child over the record.
bool SheetDataHosted(const SHEETDATA* data);
