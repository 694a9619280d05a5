// Loading and unloading of the device-information library by a client (client slots 40 to 44):
// the folder is the printer driver's or the system folder by mode, or one the caller names; the
// caller's current directory is saved once and restored on unload.
#pragma once

#include "device/devinfo_client.h"

// Folder modes: 1 and 4 the printer driver's folder, 2 and 3 the system folder.
inline constexpr int kDevInfoFolderDriver = 1;
inline constexpr int kDevInfoFolderSystem = 2;

void DevInfoClient_FreeLibrary(DevInfoClient* client);
int DevInfoClient_LoadLibraryByName(DevInfoClient* client, const char* fileName, const char* printerName, int mode);
int DevInfoClient_LoadLibrary(DevInfoClient* client, const char* fileName, const char* secondFileName,
                              const char* printerName, int mode);
int DevInfoClient_LoadLibraryFromFolder(DevInfoClient* client, const char* fileName, const char* secondFileName,
                                        const char* folder, int mode);
FARPROC DevInfoClient_GetEntry(DevInfoClient* client, const char* name);

// The export as a callable of its own type, cast through the generic function type.
template <class F>
F DevInfoClient_GetEntryAs(DevInfoClient* client, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(DevInfoClient_GetEntry(client, name)));
}
