// The page-composition item side's handles.
#include "settings/sdk/cm_sv_folx.h"

#include "core/device/service_table.h"

int CmSvFOLX::Attach(UIDEVDATA* ctx) {
    if (!ctx || !ctx->svc) return 0;
    request = ctx;
    devmode = ctx->svc->GetDevmode(ctx, 3);
    printer = ctx->svc->GetPrinterHandle(ctx);
    extModule = ctx->svc->GetExtModule(ctx);
    printerName = ctx->svc->GetPrinterName(ctx);
    return 0;
}

void CmSvFOLX::Reset(UIDEVDATA*) {
    devmode = nullptr;
    request = nullptr;
    printer = nullptr;
    extModule = nullptr;
    printerName = nullptr;
}
