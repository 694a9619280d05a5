// Installing a file by a temporary and a rename: the comparison that skips an identical copy, the
// copy into a temporary of a name no other installer uses, and the clean-up of dead installers'
// temporaries.
#include "tools/install_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kTemporaryMark = ".install-";

// Closes a descriptor on every path.
struct Fd {
    int fd = -1;
    explicit Fd(int value) : fd(value) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

bool ReadAll(int fd, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// True when the file at `path` holds exactly the bytes of the open source.
bool SameBytes(int source, const struct stat& sourceStat, const std::string& path) {
    Fd target(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat targetStat;
    if (target.fd < 0 || ::fstat(target.fd, &targetStat) != 0 || targetStat.st_size != sourceStat.st_size ||
        !S_ISREG(targetStat.st_mode))
        return false;
    std::vector<char> a(1 << 20), b(1 << 20);
    for (off_t at = 0; at < sourceStat.st_size;) {
        const size_t chunk = static_cast<size_t>(std::min<off_t>(sourceStat.st_size - at, static_cast<off_t>(a.size())));
        if (::pread(source, a.data(), chunk, at) != static_cast<ssize_t>(chunk) ||
            !ReadAll(target.fd, b.data(), chunk) || std::memcmp(a.data(), b.data(), chunk) != 0)
            return false;
        at += static_cast<off_t>(chunk);
    }
    return true;
}

// Removes the temporaries of `to` whose installer no longer runs (the process id is in the name).
void RemoveDeadTemporaries(const std::string& to) {
    const size_t slash = to.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : to.substr(0, slash);
    const std::string prefix = (slash == std::string::npos ? to : to.substr(slash + 1)) + std::string(kTemporaryMark);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) continue;
        const long pid = std::strtol(entry->d_name + prefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

std::string Reason(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

}  // namespace

std::string InstallFile(const std::string& from, const std::string& to) {
    Fd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat sourceStat;
    if (source.fd < 0 || ::fstat(source.fd, &sourceStat) != 0) return Reason("cannot read", from);
    RemoveDeadTemporaries(to);
    if (SameBytes(source.fd, sourceStat, to)) return {};
    static unsigned counter = 0;
    const std::string temporary = to + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, sourceStat.st_mode & 0777);
    if (fd < 0) return Reason("cannot create", temporary);
    bool ok = true;
    std::vector<char> buffer(1 << 20);
    for (off_t at = 0; ok && at < sourceStat.st_size;) {
        const size_t chunk = static_cast<size_t>(std::min<off_t>(sourceStat.st_size - at, static_cast<off_t>(buffer.size())));
        ok = ::pread(source.fd, buffer.data(), chunk, at) == static_cast<ssize_t>(chunk) && WriteAll(fd, buffer.data(), chunk);
        at += static_cast<off_t>(chunk);
    }
    // The file takes its place only whole: synced first, so that a crash cannot leave it empty.
    ok = ok && ::fchmod(fd, sourceStat.st_mode & 0777) == 0 && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) error = errno, ok = false;
    if (ok && std::rename(temporary.c_str(), to.c_str()) != 0) error = errno, ok = false;
    if (ok) return {};
    ::unlink(temporary.c_str());
    errno = error;
    return Reason("cannot write", to);
}
