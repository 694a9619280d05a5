// GetPrinterDriverA (levels 1 to 3) and GetPrinterDriverDirectoryA: the driver named by the
// printer's "Printer Driver" value, its files given as full paths in the driver folder.
#include "platform/spooler/fault_injection.h"
#include "platform/spooler/info_packer.h"
#include "platform/spooler/printer_keys.h"

#include <cstring>
#include <strings.h>
#include <vector>

using namespace spooler;

namespace {

struct DriverRecord {
    std::string name, driverPath, dataFile, configFile, helpFile, dependentFiles, monitor, datatype;
    DWORD version = 0;
};

// A file name of the driver key as a full path; names that carry their folder stay as they are.
std::string InDriverFolder(const std::string& file) {
    if (file.empty() || file.find('\\') != std::string::npos || file.find(':') != std::string::npos) return file;
    return std::string(kDriverDirectory) + "\\" + file;
}

// "Dependent Files": a list of names, each made a full path, ending in an empty name.
std::string DependentFiles(const RegKey& key) {
    std::vector<BYTE> data;
    std::string list;
    if (key.Read("Dependent Files", data)) {
        std::string raw(data.begin(), data.end());
        for (size_t start = 0; start < raw.size();) {
            size_t end = raw.find('\0', start);
            if (end == std::string::npos) end = raw.size();
            if (end == start) break;
            list += InDriverFolder(raw.substr(start, end - start));
            list.push_back('\0');
            start = end + 1;
        }
    }
    list.push_back('\0');
    return list;
}

bool LoadDriver(const std::string& printer, DriverRecord& r) {
    RegKey printerKey, driverKey;
    if (!OpenPrinterKey(printer, printerKey)) return false;
    r.name = printerKey.String("Printer Driver");
    if (!OpenDriverKey(r.name, driverKey)) return false;
    r.version = driverKey.Dword("Version", 0);
    r.driverPath = InDriverFolder(driverKey.String("Driver"));
    r.dataFile = InDriverFolder(driverKey.String("Data File"));
    r.configFile = InDriverFolder(driverKey.String("Configuration File"));
    r.helpFile = InDriverFolder(driverKey.String("Help File"));
    r.dependentFiles = DependentFiles(driverKey);
    r.monitor = driverKey.String("Monitor");
    r.datatype = driverKey.String("Datatype");
    return true;
}

void Pack(DWORD level, const DriverRecord& r, InfoPacker& p) {
    if (level == 1) {
        DRIVER_INFO_1A info{};
        info.pName = p.String(r.name);
        p.Put(0, info);
        return;
    }
    DRIVER_INFO_3A info{};
    info.cVersion = r.version;
    info.pName = p.String(r.name);
    info.pEnvironment = p.String(kEnvironment);
    info.pDriverPath = p.String(r.driverPath);
    info.pDataFile = p.String(r.dataFile);
    info.pConfigFile = p.String(r.configFile);
    if (level == 2) {
        DRIVER_INFO_2A two{};
        std::memcpy(&two, &info, sizeof two);  // level 2 is the head of level 3
        p.Put(0, two);
        return;
    }
    info.pHelpFile = p.String(r.helpFile);
    info.pDependentFiles = p.List(r.dependentFiles);
    info.pMonitorName = p.String(r.monitor);
    info.pDefaultDataType = p.String(r.datatype);
    p.Put(0, info);
}

bool KnownEnvironment(LPCSTR environment) { return !environment || strcasecmp(environment, kEnvironment) == 0; }

}  // namespace

static_assert(offsetof(DRIVER_INFO_3A, pConfigFile) == offsetof(DRIVER_INFO_2A, pConfigFile));

extern "C" BOOL WINAPI GetPrinterDriverA(HANDLE hPrinter, LPSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo,
                                         DWORD cbBuf, LPDWORD pcbNeeded) {
    if (FailsNow("GetPrinterDriverA")) return FALSE;
    if (!pcbNeeded) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string printer;
    switch (Classify(hPrinter, &printer)) {
        case HandleKind::Invalid: SetLastError(ERROR_INVALID_HANDLE); return FALSE;
        case HandleKind::Pseudo: SetLastError(ERROR_NOT_SUPPORTED); return FALSE;
        case HandleKind::Printer: break;
    }
    if (Level < 1 || Level > 3) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    if (!KnownEnvironment(pEnvironment)) {
        SetLastError(ERROR_INVALID_ENVIRONMENT);
        return FALSE;
    }
    DriverRecord record;
    if (!LoadDriver(printer, record)) return FALSE;
    size_t fixed = Level == 1 ? sizeof(DRIVER_INFO_1A) : Level == 2 ? sizeof(DRIVER_INFO_2A) : sizeof(DRIVER_INFO_3A);
    InfoPacker measure(nullptr, fixed);
    Pack(Level, record, measure);
    *pcbNeeded = static_cast<DWORD>(measure.Size());
    if (!pDriverInfo || cbBuf < measure.Size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    InfoPacker write(pDriverInfo, fixed);
    Pack(Level, record, write);
    return TRUE;
}

extern "C" BOOL WINAPI GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD Level,
                                                  LPBYTE pDriverDirectory, DWORD cbBuf, LPDWORD pcbNeeded) {
    if (FailsNow("GetPrinterDriverDirectoryA")) return FALSE;
    if (!pcbNeeded) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (Level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    if ((pName && *pName) || !KnownEnvironment(pEnvironment)) {
        SetLastError(pName && *pName ? ERROR_INVALID_NAME : ERROR_INVALID_ENVIRONMENT);
        return FALSE;
    }
    std::string folder = kDriverDirectory;
    *pcbNeeded = static_cast<DWORD>(folder.size() + 1);
    if (!pDriverDirectory || cbBuf < folder.size() + 1) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(pDriverDirectory, folder.c_str(), folder.size() + 1);
    return TRUE;
}
