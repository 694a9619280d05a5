// Loading the device-information library for a client. The library is loaded by full path from
// its folder, and the folder is made the process's current directory for as long as the library
// stays loaded: the library may open its own files by bare name. The switch is process-wide, so
// every other thread sees it too; unloading switches back to what the caller had.
#include "device/devinfo_library.h"

#include "core/memory/private_heap.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>

namespace {

constexpr DWORD kAllAccess = 0xF000C;

// Copies text into a MAX_PATH buffer; false when it does not fit.
bool CopyPath(char* target, const char* text) {
    size_t length = std::strlen(text);
    if (length >= MAX_PATH) return false;
    std::memcpy(target, text, length + 1);
    return true;
}

// The folder of the printer's driver file, or false.
bool DriverFolder(const char* printerName, char* folder) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, kAllAccess};
    if (!OpenPrinterA(const_cast<char*>(printerName), &printer, &defaults) &&
        !OpenPrinterA(const_cast<char*>(printerName), &printer, nullptr))
        return false;
    bool found = false;
    DWORD needed = 0;
    if (!GetPrinterDriverA(printer, nullptr, 2, nullptr, 0, &needed) &&
        GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > 0) {
        if (auto* block = static_cast<BYTE*>(PrivateAlloc(needed))) {
            if (GetPrinterDriverA(printer, nullptr, 2, block, needed, &needed)) {
                const char* path = reinterpret_cast<DRIVER_INFO_2A*>(block)->pDriverPath;
                if (path && CopyPath(folder, path)) {
                    if (char* slash = std::strrchr(folder, '\\')) *slash = '\0';
                    found = folder[0] != '\0';
                }
            }
            PrivateFree(block);
        }
    }
    ClosePrinter(printer);
    return found;
}

int ChooseFolder(DevInfoLibraryState* state, const char* printerName, int mode) {
    switch (mode) {
    case 1:
    case 4:
        return DriverFolder(printerName, state->folder) ? 0 : kDevInfoNoDriverFolder;
    case 2:
    case 3: {
        UINT length = GetSystemDirectoryA(state->folder, MAX_PATH);
        return length > 0 && length < MAX_PATH ? 0 : kDevInfoNoSystemFolder;
    }
    default:
        return kDevInfoBadArgument;
    }
}

int NotLoadedCode(int mode) {
    switch (mode) {
    case 1: return kDevInfoNotLoadedMode1;
    case 2:
    case 3: return kDevInfoNotLoadedSystem;
    case 4: return kDevInfoNotLoadedMode4;
    default: return kDevInfoBadArgument;
    }
}

// Loads one file from the state's folder. The caller's directory is saved only before the first
// attempt of a state, so that a second attempt cannot save the library's folder instead.
int LoadOne(DevInfoLibraryState* state, const char* fileName, int mode) {
    if (!fileName || state->module) return kDevInfoBadArgument;
    if (state->savedDirectoryLength == 0) {
        DWORD length = GetCurrentDirectoryA(MAX_PATH, state->savedDirectory);
        state->savedDirectoryLength = length < MAX_PATH ? length : 0;
    }
    if (!SetCurrentDirectoryA(state->folder)) return kDevInfoNoFolderSwitch;
    char path[MAX_PATH];
    if (std::strlen(state->folder) + 1 + std::strlen(fileName) >= MAX_PATH) return NotLoadedCode(mode);
    wsprintfA(path, "%s\\%s", state->folder, fileName);
    state->module = LoadLibraryA(path);
    return state->module ? 0 : NotLoadedCode(mode);
}

// Creates the state of a client that has none.
int CreateState(DevInfoClient* client) {
    if (client->state) return kDevInfoBadArgument;
    client->state = static_cast<DevInfoLibraryState*>(PrivateAlloc(sizeof(DevInfoLibraryState)));
    return client->state ? 0 : kDevInfoNoMemory;
}

int LoadFirstOf(DevInfoLibraryState* state, const char* fileName, const char* secondFileName, int mode) {
    int code = LoadOne(state, fileName, mode);
    if (code != 0 && secondFileName) code = LoadOne(state, secondFileName, mode);
    return code;
}

}  // namespace

void DevInfoClient_FreeLibrary(DevInfoClient* client) {
    if (!client || !client->state) return;
    DevInfoLibraryState* state = client->state;
    if (state->module) FreeLibrary(state->module);
    if (state->savedDirectoryLength != 0) SetCurrentDirectoryA(state->savedDirectory);
    PrivateFree(state);
    client->state = nullptr;
}

int DevInfoClient_LoadLibraryByName(DevInfoClient* client, const char* fileName, const char* printerName, int mode) {
    return DevInfoClient_LoadLibrary(client, fileName, nullptr, printerName, mode);
}

int DevInfoClient_LoadLibrary(DevInfoClient* client, const char* fileName, const char* secondFileName,
                              const char* printerName, int mode) {
    if (!client || !fileName || !printerName) return kDevInfoBadArgument;
    if (int code = CreateState(client)) return code;
    if (int code = ChooseFolder(client->state, printerName, mode)) return code;
    return LoadFirstOf(client->state, fileName, secondFileName, mode);
}

int DevInfoClient_LoadLibraryFromFolder(DevInfoClient* client, const char* fileName, const char* secondFileName,
                                        const char* folder, int mode) {
    if (!client || !fileName || !folder) return kDevInfoBadArgument;
    if (int code = CreateState(client)) return code;
    if (!CopyPath(client->state->folder, folder)) return kDevInfoNoFolderSwitch;
    return LoadFirstOf(client->state, fileName, secondFileName, mode);
}

FARPROC DevInfoClient_GetEntry(DevInfoClient* client, const char* name) {
    if (!client || !client->state || !client->state->module || !name) return nullptr;
    return GetProcAddress(client->state->module, name);
}
