// Finding a page's or dialog's `SHEETDATA` (core/device/sheet_data_record.h) in what its
// WM_INITDIALOG carries.
#pragma once

#include "core/device/sheet_data_record.h"

#include <windows.h>

// The record a dialog's WM_INITDIALOG carries: given directly to a dialog, inside the page's
// PROPSHEETPAGEA (its lParam) to a page. Null when the parameter holds neither.
SHEETDATA* SheetDataFromInitParam(LPARAM lParam);
