// The query session. The library stays loaded only while a session lives, so the process's
// current directory is the library's folder only for that long.
#include "device/device_session.h"

#include "core/memory/private_heap.h"
#include "device/attribute_requests.h"
#include "device/devinfo_information.h"
#include "device/devinfo_library.h"
#include "device/devinfo_queries.h"

#include <windows.h>

#include <cstring>

DeviceSession::DeviceSession(DevInfoClient* client, DevInfoStatus* status) : client_(client), status_(status) {
    status_->status = -2;
    status_->libraryCode = 0;
}

DeviceSession::~DeviceSession() {
    if (connection_) {
        if (auto disconnect = ZdsvSlot<ZdsvDisconnectProc>(iface_, zdsv768::kDisconnect)) disconnect(connection_);
    }
    if (started_) {
        if (auto stop = ZdsvSlot<ZdsvStopProc>(iface_, zdsv768::kStop)) stop();
    }
    PrivateFree(information_);
    DevInfoClient_FreeLibrary(client_);
}

bool DeviceSession::Fail(int32_t status, int32_t code) {
    status_->status = status;
    status_->libraryCode = code;
    return false;
}

bool DeviceSession::Loaded(int code) { return code == 0 || Fail(code); }

bool DeviceSession::LoadByPrinter(const char* printerName) {
    return Loaded(DevInfoClient_LoadLibrary(client_, kZdsvLibraryName, kZdsvOldLibraryName, printerName,
                                            kDevInfoFolderDriver));
}

bool DeviceSession::LoadFromFolder(const char* folder) {
    return Loaded(DevInfoClient_LoadLibraryFromFolder(client_, kZdsvLibraryName, kZdsvOldLibraryName, folder,
                                                      kDevInfoFolderDriver));
}

bool DeviceSession::LoadFromSystemFolder() {
    return Loaded(DevInfoClient_LoadLibrary(client_, kZdsvLibraryName, kZdsvOldLibraryName, "",
                                            kDevInfoFolderSystem));
}

bool DeviceSession::Start() {
    auto getInterface =
        DevInfoClient_GetEntryAs<ZdsvGetInterfaceProc>(client_, kZdsvGetInterfaceName);
    if (!getInterface) return Fail(kQueryNoEntry);
    iface_ = getInterface(kZdsvVersionClient);
    if (!iface_) return Fail(kQueryNoInterface);
    auto start = ZdsvSlot<ZdsvStartProc>(iface_, zdsv768::kStart);
    if (!start || start() != 0) return Fail(kQueryNotStarted);
    started_ = true;
    return true;
}

bool DeviceSession::ReadInformation(const char* printerName) {
    DevInfoStatus result{};
    information_ = DevInfoClient_QueryInfo(client_, printerName, 1, iface_, &result);
    if (!information_) {
        if (result.status != 0 || result.libraryCode != 0) return Fail(result.status, result.libraryCode);
        return Fail(kQueryWrongDevice);
    }
    if (information_->addressCount == 0 || !information_->address) return Fail(kQueryWrongDevice);
    return true;
}

bool DeviceSession::Connect(const char* host, const ZdsvAddress& address, uint32_t port) {
    auto connect = ZdsvSlot<ZdsvConnectProc>(iface_, zdsv768::kConnect);
    if (!connect) return Fail(kDevInfoBadArgument);
    ZdsvAddress copy = address;
    void* connection = nullptr;
    int32_t answer = connect(host, &copy, nullptr, nullptr, port, &connection);
    if (answer != 0) return Fail(0, answer);
    connection_ = connection;
    return true;
}

bool DeviceSession::ConnectToPrinter() {
    return Connect(information_->hostName, *information_->address, information_->port);
}

bool DeviceSession::ConnectToAddress(const DevInfoDeviceAddress& address) {
    ZdsvAddress a{};
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(a.bytes + at, &v, 2); };
    if (address.words[0] != 0) {
        std::memcpy(a.bytes, address.words, sizeof address.words);
        put16(16, 17);
        put16(kZdsvAddressKindOffset, 2);
    } else {
        size_t length = address.name ? strnlen(address.name, kZdsvAddressNameMax + 1) : 0;
        if (length == 0 || length > kZdsvAddressNameMax) return Fail(kQueryWrongDevice);
        std::memcpy(a.bytes + kZdsvAddressNameOffset, address.name, length);
        put16(36, 270);
        put16(38, 38663);
        put16(kZdsvAddressKindOffset, 20);
    }
    return Connect(nullptr, a, 0);
}

bool DeviceSession::ReadName(char* buffer, uint32_t size) {
    DevInfoStatus result{};
    DevInfoClient_GetAttr1056(client_, iface_, connection_, buffer, size, &result);
    return result.status == 0 && result.libraryCode == 0 ? true : Fail(result.status, result.libraryCode);
}

bool DeviceSession::CheckName(const char* expectedName) {
    if (!expectedName || !*expectedName) return true;
    char name[256];
    if (!ReadName(name, sizeof name)) return false;
    return lstrcmpA(name, expectedName) == 0 || Fail(kQueryWrongDevice);
}
