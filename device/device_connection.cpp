// The device operations' connection.
#include "device/device_connection.h"

DeviceConnection::~DeviceConnection() {
    if (handle_) {
        if (auto disconnect = ZdsvSlot<ZdsvDisconnectProc>(link_.iface, zdsv784::kDisconnect)) disconnect(handle_);
    }
}

int32_t DeviceConnection::Open() {
    auto connect = ZdsvSlot<ZdsvConnectProc>(link_.iface, zdsv784::kConnect);
    const ZdsvDeviceInformation* info = link_.information;
    if (!connect || !info || !info->address) return kDevInfoBadArgument;
    ZdsvAddress address = *info->address;
    int32_t answer = connect(info->hostName, &address, nullptr, nullptr, info->port, &handle_);
    if (answer != 0) handle_ = nullptr;
    return answer;
}

int DeviceOperationOutcome(const DevInfoStatus& status, int32_t* deviceStatus) {
    if (status.libraryCode != 0) *deviceStatus = status.libraryCode;
    return status.status;
}
