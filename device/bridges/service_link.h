// The device-information library opened for one request outside the query paths: loaded from
// the printer driver's folder, one of its interfaces asked for and started, the printer's device
// information read. Everything it opened is closed, in reverse, when it goes, and only what it
// opened: an interface that did not start is not stopped.
#pragma once

#include "core/system/helper_dll.h"
#include "device/device_operations.h"

class ServiceLink {
public:
    explicit ServiceLink(DevInfoClient* client) : client_(client) {}
    ~ServiceLink();
    ServiceLink(const ServiceLink&) = delete;
    ServiceLink& operator=(const ServiceLink&) = delete;

    // Loads "Zdsvc2.dll", else "Zdsvc.dll", asks `exportName` for the interface `version`,
    // starts it (slot 1) and reads the information (layout 1: the client's table; 0: the
    // direct table's). 0, or the first failure: -11 memory, -21 no folder, -23 not loaded, -24
    // no export, -25 no interface, -26 not started, -27 no address, or the reader's status.
    int32_t Open(const char* printerName, const char* exportName, uint32_t version, int layout);
    // The status record of the last Open.
    const DevInfoStatus& Status() const { return status_; }
    ZdsvInterface* Interface() const { return iface_; }
    const ZdsvDeviceInformation* Information() const { return information_; }
    DevInfoDeviceLink* Link() { return &link_; }

private:
    int32_t Fail(int32_t code);

    DevInfoClient* client_;
    DevInfoStatus status_{-2, 0, 0};
    HelperDll* library_ = nullptr;
    ZdsvInterface* iface_ = nullptr;
    bool started_ = false;
    ZdsvDeviceInformation* information_ = nullptr;
    DevInfoDeviceLink link_{};
};
