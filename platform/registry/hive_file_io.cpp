// File helpers of the hive: stamps, whole and partial reads, appends that leave no half record,
// and whole-file replacement through a uniquely named temporary file.
#include "platform/registry/hive_file_io.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace registry {

namespace {

FileStamp FromStat(const struct stat& st) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.mode = st.st_mode;
    stamp.owner = st.st_uid;
    stamp.group = st.st_gid;
    stamp.links = st.st_nlink;
    return stamp;
}

bool WriteAll(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Syncs the folder, so that the rename itself survives a crash of the machine.
void SyncFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileStamp StampOfPath(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? FromStat(st) : FileStamp{};
}

FileStamp StampOfFile(int fd) {
    struct stat st;
    return fd >= 0 && ::fstat(fd, &st) == 0 ? FromStat(st) : FileStamp{};
}

bool ReadWholeFile(const std::string& path, std::string& text, bool& missing, HiveError& error) {
    missing = false;
    text.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            missing = true;
            return true;
        }
        error = {0, "cannot open " + path + ": " + std::strerror(errno), {}};
        return false;
    }
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = {0, "cannot read " + path + ": " + std::strerror(errno), {}};
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        text.append(buf, static_cast<size_t>(n));
        if (text.size() > kMaxHiveFileSize) break;  // the reader refuses it; no need for the rest
    }
    ::close(fd);
    return true;
}

bool ReadFileRange(int fd, off_t from, off_t to, std::string& text) {
    text.assign(static_cast<size_t>(to - from), '\0');
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::pread(fd, text.data() + done, text.size() - done, from + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            text.resize(done);  // the file shrank under us: what was read is still true
            return n == 0;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

int AppendWhole(int fd, off_t end, std::string_view text) {
    if (WriteAll(fd, text)) return 0;
    int error = errno;
    while (::ftruncate(fd, end) != 0 && errno == EINTR) {
    }
    return error;
}

namespace {
std::string TemporaryPrefix(const std::string& path) { return path + ".tmp-"; }
}  // namespace

void RemoveLeftoverTemporaries(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    std::string prefix = TemporaryPrefix(path).substr(slash == std::string::npos ? 0 : slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

int ReplaceFile(const std::string& path, std::string_view text) {
    static std::atomic<unsigned> counter{0};
    FileStamp old = StampOfPath(path);
    if (old.ReadOnly()) return EACCES;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = TemporaryPrefix(path) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    bool ok = WriteAll(fd, text);
    if (ok && old.exists) {
        // The new file takes the place of the old one with its mode and, where we may, its owner.
        ok = ::fchmod(fd, old.mode & 07777) == 0;
        if (ok && (old.owner != ::geteuid() || old.group != ::getegid())) (void)!::fchown(fd, old.owner, old.group);
    }
    ok = ok && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return error ? error : EIO;
    }
    SyncFolderOf(path);
    return 0;
}

}  // namespace registry
