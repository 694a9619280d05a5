// The account asked of the device through the device-information library: the verification of
// id and code (device operation 5) with the device's answers turned into the account's status,
// and the device's query about an id (operation 17).
#include "features/account.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "device/bridges/library_bridges.h"
#include "device/bridges/service_link.h"
#include "device/devinfo_client.h"
#include "device/devinfo_interface.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int kDevOpAccountQuery = 17;
constexpr size_t kQueryRecordSize = 288;
constexpr size_t kQueryOffId = 260, kQueryIdRoom = 12, kQueryOffValue1 = 272, kQueryOffValue2 = 276;
constexpr size_t kIdTextWidth = 8;
constexpr size_t kRecordNameRoom = 256;  // both records: the printer's name and its terminator

// Device answers with a meaning of their own.
constexpr uint32_t kAnswerBusy = 0xC052000Cu, kAnswerBusyToo = 0xC0520010u;
constexpr uint32_t kAnswerLimitReached = 0xC09884C6u;
constexpr uint32_t kAnswerUnknownAccount = 0xC09884C9u;

// A device (or library) that does not check accounts refuses the question itself; it takes every
// account, as the bridge's check does, so that jobs are not stopped by a question the device
// cannot answer.
bool DoesNotCheck(int32_t answer) {
    return answer == kDevInfoRefused || static_cast<uint32_t>(answer) == kZdsvRefused;
}

UINT StatusOf(int32_t answer) {
    switch (static_cast<uint32_t>(answer)) {
    case kAnswerBusy:
    case kAnswerBusyToo: return kAccountDeviceBusy;
    case kAnswerLimitReached: return kAccountLimitReached;
    case kAnswerUnknownAccount: return kAccountUnknownToDevice;
    default: return kAccountDeviceFailed;
    }
}

std::string PrinterName(UIDEVDATA* ctx) {
    const char* name = ctx && ctx->svc ? ctx->svc->GetPrinterName(ctx) : nullptr;
    return name ? std::string(name).substr(0, 259) : std::string();
}

// The client of one question, destroyed with it.
struct Client {
    Client() {
        if (DevInfoClient_Create(&client) != 1) client = nullptr;
    }
    ~Client() {
        if (client) DevInfoClient_Destroy(client);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    DevInfoClient* client = nullptr;
};

}  // namespace

bool Account::VerifyWithDevice(HWND) {
    const UINT kept = status_;
    UINT status = kAccountDeviceFailed;
    bool accepted = false;
    const std::string printer = PrinterName(Owner());
    Client client;
    if (client.client && !printer.empty()) {
        ServiceLink link(client.client);
        const int32_t opened = link.Open(printer.c_str(), kSsGetInterfaceName, kZdsvVersionDirect, 0);
        if (DoesNotCheck(opened)) {
            accepted = true;
        } else if (opened == 0) {
            DevInfoAccountRecord record{};
            std::memcpy(record.printerName, printer.data(), std::min(printer.size(), kRecordNameRoom - 1));
            MutableByteView(&record, sizeof record).put_u32(260, 2);
            record.account = static_cast<uint32_t>(IsAlnumString(GetId().c_str(), 1));
            record.password = GetCode();
            const int code = DevInfoClient_GetHandler(client.client, link.Link(), &record, kDevOpAccountCheck);
            if (DoesNotCheck(code) || (code >= 0 && DoesNotCheck(record.status))) {
                accepted = true;
            } else if (code < 0) {
                status = kAccountDeviceFailed;
            } else if (record.status < 0) {
                status = StatusOf(record.status);
            } else if (record.accepted == 1) {
                accepted = true;
            } else {
                status = kAccountRefused;
            }
        }
    }
    if (accepted) {
        status_ = kept;
        return true;
    }
    status_ = status;
    MessageBeep(MB_ICONASTERISK);
    return false;
}

int32_t Account::QueryDevice(uint32_t& value1, uint32_t& value2) const {
    value1 = value2 = 0;
    const std::string printer = PrinterName(Owner());
    Client client;
    if (!client.client) return kDevInfoNoMemory;
    ServiceLink link(client.client);
    if (const int32_t opened = link.Open(printer.c_str(), kSsGetInterfaceName, kZdsvVersionDirect, 0)) return opened;
    std::array<uint8_t, kQueryRecordSize> record{};
    MutableByteView out(record.data(), record.size());
    out.put_u32(0, kQueryOffValue1);
    out.put_bytes(4, printer.data(), std::min(printer.size(), kRecordNameRoom - 1));
    const std::string id = CheckIdText(GetId()).substr(0, kQueryIdRoom - 1);
    out.put_bytes(kQueryOffId, id.data(), id.size());
    const int result = DevInfoClient_GetHandler(client.client, link.Link(), record.data(), kDevOpAccountQuery);
    if (result < 0) return result;
    const ByteView answer(record.data(), record.size());
    answer.u32(kQueryOffValue1, value1);
    answer.u32(kQueryOffValue2, value2);
    return result;
}

std::string Account::CheckIdText(const std::string& id) {
    return id.size() < kIdTextWidth ? std::string(kIdTextWidth - id.size(), '0') + id : id;
}
