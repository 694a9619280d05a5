// `DeviceData`: the parsed driver data file of one device. It keeps the 2,736-byte device
// capability record byte-addressable at its fixed offsets, and where the record names a
// list or a text it holds a 32-bit handle that the accessors below resolve into a bounded view,
// so that no reader ever trusts a stored count or follows a stored address.
#pragma once

#include "core/helpers/byte_view.h"
#include "core/datafile/device_data_layout.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

class DeviceData;

// One list of the record: its entries, their count and their size, as the loader checked them.
struct DeviceList {
    const uint8_t* data = nullptr;
    uint32_t count = 0;
    uint32_t entrySize = 0;

    bool empty() const { return count == 0; }
    // Entry i, or an empty view when i is past the end.
    ByteView Entry(uint32_t i) const {
        return i < count ? ByteView(data + size_t{i} * entrySize, entrySize) : ByteView();
    }
};

class DeviceData {
public:
    // The device capability record (devicedata::kRecordSize bytes).
    ByteView Record() const { return ByteView(record_, sizeof record_); }
    uint16_t ModelCode() const { return modelCode_; }

    // Fields of the record by offset; 0 (or null) for an offset outside it. A text field is
    // always NUL-terminated inside its width: the loader keeps its last byte 0.
    uint16_t U16(size_t offset) const { return Read<uint16_t>(offset); }
    int16_t S16(size_t offset) const { return static_cast<int16_t>(Read<uint16_t>(offset)); }
    uint32_t U32(size_t offset) const { return Read<uint32_t>(offset); }
    const char* FieldText(size_t offset) const {
        return offset < sizeof record_ ? reinterpret_cast<const char*>(record_ + offset) : nullptr;
    }

    // The list a handle names; empty for 0 or a handle that names no list.
    DeviceList List(uint32_t handle) const;
    // The list whose handle the record holds at that offset.
    DeviceList ListAt(size_t handleOffset) const;
    // The sub-list of entry i of a list, whose handle the entry holds at that offset.
    DeviceList SubList(const DeviceList& list, uint32_t i, size_t handleOffsetInEntry) const;
    // The NUL-terminated text a handle names, or null.
    const char* Text(uint32_t handle) const;
    const char* TextAt(size_t handleOffset) const;

    // The model information blocks: A as bytes (empty when the file has none), B the name block,
    // a NUL-terminated text that begins with the language name ("PCL5e", "PCL5c").
    ByteView ModelBlockA() const { return ByteView(bytes_ + modelA_.offset, modelA_.size); }
    const char* ModelBlockB() const { return reinterpret_cast<const char*>(bytes_ + modelB_.offset); }

    // Data items by id: the size in bytes (0 when absent), and a copy of at most `size` bytes
    // into the destination (the number copied; 0 when absent or the destination is null).
    uint32_t ItemSize(uint32_t id) const;
    uint32_t ReadItem(uint32_t id, void* destination, uint32_t size) const;

    // Use counts, changed under the core lock: the cache and the data-item cursors hold uses.
    void AddUse() { ++uses_; }
    // True when that was the last use; the caller then frees the object (FreeDeviceData).
    bool DropUse() { return uses_ != 0 && --uses_ == 0; }
    uint32_t Uses() const { return uses_; }

private:
    friend class DeviceDataBuilder;

    template <typename T>
    T Read(size_t offset) const {
        T value = 0;
        if constexpr (sizeof(T) == 2) Record().u16(offset, value);
        else Record().u32(offset, value);
        return value;
    }

    struct Span {
        uint32_t offset = 0;
        uint32_t size = 0;
    };
    enum class BlockKind : uint8_t { List, SubList, Text };
    struct Block {
        uint32_t offset;  // in bytes_
        uint32_t count;   // entries; 0 for a text
        uint32_t entrySize;
        BlockKind kind;
    };

    DeviceList Resolve(uint32_t handle, BlockKind kind) const;
    struct Item {
        uint32_t id;
        Span span;
    };

    uint8_t record_[devicedata::kRecordSize] = {};
    uint16_t modelCode_ = 0;
    uint32_t uses_ = 0;
    Span modelA_;
    Span modelB_;
    const Block* blocks_ = nullptr;
    uint32_t blockCount_ = 0;
    const Item* items_ = nullptr;  // sorted by id
    uint32_t itemCount_ = 0;
    const uint8_t* bytes_ = nullptr;
    size_t byteCount_ = 0;
};

// Frees a parsed file (the object and everything it points to live in one private-heap block).
void FreeDeviceData(DeviceData* data);
