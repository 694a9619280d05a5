// The request codes the driver answers itself (`NonSvSDK`), one function per code, grouped by
// concern into their files. Each takes the request's host, the request kind and the caller's data
// and answers 0 done, 1 no buffer or failure, 2 not supported, 3 refused.
#pragma once

#include "settings/sdk/nonsv_host.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

using NonSvOperation = int (*)(NonSvHost& host, int kind, void* data);

namespace nonsv {

// Fixed values and capabilities (nonsv_fixed_values.cpp).
int Code10005(NonSvHost&, int, void*);
int Code1000B(NonSvHost&, int, void*);
int Query1000C(NonSvHost&, int, void*);
int Code10010(NonSvHost&, int, void*);
int Code10016(NonSvHost&, int, void*);
int Code10040(NonSvHost&, int, void*);
int Code10042(NonSvHost&, int, void*);
int Code10044(NonSvHost&, int, void*);
int Code10045(NonSvHost&, int, void*);
int Code1004A(NonSvHost&, int, void*);
int Code10050(NonSvHost&, int, void*);
int Code10056(NonSvHost&, int, void*);
int Code100CA(NonSvHost&, int, void*);
int Code100DD(NonSvHost&, int, void*);
int Code1010A(NonSvHost&, int, void*);
int Code1010E(NonSvHost&, int, void*);
int Code10112(NonSvHost&, int, void*);
int Code10115(NonSvHost&, int, void*);
int Code1012E(NonSvHost&, int, void*);
int Code1013D(NonSvHost&, int, void*);
int Code1013F(NonSvHost&, int, void*);
int Code1003E(NonSvHost&, int, void*);
int Code1002C(NonSvHost&, int, void*);

// Switches kept in options and private fields (nonsv_switches.cpp).
int Code10017(NonSvHost&, int, void*);
int Code10018(NonSvHost&, int, void*);
int Code10019(NonSvHost&, int, void*);
int Code1001A(NonSvHost&, int, void*);
int Code1001B(NonSvHost&, int, void*);
int Code10015(NonSvHost&, int, void*);
int Code1001C(NonSvHost&, int, void*);
int Code10063(NonSvHost&, int, void*);
int Code100CB(NonSvHost&, int, void*);
int FinishingSwitch(NonSvHost&, int, void*);

// Size classes (nonsv_size_classes.cpp).
int SizeClassLarge(NonSvHost&, int, void*);
int SizeClassMedium(NonSvHost&, int, void*);
int SizeClassSmall(NonSvHost&, int, void*);
int GetSizeMinima(NonSvHost&, int, void*);
int GetSizeMaxima(NonSvHost&, int, void*);

// Paper sources (nonsv_paper_sources.cpp).
int PaperSourceList(NonSvHost&, int, void*);
int PaperSourceCapabilities(NonSvHost&, int, void*);
int PaperSourceSettings(NonSvHost&, int, void*);
int Code1003B(NonSvHost&, int, void*);
int Code10118(NonSvHost&, int, void*);
int Code1011C(NonSvHost&, int, void*);

// Page lists and supported codes (nonsv_page_lists.cpp, nonsv_supported_codes.cpp).
int PageListA(NonSvHost&, int, void*);
int PageListB(NonSvHost&, int, void*);
int PageSourceList(NonSvHost&, int, void*);
int PageList30A(NonSvHost&, int, void*);
int PageList30B(NonSvHost&, int, void*);
int GetSupportedCodes(NonSvHost&, int, void*);

// Mail boxes (nonsv_mail_boxes.cpp).
int GetMaxMailBoxNumber(NonSvHost&, int, void*);
int MailBoxList(NonSvHost&, int, void*);
int MailBoxDestination(NonSvHost&, int, void*);

// Secured user and accounts (nonsv_accounts.cpp).
int SetUserAndPin(NonSvHost&, int, void*);
int SetAccountMode(NonSvHost&, int, void*);
int AccountData(NonSvHost&, int, void*);
int VerifyAccount(NonSvHost&, int, void*);
// 1 when the name is 1 to 32 characters and the PIN 1 to 7 digits; the texts are read no further
// than nameMax and pinMax bytes.
int ValidateUserAndPin(const char* name, size_t nameMax, const char* pin, size_t pinMax);
// 1 when the department id is a number from 1 to 9,999,999 and the password, when given, one
// from 0 to 9,999,999, each short enough for its 16-byte stored field.
int ValidateAccount(const char* id, size_t idMax, const char* password, size_t passwordMax);
// The device's answer to the stored verification id and password, asked through the maker's
// device-information library; 0 when it did not confirm. Sets the verification status of the
// device mode: 10 when the device could not be asked, 9 when it refused.
int QueryAccountFromDevice(NonSvHost& host);

// Media (nonsv_media.cpp).
int RefreshBrandMedia(NonSvHost&, int, void*);
int BrandMediaName(NonSvHost&, int, void*);
int BrandMediaList(NonSvHost&, int, void*);

// The device configuration (nonsv_configuration.cpp).
int RefreshDeviceConfiguration(NonSvHost&, int, void*);
// Stores the model table's mail-box names under the printer's "DeviceOption" key; 1 when written,
// 0 when the device has no named boxes.
int WriteMailBoxNames(NonSvHost& host);
// Creates or opens the key, sets the binary value and closes the key; true on success.
bool WriteRegistryValue(HKEY root, const char* path, const char* name, const void* data, DWORD size);

}  // namespace nonsv
