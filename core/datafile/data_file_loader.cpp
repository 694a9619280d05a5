// Reads a data file whole into a private-heap buffer and parses it. The buffer is freed at once:
// the parsed file keeps its own copy of the bytes it needs.
#include "core/datafile/data_file_loader.h"

#include "core/datafile/data_file_format.h"
#include "core/memory/private_heap.h"

#include <cstdio>

namespace {

DeviceData* Refuse(DataFileError& error, DWORD code, const char* what, LPCSTR path) {
    std::snprintf(error.text, sizeof error.text, "%s %.260s (error %lu)", what, path, static_cast<unsigned long>(code));
    SetLastError(code);
    return nullptr;
}

}  // namespace

DeviceData* LoadDataFile(LPCSTR windowsPath, DataFileError& error) {
    error = {};
    if (!windowsPath || !*windowsPath) return Refuse(error, ERROR_INVALID_PARAMETER, "no data file named", "");
    HANDLE file = CreateFileA(windowsPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Refuse(error, GetLastError(), "cannot open", windowsPath);
    DWORD high = 0;
    const DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        const DWORD code = GetLastError();
        CloseHandle(file);
        return Refuse(error, code, "cannot size", windowsPath);
    }
    if (high != 0 || size > datafile::kMaxFileSize) {
        CloseHandle(file);
        return Refuse(error, ERROR_BAD_FORMAT, "too large to be a data file:", windowsPath);
    }
    auto* buffer = static_cast<BYTE*>(PrivateAlloc(size ? size : 1));
    if (!buffer) {
        CloseHandle(file);
        return Refuse(error, ERROR_NOT_ENOUGH_MEMORY, "no memory to read", windowsPath);
    }
    DWORD got = 0;
    const BOOL read = ReadFile(file, buffer, size, &got, nullptr);
    const DWORD readError = GetLastError();
    CloseHandle(file);
    if (!read || got != size) {
        PrivateFree(buffer);
        return Refuse(error, read ? ERROR_BAD_FORMAT : readError, "cannot read", windowsPath);
    }
    DeviceData* data = ParseDataFile(buffer, size, error);
    PrivateFree(buffer);
    if (!data) {
        char reason[sizeof error.text];
        std::snprintf(reason, sizeof reason, "%s", error.text);
        std::snprintf(error.text, sizeof error.text, "%.200s: %.190s", windowsPath, reason);
        SetLastError(ERROR_BAD_FORMAT);
    }
    return data;
}
