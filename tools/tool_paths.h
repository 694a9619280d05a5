// Where the programs of tools/ find the files they install: beside them in an installed tree
// (bin/ and lib/, share/drvopui/ under one prefix, wherever it was moved), else in the build tree
// and the sources they were built from.
#pragma once

#include <string>

// The folder of the bundled printers' hive (printers.reg) and the device description.
std::string SourceDataFolder();
// The folder of the built data files (KELVAR5E.DAT, KELVAR5C.DAT) and resources/drvopui.res.
std::string BuiltDataFolder();
// The driver library's shared object.
std::string LibraryFile();
