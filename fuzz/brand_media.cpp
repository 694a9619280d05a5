// Fuzz target of the brand media the device reports: the input is a run of 292-byte device
// entries (the last one possibly cut short) turned into media records, which the paper rules then
// search for every group and medium the input names. Nothing may be read past the entries.
#include "device/config/brand_media.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint32_t count = data[0];
    std::vector<uint8_t> entries(data + 1, data + size);
    BrandMediaList list;
    BrandMediaFromDevice(entries.empty() ? nullptr : entries.data(), entries.size(), count, list);
    if (list.count > kBrandMediaLimit || list.records.size() != list.count) std::abort();
    for (const MediaRecord& r : list.records) {
        if (std::strlen(r.name) >= sizeof r.name) std::abort();
        for (uint16_t model : {2059, 2065, 2069, 2071, 2073, 2076})
            (void)IsOptionAllowed(list.records.data(), list.records.size(), model, r.groupKey, r.mediaId, 9);
    }
    return 0;
}
