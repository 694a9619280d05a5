// The process-wide cache of parsed driver data files. Entries are keyed by the file's full
// path in upper case, as the file system compares names; the uses live in the parsed file.
#include "core/datafile/data_file_cache.h"

#include "core/datafile/data_file_loader.h"
#include "core/library/locks.h"
#include "core/library/scoped_lock.h"

#include <cstring>

namespace {

struct Entry {
    char path[MAX_PATH];
    DeviceData* data;
};

Entry g_entries[kDataFileCacheEntries];

bool CacheKey(LPCSTR windowsPath, char (&key)[MAX_PATH]) {
    LPSTR filePart = nullptr;
    const DWORD n = GetFullPathNameA(windowsPath, MAX_PATH, key, &filePart);
    if (n == 0 || n >= MAX_PATH) return false;
    for (DWORD i = 0; i < n; ++i)
        if (key[i] >= 'a' && key[i] <= 'z') key[i] = static_cast<char>(key[i] - 'a' + 'A');
    return true;
}

Entry* EntryOf(const DeviceData* data) {
    for (Entry& entry : g_entries)
        if (entry.data == data) return &entry;
    return nullptr;
}

}  // namespace

void ClearDataFileCache() { std::memset(g_entries, 0, sizeof g_entries); }

void FreeDataFileCache() {
    for (Entry& entry : g_entries) {
        FreeDeviceData(entry.data);
        entry = {};
    }
}

DeviceData* AcquireDeviceData(LPCSTR windowsPath, DataFileError& error) {
    error = {};
    char key[MAX_PATH];
    if (!windowsPath || !CacheKey(windowsPath, key)) {
        std::strcpy(error.text, "the data file's path is not a valid path");
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ScopedLock lock(g_coreLock);
    for (Entry& entry : g_entries) {
        if (entry.data && std::strcmp(entry.path, key) == 0) {
            entry.data->AddUse();
            return entry.data;
        }
    }
    DeviceData* data = LoadDataFile(key, error);
    if (!data) return nullptr;
    if (Entry* free = EntryOf(nullptr)) {
        std::memcpy(free->path, key, sizeof key);
        free->data = data;
    }
    return data;
}

void AddDeviceDataUse(DeviceData* data) {
    if (!data) return;
    ScopedLock lock(g_coreLock);
    data->AddUse();
}

void ReleaseDeviceData(DeviceData* data) {
    if (!data) return;
    ScopedLock lock(g_coreLock);
    if (!data->DropUse()) return;
    if (Entry* entry = EntryOf(data)) *entry = {};
    FreeDeviceData(data);
}

int CachedDataFileCount() {
    ScopedLock lock(g_coreLock);
    int n = 0;
    for (const Entry& entry : g_entries) n += entry.data != nullptr;
    return n;
}
