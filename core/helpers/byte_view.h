// Checked little-endian access to bytes that came from outside the process (device modes,
// registry values, files). Every read states its offset and width and fails instead of reading
// past the end, so a short or forged buffer is refused, never overrun.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteView {
public:
    ByteView() = default;
    ByteView(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(data ? size : 0) {}

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

    // True when [offset, offset + length) lies inside the view; immune to overflow.
    bool contains(size_t offset, size_t length) const { return offset <= size_ && length <= size_ - offset; }

    bool u8(size_t offset, uint8_t& out) const { return read(offset, out); }
    bool u16(size_t offset, uint16_t& out) const { return read(offset, out); }
    bool u32(size_t offset, uint32_t& out) const { return read(offset, out); }
    // The value at offset, or 0 when it does not lie inside: for fields whose absence reads as 0.
    uint8_t u8_or_zero(size_t offset) const { return or_zero<uint8_t>(offset); }
    uint16_t u16_or_zero(size_t offset) const { return or_zero<uint16_t>(offset); }
    uint32_t u32_or_zero(size_t offset) const { return or_zero<uint32_t>(offset); }
    bool s16(size_t offset, int16_t& out) const {
        uint16_t raw;
        if (!read(offset, raw)) return false;
        out = static_cast<int16_t>(raw);
        return true;
    }
    bool s32(size_t offset, int32_t& out) const {
        uint32_t raw;
        if (!read(offset, raw)) return false;
        out = static_cast<int32_t>(raw);
        return true;
    }
    // Copies length bytes at offset into out; nothing is written when they do not all lie inside.
    bool bytes(size_t offset, void* out, size_t length) const {
        if (!contains(offset, length)) return false;
        if (length) std::memcpy(out, data_ + offset, length);
        return true;
    }
    // The sub-view [offset, offset + length), or an empty view when it does not lie inside.
    ByteView sub(size_t offset, size_t length) const {
        return contains(offset, length) ? ByteView(data_ + offset, length) : ByteView();
    }

private:
    template <typename T>
    T or_zero(size_t offset) const {
        T value = 0;
        read(offset, value);
        return value;
    }
    template <typename T>
    bool read(size_t offset, T& out) const {
        if (!contains(offset, sizeof(T))) return false;
        T value = 0;
        // On a little-endian host the stored order is the host's, and one copy is one load.
        if constexpr (std::endian::native == std::endian::little)
            std::memcpy(&value, data_ + offset, sizeof(T));
        else
            for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(static_cast<T>(data_[offset + i]) << (8 * i));
        out = value;
        return true;
    }

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

// The writing side: the same checks, for building bytes that will leave the process.
class MutableByteView : public ByteView {
public:
    MutableByteView() = default;
    MutableByteView(void* data, size_t size) : ByteView(data, size), out_(data ? static_cast<uint8_t*>(data) : nullptr) {}

    uint8_t* data() const { return out_; }

    bool put_u8(size_t offset, uint8_t value) { return write(offset, value); }
    bool put_u16(size_t offset, uint16_t value) { return write(offset, value); }
    bool put_u32(size_t offset, uint32_t value) { return write(offset, value); }
    bool put_s16(size_t offset, int16_t value) { return write(offset, static_cast<uint16_t>(value)); }
    bool put_s32(size_t offset, int32_t value) { return write(offset, static_cast<uint32_t>(value)); }
    bool put_bytes(size_t offset, const void* in, size_t length) {
        if (!contains(offset, length)) return false;
        if (length) std::memmove(out_ + offset, in, length);
        return true;
    }
    bool fill(size_t offset, uint8_t value, size_t length) {
        if (!contains(offset, length)) return false;
        if (length) std::memset(out_ + offset, value, length);
        return true;
    }

private:
    template <typename T>
    bool write(size_t offset, T value) {
        if (!contains(offset, sizeof(T))) return false;
        if constexpr (std::endian::native == std::endian::little)
            std::memcpy(out_ + offset, &value, sizeof(T));
        else
            for (size_t i = 0; i < sizeof(T); ++i) out_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
        return true;
    }

    uint8_t* out_ = nullptr;
};
