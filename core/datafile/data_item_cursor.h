// The interface over the data items of a driver data file that `UiServiceTable::Query` hands
// out for request kind 7: a record whose first word is its table of operations, each taking
// the record first. It holds a use of the parsed file until it is released.
#pragma once

#include "core/datafile/device_data.h"

#include <windows.h>

struct DataItemCursor;

// Slots in order. Slots 1 and 2 both give an item's size and slots 3 and 4 both read it: the
// rule program calls slots 2 and 4, the settings summary and the stored-item readers slots 1
// and 3, so the table answers both.
struct DataItemCursorOps {
    void (*Release)(DataItemCursor* self);
    UINT (*ItemSize)(DataItemCursor* self, UINT id);
    UINT (*ItemSizeAt2)(DataItemCursor* self, UINT id);
    UINT (*ReadItem)(DataItemCursor* self, UINT id, void* destination, UINT size);
    UINT (*ReadItemAt4)(DataItemCursor* self, UINT id, void* destination, UINT size);
};

struct DataItemCursor {
    const DataItemCursorOps* ops;
    DeviceData* data;
};

// A cursor from the private heap over the file's items (size 0 when absent; read copies at most
// size bytes and answers the number copied), or null when the heap refuses or data is null.
DataItemCursor* OpenDataItemCursor(DeviceData* data);
