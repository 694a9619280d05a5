// The spooler over the bundled hive: opening printers by name, the size contracts of the
// information calls, printer data round trips and settings written back.
#include <windows.h>

#include "drvtest/spooler.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

using drvtest::FixturePrinter;

namespace {

LPSTR Str(const char* s) { return const_cast<LPSTR>(s); }

const std::string kPcl5cKey =
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Vomel Kelvaro PCL5c]\n";

// A REGEDIT4 binary value line.
std::string BinaryLine(const char* name, const std::vector<BYTE>& bytes) {
    std::string line = std::string("\"") + name + "\"=hex:";
    char hex[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, i ? ",%02x" : "%02x", bytes[i]);
        line += hex;
    }
    return line + "\n";
}

// A device mode of `size` bytes whose size fields say dmSize and dmDriverExtra.
std::vector<BYTE> Devmode(size_t size, WORD dmSize, WORD extra) {
    std::vector<BYTE> dm(size, 0x11);
    dm[36] = BYTE(dmSize), dm[37] = BYTE(dmSize >> 8), dm[38] = BYTE(extra), dm[39] = BYTE(extra >> 8);
    return dm;
}

// Asks for the size first, as callers do, then fills a buffer of that size.
template <class Call>
std::vector<BYTE> Fetch(Call call) {
    DWORD needed = 0;
    EXPECT_FALSE(call(nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed, 0xEE);
    if (needed > 1) {  // one byte short is refused and leaves the buffer alone
        EXPECT_FALSE(call(buffer.data(), needed - 1, &needed));
        EXPECT_EQ(buffer[0], 0xEE);
    }
    EXPECT_TRUE(call(buffer.data(), needed, &needed));
    return buffer;
}

}  // namespace

TEST(Spooler, OpensPrintersByNameWithoutRegardToCaseAndPrinterDataRoundTrips) {
    FixturePrinter fixture;
    HANDLE h = reinterpret_cast<HANDLE>(1);
    EXPECT_FALSE(OpenPrinterA(Str("No Such Printer"), &h, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(h, nullptr);
    EXPECT_FALSE(OpenPrinterA(Str("System\\x"), &h, nullptr));
    EXPECT_FALSE(OpenPrinterA(Str("x"), nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    PRINTER_DEFAULTSA all{nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterA(Str("vomel kelvaro pcl5E"), &h, &all));
    auto info = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterA(h, 2, b, n, need); });
    EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_2A*>(info.data())->pPrinterName, "Vomel Kelvaro PCL5e");
    EXPECT_TRUE(ClosePrinter(h));
    EXPECT_FALSE(ClosePrinter(h));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));

    h = fixture.Handle();
    BYTE options[6] = {1, 2, 3, 0, 0xFF, 9};
    ASSERT_EQ(SetPrinterDataA(h, Str("DeviceOption"), REG_BINARY, options, sizeof options), DWORD(ERROR_SUCCESS));
    EXPECT_NE(fixture.Hive().FileText().find("PCL5e\\PrinterDriverData]\n\"DeviceOption\"=hex:01,02,03,00,ff,09\n"),
              std::string::npos);
    DWORD type = 0, needed = 0;
    EXPECT_EQ(GetPrinterDataA(h, Str("deviceoption"), &type, nullptr, 0, &needed), DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(needed, 6u);
    BYTE back[8] = {};
    EXPECT_EQ(GetPrinterDataA(h, Str("DeviceOption"), &type, back, 5, &needed), DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(back[0], 0);
    EXPECT_EQ(GetPrinterDataA(h, Str("DeviceOption"), &type, back, sizeof back, &needed), DWORD(ERROR_SUCCESS));
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(std::memcmp(back, options, 6), 0);
    EXPECT_EQ(GetPrinterDataA(h, Str("Missing"), &type, back, sizeof back, &needed), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetPrinterDataA(nullptr, Str("DeviceOption"), &type, back, 8, &needed), DWORD(ERROR_INVALID_HANDLE));
}

TEST(Spooler, PrinterInformationAtEachLevel) {
    FixturePrinter fixture(drvtest::kBundledPcl5cPrinter,
                           kPcl5cKey + BinaryLine("Default DevMode", Devmode(200, 148, 40)) + "\"Comment\"=\"2nd floor\"\n");
    HANDLE h = fixture.Handle();
    auto two = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterA(h, 2, b, n, need); });
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(two.data());
    EXPECT_STREQ(info->pPrinterName, "Vomel Kelvaro PCL5c");
    EXPECT_STREQ(info->pPortName, "LPT2:");
    EXPECT_STREQ(info->pDriverName, "Vomel Kelvaro PCL5c");
    EXPECT_STREQ(info->pComment, "2nd floor");
    EXPECT_EQ(info->Attributes, DWORD(PRINTER_ATTRIBUTE_LOCAL));
    ASSERT_NE(info->pDevMode, nullptr);
    EXPECT_EQ(info->pDevMode->dmSize + info->pDevMode->dmDriverExtra, 188);
    EXPECT_EQ(reinterpret_cast<BYTE*>(info->pDevMode)[187], 0x11);
    auto five = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterA(h, 5, b, n, need); });
    EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_5A*>(five.data())->pPortName, "LPT2:");
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterA(h, 3, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_LEVEL));

    // A device mode whose size fields reach past the stored bytes is not handed out.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers\\Vomel Kelvaro PCL5c", &key), ERROR_SUCCESS);
    std::vector<BYTE> forged = Devmode(100, 148, 0);
    RegSetValueExA(key, "Default DevMode", 0, REG_BINARY, forged.data(), DWORD(forged.size()));
    RegCloseKey(key);
    two = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterA(h, 2, b, n, need); });
    EXPECT_EQ(reinterpret_cast<PRINTER_INFO_2A*>(two.data())->pDevMode, nullptr);
}

TEST(Spooler, EnumeratesLocalAndDefaultPrintersAndDriverFilesAreFullPaths) {
    FixturePrinter fixture;
    DWORD count = 0;
    auto all = Fetch([&](BYTE* b, DWORD n, DWORD* need) {
        return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, b, n, need, &count);
    });
    ASSERT_EQ(count, 2u);
    auto* infos = reinterpret_cast<PRINTER_INFO_2A*>(all.data());
    EXPECT_STREQ(infos[0].pPrinterName, "Vomel Kelvaro PCL5c");
    EXPECT_STREQ(infos[1].pPrinterName, "Vomel Kelvaro PCL5e");
    auto def = Fetch([&](BYTE* b, DWORD n, DWORD* need) {
        return EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 1, b, n, need, &count);
    });
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_1A*>(def.data())->pName, "Vomel Kelvaro PCL5e");
    DWORD needed = 0;
    EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_LEVEL));

    HANDLE h = fixture.Handle();
    auto three = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterDriverA(h, nullptr, 3, b, n, need); });
    auto* info = reinterpret_cast<DRIVER_INFO_3A*>(three.data());
    EXPECT_STREQ(info->pName, "Vomel Kelvaro PCL5e");
    EXPECT_STREQ(info->pEnvironment, "Windows 4.0");
    EXPECT_STREQ(info->pDriverPath, "C:\\WINDOWS\\SYSTEM\\KELVAR5E.DRV");
    EXPECT_STREQ(info->pDataFile, "C:\\WINDOWS\\SYSTEM\\KELVAR5E.DAT");
    EXPECT_STREQ(info->pConfigFile, "C:\\WINDOWS\\SYSTEM\\KELVAR5E.DRV");
    EXPECT_STREQ(info->pDependentFiles, "C:\\WINDOWS\\SYSTEM\\DRVOPUI.DLL");
    const char* second = info->pDependentFiles + std::strlen(info->pDependentFiles) + 1;
    EXPECT_STREQ(second, "C:\\WINDOWS\\SYSTEM\\KELVAR5E.DAT");
    const char* third = second + std::strlen(second) + 1;
    EXPECT_STREQ(third, "C:\\WINDOWS\\SYSTEM\\DRVOPRES.DLL");
    EXPECT_EQ(third[std::strlen(third) + 1], 0);
    auto two = Fetch([&](BYTE* b, DWORD n, DWORD* need) {
        return GetPrinterDriverA(h, Str("windows 4.0"), 2, b, n, need);
    });
    EXPECT_STREQ(reinterpret_cast<DRIVER_INFO_2A*>(two.data())->pDataFile, "C:\\WINDOWS\\SYSTEM\\KELVAR5E.DAT");
    auto dir = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterDriverDirectoryA(nullptr, nullptr, 1, b, n, need); });
    EXPECT_STREQ(reinterpret_cast<char*>(dir.data()), "C:\\WINDOWS\\SYSTEM");

    EXPECT_FALSE(GetPrinterDriverA(h, Str("Windows NT x86"), 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_ENVIRONMENT));
    HKEY key = nullptr;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers\\Vomel Kelvaro PCL5e", &key);
    RegSetValueExA(key, "Printer Driver", 0, REG_SZ, reinterpret_cast<const BYTE*>("Gone"), 5);
    RegCloseKey(key);
    EXPECT_FALSE(GetPrinterDriverA(h, nullptr, 2, nullptr, 0, &needed));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_UNKNOWN_PRINTER_DRIVER));
}

TEST(Spooler, SetPrinterWritesSettingsBackButDoesNotRename) {
    FixturePrinter fixture;
    HANDLE h = fixture.Handle();
    auto two = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterA(h, 2, b, n, need); });
    auto info = *reinterpret_cast<PRINTER_INFO_2A*>(two.data());
    std::vector<BYTE> dm = Devmode(160, 148, 12);
    info.pDevMode = reinterpret_cast<DEVMODEA*>(dm.data());
    info.pComment = Str("Front desk");
    ASSERT_TRUE(SetPrinterA(h, 2, reinterpret_cast<BYTE*>(&info), 0));
    std::string file = fixture.Hive().FileText();
    EXPECT_NE(file.find("\"Comment\"=\"Front desk\"\n"), std::string::npos);
    EXPECT_NE(file.find("\"Default DevMode\"=hex:11,11"), std::string::npos);
    ASSERT_TRUE(SetPrinterA(h, 0, nullptr, PRINTER_CONTROL_PAUSE));
    two = Fetch([&](BYTE* b, DWORD n, DWORD* need) { return GetPrinterA(h, 2, b, n, need); });
    EXPECT_EQ(reinterpret_cast<PRINTER_INFO_2A*>(two.data())->Status, DWORD(PRINTER_STATUS_PAUSED));
    info.pPrinterName = Str("Renamed");
    EXPECT_FALSE(SetPrinterA(h, 2, reinterpret_cast<BYTE*>(&info), 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_FALSE(SetPrinterA(h, 7, reinterpret_cast<BYTE*>(&info), 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_LEVEL));
}
