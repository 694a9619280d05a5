// The session of the exported device-mode interface that tests and benchmarks share.
#include "drvtest/export_session.h"

#include "core/library/exports_devicemode.h"

namespace drvtest {

ExportSession::ExportSession(void (*registerFirst)()) {
    if (registerFirst) registerFirst();
    DWORD size = 0;
    HANDLE probe = VomelDeviceModeInit(nullptr, nullptr, &size);
    if (!probe) return;
    VomelDeviceModeTerm(probe);
    devmode.resize(size);
    handle = VomelDeviceModeInit(nullptr, Dm(), &size);
}

ExportSession::~ExportSession() {
    if (handle) VomelDeviceModeTerm(handle);
}

LONG ExportSession::Ask(DWORD kind, DWORD code, void* data) { return VomelDeviceMode(handle, Dm(), kind, code, data); }

}  // namespace drvtest
