// The driver's entry for DeviceCapabilitiesA: the spooler routes the call here for the printers
// of this driver, and the model extension answers it from the printer's data file and tables.
#pragma once

#include <windows.h>

// Answers as DeviceCapabilitiesA does: a count, a value, or -1 when the printer cannot be opened,
// its data file cannot be loaded or the capability is not answered.
int WINAPI DriverDeviceCapabilities(LPCSTR device, LPCSTR port, WORD capability, LPSTR output,
                                    const DEVMODEA* devmode);
