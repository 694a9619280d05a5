// The Win32 registry functions over a temporary hive: case-insensitive keys, the size and error
// contracts of queries and enumerations, deletion under open handles, and what reaches the file.
#include <windows.h>

#include "drvtest/registry.h"
#include "platform/registry/hive.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace std::string_literals;

namespace {

const char* kPrinters = "System\\CurrentControlSet\\control\\Print\\Printers";

HKEY Create(HKEY root, const char* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    return key;
}

}  // namespace

TEST(Registry, KeysAndValuesMatchWithoutRegardToCaseAndQueriesKeepTheirSizeRules) {
    drvtest::ScopedHive hive;
    HKEY key = Create(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\Print\\Printers\\Office");
    DWORD one = 1;
    ASSERT_EQ(RegSetValueExA(key, "Attributes", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_SUCCESS);
    HKEY again = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\currentcontrolset\\Control\\print\\printers\\OFFICE\\",
                              0, nullptr, 0, KEY_READ, nullptr, &again, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    DWORD value = 0, size = sizeof value, type = 0;
    EXPECT_EQ(RegQueryValueExA(again, "ATTRIBUTES", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    char name[32];
    EXPECT_EQ(RegEnumKeyA(HKEY_LOCAL_MACHINE, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "System");  // the case it was created with
    RegCloseKey(key);
    RegCloseKey(again);

    key = Create(HKEY_CURRENT_USER, "Software\\Vomel\\PCL5e");
    // A string written without its terminator is stored with one; one written with extra bytes
    // after the terminator is cut there.
    ASSERT_EQ(RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("Office"), 6), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Cut", 0, REG_SZ, reinterpret_cast<const BYTE*>("ab\0cd"), 6), ERROR_SUCCESS);
    size = type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 7u);
    char buf[16];
    std::memset(buf, '#', sizeof buf);
    size = 3;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(buf[0], '#');  // nothing written on ERROR_MORE_DATA
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_STREQ(buf, "Office");
    size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(key, "Cut", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 3u);

    struct Case {
        LONG got, expected;
    };
    HKEY out = reinterpret_cast<HKEY>(1);
    DWORD missing = 4;
    for (Case c : {
             Case{RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &missing), ERROR_FILE_NOT_FOUND},
             Case{RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), nullptr),
                  ERROR_INVALID_PARAMETER},
             Case{RegSetValueExA(key, "x", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS},
             Case{RegSetValueExA(key, "a\nb", 0, REG_SZ, reinterpret_cast<const BYTE*>("v"), 2),
                  ERROR_INVALID_PARAMETER},
             Case{RegDeleteValueA(key, "Missing"), ERROR_FILE_NOT_FOUND},
             Case{RegOpenKeyExA(key, "Nothing", 0, KEY_READ, &out), ERROR_FILE_NOT_FOUND},
             Case{RegOpenKeyExA(key, "\\Leading", 0, KEY_READ, &out), ERROR_BAD_PATHNAME},
             Case{RegCreateKeyA(key, "a\\\\b", &out), ERROR_BAD_PATHNAME},
             Case{RegOpenKeyA(reinterpret_cast<HKEY>(0x7777), "x", &out), ERROR_INVALID_HANDLE},
             Case{RegOpenKeyA(HKEY_CLASSES_ROOT, "x", &out), ERROR_INVALID_HANDLE},
             Case{RegDeleteKeyA(key, "Nothing"), ERROR_FILE_NOT_FOUND},
             Case{RegDeleteKeyA(key, ""), ERROR_BAD_PATHNAME},
             Case{RegCloseKey(reinterpret_cast<HKEY>(0x7777)), ERROR_INVALID_HANDLE},
         })
        EXPECT_EQ(c.got, c.expected);
    EXPECT_EQ(out, nullptr);
    RegCloseKey(key);
}

TEST(Registry, EnumerationIsStableAndReportsShortBuffers) {
    drvtest::ScopedHive hive;
    HKEY key = Create(HKEY_LOCAL_MACHINE, kPrinters);
    for (const char* name : {"beta", "Alpha", "gamma"}) RegCloseKey(Create(key, name));
    for (const char* name : {"z", "a", "m"})
        RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>("12345"), 5);
    char name[16];
    std::vector<std::string> keys;
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i) keys.push_back(name);
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(RegEnumKeyA(key, 3, name, sizeof name), ERROR_NO_MORE_ITEMS);
    DWORD cch = 5;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    cch = 6;
    EXPECT_EQ(RegEnumKeyExA(key, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(cch, 5u);

    std::vector<std::string> values;
    BYTE data[8];
    DWORD cb = 0;
    for (DWORD i = 0;; ++i) {
        cch = sizeof name;
        cb = sizeof data;
        if (RegEnumValueA(key, i, name, &cch, nullptr, nullptr, data, &cb) != ERROR_SUCCESS) break;
        values.push_back(name);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"z", "a", "m"}));  // the order they were set in
    cch = sizeof name;
    cb = 2;
    EXPECT_EQ(RegEnumValueA(key, 1, name, &cch, nullptr, nullptr, data, &cb), ERROR_MORE_DATA);
    EXPECT_EQ(cb, 5u);

    DWORD subkeys = 0, maxSubkey = 0, count = 0, maxName = 0, maxData = 0;
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &count, &maxName,
                               &maxData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 3u);
    EXPECT_EQ(maxSubkey, 5u);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(maxName, 1u);
    EXPECT_EQ(maxData, 5u);
    RegCloseKey(key);
}

TEST(Registry, DeletingTakesTheSubtreeAndEveryWriteReachesTheFileAndReloads) {
    drvtest::ScopedHive hive;
    HKEY child = Create(HKEY_LOCAL_MACHINE, "Software\\Vomel\\PCL5e\\Deep");
    EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "software\\VOMEL"), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(child, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Vomel\\PCL5e", &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(hive.FileText(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n\n");

    key = Create(HKEY_LOCAL_MACHINE, "Software\\Vomel");
    BYTE blob[40];
    for (int i = 0; i < 40; ++i) blob[i] = static_cast<BYTE>(i * 7);
    RegSetValueExA(key, "Default DevMode", 0, REG_BINARY, blob, sizeof blob);
    RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("Office \"1\""), 11);
    RegCloseKey(key);
    std::string saved = hive.FileText();
    EXPECT_NE(saved.find("\"Name\"=\"Office \\\"1\\\"\"\n"), std::string::npos);
    ASSERT_TRUE(registry::UseHiveFile(hive.Path(), nullptr));
    EXPECT_EQ(registry::HiveText(), saved);
    BYTE back[64];
    DWORD size = sizeof back;
    ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VOMEL", &key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "default devmode", nullptr, nullptr, back, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 40u);
    EXPECT_EQ(std::memcmp(back, blob, 40), 0);
    RegCloseKey(key);
}

TEST(Registry, ABadHiveFileIsRefusedAndLeftIntact) {
    drvtest::ScopedHive hive("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n\"Kept\"=dword:00000001\n\n");
    std::string good = hive.FileText();
    // Cut off inside a hex list, where what is left still reads; a NUL byte in a value.
    for (std::string bad : {std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"Broken\"=hex:01,0"),
                            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software]\n\"Broken\"=\"a\0b\"\n"s}) {
        ASSERT_TRUE(drvtest::WriteTextFile(hive.Path() + ".bad", bad));
        registry::HiveError error;
        EXPECT_FALSE(registry::UseHiveFile(hive.Path() + ".bad", &error));
        EXPECT_EQ(error.line, 3u) << error.message;
        EXPECT_EQ(drvtest::ReadTextFile(hive.Path() + ".bad"), bad);
        std::remove((hive.Path() + ".bad").c_str());
    }
    // The registry is still the good one and still writes to its own file.
    EXPECT_EQ(registry::HivePath(), hive.Path());
    HKEY key = Create(HKEY_LOCAL_MACHINE, "Software");
    RegSetValueExA(key, "Added", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\2\0\0\0"), 4);
    RegCloseKey(key);
    EXPECT_EQ(hive.FileText(), good.substr(0, good.size() - 1) + "\"Added\"=dword:00000002\n\n");
}

TEST(Registry, ImportMergesAFileAndRefusesABadOneWhole) {
    drvtest::ScopedHive hive("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vomel]\n\"Kept\"=\"yes\"\n\"Gone\"=\"no\"\n\n");
    registry::HiveError error;
    EXPECT_FALSE(registry::ImportHiveText("REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"v\"=hex:0g\n", &error));
    EXPECT_EQ(error.line, 3u);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "New", &key), ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(registry::ImportHiveText("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Vomel]\n\"Gone\"=-\n\"Added\"=dword:00000005\n",
                                         &error));
    EXPECT_EQ(hive.FileText(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\Vomel]\n\"Kept\"=\"yes\"\n"
              "\"Added\"=dword:00000005\n\n");
    EXPECT_FALSE(registry::ImportHiveFile(hive.Path() + ".missing", &error));
}
