// OpenPrinterA and ClosePrinter: a handle names a printer key of the registry, found without
// regard to case; a pseudo-printer context may be closed like a handle and stays its owner's.
#include "platform/spooler/fault_injection.h"
#include "platform/spooler/printer_keys.h"

using namespace spooler;

extern "C" BOOL WINAPI OpenPrinterA(LPSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSA /*pDefault*/) {
    if (FailsNow("OpenPrinterA")) {
        if (phPrinter) *phPrinter = nullptr;
        return FALSE;
    }
    if (!phPrinter) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *phPrinter = nullptr;
    std::string name;
    if (!pPrinterName || !CanonicalPrinterName(pPrinterName, name)) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    *phPrinter = NewPrinterHandle(name);
    return TRUE;
}

extern "C" BOOL WINAPI ClosePrinter(HANDLE hPrinter) {
    if (FailsNow("ClosePrinter")) return FALSE;
    if (ClosePrinterHandle(hPrinter)) return TRUE;
    if (Classify(hPrinter, nullptr) == HandleKind::Pseudo) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
