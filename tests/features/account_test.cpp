// The job account of the bundled printer: its stored record and older forms read back, damaged
// values refused, the save's real answer, the form checks and the device's verdict from the
// simulated device-information library.
#include "core/device/service_table.h"
#include "device/config/configuration.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_user.h"
#include "drvtest/simulated_device.h"
#include "features/account.h"
#include "ui/dialog_framework.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

using namespace account;

class AccountTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDialogFramework();
        RegisterDeviceConfiguration();
        sim = std::make_unique<drvtest::SimulatedDevice>(fixture.Root() + "/WINDOWS/SYSTEM");
        sim->Install(SIM_ZDSVC2, "Zdsvc2.dll");
    }
    void TearDown() override {
        sim.reset();
        RegisterModuleFactory(kModuleConfiguration, nullptr);
    }
    UIDEVDATA* Ctx() { return fixture.Device(); }
    std::string Key() { return Account(Ctx(), 0).KeyPath(); }
    void Store(const std::vector<uint8_t>& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, Key().c_str(), &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "DATA", 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    std::vector<uint8_t> Stored() {
        HKEY key = nullptr;
        std::vector<uint8_t> bytes(64);
        DWORD type = 0, size = 64;
        if (RegOpenKeyA(HKEY_CURRENT_USER, Key().c_str(), &key) != ERROR_SUCCESS) return {};
        if (RegQueryValueExA(key, "DATA", nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) size = 0;
        RegCloseKey(key);
        bytes.resize(size);
        return bytes;
    }
    // An older record: numeric id {digits, value}, code field, 16-bit flag.
    static std::vector<uint8_t> Older(size_t size, uint16_t first, uint8_t digits, uint32_t id, int16_t flag) {
        std::vector<uint8_t> b(size, 0);
        std::memcpy(b.data(), &first, 2);
        b[4] = digits;
        std::memcpy(b.data() + 5, &id, 4);
        b[14] = 4;
        const uint32_t code = 1234;
        std::memcpy(b.data() + 15, &code, 4);
        std::memcpy(b.data() + 24, &flag, 2);
        return b;
    }

    drvtest::FixtureDevice fixture;
    drvtest::ScriptedUser person;
    std::unique_ptr<drvtest::SimulatedDevice> sim;
};

TEST_F(AccountTest, TheRecordLivesUnderThePrinterInTheUsersRegistry) {
    EXPECT_EQ(Key(), "Software\\Vomel\\PCL5e\\Vomel Kelvaro PCL5e\\AccountMngTBL");
    Account account(Ctx(), 0);
    EXPECT_FALSE(account.Load());
    EXPECT_EQ(account.GetFlag(), 1u);
    EXPECT_EQ(account.GetId(), "");
    ASSERT_TRUE(account.SetId("4711"));
    EXPECT_FALSE(account.SetId("12345678"));
    account.SetCode(42, 4);
    ASSERT_TRUE(account.Save());
    const std::vector<uint8_t> stored = Stored();
    ASSERT_EQ(stored.size(), 32u);
    EXPECT_EQ(stored[0], 32);
    EXPECT_EQ(stored[2], 2);
    Account back(Ctx(), 0);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.GetRecord(), account.GetRecord());
    EXPECT_EQ(back.GetCodeText(), "0042");
}

TEST_F(AccountTest, OlderFormsAreConvertedAndDamagedValuesGiveTheDefaults) {
    struct Case { const char* what; std::vector<uint8_t> stored; const char* id; uint32_t flag; uint32_t code; };
    std::vector<uint8_t> current(32, 0);
    current[0] = 32, current[2] = 2;
    std::memcpy(current.data() + 4, "ABCDEFGH", 8);  // fills its field
    current[24] = 7;
    std::vector<uint8_t> zeroFirst = current;
    zeroFirst[0] = 0;
    const Case cases[] = {
        {"40 bytes", Older(40, 0, 5, 42, 3), "00042", 3, 1234},
        {"44 bytes", Older(44, 9, 2, 7, -1), "07", 0xffffffffu, 1234},
        {"an id too long for its field", Older(40, 0, 200, 42, 1), "", 1, 1234},
        {"an id of ten digits", Older(44, 0, 1, 4000000000u, 1), "", 1, 1234},
        {"no digit count", Older(40, 0, 0, 42, 1), "", 1, 1234},
        {"current, unterminated", current, "ABCDEFG", 7, 0},
        {"current whose first word is 0", zeroFirst, "ABCDEFG", 7, 0},
        {"short", std::vector<uint8_t>(12, 0x41), "", 1, 0},
        {"between the forms", std::vector<uint8_t>(36, 0x41), "", 1, 0},
        {"larger than any form", std::vector<uint8_t>(60, 0x41), "", 1, 0},
    };
    for (const Case& c : cases) {
        Store(c.stored);
        Account account(Ctx(), 0);
        EXPECT_TRUE(account.Load()) << c.what;
        EXPECT_EQ(account.GetId(), c.id) << c.what;
        EXPECT_EQ(account.GetFlag(), c.flag) << c.what;
        EXPECT_EQ(account.GetCode(), c.code) << c.what;
    }
}

TEST_F(AccountTest, ASaveTheRegistryRefusesIsReported) {
    // The hive file replaced by a folder: nothing can reach it.
    const std::string hive = fixture.Printer().Hive().Path();
    std::filesystem::remove(hive);
    std::filesystem::create_directory(hive);
    Account account(Ctx(), 0);
    ASSERT_TRUE(account.SetId("12"));
    EXPECT_FALSE(account.Save());
    std::filesystem::remove(hive);
}

// Ids and codes are checked before the device is asked; the device's answers become the status,
// and every start of the device is stopped again.
TEST_F(AccountTest, IdsAndCodesAreCheckedBeforeTheDeviceDecides) {
    // asked: how often the device is asked about the account; -1 when not counted.
    struct Case { const char* description; const char* id; uint32_t code; bool result; UINT status; int asked; };
    const char* kAccepts = "account 12 34";
    for (auto c : {Case{kAccepts, "12", 34, true, 0, 1}, Case{kAccepts, "12", 35, false, kAccountRefused, 1},
                   Case{kAccepts, "0", 34, false, kAccountCheckFailed, 0},
                   Case{kAccepts, "9999999", 34, false, kAccountRefused, 1},
                   Case{kAccepts, "", 34, false, kAccountCheckFailed, 0},
                   Case{kAccepts, "12", 10000000, false, kAccountCheckFailed, 0},
                   Case{kAccepts, "1a", 34, false, kAccountCheckFailed, 0},
                   Case{"fault account 0xC052000C", "12", 34, false, kAccountDeviceBusy, -1},
                   Case{"fault account 0xC0520010", "12", 34, false, kAccountDeviceBusy, -1},
                   Case{"fault account 0xC09884C6", "12", 34, false, kAccountLimitReached, -1},
                   Case{"fault account 0xC09884C9", "12", 34, false, kAccountUnknownToDevice, -1},
                   Case{"fault account 0xC0000001", "12", 34, false, kAccountDeviceFailed, -1},
                   // A device that does not check accounts accepts every one.
                   Case{"fault account 0xC098B001", "12", 34, true, 0, -1},
                   Case{"fault account 0xC098B001", "7", 0, true, 0, -1},
                   Case{"fault connect 0xC0001234", "12", 34, false, kAccountDeviceFailed, -1},
                   Case{"address none", "12", 34, false, kAccountDeviceFailed, -1}}) {
        sim->Describe(c.description);
        Account account(Ctx(), 0);
        ASSERT_TRUE(account.SetId(c.id));
        account.SetCode(c.code, 2);
        sim->ClearLog();
        const std::string what = std::string(c.description) + ": " + c.id + " " + std::to_string(c.code);
        EXPECT_EQ(account.Check(nullptr), c.result) << what;
        EXPECT_EQ(account.GetStatus(), c.status) << what;
        if (c.asked >= 0) {
            EXPECT_EQ(sim->Count("account "), c.asked) << what;
        }
        EXPECT_EQ(sim->Count("start"), sim->Count("stop")) << what;
    }
    sim->Remove("Zdsvc2.dll");
    Account account(Ctx(), 0);
    ASSERT_TRUE(account.SetId("12"));
    EXPECT_FALSE(account.Check(nullptr));
    EXPECT_EQ(account.GetStatus(), kAccountDeviceFailed) << "no library";
}

TEST_F(AccountTest, TheDeviceQueryTakesThePaddedIdAndAnswersTheFailedStep) {
    EXPECT_EQ(Account::CheckIdText("42"), "00000042");
    EXPECT_EQ(Account::CheckIdText(""), "00000000");
    EXPECT_EQ(Account::CheckIdText("12345678"), "12345678");
    Account account(Ctx(), 0);
    ASSERT_TRUE(account.SetId("42"));
    uint32_t a = 7, b = 7;
    // The bundled library has no answer to this question: the request's own answer comes back.
    EXPECT_LT(account.QueryDevice(a, b), 0);
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(b, 0u);
    sim->Remove("Zdsvc2.dll");
    a = b = 7;
    EXPECT_EQ(account.QueryDevice(a, b), -23) << "the library could not be loaded";
    EXPECT_EQ(a, 0u);
}

}  // namespace
