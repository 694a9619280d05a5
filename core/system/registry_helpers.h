// The core's registry helpers: values below a root key read, written and deleted by key path,
// answering nonzero on success. Every part of the library that keeps settings in the registry
// uses these (a binary value is always written by RegSetBinary), so that long paths, sizes and
// types are checked in one place.
#pragma once

#include <windows.h>

// Where the spooler keeps a printer's values: kPrintersKey \ printer name \ kDriverDataKey.
inline constexpr const char* kPrintersKey = "System\\CurrentControlSet\\control\\Print\\Printers";
inline constexpr const char* kDriverDataKey = "PrinterDriverData";

// Keys named by up to three parts (see core/system/registry_path.h). A null buffer asks for the size
// only; a buffer too small for the value answers 0 with the needed size in *size.
BOOL RegQueryValueRead(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR name, void* buffer,
                       DWORD* size);
// Creates the keys that are missing and sets the value.
BOOL RegSetValueAll(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR name, DWORD type, const void* data,
                    DWORD size);
BOOL RegDeleteValueAll(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR name);
// Deletes the key `keyName` (with everything below it) of the key the parts name.
BOOL RegDeleteKeyAll(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, LPCSTR keyName);

// A REG_DWORD value, or `fallback` when it is missing or is not a REG_DWORD of four bytes.
DWORD RegQueryDword(HKEY root, LPCSTR path, LPCSTR name, DWORD fallback);
// Reads a value of at most `size` bytes; a shorter value leaves the rest of the buffer as it was.
BOOL RegQueryValueSimple(HKEY root, LPCSTR path, LPCSTR name, void* buffer, DWORD size);
BOOL RegSetDword(HKEY root, LPCSTR path, LPCSTR name, DWORD value);
BOOL RegSetBinary(HKEY root, LPCSTR path, LPCSTR name, const void* data, DWORD size);
BOOL RegDeleteKeySimple(HKEY root, LPCSTR path);

// A value of the named printer's "PrinterDriverData" key, as RegQueryValueRead reads it. A name
// that is empty or holds a backslash is no printer's and answers 0.
BOOL RegQueryPrinterValue(void* unused, LPCSTR printer, LPCSTR name, void* buffer, DWORD* size);
// True when the printer's own key exists; the same names are refused.
bool PrinterKeyExists(LPCSTR printer);
