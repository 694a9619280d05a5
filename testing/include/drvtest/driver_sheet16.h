// Test-only: the 16-bit driver's own property sheet, simulated. Its first page is the driver's
// own (empty); each further page hosts a page of the library: the driver completes the page's
// 16-bit record through GTF_GetPSP and its page procedure passes every message to
// GTF_SheetProcedure with 16-bit handles and 16:16 pointers, as the driver's does. The exports
// are handed in, so that a test linked to the library and the host program that loads it share
// this. A ScriptedSheet (or the platform's sheet observer) alive on the thread drives it.
#pragma once

#include "drvtest/sixteen_bit_side.h"

#include <windows.h>

#include <vector>

namespace drvtest {

struct DriverSheetExports {
    BOOL(WINAPI* getPsp)(DWORD hSheetData, DWORD vpPage);
    DWORD(WINAPI* sheetProcedure)(DWORD hwndPage, DWORD message, DWORD wParam, DWORD lParam);
};

// Shows the sheet: the driver's page, then one hosting page per page record (each the number
// GTF_CreateSHEETDATA gave); answers what PropertySheetA answers, -1 when a record was refused by
// GTF_GetPSP.
INT_PTR RunDriverSheet(SixteenBitSide& side, const DriverSheetExports& exports, const std::vector<DWORD>& records,
                       const char* caption);

}  // namespace drvtest
