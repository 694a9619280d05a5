// Which message a query's outcome shows, and whether it counts as success. Every query path
// ends in exactly one of these; the tables are the driver's answer to the library's statuses.
#pragma once

#include "core/device/uidevdata.h"
#include "device/devinfo_client.h"

#include <windows.h>

struct DeviceMessage {
    UINT id;
    int result;  // 1 only for full success
};

inline constexpr UINT kMsgQueryQuestion = 1000;
inline constexpr UINT kMsgQueryDone = 1006;
inline constexpr UINT kMsgQueryFailed = 1005;
inline constexpr UINT kMsgBrandMediaFailed = 1055;

// The configuration paths' table.
DeviceMessage DeviceInfoMessage(const DevInfoStatus& status);
// The network query's table.
DeviceMessage NetworkQueryMessage(const DevInfoStatus& status);

// Shows the message through the request's catalogue (nothing when `show` is false or the
// request has none) and answers the message's result; a null status shows nothing and answers 0.
int MapDeviceInfoError(UIDEVDATA* ctx, HWND owner, const DevInfoStatus* status, bool show);
// Shows one message id when `show`; answers the button (0 when nothing was shown).
int ShowDeviceMessage(UIDEVDATA* ctx, HWND owner, UINT id, bool show);
