// A connection to the device through the version-784 table for one device operation, closed
// with the object on every path, and how an operation reports: its own code as its result, the
// library's answer in the record's status word.
#pragma once

#include "device/device_operations.h"

struct DeviceInfoRecord;

class DeviceConnection {
public:
    explicit DeviceConnection(const DevInfoDeviceLink& link) : link_(link) {}
    ~DeviceConnection();
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    // 0, or the answer to store in the record's status word.
    int32_t Open();
    void* Handle() const { return handle_; }
    ZdsvRequestProc Slot(int slot) const { return ZdsvSlot<ZdsvRequestProc>(link_.iface, slot); }

private:
    DevInfoDeviceLink link_;
    void* handle_ = nullptr;
};

// The driver's code as the result; a library answer goes into the record's status word.
int DeviceOperationOutcome(const DevInfoStatus& status, int32_t* deviceStatus);

// The operations, one file each, run by DevInfoClient_GetHandler.
int RunDeviceRecordOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DeviceInfoRecord* record);
int RunListOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoListRequest* request);
int RunFontOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoFontRequest* request);
int RunAttributeOperation(DevInfoClient* client, const DevInfoDeviceLink& link, DevInfoAttributeRecord* record);
