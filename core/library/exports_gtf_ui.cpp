// The user interface the 16-bit driver opens: the sheets, the device-settings page, a dialog by
// kind, a message box, and the installer's question. Each builds the device object its request
// needs; a device mode the driver hands in is held in place while the sheet runs and receives the
// settings only when the sheet committed them.
#include "core/device/pdl_module.h"
#include "core/device/service_table.h"
#include "core/device/ui_dispatch_route.h"
#include "core/library/export_guard.h"
#include "core/library/exports_gtf.h"
#include "core/library/gtf_pointers.h"
#include "core/library/gtf_request.h"
#include "core/library/locks.h"
#include "core/library/scoped_lock.h"

#include <string>

namespace {

constexpr LONG kNotShown = -1;
constexpr int kMessageTextMax = 1024;

HWND Owner16(DWORD hwndOwner, bool& ok) {
    HWND owner = nullptr;
    ok = Window16(hwndOwner, owner);
    if (!ok) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return owner;
}

}  // namespace

LONG OpenSheetsOn(const char* printerName, int subtype, WORD word1, HWND owner, uint8_t* devmode, DWORD declared) {
    UiDevDataRequest request;
    request.kind = kKindUserInterface;
    request.subtype = subtype;
    request.printerName = printerName;
    request.word1 = word1;
    UIDEVDATA* ctx = CreateUiDevData(request);
    if (!ctx) return kNotShown;
    LONG result = kNotShown;
    if (!devmode || TakeCallerDevmode(ctx, devmode, declared)) {
        ctx->owner = owner;
        const LONG answer = ctx->pdl->Open(ctx);
        result = answer == 1 || answer == 0 ? answer : kNotShown;
        if (result == 1 && devmode) GiveBackDevmode(ctx, devmode, declared);
    }
    DestroyUiDevData(ctx);
    return result;
}

namespace {

LONG OpenSheets16(DWORD vpPrinterName, DWORD hwndOwner, DWORD vpDevmode, int subtype, WORD word1) {
    bool ok = false;
    HWND owner = Owner16(hwndOwner, ok);
    std::string name;
    uint8_t* devmode = nullptr;
    DWORD declared = 0;
    if (!ok || !Text16(vpPrinterName, name, kPrinterNameMax) || (vpDevmode && !Devmode16(vpDevmode, devmode, declared))) {
        if (ok) SetLastError(ERROR_INVALID_PARAMETER);
        return kNotShown;
    }
    // The driver's memory may move while the sheet waits for the user: it is fixed until the end.
    const Fixed16 fixed(vpDevmode, declared);
    if (vpDevmode && !fixed.get()) return kNotShown;
    return OpenSheetsOn(name.c_str(), subtype, word1, owner, fixed.get(), declared);
}

}  // namespace

DRVOPUI_EXPORT LONG WINAPI GTF_OpenSheets(DWORD vpPrinterName, DWORD hwndOwner, DWORD vpDevmode, DWORD word1) {
    return GuardExport(kNotShown, [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        return OpenSheets16(vpPrinterName, hwndOwner, vpDevmode, kSubtypePropertySheets, static_cast<WORD>(word1));
    });
}

DRVOPUI_EXPORT LONG WINAPI GTF_DeviceSettings(DWORD vpPrinterName, DWORD hwndOwner) {
    return GuardExport(kNotShown, [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        return OpenSheets16(vpPrinterName, hwndOwner, 0, kSubtypeDeviceSettings, 2);
    });
}

DRVOPUI_EXPORT LONG WINAPI GTF_OpenDialog(DWORD hDevData, DWORD hwndOwner, DWORD dialogKind, DWORD argument) {
    return GuardExport(LONG{0}, [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        bool ok = false;
        HWND owner = Owner16(hwndOwner, ok);
        UIDEVDATA* ctx = DeviceObject16(hDevData);
        const UiDispatcher* dispatcher = CurrentUiDispatcher();
        if (!ok || !ctx || !dispatcher || !dispatcher->OpenDialog) return 0;
        return static_cast<LONG>(dispatcher->OpenDialog(ctx, owner, static_cast<int>(dialogKind), static_cast<LPARAM>(argument)));
    });
}

DRVOPUI_EXPORT LONG WINAPI GTF_MessageBox(DWORD vpPrinterName, DWORD hwndOwner, DWORD textId, DWORD style) {
    return GuardExport(LONG{0}, [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        bool ok = false;
        HWND owner = Owner16(hwndOwner, ok);
        if (!ok) return 0;
        UIDEVDATA* ctx = CreateForPrinter16(vpPrinterName, kKindUserInterface, kSubtypeMessageBox, 0);
        if (!ctx) return 0;
        char text[kMessageTextMax] = "";
        LONG answer = 0;
        if (textId <= 0xFFFF && ctx->svc->LoadString(ctx, textId, text, sizeof text) > 0) {
            LPCSTR caption = ctx->svc->GetPrinterName(ctx);
            answer = MessageBoxA(owner, text, caption ? caption : "", style);
        }
        DestroyUiDevData(ctx);
        return answer;
    });
}

DRVOPUI_EXPORT BOOL WINAPI GTF_DevInstall(DWORD vpPrinterName) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = CreateForPrinter16(vpPrinterName, kKindInstall, 0, 0);
        if (!ctx) return FALSE;
        const BOOL answer = ctx->pdl->DevInstallQuery(ctx);
        DestroyUiDevData(ctx);
        return answer;
    });
}
