// The data-item cursor of request kind 7: thin slots over DeviceData's item table. Release
// gives the file's use back to the cache, which frees the file when it was the last.
#include "core/datafile/data_item_cursor.h"

#include "core/datafile/data_file_cache.h"
#include "core/memory/private_heap.h"

namespace {

void Release(DataItemCursor* self) {
    if (!self) return;
    ReleaseDeviceData(self->data);
    PrivateFree(self);
}

UINT ItemSize(DataItemCursor* self, UINT id) { return self && self->data ? self->data->ItemSize(id) : 0; }

UINT ReadItem(DataItemCursor* self, UINT id, void* destination, UINT size) {
    return self && self->data ? self->data->ReadItem(id, destination, size) : 0;
}

constexpr DataItemCursorOps kOps = {Release, ItemSize, ItemSize, ReadItem, ReadItem};

}  // namespace

DataItemCursor* OpenDataItemCursor(DeviceData* data) {
    if (!data) return nullptr;
    auto* cursor = static_cast<DataItemCursor*>(PrivateAlloc(sizeof(DataItemCursor)));
    if (!cursor) return nullptr;
    cursor->ops = &kOps;
    cursor->data = data;
    AddDeviceDataUse(data);
    return cursor;
}
