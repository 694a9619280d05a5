// Device operation 1: the device record, attribute by attribute. The state-bit attributes 209
// and 2228 are asked first, together; then one request per byte of the request words, with the
// attributes that byte's bits name.
#include "device/device_connection.h"
#include "device/device_info_record.h"
#include "device/sync_request.h"

#include <cstring>

namespace {

struct RecordTarget {
    DeviceInfoRecord* record;
    uint32_t asked[8];
    uint32_t askedCount;
};

void RecordHook(SyncContext* c, uint32_t count, const void* reply) {
    auto* t = static_cast<RecordTarget*>(c->target);
    if (!t || !t->record) {
        c->error = kDevInfoBadArgument;
        return;
    }
    t->record->status = c->libraryStatus;
    if (c->libraryStatus < 0) return;
    auto* attributes = static_cast<const ZdsvAttribute*>(reply);
    if (attributes && count) DevInfoClient_DecodeDeviceInfo(t->record, count, attributes);
    // An attribute asked and not answered is decoded as one without values, so that it gets its
    // group's absent value and its missing bit.
    for (uint32_t k = 0; k < t->askedCount; ++k) {
        bool came = false;
        for (uint32_t i = 0; attributes && i < count && !came; ++i) came = attributes[i].id == t->asked[k];
        ZdsvAttribute absent{t->asked[k], 0, 0, 0, nullptr};
        if (!came) DevInfoClient_DecodeDeviceInfo(t->record, 1, &absent);
    }
}

bool AskRecord(SyncRequest& exchange, DeviceConnection& connection, int slot, RecordTarget& target,
               const ZdsvAttributeRequest& request) {
    exchange.Context().target = &target;
    return exchange.Send(connection.Slot(slot), connection.Handle(), &request);
}

int DeviceRecord(DevInfoClient* client, const DevInfoDeviceLink& link, DeviceInfoRecord* record) {
    DeviceConnection connection(link);
    if (int32_t answer = connection.Open()) {
        record->status = answer;
        return 0;
    }
    DevInfoStatus status;
    SyncRequest exchange(client, &status, nullptr, nullptr, 0);
    exchange.Context().hook = RecordHook;
    if (!exchange.Begin()) return status.status;

    RecordTarget target{record, {}, 0};
    bool want209 = record->requestWords[0] & (1u << kDeviceInfoBit209);
    bool want2228 = record->requestWords[2] & (1u << kDeviceInfoBit2228);
    if (want209) target.asked[target.askedCount++] = kDeviceInfoAttr209;
    if (want2228) target.asked[target.askedCount++] = kDeviceInfoAttr2228;
    if (target.askedCount) {
        ZdsvAttributeRequest request{501, 2, 0, 0, target.askedCount, target.asked};
        if (!AskRecord(exchange, connection, zdsv784::kRequestStateBits, target, request))
            return DeviceOperationOutcome(status, &record->status);
        record->requestWords[0] &= ~(1u << kDeviceInfoBit209);
        record->requestWords[2] &= ~(1u << kDeviceInfoBit2228);
    }

    uint32_t parameter1, parameter2;
    uint16_t parameter3;
    std::memcpy(&parameter1, record->requestParameters + 0, 4);
    std::memcpy(&parameter2, record->requestParameters + 8, 4);
    std::memcpy(&parameter3, record->requestParameters + 12, 2);
    for (int byte = 0; byte < 12; ++byte) {
        int word = byte / 4;
        uint32_t bits = (record->requestWords[word] >> (byte % 4 * 8)) & 0xFF;
        target.askedCount = 0;
        for (int b = 0; b < 8; ++b)
            if (bits & (1u << b))
                if (uint32_t id = DeviceInfoAttributeForBit(word, byte % 4 * 8 + b)) target.asked[target.askedCount++] = id;
        if (target.askedCount == 0) continue;
        exchange.Rearm();
        ZdsvAttributeRequest request{parameter1, parameter2, parameter3, 0, target.askedCount, target.asked};
        if (!AskRecord(exchange, connection, zdsv784::kRequestAttributes, target, request))
            return DeviceOperationOutcome(status, &record->status);
    }
    exchange.Succeed();
    return 0;
}

}  // namespace

int RunDeviceRecordOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DeviceInfoRecord* record) {
    return DeviceRecord(client, link, record);
}
