// The interface over the numbered data items of the driver data file, as the device-mode
// lifecycle needs it: the default device mode may come from item 2065. The data file implements
// it; without a data file the built-in defaults stand.
#pragma once

#include <cstdint>

class DataItemReader {
public:
    virtual ~DataItemReader() = default;
    // Size in bytes of an item, 0 when the file does not hold it.
    virtual uint32_t GetItemSize(uint32_t item) const = 0;
    // Copies the item into buffer, which holds size bytes; false when it is absent or larger.
    virtual bool ReadItem(uint32_t item, void* buffer, uint32_t size) const = 0;
};

inline constexpr uint32_t kDefaultDevmodeItem = 2065;
