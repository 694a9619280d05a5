// The registered option interfaces.
#include "core/devmode/option_routes.h"

namespace {
OptionRunner g_sdk = nullptr;
OptionRunner g_folx = nullptr;
SdkSessionEnd g_sdkEnd = nullptr;
}  // namespace

OptionRunner RegisterSdkRunner(OptionRunner runner) {
    OptionRunner previous = g_sdk;
    g_sdk = runner;
    return previous;
}

OptionRunner RegisterFolxRunner(OptionRunner runner) {
    OptionRunner previous = g_folx;
    g_folx = runner;
    return previous;
}

LONG RunSdk(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    return g_sdk ? g_sdk(ctx, kind, code, data) : static_cast<LONG>(kResultNotSupported);
}

LONG RunFolx(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    return g_folx ? g_folx(ctx, kind, code, data) : static_cast<LONG>(kResultNotSupported);
}

SdkSessionEnd RegisterSdkSessionEnd(SdkSessionEnd end) {
    SdkSessionEnd previous = g_sdkEnd;
    g_sdkEnd = end;
    return previous;
}

void EndSdkSession(UIDEVDATA* ctx) {
    if (g_sdkEnd) g_sdkEnd(ctx);
}
