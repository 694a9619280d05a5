// Translation of host errno values into the Win32 error codes that GetLastError reports.
#pragma once

#include <windows.h>

#include <sys/stat.h>

#include <cerrno>
#include <new>
#include <string>

namespace kernel {

inline DWORD ErrorFromErrno(int e) {
    switch (e) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES: case EPERM: case EROFS: case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC: case EDQUOT: return ERROR_DISK_FULL;
    case EMFILE: case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY: case ETXTBSY: return ERROR_SHARING_VIOLATION;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_GEN_FAILURE;
    }
}

inline void SetLastErrorFromErrno() { SetLastError(ErrorFromErrno(errno)); }

// The code for a host path that does not exist: the file is missing, or already its folder.
inline DWORD MissingError(const std::string& hostPath) {
    struct stat st;
    std::string parent = hostPath.substr(0, hostPath.rfind('/'));
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// Runs the body of a Win32 call whose work grows with its input; an allocation failure becomes
// ERROR_NOT_ENOUGH_MEMORY and the call's failure value, so no exception leaves the call.
template <class R, class Body>
R NoThrow(R failure, Body&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (...) {
        SetLastError(ERROR_GEN_FAILURE);
    }
    return failure;
}

}  // namespace kernel
