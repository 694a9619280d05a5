// Operations of the common adapter that are not built yet answer "not supported".
#include "settings/sdk/cm_non_sv_sdk.h"

LONG CmNonSvSDK::Profile(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::AddProfile(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::DeleteProfile(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::ImportProfile(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::ResetAll(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::GetModelName(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::OpenSettingsSheet(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::Query1000C(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::GetDeviceArea2(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::GetDeviceArea1(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::QueryMany(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::Option110Level(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::Watermark(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::ColorMatching(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::ColorProfileValues(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::IsOption102Two(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::Option100Bit19(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::Option110Bit19(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::CheckBuffer(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::Option100Bit24(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::DeviceItem81B(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::DeviceItemMask(DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::AfterProfileApplied() { return 1; }
