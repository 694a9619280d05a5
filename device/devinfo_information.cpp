// Reading the device information block: open the device by name, ask for class 10 with an empty
// buffer to learn the size, ask again into a block of that size, close. The library fills the
// block's pointers with places inside the block itself.
#include "device/devinfo_information.h"

#include "core/memory/private_heap.h"

#include <windows.h>

#include <cstring>

namespace {

struct InformationSlots {
    ZdsvOpenInformationProc open;
    ZdsvQueryInformationProc query;
    ZdsvCloseInformationProc close;
};

InformationSlots SlotsFor(const ZdsvInterface* iface, int layout) {
    if (layout == 1)
        return {ZdsvSlot<ZdsvOpenInformationProc>(iface, zdsv768::kOpenInformation),
                ZdsvSlot<ZdsvQueryInformationProc>(iface, zdsv768::kQueryInformation),
                ZdsvSlot<ZdsvCloseInformationProc>(iface, zdsv768::kCloseInformation)};
    return {ZdsvSlot<ZdsvOpenInformationProc>(iface, zdsv784::kOpenInformation),
            ZdsvSlot<ZdsvQueryInformationProc>(iface, zdsv784::kQueryInformation),
            ZdsvSlot<ZdsvCloseInformationProc>(iface, zdsv784::kCloseInformation)};
}

void Fail(DevInfoStatus* result, int32_t status, int32_t code) {
    result->status = status;
    result->libraryCode = code;
}

// The answer of the second query: a refusal, another code, or a block whose pointers do not lie
// inside it (a block that cannot be read safely counts as no address).
void Answer(DevInfoStatus* result, uint32_t code) {
    if (code == kZdsvRefused) Fail(result, kDevInfoRefused, static_cast<int32_t>(code));
    else if (code != 0) Fail(result, 0, static_cast<int32_t>(code));
}

// Addresses compared as numbers: a pointer from the library may point anywhere.
bool Inside(const void* block, uint32_t size, const void* p, size_t bytes) {
    auto begin = reinterpret_cast<uintptr_t>(block);
    auto at = reinterpret_cast<uintptr_t>(p);
    return at >= begin && bytes <= size && at - begin <= size - bytes;
}

// A block whose address or host name points outside it is cut off from them, so that no reader
// follows a pointer the library got wrong.
void CheckPointers(ZdsvDeviceInformation* info, uint32_t size) {
    if (info->address && !Inside(info, size, info->address, sizeof(ZdsvAddress))) {
        info->address = nullptr;
        info->addressCount = 0;
    }
    if (info->hostName) {
        bool terminated = Inside(info, size, info->hostName, 1) &&
                          std::memchr(info->hostName, 0,
                                      size - (reinterpret_cast<uintptr_t>(info->hostName) -
                                              reinterpret_cast<uintptr_t>(info))) != nullptr;
        if (!terminated) info->hostName = nullptr;
    }
}

}  // namespace

ZdsvDeviceInformation* DevInfoClient_QueryInfo(DevInfoClient* client, const char* deviceName, int layout,
                                               ZdsvInterface* iface, DevInfoStatus* result) {
    if (!result) return nullptr;
    Fail(result, 0, 0);
    InformationSlots slots = SlotsFor(iface, layout);
    if (!client || !deviceName || !slots.open || !slots.query || !slots.close) {
        Fail(result, kDevInfoBadArgument, 0);
        return nullptr;
    }
    size_t length = std::strlen(deviceName);
    if (length >= MAX_PATH) {
        Fail(result, kDevInfoNameTooLong, 0);
        return nullptr;
    }
    auto* name = static_cast<char*>(PrivateAlloc(MAX_PATH));
    if (!name) {
        Fail(result, kDevInfoNoMemory, 0);
        return nullptr;
    }
    std::memcpy(name, deviceName, length + 1);

    void* handle = nullptr;
    ZdsvDeviceInformation* info = nullptr;
    uint32_t size = 0;
    int32_t opened = slots.open(name, &handle);
    if (opened != 0) {
        Answer(result, static_cast<uint32_t>(opened));
    } else {
        uint32_t needed = 0;
        uint32_t code = slots.query(handle, kZdsvInformationClass, nullptr, 0, &needed);
        if (code == kZdsvBufferTooSmall && needed >= sizeof(ZdsvDeviceInformation)) {
            info = static_cast<ZdsvDeviceInformation*>(PrivateAlloc(needed));
            if (!info) Fail(result, kDevInfoNoMemory, 0);
            else {
                size = needed;
                code = slots.query(handle, kZdsvInformationClass, info, needed, &needed);
                Answer(result, code);
            }
        } else if (code != 0) {
            Answer(result, code);  // a refusal, or "too small" with a size that cannot hold the block
        } else {
            Fail(result, kDevInfoBadArgument, 0);  // an answer into no buffer gives no block
        }
        slots.close(handle);
    }
    PrivateFree(name);
    if (result->status != 0 || result->libraryCode != 0) {
        PrivateFree(info);
        return nullptr;
    }
    CheckPointers(info, size);
    return info;
}

int DevInfoClient_IsThisComputer(DevInfoClient*, const ZdsvDeviceInformation* information) {
    if (!information) return -1;
    if (!information->hostName) return 1;
    char self[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof self;
    if (!GetComputerNameA(self, &size)) return 0;
    return lstrcmpA(self, information->hostName) == 0 ? 1 : 0;
}
