// Pages of the 16-bit driver's sheet that host a page of this library. GTF_GetPSP completes the
// driver's page record with the number of its `SHEETDATA`; the driver's page procedure passes its
// messages to GTF_SheetProcedure, which makes the child when the page initialises, passes the
// sheet's notifications on to it and takes it down with the page.
#include "core/device/ui_dispatch_route.h"
#include "core/helpers/byte_view.h"
#include "core/library/export_guard.h"
#include "core/library/exports_gtf.h"
#include "core/library/gtf_pointers.h"
#include "core/library/gtf_sheet_data.h"
#include "core/library/hosted_pages.h"
#include "core/library/locks.h"
#include "core/library/page_template16.h"
#include "core/library/scoped_lock.h"

#include <commctrl.h>
#include <wownt32.h>

namespace {

// The 16-bit side's PROPSHEETPAGE: {dwSize, dwFlags, hInstance (16), pszTemplate, hIcon (16),
// pszTitle, pfnDlgProc, lParam, pfnCallback, pcRefParent}, packed, little-endian.
constexpr DWORD kPage16Size = 36;
constexpr size_t kPage16Flags = 4;
constexpr size_t kPage16Template = 10;
constexpr size_t kPage16Title = 16;
constexpr size_t kPage16LParam = 24;
// The 16-bit side's NMHDR: {hwndFrom (16), idFrom (16), code (16)}.
constexpr DWORD kNotify16Size = 6;
constexpr size_t kNotify16Code = 4;

const UiDispatcher* Pages() {
    const UiDispatcher* dispatcher = CurrentUiDispatcher();
    return dispatcher && dispatcher->CreateHostedPage && dispatcher->DestroyHostedPage ? dispatcher : nullptr;
}

// WM_INITDIALOG: the page record the driver built through GTF_GetPSP names the SHEETDATA.
BOOL StartPage(HWND page, DWORD vpPage) {
    const uint8_t* record = Flat16(vpPage, kPage16Size);
    uint32_t number = 0;
    if (!record || !ByteView(record, kPage16Size).u32(kPage16LParam, number)) return FALSE;
    SHEETDATA* data = SheetData16(number);
    const UiDispatcher* pages = Pages();
    if (!data || data->kind != kSheetForeignPage || !pages || HostedChildOf(page)) return FALSE;
    HWND child = pages->CreateHostedPage(data, page);
    if (!child) return FALSE;
    AddHostedPage(page, child, data);
    return TRUE;
}

// WM_NOTIFY: the sheet's notification, in the 16-bit record, passed to the child as its own
// sheet would send it; the child's answer becomes the page's.
LRESULT Notify(HWND page, WPARAM id, DWORD vpHeader) {
    HWND child = HostedChildOf(page);
    const uint8_t* header = Flat16(vpHeader, kNotify16Size);
    uint16_t code = 0;
    if (!child || !header || !ByteView(header, kNotify16Size).u16(kNotify16Code, code)) return FALSE;
    NMHDR notice{};
    notice.hwndFrom = GetParent(page);
    notice.idFrom = id;
    notice.code = static_cast<UINT>(static_cast<int>(static_cast<int16_t>(code)));  // PSN_ codes are negative
    SetWindowLongPtrA(child, DWLP_MSGRESULT, 0);
    const LRESULT handled = SendMessageA(child, WM_NOTIFY, id, reinterpret_cast<LPARAM>(&notice));
    SetWindowLongPtrA(page, DWLP_MSGRESULT, GetWindowLongPtrA(child, DWLP_MSGRESULT));
    return handled;
}

void EndPage(HWND page) {
    SHEETDATA* data = nullptr;
    HWND child = RemoveHostedPage(page, &data);
    const UiDispatcher* pages = Pages();
    if (child && pages) pages->DestroyHostedPage(child, data->ctx);
}

}  // namespace

DRVOPUI_EXPORT BOOL WINAPI GTF_GetPSP(DWORD hSheetData, DWORD vpPage) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        SHEETDATA* data = SheetData16(hSheetData);
        uint8_t* record = Flat16(vpPage, kPage16Size);
        uint32_t size = 0, flags = 0;
        PageTemplate16 page;
        if (!data || data->kind != kSheetForeignPage || !record || !ByteView(record, kPage16Size).u32(0, size) ||
            size < kPage16Size || !ByteView(record, kPage16Size).u32(kPage16Flags, flags) || !PageTemplateFor(data, page))
            return FALSE;
        MutableByteView out(record, kPage16Size);
        out.put_u32(kPage16Flags, flags | PSP_DLGINDIRECT | PSP_USETITLE);
        out.put_u32(kPage16Template, page.vpTemplate);
        out.put_u32(kPage16Title, page.vpTitle);
        out.put_u32(kPage16LParam, hSheetData);
        return TRUE;
    });
}

DRVOPUI_EXPORT DWORD WINAPI GTF_SheetProcedure(DWORD hwndPage, DWORD message, DWORD wParam, DWORD lParam) {
    return GuardExport(DWORD{0}, [&]() -> DWORD {
        ScopedLock lock(g_exportLock);
        HWND page = nullptr;
        if (!hwndPage || !Window16(hwndPage, page)) return 0;
        switch (message) {
        case WM_INITDIALOG: return StartPage(page, lParam);
        case WM_NOTIFY: return static_cast<DWORD>(Notify(page, wParam, lParam));
        case WM_SIZE:
            if (HWND child = HostedChildOf(page))
                SetWindowPos(child, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        case WM_DESTROY: EndPage(page); return 0;
        default: return 0;
        }
    });
}
