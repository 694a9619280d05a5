// Accessors of the parsed driver data file: handles become bounded views, items are found by
// binary search over their sorted table.
#include "core/datafile/device_data.h"

#include "core/memory/private_heap.h"

#include <algorithm>
#include <cstring>

// A handle resolves only to a block of the kind its place implies: a record's list handle to a
// list, an entry's to a sub-list, so bytes misread as a handle cannot reach another block.
DeviceList DeviceData::Resolve(uint32_t handle, BlockKind kind) const {
    if (handle == 0 || handle > blockCount_) return {};
    const Block& block = blocks_[handle - 1];
    if (block.kind != kind) return {};
    return {bytes_ + block.offset, block.count, block.entrySize};
}

DeviceList DeviceData::List(uint32_t handle) const { return Resolve(handle, BlockKind::List); }

DeviceList DeviceData::ListAt(size_t handleOffset) const {
    uint32_t handle = 0;
    return Record().u32(handleOffset, handle) ? List(handle) : DeviceList{};
}

DeviceList DeviceData::SubList(const DeviceList& list, uint32_t i, size_t handleOffsetInEntry) const {
    uint32_t handle = 0;
    return list.Entry(i).u32(handleOffsetInEntry, handle) ? Resolve(handle, BlockKind::SubList) : DeviceList{};
}

const char* DeviceData::Text(uint32_t handle) const {
    if (handle == 0 || handle > blockCount_ || blocks_[handle - 1].kind != BlockKind::Text) return nullptr;
    return reinterpret_cast<const char*>(bytes_ + blocks_[handle - 1].offset);
}

const char* DeviceData::TextAt(size_t handleOffset) const {
    uint32_t handle = 0;
    return Record().u32(handleOffset, handle) ? Text(handle) : nullptr;
}

uint32_t DeviceData::ItemSize(uint32_t id) const {
    const Item* end = items_ + itemCount_;
    const Item* it = std::lower_bound(items_, end, id, [](const Item& item, uint32_t key) { return item.id < key; });
    return it != end && it->id == id ? it->span.size : 0;
}

uint32_t DeviceData::ReadItem(uint32_t id, void* destination, uint32_t size) const {
    if (!destination) return 0;
    const Item* end = items_ + itemCount_;
    const Item* it = std::lower_bound(items_, end, id, [](const Item& item, uint32_t key) { return item.id < key; });
    if (it == end || it->id != id) return 0;
    const uint32_t n = std::min(size, it->span.size);
    if (n) std::memcpy(destination, bytes_ + it->span.offset, n);
    return n;
}

void FreeDeviceData(DeviceData* data) {
    if (!data) return;
    data->~DeviceData();
    PrivateFree(data);
}
