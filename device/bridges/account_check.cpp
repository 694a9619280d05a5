// The account check through the second interface of the device-information library (device
// operation 5). The texts are read as numbers first and refused when they are not numbers, so
// that a mistyped "12ab" never reaches the device as account 12.
#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "device/bridges/library_bridges.h"
#include "device/bridges/service_link.h"
#include "device/config/device_messages.h"

#include <cstring>

namespace {

// 1 accepted; the device that does not check accounts (the library refuses the question) accepts
// every account.
int Check(const char* printer, int32_t id, int32_t password) {
    DevInfoClient* client = nullptr;
    if (DevInfoClient_Create(&client) != 1) return 0;
    int accepted = 0;
    {
        ServiceLink link(client);
        int32_t opened = link.Open(printer, kSsGetInterfaceName, kZdsvVersionDirect, 0);
        if (opened == kDevInfoRefused) {
            accepted = 1;
        } else if (opened == 0) {
            DevInfoAccountRecord record{};
            std::strncpy(record.printerName, printer, sizeof record.printerName - 1);
            MutableByteView(&record, sizeof record).put_u32(260, 2);
            record.account = static_cast<uint32_t>(id);
            record.password = static_cast<uint32_t>(password);
            int code = DevInfoClient_GetHandler(client, link.Link(), &record, kDevOpAccountCheck);
            accepted = (code >= 0 && record.status >= 0 && record.accepted == 1) || record.status == kDevInfoRefused ||
                       static_cast<uint32_t>(record.status) == kZdsvRefused;
        }
    }
    DevInfoClient_Destroy(client);
    return accepted;
}

}  // namespace

int CallPelomRequest3(UIDEVDATA* ctx, HWND owner, const char* id, const char* password) {
    if (!ctx) return 0;
    const int32_t account = IsAlnumString(id, 1), code = IsAlnumString(password, 1);
    const char* printer = ctx->svc->GetPrinterName(ctx);
    if (account >= 0 && code >= 0 && printer && Check(printer, account, code)) return 1;
    MessageBeep(MB_ICONASTERISK);
    ShowDeviceMessage(ctx, owner, kMsgAccountRefused, true);
    return 0;
}
