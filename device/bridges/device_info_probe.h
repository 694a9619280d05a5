// The settings summary's one line of device information (`DeviceInfoProbe`), the library's own
// device-information window, and the test whether the device information names this computer.
#pragma once

#include "core/device/user_data.h"
#include "device/devinfo_interface.h"

#include <cstdint>

inline constexpr uint16_t kProbeRan = 1u << 0;        // the probe reached the device information
inline constexpr uint16_t kProbeHasValues = 1u << 1;  // and the text holds the device's values
inline constexpr size_t kProbeTextSize = 20;
inline constexpr size_t kProbeCopySize = 512;

struct DeviceInfoProbe {
    UIDEVDATA* owner;
    char text[kProbeTextSize];
    uint16_t flags;
};

// Asks the device-information library about the printer. A library that cannot be used leaves
// the flags as they were; otherwise the probe ran, and it has values only when the printer is
// served by another computer that answered.
void DeviceInfoProbe_Query(DeviceInfoProbe* probe);
uint16_t DeviceInfoProbe_GetFlags(const DeviceInfoProbe* probe);
// Copies the text into a buffer of kProbeCopySize bytes, always terminated.
void DeviceInfoProbe_CopyText(const DeviceInfoProbe* probe, char* buffer);

// Opens the library's device-information window for the printer. The library is unloaded as soon
// as the call returns, so the window must be modal: it is gone before its code is. Nothing is
// reported.
void OpenDeviceInfoLibrary(UIDEVDATA* ctx);

// 1 when the computer the information names is this one, 0 when it is another, -1 when there is
// no information, it names no computer, or this computer's name is unknown.
int DevInfo_IsLocalComputer(const ZdsvDeviceInformation* information);
