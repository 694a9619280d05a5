// The system's folders, the current directory, temporary file names and full path names.
// The Windows, system and temporary folders are fixed places under the root folder.
#include "platform/kernel/host_error.h"
#include "platform/kernel/path_map.h"
#include "platform/kernel/string_out.h"

#include <windows.h>

#include <sys/stat.h>

#include <cstdio>

extern "C" UINT WINAPI GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return kernel::CopyOut(kernel::kSystemFolder, lpBuffer, uSize);
}

extern "C" UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return kernel::CopyOut(kernel::kWindowsFolder, lpBuffer, uSize);
}

extern "C" DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    return kernel::CopyOut(kernel::CurrentDirectory(), lpBuffer, nBufferLength);
}

extern "C" BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    std::string full, host;
    if (!lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!kernel::FullWindowsPath(lpPathName, full) || !kernel::MapPath(full, host)) return FALSE;
    struct stat st;
    if (stat(host.c_str(), &st) != 0) {
        SetLastError(kernel::MissingError(host));
        return FALSE;
    }
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    kernel::SetCurrentDirectoryPath(full);
    return TRUE;
}

extern "C" DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    // The host's TMP and TEMP name host folders, so the system's own temporary folder is used.
    std::string path(kernel::kTempFolder);
    path += '\\';
    return kernel::CopyOut(path, lpBuffer, nBufferLength);
}

extern "C" UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique,
                                        LPSTR lpTempFileName) {
    if (!lpPathName || !lpTempFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string folder = lpPathName, host;
    if (!kernel::MapPath(folder, host)) return 0;
    struct stat st;
    if (stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return 0;
    }
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    if (lpPrefixString) folder.append(lpPrefixString, strnlen(lpPrefixString, 3));
    auto nameFor = [&folder](UINT unique) {
        char number[8];
        std::snprintf(number, sizeof number, "%X", unique & 0xFFFF);
        return folder + number + ".TMP";
    };
    auto deliver = [lpTempFileName](const std::string& name) {
        if (name.size() >= MAX_PATH) {
            SetLastError(ERROR_BUFFER_OVERFLOW);
            return false;
        }
        std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
        return true;
    };
    if (uUnique != 0) return deliver(nameFor(uUnique)) ? uUnique : 0;
    // Numbers are tried from the clock on; the first whose file can be created is taken.
    UINT start = GetTickCount() & 0xFFFF;
    for (UINT i = 0; i < 0xFFFF; ++i) {
        UINT unique = (start + i) % 0xFFFF + 1;
        std::string name = nameFor(unique);
        if (name.size() >= MAX_PATH) return deliver(name) ? unique : 0;
        HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            return deliver(name) ? unique : 0;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return 0;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

extern "C" DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart) {
    std::string full;
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!kernel::FullWindowsPath(lpFileName, full)) return 0;
    std::string_view given = lpFileName;
    bool folderForm = !given.empty() && (given.back() == '\\' || given.back() == '/') && full.size() > 3;
    if (folderForm) full += '\\';
    DWORD result = kernel::CopyOut(full, lpBuffer, nBufferLength);
    if (lpFilePart && result < nBufferLength) {
        size_t start = kernel::FileNameStart(full);
        *lpFilePart = start < full.size() ? lpBuffer + start : nullptr;
    }
    return result;
}

extern "C" DWORD WINAPI GetShortPathNameA(LPCSTR lpszLongPath, LPSTR lpszShortPath, DWORD cchBuffer) {
    // Names are kept long on this file system, as on one without short names: the answer is
    // the path as given, once it is known to exist.
    std::string host;
    if (!lpszLongPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!kernel::MapPath(lpszLongPath, host)) return 0;
    struct stat st;
    if (stat(host.c_str(), &st) != 0) {
        SetLastError(kernel::MissingError(host));
        return 0;
    }
    return kernel::CopyOut(lpszLongPath, lpszShortPath, cchBuffer);
}
