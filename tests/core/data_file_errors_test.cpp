// A printer whose driver names a data file that is damaged or missing: the session opens over
// the built-in defaults as for a device without data, and the reason reaches the caller instead
// of vanishing.
#include "core/device/core_context.h"
#include "core/library/exports_devicemode.h"
#include "core/device/service_table.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr char kPrinters[] =
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers\\Broken]\n"
    "\"Driver\"=\"KELVAR5E.DRV\"\n\"Data File\"=\"BROKEN.DAT\"\n\"Configuration File\"=\"KELVAR5E.DRV\"\n\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers\\Plain]\n"
    "\"Driver\"=\"KELVAR5E.DRV\"\n\"Configuration File\"=\"KELVAR5E.DRV\"\n\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Broken Printer]\n"
    "\"Name\"=\"Broken Printer\"\n\"Port\"=\"LPT3:\"\n\"Printer Driver\"=\"Broken\"\n\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Plain Printer]\n"
    "\"Name\"=\"Plain Printer\"\n\"Port\"=\"LPT3:\"\n\"Printer Driver\"=\"Plain\"\n\n";

TEST(DataFileErrors, ADamagedOrMissingFileIsReportedAndADriverWithoutOneIsNot) {
    drvtest::FixtureDevice fixture(kKindDevmode, drvtest::kBundledPcl5ePrinter, kPrinters);
    ASSERT_NE(fixture.Device(), nullptr);
    const std::filesystem::path system = std::filesystem::path(fixture.Root()) / "WINDOWS" / "SYSTEM";
    const auto whole = std::filesystem::file_size(system / "KELVAR5E.DAT");

    struct Case { const char* what; const char* printer; long keep; bool reported; };
    for (auto c : {Case{"truncated", "Broken Printer", long(whole / 2), true},
                   Case{"header only", "Broken Printer", 80, true},
                   Case{"missing", "Broken Printer", -1, true},
                   Case{"no data file named", "Plain Printer", 0, false},
                   Case{"a sound file", drvtest::kBundledPcl5ePrinter, 0, false}}) {
        std::filesystem::remove(system / "BROKEN.DAT");
        if (c.keep > 0) {
            std::filesystem::copy_file(system / "KELVAR5E.DAT", system / "BROKEN.DAT");
            std::filesystem::resize_file(system / "BROKEN.DAT", static_cast<uintmax_t>(c.keep));
        }
        SetLastError(12345);
        DWORD size = 0;
        HANDLE session = VomelDeviceModeInit(c.printer, nullptr, &size);
        ASSERT_NE(session, nullptr) << c.what;
        EXPECT_EQ(GetLastError() != ERROR_SUCCESS, c.reported) << c.what << ": last error " << GetLastError();
        auto* ctx = static_cast<UIDEVDATA*>(session);
        const std::string& reason = ctx->coreContext->dataFileError;
        EXPECT_EQ(reason.find("BROKEN.DAT") != std::string::npos, c.reported) << c.what << ": " << reason;
        EXPECT_EQ(ctx->svc->LoadDeviceData(ctx) == nullptr, c.what != std::string("a sound file")) << c.what;
        if (c.reported) {
            EXPECT_EQ(ctx->svc->GetDeviceDataValue2(ctx), 0u) << c.what;
        }
        EXPECT_NE(ctx->svc->GetDevmode(ctx, 1), nullptr) << c.what << ": the built-in defaults stand in";
        VomelDeviceModeTerm(session);
    }
}

}  // namespace
