// The bridges to the maker's further libraries: importing a resource-management file, the
// request library's list and request, the account check and the overlay page's request through
// the second interface of the device-information library. Each loads its library, runs one
// request, shows its message through the request's catalogue and unloads the library again.
#pragma once

#include "core/device/user_data.h"
#include "device/bridges/pelom_interface.h"
#include "device/device_operations.h"

#include <windows.h>

#include <cstdint>

// Messages of the bridges.
inline constexpr UINT kMsgLibraryMissing = 1001;
inline constexpr UINT kMsgAccountRefused = 1045;
inline constexpr UINT kMsgOverlayRequestFailed = 1055;
inline constexpr UINT kMsgImportFailed = 1067;
inline constexpr UINT kMsgImportDone = 1068;

// Imports the file for the printer ("TARQEN.dll" from the system folder); shows 1068 and answers
// 1, or shows 1067 (import failed) or 1001 (no library) and answers 0.
int ImportRmFile(UIDEVDATA* ctx, HWND owner, const char* path);

// One request through "PELOM.dll" for the printer, as the user named (else as the user the
// device mode names): 1 with the first 387 bytes of the reply's data in `reply`, else 0 with
// `reply` untouched. Nothing is shown.
int CallPelomRequest(UIDEVDATA* ctx, const DEVMODEA* devmode, const char* userName, uint8_t* reply);
// The same with its record on the request's heap; on success it also hands back the two reply
// words (either place may be null).
int CallPelomRequestWithHeap(UIDEVDATA* ctx, const DEVMODEA* devmode, const char* userName, uint8_t* reply,
                             uint16_t* wordB, uint16_t* wordA);
// The file-browse list into the caller's record (filled by the caller: printer name, 512, the
// page-description code, 10, 4). 1 on success; else 0, the failure's code in the record's result
// word and message 1067.
int CallPelomRequest2(UIDEVDATA* ctx, HWND owner, PelomBrowseRecord* record);

// Checks the account (its id and password as decimal texts) with the device: 1 when the device
// accepts it or does not check accounts; else a beep, message 1045 and 0. Texts that are not
// numbers are refused before the device is asked.
int CallPelomRequest3(UIDEVDATA* ctx, HWND owner, const char* id, const char* password);

// The overlay page's entries (device operation 7) through the client: 1 on success, else message
// 1055 and 0.
int PelomRequestForOverlayPage(UIDEVDATA* ctx, DevInfoClient* client, HWND owner, DevInfoListRequest* request);

// Mode 2: 1 when the text is not empty and only ASCII letters and digits, 0 when empty, -1 at
// another character. Any other mode: the text's decimal value, 0 when empty, -1 when a character
// is not a digit or the value does not fit 31 bits.
int IsAlnumString(const char* text, int mode);
