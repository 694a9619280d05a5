// The cache of parsed driver data files, shared for the life of the process: ten entries, each
// a file by its full path with the uses handed out. Printers that name the same file share one
// parsed copy; the copy is freed when its last user releases it. DllMain clears the cache on
// attach and frees what it holds on detach. Every operation runs under the core lock.
#pragma once

#include "core/datafile/data_file_parser.h"

#include <windows.h>

inline constexpr int kDataFileCacheEntries = 10;

void ClearDataFileCache();
void FreeDataFileCache();

// The parsed file at that path with one more use, loaded when no entry holds it; null with the
// reason in `error` when it cannot be loaded. When all ten entries are taken the file is handed
// out uncached (freed at its last release) rather than refused.
DeviceData* AcquireDeviceData(LPCSTR windowsPath, DataFileError& error);
void AddDeviceDataUse(DeviceData* data);
// Gives a use back; the last one frees the file and its cache entry.
void ReleaseDeviceData(DeviceData* data);

// The number of entries holding a file (for tests and diagnostics).
int CachedDataFileCount();
