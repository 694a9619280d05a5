// A checked little-endian reader over bytes from outside (resource files, dialog templates):
// every read says whether it fitted, so a short or forged input is refused instead of overrun.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace res {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t offset() const { return offset_; }
    size_t size() const { return size_; }
    size_t remaining() const { return size_ - offset_; }
    const uint8_t* here() const { return data_ + offset_; }

    bool seek(size_t offset) {
        if (offset > size_) return false;
        offset_ = offset;
        return true;
    }
    bool skip(size_t count) { return count <= remaining() && seek(offset_ + count); }
    // Moves to the next multiple of the alignment (counted from the start of the bytes).
    bool align(size_t alignment) {
        size_t pad = (alignment - offset_ % alignment) % alignment;
        return skip(pad);
    }

    bool u8(uint8_t& out) { return read(out, 1); }
    bool u16(uint16_t& out) { return read(out, 2); }
    bool u32(uint32_t& out) { return read(out, 4); }
    bool i16(int16_t& out) {
        uint16_t v;
        if (!u16(v)) return false;
        out = static_cast<int16_t>(v);
        return true;
    }

    // A zero-terminated UTF-16 string, narrowed to the system code page (Windows-1252).
    bool wideString(std::string& out);

private:
    template <typename T>
    bool read(T& out, size_t width) {
        if (width > remaining()) return false;
        uint64_t v = 0;
        for (size_t i = 0; i < width; ++i) v |= static_cast<uint64_t>(data_[offset_ + i]) << (8 * i);
        out = static_cast<T>(v);
        offset_ += width;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

// One UTF-16 unit in the system code page (Windows-1252); '?' where it has no character.
char NarrowChar(uint16_t unit);

}  // namespace res
