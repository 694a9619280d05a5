// The host program's --sheet: the printing-preferences sheet opened as an application opens it
// (the sheet request 0x1002B through VomelDeviceMode), a person played by a script in it, and
// the device mode printed as the sheet left it.
#pragma once

#include "tools/driver_library.h"
#include "tools/sheet_script.h"

#include <cstdint>
#include <string>
#include <vector>

// Runs the steps in the sheet and the dialogs it opens; with `pictureFolder` (a host folder)
// not empty, saves a PNG picture of every page and dialog as the script leaves it. Prints the
// sheet's result and the fields of `settings` the sheet changed. 0 when every step could be done
// and the request answered 0, else 1.
int RunSheetScript(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                   const std::vector<SheetStep>& steps, const std::string& pictureFolder);

// Runs the steps in the library's dialog of `kind`, opened as the 16-bit driver opens it
// (GTF_OpenDialog over a device object of the printer); pictures as above. Prints the dialog's
// answer. 0 when every step could be done and the dialog was shown, else 1.
int RunDialogScript(HMODULE library, const char* printer, DWORD kind, const std::vector<SheetStep>& steps,
                    const std::string& pictureFolder);
