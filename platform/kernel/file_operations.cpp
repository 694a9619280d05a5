// Operations on files and folders by name: attributes, delete, copy, move, and creating and
// removing folders, with the original's error codes for each refusal.
#include "platform/kernel/file_object.h"
#include "platform/kernel/file_sharing.h"
#include "platform/kernel/host_error.h"
#include "platform/kernel/path_map.h"

#include <windows.h>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace kernel {

namespace {

// Maps the name and reads the host entry; false with the last error set when either fails.
bool StatName(LPCSTR name, std::string& host, struct stat& st) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (!MapPath(name, host)) return false;
    if (stat(host.c_str(), &st) != 0) {
        SetLastError(errno == ENOENT ? MissingError(host) : ErrorFromErrno(errno));
        return false;
    }
    return true;
}

bool CopyContents(HANDLE from, HANDLE to) {
    std::vector<BYTE> buffer(64 * 1024);
    for (;;) {
        DWORD got = 0, put = 0;
        if (!ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
        if (got == 0) return true;
        if (!WriteFile(to, buffer.data(), got, &put, nullptr)) return false;
    }
}

}  // namespace

}  // namespace kernel

extern "C" DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    std::string host;
    struct stat st;
    if (!kernel::StatName(lpFileName, host, st)) return INVALID_FILE_ATTRIBUTES;
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

extern "C" BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    std::string host;
    struct stat st;
    if (!kernel::StatName(lpFileName, host, st)) return FALSE;
    if (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!kernel::DeleteAllowed(st)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    if (unlink(host.c_str()) != 0) {
        kernel::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

static BOOL CopyFileABody(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    if (!lpExistingFileName || !lpNewFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HANDLE from = CreateFileA(lpExistingFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (from == INVALID_HANDLE_VALUE) return FALSE;
    auto source = kernel::ReferenceHandleAs<kernel::FileObject>(from);
    struct stat st;
    fstat(source->fd(), &st);
    HANDLE to = CreateFileA(lpNewFileName, GENERIC_WRITE, 0, nullptr, bFailIfExists ? CREATE_NEW : CREATE_ALWAYS,
                            0, nullptr);
    if (to == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        CloseHandle(from);
        SetLastError(error);
        return FALSE;
    }
    bool copied = kernel::CopyContents(from, to);
    DWORD error = GetLastError();
    auto target = kernel::ReferenceHandleAs<kernel::FileObject>(to);
    if (copied) {
        // The copy keeps the original's write time and read-only attribute.
        timespec times[2] = {st.st_atim, st.st_mtim};
        futimens(target->fd(), times);
        fchmod(target->fd(), st.st_mode & 07777);
    }
    target.reset();
    CloseHandle(from);
    CloseHandle(to);
    if (!copied) {
        DeleteFileA(lpNewFileName);  // no half-written copy is left behind
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    std::string from, to;
    struct stat st, existing;
    if (!kernel::StatName(lpExistingFileName, from, st)) return FALSE;
    if (!lpNewFileName || !kernel::MapPath(lpNewFileName, to)) {
        if (!lpNewFileName) SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (stat(to.c_str(), &existing) == 0) {
        std::string full;
        bool sameFile = existing.st_dev == st.st_dev && existing.st_ino == st.st_ino;
        if (!sameFile || !kernel::FullWindowsPath(lpNewFileName, full)) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return FALSE;
        }
        // A new spelling of the same name: the file takes the case it is given.
        to = to.substr(0, to.rfind('/') + 1) + full.substr(kernel::FileNameStart(full));
    }
    if (!S_ISDIR(st.st_mode) && !kernel::DeleteAllowed(st)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : kernel::ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
    std::string host;
    if (!lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!kernel::MapPath(lpPathName, host)) return FALSE;
    if (mkdir(host.c_str(), 0777) != 0) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : kernel::ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    std::string host, full;
    struct stat st;
    if (!kernel::StatName(lpPathName, host, st)) return FALSE;
    if (!S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    if (kernel::FullWindowsPath(lpPathName, full) && full.size() == 3) {
        SetLastError(ERROR_ACCESS_DENIED);  // a drive's root stays
        return FALSE;
    }
    if (rmdir(host.c_str()) != 0) {
        kernel::SetLastErrorFromErrno();
        return FALSE;
    }
    return TRUE;
}

extern "C" BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    return kernel::NoThrow<BOOL>(BOOL{FALSE}, [&] {
        return CopyFileABody(lpExistingFileName, lpNewFileName, bFailIfExists);
    });
}
