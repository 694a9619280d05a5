// Fuzz target of the driver data file parser: any bytes, as given and again with the header
// checksum made to agree (so that the fuzzer reaches the record walks), must be refused or
// parsed into a file whose every list, sub-list, text and item reads inside its bounds.
#include "fuzz/datafile_harness.h"
#include "core/datafile/device_data_layout.h"

#include <cstdint>

namespace {

void Exercise(const DeviceData& data) {
    volatile uint32_t sink = 0;
    for (const devicedata::ListInfo& info : devicedata::Lists()) {
        const DeviceList list = data.ListAt(info.handleOffset);
        for (uint32_t i = 0; i < list.count; ++i) {
            uint16_t id = 0;
            list.Entry(i).u16(info.idOffset, id);
            sink = sink + id;
            if (!info.subHandleOffset) continue;
            const DeviceList sub = data.SubList(list, i, info.subHandleOffset);
            for (uint32_t k = 0; k < sub.count; ++k) sink = sink + sub.Entry(k).data()[sub.entrySize - 1];
        }
    }
    for (const devicedata::TextInfo& text : devicedata::Texts())
        if (const char* t = data.TextAt(text.handleOffset)) sink = sink + static_cast<uint8_t>(t[0]);
    sink = sink + static_cast<uint8_t>(data.ModelBlockB()[0]) + static_cast<uint32_t>(data.ModelBlockA().size());
    uint8_t buffer[64];
    for (uint32_t id = 2061; id <= 2065; ++id) sink = sink + data.ItemSize(id) + data.ReadItem(id, buffer, sizeof buffer);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CreatePrivateHeap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    fuzzdata::ParseAsFuzzed(bytes, size, true, [](DeviceData& data) { Exercise(data); });
    return 0;
}
