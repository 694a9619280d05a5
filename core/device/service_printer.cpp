// The service table's operations about the printer: its name, handle and driver folder, the
// values of its driver data, the system's version, and pseudo-printer contexts. A pseudo-printer
// context has no registry behind it; the printer-value helpers answer for it as they document.
#include "core/device/core_context.h"
#include "core/system/printer_values.h"
#include "core/memory/private_heap.h"
#include "core/device/service_ops.h"
#include "core/system/spooler_retry.h"
#include "platform/spooler/pseudo_printer.h"

namespace service {

LPCSTR GetPrinterName(UIDEVDATA* ctx) {
    CoreContext* context = Context(ctx);
    return context ? context->printerName.c_str() : nullptr;
}

HANDLE GetPrinterHandle(UIDEVDATA* ctx) { return ctx ? ctx->printerHandle : nullptr; }

HANDLE GetHeap(UIDEVDATA* ctx) { return ctx ? g_hHeap : nullptr; }

LPCSTR GetDriverDirectory(UIDEVDATA* ctx) {
    CoreContext* context = Context(ctx);
    return context ? CoreDriverDirectory(*context).c_str() : nullptr;
}

BOOL GetPrinter(UIDEVDATA* ctx, HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
    if (!ctx) return FALSE;
    const DWORD rc = RetrySpoolerCall([&] { return SpoolerResult(GetPrinterA(printer, level, buffer, size, needed)); });
    SetLastError(rc);
    return rc == ERROR_SUCCESS;
}

DWORD SetPrinterData(UIDEVDATA* ctx, HANDLE printer, LPCSTR name, DWORD type, const void* data, DWORD size) {
    return ctx ? SetPrinterDriverData(printer, name, type, data, size) : ERROR_INVALID_HANDLE;
}

DWORD GetPrinterData(UIDEVDATA* ctx, HANDLE printer, LPCSTR name, DWORD* type, void* buffer, DWORD size,
                     DWORD* needed) {
    return ctx ? GetPrinterDriverData(printer, name, type, buffer, size, needed) : ERROR_INVALID_HANDLE;
}

BOOL WritePrinterStringId8(UIDEVDATA* ctx, LPCSTR name, LPCSTR text) {
    return ctx && ::WritePrinterStringId8(ctx->printerHandle, name, text);
}

BOOL ReadPrinterString(UIDEVDATA* ctx, LPCSTR name, LPSTR buffer, DWORD size, LPCSTR fallback) {
    if (!ctx) {
        if (buffer && size) *buffer = 0;
        return FALSE;
    }
    return ::ReadPrinterString(ctx->printerHandle, name, buffer, size, fallback);
}

BOOL SetPrinterDword(UIDEVDATA* ctx, LPCSTR name, DWORD value) {
    return ctx && ::SetPrinterDword(ctx->printerHandle, name, value);
}

DWORD GetPrinterDword(UIDEVDATA* ctx, LPCSTR name, DWORD fallback) {
    return ctx ? ::GetPrinterDword(ctx->printerHandle, name, fallback) : fallback;
}

DWORD GetPrinterDwordKey(UIDEVDATA* ctx, HANDLE printer, HKEY root, LPCSTR path, LPCSTR name, DWORD fallback,
                         DWORD pseudoItem) {
    return ctx ? ::GetPrinterDwordKey(printer, root, path, name, fallback, pseudoItem) : fallback;
}

BOOL GetWindowsVersion(UIDEVDATA* ctx, OSVERSIONINFOA* info) {
    return ctx && info && GetVersionExA(info);
}

BOOL IsPseudoPrinter(UIDEVDATA* ctx, HANDLE handle) { return ctx && ::IsPseudoPrinter(handle); }

DWORD PseudoPrinterGetField8(UIDEVDATA* ctx, HANDLE handle) { return ctx ? ::PseudoPrinterGetField8(handle) : 0; }

BOOL PseudoPrinterSetData(UIDEVDATA* ctx, HANDLE handle, DWORD slot, const void* data, DWORD size) {
    return ctx && ::PseudoPrinterSetData(handle, slot, data, size);
}

BOOL PseudoPrinterGetData(UIDEVDATA* ctx, HANDLE handle, DWORD slot, void* buffer, DWORD size) {
    return ctx && ::PseudoPrinterGetData(handle, slot, buffer, size);
}

BOOL PseudoPrinterSetField24(UIDEVDATA* ctx, HANDLE handle, DWORD value) {
    if (!ctx || !::IsPseudoPrinter(handle)) return FALSE;
    ::PseudoPrinterSetField24(handle, value);
    return TRUE;
}

}  // namespace service
