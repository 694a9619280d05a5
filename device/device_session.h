// The open/close sequence every high-level query shares: load the library, get and start its
// version-768 table, read the device information, connect, check the model. Whatever step
// fails, the destructor undoes the steps that succeeded, in reverse: disconnect, stop, free the
// information block, unload the library (which restores the current directory).
#pragma once

#include "device/devinfo_client.h"

struct DevInfoDeviceAddress;

class DeviceSession {
public:
    // Sets the status record to {-2, 0}.
    DeviceSession(DevInfoClient* client, DevInfoStatus* status);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Each step answers false with the status record set when it fails.
    bool LoadByPrinter(const char* printerName);
    bool LoadFromFolder(const char* folder);
    bool LoadFromSystemFolder();
    bool Start();
    bool ReadInformation(const char* printerName);
    bool ConnectToPrinter();
    bool ConnectToAddress(const DevInfoDeviceAddress& address);
    // The device's name (attribute 1056) must equal the expected one; an empty one is not checked.
    bool CheckName(const char* expectedName);
    // The device's name, for checks of the caller's own.
    bool ReadName(char* buffer, uint32_t size);
    bool Fail(int32_t status, int32_t code = 0);

    ZdsvInterface* Interface() const { return iface_; }
    void* Connection() const { return connection_; }
    DevInfoClient* Client() const { return client_; }

private:
    bool Loaded(int code);
    bool Connect(const char* host, const ZdsvAddress& address, uint32_t port);

    DevInfoClient* client_;
    DevInfoStatus* status_;
    ZdsvInterface* iface_ = nullptr;
    bool started_ = false;
    ZdsvDeviceInformation* information_ = nullptr;
    void* connection_ = nullptr;
};
