// Building and taking down a `UIDEVDATA`: the printer opened by name (the default printer when
// none is named, retried while the spooler reports error 87), the core context, the module's
// callbacks and the root object; and the set of live objects that exports check handles against.
#include "core/device/uidevdata.h"

#include "core/addins/addin_table.h"
#include "core/device/core_context.h"
#include "core/device/pdl_module.h"
#include "core/memory/private_heap.h"
#include "core/device/service_table.h"
#include "core/system/spooler_retry.h"
#include "platform/spooler/pseudo_printer.h"

#include <mutex>
#include <string>
#include <unordered_set>

namespace {

std::mutex g_liveLock;
std::unordered_set<const void*> g_live;

// The default printer's name (level 5 of EnumPrintersA with PRINTER_ENUM_DEFAULT), or empty.
std::string DefaultPrinterName() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, nullptr, 0, &needed, &count);
    if (needed < sizeof(PRINTER_INFO_5A)) return {};
    auto* info = static_cast<PRINTER_INFO_5A*>(PrivateAlloc(needed));
    std::string name;
    if (info && EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, reinterpret_cast<LPBYTE>(info), needed, &needed, &count) &&
        count > 0 && info->pPrinterName)
        name = info->pPrinterName;
    PrivateFree(info);
    return name;
}

HANDLE OpenNamedPrinter(LPCSTR printerName) {
    std::string name = printerName && *printerName ? printerName : DefaultPrinterName();
    if (name.empty()) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    HANDLE handle = nullptr;
    const DWORD rc = RetrySpoolerCall([&] { return SpoolerResult(OpenPrinterA(name.data(), &handle, nullptr)); });
    if (rc != ERROR_SUCCESS) {
        SetLastError(rc);
        return nullptr;
    }
    return handle;
}

}  // namespace

UIDEVDATA* CreateUiDevData(const UiDevDataRequest& request) {
    auto* ctx = static_cast<UIDEVDATA*>(PrivateAlloc(sizeof(UIDEVDATA)));
    if (!ctx) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    ctx->svc = &g_uiServiceTable;
    ctx->kind = request.kind;
    ctx->subtype = request.subtype;
    ctx->requestWord1 = request.word1;
    ctx->appFlags = request.appFlags;
    ctx->printerHandle = request.printerHandle;
    if (!ctx->printerHandle) {
        ctx->printerHandle = OpenNamedPrinter(request.printerName);
        ctx->ownsPrinter = ctx->printerHandle != nullptr;
    }
    if (ctx->printerHandle)
        ctx->coreContext = CreateCoreContext(ctx->printerHandle, IsPseudoPrinter(ctx->printerHandle));
    if (!ctx->coreContext) {
        DestroyUiDevData(ctx);
        return nullptr;
    }
    ctx->pdl = PdlModuleForKind(ctx->kind);
    {
        std::lock_guard<std::mutex> lock(g_liveLock);
        g_live.insert(ctx);
    }
    try {
        ctx->pdl->Create(ctx);
    } catch (...) {
        DestroyUiDevData(ctx);
        throw;
    }
    return ctx;
}

void DestroyUiDevData(UIDEVDATA* ctx) {
    if (!ctx) return;
    {
        std::lock_guard<std::mutex> lock(g_liveLock);
        g_live.erase(ctx);
    }
    if (ctx->pdl) ctx->pdl->Destroy(ctx);
    ReleaseAddIns(ctx);
    DestroyCoreContext(ctx->coreContext);
    if (ctx->ownsPrinter) ClosePrinter(ctx->printerHandle);
    PrivateFree(ctx);
}

bool IsLiveUiDevData(const void* ctx) {
    std::lock_guard<std::mutex> lock(g_liveLock);
    return ctx && g_live.count(ctx) != 0;
}
