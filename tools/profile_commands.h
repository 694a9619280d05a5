// The host program's profile commands: the printer's profiles listed, one applied to the
// current settings, a profile file imported, a stored profile exported to a file. They reach the
// library through its option interface, as an application does; a profile's stored record is
// read from the registry that the library and the program share.
#pragma once

#include "core/library/exports_devicemode.h"
#include "tools/host_arguments.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Runs the commands in order on the caller's settings; 0 when each succeeded, else 1.
int RunProfileCommands(decltype(&VomelDeviceMode) request, HANDLE session, std::vector<uint8_t>& settings,
                       const std::string& printer, const std::vector<ProfileCommand>& commands);
