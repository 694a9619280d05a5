// What the 16-bit side's exports share: a device object over a printer named by a 16:16 text,
// with the 16-bit driver's device mode as its current settings, and the settings copied back
// into that device mode.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstdint>

// The longest printer name a 16-bit caller may hand in, as the spooler's names are bounded.
inline constexpr std::size_t kPrinterNameMax = 259;

// A device object of that kind and subtype over the printer whose name is at `vpPrinterName`;
// null, with the last error set, when the name does not read or the printer does not open.
UIDEVDATA* CreateForPrinter16(DWORD vpPrinterName, int kind, int subtype, WORD word1);

// Makes `declared` bytes of a caller's device mode the object's current settings; FALSE, with
// ERROR_INVALID_PARAMETER, when they are refused.
BOOL TakeCallerDevmode(UIDEVDATA* ctx, const uint8_t* devmode, DWORD declared);

// Writes the object's current settings back into the caller's device mode of `declared` bytes:
// whole when it holds the current form, else its public fields, keeping its own sizes.
void GiveBackDevmode(UIDEVDATA* ctx, uint8_t* devmode, DWORD declared);

// The printing-preferences sheet (or, by subtype, the device-settings page alone) on a device
// object of its own over the named printer, modal to `owner`, on the caller's device mode when
// one is given (`declared` bytes, already bounded), which receives the settings on OK. 1 when the
// sheet committed, 0 when not, -1 when it was not shown or the device mode was refused.
LONG OpenSheetsOn(const char* printerName, int subtype, WORD word1, HWND owner, uint8_t* devmode, DWORD declared);

// The device object a 16-bit number names, or null.
UIDEVDATA* DeviceObject16(DWORD number);
