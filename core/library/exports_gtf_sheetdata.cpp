// Page records for the 16-bit side: the record a page of the driver's sheet (or a page or dialog
// it opens) carries to this library's page object.
#include "core/library/export_guard.h"
#include "core/library/exports_gtf.h"
#include "core/library/gtf_handles.h"
#include "core/library/gtf_request.h"
#include "core/library/gtf_sheet_data.h"
#include "core/library/hosted_pages.h"
#include "core/library/locks.h"
#include "core/library/page_template16.h"
#include "core/library/scoped_lock.h"
#include "core/memory/private_heap.h"

#include <mutex>
#include <set>

namespace {

std::mutex g_lock;
std::set<SHEETDATA*> g_records;

bool KnownKind(DWORD kind) { return kind == kSheetPage || kind == kSheetModalDialog || kind == kSheetForeignPage; }

void End(SHEETDATA* record) {
    {
        std::lock_guard<std::mutex> lock(g_lock);
        g_records.erase(record);
    }
    TakeNumber(HandleKind::SheetData, NumberOf(HandleKind::SheetData, record));
    ReleasePageTemplate(record);
    PrivateFree(record);
}

}  // namespace

SHEETDATA* SheetData16(DWORD number) { return static_cast<SHEETDATA*>(ObjectOf(HandleKind::SheetData, number)); }

void EndSheetDataOf(const UIDEVDATA* ctx) {
    std::set<SHEETDATA*> over;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        for (SHEETDATA* record : g_records)
            if (record->ctx == ctx) over.insert(record);
    }
    for (SHEETDATA* record : over) End(record);
}

DRVOPUI_EXPORT DWORD WINAPI GTF_CreateSHEETDATA(DWORD hDevData, DWORD parameter, DWORD kind) {
    return GuardExport(DWORD{0}, [&]() -> DWORD {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hDevData);
        if (!ctx || !KnownKind(kind)) return 0;
        auto* record = static_cast<SHEETDATA*>(PrivateAlloc(sizeof(SHEETDATA)));
        if (!record) return 0;
        *record = SHEETDATA{sizeof(SHEETDATA), ctx, static_cast<LPARAM>(parameter), kind};
        const DWORD number = NumberFor(HandleKind::SheetData, record);
        if (!number) {
            PrivateFree(record);
            return 0;
        }
        std::lock_guard<std::mutex> guard(g_lock);
        g_records.insert(record);
        return number;
    });
}

DRVOPUI_EXPORT BOOL WINAPI GTF_DeleteSHEETDATA(DWORD hSheetData) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        SHEETDATA* record = SheetData16(hSheetData);
        // A hosted child still works over the record: it goes when its page does.
        if (!record || SheetDataHosted(record)) return FALSE;
        End(record);
        return TRUE;
    });
}
