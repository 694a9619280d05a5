// The device operations. Each opens its own connection and closes it on every path; callbacks
// write only into the operation's target through the context, bounded by the room the caller
// gave, and the operation's own code (0, or the driver's negative code) is its result while
// the device's answer goes into the record's status word.
#include "device/device_operations.h"

#include "core/private_heap.h"
#include "device/device_info_record.h"
#include "device/sync_request.h"

#include <algorithm>
#include <cstring>

namespace {

// A connection to the device through the version-784 table, closed with the object.
class Connection {
public:
    explicit Connection(const DevInfoDeviceLink& link) : link_(link) {}
    ~Connection() {
        if (handle_) {
            if (auto disconnect = ZdsvSlot<ZdsvDisconnectProc>(link_.iface, zdsv784::kDisconnect)) disconnect(handle_);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // 0, or the answer to store in the record's status word.
    int32_t Open() {
        auto connect = ZdsvSlot<ZdsvConnectProc>(link_.iface, zdsv784::kConnect);
        const ZdsvDeviceInformation* info = link_.information;
        if (!connect || !info || !info->address) return kDevInfoBadArgument;
        ZdsvAddress address = *info->address;
        int32_t answer = connect(info->hostName, &address, nullptr, nullptr, info->port, &handle_);
        if (answer != 0) handle_ = nullptr;
        return answer;
    }
    void* Handle() const { return handle_; }
    ZdsvRequestProc Slot(int slot) const { return ZdsvSlot<ZdsvRequestProc>(link_.iface, slot); }

private:
    DevInfoDeviceLink link_;
    void* handle_ = nullptr;
};

// The outcome of one exchange: the driver's code as the result, the library's answer into the
// record's status word.
int Outcome(const DevInfoStatus& status, int32_t* deviceStatus) {
    if (status.libraryCode != 0) *deviceStatus = status.libraryCode;
    return status.status;
}

// Operation 1 ----------------------------------------------------------------------------

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

bool AskRecord(SyncRequest& exchange, Connection& connection, int slot, RecordTarget& target,
               const ZdsvAttributeRequest& request) {
    exchange.Context().target = &target;
    return exchange.Send(connection.Slot(slot), connection.Handle(), &request);
}

int DeviceRecord(DevInfoClient* client, const DevInfoDeviceLink& link, DeviceInfoRecord* record) {
    Connection connection(link);
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
            return Outcome(status, &record->status);
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
            return Outcome(status, &record->status);
    }
    exchange.Succeed();
    return 0;
}

// Operation 5 ----------------------------------------------------------------------------

int AccountCheck(const DevInfoDeviceLink& link, DevInfoAccountRecord* record) {
    Connection connection(link);
    if (int32_t answer = connection.Open()) {
        record->status = answer;
        return 0;
    }
    auto check = ZdsvSlot<ZdsvAccountCheckProc>(link.iface, zdsv784::kAccountCheck);
    if (!check) return kDevInfoBadArgument;
    int32_t answer = check(connection.Handle(), record->account, record->password, &record->checkStatus,
                           &record->accepted);
    if (answer < 0) record->status = answer;
    return 0;
}

// Operations 7 and 8: fixed-size entries into the caller's buffer ----------------------------

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
    Connection connection(link);
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
    return Outcome(status, deviceStatus);
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
    Connection connection(link);
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
    return Outcome(status, &r->deviceStatus);
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

// Operations 12 and 19 --------------------------------------------------------------------

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
    Connection connection(link);
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
    return Outcome(status, &r->deviceStatus);
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

int DevInfoClient_GetHandler(DevInfoClient* client, void* link, void* record, int operation) {
    if (!client || !link || !record) return kDevInfoBadArgument;
    const DevInfoDeviceLink& device = *static_cast<const DevInfoDeviceLink*>(link);
    switch (operation) {
    case kDevOpDeviceRecord: return DeviceRecord(client, device, static_cast<DeviceInfoRecord*>(record));
    case kDevOpAccountCheck: return AccountCheck(device, static_cast<DevInfoAccountRecord*>(record));
    case kDevOpListEntries: return ListEntries(client, device, static_cast<DevInfoListRequest*>(record));
    case kDevOpDeviceFonts: return DeviceFonts(client, device, static_cast<DevInfoFontRequest*>(record));
    case kDevOpAttributesFlat:
    case kDevOpAttributeList: return AttributeList(client, device, static_cast<DevInfoAttributeRecord*>(record));
    default: return -2;
    }
}
