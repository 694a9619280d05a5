// `UiServiceTable`: the operations the object side (settings, items, dialogs, previews, device
// configuration, profiles, features) calls on a `UIDEVDATA`. Each takes the object first and
// answers its failure (0 or null) for a null object. Callers name the operation; its place in the
// table is of no meaning.
#pragma once

#include "core/device/uidevdata.h"

#include <commctrl.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

class DeviceData;
class CmUserData;

struct UiServiceTable {
    // The parsed driver data file, loaded once; null when it cannot be loaded.
    DeviceData* (*LoadDeviceData)(UIDEVDATA* ctx);

    // Device modes (kind 1 default, 2 printer default, 3 the request's current) and their forms
    // (1 current, 2 extended).
    uint8_t* (*GetDevmode)(UIDEVDATA* ctx, int kind);
    DWORD (*GetDevmodeSize)(UIDEVDATA* ctx, int form);
    BOOL (*GetOption)(UIDEVDATA* ctx, const void* devmode, DWORD numberOrId, void* buffer, DWORD size);
    BOOL (*SetOption)(UIDEVDATA* ctx, void* devmode, DWORD numberOrId, const void* buffer, DWORD size);
    BOOL (*ValidateDevmode)(UIDEVDATA* ctx, const void* source, void* destination);
    BOOL (*ConvertDevmode)(UIDEVDATA* ctx, void* current, void* other, int direction);

    // The device-option block and its values; a null block means the request's own.
    uint8_t* (*GetDeviceOption)(UIDEVDATA* ctx);
    uint8_t* (*GetDeviceOptionData)(UIDEVDATA* ctx);
    DWORD (*GetDeviceOptionSize)(UIDEVDATA* ctx);
    BOOL (*WriteDeviceOption)(UIDEVDATA* ctx, const void* block);
    BOOL (*GetDeviceOptionValue)(UIDEVDATA* ctx, const void* block, DWORD id, void* buffer, DWORD size);
    BOOL (*SetDeviceOptionValue)(UIDEVDATA* ctx, void* block, DWORD id, const void* buffer, DWORD size);

    // Interfaces over the core's tables (kind 0 forms, 1 sources, 2 and 4 font substitution,
    // 5 its writer, 6 the form database, 7 data items); *out is null when there is none.
    BOOL (*Query)(UIDEVDATA* ctx, int kind, int reserved, void** out);
    BOOL (*LoadColorLibraries)(UIDEVDATA* ctx, int kind, void* table);
    BOOL (*RefreshTable)(UIDEVDATA* ctx, int kind);
    BOOL (*SetUserPaperSize)(UIDEVDATA* ctx, LONG width, LONG length);
    BOOL (*Inflate)(UIDEVDATA* ctx, const void* source, DWORD sourceSize, void* destination, DWORD destinationSize);

    // The printer and the driver.
    LPCSTR (*GetPrinterName)(UIDEVDATA* ctx);
    HANDLE (*GetPrinterHandle)(UIDEVDATA* ctx);
    HANDLE (*GetHeap)(UIDEVDATA* ctx);
    DWORD (*GetDeviceDataValue2)(UIDEVDATA* ctx);
    LPCSTR (*GetModelBlockB)(UIDEVDATA* ctx);
    CmUserData* (*GetUserData)(UIDEVDATA* ctx);
    HMODULE (*GetExtModule)(UIDEVDATA* ctx);
    LPCSTR (*GetDriverDirectory)(UIDEVDATA* ctx);
    BOOL (*GetPrinter)(UIDEVDATA* ctx, HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);

    // The resource module.
    int (*LoadString)(UIDEVDATA* ctx, UINT id, LPSTR buffer, int size);
    HMENU (*LoadMenu)(UIDEVDATA* ctx, UINT id);
    HBITMAP (*LoadBitmap)(UIDEVDATA* ctx, UINT id);
    HICON (*LoadIcon)(UIDEVDATA* ctx, UINT id);
    HCURSOR (*LoadCursor)(UIDEVDATA* ctx, UINT id);
    const void* (*FindResource)(UIDEVDATA* ctx, UINT id, UINT type, DWORD* size);
    HIMAGELIST (*LoadImageList)(UIDEVDATA* ctx, UINT bitmapId, int imageWidth, int grow, COLORREF mask);

    // The request.
    void** (*GetItemBuffer)(UIDEVDATA* ctx);  // all of them, kItemBufferCount entries
    void* (*GetItemBufferByIndex)(UIDEVDATA* ctx, int index);
    int (*GetKind)(UIDEVDATA* ctx);
    int (*GetSubtype)(UIDEVDATA* ctx);
    WORD (*GetWord)(UIDEVDATA* ctx, int index);
    BOOL (*TestAppFlags)(UIDEVDATA* ctx, DWORD mask);

    // Values of the printer's driver data (0 or the spooler's error for the first two).
    DWORD (*SetPrinterData)(UIDEVDATA* ctx, HANDLE printer, LPCSTR name, DWORD type, const void* data, DWORD size);
    DWORD (*GetPrinterData)(UIDEVDATA* ctx, HANDLE printer, LPCSTR name, DWORD* type, void* buffer, DWORD size,
                            DWORD* needed);
    BOOL (*WritePrinterStringId8)(UIDEVDATA* ctx, LPCSTR name, LPCSTR text);
    BOOL (*ReadPrinterString)(UIDEVDATA* ctx, LPCSTR name, LPSTR buffer, DWORD size, LPCSTR fallback);
    BOOL (*SetPrinterDword)(UIDEVDATA* ctx, LPCSTR name, DWORD value);
    DWORD (*GetPrinterDword)(UIDEVDATA* ctx, LPCSTR name, DWORD fallback);
    DWORD (*GetPrinterDwordKey)(UIDEVDATA* ctx, HANDLE printer, HKEY root, LPCSTR path, LPCSTR name, DWORD fallback,
                                DWORD pseudoItem);
    BOOL (*GetWindowsVersion)(UIDEVDATA* ctx, OSVERSIONINFOA* info);

    // Pseudo-printer contexts.
    BOOL (*IsPseudoPrinter)(UIDEVDATA* ctx, HANDLE handle);
    DWORD (*PseudoPrinterGetField8)(UIDEVDATA* ctx, HANDLE handle);
    BOOL (*PseudoPrinterSetData)(UIDEVDATA* ctx, HANDLE handle, DWORD slot, const void* data, DWORD size);
    BOOL (*PseudoPrinterGetData)(UIDEVDATA* ctx, HANDLE handle, DWORD slot, void* buffer, DWORD size);
    BOOL (*PseudoPrinterSetField24)(UIDEVDATA* ctx, HANDLE handle, DWORD value);

    // Owned by later parts of the library; they answer their failure until those register.
    BOOL (*ShowPropertySheetFromRequest)(UIDEVDATA* ctx, void* request);
    BOOL (*CallDevInstall)(UIDEVDATA* ctx, DWORD kind, DWORD success);
};

// The one table every `UIDEVDATA` carries.
extern const UiServiceTable g_uiServiceTable;
