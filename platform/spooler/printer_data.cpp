// GetPrinterDataA and SetPrinterDataA: the values of the printer's "PrinterDriverData" key.
// Through a pseudo-printer context reads find nothing and writes are refused, writing nothing.
#include "platform/spooler/fault_injection.h"
#include "platform/spooler/printer_keys.h"

#include <cstring>

using namespace spooler;

namespace {

// The printer's name, or the error to answer for the handle.
DWORD PrinterOf(HANDLE handle, std::string& name, DWORD pseudoError) {
    switch (Classify(handle, &name)) {
        case HandleKind::Printer: return ERROR_SUCCESS;
        case HandleKind::Pseudo: return pseudoError;
        case HandleKind::Invalid: break;
    }
    return ERROR_INVALID_HANDLE;
}

DWORD Answer(DWORD error) {
    SetLastError(error);
    return error;
}

}  // namespace

extern "C" DWORD WINAPI GetPrinterDataA(HANDLE hPrinter, LPSTR pValueName, LPDWORD pType, LPBYTE pData,
                                        DWORD nSize, LPDWORD pcbNeeded) {
    DWORD error = 0;
    if (InjectedFault("GetPrinterDataA", error)) return Answer(error);
    if (!pcbNeeded || (!pData && nSize)) return Answer(ERROR_INVALID_PARAMETER);
    std::string name;
    if (DWORD rc = PrinterOf(hPrinter, name, ERROR_FILE_NOT_FOUND)) return Answer(rc);
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, std::string(kPrintersKey) + "\\" + name + "\\" + kDriverDataKey))
        return Answer(ERROR_FILE_NOT_FOUND);
    DWORD type = 0, size = 0;
    if (LONG rc = RegQueryValueExA(key.Get(), pValueName, nullptr, &type, nullptr, &size))
        return Answer(static_cast<DWORD>(rc));
    *pcbNeeded = size;
    if (pType) *pType = type;
    if (nSize < size) return Answer(ERROR_MORE_DATA);
    DWORD got = nSize;
    if (LONG rc = RegQueryValueExA(key.Get(), pValueName, nullptr, &type, pData, &got)) {
        if (rc == ERROR_MORE_DATA) *pcbNeeded = got;  // grew since it was measured
        return Answer(static_cast<DWORD>(rc));
    }
    *pcbNeeded = got;
    return ERROR_SUCCESS;
}

extern "C" DWORD WINAPI SetPrinterDataA(HANDLE hPrinter, LPSTR pValueName, DWORD Type, LPBYTE pData,
                                        DWORD cbData) {
    DWORD error = 0;
    if (InjectedFault("SetPrinterDataA", error)) return Answer(error);
    std::string name;
    if (DWORD rc = PrinterOf(hPrinter, name, ERROR_ACCESS_DENIED)) return Answer(rc);
    if (!pData && cbData) return Answer(ERROR_INVALID_PARAMETER);
    RegKey printer, data;
    if (!OpenPrinterKey(name, printer)) return Answer(ERROR_INVALID_PRINTER_NAME);  // deleted meanwhile
    if (LONG rc = data.Create(printer.Get(), kDriverDataKey)) return Answer(static_cast<DWORD>(rc));
    LONG rc = RegSetValueExA(data.Get(), pValueName, 0, Type, pData, cbData);
    return rc ? Answer(static_cast<DWORD>(rc)) : ERROR_SUCCESS;
}
