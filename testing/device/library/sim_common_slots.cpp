// The slots both tables have: start and stop, the device information block, connections.
#include "sim_runtime.h"

#include <cstdlib>
#include <cstring>

namespace simdev {

namespace {

uint32_t InformationSize() {
    return static_cast<uint32_t>(sizeof(ZdsvDeviceInformation) + sizeof(ZdsvAddress) + g_device.host.size() + 1);
}

}  // namespace

int32_t OpenInformation(const char* name, void** handle) {
    Log("open-info %s", name ? name : "(null)");
    if (!handle) return -1;
    *handle = std::calloc(1, 8);
    return 0;
}

uint32_t QueryInformation(void* handle, uint32_t infoClass, void* buffer, uint32_t size, uint32_t* needed) {
    Log("query-info %u %u", infoClass, size);
    if (!handle || infoClass != kZdsvInformationClass) return kZdsvRefused;
    if (g_device.infoCode) return g_device.infoCode;
    uint32_t want = InformationSize();
    if (!buffer || size < want) {
        if (needed) *needed = want;
        return kZdsvBufferTooSmall;
    }
    std::memset(buffer, 0, size);
    auto* info = static_cast<ZdsvDeviceInformation*>(buffer);
    auto* address = reinterpret_cast<ZdsvAddress*>(info + 1);
    char* host = reinterpret_cast<char*>(address + 1);
    info->size = want;
    info->port = g_device.port;
    if (g_device.hasAddress) {
        info->addressCount = 1;
        info->address = address;
        for (int i = 0; i < 4; ++i) {
            uint32_t part = g_device.address[i];
            std::memcpy(address->bytes + 4 * i, &part, 4);
        }
    }
    std::memcpy(host, g_device.host.c_str(), g_device.host.size() + 1);
    info->hostName = g_device.host.empty() ? nullptr : host;
    if (g_device.strayPointers) {
        // Places past the block the caller gave: a client must not follow them.
        info->address = reinterpret_cast<ZdsvAddress*>(static_cast<uint8_t*>(buffer) + size + 64);
        info->hostName = static_cast<const char*>(buffer) + size;
    }
    return 0;
}

int32_t CloseInformation(void* handle) {
    Log("close-info");
    std::free(handle);
    return 0;
}

int32_t Start() {
    LoadDevice();
    // A refused start is logged apart: it has no stop to pair with.
    Log(g_device.startCode ? "refused-start %d" : "start %d", g_device.startCode);
    return g_device.startCode;
}

int32_t Stop() {
    Log("stop");
    StopWorker();
    return 0;
}

int32_t Connect(const char* host, const ZdsvAddress* address, void*, void*, uint32_t port, void** connection) {
    // A refused connection is logged apart, so that the log pairs each connection with its end.
    bool refused = g_device.connectCode != 0 || !connection;
    Log("%s %s %u %s", refused ? "refused-connect" : "connect", host ? host : "-", port,
        address ? HexOf(address, sizeof *address).c_str() : "-");
    if (refused) return g_device.connectCode ? g_device.connectCode : -1;
    *connection = std::calloc(1, 8);
    return 0;
}

int32_t Disconnect(void* connection) {
    Log("disconnect");
    std::free(connection);
    return 0;
}

}  // namespace simdev
