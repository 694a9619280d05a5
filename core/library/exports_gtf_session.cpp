// The device-mode session for the 16-bit side: the 32-bit exports' work on the driver's memory,
// reached through 16:16 pointers that are checked first. A request's data goes through a copy
// as large as a segment can be, so that a request that writes more than the driver gave room for
// writes into the copy, never past the driver's segment.
#include "core/library/export_guard.h"
#include "core/library/exports_devicemode.h"
#include "core/library/exports_gtf.h"
#include "core/library/gtf_handles.h"
#include "core/library/gtf_pointers.h"
#include "core/library/gtf_request.h"
#include "core/library/gtf_sheet_data.h"
#include "core/library/hosted_pages.h"
#include "core/library/locks.h"
#include "core/library/scoped_lock.h"
#include "core/devmode/option_routes.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kSegmentBytes = 0x10000;

}  // namespace

DRVOPUI_EXPORT DWORD WINAPI GTF_VomelDeviceModeInit(DWORD vpPrinterName, DWORD vpDevmode, DWORD vpSize) {
    return GuardExport(DWORD{0}, [&]() -> DWORD {
        ScopedLock lock(g_exportLock);
        std::string name;
        auto* size = reinterpret_cast<DWORD*>(vpSize ? Flat16(vpSize, sizeof(DWORD)) : nullptr);
        DWORD room = 0;
        if (size) std::memcpy(&room, size, sizeof room);
        uint8_t* devmode = vpDevmode && size ? Flat16(vpDevmode, room) : nullptr;
        if (!Text16(vpPrinterName, name, kPrinterNameMax) || (vpSize && !size) || (vpDevmode && size && !devmode)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        DWORD needed = room;
        HANDLE session = VomelDeviceModeInit(name.c_str(), reinterpret_cast<LPDEVMODEA>(devmode), size ? &needed : nullptr);
        if (size) std::memcpy(size, &needed, sizeof needed);
        if (!session) return 0;
        const DWORD number = NumberFor(HandleKind::DeviceObject, session);
        if (!number) VomelDeviceModeTerm(session);
        return number;
    });
}

DRVOPUI_EXPORT LONG WINAPI GTF_VomelDeviceMode(DWORD hSession, DWORD vpDevmode, DWORD kind, DWORD code, DWORD vpData,
                                               DWORD cbData) {
    return GuardExport(static_cast<LONG>(kResultRefused), [&]() -> LONG {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hSession);
        if (!ctx) return kResultNoItem;
        uint8_t* devmode = nullptr;
        DWORD declared = 0;
        if (!Devmode16(vpDevmode, devmode, declared)) return kResultRefused;
        uint8_t* data = nullptr;
        if (vpData && (cbData == 0 || cbData > kSegmentBytes || !(data = Flat16(vpData, cbData)))) return kResultRefused;
        std::vector<uint8_t> copy(kSegmentBytes);
        if (data) std::memcpy(copy.data(), data, cbData);
        const LONG result =
            VomelDeviceMode(ctx, reinterpret_cast<LPDEVMODEA>(devmode), kind, code, data ? copy.data() : nullptr);
        if (data) std::memcpy(data, copy.data(), cbData);
        return result;
    });
}

DRVOPUI_EXPORT BOOL WINAPI GTF_VomelDeviceModeTerm(DWORD hSession) {
    return GuardExport(FALSE, [&]() -> BOOL {
        ScopedLock lock(g_exportLock);
        UIDEVDATA* ctx = DeviceObject16(hSession);
        if (!ctx || RequestHosted(ctx)) return FALSE;
        EndSheetDataOf(ctx);
        return VomelDeviceModeTerm(TakeNumber(HandleKind::DeviceObject, hSession));
    });
}
