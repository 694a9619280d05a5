// Values of a printer's "PrinterDriverData" key reached through its printer handle: raw, as
// text and as DWORD. The handle may be a pseudo-printer context, which has no registry: reads
// through it find nothing and writes are refused without touching anything. Calls the spooler
// answers with error 87 while the printer is being set up are retried (core/system/spooler_retry.h).
#pragma once

#include <windows.h>

// 0 or the spooler's error, with GetPrinterDataA's size rules (*needed is the value's size,
// ERROR_MORE_DATA when the buffer is smaller). A pseudo-printer answers ERROR_FILE_NOT_FOUND.
DWORD GetPrinterDriverData(HANDLE printer, LPCSTR name, DWORD* type, void* buffer, DWORD size, DWORD* needed);
// 0 or the spooler's error. A pseudo-printer answers ERROR_ACCESS_DENIED.
DWORD SetPrinterDriverData(HANDLE printer, LPCSTR name, DWORD type, const void* data, DWORD size);

// Reads a REG_SZ value of at most `size` bytes, terminator included, into the buffer: 1. When
// it is missing, is no text or does not fit, the buffer gets `fallback` (cut to the size, null
// for an empty text) and the answer is 0.
BOOL ReadPrinterString(HANDLE printer, LPCSTR name, char* buffer, DWORD size, LPCSTR fallback);
// Stores the text as a REG_SZ value: 1, or 0 when refused.
BOOL WritePrinterStringId8(HANDLE printer, LPCSTR name, LPCSTR text);
// A REG_DWORD value, or `fallback` when it is missing or no DWORD.
DWORD GetPrinterDword(HANDLE printer, LPCSTR name, DWORD fallback);
BOOL SetPrinterDword(HANDLE printer, LPCSTR name, DWORD value);

// A REG_DWORD under root \ path, or `fallback` when missing. For a pseudo-printer context the
// value comes from its data slot `pseudoItem` instead (the fallback when the slot is empty).
DWORD GetPrinterDwordKey(HANDLE printer, HKEY root, LPCSTR path, LPCSTR name, DWORD fallback, DWORD pseudoItem);
