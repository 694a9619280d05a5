// The device-mode exports as a 32-bit caller uses them: a session on the bundled printer gives
// its device mode, and a device mode the core cannot trust is refused without a byte written.
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_options.h"
#include "core/library/exports_devicemode.h"
#include "core/devmode/option_routes.h"
#include "core/device/core_context.h"
#include "core/device/service_table.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The session's device mode as the caller receives it.
std::vector<uint8_t> SessionDevmode(LPCSTR printer, HANDLE* session) {
    DWORD size = 0;
    HANDLE probe = VomelDeviceModeInit(printer, nullptr, &size);
    EXPECT_NE(probe, nullptr);
    VomelDeviceModeTerm(probe);
    std::vector<uint8_t> devmode(size);
    *session = VomelDeviceModeInit(printer, reinterpret_cast<LPDEVMODEA>(devmode.data()), &size);
    return devmode;
}

TEST(DevicemodeExports, TheDefaultPrinterGivesItsDeviceModeAndRefusesUntrustedOnes) {
    drvtest::FixtureDevice fixture;
    HANDLE session = nullptr;
    std::vector<uint8_t> devmode = SessionDevmode(nullptr, &session);
    ASSERT_NE(session, nullptr);
    const auto* dm = reinterpret_cast<const DEVMODEA*>(devmode.data());
    EXPECT_STREQ(reinterpret_cast<const char*>(dm->dmDeviceName), drvtest::kBundledPcl5ePrinter);
    EXPECT_EQ(std::memcmp(devmode.data() + devmode::kOffSignature, "Vomel", 6), 0);
    EXPECT_EQ(dm->dmSize + dm->dmDriverExtra, devmode.size());

    // A buffer one byte short is refused whole, and no session is left behind.
    DWORD small = static_cast<DWORD>(devmode.size() - 1);
    std::vector<uint8_t> shortBuffer(small, 0xAB);
    EXPECT_EQ(VomelDeviceModeInit(nullptr, reinterpret_cast<LPDEVMODEA>(shortBuffer.data()), &small), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small, devmode.size());
    EXPECT_EQ(std::count(shortBuffer.begin(), shortBuffer.end(), 0xAB), static_cast<long>(shortBuffer.size()));

    struct Case {
        const char* what;
        void (*forge)(std::vector<uint8_t>&);
    };
    const Case cases[] = {
        {"too short", [](std::vector<uint8_t>& d) { reinterpret_cast<DEVMODEA*>(d.data())->dmDriverExtra = 71; }},
        {"wrong signature", [](std::vector<uint8_t>& d) { d[devmode::kOffSignature] = 'W'; }},
        {"section past the end", [](std::vector<uint8_t>& d) {
             const size_t at = devmode::directoryEntry(devmode::kFirstSection);
             d[at] = 0xF0;
             d[at + 1] = 0xFF;
         }},
        {"model section past the end", [](std::vector<uint8_t>& d) {
             d[devmode::kOffModelSection] = 0xF0;
             d[devmode::kOffModelSection + 1] = 0x7F;
         }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> forged = devmode;
        c.forge(forged);
        const std::vector<uint8_t> before = forged;
        EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(forged.data()), 3, 0x10064, nullptr), 3) << c.what;
        EXPECT_EQ(forged, before) << c.what;
    }
    // No option interface is registered yet: every request is "not supported", nothing written.
    std::vector<uint8_t> copy = devmode;
    EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(copy.data()), 3, 0x10064, nullptr), 2);
    EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(copy.data()), 3, 0x46E, nullptr), 2);
    EXPECT_EQ(copy, devmode);
    EXPECT_EQ(VomelDeviceMode(session, nullptr, 3, 0x10064, nullptr), 1);
    EXPECT_EQ(VomelDeviceMode(reinterpret_cast<HANDLE>(&copy), reinterpret_cast<LPDEVMODEA>(copy.data()), 3, 0x10064, nullptr), 1);
    EXPECT_TRUE(VomelDeviceModeTerm(session));
    EXPECT_FALSE(VomelDeviceModeTerm(session));
    EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(copy.data()), 3, 0x10064, nullptr), 1);
}

// A set the option interface answered 0 hands the request's settings back: a caller's merged
// device mode comes back as the core's validated copy; other kinds leave it alone.
LONG SetsLayoutFlags(UIDEVDATA* ctx, DWORD kind, DWORD, void* data) {
    if (kind != 3) return 2;
    uint8_t* current = ctx->svc->GetDevmode(ctx, 3);
    return ctx->svc->SetOption(ctx, current, 0x20010, data, 4) ? 0 : 3;
}

TEST(DevicemodeExports, ASetAnsweredZeroCopiesTheCurrentDeviceModeBack) {
    drvtest::FixtureDevice fixture;
    OptionRunner previousSdk = RegisterSdkRunner(SetsLayoutFlags);
    OptionRunner previousFolx = RegisterFolxRunner(SetsLayoutFlags);
    HANDLE session = nullptr;
    std::vector<uint8_t> devmode = SessionDevmode(drvtest::kBundledPcl5ePrinter, &session);
    ASSERT_NE(session, nullptr);
    for (DWORD code : {0x10064u, 0x46Eu}) {
        std::vector<uint8_t> caller = devmode;
        DWORD flags = code == 0x46E ? 7 : 5, read = 0;
        EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(caller.data()), 3, code, &flags), 0);
        EXPECT_TRUE(devmode::GetOption(caller.data(), caller.size(), 0x20010, &read, sizeof read));
        EXPECT_EQ(read, flags) << code;
        std::vector<uint8_t> unchanged = devmode;
        EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(unchanged.data()), 2, code, &flags), 2);
        EXPECT_EQ(unchanged, devmode);
    }
    VomelDeviceModeTerm(session);
    RegisterSdkRunner(previousSdk);
    RegisterFolxRunner(previousFolx);
}

}  // namespace

// The printer's record is read with room for the usual answer first: a record that outgrows it
// (a long comment, a large stored device mode) is read again at its full size, and the session
// still knows its printer and its data file.
TEST(DevicemodeExports, ASessionOpensOverAPrinterWhoseRecordOutgrowsTheUsualRoom) {
    drvtest::FixtureDevice fixture;
    HKEY key = nullptr;
    const std::string path = std::string("System\\CurrentControlSet\\control\\Print\\Printers\\") + drvtest::kBundledPcl5ePrinter;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::string comment(20000, 'c');
    ASSERT_EQ(RegSetValueExA(key, "Comment", 0, REG_SZ, reinterpret_cast<const BYTE*>(comment.c_str()),
                             static_cast<DWORD>(comment.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
    HANDLE session = nullptr;
    std::vector<uint8_t> devmode = SessionDevmode(drvtest::kBundledPcl5ePrinter, &session);
    ASSERT_NE(session, nullptr);
    auto* ctx = static_cast<UIDEVDATA*>(session);
    EXPECT_STREQ(reinterpret_cast<const char*>(reinterpret_cast<const DEVMODEA*>(devmode.data())->dmDeviceName),
                 drvtest::kBundledPcl5ePrinter);
    ASSERT_NE(ctx->coreContext, nullptr);
    EXPECT_EQ(ctx->coreContext->printerName, drvtest::kBundledPcl5ePrinter);
    EXPECT_FALSE(ctx->coreContext->port.empty());
    EXPECT_NE(ctx->coreContext->deviceData, nullptr);
    VomelDeviceModeTerm(session);
}
