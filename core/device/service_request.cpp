// The service table's operations about the request itself (kind, words, item buffers, the
// application's flags, the user data) and about the printer's data file and the tables built
// from it.
#include "core/colour/colour_library.h"
#include "core/device/core_context.h"
#include "core/datafile/data_item_cursor.h"
#include "core/datafile/device_data.h"
#include "core/datafile/inflate.h"
#include "core/device/service_ops.h"
#include "core/device/ui_dispatch_route.h"
#include "core/device/user_data.h"

namespace service {

// Query kind of the data-item interface.
inline constexpr int kQueryDataItems = 7;

DeviceData* LoadDeviceData(UIDEVDATA* ctx) {
    CoreContext* context = Context(ctx);
    return context ? CoreDeviceData(*context, ctx->printerHandle) : nullptr;
}

BOOL Query(UIDEVDATA* ctx, int kind, int /*reserved*/, void** out) {
    if (!out) return FALSE;
    *out = nullptr;
    CoreContext* context = Context(ctx);
    if (!context) return FALSE;
    if (kind == kQueryDataItems) {
        // The data-item interface holds its own use of the file; load it first.
        if (DeviceData* data = LoadDeviceData(ctx)) *out = OpenDataItemCursor(data);
        return *out != nullptr;
    }
    return QueryTable(context->tables, kind, out);
}

// The colour-profile library is the maker's, found by its file names; the table is a
// `ColorLibraryTable` that the caller releases through its first entry.
BOOL LoadColorLibraries(UIDEVDATA* ctx, int kind, void* table) {
    return ctx ? LoadColorLibraryTable(kind, static_cast<ColorLibraryTable*>(table)) : FALSE;
}

BOOL RefreshTable(UIDEVDATA* ctx, int kind) {
    CoreContext* context = Context(ctx);
    return context && ::RefreshTable(context->tables, kind);
}

BOOL SetUserPaperSize(UIDEVDATA* ctx, LONG width, LONG length) {
    CoreContext* context = Context(ctx);
    return context && width > 0 && length > 0 &&
           ::SetUserPaperSize(context->tables, static_cast<uint32_t>(width), static_cast<uint32_t>(length));
}

BOOL Inflate(UIDEVDATA* ctx, const void* source, DWORD sourceSize, void* destination, DWORD destinationSize) {
    return ctx && ::Inflate(source, sourceSize, destination, destinationSize) != 0;
}

DWORD GetDeviceDataValue2(UIDEVDATA* ctx) {
    DeviceData* data = LoadDeviceData(ctx);
    return data ? data->ModelCode() : 0;
}

LPCSTR GetModelBlockB(UIDEVDATA* ctx) {
    DeviceData* data = LoadDeviceData(ctx);
    return data ? data->ModelBlockB() : nullptr;
}

HMODULE GetExtModule(UIDEVDATA* ctx) {
    CoreContext* context = Context(ctx);
    return context ? CoreExtModule(*context) : nullptr;
}

CmUserData* GetUserData(UIDEVDATA* ctx) { return ctx ? ctx->userData : nullptr; }

void** GetItemBuffer(UIDEVDATA* ctx) { return ctx ? ctx->itemBuffers : nullptr; }

void* GetItemBufferByIndex(UIDEVDATA* ctx, int index) {
    return ctx && index >= 0 && index < kItemBufferCount ? ctx->itemBuffers[index] : nullptr;
}

int GetKind(UIDEVDATA* ctx) { return ctx ? ctx->kind : 0; }

int GetSubtype(UIDEVDATA* ctx) { return ctx ? ctx->subtype : 0; }

WORD GetWord(UIDEVDATA* ctx, int index) { return ctx && index == 1 ? ctx->requestWord1 : 0; }

BOOL TestAppFlags(UIDEVDATA* ctx, DWORD mask) { return ctx && (ctx->appFlags & mask) != 0; }

// The property sheet for an application's request belongs to the user-interface dispatcher; without
// one the user saw nothing and did not press OK.
BOOL ShowPropertySheetFromRequest(UIDEVDATA* ctx, void* request) {
    const UiDispatcher* dispatcher = CurrentUiDispatcher();
    return ctx && request && dispatcher && dispatcher->ShowPropertySheetFromRequest
               ? dispatcher->ShowPropertySheetFromRequest(ctx, request)
               : FALSE;
}

BOOL CallDevInstall(UIDEVDATA* ctx, DWORD kind, DWORD success) {
    if (!ctx) return FALSE;
    ctx->devInstallReport[0] = kind;
    ctx->devInstallReport[1] = success;
    return TRUE;
}

}  // namespace service
