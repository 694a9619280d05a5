// Importing a resource-management file through the maker's import library, loaded from the
// system folder for the one call. A path or printer name that does not fit its 260-byte buffer
// fails the import instead of being cut.
#include "core/device/service_table.h"
#include "core/system/helper_dll.h"
#include "device/bridges/library_bridges.h"
#include "device/config/device_messages.h"

#include <cstring>

namespace {

bool Copy(char (&to)[MAX_PATH], const char* from) {
    if (!from || std::strlen(from) >= sizeof to) return false;
    std::strcpy(to, from);
    return true;
}

UINT Import(HelperDll* library, const char* printer, const char* path) {
    if (!library) return kMsgImportFailed;
    if (HelperDll_GetFolder(library->folder, sizeof library->folder, nullptr, kHelperFolderSystem) != kHelperDone ||
        HelperDll_Load(library, kTarqenLibraryName) != kHelperDone)
        return kMsgLibraryMissing;
    auto import = reinterpret_cast<TarqenImportProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library->module, kTarqenImportName)));
    if (!import) return kMsgLibraryMissing;
    char printerName[MAX_PATH] = {}, file[MAX_PATH] = {}, output[MAX_PATH] = {};
    if (!Copy(printerName, printer) || !Copy(file, path)) return kMsgImportFailed;
    return import(printerName, file, output) < 0 ? kMsgImportFailed : kMsgImportDone;
}

}  // namespace

int ImportRmFile(UIDEVDATA* ctx, HWND owner, const char* path) {
    if (!ctx) return 0;
    HelperDll* library = HelperDll_Create();
    const UINT message = Import(library, ctx->svc->GetPrinterName(ctx), path);
    ShowDeviceMessage(ctx, owner, message, true);
    HelperDll_Destroy(library);
    return message == kMsgImportDone ? 1 : 0;
}
