// The unit tables of the wide models (a device whose units stand side by side: side deck,
// printer, decks, puncher, finisher): for each unit, whether the device-option data installs it,
// which paper source it is, its picture, the frame that marks it selected, its clickable part and
// the room it takes. The device page and the pop-up device dialog draw these models from them.
#pragma once

#include "core/helpers/byte_view.h"
#include "preview/picture_layer.h"

#include <windows.h>

struct DeviceUnit {
    bool (*installed)(const ByteView& options);  // null: always there
    bool (*selected)(int source);                // null: the unit is no paper source
    PictureLayer layer;                          // flags 0: drawn as part of another unit
    PictureLayer highlight;                      // flags 0: none
    uint16_t partFlags;                          // 0: not clickable
    RECT part;
    uint16_t partValue;
    int16_t width;  // the room the installed unit takes to its right; 0 for a unit drawn in place
};

struct DeviceUnitTable {
    const char* code;
    const DeviceUnit* units;
    int count;
    int popupDown;  // how far the pop-up draws the device below its top
};

// The table of a model picture's code; null for a model drawn by the picture table's layout.
const DeviceUnitTable* DeviceUnitsOf(const char* code);
bool UnitInstalled(const DeviceUnit& unit, const ByteView& options);
// The width of the device as the options install it.
int DeviceUnitsWidth(const DeviceUnitTable& table, const ByteView& options);
