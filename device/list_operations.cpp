// Device operations 7 and 8: lists of fixed-size entries into the caller's buffer, never past
// the room the caller gave: the mail-box names and the overlay page's entries (7), the device's
// fonts (8).
#include "device/device_connection.h"
#include "device/sync_request.h"

#include <algorithm>
#include <cstring>

namespace {

struct EntryTarget {
    uint8_t* entries;
    uint32_t capacity;
    uint32_t entrySize;
    uint32_t stored;
};

void EntryHook(SyncContext* c, uint32_t, const void* reply) {
    auto* t = static_cast<EntryTarget*>(c->target);
    auto* r = static_cast<const ZdsvEntryReply*>(reply);
    if (!r || c->libraryStatus < 0) return;
    if (r->entrySize != t->entrySize || (r->count && !r->entries)) {
        c->error = kDevInfoBadArgument;  // entries of another size cannot be placed
        return;
    }
    uint32_t n = std::min(r->count, t->capacity - t->stored);
    std::memcpy(t->entries + size_t{t->stored} * t->entrySize, r->entries, size_t{n} * t->entrySize);
    t->stored += n;
}

int Entries(DevInfoClient* client, const DevInfoDeviceLink& link, int slot, const void* request, EntryTarget target,
            int32_t* deviceStatus) {
    if (target.capacity && !target.entries) return kDevInfoBadArgument;
    DeviceConnection connection(link);
    if (int32_t answer = connection.Open()) {
        *deviceStatus = answer;
        return 0;
    }
    DevInfoStatus status;
    SyncRequest exchange(client, &status, nullptr, nullptr, 0);
    exchange.Context().hook = EntryHook;
    exchange.Context().target = &target;
    if (!exchange.Begin()) return status.status;
    if (exchange.Send(connection.Slot(slot), connection.Handle(), request)) exchange.Succeed();
    return DeviceOperationOutcome(status, deviceStatus);
}

int MailBoxNames(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoListRequest* r) {
    ZdsvIdBatchRequest request{kListMailBoxes, 0, r->count, nullptr};
    return Entries(client, link, zdsv784::kRequestIdBatch, &request, {r->entries, r->count, kNamedEntrySize, 0},
                   &r->deviceStatus);
}

// The overlay page's entries: each answer's entries go to the places of the batch's ids.
struct BatchTarget {
    uint8_t* entries;
    uint32_t entryBytes;
    uint32_t position;  // of the batch's first id
};

void BatchHook(SyncContext* c, uint32_t, const void* reply) {
    auto* t = static_cast<BatchTarget*>(c->target);
    auto* r = static_cast<const ZdsvEntryReply*>(reply);
    if (!r || c->libraryStatus < 0 || !r->entries) return;
    uint32_t size = r->kind == kNamedEntryKind ? kNamedEntrySize : r->kind == kFormEntryKind ? kFormEntrySize : 0;
    if (size == 0 || r->entrySize != size) return;  // another kind of answer is not stored
    size_t nameAt = size == kNamedEntrySize ? 8 : 4;
    for (uint32_t i = 0; i < r->count; ++i) {
        size_t at = (size_t{t->position} + i) * size;
        if (at + size > t->entryBytes) break;
        uint8_t* entry = t->entries + at;
        std::memcpy(entry, r->entries + size_t{i} * size, size);
        entry[nameAt + 65] = '\0';  // names of at most 65 characters
    }
}

int OverlayEntries(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoListRequest* r) {
    if (r->count && (!r->ids || !r->entries)) return kDevInfoBadArgument;
    DeviceConnection connection(link);
    if (int32_t answer = connection.Open()) {
        r->deviceStatus = answer;
        return 0;
    }
    DevInfoStatus status;
    BatchTarget target{r->entries, r->entryBytes, 0};
    SyncRequest exchange(client, &status, nullptr, nullptr, 0);
    exchange.Context().hook = BatchHook;
    exchange.Context().target = &target;
    if (!exchange.Begin()) return status.status;
    bool forms = r->kind == kListOverlayForms;
    bool done = true;
    for (uint32_t at = 0; at < r->count && done; at += kZdsvIdBatchMax) {
        target.position = at;
        ZdsvIdBatchRequest request{forms ? 1015u : 1002u, forms ? 4037u : 4033u,
                                   std::min(kZdsvIdBatchMax, r->count - at), r->ids + at};
        exchange.Rearm();
        done = exchange.Send(connection.Slot(zdsv784::kRequestIdBatch), connection.Handle(), &request);
    }
    if (done) exchange.Succeed();
    return DeviceOperationOutcome(status, &r->deviceStatus);
}

int ListEntries(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoListRequest* r) {
    switch (r->kind) {
    case kListMailBoxes: return MailBoxNames(client, link, r);
    case kListOverlays:
    case kListOverlayForms: return OverlayEntries(client, link, r);
    default: return 0;  // a kind not listed asks nothing
    }
}

int DeviceFonts(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoFontRequest* r) {
    ZdsvNamedRequest request{};
    request.list = 8;
    request.parameter = r->count;
    std::memcpy(request.name, r->printerName, sizeof r->printerName);
    request.name[sizeof r->printerName - 1] = '\0';
    return Entries(client, link, zdsv784::kRequestNamedList, &request, {r->entries, r->count, kFontEntrySize, 0},
                   &r->deviceStatus);
}

}  // namespace

int RunListOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoListRequest* request) {
    return ListEntries(client, link, request);
}

int RunFontOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoFontRequest* request) {
    return DeviceFonts(client, link, request);
}
