// The modules LoadLibraryA and LoadLibraryExA have loaded. A module handle is the address of
// its record. Stand-in libraries are host shared objects; a module loaded with
// LOAD_LIBRARY_AS_DATAFILE, and a resource-only module (a compiled resource file loaded as a
// library), hold the file's bytes instead, for the resource loader to read.
#pragma once

#include "platform/kernel/system_modules.h"

#include <windef.h>

#include <memory>
#include <string>
#include <vector>

namespace kernel {

struct ModuleRecord {
    std::string windowsPath;   // full Windows path, as GetModuleFileNameA reports it
    std::string hostPath;      // the host file behind it
    void* library = nullptr;   // the host's handle of a loaded shared object; null for a data file
    DWORD flags = 0;           // the LoadLibraryExA flags of the first load
    bool dataFile = false;     // no code: nothing resolved, nothing run; image holds the file
    const SystemModule* system = nullptr;  // a library the platform provides: no file, no image
    std::vector<BYTE> image;   // a data-file or resource-only module's bytes: the whole file
    // Kept for the resource loader: whatever it parses from this module lives and dies with it.
    std::shared_ptr<void> resources;
    int references = 0;
};

// The record of a loaded module (null: the program's own module); null for an unknown handle.
std::shared_ptr<ModuleRecord> FindModule(HMODULE module);

}  // namespace kernel
