// Device operations 12 and 19: attributes by id, answered as one flat block in which every
// pointer became an offset from the block's start, so that the answer outlives the callback as
// one private-heap block.
#include "core/memory/private_heap.h"
#include "device/device_connection.h"
#include "device/sync_request.h"

#include <cstring>

namespace {

struct FlatTarget {
    DevInfoAttributeRecord* record;
};

void FlatHook(SyncContext* c, uint32_t count, const void* reply) {
    auto* r = static_cast<FlatTarget*>(c->target)->record;
    if (c->libraryStatus < 0 || !reply || count == 0) return;
    uint32_t size = 0;
    uint8_t* block = FlattenAttributes(static_cast<const ZdsvAttribute*>(reply), count, &size);
    if (!block) {
        c->error = kDevInfoNoMemory;
        return;
    }
    PrivateFree(r->answer);
    r->answer = block;
    r->answerSize = size;
    r->answerCount = count;
}

int AttributeList(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoAttributeRecord* r) {
    if (r->idCount && !r->ids) return kDevInfoBadArgument;
    DeviceConnection connection(link);
    if (int32_t answer = connection.Open()) {
        r->deviceStatus = answer;
        return 0;
    }
    DevInfoStatus status;
    FlatTarget target{r};
    SyncRequest exchange(client, &status, nullptr, nullptr, 0);
    exchange.Context().hook = FlatHook;
    exchange.Context().target = &target;
    if (!exchange.Begin()) return status.status;
    ZdsvAttributeRequest request{0, 0, 1, 0, r->idCount, r->ids};
    if (exchange.Send(connection.Slot(zdsv784::kRequestAttributes), connection.Handle(), &request)) exchange.Succeed();
    return DeviceOperationOutcome(status, &r->deviceStatus);
}

}  // namespace

uint8_t* FlattenAttributes(const ZdsvAttribute* attributes, uint32_t count, uint32_t* size) {
    uint64_t total = uint64_t{count} * sizeof(DevInfoFlatAttribute);
    for (uint32_t i = 0; i < count; ++i) {
        if (!attributes[i].values) continue;
        total += uint64_t{attributes[i].count} * sizeof(DevInfoFlatValue);
        for (uint32_t k = 0; k < attributes[i].count; ++k) {
            const ZdsvValue& v = attributes[i].values[k];
            if (!v.value) continue;
            if (v.type == kZdsvText) total += std::strlen(reinterpret_cast<const char*>(v.value)) + 1;
            else if (v.type == kZdsvStructured) total += v.size;
        }
    }
    if (total > UINT32_MAX) return nullptr;
    auto* block = static_cast<uint8_t*>(PrivateAlloc(total ? total : 1));
    if (!block) return nullptr;
    uint32_t valuesAt = count * static_cast<uint32_t>(sizeof(DevInfoFlatAttribute));
    uint32_t dataAt = valuesAt;
    for (uint32_t i = 0; i < count; ++i)
        if (attributes[i].values) dataAt += attributes[i].count * static_cast<uint32_t>(sizeof(DevInfoFlatValue));
    for (uint32_t i = 0; i < count; ++i) {
        const ZdsvAttribute& a = attributes[i];
        DevInfoFlatAttribute flat{a.id, a.reserved1, a.reserved2, a.values ? a.count : 0, a.values ? valuesAt : 0};
        std::memcpy(block + i * sizeof flat, &flat, sizeof flat);
        for (uint32_t k = 0; a.values && k < a.count; ++k) {
            const ZdsvValue& v = a.values[k];
            DevInfoFlatValue fv{v.type, v.size, static_cast<uint32_t>(v.value)};
            if ((v.type == kZdsvText || v.type == kZdsvStructured)) {
                fv.value = 0;
                if (v.value) {
                    size_t bytes = v.type == kZdsvText ? std::strlen(reinterpret_cast<const char*>(v.value)) + 1 : v.size;
                    std::memcpy(block + dataAt, reinterpret_cast<const void*>(v.value), bytes);
                    fv.value = dataAt;
                    fv.size = static_cast<uint32_t>(bytes);
                    dataAt += static_cast<uint32_t>(bytes);
                }
            }
            std::memcpy(block + valuesAt, &fv, sizeof fv);
            valuesAt += sizeof fv;
        }
    }
    *size = static_cast<uint32_t>(total);
    return block;
}

int RunAttributeOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoAttributeRecord* record) {
    return AttributeList(client, link, record);
}
