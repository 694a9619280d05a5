// The host program's --driver16: the program plays the 16-bit part of the driver. Through the
// simulated generic thunks (its memory in 16-bit segments, its windows known by 16-bit handles)
// it calls the library's GTF_ exports as the driver does: it makes a device object, reads and
// converts the device mode, opens the sheets, hosts the device-settings page of the library in a
// sheet of its own, and ends everything it made.
#pragma once

#include <windows.h>

// Prints each step and its answer; 0 when every step answered as it should.
int RunDriver16(HMODULE library, const char* printer);
