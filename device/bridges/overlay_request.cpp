// The overlay page's request for its entries through the second interface of the
// device-information library (device operation 7); a failure is told to the user once.
#include "device/bridges/library_bridges.h"
#include "device/bridges/service_link.h"
#include "device/config/device_messages.h"

int PelomRequestForOverlayPage(UIDEVDATA* ctx, DevInfoClient* client, HWND owner, DevInfoListRequest* request) {
    if (!client || !request) return 0;
    request->printerName[sizeof request->printerName - 1] = '\0';
    bool done = false;
    {
        ServiceLink link(client);
        if (link.Open(request->printerName, kSsGetInterfaceName, kZdsvVersionDirect, 0) == 0)
            done = DevInfoClient_GetHandler(client, link.Link(), request, kDevOpListEntries) == 0 &&
                   request->deviceStatus >= 0;
    }
    if (done) return 1;
    ShowDeviceMessage(ctx, owner, kMsgOverlayRequestFailed, true);
    return 0;
}
