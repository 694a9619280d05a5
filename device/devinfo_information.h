// The device information block (class 10) of a named device, read through the library's
// information slots (client slot 45), and the test whether this computer serves the printer
// (client slot 46).
#pragma once

#include "device/devinfo_client.h"

// Layout 1 uses the information slots of the client's table (768), any other layout those of
// the direct query's table (784). The block is on the private heap (freed with PrivateFree), or
// null with the reason in the result record.
ZdsvDeviceInformation* DevInfoClient_QueryInfo(DevInfoClient* client, const char* deviceName, int layout,
                                               ZdsvInterface* iface, DevInfoStatus* result);
// -1 without a block; 1 when the block names no computer or this one; else 0.
int DevInfoClient_IsThisComputer(DevInfoClient* client, const ZdsvDeviceInformation* information);
