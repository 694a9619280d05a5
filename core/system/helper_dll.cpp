// The helper-library loader. A handle holds at most one library; the caller's directory is
// saved once, when a library is loaded, and restored when the handle goes, so that a failed load
// changes nothing the caller can see.
#include "core/system/helper_dll.h"

#include "core/memory/private_heap.h"
#include "core/system/registry_helpers.h"

#include <cstring>

namespace {

int CopyFolder(LPSTR folder, DWORD size, const char* text) {
    size_t length = std::strlen(text);
    while (length > 0 && (text[length - 1] == '\\' || text[length - 1] == '/')) --length;
    if (length == 0) return kHelperNotFound;
    if (length >= size) return kHelperTooLong;
    std::memcpy(folder, text, length);
    folder[length] = '\0';
    return kHelperDone;
}

// The folder of the driver file the printer's driver names; the spooler's driver folder when the
// name carries none.
int DriverFolder(LPSTR folder, DWORD size, LPCSTR printerName) {
    if (!printerName || !*printerName) return kHelperBadArgument;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<LPSTR>(printerName), &printer, nullptr)) return kHelperNotFound;
    DWORD needed = 0;
    GetPrinterDriverA(printer, nullptr, 2, nullptr, 0, &needed);
    auto* info = needed >= sizeof(DRIVER_INFO_2A) ? static_cast<DRIVER_INFO_2A*>(PrivateAlloc(needed)) : nullptr;
    int answer = kHelperNotFound;
    if (info && GetPrinterDriverA(printer, nullptr, 2, reinterpret_cast<LPBYTE>(info), needed, &needed)) {
        const char* path = info->pDriverPath ? info->pDriverPath : "";
        const char* slash = std::strrchr(path, '\\');
        if (slash && slash > path) {
            const size_t length = static_cast<size_t>(slash - path);
            if (length >= size) {
                answer = kHelperTooLong;
            } else {
                std::memcpy(folder, path, length);
                folder[length] = '\0';
                answer = kHelperDone;
            }
        } else {
            char directory[MAX_PATH] = {};
            if (GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(directory), sizeof directory, &needed))
                answer = CopyFolder(folder, size, directory);
        }
    }
    PrivateFree(info);
    ClosePrinter(printer);
    return answer;
}

int FontivarFolder(LPSTR folder, DWORD size) {
    char path[MAX_PATH + 1] = {};
    DWORD length = MAX_PATH;
    if (!RegQueryValueRead(HKEY_LOCAL_MACHINE, kFontivarSetupKey, nullptr, nullptr, "Path", path, &length))
        return length > MAX_PATH ? kHelperTooLong : kHelperNotFound;
    path[MAX_PATH] = '\0';  // a value stored without its NUL still ends here
    return CopyFolder(folder, size, path);
}

int SystemFolder(LPSTR folder, DWORD size) {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path) return kHelperNotFound;
    return CopyFolder(folder, size, path);
}

}  // namespace

HelperDll* HelperDll_Create() { return static_cast<HelperDll*>(PrivateAlloc(sizeof(HelperDll))); }

int HelperDll_GetFolder(LPSTR folder, DWORD size, LPCSTR printerName, int kind) {
    if (!folder || size == 0) return kHelperBadArgument;
    folder[0] = '\0';
    int answer = kHelperBadArgument;
    switch (kind) {
    case kHelperFolderDriver: answer = DriverFolder(folder, size, printerName); break;
    case kHelperFolderFontivar: answer = FontivarFolder(folder, size); break;
    case kHelperFolderSystem: answer = SystemFolder(folder, size); break;
    default: break;
    }
    if (answer != kHelperDone) folder[0] = '\0';
    return answer;
}

int HelperDll_Load(HelperDll* handle, LPCSTR fileName) {
    if (!handle || !fileName || !*fileName || !handle->folder[0] || handle->module) return kHelperBadArgument;
    const size_t folderLength = strnlen(handle->folder, MAX_PATH);
    if (folderLength >= MAX_PATH || folderLength + 1 + std::strlen(fileName) >= MAX_PATH) return kHelperTooLong;
    char path[MAX_PATH];
    std::memcpy(path, handle->folder, folderLength);
    path[folderLength] = '\\';
    std::strcpy(path + folderLength + 1, fileName);

    char saved[MAX_PATH] = {};
    const DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
    if (savedLength == 0 || savedLength >= sizeof saved) return kHelperTooLong;
    if (!SetCurrentDirectoryA(handle->folder)) return kHelperNotFound;
    HMODULE module = LoadLibraryA(path);
    if (!module) {
        const DWORD error = GetLastError();
        SetCurrentDirectoryA(saved);
        SetLastError(error);
        return kHelperNotFound;
    }
    handle->module = module;
    std::memcpy(handle->savedDirectory, saved, sizeof saved);
    return kHelperDone;
}

int HelperDll_LoadWithFallback(HelperDll* handle, LPCSTR first, LPCSTR second) {
    const int answer = HelperDll_Load(handle, first);
    if (answer == kHelperDone || !second) return answer;
    return HelperDll_Load(handle, second);
}

void HelperDll_Destroy(HelperDll* handle) {
    if (!handle) return;
    if (handle->module) FreeLibrary(handle->module);
    if (handle->savedDirectory[0]) SetCurrentDirectoryA(handle->savedDirectory);
    PrivateFree(handle);
}
