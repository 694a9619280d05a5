// What the programs of tools/ do first on a drive root, as a setup would: the bundled printers
// into a registry that holds none, and the files this build made into the driver folder.
#pragma once

#include <string>
#include <vector>

// Messages begin with the program's name.

// Imports data/printers.reg when the registry holds no printer; false, with the reason printed,
// when the file does not read.
bool InstallBundledPrinters(const char* program);

// Copies the built data files and the resource module into C:\WINDOWS\SYSTEM under the drive
// root, and each (host file, Windows name) of `more`; false, with the reason printed, when one
// does not copy.
bool InstallDriverFiles(const char* program, const std::vector<std::pair<std::string, std::string>>& more = {});
