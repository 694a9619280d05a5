// Shared session of the fuzz targets that enter through VomelDeviceMode. One session serves every
// input, as one serves an application's many requests; a target that sets the device-option
// block from its input has the block put back, as the session first read it, before each input.
#pragma once

#include "fuzz/bundled_printer_harness.h"

#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/helpers/byte_view.h"
#include "core/library/exports_devicemode.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fuzzprinter {

struct Session {
    HANDLE handle = nullptr;
    std::vector<uint8_t> devmode;  // as the session first handed it out
    std::vector<uint8_t> block;    // the device-option block as the session first read it
    bool blockKept = false;
};

inline constexpr char kSessionPrinter[] = "Vomel Kelvaro PCL5e";

inline Session& TheSession() {
    static Session session;
    return session;
}

inline UIDEVDATA* SessionObject() { return static_cast<UIDEVDATA*>(TheSession().handle); }

// Opens the session over the bundled PCL5e printer, installed and registered before. The session
// ends before the pool's chunks go at exit, so that what its registry holds is freed, not left to
// look lost.
inline void OpenSession(const char* target) {
    Session& s = TheSession();
    DWORD needed = devmode::kDevmodeSize;
    s.devmode.resize(needed);
    s.handle = VomelDeviceModeInit(kSessionPrinter, reinterpret_cast<LPDEVMODEA>(s.devmode.data()), &needed);
    if (!s.handle) Fail(target, "no session");
    s.devmode.resize(needed);
    std::atexit([] { VomelDeviceModeTerm(TheSession().handle); });
}

// Puts the device-option block back as the session first read it (kept at the first call, before
// any input ran), and answers its device-option data for the input to set bytes of.
inline MutableByteView FreshDeviceOptions(const char* target) {
    Session& s = TheSession();
    UIDEVDATA* ctx = SessionObject();
    uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    if (!s.blockKept) s.block.assign(block, block + ctx->svc->GetDeviceOptionSize(ctx));
    s.blockKept = true;
    if (ctx->svc->GetDeviceOptionSize(ctx) != s.block.size()) Fail(target, "the device-option block changed its size");
    std::memcpy(block, s.block.data(), s.block.size());
    uint8_t* dop = ctx->svc->GetDeviceOptionData(ctx);
    return MutableByteView(dop, ctx->svc->GetDeviceOptionSize(ctx) - static_cast<size_t>(dop - block));
}

// The model section of a device mode, where its private fields stand.
inline MutableByteView ModelSection(std::vector<uint8_t>& dm) {
    int16_t at = 0;
    ByteView(dm.data(), dm.size()).s16(devmode::kOffModelSection, at);
    return MutableByteView(dm.data() + at, dm.size() - static_cast<size_t>(at));
}

}  // namespace fuzzprinter
