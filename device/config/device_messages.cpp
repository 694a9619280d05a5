// The status-to-message tables of the configuration paths and of the network query.
#include "device/config/device_messages.h"

#include "ui/cm_message.h"

DeviceMessage DeviceInfoMessage(const DevInfoStatus& s) {
    if (s.status == 0) {
        switch (static_cast<uint32_t>(s.libraryCode)) {
        case 0: return {kMsgQueryDone, 1};
        case 0xC052000C: return {1077, 0};
        case 0xC09884C6: return {1084, 0};
        case 0xC09884C9: return {1076, 0};
        default: return {kMsgQueryFailed, 0};
        }
    }
    if (s.status == -28) return {1075, 0};
    if (s.status == -27) return {1008, 0};
    if ((s.status >= -26 && s.status <= -23) || s.status == -21) return {1001, 0};
    if (s.status == -11) return {1002, 0};
    return {kMsgQueryFailed, 0};
}

DeviceMessage NetworkQueryMessage(const DevInfoStatus& s) {
    if (s.status == 0) {
        switch (s.libraryCode) {
        case 0: return {kMsgQueryDone, 1};
        case -21: return {1003, 0};
        case -170: return {1004, 0};
        case -1062: return {1007, 0};
        case -1121:
        case -1053: return {kMsgQueryFailed, 0};
        default: return {1008, 0};
        }
    }
    if (s.status == -44 || s.status == -43 || s.status == -21) return {1001, 0};
    if (s.status == -11) return {1002, 0};
    return {kMsgQueryFailed, 0};
}

int ShowDeviceMessage(UIDEVDATA* ctx, HWND owner, UINT id, bool show) {
    CmMessage* catalogue = show ? MessageCatalogue(ctx) : nullptr;
    return catalogue ? catalogue->Show(owner, id) : 0;
}

int MapDeviceInfoError(UIDEVDATA* ctx, HWND owner, const DevInfoStatus* status, bool show) {
    if (!status) return 0;
    DeviceMessage m = DeviceInfoMessage(*status);
    ShowDeviceMessage(ctx, owner, m.id, show);
    return m.result;
}
