// The network query of the models asked through the printer's port module: the attributes the
// model's capability words name, asked a capability byte at a time (one call, one callback, up
// to eight attributes), collected into the device record and written with the direct query's
// writer. Only a query that ended with full success writes anything.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/memory/private_heap.h"
#include "device/config/configuration.h"
#include "device/config/device_messages.h"
#include "device/device_info_record.h"
#include "device/devinfo_library.h"
#include "device/port_module.h"
#include "model/pdl_data.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct WaitContext {
    HANDLE event;
    int32_t status;
    DeviceInfoRecord* record;
};

struct PrivateDeleter {
    void operator()(void* p) const { PrivateFree(p); }
};

// The items of one answer into the record, by the device record's own decoder: numbers as
// numbers, texts without the quotes the module puts around them.
bool ParsePrinterInfoReply(DeviceInfoRecord* record, uint32_t count, const PortItem* items) {
    if (!record || (count && !items)) return false;
    std::vector<std::string> texts;
    texts.reserve(count);
    std::vector<ZdsvValue> values(count);
    std::vector<ZdsvAttribute> attributes(count);
    for (uint32_t i = 0; i < count; ++i) {
        const PortValue* v = items[i].value;
        attributes[i] = {items[i].id, 0, 0, 0, nullptr};
        if (!v) continue;
        if (v->kind == kPortNumber) {
            values[i] = {kZdsvNumber, 0, v->number};
        } else if (v->kind == kPortText && v->text) {
            std::string t = v->text;
            if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
            texts.push_back(std::move(t));
            values[i] = {kZdsvText, 0, reinterpret_cast<uintptr_t>(texts.back().c_str())};
        } else {
            continue;  // a value of another kind leaves the attribute missing
        }
        attributes[i].count = 1;
        attributes[i].values = &values[i];
    }
    DevInfoClient_DecodeDeviceInfo(record, count, attributes.data());
    return true;
}

void Completion(void* context, uint32_t, int32_t status, uint32_t, uint32_t count, const PortItem* items) {
    auto* c = static_cast<WaitContext*>(context);
    if (!c->record) {
        c->status = -1;
    } else {
        c->record->status = status;
        if (status >= 0 && count && !ParsePrinterInfoReply(c->record, count, items)) c->status = -1;
    }
    SetEvent(c->event);
}

}  // namespace

int Configuration::QueryNetworkPrinter(HWND owner, DevInfoClient* client) {
    const UiServiceTable* s = ctx_->svc;
    DevInfoStatus status{0, 0, 0};
    const char* printer = s->GetPrinterName(ctx_);
    DeviceData* data = s->LoadDeviceData(ctx_);
    const ModelDescription& d = model_->Description();
    std::unique_ptr<DeviceInfoRecord, PrivateDeleter> record(
        static_cast<DeviceInfoRecord*>(PrivateAlloc(sizeof(DeviceInfoRecord))));
    WaitContext wait{nullptr, 0, record.get()};
    void* handle = nullptr;
    bool loaded = false, marked = false;
    char address[kPortInfoSize] = {};
    NbOpenPrinterProc open = nullptr;
    NbClosePrinterProc close = nullptr;
    NbGetPrinterInfoProc info = nullptr;
    NbGetPrinterDataProc ask = nullptr;
    char file[21] = {};
    if (!record || !printer || std::strlen(printer) >= 256) {
        status.status = record ? -2 : -11;
    } else {
        std::strcpy(record->printerName, printer);
        std::memcpy(record->requestWords, d.capabilities, sizeof record->requestWords);
        MutableByteView(record->requestParameters, sizeof record->requestParameters).put_u32(8, 2);
        s->LoadString(ctx_, kPortModuleNameString, file, sizeof file);
        int code = DevInfoClient_LoadLibraryByName(client, file, printer, 4);
        loaded = code == 0;
        status.status = code;
    }
    if (loaded) {
        open = DevInfoClient_GetEntryAs<NbOpenPrinterProc>(client, "NB_OpenPrinter");
        close = DevInfoClient_GetEntryAs<NbClosePrinterProc>(client, "NB_ClosePrinter");
        info = DevInfoClient_GetEntryAs<NbGetPrinterInfoProc>(client, "NB_GetPrinterInfo");
        ask = DevInfoClient_GetEntryAs<NbGetPrinterDataProc>(client, "NB_GetPrinterData");
        if (!open || !close || !info || !ask) status.status = -44;
    }
    if (status.status == 0) {
        std::vector<uint8_t> buffer(kPortInfoSize, 0);
        if (open(printer, &handle) < 0) {
            handle = nullptr;
            status.status = -2;
        } else if (info(handle, buffer.data()) < 0) {
            status.status = -2;
        } else {
            std::memcpy(address, buffer.data() + kPortInfoAddress, kPortInfoSize - kPortInfoAddress - 1);
            if (char* comma = std::strchr(address, ',')) *comma = 0;
        }
    }
    if (status.status == 0 && !(wait.event = CreateEventA(nullptr, FALSE, FALSE, nullptr))) status.status = -2;
    for (int w = 0; w < 3 && status.status == 0 && status.libraryCode == 0; ++w) {
        for (int b = 0; b < 4 && status.libraryCode == 0; ++b) {
            PortRequest requests[kPortRequestsPerCall] = {};
            uint32_t n = 0;
            for (int bit = 0; bit < 8; ++bit)
                if ((d.capabilities[w] >> (b * 8 + bit)) & 1)
                    if (uint32_t id = DeviceInfoAttributeForBit(w, b * 8 + bit)) requests[n++] = {id, 16, {0, 0}};
            if (n == 0) continue;
            int32_t answer = ask(handle, address, n, requests, Completion, &wait);
            if (answer < 0) {
                status.libraryCode = answer;
                break;
            }
            WaitForSingleObject(wait.event, INFINITE);
            if (record->status < 0) status.libraryCode = record->status;
            else if (wait.status < 0) status.libraryCode = wait.status;
        }
    }
    // The answers count only when every request succeeded.
    if (status.status == 0 && status.libraryCode == 0) {
        DeviceInfoRecord& r = *record;
        // The six paper sources whose state word says "empty" (2), and the manual feed, have no level.
        for (int i = 0; i < 6; ++i)
            if (r.numbers224[i] == 2) r.numbers260[i] = -1;
        r.numbers260[6] = -1;
        MutableByteView dop = DeviceOptionData();
        uint32_t flags = 0, second = 0;
        dop.u32(devopt::kFlagWord, flags);
        dop.u32(devopt::kSecondFlagWord, second);
        flags &= ~8u;
        uint32_t kind = data ? data->U32(devicedata::kMailBoxState) : 0;
        if (kind == 2) flags |= 8;
        if (kind == 1) {
            if (data->U32(devicedata::kMailBoxFlag) == 1 && (r.stateBits209 & 0xE)) flags |= 8;
            second = r.number70000001 == 1 ? second | 8 : second & ~8u;
        }
        dop.put_u32(devopt::kFlagWord, flags);
        dop.put_u32(devopt::kSecondFlagWord, second);
        marked = true;
    }
    if (owner && show_) MessageBeep(MB_ICONASTERISK);
    ShowDeviceMessage(ctx_, owner, NetworkQueryMessage(status).id, show_);
    if (handle) close(handle);
    if (wait.event) CloseHandle(wait.event);
    if (marked) {
        WriteDirectAnswers(DeviceOptionData(), *record, WriterInput());
        RefreshPaperTable();
    }
    if (loaded) DevInfoClient_FreeLibrary(client);
    return marked ? 1 : 0;
}
