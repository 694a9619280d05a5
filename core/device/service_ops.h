// The service table's operations by family, each family in its own file: service_devmode.cpp
// (device modes, the device-option block), service_printer.cpp (printer, driver data, pseudo
// printers), service_request.cpp (the request, the data file and the tables other parts own),
// service_resources.cpp (the resource module). service_table.cpp puts them in the table.
#pragma once

#include "core/device/service_table.h"

namespace service {

// Device modes and the device-option block.
uint8_t* GetDevmode(UIDEVDATA* ctx, int kind);
DWORD GetDevmodeSize(UIDEVDATA* ctx, int form);
BOOL GetOption(UIDEVDATA* ctx, const void* devmode, DWORD numberOrId, void* buffer, DWORD size);
BOOL SetOption(UIDEVDATA* ctx, void* devmode, DWORD numberOrId, const void* buffer, DWORD size);
BOOL ValidateDevmode(UIDEVDATA* ctx, const void* source, void* destination);
BOOL ConvertDevmode(UIDEVDATA* ctx, void* current, void* other, int direction);
uint8_t* GetDeviceOption(UIDEVDATA* ctx);
uint8_t* GetDeviceOptionData(UIDEVDATA* ctx);
DWORD GetDeviceOptionSize(UIDEVDATA* ctx);
BOOL WriteDeviceOption(UIDEVDATA* ctx, const void* block);
BOOL GetDeviceOptionValue(UIDEVDATA* ctx, const void* block, DWORD id, void* buffer, DWORD size);
BOOL SetDeviceOptionValue(UIDEVDATA* ctx, void* block, DWORD id, const void* buffer, DWORD size);

// The data file and the tables of other parts.
DeviceData* LoadDeviceData(UIDEVDATA* ctx);
BOOL Query(UIDEVDATA* ctx, int kind, int reserved, void** out);
BOOL LoadColorLibraries(UIDEVDATA* ctx, int kind, void* table);
BOOL RefreshTable(UIDEVDATA* ctx, int kind);
BOOL SetUserPaperSize(UIDEVDATA* ctx, LONG width, LONG length);
BOOL Inflate(UIDEVDATA* ctx, const void* source, DWORD sourceSize, void* destination, DWORD destinationSize);
DWORD GetDeviceDataValue2(UIDEVDATA* ctx);
LPCSTR GetModelBlockB(UIDEVDATA* ctx);
HMODULE GetExtModule(UIDEVDATA* ctx);

// The request.
CmUserData* GetUserData(UIDEVDATA* ctx);
void** GetItemBuffer(UIDEVDATA* ctx);
void* GetItemBufferByIndex(UIDEVDATA* ctx, int index);
int GetKind(UIDEVDATA* ctx);
int GetSubtype(UIDEVDATA* ctx);
WORD GetWord(UIDEVDATA* ctx, int index);
BOOL TestAppFlags(UIDEVDATA* ctx, DWORD mask);
BOOL ShowPropertySheetFromRequest(UIDEVDATA* ctx, void* request);
BOOL CallDevInstall(UIDEVDATA* ctx, DWORD kind, DWORD success);

// The printer, the driver and pseudo printers.
LPCSTR GetPrinterName(UIDEVDATA* ctx);
HANDLE GetPrinterHandle(UIDEVDATA* ctx);
HANDLE GetHeap(UIDEVDATA* ctx);
LPCSTR GetDriverDirectory(UIDEVDATA* ctx);
BOOL GetPrinter(UIDEVDATA* ctx, HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);
DWORD SetPrinterData(UIDEVDATA* ctx, HANDLE printer, LPCSTR name, DWORD type, const void* data, DWORD size);
DWORD GetPrinterData(UIDEVDATA* ctx, HANDLE printer, LPCSTR name, DWORD* type, void* buffer, DWORD size,
                     DWORD* needed);
BOOL WritePrinterStringId8(UIDEVDATA* ctx, LPCSTR name, LPCSTR text);
BOOL ReadPrinterString(UIDEVDATA* ctx, LPCSTR name, LPSTR buffer, DWORD size, LPCSTR fallback);
BOOL SetPrinterDword(UIDEVDATA* ctx, LPCSTR name, DWORD value);
DWORD GetPrinterDword(UIDEVDATA* ctx, LPCSTR name, DWORD fallback);
DWORD GetPrinterDwordKey(UIDEVDATA* ctx, HANDLE printer, HKEY root, LPCSTR path, LPCSTR name, DWORD fallback,
                         DWORD pseudoItem);
BOOL GetWindowsVersion(UIDEVDATA* ctx, OSVERSIONINFOA* info);
BOOL IsPseudoPrinter(UIDEVDATA* ctx, HANDLE handle);
DWORD PseudoPrinterGetField8(UIDEVDATA* ctx, HANDLE handle);
BOOL PseudoPrinterSetData(UIDEVDATA* ctx, HANDLE handle, DWORD slot, const void* data, DWORD size);
BOOL PseudoPrinterGetData(UIDEVDATA* ctx, HANDLE handle, DWORD slot, void* buffer, DWORD size);
BOOL PseudoPrinterSetField24(UIDEVDATA* ctx, HANDLE handle, DWORD value);

// The resource module.
int LoadString(UIDEVDATA* ctx, UINT id, LPSTR buffer, int size);
HMENU LoadMenu(UIDEVDATA* ctx, UINT id);
HBITMAP LoadBitmap(UIDEVDATA* ctx, UINT id);
HICON LoadIcon(UIDEVDATA* ctx, UINT id);
HCURSOR LoadCursor(UIDEVDATA* ctx, UINT id);
const void* FindResource(UIDEVDATA* ctx, UINT id, UINT type, DWORD* size);
HIMAGELIST LoadImageList(UIDEVDATA* ctx, UINT bitmapId, int imageWidth, int grow, COLORREF mask);

// The core context of a live object, or null.
inline CoreContext* Context(UIDEVDATA* ctx) { return ctx ? ctx->coreContext : nullptr; }

}  // namespace service
