// File handles: CreateFileA with its creation dispositions, sharing and delete-on-close, and
// the calls on an open handle (ReadFile, WriteFile, SetFilePointer, GetFileSize, GetFileTime).
#include "platform/kernel/file_object.h"

#include "platform/kernel/file_sharing.h"
#include "platform/kernel/file_time.h"
#include "platform/kernel/host_error.h"
#include "platform/kernel/path_map.h"

#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

namespace kernel {

FileObject::~FileObject() {
    close(fd_);
    ReleaseShare(ticket_);
}

namespace {

bool ParentExists(const std::string& hostPath) {
    struct stat st;
    std::string parent = hostPath.substr(0, hostPath.rfind('/'));
    return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ReadOnly(const struct stat& st) { return !(st.st_mode & S_IWUSR); }

std::shared_ptr<FileObject> FileOf(HANDLE h) {
    auto file = ReferenceHandleAs<FileObject>(h);
    if (!file) SetLastError(ERROR_INVALID_HANDLE);
    return file;
}

// Opens the host file, creating it when the disposition allows; existed tells whether it was
// there before. Truncation waits until sharing has been checked.
int OpenHost(const std::string& host, DWORD disposition, int mode, DWORD attributes, bool& existed) {
    bool mayCreate = disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    mode_t perms = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (disposition != CREATE_NEW) {
            int fd = open(host.c_str(), mode | O_CLOEXEC);
            if (fd >= 0 || errno != ENOENT || !mayCreate) {
                existed = fd >= 0;
                return fd;
            }
        }
        int fd = open(host.c_str(), mode | O_CREAT | O_EXCL | O_CLOEXEC, perms);
        if (fd >= 0 || errno != EEXIST || disposition == CREATE_NEW) {
            existed = fd < 0;
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

}  // namespace kernel

extern "C" HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                                     LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/,
                                     DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes,
                                     HANDLE /*hTemplateFile*/) {
    using namespace kernel;
    if (!lpFileName || dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING ||
        (dwCreationDisposition == TRUNCATE_EXISTING && !(dwDesiredAccess & GENERIC_WRITE))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    std::string host;
    if (!MapPath(lpFileName, host)) return INVALID_HANDLE_VALUE;

    struct stat st;
    bool exists = stat(host.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        SetLastError(dwCreationDisposition == CREATE_NEW ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (!exists && !ParentExists(host)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    bool deleteOnClose = dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE;
    bool truncates = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    // The host lets root write anything; the read-only attribute must hold all the same.
    if (exists && ReadOnly(st) && ((dwDesiredAccess & GENERIC_WRITE) || truncates || deleteOnClose)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }

    int mode = (dwDesiredAccess & GENERIC_WRITE) ? ((dwDesiredAccess & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    if (truncates && mode == O_RDONLY) mode = O_RDWR;
    bool existed = false;
    int fd = OpenHost(host, dwCreationDisposition, mode, dwFlagsAndAttributes, existed);
    if (fd < 0) {
        DWORD error = ErrorFromErrno(errno);
        if (errno == EEXIST) error = ERROR_FILE_EXISTS;
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    uint64_t ticket = 0;
    if (fstat(fd, &st) != 0 ||
        !AcquireShare(st, host, dwDesiredAccess, dwShareMode, deleteOnClose, ticket)) {
        if (GetLastError() != ERROR_SHARING_VIOLATION) SetLastErrorFromErrno();
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    std::shared_ptr<FileObject> file;
    try {
        file = std::make_shared<FileObject>(fd, dwDesiredAccess, ticket);
    } catch (const std::bad_alloc&) {
        close(fd);
        ReleaseShare(ticket);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    if (existed && truncates && (ftruncate(fd, 0) != 0 ||
                                 ((dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) && fchmod(fd, 0444) != 0))) {
        SetLastErrorFromErrno();
        return INVALID_HANDLE_VALUE;
    }
    HANDLE h = InsertHandle(std::move(file));
    if (!h) return INVALID_HANDLE_VALUE;
    bool reportsExisting = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(existed && reportsExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return h;
}

extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
                                LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    using namespace kernel;
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    auto file = FileOf(hFile);
    if (!file) return FALSE;
    if (lpOverlapped || !lpNumberOfBytesRead) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!(file->access() & GENERIC_READ)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!lpBuffer && nNumberOfBytesToRead) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    std::lock_guard guard(file->lock());
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t n = read(file->fd(), static_cast<BYTE*>(lpBuffer) + done, nNumberOfBytesToRead - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *lpNumberOfBytesRead = done;
            SetLastError(ERROR_READ_FAULT);
            return FALSE;
        }
        if (n == 0) break;  // end of file: success with what was read
        done += static_cast<DWORD>(n);
    }
    *lpNumberOfBytesRead = done;
    return TRUE;
}

extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    using namespace kernel;
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    auto file = FileOf(hFile);
    if (!file) return FALSE;
    if (lpOverlapped || !lpNumberOfBytesWritten) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!(file->access() & GENERIC_WRITE)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!lpBuffer && nNumberOfBytesToWrite) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    std::lock_guard guard(file->lock());
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t n = write(file->fd(), static_cast<const BYTE*>(lpBuffer) + done, nNumberOfBytesToWrite - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            *lpNumberOfBytesWritten = done;
            SetLastError(n < 0 && (errno == ENOSPC || errno == EDQUOT) ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
            return FALSE;
        }
        done += static_cast<DWORD>(n);
    }
    *lpNumberOfBytesWritten = done;
    return TRUE;
}

extern "C" DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                                       DWORD dwMoveMethod) {
    using namespace kernel;
    auto file = FileOf(hFile);
    if (!file) return INVALID_SET_FILE_POINTER;
    int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR
                 : dwMoveMethod == FILE_END ? SEEK_END : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // Without the high word the distance is a signed 32-bit number; with it, a signed 64-bit one.
    int64_t distance = lpDistanceToMoveHigh
                           ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                                                  static_cast<uint32_t>(lDistanceToMove))
                           : lDistanceToMove;
    std::lock_guard guard(file->lock());
    off_t base = whence == SEEK_SET ? 0 : lseek(file->fd(), 0, whence);
    if (base < 0 || (distance < 0 && distance < -static_cast<int64_t>(base))) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    if (distance > 0 && base > INT64_MAX - distance) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    int64_t target = base + distance;
    // A position past 4 GB cannot be reported without the high word.
    if (!lpDistanceToMoveHigh && target > 0xFFFFFFFFLL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(file->fd(), target, SEEK_SET) < 0) {
        SetLastErrorFromErrno();
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(target >> 32);
    // A caller tells a low word of 0xFFFFFFFF from a failure by the last error.
    if (static_cast<DWORD>(target) == INVALID_SET_FILE_POINTER) SetLastError(NO_ERROR);
    return static_cast<DWORD>(target);
}

extern "C" DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    using namespace kernel;
    auto file = FileOf(hFile);
    struct stat st;
    if (!file) return INVALID_FILE_SIZE;
    if (fstat(file->fd(), &st) != 0) {
        SetLastErrorFromErrno();
        return INVALID_FILE_SIZE;
    }
    uint64_t size = static_cast<uint64_t>(st.st_size);
    if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    if (static_cast<DWORD>(size) == INVALID_FILE_SIZE) SetLastError(NO_ERROR);
    return static_cast<DWORD>(size);
}

extern "C" BOOL WINAPI GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                                   LPFILETIME lpLastWriteTime) {
    using namespace kernel;
    auto file = FileOf(hFile);
    struct stat st;
    if (!file) return FALSE;
    if (fstat(file->fd(), &st) != 0) {
        SetLastErrorFromErrno();
        return FALSE;
    }
    // The host keeps no creation time; the status-change time is the closest: a copy gets a new
    // one while keeping the original's write time, as a copy does on the original.
    if (lpCreationTime) *lpCreationTime = FileTimeOf(st.st_ctim);
    if (lpLastAccessTime) *lpLastAccessTime = FileTimeOf(st.st_atim);
    if (lpLastWriteTime) *lpLastWriteTime = FileTimeOf(st.st_mtim);
    return TRUE;
}
