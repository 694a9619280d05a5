// Lays out what GetPrinterA, EnumPrintersA and GetPrinterDriverA return in the caller's buffer:
// the fixed structures first, then the strings and device modes they point to. A first pass
// without a buffer measures; the second writes, so a short buffer is never touched.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace spooler {

class InfoPacker {
public:
    // `fixedSize` bytes at the start hold the structures; variable data follows them.
    InfoPacker(BYTE* buffer, size_t fixedSize) : buffer_(buffer), end_(fixedSize) {}

    size_t Size() const { return end_; }

    LPSTR String(const std::string& text) { return static_cast<LPSTR>(Bytes(text.c_str(), text.size() + 1, 1)); }
    // A NUL-separated list already ending in its empty name.
    LPSTR List(const std::string& list) { return static_cast<LPSTR>(Bytes(list.data(), list.size(), 1)); }
    void* Bytes(const void* data, size_t size, size_t alignment) {
        end_ = (end_ + alignment - 1) / alignment * alignment;
        void* at = buffer_ ? buffer_ + end_ : nullptr;
        if (at && size) std::memcpy(at, data, size);
        end_ += size;
        return at;
    }
    // Copies a filled structure into slot `index` of the fixed part.
    template <class T>
    void Put(size_t index, const T& record) {
        if (buffer_) std::memcpy(buffer_ + index * sizeof(T), &record, sizeof(T));
    }

private:
    BYTE* buffer_;
    size_t end_;
};

}  // namespace spooler
