// The common adapter's handles and the defaults of the operations `SDK` answers.
#include "settings/sdk/cm_non_sv_sdk.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/registry/conflict.h"

#include <algorithm>

void CmNonSvSDK::Attach(UIDEVDATA* request) {
    if (ctx || !request || !request->svc) return;
    const UiServiceTable* svc = request->svc;
    CmUserData* user = svc->GetUserData(request);
    settings = user ? user->GetSettingsSource() : nullptr;
    defaultDevmode = svc->GetDevmode(request, 1);
    deviceOption = user ? user->GetDeviceOptionSource() : nullptr;
    ctx = request;
    printer = svc->GetPrinterHandle(request);
    modelCode = static_cast<uint16_t>(svc->GetDeviceDataValue2(request));
    deviceData = svc->LoadDeviceData(request);
}

void CmNonSvSDK::Reset() {
    settings = nullptr;
    defaultDevmode = nullptr;
    deviceOption = nullptr;
    ctx = nullptr;
    printer = nullptr;
    modelCode = 0;
    deviceData = nullptr;
}

LONG CmNonSvSDK::Request(DWORD, DWORD, void*) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::GetCodeState(DWORD) { return kSdkAnswerNotSupported; }
LONG CmNonSvSDK::GetItemState(DWORD) { return kSdkAnswerNotSupported; }
void CmNonSvSDK::Refresh(DWORD) {}
void CmNonSvSDK::RefreshItems(DWORD) {}
LONG CmNonSvSDK::CheckProfileDevmode(uint8_t*, uint8_t*) { return 1; }

LONG CmNonSvSDK::AnswerCommon(DWORD kind, DWORD code, void* data) {
    const auto table = CommonTable();
    const auto at = std::lower_bound(table.begin(), table.end(), code,
                                     [](const Entry& entry, DWORD wanted) { return entry.code < wanted; });
    if (at == table.end() || at->code != code) return kSdkNotMine;
    return (this->*at->op)(kind, data);
}

LONG CmNonSvSDK::NotSupported(DWORD, void*) { return kSdkAnswerNotSupported; }

CmSvConflict* CmNonSvSDK::Registry() const { return RegistryOf(ctx); }

bool CmNonSvSDK::GetOption(const void* devmode, DWORD number, void* buffer, DWORD size) const {
    return ctx && devmode && ctx->svc->GetOption(ctx, devmode, number, buffer, size);
}

bool CmNonSvSDK::SetOption(void* devmode, DWORD number, const void* buffer, DWORD size) const {
    return ctx && devmode && ctx->svc->SetOption(ctx, devmode, number, buffer, size);
}

uint32_t CmNonSvSDK::Option32(const void* devmode, DWORD number) const {
    uint32_t value = 0;
    return GetOption(devmode, number, &value, sizeof value) ? value : 0;
}

uint16_t CmNonSvSDK::Option16(const void* devmode, DWORD number) const {
    uint16_t value = 0;
    return GetOption(devmode, number, &value, sizeof value) ? value : 0;
}
