// Printer values through the spooler, each call retried on error 87. The pseudo-printer context
// is answered here before the spooler is asked, so that no write through it can reach a key.
#include "core/system/printer_values.h"

#include "core/system/registry_helpers.h"
#include "core/system/spooler_retry.h"
#include "platform/spooler/pseudo_printer.h"

#include <cstring>
#include <vector>

namespace {

void CopyFallback(char* buffer, DWORD size, LPCSTR fallback) {
    if (!buffer || !size) return;
    size_t length = fallback ? strnlen(fallback, size - 1) : 0;
    if (length) std::memcpy(buffer, fallback, length);
    buffer[length] = '\0';
}

}  // namespace

DWORD GetPrinterDriverData(HANDLE printer, LPCSTR name, DWORD* type, void* buffer, DWORD size, DWORD* needed) {
    if (IsPseudoPrinter(printer)) return ERROR_FILE_NOT_FOUND;
    DWORD ignored = 0;
    return RetrySpoolerCall([&] {
        return GetPrinterDataA(printer, const_cast<LPSTR>(name), type, static_cast<BYTE*>(buffer), size,
                               needed ? needed : &ignored);
    });
}

DWORD SetPrinterDriverData(HANDLE printer, LPCSTR name, DWORD type, const void* data, DWORD size) {
    if (IsPseudoPrinter(printer)) return ERROR_ACCESS_DENIED;
    return RetrySpoolerCall([&] {
        // The spooler only reads the data; its signature predates const.
        return SetPrinterDataA(printer, const_cast<LPSTR>(name), type, static_cast<BYTE*>(const_cast<void*>(data)),
                               size);
    });
}

BOOL ReadPrinterString(HANDLE printer, LPCSTR name, char* buffer, DWORD size, LPCSTR fallback) {
    if (!buffer || !size) return FALSE;
    std::vector<char> text(size);
    DWORD type = 0, got = 0;
    if (GetPrinterDriverData(printer, name, &type, text.data(), size, &got) == ERROR_SUCCESS && type == REG_SZ &&
        got <= size) {
        // A stored text may lack its terminator; it fits only when there is room to add one.
        size_t length = strnlen(text.data(), got);
        if (length < size) {
            std::memcpy(buffer, text.data(), length);
            buffer[length] = '\0';
            return TRUE;
        }
    }
    CopyFallback(buffer, size, fallback);
    return FALSE;
}

BOOL WritePrinterStringId8(HANDLE printer, LPCSTR name, LPCSTR text) {
    if (!text) return FALSE;
    return SetPrinterDriverData(printer, name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1)) ==
           ERROR_SUCCESS;
}

DWORD GetPrinterDword(HANDLE printer, LPCSTR name, DWORD fallback) {
    DWORD type = 0, value = 0, got = 0;
    if (GetPrinterDriverData(printer, name, &type, &value, sizeof value, &got) != ERROR_SUCCESS) return fallback;
    return type == REG_DWORD && got == sizeof value ? value : fallback;
}

BOOL SetPrinterDword(HANDLE printer, LPCSTR name, DWORD value) {
    return SetPrinterDriverData(printer, name, REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

DWORD GetPrinterDwordKey(HANDLE printer, HKEY root, LPCSTR path, LPCSTR name, DWORD fallback, DWORD pseudoItem) {
    if (IsPseudoPrinter(printer)) {
        DWORD value = 0;
        return PseudoPrinterGetData(printer, pseudoItem, &value, sizeof value) ? value : fallback;
    }
    return RegQueryDword(root, path, name, fallback);
}
