// The per-model extension library: a file in the driver folder whose name ends in the model
// number in hexadecimal and ".DLL" ("VOMX080B.DLL" for model 2059), with the entry
// "ExtGetFunctions". Such a library brings the model's resources (bitmaps, dialog templates);
// the handlers stay the built-in extension's, which every model shares.
#pragma once

#include "model/model_extension.h"

#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr char kExtLibraryPrefix[] = "VOMX";
inline constexpr char kExtEntryName[] = "ExtGetFunctions";
inline constexpr DWORD kExtInterfaceVersion = 1;

// What "ExtGetFunctions" fills in: its size and version as the library knows them and what the
// library claims. Every field is fixed-width; the library may be older or newer than the core.
struct ExtFunctionTable {
    DWORD size;     // bytes the library filled
    DWORD version;  // the library's interface version
    DWORD claims;   // kExtClaim* bits
};
inline constexpr DWORD kExtClaimResources = 0x1;

// BOOL WINAPI ExtGetFunctions(DWORD coreVersion, ExtFunctionTable* table)
typedef BOOL(WINAPI* ExtGetFunctionsProc)(DWORD coreVersion, ExtFunctionTable* table);

// "VOMX" + the model number as four upper-case hexadecimal digits + ".DLL".
std::string ExtLibraryName(uint16_t model);

class ModelExtensionLibrary {
public:
    ModelExtensionLibrary() = default;
    ~ModelExtensionLibrary();
    ModelExtensionLibrary(const ModelExtensionLibrary&) = delete;
    ModelExtensionLibrary& operator=(const ModelExtensionLibrary&) = delete;

    // Loads the model's library from the driver folder (a Windows path without a trailing
    // backslash). A library that is missing, has no entry, refuses the call or answers a table
    // that is too short is unloaded again; the built-in extension then stands alone. Answers
    // whether a library is held.
    bool Load(const std::string& driverDirectory, uint16_t model);
    void Unload();

    // The handlers: always the built-in extension.
    const ModelExtension& Extension() const { return BuiltInModelExtension(); }
    // The library's module when it claims the resources, else null (the core's own resource
    // module then serves).
    HMODULE ResourceModule() const { return claims_ & kExtClaimResources ? module_ : nullptr; }
    HMODULE Module() const { return module_; }

private:
    HMODULE module_ = nullptr;
    DWORD claims_ = 0;
};
