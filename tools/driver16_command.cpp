// The 16-bit driver, played (see tools/driver16_command.h). The exports are found by name, as the
// driver's thunks find them; the sheets are ended by a person played here: the library's sheet
// with Cancel, the driver's own sheet with OK once its hosted page has been looked at.
#include "tools/driver16_command.h"

#include "core/library/exports_gtf.h"
#include "drvtest/driver_sheet16.h"
#include "drvtest/sixteen_bit_side.h"
#include "platform/commctl/sheet_script.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Exports {
    decltype(&GTF_CreateUIDEVDATA) create = nullptr;
    decltype(&GTF_DeleteUIDEVDATA) destroy = nullptr;
    decltype(&GTF_CopyDEVMODE) copy = nullptr;
    decltype(&GTF_GetExtDevModeSize) extSize = nullptr;
    decltype(&GTF_ConvertCurDevMode2ExtDevMode) convert = nullptr;
    decltype(&GTF_CreateSHEETDATA) createRecord = nullptr;
    decltype(&GTF_DeleteSHEETDATA) deleteRecord = nullptr;
    decltype(&GTF_OpenSheets) openSheets = nullptr;
    decltype(&GTF_GetPSP) getPsp = nullptr;
    decltype(&GTF_SheetProcedure) sheetProcedure = nullptr;
};

template <typename F>
bool Find(HMODULE library, const char* name, F& out) {
    out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    if (!out) std::fprintf(stderr, "drvhost: the library does not export %s\n", name);
    return out != nullptr;
}

// Every missing export is named, not only the first.
bool FindAll(HMODULE library, Exports& e) {
    const bool found[] = {Find(library, "GTF_CreateUIDEVDATA", e.create), Find(library, "GTF_DeleteUIDEVDATA", e.destroy),
                          Find(library, "GTF_CopyDEVMODE", e.copy), Find(library, "GTF_GetExtDevModeSize", e.extSize),
                          Find(library, "GTF_ConvertCurDevMode2ExtDevMode", e.convert),
                          Find(library, "GTF_CreateSHEETDATA", e.createRecord),
                          Find(library, "GTF_DeleteSHEETDATA", e.deleteRecord), Find(library, "GTF_OpenSheets", e.openSheets),
                          Find(library, "GTF_GetPSP", e.getPsp), Find(library, "GTF_SheetProcedure", e.sheetProcedure)};
    for (bool f : found)
        if (!f) return false;
    return true;
}

constexpr LPARAM kDeviceSettingsTemplate = 101;  // the library's device-settings page
constexpr DWORD kForeignPage = 3;

// The person in front of the sheets: the library's sheet is cancelled; in the driver's sheet the
// hosted page is opened, its controls counted, and the sheet closed with OK.
struct Person {
    int sheets = 0;
    int hostedControls = -1;
    std::string hostedTitle;

    static void Shown(HWND sheet, void* self) { static_cast<Person*>(self)->Act(sheet); }
    void Act(HWND sheet) {
        ++sheets;
        char caption[128] = "";
        GetWindowTextA(sheet, caption, sizeof caption);
        const bool driverSheet = std::strcmp(caption, "16-bit driver") == 0;
        if (driverSheet && SendMessageA(sheet, PSM_SETCURSEL, 1, 0)) {
            HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            HWND child = page ? GetWindow(page, GW_CHILD) : nullptr;
            hostedControls = 0;
            for (HWND c = child ? GetWindow(child, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) ++hostedControls;
        }
        SendMessageA(sheet, PSM_PRESSBUTTON, driverSheet ? PSBTN_OK : PSBTN_CANCEL, 0);
    }
};

bool Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "drvhost: driver16: %s\n", what);
    return ok;
}

}  // namespace

int RunDriver16(HMODULE library, const char* printer) {
    Exports gtf;
    if (!FindAll(library, gtf)) return 1;
    drvtest::SixteenBitSide side;
    const DWORD name = side.Text(printer ? printer : "");
    bool ok = true;

    const DWORD object = gtf.create(name, 0, 0);
    std::printf("driver16: GTF_CreateUIDEVDATA -> device object %u\n", object);
    if (!Check(object != 0, "no device object")) return 1;
    const DWORD size = gtf.copy(object, 0, 0);
    const DWORD current = size ? side.Alloc(size) : 0;
    ok &= Check(current && gtf.copy(object, current, size) == size, "the device mode was not copied");
    std::printf("driver16: GTF_CopyDEVMODE -> %u bytes at %04X:%04X\n", size, HIWORD(current), LOWORD(current));
    const DWORD extSize = gtf.extSize(object);
    const DWORD extended = extSize ? side.Alloc(extSize) : 0;
    const BOOL converted = extended && gtf.convert(object, current, extended, extSize);
    std::printf("driver16: GTF_ConvertCurDevMode2ExtDevMode -> %s (%u bytes of the extended form)\n",
                converted ? "converted" : "refused", extSize);
    ok &= Check(converted, "the device mode was not converted");

    Person person;
    commctl::SheetObserver observer;
    observer.sheetShown = Person::Shown;
    observer.context = &person;
    const commctl::SheetObserver* previous = commctl::SetSheetObserver(&observer);
    const LONG sheets = gtf.openSheets(name, 0, current, 0);
    std::printf("driver16: GTF_OpenSheets -> %d (the sheet was cancelled)\n", sheets);
    ok &= Check(sheets == 0, "the sheets did not open and close as asked");

    const DWORD record = gtf.createRecord(object, static_cast<DWORD>(kDeviceSettingsTemplate), kForeignPage);
    ok &= Check(record != 0, "no page record");
    const drvtest::DriverSheetExports exports{gtf.getPsp, gtf.sheetProcedure};
    const INT_PTR own = record ? drvtest::RunDriverSheet(side, exports, {record}, "16-bit driver") : -1;
    commctl::SetSheetObserver(previous);
    std::printf("driver16: the driver's sheet -> %d; its page hosts the library's device-settings page (%d controls)\n",
                static_cast<int>(own), person.hostedControls);
    ok &= Check(own == 1 && person.hostedControls > 0, "the driver's sheet did not host the library's page");

    ok &= Check(gtf.deleteRecord(record) != FALSE, "the page record did not end");
    ok &= Check(gtf.destroy(object) != FALSE, "the device object did not end");
    ok &= Check(gtf.copy(object, 0, 0) == 0, "the device object outlived its end");
    std::printf("driver16: GTF_DeleteSHEETDATA, GTF_DeleteUIDEVDATA -> done; %zu segments of the driver's own left\n",
                side.Blocks());
    return ok ? 0 : 1;
}
