// GetPrinterA and EnumPrintersA: the printers of the registry at levels 1, 2 and 5, measured
// first, written only into a buffer large enough (else ERROR_INSUFFICIENT_BUFFER with the size
// needed).
#include "platform/spooler/fault_injection.h"
#include "platform/spooler/printer_keys.h"
#include "platform/spooler/printer_record.h"

#include <vector>

using namespace spooler;

namespace {

// Measures, then writes when the buffer is large enough. Sets the last error on failure.
BOOL Deliver(DWORD level, const std::vector<PrinterRecord>& records, LPBYTE buffer, DWORD cbBuf,
             LPDWORD pcbNeeded) {
    size_t fixed = records.size() * PrinterInfoSize(level);
    InfoPacker measure(nullptr, fixed);
    for (size_t i = 0; i < records.size(); ++i) PackPrinterInfo(level, records[i], measure, i);
    if (measure.Size() > 0xFFFFFFFFu) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    *pcbNeeded = static_cast<DWORD>(measure.Size());
    if (measure.Size() > cbBuf || (!buffer && measure.Size())) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    InfoPacker write(buffer, fixed);
    for (size_t i = 0; i < records.size(); ++i) PackPrinterInfo(level, records[i], write, i);
    return TRUE;
}

// The printers the flags ask for, in the registry's order.
std::vector<std::string> SelectPrinters(DWORD flags, LPCSTR name) {
    std::vector<std::string> names;
    RegKey printers;
    if (printers.Open(HKEY_LOCAL_MACHINE, kPrintersKey) != ERROR_SUCCESS) return names;
    bool local = (flags & PRINTER_ENUM_LOCAL) || ((flags & PRINTER_ENUM_NAME) && (!name || !*name));
    if (local) {
        char sub[MAX_PATH];
        for (DWORD i = 0;; ++i) {
            LONG rc = RegEnumKeyA(printers.Get(), i, sub, sizeof sub);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS) break;
            names.push_back(sub);
        }
    } else if (flags & PRINTER_ENUM_DEFAULT) {
        std::string canonical;
        if (CanonicalPrinterName(printers.String("Default"), canonical)) names.push_back(canonical);
    }
    return names;
}

}  // namespace

extern "C" BOOL WINAPI GetPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded) {
    if (FailsNow("GetPrinterA")) return FALSE;
    if (!pcbNeeded) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string name;
    switch (Classify(hPrinter, &name)) {
        case HandleKind::Invalid: SetLastError(ERROR_INVALID_HANDLE); return FALSE;
        case HandleKind::Pseudo: SetLastError(ERROR_NOT_SUPPORTED); return FALSE;
        case HandleKind::Printer: break;
    }
    if (!IsPrinterInfoLevel(Level)) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    std::vector<PrinterRecord> records(1);
    if (!LoadPrinterRecord(name, records[0])) return FALSE;
    return Deliver(Level, records, pPrinter, cbBuf, pcbNeeded);
}

extern "C" BOOL WINAPI EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf,
                                     LPDWORD pcbNeeded, LPDWORD pcReturned) {
    if (FailsNow("EnumPrintersA")) return FALSE;
    if (!pcbNeeded || !pcReturned) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pcReturned = 0;
    if (!IsPrinterInfoLevel(Level)) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    std::vector<PrinterRecord> records;
    for (const std::string& name : SelectPrinters(Flags, Name)) {
        PrinterRecord record;
        if (LoadPrinterRecord(name, record)) records.push_back(std::move(record));
    }
    if (!Deliver(Level, records, pPrinterEnum, cbBuf, pcbNeeded)) return FALSE;
    *pcReturned = static_cast<DWORD>(records.size());
    return TRUE;
}
