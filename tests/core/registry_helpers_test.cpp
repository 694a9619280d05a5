// The core's registry helpers over a temporary hive: values round trip through joined key
// paths however long, types and sizes are checked, and printer values are read by name.
#include "core/datafile/printer_driver_data.h"
#include "core/system/registry_helpers.h"

#include <drvtest/registry.h>
#include <drvtest/spooler.h>
#include <gtest/gtest.h>

#include <string>

namespace {
const HKEY kUser = HKEY_CURRENT_USER;
}

TEST(RegistryHelpers, ValuesRoundTripThroughJoinedPathsHoweverLongAndAreDeleted) {
    drvtest::ScopedHive hive;
    ASSERT_TRUE(RegSetValueAll(kUser, "Software\\Vomel\\PCL5e\\", "Office", "Profiles", "Count", REG_BINARY, "ab", 2));
    char buffer[8] = {};
    DWORD size = 1;  // too small: the needed size comes back
    EXPECT_FALSE(RegQueryValueRead(kUser, "Software\\Vomel\\PCL5e", "Office", "Profiles", "Count", buffer, &size));
    EXPECT_EQ(size, 2u);
    size = sizeof buffer;
    ASSERT_TRUE(RegQueryValueRead(kUser, "Software\\Vomel\\PCL5e", "Office", "Profiles", "Count", buffer, &size));
    EXPECT_EQ(std::string(buffer, size), "ab");

    ASSERT_TRUE(RegSetDword(kUser, "Software\\Vomel", "Flag", 999));
    ASSERT_TRUE(RegSetBinary(kUser, "Software\\Vomel", "Short", "\x01\x02", 2));
    EXPECT_EQ(RegQueryDword(kUser, "Software\\Vomel", "Flag", 7), 999u);
    EXPECT_EQ(RegQueryDword(kUser, "Software\\Vomel", "Short", 7), 7u);  // not a DWORD
    EXPECT_EQ(RegQueryDword(kUser, "Software\\Missing", "Flag", 7), 7u);
    char two[2] = {};
    EXPECT_TRUE(RegQueryValueSimple(kUser, "Software\\Vomel", "Short", two, 2));
    EXPECT_FALSE(RegQueryValueSimple(kUser, "Software\\Vomel", "Flag", two, 2));
    EXPECT_NE(hive.FileText().find("\"Flag\"=dword:000003e7"), std::string::npos);

    EXPECT_TRUE(RegDeleteValueAll(kUser, "Software", "Vomel", nullptr, "Flag"));
    EXPECT_FALSE(RegDeleteValueAll(kUser, "Software", "Vomel", nullptr, "Flag"));
    EXPECT_TRUE(RegDeleteKeyAll(kUser, "Software\\Vomel", "PCL5e", nullptr, "Office"));
    size = sizeof buffer;
    EXPECT_FALSE(RegQueryValueRead(kUser, "Software\\Vomel\\PCL5e", "Office", "Profiles", "Count", buffer, &size));
    EXPECT_TRUE(RegDeleteKeySimple(kUser, "Software\\Vomel"));
    EXPECT_FALSE(RegDeleteKeySimple(kUser, "Software\\Vomel"));

    std::string path = "Software";
    while (path.size() < 240) path += "\\Level" + std::to_string(path.size());
    const std::string part(120, 'p');
    for (const char* subkey : {"Data", static_cast<const char*>(nullptr)}) {
        DWORD value = 42, size = sizeof value;
        ASSERT_TRUE(RegSetValueAll(kUser, path.c_str(), part.c_str(), subkey, "V", REG_DWORD, &value, size));
        value = 0;
        ASSERT_TRUE(RegQueryValueRead(kUser, path.c_str(), part.c_str(), subkey, "V", &value, &size));
        EXPECT_EQ(value, 42u);
    }
    EXPECT_NE(hive.FileText().find(path + "\\" + part + "\\Data]"), std::string::npos);
    EXPECT_TRUE(RegDeleteKeyAll(kUser, path.c_str(), part.c_str(), nullptr, "Data"));
}

TEST(RegistryHelpers, PrinterValuesAreReadByPrinterName) {
    drvtest::FixturePrinter printer;
    ASSERT_TRUE(devmode::writeDriverValue(printer.Name(), "UserPaper", "\x05\x06\x07", 3));
    EXPECT_FALSE(devmode::writeDriverValue("Nobody's printer", "UserPaper", "\x05", 1));
    char buffer[4] = {};
    DWORD size = sizeof buffer;
    ASSERT_TRUE(RegQueryPrinterValue(nullptr, printer.Name().c_str(), "UserPaper", buffer, &size));
    EXPECT_EQ(std::string(buffer, size), "\x05\x06\x07");
    for (const char* name : {"", "..\\Printers", static_cast<const char*>(nullptr)}) {
        size = sizeof buffer;
        EXPECT_FALSE(RegQueryPrinterValue(nullptr, name, "UserPaper", buffer, &size));
    }
}
