// `UIDEVDATA`: the per-request device object. Every export builds one (or takes one an earlier
// export built) over a printer; the object side reaches the core only through its service table,
// whose pointer is the object's first word.
#pragma once

#include <windows.h>

#include <cstdint>

struct UiServiceTable;
struct CoreContext;
struct PdlModuleEntry;
class PDLUserData;

// What a request needs the device object for.
enum UiDevDataKind : int {
    kKindDriver = 20,      // kept by the 16-bit driver across calls
    kKindDevmode = 30,     // device-mode work
    kKindUserInterface = 40,
    kKindInstall = 60,
};

// What a request shows.
inline constexpr int kSubtypeDialog = 10;
inline constexpr int kSubtypeMessageBox = 20;
inline constexpr int kSubtypePropertySheets = 30;
inline constexpr int kSubtypeDeviceSettings = 40;  // the device-settings page alone
// Subtype of a device-mode request without a dialog.
inline constexpr int kSubtypeNoDialog = 80;

// Item buffers a request may carry; index 10 is the item-restriction list.
inline constexpr int kItemBufferCount = 16;
inline constexpr int kItemRestrictionBuffer = 10;

struct UIDEVDATA {
    const UiServiceTable* svc;  // first word: every service takes this object first
    int kind;
    int subtype;
    HANDLE printerHandle;  // spooler handle or pseudo-printer context
    bool ownsPrinter;      // opened by this object, closed with it
    const PdlModuleEntry* pdl;
    PDLUserData* userData;  // made by the module's create callback
    CoreContext* coreContext;
    WORD requestWord1;  // 0 standard, 1 printer folder, 2 printer properties
    void* itemBuffers[kItemBufferCount];
    DWORD appFlags;  // what the core derived for the calling application
    void* sheetPages;  // the property-sheet page array, while a sheet is up
    DWORD sheetPageCount;
    void* addIns;  // the add-in table (core/addins/addin_table.h), loaded when the sheet asks
    DWORD addInCount;
    DWORD devInstallReport[2];  // the last CallDevInstall report: {kind, success}
    HWND owner;  // the window the request's sheet or dialog is modal to; may be null
};

// How a request asks for its device object. A null handle opens the named printer (the default
// printer when the name is null or empty).
struct UiDevDataRequest {
    int kind = kKindDevmode;
    int subtype = 0;
    LPCSTR printerName = nullptr;
    HANDLE printerHandle = nullptr;
    WORD word1 = 0;
    DWORD appFlags = 0;
};

// The device object over a printer, with its core context and its user data; null with the last
// error set when the printer does not open or memory runs out.
UIDEVDATA* CreateUiDevData(const UiDevDataRequest& request);
// Releases the user data, the core context and the printer handle the object opened.
void DestroyUiDevData(UIDEVDATA* ctx);

// True for an object that CreateUiDevData made and that is not yet destroyed; exports check
// the handles callers give back before they use them.
bool IsLiveUiDevData(const void* ctx);
