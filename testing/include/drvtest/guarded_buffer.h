// Test-only: a caller's buffer of exactly the size it was told, ending where an inaccessible page
// begins, so that a write or a read one byte past it stops the test in every build, with or
// without the sanitizers.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace drvtest {

class GuardedBuffer {
public:
    // `fill` is written over the whole buffer, so that a test can tell what a request wrote.
    explicit GuardedBuffer(size_t size, uint8_t fill = 0) : size_(size) {
        page_ = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        const size_t pages = (size + page_ - 1) / page_ + 1;
        length_ = pages * page_;
        void* map = mmap(nullptr, length_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (map == MAP_FAILED) return;
        base_ = static_cast<uint8_t*>(map);
        mprotect(base_ + length_ - page_, page_, PROT_NONE);
        data_ = base_ + length_ - page_ - size;
        std::memset(data_, fill, size);
    }
    ~GuardedBuffer() {
        if (base_) munmap(base_, length_);
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // Null when the pages could not be mapped.
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    size_t size_ = 0, page_ = 0, length_ = 0;
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
};

}  // namespace drvtest
