// A printer's settings as its registry key holds them, read at once so that measuring and
// filling a caller's buffer see the same values, and laid out at each information level.
#pragma once

#include "platform/spooler/info_packer.h"

#include <string>
#include <vector>

namespace spooler {

struct PrinterRecord {
    std::string name, shareName, port, driver, comment, location, sepFile, printProcessor, datatype, parameters;
    std::vector<BYTE> devmode;  // "Default DevMode", empty when missing or malformed
    DWORD attributes = 0, priority = 1, defaultPriority = 0, startTime = 0, untilTime = 0, status = 0;
    DWORD deviceNotSelectedTimeout = 15000, transmissionRetryTimeout = 45000;
};

// Reads the printer's key (the name as its key spells it); false with the last error set.
bool LoadPrinterRecord(const std::string& name, PrinterRecord& record);

// Levels GetPrinterA and EnumPrintersA answer.
bool IsPrinterInfoLevel(DWORD level);
size_t PrinterInfoSize(DWORD level);
void PackPrinterInfo(DWORD level, const PrinterRecord& record, InfoPacker& packer, size_t index);

// The part of a stored device mode that its own size fields describe, or nothing when they do
// not fit the stored bytes.
std::vector<BYTE> CheckedDevmode(const std::vector<BYTE>& stored);

}  // namespace spooler
