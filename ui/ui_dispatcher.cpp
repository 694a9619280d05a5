// The dispatcher's sheets: the page records of the main pages, the sheet over a request, and the
// application's sheet on a device object of its own.
#include "ui/ui_dispatcher.h"

#include "core/addins/addin_table.h"
#include "core/device/property_sheet_request.h"
#include "core/device/service_table.h"
#include "core/device/ui_dispatch_route.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "items/pdl/pdl_user_data.h"
#include "ui/dialog_registry.h"
#include "ui/hosted_page.h"
#include "ui/main_pages.h"
#include "ui/sheet_data.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace {

constexpr UINT kDialogType = 5;  // RT_DIALOG as a number
constexpr LONG kSheetNotShown = -1;
constexpr LONG kNothingToOpen = 2;  // the module's "not supported"

// The request's property-sheet page array, which the device object holds while its sheet is up.
class SheetPagesOf {
public:
    SheetPagesOf(UIDEVDATA* ctx, std::vector<PROPSHEETPAGEA>& pages) : ctx_(ctx) {
        ctx_->sheetPages = pages.data();
        ctx_->sheetPageCount = static_cast<DWORD>(pages.size());
    }
    ~SheetPagesOf() {
        ctx_->sheetPages = nullptr;
        ctx_->sheetPageCount = 0;
    }
    SheetPagesOf(const SheetPagesOf&) = delete;
    SheetPagesOf& operator=(const SheetPagesOf&) = delete;

private:
    UIDEVDATA* ctx_;
};

// A device object for the application's sheet, destroyed with this.
class SheetRequest {
public:
    explicit SheetRequest(UIDEVDATA* session) {
        UiDevDataRequest want;
        want.kind = kKindUserInterface;
        want.printerHandle = session->svc->GetPrinterHandle(session);
        want.appFlags = session->appFlags;
        if (want.printerHandle) ctx = CreateUiDevData(want);
    }
    ~SheetRequest() { DestroyUiDevData(ctx); }
    SheetRequest(const SheetRequest&) = delete;
    SheetRequest& operator=(const SheetRequest&) = delete;

    UIDEVDATA* ctx = nullptr;
};

// The pages the printer's add-ins add, after the sheet's own. A page record an add-in fills is
// taken only when it is whole: the record's size, a template in memory and a page procedure,
// and no flag that would make the sheet call into the add-in outside its page procedure.
void AddInPages(UIDEVDATA* ctx, std::vector<PROPSHEETPAGEA>& pages) {
    const AddInTable* table = LoadAddIns(ctx);
    if (!table) return;
    for (const AddInEntry& entry : table->entries) {
        for (UINT index = 0; index < kAddInMaxPages; ++index) {
            PROPSHEETPAGEA page{};
            if (entry.object->GetPage(index, &page) != S_OK) break;
            if (page.dwSize != sizeof page || !(page.dwFlags & PSP_DLGINDIRECT) || (page.dwFlags & ~(PSP_DLGINDIRECT | PSP_USETITLE)) ||
                !page.pResource || !page.pfnDlgProc || ((page.dwFlags & PSP_USETITLE) && (!page.pszTitle || IS_INTRESOURCE(page.pszTitle))))
                continue;
            page.hInstance = nullptr;
            pages.push_back(page);
        }
    }
}

// The module's open callback: the sheet's result word (1 committed, 0 not), -1 when no sheet could
// be shown; a request of another kind has nothing to open.
LONG OpenRequest(UIDEVDATA* ctx) {
    if (ctx->kind != kKindUserInterface && ctx->kind != kKindDriver) return kNothingToOpen;
    return static_cast<LONG>(ShowPrinterSheet(ctx, ctx->owner));
}

// A dialog opened by kind outside a sheet works over the request's settings registry, which is
// started for it when no sheet has.
INT_PTR OpenRequestDialog(UIDEVDATA* ctx, HWND owner, int kind, LPARAM argument) {
    CmUserData* user = ctx ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!user || !FindDialogEntry(kind)) return 0;
    const bool started = !user->GetConflict();
    if (started && !PDLSvUserData::StartSheet(ctx)) return 0;
    const INT_PTR result = OpenDialogByKind(ctx, owner, kind, argument);
    if (started) PDLSvUserData::EndSheet(ctx);
    return result;
}

const UiDispatcher kDispatcher = {OpenRequest, ShowPropertySheetFromRequest, OpenRequestDialog, CreateHostedPage,
                                  DestroyHostedPage};

}  // namespace

INT_PTR ShowPrinterSheet(UIDEVDATA* ctx, HWND owner) {
    // Device-mode work edits the request's settings in place, where Cancel could not take a change
    // back: only the kinds that work on copies show a sheet.
    if (!ctx || !IsLiveUiDevData(ctx) || ctx->sheetPages || (ctx->kind != kKindUserInterface && ctx->kind != kKindDriver))
        return kSheetNotShown;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    if (!user) return kSheetNotShown;
    std::size_t count = 0;
    const MainPage* mainPages = MainPages(&count);
    std::vector<SHEETDATA> data(count);
    std::vector<PROPSHEETPAGEA> pages;
    for (std::size_t i = 0; i < count; ++i) {
        DWORD size = 0;
        const void* dialogTemplate = ctx->svc->FindResource(ctx, mainPages[i].templateId, kDialogType, &size);
        // A resource module without one of the pages shows the others.
        if (!dialogTemplate) continue;
        if (ctx->subtype == kSubtypeDeviceSettings && mainPages[i].templateId != IDD_DEVICE_SETTINGS) continue;
        data[i] = {sizeof(SHEETDATA), ctx, 0, kSheetPage};
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DLGINDIRECT;
        page.pResource = static_cast<LPCDLGTEMPLATEA>(dialogTemplate);
        page.pfnDlgProc = mainPages[i].procedure;
        page.lParam = reinterpret_cast<LPARAM>(&data[i]);
        pages.push_back(page);
    }
    if (pages.empty()) return kSheetNotShown;
    if (ctx->subtype != kSubtypeDeviceSettings) AddInPages(ctx, pages);
    const bool started = !user->GetConflict();
    if (started && !PDLSvUserData::StartSheet(ctx)) return kSheetNotShown;
    LPCSTR printer = ctx->svc->GetPrinterName(ctx);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.pszCaption = printer ? printer : "";
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    INT_PTR result;
    {
        const SheetPagesOf held(ctx, pages);
        result = PropertySheetA(&header);
    }
    if (started) PDLSvUserData::EndSheet(ctx);
    return result;
}

BOOL ShowPropertySheetFromRequest(UIDEVDATA* ctx, void* request) {
    auto* r = static_cast<PropertySheetRequest*>(request);
    if (!ctx || !r || !r->copy) return FALSE;
    const SheetRequest sheet(ctx);
    UIDEVDATA* s = sheet.ctx;
    if (!s) return FALSE;
    uint8_t* settings = s->svc->GetDevmode(s, 3);
    // The sheet starts from the application's settings, read as any stored device mode is.
    if (!settings || !s->svc->ConvertDevmode(s, settings, r->copy, 1)) return FALSE;
    if (ShowPrinterSheet(s, nullptr) <= 0) return FALSE;
    if (!s->svc->ConvertDevmode(s, settings, r->copy, 2)) return FALSE;
    // The printer took the sheet's device options; the request's device object holds them too.
    const uint8_t* options = s->svc->GetDeviceOption(s);
    const uint8_t* held = ctx->svc->GetDeviceOption(ctx);
    const DWORD size = ctx->svc->GetDeviceOptionSize(ctx);
    if (options && held && size == s->svc->GetDeviceOptionSize(s) && std::memcmp(options, held, size) != 0)
        ctx->svc->WriteDeviceOption(ctx, options);
    return TRUE;
}

void RegisterDispatcher() { RegisterUiDispatcher(&kDispatcher); }
