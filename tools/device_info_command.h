// The device query tool's command: asks the printer's device, through the device-information
// library in the driver folder, for its device record and prints it.
#pragma once

struct UIDEVDATA;

// 0 when the device answered; the record is printed either way.
int PrintDeviceInfo(UIDEVDATA* ctx);

// Installs the simulated device-information library of this build, with the bundled description
// of a device, when the driver folder holds none.
void InstallSimulatedDeviceLibrary();

// Says, as a line of the listing, that the driver folder holds no device-information library;
// false when it holds one.
bool SayWhenDeviceLibraryIsAbsent();
