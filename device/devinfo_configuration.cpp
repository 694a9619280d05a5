// The configuration query: the device query record's sections carried over into the
// configuration reply, the mail-box entries into a block the reply owns.
#include "device/devinfo_configuration.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/memory/private_heap.h"
#include "device/config/configuration_reply.h"
#include "device/config/model_option_table.h"
#include "device/device_query_record.h"
#include "device/device_session.h"
#include "device/devinfo_queries.h"
#include "device/model_names.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

template <size_t N>
void CopyText(char (&to)[N], const char* from, size_t width) {
    size_t n = 0;
    while (n < width && n < N - 1 && from[n]) ++n;
    std::memcpy(to, from, n);
    to[n] = 0;
}

bool Into(ConfigurationReply& reply, const DeviceQueryRecord& r) {
    reply.version = r.version176;
    reply.outputKind = r.outputKind;
    reply.bookletFlag = r.flags2058[0] == 1 ? 1 : 0;
    uint64_t memory = 0;
    for (uint32_t i = 0; i < std::min<uint32_t>(r.memoryCount, kQueryPlaces); ++i) {
        CopyText(reply.memoryNames[i], r.memory[i].name, sizeof r.memory[i].name);
        reply.memorySizes[i] = r.memory[i].size;
        memory += r.memory[i].size;
    }
    reply.memorySize = static_cast<uint32_t>(std::min<uint64_t>(memory, UINT32_MAX));
    for (uint32_t i = 0; i < std::min<uint32_t>(r.accessoryCount, kQueryPlaces); ++i) {
        CopyText(reply.accessories[i].name, r.accessories[i].name, sizeof r.accessories[i].name);
        reply.accessories[i].kind = r.accessories[i].types[0];
    }
    if (r.accessoryCount) {
        CopyText(reply.finisherName, r.accessories[0].name, sizeof r.accessories[0].name);
        reply.finisherKind = r.accessories[0].types[0];
    }
    for (uint32_t i = 0; i < std::min<uint32_t>(r.sourceCount, kQueryPlaces); ++i) {
        ConfigurationReplySource& s = reply.sources[i];
        CopyText(s.name, r.sources[i].name, sizeof r.sources[i].name);
        s.paperSize = r.sourceValues[i].paperSize;
        s.level = r.sourceValues[i].level;
        s.kind = r.sourceValues[i].kind;
        s.mediaCode = r.sourceValues[i].mediaCode;
    }
    uint32_t boxes = std::min<uint32_t>(r.mailBoxCount, kQueryPlaces);
    if (boxes) {
        auto* entries =
            static_cast<ConfigurationReplyMailBox*>(PrivateAlloc(boxes * sizeof(ConfigurationReplyMailBox)));
        if (!entries) return false;
        for (uint32_t i = 0; i < boxes; ++i) {
            entries[i].id = i + 1;
            entries[i].index = r.mailBoxes[i].words[0];
            CopyText(entries[i].name, r.mailBoxes[i].name, sizeof r.mailBoxes[i].name);
        }
        reply.mailBoxes = entries;
        reply.mailBoxCount = boxes;
    }
    return true;
}

}  // namespace

int DevInfo_QueryConfiguration(DevInfoClient* client, ConfigurationReply* reply, const ModelOptionTable* table,
                               const char* printerName, DevInfoStatus* status, UIDEVDATA* device) {
    if (!status) return kDevInfoBadArgument;
    if (!client || !reply || !table || !printerName || !device)
        return *status = {kDevInfoBadArgument, 0, 1}, kDevInfoBadArgument;
    DeviceSession session(client, status);
    if (!session.LoadByPrinter(printerName) || !session.Start() || !session.ReadInformation(printerName) ||
        !session.ConnectToPrinter())
        return status->status;
    char name[256];
    if (!session.ReadName(name, sizeof name)) return status->status;
    DeviceData* data = device->svc->LoadDeviceData(device);
    const char* modelName = data ? data->TextAt(devicedata::kDeviceNameHandle) : nullptr;
    char model[64] = {};
    if (modelName) CopyText(model, modelName, std::strlen(modelName));
    if (!DevInfo_IsExpectedModelName(device->svc->GetDeviceDataValue2(device),
                                     data ? data->U32(devicedata::kLanguageId) : 0, name, model))
        return session.Fail(kQueryWrongDevice), status->status;

    auto* record = static_cast<DeviceQueryRecord*>(PrivateAlloc(sizeof(DeviceQueryRecord)));
    if (!record) return session.Fail(kDevInfoNoMemory), status->status;
    DevInfoAttributePair pairs[kModelOptionRequestLimit];
    DevInfoAttributeList list{0, pairs};
    ModelOptionPairs(*table, pairs, list.count);
    // The tables: sources and accessories always, memory for the models that ask, mail boxes
    // when the model has bins.
    bool ok = !list.count || DevInfo_RunAttributeList(client, session.Interface(), session.Connection(), record,
                                                      &list, status) == 0;
    for (int query : {1, 2, 3, 4}) {
        if (!ok) break;
        if ((query == 3 && table->thirdFlag != 1 && table->plainQuery != 1) || (query == 4 && table->mailBoxCount == 0))
            continue;
        ok = DevInfo_RunTableQuery(client, session.Interface(), session.Connection(), record, query, status) == 0;
    }
    if (ok && !Into(*reply, *record)) *status = {kDevInfoNoMemory, 0, status->lastValue};
    else if (!ok && status->status == 0 && status->libraryCode == 0) *status = {-1, 0, status->lastValue};
    DevInfoClient_FreeQueryRecord(client, record);
    PrivateFree(record);
    return status->status;
}

void DevInfo_FreeConfigurationReply(ConfigurationReply* reply) {
    if (!reply) return;
    PrivateFree(reply->mailBoxes);
    PrivateFree(reply->table2);
    PrivateFree(reply->table3);
    reply->mailBoxes = nullptr;
    reply->table2 = reply->table3 = nullptr;
    reply->mailBoxCount = 0;
}
