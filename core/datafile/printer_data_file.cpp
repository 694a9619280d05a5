// Finds a printer's data file through the spooler's driver information (level 2) and hands it
// to the cache.
#include "core/datafile/printer_data_file.h"

#include "core/library/locks.h"
#include "core/memory/private_heap.h"
#include "core/memory/spooler_query.h"
#include "core/library/scoped_lock.h"

#include <cstdio>
#include <cstring>

DeviceData* AcquirePrinterDeviceData(HANDLE printer, DataFileError& error) {
    error = {};
    // Room for the record and four full paths.
    constexpr DWORD kUsualRoom = sizeof(DRIVER_INFO_2A) + 4 * MAX_PATH;
    auto* info = static_cast<DRIVER_INFO_2A*>(QueryIntoPrivateHeap(
        [&](LPBYTE buffer, DWORD room, LPDWORD needed) { return GetPrinterDriverA(printer, nullptr, 2, buffer, room, needed); },
        kUsualRoom));
    if (!info) {
        const DWORD code = GetLastError();
        std::snprintf(error.text, sizeof error.text, "the printer's driver cannot be read (error %lu)", static_cast<unsigned long>(code));
        return nullptr;
    }
    DeviceData* data = nullptr;
    if (!info->pDataFile || !*info->pDataFile) {
        std::snprintf(error.text, sizeof error.text, "the printer's driver names no data file");
        error.noneNamed = true;
        SetLastError(ERROR_FILE_NOT_FOUND);
    } else {
        data = AcquireDeviceData(info->pDataFile, error);
    }
    PrivateFree(info);
    return data;
}

DeviceData* LoadDeviceDataOnce(DeviceData*& slot, HANDLE printer, DataFileError& error) {
    error = {};
    ScopedLock lock(g_coreLock);
    if (!slot) slot = AcquirePrinterDeviceData(printer, error);
    return slot;
}
