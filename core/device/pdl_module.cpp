// The module's callbacks: the root object's life and the routes of requests to the option
// interfaces.
#include "core/device/pdl_module.h"

#include "core/devmode/option_routes.h"
#include "core/device/ui_dispatch_route.h"
#include "core/device/user_data.h"

namespace {

constexpr DWORD kDevInstallKind = 8;
constexpr DWORD kDevInstallCode = 0x1000E;

constexpr PdlModuleEntry kModule = {PdlModuleCallbacks::Create, PdlModuleCallbacks::Open,
                                    PdlModuleCallbacks::DeviceModeRequestEx, PdlModuleCallbacks::DevInstallQuery,
                                    PdlModuleCallbacks::Destroy};

}  // namespace

BOOL PdlModuleCallbacks::Create(UIDEVDATA* ctx) {
    if (!ctx) return FALSE;
    if (!ctx->userData) {
        auto* userData = new PDLUserData(ctx);
        ctx->userData = userData;
        userData->Initialize();
    }
    return TRUE;
}

LONG PdlModuleCallbacks::Open(UIDEVDATA* ctx) {
    if (!ctx) return kResultNoItem;
    const UiDispatcher* dispatcher = CurrentUiDispatcher();
    return dispatcher && dispatcher->Open ? dispatcher->Open(ctx) : kResultNotSupported;
}

LONG PdlModuleCallbacks::DeviceModeRequestEx(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    return RunSdk(ctx, kind, code, data);
}

BOOL PdlModuleCallbacks::DevInstallQuery(UIDEVDATA* ctx) {
    if (!ctx) return FALSE;
    DWORD word = 1;
    return RunSdk(ctx, kDevInstallKind, kDevInstallCode, &word) == kResultDone;
}

void PdlModuleCallbacks::Destroy(UIDEVDATA* ctx) {
    if (!ctx) return;
    EndSdkSession(ctx);
    delete ctx->userData;
    ctx->userData = nullptr;
}

const PdlModuleEntry* PdlModuleForKind(int) { return &kModule; }
