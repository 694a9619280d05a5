// DocumentPropertiesA and DeviceCapabilitiesA reach the entry points registered for the
// printer's driver, by its configuration file or for every driver, and fail without one.
#include <windows.h>

#include "drvtest/spooler.h"
#include "platform/spooler/driver_registry.h"
#include "platform/spooler/pseudo_printer.h"

#include <gtest/gtest.h>

namespace {

HANDLE g_lastPrinter;
int g_lastCapability;

LONG WINAPI Pcl5eProperties(HWND, HANDLE printer, LPSTR, PDEVMODEA, PDEVMODEA, DWORD mode) {
    g_lastPrinter = printer;
    return mode == 0 ? 1234 : 1;
}

LONG WINAPI AnyProperties(HWND, HANDLE, LPSTR, PDEVMODEA, PDEVMODEA, DWORD) { return 77; }

int WINAPI Pcl5eCapabilities(LPCSTR, LPCSTR, WORD capability, LPSTR, const DEVMODEA*) {
    g_lastCapability = capability;
    return 5;
}

}  // namespace

TEST(DriverRouting, CallsGoToTheDriverThePrinterNames) {
    drvtest::FixturePrinter fixture;
    LPSTR pcl5e = const_cast<LPSTR>(drvtest::kBundledPcl5ePrinter);
    LPSTR pcl5c = const_cast<LPSTR>(drvtest::kBundledPcl5cPrinter);
    EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, pcl5e, nullptr, nullptr, 0), -1);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_UNKNOWN_PRINTER_DRIVER));

    spooler::RegisterDriver("c:\\windows\\system\\kelvar5e.drv", {Pcl5eProperties, Pcl5eCapabilities});
    HANDLE h = fixture.Handle();
    EXPECT_EQ(DocumentPropertiesA(nullptr, h, pcl5e, nullptr, nullptr, 0), 1234);
    EXPECT_EQ(g_lastPrinter, h);
    // Without a handle the printer is opened for the call and closed after it.
    EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, pcl5e, nullptr, nullptr, 0), 1234);
    EXPECT_NE(g_lastPrinter, h);
    EXPECT_FALSE(ClosePrinter(g_lastPrinter));
    EXPECT_EQ(DeviceCapabilitiesA(pcl5e, "LPT1:", DC_PAPERS, nullptr, nullptr), 5);
    EXPECT_EQ(g_lastCapability, DC_PAPERS);
    EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, pcl5c, nullptr, nullptr, 0), -1);
    EXPECT_EQ(DeviceCapabilitiesA("No Such Printer", "LPT1:", DC_PAPERS, nullptr, nullptr), -1);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PRINTER_NAME));

    spooler::RegisterDriver(nullptr, {AnyProperties, nullptr});
    EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, pcl5c, nullptr, nullptr, 0), 77);
    HANDLE pseudo = PseudoPrinterCreate(0);
    EXPECT_EQ(DocumentPropertiesA(nullptr, pseudo, pcl5c, nullptr, nullptr, 0), 77);
    PseudoPrinterDestroy(pseudo);
    EXPECT_EQ(DeviceCapabilitiesA(pcl5c, "LPT2:", DC_PAPERS, nullptr, nullptr), -1);
    spooler::UnregisterDriver(nullptr);
    spooler::UnregisterDriver("KELVAR5E.DRV");
    EXPECT_EQ(DocumentPropertiesA(nullptr, h, pcl5e, nullptr, nullptr, 0), -1);
}
