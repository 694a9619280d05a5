// SetPrinterA: level 0 pauses and resumes the printer (it has no queue to purge), level 2
// rewrites the printer's settings in its key; a printer cannot be renamed this way.
#include "platform/spooler/fault_injection.h"
#include "platform/spooler/printer_keys.h"
#include "platform/spooler/printer_record.h"

#include <cstring>
#include <strings.h>
#include <vector>

using namespace spooler;

namespace {

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

LONG WriteStatus(const std::string& printer, DWORD command, LPBYTE data) {
    RegKey key;
    if (!OpenPrinterKey(printer, key)) return ERROR_INVALID_PRINTER_NAME;
    DWORD status = key.Dword("Status", 0);
    switch (command) {
        case PRINTER_CONTROL_PAUSE: status |= PRINTER_STATUS_PAUSED; break;
        case PRINTER_CONTROL_RESUME: status &= ~DWORD(PRINTER_STATUS_PAUSED); break;
        case PRINTER_CONTROL_PURGE: return ERROR_SUCCESS;
        case PRINTER_CONTROL_SET_STATUS:
            if (!data) return ERROR_INVALID_PARAMETER;
            std::memcpy(&status, data, sizeof status);
            break;
        default: return ERROR_INVALID_PRINTER_COMMAND;
    }
    return key.SetDword("Status", status);
}

LONG WriteLevel2(const std::string& printer, const PRINTER_INFO_2A& info) {
    if (info.pPrinterName && strcasecmp(info.pPrinterName, printer.c_str()) != 0) return ERROR_NOT_SUPPORTED;
    std::vector<BYTE> devmode;
    if (info.pDevMode) {
        const DEVMODEA& dm = *info.pDevMode;
        if (dm.dmSize < offsetof(DEVMODEA, dmDriverExtra) + sizeof(WORD)) return ERROR_INVALID_PARAMETER;
        auto* bytes = reinterpret_cast<const BYTE*>(info.pDevMode);
        devmode.assign(bytes, bytes + dm.dmSize + dm.dmDriverExtra);
    }
    RegKey key;
    if (!OpenPrinterKey(printer, key)) return ERROR_INVALID_PRINTER_NAME;
    struct Text {
        const char* name;
        LPSTR value;
    };
    for (Text t : {Text{"Share Name", info.pShareName}, Text{"Port", info.pPortName},
                   Text{"Printer Driver", info.pDriverName}, Text{"Comment", info.pComment},
                   Text{"Location", info.pLocation}, Text{"Separator File", info.pSepFile},
                   Text{"Print Processor", info.pPrintProcessor}, Text{"Datatype", info.pDatatype},
                   Text{"Parameters", info.pParameters}}) {
        if (t.value)
            if (LONG rc = key.SetString(t.name, t.value)) return rc;
    }
    struct Word {
        const char* name;
        DWORD value;
    };
    for (Word w : {Word{"Attributes", info.Attributes}, Word{"Priority", info.Priority},
                   Word{"Default Priority", info.DefaultPriority}, Word{"StartTime", info.StartTime},
                   Word{"UntilTime", info.UntilTime}}) {
        if (LONG rc = key.SetDword(w.name, w.value)) return rc;
    }
    if (!devmode.empty())
        return RegSetValueExA(key.Get(), "Default DevMode", 0, REG_BINARY, devmode.data(),
                              static_cast<DWORD>(devmode.size()));
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI SetPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD Command) {
    if (FailsNow("SetPrinterA")) return FALSE;
    std::string printer;
    switch (Classify(hPrinter, &printer)) {
        case HandleKind::Invalid: return Fail(ERROR_INVALID_HANDLE);
        case HandleKind::Pseudo: return Fail(ERROR_ACCESS_DENIED);
        case HandleKind::Printer: break;
    }
    LONG rc;
    if (Level == 0) {
        rc = WriteStatus(printer, Command, pPrinter);
    } else if (Level == 2) {
        if (!pPrinter || Command) return Fail(ERROR_INVALID_PARAMETER);
        PRINTER_INFO_2A info;
        std::memcpy(&info, pPrinter, sizeof info);
        rc = WriteLevel2(printer, info);
    } else {
        return Fail(ERROR_INVALID_LEVEL);
    }
    return rc ? Fail(static_cast<DWORD>(rc)) : TRUE;
}
