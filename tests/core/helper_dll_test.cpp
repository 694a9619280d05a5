// The helper-library loader through a real printer, registry and driver folder, the address text
// parser and the length conversions with their rounding.
#include "core/system/helper_dll.h"
#include "core/helpers/ipv4_text.h"
#include "core/system/registry_helpers.h"
#include "core/helpers/units.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Current() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

TEST(HelperDll, FindsEachKindOfFolderLoadsFromItAndPutsTheCallersDirectoryBack) {
    drvtest::FixtureDevice fixture;
    char folder[MAX_PATH];
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);

    EXPECT_EQ(HelperDll_GetFolder(folder, sizeof folder, drvtest::kBundledPcl5ePrinter, kHelperFolderDriver), kHelperDone);
    EXPECT_STRCASEEQ(folder, "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(HelperDll_GetFolder(folder, sizeof folder, nullptr, kHelperFolderSystem), kHelperDone);
    EXPECT_STREQ(folder, system);

    struct Case { const char* what; LPCSTR printer; int kind; DWORD size; int answer; };
    for (auto c : {Case{"no such printer", "Nobody", kHelperFolderDriver, MAX_PATH, kHelperNotFound},
                   Case{"no printer named", nullptr, kHelperFolderDriver, MAX_PATH, kHelperBadArgument},
                   Case{"no Fontivar setup", nullptr, kHelperFolderFontivar, MAX_PATH, kHelperNotFound},
                   Case{"an unknown kind", nullptr, 4, MAX_PATH, kHelperBadArgument},
                   Case{"no room", nullptr, kHelperFolderSystem, 4, kHelperTooLong},
                   Case{"no buffer", nullptr, kHelperFolderSystem, 0, kHelperBadArgument}}) {
        std::memset(folder, 'x', sizeof folder);
        EXPECT_EQ(HelperDll_GetFolder(folder, c.size, c.printer, c.kind), c.answer) << c.what;
        if (c.size) {
            EXPECT_EQ(folder[0], '\0') << c.what << ": a failure leaves no folder";
        }
    }

    const char path[] = "D:\\Fontivar\\Bin\\";
    ASSERT_TRUE(RegSetValueAll(HKEY_LOCAL_MACHINE, kFontivarSetupKey, nullptr, nullptr, "Path", REG_SZ, path, sizeof path));
    EXPECT_EQ(HelperDll_GetFolder(folder, sizeof folder, nullptr, kHelperFolderFontivar), kHelperDone);
    EXPECT_STREQ(folder, "D:\\Fontivar\\Bin");

    const std::string before = Current();
    HelperDll* handle = HelperDll_Create();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->module, nullptr);
    EXPECT_EQ(HelperDll_Load(handle, "DRVOPRES.DLL"), kHelperBadArgument) << "no folder yet";
    ASSERT_EQ(HelperDll_GetFolder(handle->folder, MAX_PATH, drvtest::kBundledPcl5ePrinter, kHelperFolderDriver), kHelperDone);

    SetLastError(0);
    EXPECT_EQ(HelperDll_Load(handle, "NOSUCH.DLL"), kHelperNotFound);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(Current(), before) << "a failed load leaves the caller's directory";
    EXPECT_EQ(HelperDll_Load(handle, std::string(300, 'a').c_str()), kHelperTooLong);

    EXPECT_EQ(HelperDll_LoadWithFallback(handle, "NOSUCH.DLL", "DRVOPRES.DLL"), kHelperDone);
    EXPECT_NE(handle->module, nullptr);
    EXPECT_STRCASEEQ(Current().c_str(), "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(HelperDll_Load(handle, "DRVOPRES.DLL"), kHelperBadArgument) << "one library per handle";
    HelperDll_Destroy(handle);
    EXPECT_EQ(Current(), before);
    HelperDll_Destroy(nullptr);
}

TEST(Ipv4Text, TakesOnlyFourDottedDecimalBytes) {
    struct Case { const char* text; bool address; BYTE bytes[4]; };
    for (auto c : {Case{"192.168.1.20", true, {192, 168, 1, 20}}, Case{"0.0.0.0", true, {0, 0, 0, 0}},
                   Case{"255.255.255.255", true, {255, 255, 255, 255}}, Case{"256.1.1.1", false, {}},
                   Case{"1.2.3", false, {}}, Case{"1.2.3.4.5", false, {}}, Case{"1..3.4", false, {}},
                   Case{"01.2.3.4", false, {}}, Case{" 1.2.3.4", false, {}}, Case{"1.2.3.4 ", false, {}},
                   Case{"-1.2.3.4", false, {}}, Case{"1.2.3.1000", false, {}}, Case{"", false, {}},
                   Case{"printer.local", false, {}}}) {
        BYTE out[4] = {7, 7, 7, 7};
        EXPECT_EQ(IsIpv4Text(c.text, out, sizeof out) != 0, c.address) << c.text;
        const BYTE untouched[4] = {7, 7, 7, 7};
        EXPECT_EQ(std::memcmp(out, c.address ? c.bytes : untouched, 4), 0) << c.text;
    }
    BYTE out[4];
    EXPECT_FALSE(IsIpv4Text("1.2.3.4", out, 3));
    EXPECT_FALSE(IsIpv4Text(nullptr, out, 4));
}

// As the setting items compute them: tenthMm = HundredthInchToTenthMm(value), hundredthInch =
// TenthMmToHundredthInch(value), rounded = MmToInchRounded(value) (to nearest on either sign).
TEST(Units, ConvertsLengthsWithTheirRounding) {
    struct Case { LONG value, tenthMm, hundredthInch, rounded; };
    for (auto c : {Case{0, 0, 0, 0}, Case{1, 3, 0, 0}, Case{2, 5, 1, 1}, Case{100, 254, 39, 39}, Case{254, 645, 100, 100},
                   Case{850, 2159, 335, 335}, Case{2100, 5334, 827, 827}, Case{2970, 7544, 1169, 1169},
                   Case{-1, -2, 0, 0}, Case{-2, -4, 0, -1}, Case{-100, -253, -38, -39}, Case{-254, -644, -99, -100},
                   Case{0x7FFFFFFF, 0x7FFFFFFF, 845466003, 845466003},
                   Case{-0x7FFFFFFF - 1, -0x7FFFFFFF - 1, -845466002, -845466003}}) {
        EXPECT_EQ(HundredthInchToTenthMm(c.value), c.tenthMm) << c.value;
        EXPECT_EQ(TenthMmToHundredthInch(c.value), c.hundredthInch) << c.value;
        EXPECT_EQ(MmToInchRounded(c.value), c.rounded) << c.value;
    }
    EXPECT_EQ(MmToInchRounded(127), 50);
    EXPECT_EQ(MmToInchRounded(-2100), -827);
}

}  // namespace
