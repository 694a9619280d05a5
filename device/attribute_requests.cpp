// Single-attribute requests. The reply is copied by the callback as every other reply, and
// decoded after the wait on the waiting thread; nothing is kept in static storage.
#include "device/attribute_requests.h"

#include "core/memory/private_heap.h"
#include "device/device_query_record.h"
#include "device/reply_copies.h"
#include "device/sync_request.h"

#include <cstring>

namespace {

int BadArgument(DevInfoStatus* result) {
    if (result) *result = {kDevInfoBadArgument, 0, 1};
    return kDevInfoBadArgument;
}

// The first attribute of the first group of a reply, or null.
const ZdsvAttribute* FirstAttribute(void* reply) {
    auto* r = static_cast<const ZdsvGroupReply*>(reply);
    if (!r || !r->groups || r->count == 0) return nullptr;
    const ZdsvAttributeGroup& g = r->groups[0];
    return g.attributes && g.count ? &g.attributes[0] : nullptr;
}

// Sends one request through a slot and passes the attribute answered (or null) to `use`.
template <class Use>
int Ask(DevInfoClient* client, ZdsvInterface* iface, int slot, void* connection, const void* request,
        DevInfoStatus* result, Use use) {
    SyncRequest exchange(client, result, DevInfoClient_CopyGroupReply, DevInfoClient_FreeGroupReply, 1);
    if (exchange.Begin() && exchange.Send(ZdsvSlot<ZdsvRequestProc>(iface, slot), connection, request))
        exchange.Succeed();
    uint32_t count = 0;
    void** replies = exchange.Finish(&count);
    if (result->status == 0 && result->libraryCode == 0) use(count ? FirstAttribute(replies[0]) : nullptr);
    DevInfoClient_FreeReplies(client, DevInfoClient_FreeGroupReply, replies, count);
    return result->status;
}

int AskEntry(DevInfoClient* client, ZdsvInterface* iface, void* connection, const DevInfoEntryRequest* entry,
             DevInfoStatus* result, auto use) {
    ZdsvRequest request{};
    request.tag = kZdsvRequestTag;
    request.phase = kZdsvPhaseFirst;
    request.word8 = entry->first;
    request.word12 = entry->second;
    request.word16 = entry->third;
    return Ask(client, iface, zdsv768::kRequestEntries, connection, &request, result, use);
}

int AskAttribute(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t id, DevInfoStatus* result,
                 auto use) {
    const uint32_t object = 0;
    const uint16_t attribute = static_cast<uint16_t>(id);
    ZdsvAttributeListEntry entry{1, &object, 1, &attribute};
    ZdsvAttributeListRequest request{1, &entry};
    return Ask(client, iface, zdsv768::kRequestAttributes, connection, &request, result, use);
}

void CopyText(char* buffer, uint32_t size, const ZdsvAttribute* a, size_t limit) {
    buffer[0] = '\0';
    if (!a || !a->values || a->count == 0 || a->values[0].type != kZdsvText || !a->values[0].value) return;
    auto* text = reinterpret_cast<const char*>(a->values[0].value);
    size_t n = strnlen(text, limit);
    if (n >= size) n = size - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
}

}  // namespace

int DevInfoClient_GetAttrTextB(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                               const DevInfoEntryRequest* entry, char* buffer, uint32_t size, DevInfoStatus* result) {
    if (!client || !iface || !entry || !buffer || size == 0 || !result) return BadArgument(result);
    return AskEntry(client, iface, connection, entry, result,
                    [&](const ZdsvAttribute* a) { CopyText(buffer, size, a, size); });
}

int DevInfoClient_GetAttrValueB(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                const DevInfoEntryRequest* entry, uint32_t* value, DevInfoStatus* result) {
    if (!client || !iface || !entry || !value || !result) return BadArgument(result);
    return AskEntry(client, iface, connection, entry, result, [&](const ZdsvAttribute* a) {
        if (a && a->values && a->count && a->values[0].type == kZdsvNumber)
            *value = static_cast<uint32_t>(a->values[0].value);
    });
}

int DevInfoClient_GetAttr1056(DevInfoClient* client, ZdsvInterface* iface, void* connection, char* buffer,
                              uint32_t size, DevInfoStatus* result) {
    if (!client || !iface || !buffer || size == 0 || !result) return BadArgument(result);
    return AskAttribute(client, iface, connection, kAttrDeviceName, result,
                        [&](const ZdsvAttribute* a) { CopyText(buffer, size, a, kDeviceNameMax); });
}

int DevInfoClient_GetAttr209(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* flag,
                             DevInfoStatus* result) {
    if (!client || !iface || !flag || !result) return BadArgument(result);
    *flag = 0;
    return AskAttribute(client, iface, connection, kAttrStateBits, result, [&](const ZdsvAttribute* a) {
        for (uint32_t i = 0; a && a->values && i < a->count; ++i) {
            const ZdsvValue& v = a->values[i];
            if (v.type != kZdsvStructured || !v.value || v.size < 2) continue;
            auto* pair = reinterpret_cast<const uint8_t*>(v.value);
            if (pair[0] == 3 && pair[1] == 1) *flag = 1;
        }
    });
}

int DevInfoClient_GetAttr1016(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* flag,
                              DevInfoStatus* result) {
    if (!client || !iface || !flag || !result) return BadArgument(result);
    *flag = 0;
    return AskAttribute(client, iface, connection, kAttrEntries1016, result, [&](const ZdsvAttribute* a) {
        for (uint32_t i = 0; a && a->values && i < a->count; ++i) {
            const ZdsvValue& v = a->values[i];
            if (v.type != kZdsvStructured || !v.value || v.size < 4) continue;
            uint32_t kind;
            std::memcpy(&kind, reinterpret_cast<const void*>(v.value), 4);
            if (kind == 4) *flag = 1;
        }
    });
}

int DevInfoClient_GetAttr2296(DevInfoClient* client, ZdsvInterface* iface, void* connection, DevInfoLists2296* lists,
                              DevInfoStatus* result) {
    if (!client || !iface || !lists || !result) return BadArgument(result);
    *lists = DevInfoLists2296{};
    return AskAttribute(client, iface, connection, kAttrLists2296, result, [&](const ZdsvAttribute* a) {
        if (a) DecodeLists2296(*a, lists);
    });
}
