// The host program's --summary: the settings summary of the printer, as a person gets it in the
// printing-preferences sheet (View settings, then Copy), read back from the clipboard.
#pragma once

#include "tools/driver_library.h"

#include <cstdint>
#include <string>
#include <vector>

// Prints the summary of the session's settings; with `pictureFolder` not empty, saves the
// pictures of the sheet and the summary as the steps leave them. 0 when the summary was copied.
int PrintSettingsSummary(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                         const std::string& pictureFolder);
