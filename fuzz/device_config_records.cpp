// Fuzz target of the configuration block's parser: the input's first byte is the record count,
// the rest the flat attribute list exactly as long as the input gives it. Every field read back
// must come out terminated and within its capacity.
#include "device/config/device_config_block.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint32_t count = data[0];
    std::vector<uint8_t> list(data + 1, data + size);  // exactly sized, so a read past it is caught
    auto block = std::make_unique<DeviceConfigBlock>();
    ParseDeviceInfoRecords(block.get(), list.empty() ? nullptr : list.data(), list.size(), count);
    for (uint32_t id : {kAttrEngineVersion, 0x3000001u, 0x3000016u, 0x4000111u, 0x40075u, 0x70000002u}) {
        if (ConfigCount(*block, id) > 8) std::abort();
        for (uint32_t i = 0; i < 8; ++i)
            if (std::strlen(ConfigText(*block, id, i)) >= kConfigTextField) std::abort();
        (void)ConfigNumber(*block, id, 3);
    }
    return 0;
}
