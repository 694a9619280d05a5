// Reading a printer's key into a record and laying the record out as PRINTER_INFO_1A, _2A or
// _5A in the caller's buffer.
#include "platform/spooler/printer_record.h"

#include "platform/spooler/printer_keys.h"

namespace spooler {

std::vector<BYTE> CheckedDevmode(const std::vector<BYTE>& stored) {
    constexpr size_t kSizeFields = offsetof(DEVMODEA, dmDriverExtra) + sizeof(WORD);
    if (stored.size() < kSizeFields) return {};
    size_t size = stored[36] | stored[37] << 8;
    size_t extra = stored[38] | stored[39] << 8;
    if (size < kSizeFields || size + extra > stored.size()) return {};
    return std::vector<BYTE>(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(size + extra));
}

bool LoadPrinterRecord(const std::string& name, PrinterRecord& r) {
    RegKey key;
    if (!OpenPrinterKey(name, key)) return false;
    r.name = name;
    r.shareName = key.String("Share Name");
    r.port = key.String("Port");
    r.driver = key.String("Printer Driver");
    r.comment = key.String("Comment");
    r.location = key.String("Location");
    r.sepFile = key.String("Separator File");
    r.printProcessor = key.String("Print Processor", "WinPrint");
    r.datatype = key.String("Datatype", "RAW");
    r.parameters = key.String("Parameters");
    std::vector<BYTE> stored;
    r.devmode = key.Read("Default DevMode", stored) ? CheckedDevmode(stored) : std::vector<BYTE>();
    r.attributes = key.Dword("Attributes", PRINTER_ATTRIBUTE_LOCAL);
    r.priority = key.Dword("Priority", 1);
    r.defaultPriority = key.Dword("Default Priority", 0);
    r.startTime = key.Dword("StartTime", 0);
    r.untilTime = key.Dword("UntilTime", 0);
    r.status = key.Dword("Status", 0);
    r.deviceNotSelectedTimeout = key.Dword("DNSTimeout", 15000);
    r.transmissionRetryTimeout = key.Dword("TXTimeout", 45000);
    return true;
}

bool IsPrinterInfoLevel(DWORD level) { return level == 1 || level == 2 || level == 5; }

size_t PrinterInfoSize(DWORD level) {
    switch (level) {
        case 1: return sizeof(PRINTER_INFO_1A);
        case 2: return sizeof(PRINTER_INFO_2A);
        default: return sizeof(PRINTER_INFO_5A);
    }
}

void PackPrinterInfo(DWORD level, const PrinterRecord& r, InfoPacker& p, size_t index) {
    if (level == 1) {
        constexpr DWORD kEnumIcon8 = 0x00800000;  // the icon of a local printer
        PRINTER_INFO_1A info{};
        info.Flags = kEnumIcon8;
        info.pDescription = p.String(r.name + "," + r.driver + "," + r.location);
        info.pName = p.String(r.name);
        info.pComment = p.String(r.comment);
        p.Put(index, info);
    } else if (level == 2) {
        PRINTER_INFO_2A info{};
        info.pPrinterName = p.String(r.name);
        info.pShareName = p.String(r.shareName);
        info.pPortName = p.String(r.port);
        info.pDriverName = p.String(r.driver);
        info.pComment = p.String(r.comment);
        info.pLocation = p.String(r.location);
        if (!r.devmode.empty())
            info.pDevMode = static_cast<LPDEVMODEA>(p.Bytes(r.devmode.data(), r.devmode.size(), alignof(DEVMODEA)));
        info.pSepFile = p.String(r.sepFile);
        info.pPrintProcessor = p.String(r.printProcessor);
        info.pDatatype = p.String(r.datatype);
        info.pParameters = p.String(r.parameters);
        info.Attributes = r.attributes;
        info.Priority = r.priority;
        info.DefaultPriority = r.defaultPriority;
        info.StartTime = r.startTime;
        info.UntilTime = r.untilTime;
        info.Status = r.status;
        p.Put(index, info);
    } else {
        PRINTER_INFO_5A info{};
        info.pPrinterName = p.String(r.name);
        info.pPortName = p.String(r.port);
        info.Attributes = r.attributes;
        info.DeviceNotSelectedTimeout = r.deviceNotSelectedTimeout;
        info.TransmissionRetryTimeout = r.transmissionRetryTimeout;
        p.Put(index, info);
    }
}

}  // namespace spooler
