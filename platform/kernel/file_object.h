// The kernel object behind a file handle: the host descriptor, the access it was opened with
// and its entry in the open-file registry.
#pragma once

#include "platform/kernel/handle_table.h"

#include <windef.h>

#include <mutex>
#include <string>

namespace kernel {

class FileObject : public KernelObject {
public:
    FileObject(int fd, DWORD access, uint64_t shareTicket) : fd_(fd), access_(access), ticket_(shareTicket) {}
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int fd() const { return fd_; }
    DWORD access() const { return access_; }
    // Serialises the calls that move the file position.
    std::mutex& lock() { return lock_; }

private:
    int fd_;
    DWORD access_;
    uint64_t ticket_;
    std::mutex lock_;
};

}  // namespace kernel
