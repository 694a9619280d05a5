// Fuzz target of the readers of attribute records: records built from the input (ids from the
// ones the readers know, typed values with texts and structured bytes of any size) go through
// the device record's decoder, the query record's filler, the deep copy of a reply and the flat
// attribute block. Nothing may be read outside the values' own bytes.
#include "core/memory/private_heap.h"
#include "device/device_info_record.h"
#include "device/device_operations.h"
#include "device/device_query_record.h"
#include "device/reply_copies.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kIds[] = {209,       2228,      224,       240,       260,       0x40026,   0x40061,  0x30025,
                             0x3000001, 0x3000002, 0x400010A, 0x4000101, 0x70000012, 0x10001,  1664,     2058,
                             2296,      2085,      1016,      10601,     10911,     11806,     12506,    11608};

// A little reader over the input.
struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    std::vector<uint8_t> Bytes(size_t n) {
        n = std::min(n, size - at);
        std::vector<uint8_t> out(data + at, data + at + n);
        at += n;
        return out;
    }
    bool More() const { return at < size; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool heap = CreatePrivateHeap();
    if (!heap) return 0;
    Input in{data, size};
    std::vector<std::unique_ptr<std::vector<uint8_t>>> blocks;  // each value's bytes, exactly sized
    std::vector<std::vector<ZdsvValue>> values;
    std::vector<ZdsvAttribute> attributes;
    values.reserve(16);
    while (in.More() && attributes.size() < 16) {
        uint32_t id = kIds[in.Byte() % (sizeof kIds / sizeof kIds[0])];
        uint8_t count = in.Byte() % 12;
        bool nullValues = count == 11;
        values.emplace_back();
        for (uint8_t k = 0; k < count && !nullValues; ++k) {
            uint8_t type = in.Byte() % 4;
            ZdsvValue v{type, 0, 0};
            if (type == kZdsvNumber) {
                v.value = in.Byte();
            } else if (type == kZdsvText || type == kZdsvStructured) {
                size_t n = in.Byte() % 40;
                blocks.push_back(std::make_unique<std::vector<uint8_t>>(in.Bytes(n)));
                if (type == kZdsvText) blocks.back()->push_back(0);  // texts are terminated by contract
                v.size = static_cast<uint32_t>(blocks.back()->size());
                v.value = blocks.back()->empty() ? 0 : reinterpret_cast<uintptr_t>(blocks.back()->data());
            }
            values.back().push_back(v);
        }
        values.back().reserve(1);
        attributes.push_back({id, 0, 0, count, nullValues ? nullptr : values.back().data()});
        if (nullValues) attributes.back().count = 3;
    }
    if (attributes.empty()) return 0;

    auto record = std::make_unique<DeviceInfoRecord>();
    DevInfoClient_DecodeDeviceInfo(record.get(), static_cast<uint32_t>(attributes.size()), attributes.data());

    ZdsvAttributeGroup group{1, static_cast<uint32_t>(attributes.size()), attributes.data()};
    ZdsvGroupReply reply{0, 0, 1, &group};
    void* copy = DevInfoClient_CopyGroupReply(nullptr, &reply);
    if (!copy) std::abort();
    auto query = std::make_unique<DeviceQueryRecord>();
    void* replies[] = {copy};
    DevInfoClient_FillAttributeTable(nullptr, query.get(), 1, replies);
    if (query->sourceCount > kQueryPlaces || query->languageCount > 8 || query->namedCount2085 > kQueryPlaces)
        std::abort();
    DevInfoClient_FreeGroupReply(nullptr, copy);
    PrivateFree(copy);

    uint32_t flatSize = 0;
    uint8_t* flat = FlattenAttributes(attributes.data(), static_cast<uint32_t>(attributes.size()), &flatSize);
    if (!flat) std::abort();
    PrivateFree(flat);
    return 0;
}
