// The exports the 16-bit part of the driver calls through generic thunks. Every argument is a
// 32-bit word: pointers are 16:16 pointers, windows 16-bit handles, and the device objects and
// page records the library hands out are numbers (core/library/gtf_handles.h). Each export holds
// the export lock for its whole run, converts and checks what it is handed before it trusts it,
// and lets no exception out.
#pragma once

#include "core/library/export.h"

#include <windows.h>

// A device object the 16-bit driver keeps across calls (kind 20) over the named printer (the
// default printer for a null or empty name), with the driver's device mode at `vpDevmode` (may be
// 0) as its current settings. Its number, or 0 with the last error set: the printer does not
// open, the name does not read, or the device mode is refused (ERROR_INVALID_PARAMETER).
DRVOPUI_EXPORT DWORD WINAPI GTF_CreateUIDEVDATA(DWORD vpPrinterName, DWORD vpDevmode, DWORD word1);
// Ends a device object with its page records; FALSE for a number that names none, or while a
// page of the driver's sheet hosts a child over it.
DRVOPUI_EXPORT BOOL WINAPI GTF_DeleteUIDEVDATA(DWORD hDevData);

// Copies the object's current device mode to `vpDevmode` (room for `cbDevmode` bytes): the
// bytes copied; with `vpDevmode` 0 the bytes needed; 0 when the room is short or does not lie
// in its segment (nothing written).
DRVOPUI_EXPORT DWORD WINAPI GTF_CopyDEVMODE(DWORD hDevData, DWORD vpDevmode, DWORD cbDevmode);
// The byte size of the extended form of the object's device mode; 0 for an unknown object.
DRVOPUI_EXPORT DWORD WINAPI GTF_GetExtDevModeSize(DWORD hDevData);
// Converts the device mode of the current form at `vpCurrent` (checked as any caller's) into
// the extended form at `vpExtended`, which must hold GTF_GetExtDevModeSize bytes in `cbExtended`.
// TRUE when written; FALSE, nothing written, otherwise.
DRVOPUI_EXPORT BOOL WINAPI GTF_ConvertCurDevMode2ExtDevMode(DWORD hDevData, DWORD vpCurrent, DWORD vpExtended,
                                                            DWORD cbExtended);
// Sets one value of the printer's device-option block and stores the block. TRUE when stored.
DRVOPUI_EXPORT BOOL WINAPI GTF_SetDeviceOption(DWORD hDevData, DWORD valueId, DWORD vpValue, DWORD cbValue);

// A page record (`SHEETDATA`) over a device object: `kind` 1 a page of a sheet of this library, 2
// a modal dialog, 3 a page of the 16-bit driver's sheet. Its number, or 0.
DRVOPUI_EXPORT DWORD WINAPI GTF_CreateSHEETDATA(DWORD hDevData, DWORD parameter, DWORD kind);
// Ends a page record; FALSE for an unknown number or a record a page still hosts a child over.
DRVOPUI_EXPORT BOOL WINAPI GTF_DeleteSHEETDATA(DWORD hSheetData);

// Completes the 16-bit driver's page record at `vpPage` (its 16-bit PROPSHEETPAGE, dwSize at
// least 36) for a page that hosts a page of this library (`hSheetData`, kind 3; its parameter the
// template id of the main page to host): the page's template becomes an empty 16-bit template of
// the hosted page's size, font and title (PSP_DLGINDIRECT), its title that title (PSP_USETITLE),
// both in 16-bit memory the page record owns until it ends, and its lParam the record's number.
// FALSE, nothing written, for another record, a page record that is short or not there, or a
// hosted page the resource module does not hold.
DRVOPUI_EXPORT BOOL WINAPI GTF_GetPSP(DWORD hSheetData, DWORD vpPage);
// The driver's page procedure passes its messages here: WM_INITDIALOG (lParam the 16:16 page
// record) makes the hosted child, WM_NOTIFY (lParam the 16-bit NMHDR) passes the sheet's
// notification to it and answers for it (the child's result in the page's DWLP_MSGRESULT),
// WM_SIZE sizes it and WM_DESTROY takes it down. Answers what a dialog procedure answers.
DRVOPUI_EXPORT DWORD WINAPI GTF_SheetProcedure(DWORD hwndPage, DWORD message, DWORD wParam, DWORD lParam);

// VomelDeviceModeInit, VomelDeviceMode and VomelDeviceModeTerm for the 16-bit side. `vpSize`
// points at a 32-bit word (the room at `vpDevmode` in, the size needed out). A request's data at
// `vpData` is `cbData` bytes (at most 64 KiB); the request works on a copy, so that it writes no
// further than those bytes. Answers as the 32-bit exports; a session number instead of a handle.
DRVOPUI_EXPORT DWORD WINAPI GTF_VomelDeviceModeInit(DWORD vpPrinterName, DWORD vpDevmode, DWORD vpSize);
DRVOPUI_EXPORT LONG WINAPI GTF_VomelDeviceMode(DWORD hSession, DWORD vpDevmode, DWORD kind, DWORD code, DWORD vpData,
                                               DWORD cbData);
DRVOPUI_EXPORT BOOL WINAPI GTF_VomelDeviceModeTerm(DWORD hSession);

// The printing-preferences sheet over the named printer, modal to the 16-bit window `hwndOwner`
// (0 for none), on the device mode at `vpDevmode` (0: the printer's), which receives the settings
// on OK. 1 when the sheet committed, 0 when not, -1 when it could not be shown or an argument
// was refused.
DRVOPUI_EXPORT LONG WINAPI GTF_OpenSheets(DWORD vpPrinterName, DWORD hwndOwner, DWORD vpDevmode, DWORD word1);
// A dialog of the dialog registry by kind on a device object: the dialog's result (1 for OK),
// 0 when there is none or it cannot be shown.
DRVOPUI_EXPORT LONG WINAPI GTF_OpenDialog(DWORD hDevData, DWORD hwndOwner, DWORD dialogKind, DWORD argument);
// A message box with the resource module's text `textId` and the printer's name as caption:
// MessageBoxA's answer, 0 when the printer does not open or the text is missing.
DRVOPUI_EXPORT LONG WINAPI GTF_MessageBox(DWORD vpPrinterName, DWORD hwndOwner, DWORD textId, DWORD style);
// The sheet with the device-settings page alone, stored into the printer on OK; as GTF_OpenSheets.
DRVOPUI_EXPORT LONG WINAPI GTF_DeviceSettings(DWORD vpPrinterName, DWORD hwndOwner);
// The installer's question for the named printer: 1 when the driver's own configuration ran
// and stored the device's options, else 0.
DRVOPUI_EXPORT BOOL WINAPI GTF_DevInstall(DWORD vpPrinterName);
