// Fuzz target of the device-mode exports with buffers whose length is not what the device mode
// declares: the fuzzer's bytes, exactly as many as it gave, become the printer's stored device
// mode, which every session converts when it opens; and a caller's device mode handed to
// VomelDeviceMode whenever the bytes hold at least what they declare (a caller hands a pointer,
// so a shorter buffer is the caller's fault, not the library's). Whatever comes out of a session
// must be a device mode that passes the checks.
#include "bundled_printer_harness.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/library/exports_devicemode.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) { fuzzprinter::Fail("devmode_exports", what); }

constexpr char kPrinter[] = "Vomel Kelvaro PCL5e";
constexpr char kValue[] = "Default DevMode";

// A device mode a session hands out: ours, current, with terminated texts and sound fields.
void CheckSessionDevmode(const std::vector<uint8_t>& dm) {
    const devmode::CheckedDevmode checked = devmode::checkDevmode(dm.data(), dm.size());
    if (checked.trust != devmode::Trust::Private || checked.version != devmode::kPrivateVersion) Fail("a session's device mode fails the checks");
    if (dm[CCHDEVICENAME - 1] != 0 || dm[devmode::kOffFormName + CCHFORMNAME - 1] != 0) Fail("an unterminated text");
    const auto* pub = reinterpret_cast<const DEVMODEA*>(dm.data());
    if (pub->dmOrientation < 1 || pub->dmOrientation > 2 || pub->dmScale < 1 || pub->dmCopies < 1)
        Fail("a public field no printer takes");
}

HANDLE g_printer = nullptr;
// A session that stays open across every input, as another application's would: the printer's
// parsed data file stays in the process's cache, and each input's session pays only for
// converting its stored device mode.
HANDLE g_keeper = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("devmode_exports");
    if (!OpenPrinterA(const_cast<LPSTR>(kPrinter), &g_printer, nullptr)) Fail("the printer does not open");
    g_keeper = VomelDeviceModeInit(kPrinter, nullptr, nullptr);
    if (!g_keeper) Fail("no session");
    std::atexit([] {
        VomelDeviceModeTerm(g_keeper);
        ClosePrinter(g_printer);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x10000) return 0;
    // Exactly `size` bytes, so that the sanitizer sees a read past them.
    std::vector<uint8_t> bytes(data, data + size);
    SetPrinterDataA(g_printer, const_cast<LPSTR>(kValue), REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));

    DWORD needed = devmode::kDevmodeSize;
    std::vector<uint8_t> current(needed);
    HANDLE session = VomelDeviceModeInit(kPrinter, reinterpret_cast<LPDEVMODEA>(current.data()), &needed);
    if (!session) Fail("no session with a device mode");
    CheckSessionDevmode(current);

    // As a caller's device mode: a buffer as long as the bytes, when they hold what they declare.
    if (size >= devmode::kOffDriverExtra + 2) {
        const uint32_t declared = uint32_t{uint16_t(bytes[devmode::kOffSize] | bytes[devmode::kOffSize + 1] << 8)} +
                                  uint16_t(bytes[devmode::kOffDriverExtra] | bytes[devmode::kOffDriverExtra + 1] << 8);
        if (declared <= size) {
            DWORD version = 0;
            std::vector<uint8_t> caller = bytes;
            const LONG answer = VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(caller.data()), 2, 0x10000, &version);
            if (caller != bytes) Fail("a request that writes nothing back changed the caller's device mode");
            (void)answer;
        }
    }
    VomelDeviceModeTerm(session);
    return 0;
}
