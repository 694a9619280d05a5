// NTPinPointUIOpen (see core/library/exports_pinpoint.h). A wide name is the one place this
// library meets one: it is narrowed to the system's code page first.
#include "core/library/exports_pinpoint.h"

#include "core/devmode/devmode_check.h"
#include "core/library/export_guard.h"
#include "core/library/gtf_request.h"
#include "core/library/locks.h"
#include "core/library/scoped_lock.h"

#include <string>

namespace {

constexpr LONG kNotShown = -1;

// The name in the system's code page; false when it does not convert or is longer than a
// printer name may be.
bool Narrow(LPCWSTR wide, std::string& name) {
    name.clear();
    if (!wide) return true;
    char buffer[kPrinterNameMax + 1] = "";
    const int written = WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer, nullptr, nullptr);
    if (written <= 0) return false;
    name = buffer;
    return true;
}

}  // namespace

DRVOPUI_EXPORT LONG WINAPI NTPinPointUIOpen(LPCWSTR printerName, HWND owner, LPDEVMODEA devmode) {
    return GuardExport(kNotShown, [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        std::string name;
        if (!Narrow(printerName, name) || (owner && !IsWindow(owner))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return kNotShown;
        }
        return OpenSheetsOn(name.c_str(), kSubtypePropertySheets, 0, owner, reinterpret_cast<uint8_t*>(devmode),
                            devmode::declaredSize(devmode));
    });
}
