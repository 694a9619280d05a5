// The page records (`SHEETDATA`) the 16-bit side asks for: made over a device object, known by
// number, and ended with their object when the driver does not end them first.
#pragma once

#include "core/device/sheet_data_record.h"

#include <windows.h>

// The live record a number names, or null.
SHEETDATA* SheetData16(DWORD number);
// Ends every record over the object.
void EndSheetDataOf(const UIDEVDATA* ctx);
