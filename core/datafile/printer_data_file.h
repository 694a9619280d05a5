// The data file of a printer: the driver its "Printer Driver" value names, whose "Data File"
// value names the file (GetPrinterDriverA gives it as a full path in the driver folder), parsed
// through the cache so that printers of one driver share it.
#pragma once

#include "core/datafile/data_file_cache.h"

#include <windows.h>

// The printer's data file with one more use, or null with the reason in `error`.
DeviceData* AcquirePrinterDeviceData(HANDLE printer, DataFileError& error);

// Loads the printer's data file into `slot` on the first call, under the core lock, and
// answers the same record on every later call; the slot holds one use until the owner gives it
// back with ReleaseDeviceData. Null, with the reason in `error`, while it cannot be loaded.
DeviceData* LoadDeviceDataOnce(DeviceData*& slot, HANDLE printer, DataFileError& error);
