// The configuration paths: the model's option table says which attributes to ask and in which
// form the answer comes (the configuration reply, or the device query record for the extended
// models and the pseudo printers); a successful answer is written into the device-option data.
// Whatever a path allocates it frees before it returns.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/memory/private_heap.h"
#include "device/config/configuration.h"
#include "device/config/configuration_reply.h"
#include "device/config/device_messages.h"
#include "device/config/model_option_table.h"
#include "device/devinfo_configuration.h"
#include "device/devinfo_queries.h"
#include "model/pdl_data.h"

#include <cstring>
#include <memory>

namespace {

constexpr size_t kNameLimit = 260;

bool CopyName(const char* from, char (&to)[kNameLimit]) {
    if (!from || std::strlen(from) >= kNameLimit) return false;
    std::strcpy(to, from);
    return true;
}

struct PrivateDeleter {
    void operator()(void* p) const { PrivateFree(p); }
};
template <typename T>
std::unique_ptr<T, PrivateDeleter> PrivateNew() {
    return std::unique_ptr<T, PrivateDeleter>(static_cast<T*>(PrivateAlloc(sizeof(T))));
}

}  // namespace

int Configuration::QueryByModelTables(HWND owner, DevInfoClient* client, uint16_t model) {
    DevInfoStatus status{-2, 0, 0};
    char printer[kNameLimit];
    ModelOptionTable table;
    if (DeviceOptionData().size() == 0) {
        status.status = -3;
    } else if (CopyName(ctx_->svc->GetPrinterName(ctx_), printer)) {
        if (!BuildModelOptionTable(model, MailBoxCount(), model_->Description().attribute2153Switch != 0, table))
            status.status = -1;
        else
            return QueryConfigurationB(owner, client, printer, table, &status, true);
    }
    return MapDeviceInfoError(ctx_, owner, &status, show_);
}

int Configuration::QueryByConfiguration(HWND owner, DevInfoClient* client, uint16_t model) {
    DevInfoStatus status{-2, 0, 0};
    char printer[kNameLimit];
    ModelOptionTable table;
    // A path that cannot start still tells the user, as every query does.
    if (!CopyName(ctx_->svc->GetPrinterName(ctx_), printer) ||
        !BuildModelOptionTable(model, MailBoxCount(), model_->Description().attribute2153Switch != 0, table)) {
        status.status = -1;
        return MapDeviceInfoError(ctx_, owner, &status, show_);
    }
    return table.extendedReply == 0 ? QueryConfigurationA(owner, client, printer, table, &status)
                                    : QueryConfigurationB(owner, client, printer, table, &status, false);
}

int Configuration::QueryConfigurationA(HWND owner, DevInfoClient* client, const char* printer,
                                       const ModelOptionTable& table, DevInfoStatus* status) {
    auto reply = PrivateNew<ConfigurationReply>();
    if (!reply) {
        *status = {-11, 0, 0};
        return MapDeviceInfoError(ctx_, owner, status, show_);
    }
    DevInfo_QueryConfiguration(client, reply.get(), &table, printer, status, ctx_);
    int r = MapDeviceInfoError(ctx_, owner, status, show_);
    MutableByteView data = DeviceOptionData();
    if (r == 1) {
        OptionWriterInput in = WriterInput();
        data.put_s16(986, DeckCountFromVersion(in.defaults, reply->version));
        FillOptionTablesA(data, *reply, in);
        TakeMailBoxNames(reinterpret_cast<const uint8_t*>(reply->mailBoxes),
                         size_t{reply->mailBoxCount} * sizeof(ConfigurationReplyMailBox), reply->mailBoxCount);
        RefreshPaperTable();
    }
    DevInfo_FreeConfigurationReply(reply.get());
    return r;
}

int Configuration::QueryConfigurationB(HWND owner, DevInfoClient* client, const char* printer,
                                       const ModelOptionTable& table, DevInfoStatus* status, bool pseudo) {
    DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    const char* deviceName = data ? data->TextAt(devicedata::kDeviceNameHandle) : nullptr;
    char expected[256] = {};
    const bool brandMedia = model_->Description().brandMediaFlag != 0;
    auto record = PrivateNew<DeviceQueryRecord>();
    char folder[MAX_PATH] = {};
    uint8_t address[4] = {};
    if (deviceName && std::strlen(deviceName) < sizeof expected) {
        std::strcpy(expected, deviceName);
        DevInfoAttributePair pairs[kModelOptionRequestLimit];
        DevInfoAttributeList list{0, pairs};
        ModelOptionPairs(table, pairs, list.count);
        int answer = 0;
        if (!record) {
            *status = {-11, 0, 0};
        } else if (!pseudo) {
            answer = DevInfo_QueryDevice4(client, record.get(), &list, printer, expected, status, ctx_);
        } else if (DeviceOptionData().size() == 0 || !PseudoAddress(folder, sizeof folder, address)) {
            *status = {-3, 0, 0};
        } else {
            DevInfoDeviceAddress where{{address[0], address[1], address[2], address[3]}, nullptr};
            answer = DevInfo_QueryDevice3(client, record.get(), &list, folder, &where, expected, status);
        }
        // A failure the query did not name itself is a general one.
        if (answer < 0 && status->status == 0) *status = {-1, 0, 0};
    }
    int r = 0;
    if (brandMedia && status->status == 0 && status->libraryCode == 0) r = 1;  // the brand-media step tells
    else r = MapDeviceInfoError(ctx_, owner, status, show_);
    if (r == 1) {
        OptionWriterInput in = WriterInput();
        MutableByteView dop = DeviceOptionData();
        dop.put_s16(986, DeckCountFromVersion(in.defaults, record->version176));
        uint32_t boxes = record->mailBoxCount < kQueryPlaces ? record->mailBoxCount : kQueryPlaces;
        std::vector<uint8_t> entries(size_t{boxes} * 76, 0);
        for (uint32_t i = 0; i < boxes; ++i) {
            uint32_t index = record->mailBoxes[i].words[0];
            std::memcpy(entries.data() + i * 76 + 4, &index, 4);
            std::memcpy(entries.data() + i * 76 + 8, record->mailBoxes[i].name, 64);
        }
        TakeMailBoxNames(entries.data(), entries.size(), boxes);
        FillOptionTablesB(dop, *record, in);
        RefreshPaperTable();
        if (brandMedia) r = UpdateBrandMedia(owner, show_);
    }
    if (record) DevInfoClient_FreeQueryRecord(client, record.get());
    return r;
}
