// The platform's own system libraries (see system_modules.h). Only ADVAPI32's cryptographic
// functions are reached by name today; its registry functions are linked directly.
#include "platform/kernel/system_modules.h"

#include "platform/kernel/code_page.h"

#include <wincrypt.h>
#include <windows.h>

#include <cstring>
#include <iterator>

namespace kernel {
namespace {

template <typename F>
FARPROC Entry(F* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

const SystemExport kAdvapi32[] = {
    {"CryptAcquireContextA", Entry(&CryptAcquireContextA)},
    {"CryptCreateHash", Entry(&CryptCreateHash)},
    {"CryptDestroyHash", Entry(&CryptDestroyHash)},
    {"CryptDestroyKey", Entry(&CryptDestroyKey)},
    {"CryptHashData", Entry(&CryptHashData)},
    {"CryptImportKey", Entry(&CryptImportKey)},
    {"CryptReleaseContext", Entry(&CryptReleaseContext)},
    {"CryptVerifySignatureA", Entry(&CryptVerifySignatureA)},
};

const SystemModule kModules[] = {
    {"ADVAPI32.DLL", kAdvapi32, std::size(kAdvapi32)},
};

}  // namespace

const SystemModule* FindSystemModule(std::string_view fileName) {
    for (const SystemModule& module : kModules)
        if (EqualNoCase(fileName, module.fileName)) return &module;
    return nullptr;
}

FARPROC SystemModuleExport(const SystemModule& module, const char* name) {
    for (std::size_t i = 0; i < module.count; ++i)
        if (std::strcmp(module.exports[i].name, name) == 0) return module.exports[i].address;
    return nullptr;
}

}  // namespace kernel
