// The overlay page's two questions to the device, asked through the configuration because it
// knows the printer and the model's device name; a failure is told once, with message 1055.
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "device/bridges/library_bridges.h"
#include "device/config/configuration.h"
#include "device/config/device_messages.h"
#include "device/devinfo_library.h"
#include "device/devinfo_queries.h"

#include <cstring>

namespace {

template <size_t N>
bool CopyName(char (&to)[N], const char* from) {
    if (!from || std::strlen(from) >= N) return false;
    std::strcpy(to, from);
    return true;
}

}  // namespace

int Configuration::QueryForOverlayPage(HWND owner, DevInfoClient* client, DeviceQueryRecord* record) {
    DevInfoStatus status{-2, 0, 0};
    DeviceData* data = ctx_->svc->LoadDeviceData(ctx_);
    char deviceName[256], printer[260];
    if (client && record && CopyName(deviceName, data ? data->TextAt(devicedata::kDeviceNameHandle) : nullptr) &&
        CopyName(printer, ctx_->svc->GetPrinterName(ctx_)))
        DevInfo_QueryDevice1(client, record, printer, deviceName, &status);
    if (status.status == 0 && status.libraryCode == 0) return 1;
    ShowDeviceMessage(ctx_, owner, kMsgOverlayRequestFailed, true);
    return 0;
}

int Configuration::RequestForOverlayPage(HWND owner, DevInfoListRequest* request) {
    DevInfoClient* client = nullptr;
    if (!request || DevInfoClient_Create(&client) != 1) {
        ShowDeviceMessage(ctx_, owner, kMsgOverlayRequestFailed, true);
        return 0;
    }
    if (!CopyName(request->printerName, ctx_->svc->GetPrinterName(ctx_))) request->printerName[0] = '\0';
    const int result = PelomRequestForOverlayPage(ctx_, client, owner, request);
    DevInfoClient_FreeLibrary(client);
    DevInfoClient_Destroy(client);
    return result;
}
