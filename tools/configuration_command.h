// The device query tool's configuration command: asks the printer's device through the driver's
// configuration, as the printer's "read the device" does, and prints what it installed.
#pragma once

struct UIDEVDATA;

// 0 when the query succeeded; the device-option data is printed either way.
int PrintDeviceConfiguration(UIDEVDATA* ctx);
