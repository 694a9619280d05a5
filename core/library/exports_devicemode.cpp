// The device-mode exports. A caller's device mode is checked before anything in it is believed,
// and nothing is written back into it unless the request succeeded.
#include "core/library/exports_devicemode.h"

#include "core/device/core_context.h"
#include "core/devmode/devmode_check.h"
#include "core/library/export_guard.h"
#include "core/library/locks.h"
#include "core/devmode/option_routes.h"
#include "core/device/pdl_module.h"
#include "core/library/scoped_lock.h"
#include "core/device/service_table.h"

#include <cstring>

namespace {

constexpr DWORD kFirstApplicationCode = 0x10000;
constexpr DWORD kMinimumDevmode = 220;

// The caller's device mode, checked: the declared sizes, the signature at byte 148 and every
// section of the private part inside the declared size.
bool Acceptable(const DEVMODEA* devmode) {
    const DWORD declared = DWORD{devmode->dmSize} + devmode->dmDriverExtra;
    if (declared < kMinimumDevmode) return false;
    const auto* bytes = reinterpret_cast<const uint8_t*>(devmode);
    if (std::memcmp(bytes + devmode::kOffSignature, devmode::kSignature, devmode::kSignatureSize) != 0) return false;
    return devmode::checkDevmode(devmode, declared).trust == devmode::Trust::Private;
}

bool CopiesBack(DWORD kind, DWORD code) {
    if (code < kFirstApplicationCode) return kind == kRequestSet;
    return kind == kRequestSet || kind == 6 || kind == 8;
}

void CopyBack(UIDEVDATA* ctx, DEVMODEA* devmode) {
    const uint8_t* current = ctx->svc->GetDevmode(ctx, 3);
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
    if (!current || !size) return;
    const DWORD declared = DWORD{devmode->dmSize} + devmode->dmDriverExtra;
    if (declared >= size) {
        std::memcpy(devmode, current, size);
        return;
    }
    // A caller of an older, shorter form keeps its own sizes and private part.
    const WORD dmSize = devmode->dmSize, dmDriverExtra = devmode->dmDriverExtra;
    const WORD spec = devmode->dmSpecVersion, driver = devmode->dmDriverVersion;
    std::memcpy(devmode, current, devmode::kPublicSize);
    devmode->dmSize = dmSize;
    devmode->dmDriverExtra = dmDriverExtra;
    devmode->dmSpecVersion = spec;
    devmode->dmDriverVersion = driver;
}

}  // namespace

DRVOPUI_EXPORT HANDLE WINAPI VomelDeviceModeInit(LPCSTR printerName, LPDEVMODEA devmode, LPDWORD size) {
    return GuardExport(static_cast<HANDLE>(nullptr), [&]() -> HANDLE {
        ScopedLock lock(g_exportLock);
        UiDevDataRequest request;
        request.kind = kKindDevmode;
        request.subtype = kSubtypeNoDialog;
        request.printerName = printerName;
        UIDEVDATA* ctx = CreateUiDevData(request);
        if (!ctx) return nullptr;
        if (size) {
            const uint8_t* current = ctx->svc->GetDevmode(ctx, 3);
            const DWORD needed = ctx->svc->GetDevmodeSize(ctx, 1);
            const DWORD room = *size;
            *size = needed;
            if (devmode) {
                if (!current || room < needed) {
                    DestroyUiDevData(ctx);
                    SetLastError(ERROR_INSUFFICIENT_BUFFER);
                    return nullptr;
                }
                std::memcpy(devmode, current, needed);
            }
        }
        SetLastError(ctx->coreContext ? ctx->coreContext->dataFileErrorCode : ERROR_SUCCESS);
        return static_cast<HANDLE>(ctx);
    });
}

DRVOPUI_EXPORT LONG WINAPI VomelDeviceMode(HANDLE session, LPDEVMODEA devmode, DWORD kind, DWORD code, LPVOID data) {
    return GuardExport(static_cast<LONG>(kResultRefused), [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        if (!IsLiveUiDevData(session) || !devmode) return kResultNoItem;
        auto* ctx = static_cast<UIDEVDATA*>(session);
        devmode::DevmodeStore& store = ctx->coreContext->store;
        // An application hands in the same device mode request after request: bytes equal to the
        // ones last checked and merged are neither checked nor merged again.
        const DWORD declared = DWORD{devmode->dmSize} + devmode->dmDriverExtra;
        if (!devmode::RepeatRequestDevmode(store, devmode, declared) &&
            (!Acceptable(devmode) || !devmode::SetRequestDevmode(store, devmode)))
            return kResultRefused;
        const LONG result = code < kFirstApplicationCode ? RunFolx(ctx, kind, code, data)
                                                         : ctx->pdl->DeviceModeRequestEx(ctx, kind, code, data);
        if (result == static_cast<LONG>(kResultDone) && CopiesBack(kind, code)) CopyBack(ctx, devmode);
        return result;
    });
}

DRVOPUI_EXPORT BOOL WINAPI VomelDeviceModeTerm(HANDLE session) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        if (!IsLiveUiDevData(session)) return FALSE;
        DestroyUiDevData(static_cast<UIDEVDATA*>(session));
        return TRUE;
    });
}
