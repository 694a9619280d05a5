// Test-only: a device-mode session on the fixture's bundled printer, opened through the exported
// VomelDeviceModeInit as an application opens one (asked for the size first, then handed a
// device mode of that size), with requests sent through VomelDeviceMode on that device mode.
#pragma once

#include "drvtest/fixture_device.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace drvtest {

class ExportSession {
public:
    // `registerFirst`, when given, runs before the session opens (the operations a statically
    // linked test registers, as the shared library does when it loads).
    explicit ExportSession(void (*registerFirst)() = nullptr);
    ~ExportSession();
    ExportSession(const ExportSession&) = delete;
    ExportSession& operator=(const ExportSession&) = delete;

    LPDEVMODEA Dm() { return reinterpret_cast<LPDEVMODEA>(devmode.data()); }
    LONG Ask(DWORD kind, DWORD code, void* data);

    FixtureDevice fixture;
    std::vector<uint8_t> devmode;
    HANDLE handle = nullptr;  // null when the session did not open
};

}  // namespace drvtest
