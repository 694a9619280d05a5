// The system libraries whose entry points the platform itself provides: a program loads them by
// name (LoadLibraryA) and finds their functions with GetProcAddress, as on the original, without a
// file behind them. They come before any file of the same name, as the original's known system
// libraries do, so a file planted in a folder cannot stand in for them.
#pragma once

#include <windef.h>

#include <string_view>

namespace kernel {

struct SystemExport {
    const char* name;
    FARPROC address;
};

struct SystemModule {
    const char* fileName;  // "ADVAPI32.DLL"
    const SystemExport* exports;
    std::size_t count;
};

// The system library of that file name (compared without regard to case); null for any other.
const SystemModule* FindSystemModule(std::string_view fileName);

// The entry point of that name (compared exactly); null when the library has none.
FARPROC SystemModuleExport(const SystemModule& module, const char* name);

}  // namespace kernel
