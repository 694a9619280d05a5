// Loading a per-model extension library over LoadLibraryA. The entry is called with a table
// the core owns and checks; nothing the library answers is trusted beyond the bytes it filled.
#include "model/extension_library.h"

#include <cstdio>

std::string ExtLibraryName(uint16_t model) {
    char name[16];
    std::snprintf(name, sizeof name, "%s%04X.DLL", kExtLibraryPrefix, static_cast<unsigned>(model));
    return name;
}

ModelExtensionLibrary::~ModelExtensionLibrary() { Unload(); }

void ModelExtensionLibrary::Unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
    claims_ = 0;
}

bool ModelExtensionLibrary::Load(const std::string& driverDirectory, uint16_t model) {
    Unload();
    if (driverDirectory.empty() || driverDirectory.size() + 16 >= MAX_PATH) return false;
    std::string path = driverDirectory + "\\" + ExtLibraryName(model);
    DWORD lastError = GetLastError();  // a missing library is the usual case, not an error to report
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        SetLastError(lastError);
        return false;
    }
    auto entry = reinterpret_cast<ExtGetFunctionsProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, kExtEntryName)));
    ExtFunctionTable table = {sizeof(ExtFunctionTable), 0, 0};
    if (!entry || !entry(kExtInterfaceVersion, &table) || table.size < sizeof(ExtFunctionTable) ||
        table.version < kExtInterfaceVersion) {
        FreeLibrary(module);
        SetLastError(lastError);
        return false;
    }
    module_ = module;
    claims_ = table.claims;
    return true;
}
