// The 16-bit driver's device object: made, read, converted and ended through numbers. What the
// driver hands in is checked against its segment before it is read, and nothing is written into
// the driver's memory unless the whole answer fits where the driver said it may go.
#include "core/device/core_context.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_store.h"
#include "core/library/export_guard.h"
#include "core/library/exports_gtf.h"
#include "core/library/gtf_handles.h"
#include "core/library/gtf_pointers.h"
#include "core/library/gtf_request.h"
#include "core/library/gtf_sheet_data.h"
#include "core/library/hosted_pages.h"
#include "core/library/locks.h"
#include "core/library/scoped_lock.h"
#include "core/device/service_table.h"

#include <cstring>
#include <vector>

namespace {

// The largest device-option value a caller sets: the widest value of the block is a few words.
constexpr DWORD kMaxOptionValue = 256;

}  // namespace

DRVOPUI_EXPORT DWORD WINAPI GTF_CreateUIDEVDATA(DWORD vpPrinterName, DWORD vpDevmode, DWORD word1) {
    return GuardExport(DWORD{0}, [&]() -> DWORD {
        ScopedLock lock(g_exportLock);
        uint8_t* devmode = nullptr;
        DWORD declared = 0;
        if (vpDevmode && !Devmode16(vpDevmode, devmode, declared)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        UIDEVDATA* ctx = CreateForPrinter16(vpPrinterName, kKindDriver, 0, static_cast<WORD>(word1));
        if (!ctx) return 0;
        const DWORD number = (!devmode || TakeCallerDevmode(ctx, devmode, declared)) ? NumberFor(HandleKind::DeviceObject, ctx) : 0;
        if (!number) DestroyUiDevData(ctx);
        return number;
    });
}

DRVOPUI_EXPORT BOOL WINAPI GTF_DeleteUIDEVDATA(DWORD hDevData) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        // A page of the driver's sheet still hosting a child over the object keeps it.
        if (!DeviceObject16(hDevData) || RequestHosted(DeviceObject16(hDevData))) return FALSE;
        // Page records over the object go with it, so that none is left pointing at nothing.
        EndSheetDataOf(DeviceObject16(hDevData));
        DestroyUiDevData(static_cast<UIDEVDATA*>(TakeNumber(HandleKind::DeviceObject, hDevData)));
        return TRUE;
    });
}

DRVOPUI_EXPORT DWORD WINAPI GTF_CopyDEVMODE(DWORD hDevData, DWORD vpDevmode, DWORD cbDevmode) {
    return GuardExport(DWORD{0}, [&]() -> DWORD {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hDevData);
        if (!ctx) return 0;
        const uint8_t* current = ctx->svc->GetDevmode(ctx, 3);
        const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
        if (!current || !size) return 0;
        if (!vpDevmode) return size;
        uint8_t* out = cbDevmode >= size ? Flat16(vpDevmode, size) : nullptr;
        if (!out) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        std::memcpy(out, current, size);
        return size;
    });
}

DRVOPUI_EXPORT DWORD WINAPI GTF_GetExtDevModeSize(DWORD hDevData) {
    return GuardExport(DWORD{0}, [&]() -> DWORD {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hDevData);
        return ctx ? ctx->svc->GetDevmodeSize(ctx, 2) : 0;
    });
}

DRVOPUI_EXPORT BOOL WINAPI GTF_ConvertCurDevMode2ExtDevMode(DWORD hDevData, DWORD vpCurrent, DWORD vpExtended,
                                                            DWORD cbExtended) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hDevData);
        if (!ctx) return FALSE;
        devmode::DevmodeStore& store = ctx->coreContext->store;
        const DWORD currentSize = ctx->svc->GetDevmodeSize(ctx, 1);
        const DWORD extendedSize = ctx->svc->GetDevmodeSize(ctx, 2);
        uint8_t* source = nullptr;
        DWORD declared = 0;
        uint8_t* target = cbExtended >= extendedSize ? Flat16(vpExtended, extendedSize) : nullptr;
        if (!currentSize || !extendedSize || !target || !Devmode16(vpCurrent, source, declared)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        // The caller's device mode must be one of this driver's, whole inside its declared size; it
        // is merged over the printer's into a copy of ours,
        // converted into a second copy, and only a whole conversion is handed back.
        const uint8_t* printer = ctx->svc->GetDevmode(ctx, 2);
        if (!printer) return FALSE;
        std::vector<uint8_t> current(printer, printer + currentSize);
        std::vector<uint8_t> extended(extendedSize);
        if (devmode::checkDevmode(source, declared).trust != devmode::Trust::Private ||
            !devmode::ValidateDevmode(store, source, declared, current.data()) ||
            !devmode::ConvertDevmode(store, current.data(), extended.data(), extended.size(), 2)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        std::memcpy(target, extended.data(), extended.size());
        return TRUE;
    });
}

DRVOPUI_EXPORT BOOL WINAPI GTF_SetDeviceOption(DWORD hDevData, DWORD valueId, DWORD vpValue, DWORD cbValue) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hDevData);
        const uint8_t* value = cbValue && cbValue <= kMaxOptionValue ? Flat16(vpValue, cbValue) : nullptr;
        if (!ctx || !value) return FALSE;
        const uint8_t* block = ctx->svc->GetDeviceOption(ctx);
        const DWORD size = ctx->svc->GetDeviceOptionSize(ctx);
        if (!block || !size) return FALSE;
        std::vector<uint8_t> copy(block, block + size);
        return ctx->svc->SetDeviceOptionValue(ctx, copy.data(), valueId, value, cbValue) &&
               ctx->svc->WriteDeviceOption(ctx, copy.data());
    });
}
