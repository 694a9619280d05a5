// The device objects of the 16-bit side's exports (see core/library/gtf_request.h).
#include "core/library/gtf_request.h"

#include "core/device/core_context.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_store.h"
#include "core/library/gtf_handles.h"
#include "core/library/gtf_pointers.h"

#include <cstring>
#include <string>

UIDEVDATA* CreateForPrinter16(DWORD vpPrinterName, int kind, int subtype, WORD word1) {
    std::string name;
    if (!Text16(vpPrinterName, name, kPrinterNameMax)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    UiDevDataRequest request;
    request.kind = kind;
    request.subtype = subtype;
    request.printerName = name.c_str();
    request.word1 = word1;
    return CreateUiDevData(request);
}

BOOL TakeCallerDevmode(UIDEVDATA* ctx, const uint8_t* devmode, DWORD declared) {
    // The private part must be this driver's and whole inside what the caller's size declares;
    // a public DEVMODE alone, or one that lies about its sizes, is not taken.
    if (devmode::checkDevmode(devmode, declared).trust != devmode::Trust::Private ||
        !devmode::SetRequestDevmode(ctx->coreContext->store, devmode)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

void GiveBackDevmode(UIDEVDATA* ctx, uint8_t* devmode, DWORD declared) {
    const uint8_t* current = ctx->svc->GetDevmode(ctx, 3);
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
    if (!current || !size || declared < devmode::kPublicSize) return;
    if (declared >= size) {
        std::memcpy(devmode, current, size);
        return;
    }
    // An older, shorter device mode keeps its sizes, versions and private part.
    uint8_t kept[8];
    std::memcpy(kept, devmode + devmode::kOffSpecVersion, sizeof kept);
    std::memcpy(devmode, current, devmode::kPublicSize);
    std::memcpy(devmode + devmode::kOffSpecVersion, kept, sizeof kept);
}

UIDEVDATA* DeviceObject16(DWORD number) {
    auto* ctx = static_cast<UIDEVDATA*>(ObjectOf(HandleKind::DeviceObject, number));
    return ctx && IsLiveUiDevData(ctx) ? ctx : nullptr;
}
