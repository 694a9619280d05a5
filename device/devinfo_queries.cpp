// The high-level queries over a `DeviceSession`. Table queries first ask for the list of
// objects of a kind, then for fixed attributes of each object; the attribute list asks for the
// caller's pairs. Every reply array is freed here, on success and on failure.
#include "device/devinfo_queries.h"

#include "core/memory/private_heap.h"
#include "core/device/service_table.h"
#include "core/device/uidevdata.h"
#include "device/client_requests.h"
#include "device/command_builders.h"
#include "device/command_replies.h"
#include "device/device_session.h"
#include "device/model_names.h"
#include "device/reply_copies.h"
#include "device/value_lists.h"

#include <cstring>

namespace {

struct TableQuery {
    uint32_t listA;
    uint32_t listB;
    uint32_t attributeCount;
    uint16_t attributes[6];
};

constexpr TableQuery kTableQueries[4] = {
    {1002, 4033, 3, {10601, 10617, 10911}},
    {1015, 4037, 2, {11804, 11806}},
    {1019, 0, 6, {12502, 12507, 178, 288, 12506, 179}},
    {603, 0, 2, {4036, 4121}},
};

bool Done(const DevInfoStatus& s) { return s.status == 0 && s.libraryCode == 0; }

// Runs slot 3 over the entries and enters its replies with slot 19; 0 or -1.
int AttributesInto(DevInfoClient* client, ZdsvInterface* iface, void* connection, DeviceQueryRecord* record,
                   uint32_t count, const ZdsvAttributeListEntry* entries, DevInfoStatus* status) {
    uint32_t replyCount = 0;
    void** replies = DevInfoClient_RequestListA(client, iface, connection, count, entries, &replyCount, status);
    int result = -1;
    if (Done(*status)) result = DevInfoClient_FillAttributeTable(client, record, replyCount, replies) ? 0 : -1;
    DevInfoClient_FreeReplies(client, DevInfoClient_FreeGroupReply, replies, replyCount);
    return result;
}

// The attribute list and table queries 1 to 4, stopping at the first that fails.
int RecordQueries(DeviceSession& session, DeviceQueryRecord* record, const DevInfoAttributeList* list,
                  DevInfoStatus* status) {
    if (list && list->count &&
        DevInfo_RunAttributeList(session.Client(), session.Interface(), session.Connection(), record, list, status))
        return -1;
    for (int query = 1; query <= 4; ++query)
        if (int code = DevInfo_RunTableQuery(session.Client(), session.Interface(), session.Connection(), record, query,
                                             status))
            return code;
    return 0;
}

int Result(const DevInfoStatus* status) { return status->status; }

}  // namespace

void DevInfo_FreeAnswers(DevInfoClient* client, DevInfoAnswer* answers, uint32_t count) {
    if (!answers) return;
    for (uint32_t i = 0; i < count; ++i) {
        DevInfoClient_FreeReplies(client, DevInfoClient_FreeGroupReply, answers[i].replies, answers[i].count);
        answers[i] = {};
    }
}

int DevInfo_RunTableQuery(DevInfoClient* client, ZdsvInterface* iface, void* connection, DeviceQueryRecord* record,
                          int query, DevInfoStatus* status) {
    if (!client || !record || !status || query < 1 || query > 4) {
        if (status) *status = {kDevInfoBadArgument, 0, 1};
        return kDevInfoBadArgument;
    }
    const TableQuery& q = kTableQueries[query - 1];
    ZdsvRequest parameters{};
    parameters.word8 = q.listA;
    parameters.word12 = q.listB;
    uint32_t replyCount = 0;
    void** replies = DevInfoClient_RequestListB(client, iface, connection, &parameters, &replyCount, status);
    DeviceQueryIdList& ids = record->tables[query - 1];
    PrivateFree(ids.ids);
    ids = {};
    int code = 0;
    if (Done(*status)) {
        DevInfoValueList list{};
        if (DevInfoClient_ConcatValues(client, &list, replyCount, replies)) ids = {list.count, list.values};
        else code = kDevInfoNoMemory;
    } else {
        code = status->status ? status->status : -1;
    }
    DevInfoClient_FreeReplies(client, DevInfoClient_FreeValueReply, replies, replyCount);
    if (code) {
        if (code == kDevInfoNoMemory) *status = {kDevInfoNoMemory, 0, status->lastValue};
        return code;
    }
    if (ids.count == 0) return 0;

    auto* entries = static_cast<ZdsvAttributeListEntry*>(PrivateAlloc(sizeof(ZdsvAttributeListEntry) * ids.count));
    if (!entries) {
        *status = {kDevInfoNoMemory, 0, status->lastValue};
        return kDevInfoNoMemory;
    }
    for (uint32_t i = 0; i < ids.count; ++i) entries[i] = {1, &ids.ids[i], q.attributeCount, q.attributes};
    code = AttributesInto(client, iface, connection, record, ids.count, entries, status);
    PrivateFree(entries);
    return code ? (status->status ? status->status : -1) : 0;
}

int DevInfo_RunAttributeList(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                             DeviceQueryRecord* record, const DevInfoAttributeList* list, DevInfoStatus* status) {
    if (!client || !record || !list || !status || (list->count && !list->pairs)) return kDevInfoBadArgument;
    if (list->count == 0) return 0;
    auto* entries = static_cast<ZdsvAttributeListEntry*>(PrivateAlloc(sizeof(ZdsvAttributeListEntry) * list->count));
    if (!entries) {
        *status = {kDevInfoNoMemory, 0, 1};
        return kDevInfoBadArgument;
    }
    for (uint32_t i = 0; i < list->count; ++i)
        entries[i] = {1, &list->pairs[i].object, 1, &list->pairs[i].attribute};
    int code = AttributesInto(client, iface, connection, record, list->count, entries, status);
    PrivateFree(entries);
    return code;
}

int DevInfo_QueryDevice1(DevInfoClient* client, DeviceQueryRecord* record, const char* printerName,
                         const char* expectedName, DevInfoStatus* status) {
    if (!status) return kDevInfoBadArgument;
    if (!client || !record || !printerName) return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    DeviceSession session(client, status);
    if (session.LoadByPrinter(printerName) && session.Start() && session.ReadInformation(printerName) &&
        session.ConnectToPrinter() && session.CheckName(expectedName))
        DevInfo_RunTableQuery(client, session.Interface(), session.Connection(), record, 2, status);
    return Result(status);
}

int DevInfo_QueryDevice2(DevInfoClient* client, uint32_t count, const DevInfoEntryRequest* requests,
                         const char* printerName, const DevInfoDeviceAddress* address, const char* expectedName,
                         DevInfoAnswer* answers, DevInfoStatus* status) {
    if (!status) return kDevInfoBadArgument;
    if (!client || (count && (!requests || !answers)) || (!printerName && !address))
        return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    DeviceSession session(client, status);
    bool open = printerName ? session.LoadByPrinter(printerName) && session.Start() &&
                                  session.ReadInformation(printerName) && session.ConnectToPrinter()
                            : session.LoadFromSystemFolder() && session.Start() && session.ConnectToAddress(*address);
    if (!open || !session.CheckName(expectedName)) return Result(status);
    *status = {0, 0, 1};
    for (uint32_t i = 0; i < count && Done(*status); ++i) {
        ZdsvRequest parameters{};
        parameters.word8 = requests[i].first;
        parameters.word12 = requests[i].second;
        parameters.word16 = requests[i].third;
        answers[i].replies = DevInfoClient_RequestListC(client, session.Interface(), session.Connection(), &parameters,
                                                        &answers[i].count, status);
    }
    return Result(status);
}

int DevInfo_QueryDevice3(DevInfoClient* client, DeviceQueryRecord* record, const DevInfoAttributeList* list,
                         const char* driverFolder, const DevInfoDeviceAddress* address, const char* expectedName,
                         DevInfoStatus* status) {
    if (!status) return kDevInfoBadArgument;
    if (!client || !record || !driverFolder || !address)
        return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    DeviceSession session(client, status);
    if (session.LoadFromFolder(driverFolder) && session.Start() && session.ConnectToAddress(*address) &&
        session.CheckName(expectedName))
        RecordQueries(session, record, list, status);
    return Result(status);
}

int DevInfo_QueryDevice4(DevInfoClient* client, DeviceQueryRecord* record, const DevInfoAttributeList* list,
                         const char* printerName, const char* expectedName, DevInfoStatus* status, UIDEVDATA* device) {
    if (!status) return kDevInfoBadArgument;
    if (!client || !record || !printerName || !device)
        return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    DeviceSession session(client, status);
    if (!session.LoadByPrinter(printerName) || !session.Start() || !session.ReadInformation(printerName) ||
        !session.ConnectToPrinter())
        return Result(status);
    // The special model answers with a name of its own, which passes the check.
    char name[256];
    if (!session.ReadName(name, sizeof name)) return Result(status);
    bool special = DevInfo_IsSpecialModelName(device->svc->GetDeviceDataValue2(device), name);
    if (!special && expectedName && *expectedName && lstrcmpA(name, expectedName) != 0)
        return session.Fail(kQueryWrongDevice), Result(status);
    RecordQueries(session, record, list, status);
    return Result(status);
}

int DevInfo_QueryDevice5(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* value,
                         uint32_t first, uint32_t second, DevInfoStatus* status) {
    if (!status) return kDevInfoBadArgument;
    if (!client || !iface || !value) return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    uint32_t count = 0;
    void** replies = DevInfoClient_RequestPair(client, iface, connection, first, second, &count, status);
    uint32_t words[3] = {};
    if (Done(*status) && count && DevInfoClient_CopyTriple(client, words, replies[0])) *value = words[0];
    DevInfoClient_FreeReplies(client, DevInfoClient_FreePairReply, replies, count);
    return Result(status);
}

int DevInfo_SendText(DevInfoClient* client, ZdsvInterface* iface, void* connection, uint32_t* value,
                     const char* text, DevInfoStatus* status) {
    if (!status) return kDevInfoBadArgument;
    if (!client || !iface || !value || !text) return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    uint32_t count = 0;
    void** replies = DevInfoClient_SendCommands(client, iface, connection, kCommandText, text, &count, status);
    uint32_t words[3] = {};
    DevInfoCommandTarget target{nullptr, nullptr, nullptr, words};
    if (Done(*status)) {
        DevInfoClient_DecodeCommandReplies(client, &target, count, replies);
        *value = words[0];
    }
    DevInfoClient_FreeReplies(client, DevInfoClient_FreeCommandReply, replies, count);
    return Result(status);
}
